#pragma once
// The lines of a text's bytes whatever its line ends: CR LF, LF, a lone CR, and CR CR LF (a file whose line ends
// were converted twice) each end one line. The same rule numbers the lines of every message.
#include <QByteArrayView>
#include <QString>

#include <algorithm>

namespace bridges {

// A piece of the file's bytes as text. A U+FEFF at its start is a character like any other (only the file's
// own first bytes are a byte order mark), so a text that holds one is never taken for an empty one.
inline QString textOfUtf8(QByteArrayView bytes)
{
    // QString::fromUtf8 would drop the mark as a byte order mark.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QChar(0xFEFF) + QString::fromUtf8(bytes.sliced(3));
    return QString::fromUtf8(bytes);
}

// Index of the first CR or LF at or after `from`, or the size of the text.
inline qsizetype nextLineEnd(QByteArrayView text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i)
        if (text[i] == '\n' || text[i] == '\r')
            return i;
    return text.size();
}

// The length of the line end that begins at `at` (a CR or LF).
inline qsizetype lineEndLength(QByteArrayView text, qsizetype at)
{
    if (text[at] == '\n')
        return 1;
    if (at + 1 < text.size() && text[at + 1] == '\n')
        return 2;
    if (at + 2 < text.size() && text[at + 1] == '\r' && text[at + 2] == '\n')
        return 3;
    return 1;
}

// Calls `visit(line, number)` for each line (numbers from 1, the line without its end) until it returns
// false. A text that ends with a line end has no empty line after it. Returns the number of lines visited.
template <typename Visit>
int forEachLine(QByteArrayView text, Visit&& visit)
{
    // The next CR and the next LF are each looked for with one search, and again only once the lines have
    // passed it: a long file is read at the speed of a search for a byte, and a file with one kind of line
    // end is not searched to its end for the other kind at every line.
    const auto next = [text](char end, qsizetype from) {
        const qsizetype at = text.indexOf(end, from);
        return at < 0 ? text.size() : at;
    };
    qsizetype cr = -1;
    qsizetype lf = -1;
    qsizetype p = 0;
    int number = 0;
    while (p < text.size()) {
        if (cr < p)
            cr = next('\r', p);
        if (lf < p)
            lf = next('\n', p);
        const qsizetype end = std::min(cr, lf);
        if (!visit(text.sliced(p, end - p), ++number))
            return number;
        p = end < text.size() ? end + lineEndLength(text, end) : end;
    }
    return number;
}

// The number of the line that holds the byte at `offset`.
inline int lineAt(QByteArrayView bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = nextLineEnd(bytes, 0); i < offset; i = nextLineEnd(bytes, i)) {
        i += lineEndLength(bytes, i);
        if (i <= offset)
            ++line;
    }
    return line;
}

}  // namespace bridges
