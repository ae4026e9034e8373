#pragma once
// The lines of a text whatever its line ends: CR LF, LF or a lone CR each end one line.
#include <QString>
#include <QStringView>

namespace bridges {

// Calls `visit(line, number)` for each line (numbers from 1, the line without its end) until it returns
// false. A text that ends with a line end has no empty line after it.
template <typename Visit>
void forEachLine(QStringView text, Visit&& visit)
{
    const QChar* const begin = text.data();
    const QChar* const end = begin + text.size();
    const QChar* p = begin;
    int number = 0;
    while (p != end) {
        const QChar* q = p;
        while (q != end && *q != u'\n' && *q != u'\r')
            ++q;
        if (!visit(QStringView(p, q), ++number))
            return;
        if (q != end && *q == u'\r' && q + 1 != end && q[1] == u'\n')
            ++q;
        p = q == end ? q : q + 1;
    }
}

}  // namespace bridges
