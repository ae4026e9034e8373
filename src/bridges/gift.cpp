#include "bridges/gift.h"

#include "bridges/lines.h"
#include "bridges/markup.h"

#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <functional>

namespace bridges {

namespace {

// The file is read as UTF-8 bytes: every character that gives a block its shape is ASCII, and no byte of
// a longer UTF-8 sequence is, so the bytes are read where they lie and only the texts are decoded.

bool isEscapable(char c)
{
    switch (c) {
    case '~': case '=': case '#': case '{': case '}': case ':': case '\\': case 'n':
        return true;
    default:
        return false;
    }
}

// Whether the character at `i` is escaped: every character the escapes apply to, the backslash included,
// is escaped exactly when an odd run of backslashes stands right before it.
bool escapedAt(QByteArrayView b, qsizetype i)
{
    qsizetype run = 0;
    while (i - run > 0 && b[i - run - 1] == '\\')
        ++run;
    return run % 2 == 1;
}

// Position of the first `wanted` in [from, to) that no backslash escapes, or -1. Each run of backslashes
// is counted for the one character after it, so a search costs the length it looks through.
qsizetype findUnescaped(QByteArrayView b, qsizetype from, qsizetype to, char wanted)
{
    const QByteArrayView within = b.first(to);
    for (qsizetype i = within.indexOf(wanted, from); i >= 0; i = within.indexOf(wanted, i + 1))
        if (!escapedAt(b, i))
            return i;
    return -1;
}

// Position of the first answer mark ("~" or "=") in [from, to) that no backslash escapes, or -1.
qsizetype findAnswerMark(QByteArrayView b, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        if ((b[i] == '~' || b[i] == '=') && !escapedAt(b, i))
            return i;
    return -1;
}

// A text of the file as the set takes it: the escapes resolved (a backslash before anything else, or at
// the end of a line, stays a backslash), and each line end of the file and each "\n" a CR LF.
QString setText(QByteArrayView s)
{
    if (!s.contains('\\') && !s.contains('\r') && !s.contains('\n'))
        return textOfUtf8(s);
    qsizetype breaks = 0;
    for (const char c : s)
        breaks += c == '\n' || c == '\r' ? 1 : 0;
    QString out(s.size() + breaks, Qt::Uninitialized);
    // A run between two escapes is whole UTF-8; a character U+FEFF at its start is text like any other.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QChar* o = out.data();
    qsizetype from = 0;  // the start of the run not yet written
    auto put = [&](qsizetype to, QLatin1StringView what) {
        o = utf8.appendToBuffer(o, s.sliced(from, to - from));
        for (const char c : what)
            *o++ = QLatin1Char(c);
    };
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] == '\\' && i + 1 < s.size() && isEscapable(s[i + 1])) {
            put(i, s[i + 1] == 'n' ? QLatin1StringView("\r\n") : QLatin1StringView(s.data() + i + 1, 1));
            i += 2;
        } else if (s[i] == '\r' || s[i] == '\n') {
            put(i, QLatin1StringView("\r\n"));
            i += lineEndLength(s, i);
        } else {
            ++i;
            continue;
        }
        from = i;
    }
    put(s.size(), {});
    out.truncate(o - out.constData());
    return out;
}

// A text whose escapes are resolved, as a reader sees it in `format`.
QString shown(QString text, TextFormat format, LeftOutMedia& media)
{
    return isMarkup(text, format) ? readableText(text, format, &media) : text;
}

// A text of the question as a reader sees it: its own format marker, or else the question's, says how it is
// written. Pictures and recordings left out are noted in `media`.
QString readable(QByteArrayView raw, TextFormat questionFormat, LeftOutMedia& media)
{
    QString text = setText(raw);
    QStringView rest = text;
    const TextFormat own = takeFormatMarker(rest);
    if (own == TextFormat::Unmarked)
        return shown(std::move(text), questionFormat, media);
    // Blanks and line ends between the marker and the text are the file's layout, as those before the marker
    // are. The marker is plain ASCII with nothing escaped, as long in the file as in the text.
    return shown(setText(raw.sliced(text.size() - rest.size()).trimmed()), own, media);
}

