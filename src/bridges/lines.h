#pragma once
// The lines of a text whatever its line ends: CR LF, LF or a lone CR each end one line.
#include <QString>
#include <QStringView>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bridges {

// Calls `visit(line, number)` for each line (numbers from 1, the line without its end) until it returns
// false. A text that ends with a line end has no empty line after it.
// Index of the first CR or LF at or after `from`, or the size of the text.
inline qsizetype nextLineEnd(QStringView text, qsizetype from)
{
    const char16_t* const s = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    qsizetype i = from;
#if defined(__SSE2__)
    // Both ends sought in one pass, eight characters at a time.
    const __m128i lf = _mm_set1_epi16(u'\n');
    const __m128i cr = _mm_set1_epi16(u'\r');
    for (; n - i >= 8; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, lf), _mm_cmpeq_epi16(v, cr))));
        if (bits != 0)
            return i + std::countr_zero(bits) / 2;
    }
#endif
    for (; i < n; ++i)
        if (s[i] == u'\n' || s[i] == u'\r')
            return i;
    return n;
}

template <typename Visit>
void forEachLine(QStringView text, Visit&& visit)
{
    qsizetype p = 0;
    int number = 0;
    while (p < text.size()) {
        qsizetype end = nextLineEnd(text, p);
        if (!visit(text.sliced(p, end - p), ++number))
            return;
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        p = end + 1;
    }
}

}  // namespace bridges
