#include "bridges/imported.h"

#include "bridges/aiken.h"
#include "bridges/gift.h"
#include "bridges/lines.h"
#include "platform/codepage.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bridges {

namespace {

// The Polish quotes stand in for the double quote a set cannot store, opening and closing in turn.
QString withPolishQuotes(const QString& text, bool* changed)
{
    if (!text.contains(u'"'))
        return text;
    *changed = true;
    QString out = text;
    bool opening = true;
    for (QChar& c : out) {
        if (c == u'"') {
            c = opening ? QChar(0x201E) : QChar(0x201D);
            opening = !opening;
        }
    }
    return out;
}

QString withCrLf(const QString& text)
{
    if (!text.contains(u'\n'))
        return text;
    QString out = text;
    return out.replace(u'\n', QStringLiteral("\r\n"));
}

const std::array<std::int16_t, 65536>& byteOf()
{
    return platform::bytesOf1250();
}

// What a text needs before a set can hold it, found in one pass.
struct Needs {
    bool quote = false;     // a double quote to replace
    bool lineFeed = false;  // line breaks to write as CR LF
    char32_t unfit = 0;     // the first character (a code point) outside Windows-1250, or 0
};

// True when one of the four characters in `four` (each below 0x80) is `c`.
bool holds(std::uint64_t four, char16_t c)
{
    const std::uint64_t lanes = 0x0001000100010001ull;
    const std::uint64_t y = four ^ (c * lanes);
    return ((y - lanes) & ~y & 0x8000800080008000ull) != 0;
}

Needs needsOf(const QString& text)
{
    Needs needs;
    const auto& bytes = byteOf();
    const char16_t* const end = reinterpret_cast<const char16_t*>(text.constData()) + text.size();
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    while (c != end) {
        // Four plain ASCII characters at a time, none of them a quote or a line feed.
        while (end - c >= 4) {
            std::uint64_t four;
            std::memcpy(&four, c, sizeof four);
            if ((four & 0xFF80FF80FF80FF80ull) || holds(four, u'"') || holds(four, u'\n'))
                break;
            c += 4;
        }
        if (c == end)
            break;
        if (*c == u'"') {
            needs.quote = true;
        } else if (*c == u'\n') {
            needs.lineFeed = true;
        } else if (bytes[*c] < 0) {
            needs.unfit = QChar::isHighSurrogate(*c) && end - c > 1 && QChar::isLowSurrogate(c[1])
                ? QChar::surrogateToUcs4(c[0], c[1]) : char32_t(*c);
            return needs;
        }
        ++c;
    }
    return needs;
}

// The byte each character is written as, its Windows-1250 byte, in the low eight bits; a character outside
// the code page is written as "?" and has `outside` set as well.
constexpr std::uint16_t outside = 0x100;

const std::array<std::uint16_t, 65536>& encoding()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint16_t, 65536>>();
        const auto& bytes = byteOf();
        for (int c = 0; c < 65536; ++c)
            (*t)[c] = bytes[c] < 0 ? std::uint16_t(outside | '?') : static_cast<std::uint16_t>(bytes[c]);
        return t;
    }();
    return *table;
}

