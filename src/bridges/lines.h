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
    // The next LF and the next CR are each searched for once, with the fast character search.
    qsizetype lf = text.indexOf(u'\n');
    qsizetype cr = text.indexOf(u'\r');
    qsizetype p = 0;
    int number = 0;
    while (p < text.size()) {
        if (lf >= 0 && lf < p)
            lf = text.indexOf(u'\n', p);
        if (cr >= 0 && cr < p)
            cr = text.indexOf(u'\r', p);
        qsizetype end = text.size();
        if (lf >= 0)
            end = lf;
        if (cr >= 0 && cr < end)
            end = cr;
        if (!visit(text.sliced(p, end - p), ++number))
            return;
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        p = end + 1;
    }
}

}  // namespace bridges