// The question's own text, whose marker was taken off with the title.
QString readableQuestion(QByteArrayView raw, TextFormat format, LeftOutMedia& media)
{
    return shown(setText(raw), format, media);
}

// "%50%", "%-33.33333%" at the start of an answer: whether the weight is above zero (a right answer), and
// the rest; nothing when the answer does not begin with a weight.
std::optional<bool> takeWeight(QByteArrayView* body)
{
    const QByteArrayView b = body->trimmed();
    if (b.isEmpty() || b[0] != '%')
        return std::nullopt;
    qsizetype i = 1;
    const bool negative = i < b.size() && b[i] == '-';
    if (negative)
        ++i;
    const qsizetype digitsFrom = i;
    bool nonZero = false;
    auto digits = [&] {
        while (i < b.size() && b[i] >= '0' && b[i] <= '9')
            nonZero = b[i++] != '0' || nonZero;
    };
    digits();
    if (i == digitsFrom)
        return std::nullopt;
    if (i < b.size() && b[i] == '.') {
        ++i;
        digits();
    }
    if (i >= b.size() || b[i] != '%')
        return std::nullopt;
    *body = b.sliced(i + 1);
    return nonZero && !negative;
}

// Where a slice of the block begins.
qsizetype offset(QByteArrayView block, QByteArrayView slice)
{
    return slice.data() - block.data();
}

// The answers of `block` lie in [begin, end). Only the first five are kept, the rest counted: a question
// with more is left out whatever they say.
void readAnswers(QByteArrayView block, qsizetype begin, qsizetype end, TextFormat format, LeftOutMedia& media,
                 FoundQuestion& q, QList<Warning>& warnings)
{
    qsizetype at = findAnswerMark(block, begin, end);
    if (!block.sliced(begin, (at < 0 ? end : at) - begin).trimmed().isEmpty())
        warnings.append({q.line, QStringLiteral("tekst przed pierwszą odpowiedzią pominięto.")});
    bool feedback = false;
    bool empty = false;
    while (at >= 0) {
        const bool equals = block[at] == '=';
        const qsizetype next = findAnswerMark(block, at + 1, end);
        const qsizetype bodyEnd = next < 0 ? end : next;
        QByteArrayView body = block.sliced(at + 1, bodyEnd - at - 1);
        const std::optional<bool> weight = takeWeight(&body);
        const qsizetype bodyFrom = offset(block, body);
        const qsizetype hash = findUnescaped(block, bodyFrom, bodyEnd, '#');
        if (hash >= 0) {
            feedback = feedback || !block.sliced(hash + 1, bodyEnd - hash - 1).trimmed().isEmpty();
            body = block.sliced(bodyFrom, hash - bodyFrom);
        }
        // An answer of blanks alone, or of markup that shows nothing, is as empty as one with no text.
        const QString text = readable(body.trimmed(), format, media);
        if (text.trimmed().isEmpty()) {
            empty = true;
        } else {
            addAnswer(q, text, weight ? *weight : equals);
        }
        at = next;
    }
    if (empty)
        warnings.append({q.line, emptyAnswersLeftOut});
    if (feedback)
        warnings.append({q.line, answerFeedbackLeftOut});
}

// The answer of a true/false question ("T", "TRUE", "F", "FALSE" in any letter case, feedback after "#"
// aside): whether it says true; nothing for any other answer block.
std::optional<bool> trueFalseAnswer(QByteArrayView block, qsizetype begin, qsizetype end)
{
    const qsizetype hash = findUnescaped(block, begin, end, '#');
    const QByteArray word = block.sliced(begin, (hash < 0 ? end : hash) - begin).trimmed().toByteArray().toUpper();
    if (word == "T" || word == "TRUE")
        return true;
    if (word == "F" || word == "FALSE")
        return false;
    return std::nullopt;
}

