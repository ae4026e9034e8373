#include "bridges/gift.h"

#include "bridges/lines.h"

#include <cmath>

namespace bridges {

namespace {

bool isEscapable(QChar c)
{
    switch (c.unicode()) {
    case u'~': case u'=': case u'#': case u'{': case u'}': case u':': case u'\\': case u'n':
        return true;
    default:
        return false;
    }
}

// Position of the first character at or after `from` that is not escaped and satisfies `wanted`, or -1.
// `from` must not fall inside an escape: the callers start at the beginning or just after a character
// this found.
template <typename Wanted>
qsizetype findUnescaped(QStringView s, qsizetype from, Wanted wanted)
{
    for (qsizetype i = from; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\') {
            if (i + 1 < s.size() && isEscapable(s[i + 1]))
                ++i;
            continue;
        }
        if (wanted(c))
            return i;
    }
    return -1;
}

qsizetype findUnescaped(QStringView s, qsizetype from, char16_t wanted)
{
    return findUnescaped(s, from, [wanted](QChar c) { return c == wanted; });
}

// A backslash before anything else, or at the end of a line, stays a backslash.
QString unescape(QStringView s)
{
    if (!s.contains(u'\\'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size() && isEscapable(s[i + 1])) {
            ++i;
            out += s[i] == u'n' ? QChar(u'\n') : s[i];
        } else {
            out += s[i];
        }
    }
    return out;
}

// "%50%", "%-33.33333%" at the start of an answer: the weight and the rest, or nothing.
std::optional<double> takeWeight(QStringView* body)
{
    const QStringView b = body->trimmed();
    if (!b.startsWith(u'%'))
        return std::nullopt;
    const qsizetype close = b.indexOf(u'%', 1);
    if (close < 0)
        return std::nullopt;
    const QStringView number = b.sliced(1, close - 1);
    qsizetype i = number.startsWith(u'-') ? 1 : 0;
    const qsizetype digitsFrom = i;
    while (i < number.size() && number[i].isDigit() && number[i].unicode() < 0x80)
        ++i;
    if (i == digitsFrom)
        return std::nullopt;
    if (i < number.size() && number[i] == u'.') {
        ++i;
        while (i < number.size() && number[i].isDigit() && number[i].unicode() < 0x80)
            ++i;
    }
    if (i != number.size())
        return std::nullopt;
    *body = b.sliced(close + 1);
    return number.toString().toDouble();
}

void readAnswers(QStringView block, FoundQuestion& q, QList<Warning>& warnings)
{
    qsizetype at = findUnescaped(block, 0, [](QChar c) { return c == u'~' || c == u'='; });
    if (!block.first(at < 0 ? block.size() : at).trimmed().isEmpty())
        warnings.append({q.line, QStringLiteral("tekst przed pierwszą odpowiedzią pominięto.")});
    bool feedback = false;
    bool empty = false;
    while (at >= 0) {
        const bool equals = block[at] == u'=';
        const qsizetype next = findUnescaped(block, at + 1, [](QChar c) { return c == u'~' || c == u'='; });
        QStringView body = block.sliced(at + 1, (next < 0 ? block.size() : next) - at - 1);
        const std::optional<double> weight = takeWeight(&body);
        const qsizetype hash = findUnescaped(body, 0, u'#');
        if (hash >= 0) {
            feedback = feedback || !body.sliced(hash + 1).trimmed().isEmpty();
            body = body.first(hash);
        }
        const QStringView raw = body.trimmed();
        if (raw.isEmpty())
            empty = true;
        else
            q.answers.append({unescape(raw), weight ? *weight > 0 : equals});
        at = next;
    }
    if (empty)
        warnings.append({q.line, QStringLiteral("puste odpowiedzi pominięto.")});
    if (feedback)
        warnings.append({q.line, QStringLiteral("informacje zwrotne przy odpowiedziach pominięto (zestaw ich nie ma).")});
}

// What kind of question the answer block makes, as the platforms decide it; empty for multiple choice.
QString kindLeftOut(QStringView answers)
{
    if (answers.isEmpty())
        return QStringLiteral("to pytanie otwarte (esej), a nie wielokrotnego wyboru");
    if (answers.startsWith(u'#'))
        return QStringLiteral("to pytanie liczbowe, a nie wielokrotnego wyboru");
    if (findUnescaped(answers, 0, u'~') >= 0)
        return {};
    if (findUnescaped(answers, 0, u'=') >= 0 && answers.contains(u"->"))
        return QStringLiteral("to pytanie na dopasowanie, a nie wielokrotnego wyboru");
    const qsizetype hash = findUnescaped(answers, 0, u'#');
    const QStringView plain = (hash < 0 ? answers : answers.first(hash)).trimmed();
    if (plain == u"T" || plain == u"TRUE" || plain == u"F" || plain == u"FALSE")
        return QStringLiteral("to pytanie prawda/fałsz, a nie wielokrotnego wyboru");
    return QStringLiteral("to pytanie z krótką odpowiedzią (same „=” bez „~”), a nie wielokrotnego wyboru");
}

std::optional<FoundQuestion> readBlock(QStringView block, int line, QList<Warning>& warnings)
{
    FoundQuestion q;
    q.line = line;
    auto leftOut = [&](const QString& why) {
        q.skipReason = why;
        return q;
    };
    if (block.startsWith(u"$CATEGORY:")) {
        const qsizetype end = block.indexOf(u'\n');
        if (end < 0)
            return std::nullopt;
        block = block.sliced(end + 1).trimmed();
        if (block.isEmpty())
            return std::nullopt;
    }
    if (block.startsWith(u"::")) {
        qsizetype close = 1;
        do
            close = findUnescaped(block, close + 1, u':');
        while (close >= 0 && !(close + 1 < block.size() && block[close + 1] == u':'));
        if (close < 0)
            return leftOut(QStringLiteral("tytuł po „::” nie jest zamknięty przez „::”"));
        block = block.sliced(close + 2).trimmed();
    }
    for (QStringView marker : {u"[html]", u"[moodle]", u"[plain]", u"[markdown]"}) {
        if (block.startsWith(marker)) {
            block = block.sliced(marker.size());
            break;
        }
    }
    auto brace = [](QChar c) { return c == u'{' || c == u'}'; };
    const qsizetype open = findUnescaped(block, 0, brace);
    if (open < 0)
        return leftOut(QStringLiteral("nie ma odpowiedzi w nawiasach { } (to opis, nie pytanie)"));
    if (block[open] == u'}')
        return leftOut(QStringLiteral("nawias „}” bez otwierającego „{”"));
    const qsizetype close = findUnescaped(block, open + 1, brace);
    if (close < 0)
        return leftOut(QStringLiteral("brak zamykającego nawiasu „}”"));
    if (block[close] == u'{')
        return leftOut(QStringLiteral("nawias „{” wewnątrz odpowiedzi"));
    if (findUnescaped(block, close + 1, brace) >= 0)
        return leftOut(QStringLiteral("więcej niż jeden blok odpowiedzi { } albo zbędny nawias"));

    const QStringView before = block.first(open).trimmed();
    const QStringView after = block.sliced(close + 1).trimmed();
    if (after.isEmpty()) {
        q.text = unescape(before);
    } else {
        // The missing-word form: the answer goes into the gap.
        q.text = before.isEmpty() ? QString() : unescape(before) + u' ';
        q.text += QStringLiteral("_____ ") + unescape(after);
    }

    QStringView answers = block.sliced(open + 1, close - open - 1);
    for (qsizetype hash = findUnescaped(answers, 0, u'#'); hash >= 0; hash = findUnescaped(answers, hash + 1, u'#')) {
        if (answers.sliced(hash).startsWith(u"####")) {
            q.hint = unescape(answers.sliced(hash + 4).trimmed());
            answers = answers.first(hash);
            break;
        }
    }
    answers = answers.trimmed();
    const QString kind = kindLeftOut(answers);
    if (!kind.isEmpty())
        return leftOut(kind);
    readAnswers(answers, q, warnings);
    return q;
}

}  // namespace

Found readGift(const QString& text)
{
    Found found;
    QString block;
    int blockLine = 0;
    auto finish = [&] {
        if (blockLine == 0)
            return;
        if (auto q = readBlock(QStringView(block).trimmed(), blockLine, found.warnings))
            found.questions.append(std::move(*q));
        block.clear();
        blockLine = 0;
    };
    forEachLine(text, [&](QStringView line, int number) {
        const QStringView t = line.trimmed();
        if (t.isEmpty()) {
            finish();
        } else if (!t.startsWith(u"//")) {
            if (blockLine == 0)
                blockLine = number;
            else
                block += u'\n';
            block += line;
        }
        return true;
    });
    finish();
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
            return e;
        };
        QString question = text(q.texts.question);
        // A text that begins like a format marker keeps it behind a marker of its own.
        for (QStringView marker : {u"[html]", u"[moodle]", u"[plain]", u"[markdown]"}) {
            if (question.startsWith(marker)) {
                question.prepend(u"[moodle]");
                break;
            }
        }
        gift += QStringLiteral("::Pytanie %1::").arg(n) + question + QStringLiteral(" {\r\n");
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