// A text field as the record writer makes it: quoted, in Windows-1250, "?" for a character outside it
// (one for a surrogate pair). Returns whether the code page holds every character.
bool appendTextField(QByteArray& out, const QString& text)
{
    const auto& encoded = encoding();
    std::uint16_t seen = 0;
    const qsizetype start = out.size();
    out.resize(start + text.size() + 2);
    char* p = out.data() + start;
    *p++ = '"';
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* const end = c + text.size();
    while (c != end) {
#if defined(__SSE2__)
        // Runs of plain ASCII, the bulk of most texts, are copied eight characters at a time.
        while (end - c >= 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(v, _mm_set1_epi16(0x7F)), _mm_setzero_si128())) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(v, v));
            } else {
                // Without a surrogate among them, each of the eight is one byte of the table.
                const __m128i high = _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFC00))),
                                                     _mm_set1_epi16(static_cast<short>(0xD800)));
                if (_mm_movemask_epi8(high) != 0)
                    break;
                for (int k = 0; k < 8; ++k) {
                    const std::uint16_t e = encoded[c[k]];
                    seen |= e;
                    p[k] = static_cast<char>(e);
                }
            }
            p += 8;
            c += 8;
        }
        // A chunk with another letter is written character by character, then the runs go on.
        for (const char16_t* const stop = std::min(end, c + 8); c < stop;) {
#else
        for (const char16_t* const stop = end; c < stop;) {
#endif
            if (QChar::isHighSurrogate(*c) && end - c > 1 && QChar::isLowSurrogate(c[1]))
                ++c;
            const std::uint16_t e = encoded[*c++];
            seen |= e;
            *p++ = static_cast<char>(e);
        }
    }
    *p++ = '"';
    out.truncate(p - out.constData());
    return (seen & outside) == 0;
}

// A question's two records, as questionset::formatQuestion makes them. Returns whether the code page holds
// every character.
bool appendQuestion(QByteArray& out, const questionset::Question& q)
{
    bool fits = appendTextField(out, q.texts.question);
    for (const QString& answer : q.texts.answers) {
        out += ',';
        fits = appendTextField(out, answer) && fits;
    }
    out += ',';
    fits = appendTextField(out, q.texts.hint) && fits;
    out += "\r\n";
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            out += ',';
        const int flag = q.flags[i];
        if (flag >= 100)
            out += static_cast<char>('0' + flag / 100);
        if (flag >= 10)
            out += static_cast<char>('0' + flag / 10 % 10);
        out += static_cast<char>('0' + flag % 10);
    }
    out += "\r\n";
    return fits;
}

QString describe(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'));
    if (QChar::isSurrogate(c) || !QChar::isPrint(c))
        return code;
    return QStringLiteral("„%1” (%2)").arg(QString::fromUcs4(&c, 1), code);
}

// Number of the line that holds byte `offset`.
int lineOf(const QByteArray& bytes, qsizetype offset)
{
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + offset, '\n'));
}

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence, or -1.
qsizetype firstBadUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF)
            length = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;   // no overlong forms
            if (c == 0xED)
                high = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;  // nothing above U+10FFFF
        } else
            return i;
        if (i + length > n || p[i + 1] < low || p[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return i;
        i += length;
    }
    return -1;
}

}  // namespace