// What kind of question the answer block in [begin, end) makes, as the platforms decide it; empty for
// multiple choice.
QString kindLeftOut(QByteArrayView block, qsizetype begin, qsizetype end)
{
    const QByteArrayView answers = block.sliced(begin, end - begin);
    if (answers.isEmpty())
        return QStringLiteral("to pytanie otwarte (esej), a nie wielokrotnego wyboru");
    if (answers.startsWith('#'))
        return QStringLiteral("to pytanie liczbowe, a nie wielokrotnego wyboru");
    if (findUnescaped(block, begin, end, '~') >= 0)
        return {};
    if (findUnescaped(block, begin, end, '=') >= 0 && answers.contains(QByteArrayView("->")))
        return QStringLiteral("to pytanie na dopasowanie, a nie wielokrotnego wyboru");
    return QStringLiteral("to pytanie z krótką odpowiedzią (same „=” bez „~”), a nie wielokrotnego wyboru");
}

std::optional<FoundQuestion> readBlock(QByteArrayView block, int line, QList<Warning>& warnings)
{
    FoundQuestion q;
    q.line = line;
    auto leftOut = [&](const QString& why) {
        q.skipReason = why;
        return q;
    };
    if (block.startsWith(QByteArrayView("$CATEGORY:"))) {
        const qsizetype end = nextLineEnd(block, 0);
        if (end == block.size())
            return std::nullopt;
        block = block.sliced(end).trimmed();
        if (block.isEmpty())
            return std::nullopt;
    }
    if (block.startsWith(QByteArrayView("::"))) {
        qsizetype close = findUnescaped(block, 2, block.size(), ':');
        while (close >= 0 && !(close + 1 < block.size() && block[close + 1] == ':'))
            close = findUnescaped(block, close + 1, block.size(), ':');
        if (close < 0)
            return leftOut(QStringLiteral("tytuł po „::” nie jest zamknięty przez „::”"));
        block = block.sliced(close + 2).trimmed();
    }
    // The question's format marker says how its texts are written, unless an answer names its own.
    // Latin-1 keeps one character a byte, so what the marker takes off the characters it takes off the bytes.
    const QString head = QString::fromLatin1(block.first(std::min<qsizetype>(block.size(), 10)));
    QStringView headLeft = head;
    const TextFormat format = takeFormatMarker(headLeft);
    block = block.sliced(head.size() - headLeft.size());
    LeftOutMedia media;
    const qsizetype size = block.size();
    const qsizetype open = findUnescaped(block, 0, size, '{');
    const qsizetype close = findUnescaped(block, 0, size, '}');
    if (open < 0 && close < 0)
        return leftOut(QStringLiteral("nie ma odpowiedzi w nawiasach { } (to opis, nie pytanie)"));
    if (close >= 0 && (open < 0 || close < open))
        return leftOut(QStringLiteral("nawias „}” bez otwierającego „{”"));
    if (close < 0)
        return leftOut(QStringLiteral("brak zamykającego nawiasu „}”"));
    const qsizetype nextOpen = findUnescaped(block, open + 1, size, '{');
    if (nextOpen >= 0 && nextOpen < close)
        return leftOut(QStringLiteral("nawias „{” wewnątrz odpowiedzi"));
    if (nextOpen >= 0 || findUnescaped(block, close + 1, size, '}') >= 0)
        return leftOut(QStringLiteral("więcej niż jeden blok odpowiedzi { } albo zbędny nawias"));

    const QByteArrayView before = block.first(open).trimmed();
    const QByteArrayView after = block.sliced(close + 1).trimmed();
    if (after.isEmpty()) {
        q.text = readableQuestion(before, format, media);
    } else {
        // The missing-word form: the answer goes into the gap.
        const QString start = readableQuestion(before, format, media);
        q.text = start.isEmpty() ? QString() : start + u' ';
        q.text += QStringLiteral("_____ ") + readableQuestion(after, format, media);
    }

    qsizetype begin = open + 1;
    qsizetype end = close;
    for (qsizetype h = findUnescaped(block, begin, end, '#'); h >= 0; h = findUnescaped(block, h + 1, end, '#')) {
        if (h + 3 < end && block[h + 1] == '#' && block[h + 2] == '#' && block[h + 3] == '#') {
            q.hint = readable(block.sliced(h + 4, end - h - 4).trimmed(), format, media);
            end = h;
            break;
        }
    }
    const QByteArrayView answers = block.sliced(begin, end - begin).trimmed();
    begin = offset(block, answers);
    end = begin + answers.size();
    if (q.text.trimmed().isEmpty() && !(before.isEmpty() && after.isEmpty()))
        return leftOut(QStringLiteral("pytanie nie ma tekstu (same odstępy albo znaczniki HTML)"));
    if (const std::optional<bool> isTrue = trueFalseAnswer(block, begin, end)) {
        setTrueFalse(q, *isTrue, !*isTrue);
        if (findUnescaped(block, begin, end, '#') >= 0)
            warnings.append({q.line, answerFeedbackLeftOut});
    } else {
        const QString kind = kindLeftOut(block, begin, end);
        if (!kind.isEmpty())
            return leftOut(kind);
        readAnswers(block, begin, end, format, media, q, warnings);
    }
    warnLeftOut(media, q.line, warnings);
    return q;
}

}  // namespace

