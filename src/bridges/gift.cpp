#include "bridges/gift.h"

#include "bridges/lines.h"

#include <algorithm>
#include <cmath>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Whether the character at `i` is escaped: every character the escapes apply to, the backslash included,
// is escaped exactly when an odd run of backslashes stands right before it.
bool escapedAt(QStringView s, qsizetype i)
{
    qsizetype run = 0;
    while (i - run > 0 && s[i - run - 1] == u'\\')
        ++run;
    return run % 2 == 1;
}

// Position of the first unescaped `wanted` at or after `from`, or -1.
qsizetype findUnescaped(QStringView s, qsizetype from, char16_t wanted)
{
    for (qsizetype i = s.indexOf(QChar(wanted), from); i >= 0; i = s.indexOf(QChar(wanted), i + 1))
        if (!escapedAt(s, i))
            return i;
    return -1;
}

// A backslash before anything else, or at the end of a line, stays a backslash. The line ends of the file
// (CR LF, LF or CR) inside a text become "\n".
QString unescape(QStringView s)
{
    if (!s.contains(u'\\') && !s.contains(u'\r'))
        return s.toString();
    QString out(s.size(), Qt::Uninitialized);
    QChar* o = out.data();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\' && i + 1 < s.size() && isEscapable(s[i + 1])) {
            ++i;
            *o++ = s[i] == u'n' ? QChar(u'\n') : s[i];
        } else if (c == u'\r') {
            if (i + 1 < s.size() && s[i + 1] == u'\n')
                ++i;
            *o++ = u'\n';
        } else {
            *o++ = c;
        }
    }
    out.truncate(o - out.constData());
    return out;
}

// "%50%", "%-33.33333%" at the start of an answer: whether the weight is above zero (a right answer), and
// the rest; nothing when the answer does not begin with a weight.
std::optional<bool> takeWeight(QStringView* body)
{
    const QStringView b = body->trimmed();
    if (b.isEmpty() || b[0] != u'%')
        return std::nullopt;
    qsizetype i = 1;
    const bool negative = i < b.size() && b[i] == u'-';
    if (negative)
        ++i;
    const qsizetype digitsFrom = i;
    bool nonZero = false;
    auto digits = [&] {
        while (i < b.size() && b[i] >= u'0' && b[i] <= u'9')
            nonZero = b[i++] != u'0' || nonZero;
    };
    digits();
    if (i == digitsFrom)
        return std::nullopt;
    if (i < b.size() && b[i] == u'.') {
        ++i;
        digits();
    }
    if (i >= b.size() || b[i] != u'%')
        return std::nullopt;
    *body = b.sliced(i + 1);
    return nonZero && !negative;
}

// An unescaped character that gives a block its shape, or one that a text holding it needs work for
// (a backslash, a line end, a double quote), at its place in the block. Letters beyond ASCII are left to the
// making of the set's bytes, which looks each one up anyway.
struct Mark {
    qsizetype at;
    char16_t c;
};

struct Scan {
    std::vector<Mark> marks;  // in order
};

bool shapes(char16_t c)
{
    switch (c) {
    case u'~': case u'=': case u'#': case u'{': case u'}': case u':': case u'\\':
        return true;
    default:
        return false;
    }
}

bool troubles(char16_t c)
{
    return c == u'\\' || c == u'\r' || c == u'\n' || c == u'"';
}

// One character the scan stopped at; returns the index to go on from. A character after a backslash is
// escaped exactly when the backslash is not itself escaped, so skipping the escaped character keeps the
// count of a run of backslashes.
inline qsizetype note(const char16_t* s, qsizetype n, qsizetype i, std::vector<Mark>& marks)
{
    const char16_t c = s[i];
    switch (c) {
    case u'\\':
        marks.push_back({i, c});
        return i + 1 < n && shapes(s[i + 1]) ? i + 2 : i + 1;
    case u'\r': case u'\n': case u'"': case u'~': case u'=': case u'#': case u'{': case u'}': case u':':
        marks.push_back({i, c});
        return i + 1;
    default:
        return i + 1;
    }
}

