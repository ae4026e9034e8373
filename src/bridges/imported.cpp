#include "bridges/imported.h"

#include "bridges/aiken.h"
#include "bridges/gift.h"
#include "bridges/lines.h"
#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bridges {

namespace {

// The Polish quotes stand in for the double quote a set cannot store, opening and closing in turn. The text
// is changed in place.
QString withPolishQuotes(QString text, bool* changed)
{
    if (!text.contains(u'"'))
        return text;
    *changed = true;
    bool opening = true;
    for (QChar& c : text) {
        if (c == u'"') {
            c = opening ? QChar(0x201E) : QChar(0x201D);
            opening = !opening;
        }
    }
    return text;
}

const std::array<std::int16_t, 65536>& byteOf()
{
    return platform::bytesOf1250();
}

// The first character (a code point) of the text that Windows-1250 has not, or 0.
char32_t firstOutside(const QString& text)
{
    const auto& bytes = byteOf();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (bytes[c] >= 0)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[i + 1].unicode());
        return c;
    }
    return 0;
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

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence, or -1.
qsizetype firstBadUtf8(QByteArrayView bytes)
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
    if (const char32_t c = firstOutside(q.texts.question))
        return c;
    for (const QString& answer : q.texts.answers)
        if (const char32_t c = firstOutside(answer))
            return c;
    return firstOutside(q.texts.hint);
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
    if (found.answerCount > 5)
        return skip(QStringLiteral("ma %1 odpowiedzi, a zestaw mieści najwyżej pięć").arg(found.answerCount));

    bool quoted = false;
    questionset::Question q;
    q.texts.question = withPolishQuotes(std::move(found.text), &quoted);
    bool anyCorrect = false;
    for (qsizetype i = 0; i < found.answers.size(); ++i) {
        q.texts.answers[i] = withPolishQuotes(std::move(found.answers[i].text), &quoted);
        q.flags[i] = found.answers[i].correct ? 1 : 2;
        anyCorrect = anyCorrect || found.answers[i].correct;
    }
    q.texts.hint = found.hint ? withPolishQuotes(std::move(*found.hint), &quoted) : noHint;
    // The letters are looked up once, as the set's bytes are made; only a question that does not fit is
    // looked at again to name the character.
    const qsizetype before = bytes.size();
    if (!appendQuestion(bytes, q)) {
        bytes.truncate(before);
        return skip(QStringLiteral("znak %1 nie mieści się w kodowaniu Windows-1250").arg(describe(firstUnfit(q))));
    }
    if (quoted)
        warnings.append({found.line, QStringLiteral("cudzysłowy zamieniono na „ ”, bo zestaw nie przechowuje znaku \".")});
    if (!anyCorrect)
        warnings.append({found.line, QStringLiteral("żadna odpowiedź nie jest poprawna.")});
    return q;
}

QByteArrayView withoutByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

// Offset of the first byte that is not UTF-8 text, a NUL or a byte outside UTF-8, or -1.
qsizetype firstNotText(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView before = nul < 0 ? bytes : bytes.first(nul);
    if (before.isValidUtf8())
        return nul;
    return std::max<qsizetype>(firstBadUtf8(before), 0);
}

// Why the bytes are not UTF-8 text, or nothing.
std::optional<QString> notText(QByteArrayView bytes)
{
    const QString again = QStringLiteral("; zapisz go w UTF-8 i spróbuj ponownie.");
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("plik jest zapisany w UTF-16, a nie w UTF-8") + again;
    const qsizetype bad = firstNotText(bytes);
    if (bad < 0)
        return std::nullopt;
    // A NUL is UTF-8, but no text holds one; a file in UTF-16 without its mark holds one in every other byte.
    if (bytes[bad] == '\0')
        return QStringLiteral("plik nie jest tekstem w UTF-8 (w wierszu %1 jest bajt zerowy; taki bywa plik zapisany "
                              "w UTF-16)").arg(lineAt(bytes, bad)) + again;
    return QStringLiteral("plik nie jest zapisany w UTF-8 (pierwszy błędny bajt w wierszu %1)").arg(lineAt(bytes, bad))
        + again;
}