void readGift(QByteArrayView utf8, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
{
    // A block without comment lines is read where it stands in the bytes; only one with comment lines
    // between its lines is put together anew.
    qsizetype begin = -1;
    qsizetype end = 0;
    bool commented = false;
    QByteArray joined;
    int blockLine = 0;
    auto finish = [&] {
        if (blockLine == 0)
            return;
        const QByteArrayView block = commented ? QByteArrayView(joined) : utf8.sliced(begin, end - begin);
        if (auto q = readBlock(block.trimmed(), blockLine, warnings))
            take(*q);
        joined.clear();
        commented = false;
        blockLine = 0;
    };
    forEachLine(utf8, [&](QByteArrayView line, int number) {
        const QByteArrayView t = line.trimmed();
        if (t.isEmpty()) {
            finish();
        } else if (t.startsWith(QByteArrayView("//"))) {
            if (blockLine != 0 && !commented) {
                commented = true;
                joined = utf8.sliced(begin, end - begin).toByteArray();
            }
        } else {
            const qsizetype at = offset(utf8, line);
            if (blockLine == 0) {
                blockLine = number;
                begin = at;
            } else if (commented) {
                joined += '\n';
                joined += line;
            }
            end = at + line.size();
        }
        return true;
    });
    finish();
}

Found readGift(const QString& text)
{
    Found found;
    readGift(text.toUtf8(), found.warnings, [&](FoundQuestion& q) { found.questions.append(std::move(q)); });
    return found;
}

namespace {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'~': case u'=': case u'#': case u'{': case u'}': case u':': case u'\\':
            out += u'\\';
            out += c;
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += QStringLiteral("\\n");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool hasLoneBreak(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return true;
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return true;
    }
    return false;
}

bool blankAtEnds(const QString& escapedText)
{
    return !escapedText.isEmpty() && (escapedText.front().isSpace() || escapedText.back().isSpace());
}

QString weight(double percent)
{
    if (percent == std::floor(percent))
        return QString::number(static_cast<int>(percent));
    return QString::number(percent, 'f', 5);
}

}  // namespace