void scan(QStringView block, Scan& out)
{
    out.marks.clear();
    const char16_t* const s = reinterpret_cast<const char16_t*>(block.data());
    const qsizetype n = block.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    // Eight characters at a time; most hold nothing to note.
    const __m128i top = _mm_set1_epi16(0x7F);
    qsizetype resume = 0;  // the characters before it are noted or skipped
    for (; n - i >= 8; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        // Above 0x7F, unsigned: what saturating subtraction leaves above zero.
        const unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(v, top), _mm_setzero_si128()))) & 0x5555u;
        // A few more ASCII characters than the ones to note (the controls, "8" to "?", "{" to DEL), with few
        // comparisons; `note` sorts them out. Signed, a character beyond ASCII is below 0x20 too; `other`
        // takes those out.
        __m128i hit = _mm_cmplt_epi16(v, _mm_set1_epi16(0x20));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(-2)), _mm_set1_epi16(0x22)));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(-8)), _mm_set1_epi16(0x38)));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi16(v, _mm_set1_epi16(0x5C)));
        hit = _mm_or_si128(hit, _mm_cmpgt_epi16(v, _mm_set1_epi16(0x7A)));
        unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(hit)) & 0x5555u & ~other;
        for (; bits != 0; bits &= bits - 1) {
            const qsizetype at = i + std::countr_zero(bits) / 2;
            if (at >= resume)
                resume = note(s, n, at, out.marks);
        }
    }
    i = std::max(i, resume);
#endif
    while (i < n)
        i = note(s, n, i, out.marks);
}

// Index of the first mark at or after `at`.
std::size_t markFrom(const std::vector<Mark>& marks, qsizetype at)
{
    return std::lower_bound(marks.begin(), marks.end(), at, [](const Mark& m, qsizetype a) { return m.at < a; })
        - marks.begin();
}

// Index of the first mark `c` at or after index `from` whose place is within [begin, end), or -1.
qsizetype findMark(const std::vector<Mark>& marks, std::size_t from, char16_t c, qsizetype begin, qsizetype end)
{
    for (std::size_t k = std::max(from, markFrom(marks, begin)); k < marks.size() && marks[k].at < end; ++k)
        if (marks[k].c == c)
            return static_cast<qsizetype>(k);
    return -1;
}

// A text of the block as the set question takes it; `plain` stays true while every text needs nothing more.
QString textOf(QStringView block, QStringView text, const std::vector<Mark>& marks, bool& plain)
{
    const qsizetype begin = text.data() - block.data();
    const qsizetype end = begin + text.size();
    bool escapes = false;
    for (std::size_t k = markFrom(marks, begin); k < marks.size() && marks[k].at < end; ++k) {
        if (troubles(marks[k].c)) {
            plain = false;
            escapes = escapes || marks[k].c == u'\\' || marks[k].c == u'\r';
        }
    }
    return escapes ? unescape(text) : text.toString();
}

// The answers of `block` lie in [begin, end).
void readAnswers(QStringView block, qsizetype begin, qsizetype end, const Scan& scanned, FoundQuestion& q,
                 bool& plain, QList<Warning>& warnings)
{
    const std::vector<Mark>& marks = scanned.marks;
    // The "~" and "=" marks in order.
    std::size_t k = 0;
    auto nextAnswer = [&]() -> qsizetype {
        for (k = std::max(k, markFrom(marks, begin)); k < marks.size() && marks[k].at < end; ++k)
            if (marks[k].c == u'~' || marks[k].c == u'=')
                return marks[k++].at;
        return -1;
    };
    qsizetype count = 0;
    for (std::size_t m = markFrom(marks, begin); m < marks.size() && marks[m].at < end; ++m)
        count += marks[m].c == u'~' || marks[m].c == u'=' ? 1 : 0;
    q.answers.reserve(count);
    qsizetype at = nextAnswer();
    if (!block.sliced(begin, (at < 0 ? end : at) - begin).trimmed().isEmpty())
        warnings.append({q.line, QStringLiteral("tekst przed pierwszą odpowiedzią pominięto.")});
    bool feedback = false;
    bool empty = false;
    while (at >= 0) {
        const bool equals = block[at] == u'=';
        const std::size_t from = k;
        const qsizetype next = nextAnswer();
        const qsizetype bodyEnd = next < 0 ? end : next;
        QStringView body = block.sliced(at + 1, bodyEnd - at - 1);
        const std::optional<bool> weight = takeWeight(&body);
        // A weight holds no "#", so the first one after the mark is the first one in the body.
        const qsizetype hashMark = findMark(marks, from, u'#', at + 1, bodyEnd);
        if (hashMark >= 0) {
            const qsizetype hash = marks[hashMark].at - (body.data() - block.data());
            feedback = feedback || !body.sliced(hash + 1).trimmed().isEmpty();
            body = body.first(hash);
        }
        const QStringView raw = body.trimmed();
        if (raw.isEmpty())
            empty = true;
        else
            q.answers.append({textOf(block, raw, marks, plain), weight ? *weight : equals});
        at = next;
    }
    if (empty)
        warnings.append({q.line, QStringLiteral("puste odpowiedzi pominięto.")});
    if (feedback)
        warnings.append({q.line, QStringLiteral("informacje zwrotne przy odpowiedziach pominięto (zestaw ich nie ma).")});
}

