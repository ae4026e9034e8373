#include "bridges/imported.h"

#include "bridges/aiken.h"
#include "bridges/gift.h"
#include "bridges/lines.h"
#include "bridges/quiz_xml.h"
#include "platform/codepage.h"

#include <algorithm>
#include <cstdint>

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

// A text field as the record writer makes it, appended to `out`: quoted, in Windows-1250, "?" for a
// character outside it (one for a surrogate pair). Returns the first such character (a code point), or 0.
char32_t appendTextField(QByteArray& out, const QString& text)
{
    const auto& byteOf = platform::bytesOf1250();
    char32_t outside = 0;
    // One byte a character at most: room for all of them and the quotes, cut to what was written.
    const qsizetype start = out.size();
    out.resize(start + text.size() + 2);
    char* p = out.data() + start;
    *p++ = '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (const std::int16_t byte = byteOf[c]; byte >= 0) {
            *p++ = static_cast<char>(byte);
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i].unicode());
        if (outside == 0)
            outside = code;
        *p++ = '?';
    }
    *p++ = '"';
    out.truncate(p - out.constData());
    return outside;
}

// A question's two records, as questionset::formatQuestion makes them. Returns the first character of its
// texts that Windows-1250 has not, or 0.
char32_t appendQuestion(QByteArray& out, const questionset::Question& q)
{
    char32_t outside = appendTextField(out, q.texts.question);
    for (const QString& answer : q.texts.answers) {
        out += ',';
        const char32_t c = appendTextField(out, answer);
        outside = outside ? outside : c;
    }
    out += ',';
    const char32_t c = appendTextField(out, q.texts.hint);
    outside = outside ? outside : c;
    out += "\r\n";
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            out += ',';
        out += QByteArray::number(q.flags[i]);
    }
    out += "\r\n";
    return outside;
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
    const qsizetype before = bytes.size();
    if (const char32_t outside = appendQuestion(bytes, q)) {
        bytes.truncate(before);
        return skip(QStringLiteral("znak %1 nie mieści się w kodowaniu Windows-1250").arg(describe(outside)));
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

namespace {

// GIFT or Aiken, by the rules detectFormat gives for a UTF-8 text.
Format textFormat(QByteArrayView utf8)
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

}  // namespace

Format detectFormat(QByteArrayView bytes)
{
    return isQuizXml(bytes) ? Format::QuizXml : textFormat(bytes);
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
        out.text = textOfUtf8(body);
    return out;
}

namespace {

// A file that is not well-formed is refused whole, so its warnings wait for the end of the file.
Import importQuizXml(const QByteArray& bytes, const std::function<void(const Warning&)>& warn)
{
    Import out;
    out.format = Format::QuizXml;
    Collector collector(bytes.size(), !warn);
    QList<Warning> warnings;
    out.failure = readQuizXml(bytes, warnings, [&](FoundQuestion& q) { collector.add(q, warnings); });
    if (!out.failure.isEmpty())
        return out;
    out.result = collector.finish(std::move(warnings));
    if (warn) {
        for (const Warning& w : out.result.warnings)
            warn(w);
        out.result.warnings.clear();
    }
    return out;
}

}  // namespace

Import importBytes(const QByteArray& bytes, const std::function<void(const Warning&)>& warn)
{
    if (isQuizXml(bytes))
        return importQuizXml(bytes, warn);
    Import out;
    const QByteArrayView body = withoutByteOrderMark(bytes);
    if (const std::optional<QString> why = notText(body)) {
        out.failure = *why;
        return out;
    }
    out.format = textFormat(body);
    if (out.format == Format::Unknown) {
        out.failure = QStringLiteral("nie rozpoznano formatu: plik nie zawiera ani odpowiedzi w nawiasach { } "
                                     "(GIFT), ani pytań zakończonych wierszem „ANSWER:” (Aiken), ani elementu "
                                     "<quiz> (XML).");
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

void addAnswer(FoundQuestion& q, QString text, bool correct)
{
    if (q.answers.size() < 5)
        q.answers.append({std::move(text), correct});
    ++q.answerCount;
}

void setTrueFalse(FoundQuestion& q, bool trueIsRight, bool falseIsRight)
{
    q.answers = {{QStringLiteral("Prawda"), trueIsRight}, {QStringLiteral("Fałsz"), falseIsRight}};
    q.answerCount = 2;
}

QByteArray setBytes(const QList<questionset::Question>& questions)
{
    QByteArray out = questionset::formatHeader();
    for (const questionset::Question& q : questions)
        appendQuestion(out, q);
    return out;
}

}  // namespace bridges