Exported writeGift(const QList<questionset::Question>& questions)
{
    Exported out;
    QString gift = QStringLiteral("// Pytania wielokrotnego wyboru z programu WIEDO\r\n\r\n");
    for (qsizetype n = 1; n <= questions.size(); ++n) {
        const questionset::Question& q = questions[n - 1];
        auto note = [&](const QString& what) { out.warnings.append({static_cast<int>(n), what}); };
        QList<int> kept;
        bool blankAnswer = false;
        for (int i = 0; i < 5; ++i) {
            const QString& answer = q.texts.answers[i];
            if (!answer.trimmed().isEmpty())
                kept.append(i);
            else
                blankAnswer = blankAnswer || !answer.isEmpty();
        }
        if (!kept.isEmpty() && kept.back() + 1 != kept.size())
            note(QStringLiteral("puste odpowiedzi pominięto, więc dalsze odpowiedzi przesuną się na ich miejsce."));
        if (kept.isEmpty()) {
            note(QStringLiteral("pominięto pytanie: nie ma żadnej odpowiedzi."));
            ++out.skipped;
            continue;
        }
        if (blankAnswer)
            note(QStringLiteral("odpowiedzi z samych odstępów pominięto jak puste."));
        int correct = 0;
        bool percentFirst = false;
        for (int i : kept) {
            // The test takes any flag but 1 for a wrong answer, and so does the export.
            if (q.flags[i] != 1 && q.flags[i] != 2)
                note(QStringLiteral("odpowiedź %1 ma oznaczenie %2 (ani 1 – dobra, ani 2 – zła); zapisano ją jako złą.")
                         .arg(QChar(u'A' + i)).arg(q.flags[i]));
            correct += q.flags[i] == 1 ? 1 : 0;
            percentFirst = percentFirst || q.texts.answers[i].trimmed().startsWith(u'%');
        }
        const int wrong = static_cast<int>(kept.size()) - correct;
        if (correct == 0)
            note(QStringLiteral("żadna odpowiedź nie jest poprawna; platformy mogą nie przyjąć takiego pytania."));
        // One right answer among wrong ones is the plain "=" form; anything else needs weights, and a
        // text beginning with "%" would be taken for a weight unless one stands before it.
        const bool weighted = correct != 1 || wrong == 0 || percentFirst;
        const QString right = correct > 0 ? weight(100.0 / correct) : QStringLiteral("0");
        const QString notRight = correct > 0 && wrong > 0 ? weight(-100.0 / wrong) : QStringLiteral("0");

        bool blanks = false;
        bool loneBreaks = false;
        auto text = [&](const QString& t) {
            const QString e = escaped(t);
            blanks = blanks || blankAtEnds(e);
            loneBreaks = loneBreaks || hasLoneBreak(t);
            // A text that begins like a format marker keeps it behind a marker of its own, one that
            // leaves the text as it is.
            return startsWithFormatMarker(e) ? QStringLiteral("[plain]") + e : e;
        };
        gift += QStringLiteral("::Pytanie %1::").arg(n) + text(q.texts.question) + QStringLiteral(" {\r\n");
        for (int i : kept) {
            const bool isRight = q.flags[i] == 1;
            gift += u'\t';
            if (weighted)
                gift += QStringLiteral("~%") + (isRight ? right : notRight) + u'%';
            else
                gift += isRight ? u'=' : u'~';
            gift += text(q.texts.answers[i]) + QStringLiteral("\r\n");
        }
        if (q.texts.hint != noHint)
            gift += QStringLiteral("\t####") + text(q.texts.hint) + QStringLiteral("\r\n");
        gift += QStringLiteral("}\r\n\r\n");
        if (blanks)
            note(QStringLiteral("odstępy na początku lub końcu tekstu nie przetrwają zapisu w GIFT."));
        if (loneBreaks)
            note(QStringLiteral("podziały wierszy zapisano jako \\n; po imporcie będą to CR LF."));
        ++out.written;
    }
    out.bytes = gift.toUtf8();
    return out;
}

}  // namespace bridges