// What kind of question the answer block in [begin, end) makes, as the platforms decide it; empty for
// multiple choice.
QString kindLeftOut(QStringView block, qsizetype begin, qsizetype end, const std::vector<Mark>& marks)
{
    const QStringView answers = block.sliced(begin, end - begin);
    if (answers.isEmpty())
        return QStringLiteral("to pytanie otwarte (esej), a nie wielokrotnego wyboru");
    if (answers.startsWith(u'#'))
        return QStringLiteral("to pytanie liczbowe, a nie wielokrotnego wyboru");
    if (findMark(marks, 0, u'~', begin, end) >= 0)
        return {};
    if (findMark(marks, 0, u'=', begin, end) >= 0 && answers.contains(u"->"))
        return QStringLiteral("to pytanie na dopasowanie, a nie wielokrotnego wyboru");
    const qsizetype hashMark = findMark(marks, 0, u'#', begin, end);
    const QStringView plain = (hashMark < 0 ? answers : answers.first(marks[hashMark].at - begin)).trimmed();
    if (plain == u"T" || plain == u"TRUE" || plain == u"F" || plain == u"FALSE")
        return QStringLiteral("to pytanie prawda/fałsz, a nie wielokrotnego wyboru");
    return QStringLiteral("to pytanie z krótką odpowiedzią (same „=” bez „~”), a nie wielokrotnego wyboru");
}