namespace {

// The first character of the question's texts that Windows-1250 has not, or 0.
char32_t firstUnfit(const questionset::Question& q)
{
    if (const char32_t c = needsOf(q.texts.question).unfit)
        return c;
    for (const QString& answer : q.texts.answers)
        if (const char32_t c = needsOf(answer).unfit)
            return c;
    return needsOf(q.texts.hint).unfit;
}

// The texts are taken from `found`: most go into the set as they are. The question's records are appended
// to `bytes` when the set takes the question.
std::optional<questionset::Question> takeSetQuestion(FoundQuestion& found, QList<Warning>& warnings, QByteArray& bytes)
{
    auto skip = [&](const QString& why) {
        warnings.append({found.line, QStringLiteral("pominięto pytanie: %1.").arg(why)});
        return std::nullopt;
    };
    if (!found.skipReason.isEmpty())
        return skip(found.skipReason);
    if (found.answers.isEmpty())
        return skip(QStringLiteral("nie ma żadnej odpowiedzi"));
    if (found.answers.size() > 5)
        return skip(QStringLiteral("ma %1 odpowiedzi, a zestaw mieści najwyżej pięć").arg(found.answers.size()));

    bool quoted = false;
    char32_t unfit = 0;
    auto fit = [&](QString& text) -> QString {
        if (found.plain)
            return std::move(text);
        // Most texts need nothing and are shared, not copied.
        const Needs needs = needsOf(text);
        const bool quote = needs.quote;
        const bool lineFeed = needs.lineFeed;
        if (unfit == 0)
            unfit = needs.unfit;
        QString out = quote ? withPolishQuotes(text, &quoted) : text;
        return lineFeed ? withCrLf(out) : out;
    };
    questionset::Question q;
    q.texts.question = fit(found.text);
    bool anyCorrect = false;
    for (qsizetype i = 0; i < found.answers.size(); ++i) {
        q.texts.answers[i] = fit(found.answers[i].text);
        q.flags[i] = found.answers[i].correct ? 1 : 2;
        anyCorrect = anyCorrect || found.answers[i].correct;
    }
    q.texts.hint = found.hint ? fit(*found.hint) : noHint;
    // The plain texts' letters are looked up once, as the set's bytes are made.
    if (unfit == 0) {
        const qsizetype before = bytes.size();
        if (!appendQuestion(bytes, q)) {
            bytes.truncate(before);
            unfit = firstUnfit(q);
        }
    }
    if (unfit != 0)
        return skip(QStringLiteral("znak %1 nie mieści się w kodowaniu Windows-1250").arg(describe(unfit)));
    if (quoted)
        warnings.append({found.line, QStringLiteral("cudzysłowy zamieniono na „ ”, bo zestaw nie przechowuje znaku \".")});
    if (!anyCorrect)
        warnings.append({found.line, QStringLiteral("żadna odpowiedź nie jest poprawna.")});
    return q;
}

// The text of UTF-8 bytes, or none when they hold a byte that is not UTF-8.
std::optional<QString> fromUtf8(QByteArrayView bytes)
{
    QString text = QString::fromUtf8(bytes);
    // A bad byte comes out as U+FFFD; only a text holding one is decoded again to tell it from a real one.
    if (text.contains(QChar::ReplacementCharacter)) {
        QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString again = strict.decode(bytes);
        if (strict.hasError())
            return std::nullopt;
    }
    return text;
}

QByteArrayView withoutByteOrderMark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
}

int badUtf8Line(const QByteArray& bytes)
{
    const qsizetype bad = firstBadUtf8(bytes);
    return bad < 0 ? 1 : lineOf(bytes, bad);
}

// The first lines of a file tell its format; a huge file is not scanned twice.
constexpr int formatLines = 2000;

// The offset just past the first `lines` line ends (CR LF, LF or a lone CR), or the size.
qsizetype endOfLines(QByteArrayView bytes, int lines)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            if (--lines == 0)
                return i + 1;
        }
    }
    return bytes.size();
}

// A GIFT file is decoded and read a part of about this size at a time, so that what is decoded is read
// while it is still in the processor's cache.
constexpr qsizetype partSize = 64 * 1024;

// The end of the part that begins at `from`: just past the first empty line after `partSize` bytes, so
// that no question is cut, or the end of the bytes.
qsizetype partEnd(QByteArrayView bytes, qsizetype from)
{
    for (qsizetype i = from + partSize; i < bytes.size();) {
        const qsizetype lineFeed = bytes.indexOf('\n', i);
        if (lineFeed < 0 || lineFeed + 1 >= bytes.size())
            break;
        const qsizetype next = lineFeed + 1;
        if (bytes[next] == '\n')
            return next + 1;
        if (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n')
            return next + 2;
        i = next;
    }
    return bytes.size();
}

}  // namespace

Collector::Collector(qsizetype expectedBytes)
{
    imported_.setBytes = questionset::formatHeader();
    imported_.setBytes.reserve(std::max(expectedBytes, imported_.setBytes.size()));
}

void Collector::add(FoundQuestion& found, QList<Warning>& warnings)
{
    if (auto q = takeSetQuestion(found, warnings, imported_.setBytes))
        imported_.questions.append(std::move(*q));
    else
        ++imported_.skipped;
}

