#include "analysis/answers_reader.h"

#include "bridges/lines.h"
#include "platform/codepage.h"
#include "platform/disk_calls.h"
#include "platform/paths.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTime>

#include <optional>
#include <utility>

namespace analysis {

using bridges::LogFault;
using grading::TestAnswers;

namespace {

// One field of a line in the record format: a quoted text or a bare value. The quotes and commas are plain
// ASCII, the same in Windows-1250, so a line is split as bytes and only the texts that are kept are decoded.
struct Field {
    QByteArrayView text;
    bool quoted = false;
};

QString textOf(QByteArrayView bytes)
{
    return platform::decode1250(bytes.data(), bytes.size());
}

// Splits a line into `fields`, or returns false when the line is not in the record format (a quote left
// open, or something other than a comma after a closing quote).
bool fieldsOf(QByteArrayView line, QList<Field>& fields)
{
    fields.clear();
    qsizetype at = 0;
    for (;;) {
        if (at < line.size() && line[at] == '"') {
            const qsizetype close = line.indexOf('"', at + 1);
            if (close < 0)
                return false;
            fields.append({line.sliced(at + 1, close - at - 1), true});
            at = close + 1;
            if (at == line.size())
                return true;
            if (line[at] != ',')
                return false;
            ++at;
        } else {
            const qsizetype comma = line.indexOf(',', at);
            fields.append({line.sliced(at, (comma < 0 ? line.size() : comma) - at), false});
            if (comma < 0)
                return true;
            at = comma + 1;
        }
    }
}

// The quoted word that leads the line, when it is led by one. The words are plain ASCII, the same in
// Windows-1250, so a line is decoded only when its texts are wanted.
std::optional<QByteArrayView> leadingWord(QByteArrayView line)
{
    if (line.isEmpty() || line[0] != '"')
        return std::nullopt;
    const qsizetype close = line.indexOf('"', 1);
    if (close < 0 || (close + 1 < line.size() && line[close + 1] != ','))
        return std::nullopt;
    return line.sliced(1, close - 1);
}

bool is(std::optional<QByteArrayView> word, const QByteArray& name)
{
    return word && *word == name;
}

bool isBlank(QByteArrayView line)
{
    for (const char c : line)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

bool allDigits(QByteArrayView text)
{
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
}

// The value of a few digits that allDigits() has checked.
int valueOf(QByteArrayView digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// "mm-dd-yyyy" and "hh:mm:ss" as the program writes them; a day and a time that exist.
std::optional<QDate> dateOf(QByteArrayView text)
{
    if (text.size() != 10 || text[2] != '-' || text[5] != '-' || !allDigits(text.sliced(0, 2))
        || !allDigits(text.sliced(3, 2)) || !allDigits(text.sliced(6, 4)))
        return std::nullopt;
    const QDate date(valueOf(text.sliced(6, 4)), valueOf(text.sliced(0, 2)), valueOf(text.sliced(3, 2)));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

std::optional<QTime> timeOf(QByteArrayView text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':' || !allDigits(text.sliced(0, 2))
        || !allDigits(text.sliced(3, 2)) || !allDigits(text.sliced(6, 2)))
        return std::nullopt;
    const QTime time(valueOf(text.sliced(0, 2)), valueOf(text.sliced(3, 2)), valueOf(text.sliced(6, 2)));
    return time.isValid() ? std::optional(time) : std::nullopt;
}

// Letters of the answers A to E, each at most once and in order, as answerLetters() writes them.
bool areLetters(QByteArrayView text)
{
    char last = 'A' - 1;
    for (const char c : text) {
        if (c <= last || c > 'E')
            return false;
        last = c;
    }
    return true;
}

// The letters' set of bits, bit 0 for A to bit 4 for E.
quint8 maskOfLetters(QByteArrayView letters)
{
    quint8 mask = 0;
    for (const char c : letters)
        mask |= quint8(1 << (c - 'A'));
    return mask;
}

// The fields after the word of a line `"Word","A","BC",…`, from `at` (the end of the word), when there are
// `count` of them and every one is letters of answers in quotes; false otherwise.
bool readLetters(QByteArrayView line, qsizetype at, qsizetype count, QList<quint8>& letters)
{
    // A field takes three bytes or more. The line ends with a quote, so the search for the closing quote of a
    // field that begins before its last byte stops within the line.
    if (line.size() - at < 3 * count || (at < line.size() && !line.endsWith('"')))
        return false;
    letters.resize(count);
    quint8* const masks = letters.data();
    qsizetype n = 0;
    while (at < line.size()) {
        if (n == count || at + 2 >= line.size() || line[at] != ',' || line[at + 1] != '"')
            return false;
        unsigned mask = 0;
        for (at += 2; line[at] != '"'; ++at) {
            // The letters go up from A to E, each at most once: each one's bit is above all the bits before.
            const unsigned k = static_cast<unsigned char>(line[at]) - unsigned('A');
            if (k > 4 || (1u << k) <= mask)
                return false;
            mask |= 1u << k;
        }
        ++at;
        masks[n++] = static_cast<quint8>(mask);
    }
    return n == count;
}

// Letters from A to E each at most once, in any order: the order a lab exam showed the answers in.
bool distinctLetters(QByteArrayView text)
{
    int seen = 0;
    for (const char c : text) {
        if (c < 'A' || c > 'E' || (seen >> (c - 'A') & 1))
            return false;
        seen |= 1 << (c - 'A');
    }
    return true;
}

// A text of the first line decoded once for a run of records that repeat it: a log's records mostly name
// the same class and set, and keeping one copy keeps a long log's reading and memory small.
class RepeatedText {
public:
    const QString& of(QByteArrayView bytes)
    {
        if (bytes != bytes_ || text_.isNull()) {
            bytes_ = bytes;
            text_ = textOf(bytes);
        }
        return text_;
    }

private:
    QByteArrayView bytes_;
    QString text_;
};

QString quoted(const QString& word)
{
    return QStringLiteral("„%1”").arg(word);
}

// Reads the log line by line. A record is taken when its "Koniec" line is reached with nothing wrong on
// the way; the first fault drops the record, and its remaining lines are passed over up to its end or to
// the next record's first line.
class Reader {
public:
    AnswersLog log;

    void line(QByteArrayView bytes, qsizetype number)
    {
        const std::optional<QByteArrayView> word = leadingWord(bytes);
        const bool starts = is(word, startWord_);
        switch (state_) {
        case State::InRecord:
            if (starts) {
                fault(number, QStringLiteral("brak wiersza %1, a w tym wierszu zaczyna się następny wpis")
                                  .arg(quoted(grading::answersEndWord)));
                break;  // the new record is read below
            }
            if (!word)
                return fault(number, QStringLiteral("wiersz nie zaczyna się od słowa w cudzysłowie"));
            return inRecord(*word, bytes, number);
        case State::Damaged:
            if (is(word, endWord_)) {
                state_ = State::Between;
                return;
            }
            if (!starts)
                return;
            break;
        case State::Between:
            break;
        }
        if (starts)
            return start(bytes, number);
        if (isBlank(bytes)) {
            endStray();
        } else if (strayFrom_ < 0) {
            strayFrom_ = number;
        }
    }

    void end(qsizetype lastLine)
    {
        if (state_ == State::InRecord)
            fault(lastLine, QStringLiteral("wpis urywa się na końcu pliku"));
        endStray();
    }

private:
    enum class State { Between, InRecord, Damaged };

    void endStray()
    {
        if (strayFrom_ >= 0)
            log.faults.append({strayFrom_, QStringLiteral("tekst poza wpisem, pominięty")});
        strayFrom_ = -1;
    }

    void fault(qsizetype number, const QString& what)
    {
        log.faults.append(
            {number, QStringLiteral("wpis z wiersza %1 pominięty: %2").arg(current_.line).arg(what)});
        state_ = State::Damaged;
    }

    void start(QByteArrayView bytes, qsizetype number)
    {
        endStray();
        current_ = AnsweredTest{};
        current_.line = number;
        ticked_ = key_ = false;
        state_ = State::InRecord;
        const QList<Field>& f = fields_;
        if (!fieldsOf(bytes, fields_) || f.size() != 8 || !f[1].quoted || !f[2].quoted || !f[3].quoted
            || !f[4].quoted || !f[5].quoted || !f[6].quoted || f[7].quoted)
            return fault(number, QStringLiteral("pierwszy wiersz wpisu nie ma ośmiu pól: %1, imienia, nazwiska, "
                                                "klasy, daty, godziny, pliku z testami i liczby pytań")
                                     .arg(quoted(grading::answersStartWord)));
        const std::optional<QDate> date = dateOf(f[4].text);
        if (!date)
            return fault(number, QStringLiteral("niepoprawna data „%1” (oczekiwano mm-dd-rrrr)").arg(textOf(f[4].text)));
        const std::optional<QTime> time = timeOf(f[5].text);
        if (!time)
            return fault(number,
                         QStringLiteral("niepoprawna godzina „%1” (oczekiwano gg:mm:ss)").arg(textOf(f[5].text)));
        bool counted = false;
        count_ = f[7].text.toInt(&counted);
        if (!allDigits(f[7].text) || !counted)
            return fault(number, QStringLiteral("niepoprawna liczba pytań „%1”").arg(textOf(f[7].text)));
        TestAnswers& a = current_.answers;
        a.firstName = firstName_.of(f[1].text);
        a.surname = surname_.of(f[2].text);
        a.className = className_.of(f[3].text);
        a.when = QDateTime(*date, *time, Qt::UTC);
        a.setPath = setPath_.of(f[6].text);
    }

    void inRecord(QByteArrayView word, QByteArrayView bytes, qsizetype number)
    {
        if (is(word, endWord_)) {
            for (const auto& [seen, name] : {std::pair{ticked_, grading::answersTickedWord},
                                             std::pair{key_, grading::answersKeyWord}})
                if (!seen)
                    return fault(number, QStringLiteral("brak wiersza %1 przed wierszem %2")
                                             .arg(quoted(name), quoted(grading::answersEndWord)));
            log.tests.append(std::move(current_));
            state_ = State::Between;
            return;
        }
        const bool ticked = is(word, tickedWord_);
        if (!ticked && !is(word, keyWord_))
            return labLine(word, bytes, number);
        const QString& name = ticked ? grading::answersTickedWord : grading::answersKeyWord;
        bool& seen = ticked ? ticked_ : key_;
        if (seen)
            return fault(number, QStringLiteral("powtórzony wiersz %1").arg(quoted(name)));
        seen = true;
        QList<quint8>& letters = ticked ? current_.answers.ticked : current_.answers.key;
        // The key is the same in every test of a set until the teacher mends it.
        if (!ticked && bytes == lastKeyLine_ && lastKey_.size() == count_) {
            letters = lastKey_;
            return;
        }
        if (readLetters(bytes, word.size() + 2, count_, letters)) {
            if (!ticked) {
                lastKeyLine_ = bytes;
                lastKey_ = letters;
            }
            return;
        }
        // Something is wrong with the line: it is read again field by field to say what.
        letters.clear();
        const QList<Field>& fields = fields_;
        if (!fieldsOf(bytes, fields_))
            return fault(number, QStringLiteral("niezamknięty cudzysłów w wierszu %1").arg(quoted(name)));
        if (fields.size() - 1 != count_)
            return fault(number, QStringLiteral("w wierszu %1 jest pól: %2, a pytań: %3")
                                     .arg(quoted(name)).arg(fields.size() - 1).arg(count_));
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const Field& field = fields[i];
            if (!field.quoted || !areLetters(field.text))
                return fault(number, QStringLiteral("w wierszu %1 pytanie %2 ma „%3” zamiast liter od A do E, "
                                                    "każdej najwyżej raz i po kolei")
                                         .arg(quoted(name)).arg(i).arg(textOf(field.text)));
            letters.append(maskOfLetters(field.text));
        }
    }

    // What a lab exam adds: the orders shown, the times the window was left, a test broken off.
    void labLine(QByteArrayView word, QByteArrayView bytes, qsizetype number)
    {
        const bool questionOrder = is(word, questionOrderWord_);
        const bool answerOrder = is(word, answerOrderWord_);
        const bool windowLeft = is(word, windowLeftWord_);
        if (!questionOrder && !answerOrder && !windowLeft && !is(word, brokenOffWord_))
            return;  // a line a later version added
        const QList<Field>& fields = fields_;
        const bool split = fieldsOf(bytes, fields_);
        const QString& name = questionOrder ? grading::answersQuestionOrderWord
                              : answerOrder ? grading::answersAnswerOrderWord
                              : windowLeft  ? grading::answersWindowLeftWord
                                            : grading::answersBrokenOffWord;
        const qsizetype wanted = questionOrder || answerOrder ? count_ : 1;
        if (!split)
            return fault(number, QStringLiteral("niezamknięty cudzysłów w wierszu %1").arg(quoted(name)));
        if (fields.size() - 1 != wanted)
            return fault(number, QStringLiteral("w wierszu %1 jest pól: %2, a powinno być %3")
                                     .arg(quoted(name)).arg(fields.size() - 1).arg(wanted));
        TestAnswers& a = current_.answers;
        QSet<int> questionsShown;
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const Field& field = fields[i];
            bool isNumber = false;
            const int value = field.text.toInt(&isNumber);
            // A number of questions shown, a question number from 1 shown once, or letters each at most once.
            const bool good = answerOrder ? field.quoted && distinctLetters(field.text)
                                          : !field.quoted && allDigits(field.text) && isNumber
                                                && (questionOrder ? value >= 1 && !questionsShown.contains(value)
                                                                  : windowLeft || value <= count_);
            if (!good)
                return fault(number, QStringLiteral("niepoprawne pole %1 „%2” w wierszu %3")
                                         .arg(i).arg(textOf(field.text), quoted(name)));
            if (questionOrder) {
                a.questionOrder.append(value);
                questionsShown.insert(value);
            } else if (answerOrder)
                a.answerOrder.append(textOf(field.text));
            else if (windowLeft)
                a.windowLeft = value;
            else
                a.brokenOffAfter = value;
        }
    }

    // The words as the log's bytes hold them.
    const QByteArray startWord_ = platform::encode1250(grading::answersStartWord);
    const QByteArray tickedWord_ = platform::encode1250(grading::answersTickedWord);
    const QByteArray keyWord_ = platform::encode1250(grading::answersKeyWord);
    const QByteArray endWord_ = platform::encode1250(grading::answersEndWord);
    const QByteArray questionOrderWord_ = platform::encode1250(grading::answersQuestionOrderWord);
    const QByteArray answerOrderWord_ = platform::encode1250(grading::answersAnswerOrderWord);
    const QByteArray windowLeftWord_ = platform::encode1250(grading::answersWindowLeftWord);
    const QByteArray brokenOffWord_ = platform::encode1250(grading::answersBrokenOffWord);
    State state_ = State::Between;
    QList<Field> fields_;  // the fields of the line being read: one list for every line, so a line allocates none
    AnsweredTest current_;
    RepeatedText firstName_, surname_, className_, setPath_;
    QByteArrayView lastKeyLine_;
    QList<quint8> lastKey_;
    int count_ = 0;
    bool ticked_ = false;
    bool key_ = false;
    qsizetype strayFrom_ = -1;  // the first line of a run of lines that belong to no record
};

}  // namespace

AnswersLog parseAnswersLog(QByteArrayView bytes)
{
    Reader reader;
    const int lines = bridges::forEachLine(bytes, [&reader](QByteArrayView line, int number) {
        reader.line(line, number);
        return true;
    });
    reader.end(lines);
    return std::move(reader.log);
}

bool sameSet(const QString& recordedPath, const QString& setPath)
{
    const std::optional<QString> recorded = platform::resolvePath(recordedPath);
    const std::optional<QString> set = platform::resolvePath(setPath);
    if (!recorded || !set)
        return false;
    if (QFileInfo::exists(*recorded) && QFileInfo::exists(*set))
        return platform::sameFile(*recorded, *set);
    return recorded->compare(*set, Qt::CaseInsensitive) == 0;
}

QList<QString> setsNamed(const AnswersLog& log)
{
    QList<QString> named;
    QSet<QString> seen;
    for (const AnsweredTest& test : log.tests) {
        const QString& path = test.answers.setPath;
        if (seen.contains(path))
            continue;
        seen.insert(path);
        bool known = false;
        for (const QString& other : named)
            known = known || sameSet(path, other);
        if (!known)
            named.append(path);
    }
    return named;
}

QList<const TestAnswers*> testsOfSet(const AnswersLog& log, const QString& setPath, qsizetype questions,
                                     qsizetype* others, qsizetype* brokenOff)
{
    // A log names few sets, each in many tests: each name is matched against the set once.
    QHash<QString, bool> ofTheSet;
    QList<const TestAnswers*> taken;
    taken.reserve(log.tests.size());
    qsizetype changed = 0;
    qsizetype broken = 0;
    for (const AnsweredTest& test : log.tests) {
        auto known = ofTheSet.constFind(test.answers.setPath);
        if (known == ofTheSet.cend())
            known = ofTheSet.insert(test.answers.setPath, sameSet(test.answers.setPath, setPath));
        if (!*known)
            continue;
        if (test.answers.brokenOffAfter)
            ++broken;
        else if (test.answers.ticked.size() == questions)
            taken.append(&test.answers);
        else
            ++changed;
    }
    if (others)
        *others = changed;
    if (brokenOff)
        *brokenOff = broken;
    return taken;
}

}  // namespace analysis