std::optional<FoundQuestion> readBlock(QStringView block, int line, QList<Warning>& warnings, Scan& scanned)
{
    FoundQuestion q;
    q.line = line;
    auto leftOut = [&](const QString& why) {
        q.skipReason = why;
        return q;
    };
    if (!block.isEmpty() && block[0] == u'$' && block.startsWith(u"$CATEGORY:")) {
        qsizetype end = block.indexOf(u'\n');
        const qsizetype cr = block.indexOf(u'\r');
        if (cr >= 0 && (end < 0 || cr < end))
            end = cr;
        if (end < 0)
            return std::nullopt;
        block = block.sliced(end + 1).trimmed();
        if (block.isEmpty())
            return std::nullopt;
    }
    if (block.size() >= 2 && block[0] == u':' && block[1] == u':') {
        qsizetype close = 1;
        do
            close = findUnescaped(block, close + 1, u':');
        while (close >= 0 && !(close + 1 < block.size() && block[close + 1] == u':'));
        if (close < 0)
            return leftOut(QStringLiteral("tytuł po „::” nie jest zamknięty przez „::”"));
        block = block.sliced(close + 2).trimmed();
    }
    for (QStringView marker : {u"[html]", u"[moodle]", u"[plain]", u"[markdown]"}) {
        if (!block.isEmpty() && block[0] == u'[' && block.startsWith(marker)) {
            block = block.sliced(marker.size());
            break;
        }
    }
    // The block is read in one pass; a slice of it starts after a character that is not a backslash, so
    // what is escaped in the block is escaped in the slice.
    scan(block, scanned);
    const std::vector<Mark>& marks = scanned.marks;
    const qsizetype openMark = findMark(marks, 0, u'{', 0, block.size());
    const qsizetype closeMark = findMark(marks, 0, u'}', 0, block.size());
    const qsizetype open = openMark < 0 ? -1 : marks[openMark].at;
    const qsizetype close = closeMark < 0 ? -1 : marks[closeMark].at;
    if (open < 0 && close < 0)
        return leftOut(QStringLiteral("nie ma odpowiedzi w nawiasach { } (to opis, nie pytanie)"));
    if (close >= 0 && (open < 0 || close < open))
        return leftOut(QStringLiteral("nawias „}” bez otwierającego „{”"));
    if (close < 0)
        return leftOut(QStringLiteral("brak zamykającego nawiasu „}”"));
    const qsizetype nextOpen = findMark(marks, openMark + 1, u'{', 0, block.size());
    if (nextOpen >= 0 && marks[nextOpen].at < close)
        return leftOut(QStringLiteral("nawias „{” wewnątrz odpowiedzi"));
    if (nextOpen >= 0 || findMark(marks, closeMark + 1, u'}', 0, block.size()) >= 0)
        return leftOut(QStringLiteral("więcej niż jeden blok odpowiedzi { } albo zbędny nawias"));

    bool plain = true;
    const QStringView before = block.first(open).trimmed();
    const QStringView after = block.sliced(close + 1).trimmed();
    if (after.isEmpty()) {
        q.text = textOf(block, before, marks, plain);
    } else {
        // The missing-word form: the answer goes into the gap.
        q.text = before.isEmpty() ? QString() : textOf(block, before, marks, plain) + u' ';
        q.text += QStringLiteral("_____ ") + textOf(block, after, marks, plain);
    }

    qsizetype begin = open + 1;
    qsizetype end = close;
    for (qsizetype h = findMark(marks, openMark + 1, u'#', begin, end); h >= 0; h = findMark(marks, h + 1, u'#', begin, end)) {
        const qsizetype hash = marks[h].at;
        if (hash + 3 < end && block[hash + 1] == u'#' && block[hash + 2] == u'#' && block[hash + 3] == u'#') {
            q.hint = textOf(block, block.sliced(hash + 4, end - hash - 4).trimmed(), marks, plain);
            end = hash;
            break;
        }
    }
    const QStringView answers = block.sliced(begin, end - begin).trimmed();
    begin = answers.data() - block.data();
    end = begin + answers.size();
    const QString kind = kindLeftOut(block, begin, end, marks);
    if (!kind.isEmpty())
        return leftOut(kind);
    readAnswers(block, begin, end, scanned, q, plain, warnings);
    q.plain = plain;
    return q;
}

}  // namespace

int readGift(QStringView all, int linesBefore, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
{
    // A block without comment lines is read where it stands in the text; only one with comment lines
    // between its lines is put together anew.
    qsizetype begin = -1;
    qsizetype end = 0;
    bool commented = false;
    QString joined;
    int blockLine = 0;
    int lines = 0;
    Scan scanned;
    auto finish = [&] {
        if (blockLine == 0)
            return;
        const QStringView block = commented ? QStringView(joined) : all.sliced(begin, end - begin);
        if (auto q = readBlock(block.trimmed(), blockLine, warnings, scanned))
            take(*q);
        joined.clear();
        commented = false;
        blockLine = 0;
    };
    forEachLine(all, [&](QStringView line, int number) {
        lines = number;
        const QStringView t = line.trimmed();
        if (t.isEmpty()) {
            finish();
        } else if (t.size() >= 2 && t[0] == u'/' && t[1] == u'/') {
            if (blockLine != 0 && !commented) {
                commented = true;
                joined = all.sliced(begin, end - begin).toString();
            }
        } else {
            const qsizetype at = line.data() - all.data();
            if (blockLine == 0) {
                blockLine = linesBefore + number;
                begin = at;
            } else if (commented) {
                joined += u'\n';
                joined += line;
            }
            end = at + line.size();
        }
        return true;
    });
    finish();
    return lines;
}

Found readGift(const QString& text)
{
    Found found;
    readGift(text, 0, found.warnings, [&](FoundQuestion& q) { found.questions.append(std::move(q)); });
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