Imported Collector::finish(QList<Warning> warnings)
{
    std::stable_sort(warnings.begin(), warnings.end(), [](const Warning& a, const Warning& b) { return a.line < b.line; });
    imported_.warnings = std::move(warnings);
    return std::move(imported_);
}

Imported collect(Found found)
{
    Collector collector;
    QList<Warning> warnings = std::move(found.warnings);
    for (FoundQuestion& question : found.questions)
        collector.add(question, warnings);
    return collector.finish(std::move(warnings));
}

Format detectFormat(const QString& text)
{
    int braces = 0;
    int answerLines = 0;
    int looked = 0;
    forEachLine(text, [&](QStringView line, int) {
        if (++looked > formatLines)
            return false;
        const QStringView t = line.trimmed();
        if (t.startsWith(u"//"))
            return true;
        if (t.size() >= 7 && t.first(6).compare(u"ANSWER", Qt::CaseInsensitive) == 0
            && t.sliced(6).trimmed().startsWith(u':'))
            ++answerLines;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i] == u'\\')
                ++i;
            else if (t[i] == u'{')
                ++braces;
        }
        return true;
    });
    if (answerLines > 0 && answerLines >= braces)
        return Format::Aiken;
    if (braces > 0)
        return Format::Gift;
    return Format::Unknown;
}

Decoded decodeUtf8(const QByteArray& bytes)
{
    Decoded out;
    if (std::optional<QString> text = fromUtf8(withoutByteOrderMark(bytes)))
        out.text = std::move(*text);
    else
        out.badLine = badUtf8Line(bytes);
    return out;
}

Import importBytes(const QByteArray& bytes)
{
    Import out;
    auto notUtf8 = [&](int line) {
        out.failure = QStringLiteral("plik nie jest zapisany w UTF-8 (pierwszy błędny bajt w wierszu %1); "
                                     "zapisz go w UTF-8 i spróbuj ponownie.")
                          .arg(line);
        out.result = {};
        return out;
    };
    const QByteArrayView body = withoutByteOrderMark(bytes);
    const std::optional<QString> head = fromUtf8(body.first(endOfLines(body, formatLines)));
    if (!head)
        return notUtf8(badUtf8Line(bytes));
    out.format = detectFormat(*head);
    if (out.format == Format::Gift) {
        // Read a part at a time: a large file is never held decoded whole.
        Collector collector(body.size());
        QList<Warning> warnings;
        int lines = 0;
        for (qsizetype from = 0; from < body.size();) {
            const qsizetype to = partEnd(body, from);
            const std::optional<QString> part = fromUtf8(body.sliced(from, to - from));
            if (!part)
                return notUtf8(badUtf8Line(bytes));
            lines += readGift(*part, lines, warnings, [&](FoundQuestion& q) { collector.add(q, warnings); });
            from = to;
        }
        out.result = collector.finish(std::move(warnings));
        return out;
    }
    const Decoded decoded = decodeUtf8(bytes);
    if (decoded.badLine > 0)
        return notUtf8(decoded.badLine);
    if (out.format == Format::Aiken)
        out.result = collect(readAiken(decoded.text));
    else
        out.failure = QStringLiteral("nie rozpoznano formatu: plik nie zawiera ani odpowiedzi w nawiasach { } "
                                     "(GIFT), ani wierszy „ANSWER:” (Aiken).");
    return out;
}

QByteArray setBytes(const QList<questionset::Question>& questions)
{
    // The same bytes as the header and questionset::formatQuestion for each question, written straight
    // into one buffer: an import of the largest set must not cost a small array per field.
    QByteArray out = questionset::formatHeader();
    qsizetype size = out.size();
    for (const questionset::Question& q : questions) {
        size += q.texts.question.size() + q.texts.hint.size() + 7 * 3 + 5 * 4 + 2;
        for (const QString& answer : q.texts.answers)
            size += answer.size();
    }
    out.reserve(size);
    for (const questionset::Question& q : questions)
        appendQuestion(out, q);
    return out;
}

}  // namespace bridges