// The unescaped "{" of GIFT on a line.
bool holdsBrace(QByteArrayView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '{')
            return true;
    }
    return false;
}

}  // namespace

Collector::Collector(qsizetype expectedBytes, bool keepQuestions) : keepQuestions_(keepQuestions)
{
    imported_.setBytes = questionset::formatHeader();
    imported_.setBytes.reserve(std::max(expectedBytes, imported_.setBytes.size()));
}

void Collector::add(FoundQuestion& found, QList<Warning>& warnings)
{
    if (auto q = takeSetQuestion(found, warnings, imported_.setBytes)) {
        ++imported_.taken;
        if (keepQuestions_)
            imported_.questions.append(std::move(*q));
    } else {
        ++imported_.skipped;
    }
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

Format detectFormat(QByteArrayView utf8)
{
    Format format = Format::Unknown;
    bool anyBrace = false;
    bool blockBrace = false;   // the block holds an unescaped "{"
    bool blockAnswers = false; // the block holds Aiken answer lines
    bool questionOpen = false; // an Aiken question line was read, and no "ANSWER:" line since
    bool answersOpen = false;  // answer lines follow it
    auto endBlock = [&] {
        if (blockBrace && !blockAnswers)
            format = Format::Gift;
        blockBrace = blockAnswers = false;
    };
    forEachLine(utf8, [&](QByteArrayView line, int) {
        const QByteArrayView t = line.trimmed();
        if (t.isEmpty()) {
            endBlock();
        } else if (t.startsWith(QByteArrayView("//"))) {
        } else if (aikenKey(t)) {
            if (answersOpen)
                format = Format::Aiken;
            questionOpen = answersOpen = false;
        } else {
            if (questionOpen && isAikenAnswer(t)) {
                answersOpen = blockAnswers = true;
            } else {
                questionOpen = true;
                answersOpen = false;
            }
            if (holdsBrace(t))
                anyBrace = blockBrace = true;
        }
        return format == Format::Unknown;
    });
    if (format == Format::Unknown)
        endBlock();
    if (format == Format::Unknown && anyBrace)
        format = Format::Gift;
    return format;
}

Format detectFormat(const QString& text)
{
    return detectFormat(QByteArrayView(text.toUtf8()));
}

Decoded decodeUtf8(const QByteArray& bytes)
{
    Decoded out;
    const QByteArrayView body = withoutByteOrderMark(bytes);
    if (const qsizetype bad = firstNotText(body); bad >= 0)
        out.badLine = lineAt(body, bad);
    else
        out.text = QString::fromUtf8(body);
    return out;
}

Import importBytes(const QByteArray& bytes, const std::function<void(const Warning&)>& warn)
{
    Import out;
    const QByteArrayView body = withoutByteOrderMark(bytes);
    if (const std::optional<QString> why = notText(body)) {
        out.failure = *why;
        return out;
    }
    out.format = detectFormat(body);
    if (out.format == Format::Unknown) {
        out.failure = QStringLiteral("nie rozpoznano formatu: plik nie zawiera ani odpowiedzi w nawiasach { } "
                                     "(GIFT), ani pytań zakończonych wierszem „ANSWER:” (Aiken).");
        return out;
    }
    Collector collector(body.size(), !warn);
    QList<Warning> warnings;
    // A reader's warnings come before the question they concern is taken, and concern no line after it.
    const auto passOn = [&] {
        if (warn) {
            for (const Warning& w : warnings)
                warn(w);
            warnings.clear();
        }
    };
    const auto take = [&](FoundQuestion& q) {
        collector.add(q, warnings);
        passOn();
    };
    if (out.format == Format::Gift)
        readGift(body, warnings, take);
    else
        readAiken(body, warnings, take);
    passOn();
    out.result = collector.finish(std::move(warnings));
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
