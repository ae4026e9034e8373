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

// One field of a line in the record format: a quoted text or a bare value.
struct Field {
    QStringView text;
    bool quoted = false;
};

// The fields of a line, or nothing when the line is not in the record format (a quote left open, or
// something other than a comma after a closing quote).
std::optional<QList<Field>> fieldsOf(QStringView line)
{
    QList<Field> fields;
    fields.reserve(8);  // the first line of a record has eight
    qsizetype at = 0;
    for (;;) {
        if (at < line.size() && line[at] == u'"') {
            const qsizetype close = line.indexOf(u'"', at + 1);
            if (close < 0)
                return std::nullopt;
            fields.append({line.mid(at + 1, close - at - 1), true});
            at = close + 1;
            if (at == line.size())
                return fields;
            if (line[at] != u',')
                return std::nullopt;
            ++at;
        } else {
            const qsizetype comma = line.indexOf(u',', at);
            fields.append({line.mid(at, (comma < 0 ? line.size() : comma) - at), false});
            if (comma < 0)
                return fields;
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

bool allDigits(QStringView text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}

// "mm-dd-yyyy" and "hh:mm:ss" as the program writes them; a day and a time that exist.
std::optional<QDate> dateOf(QStringView text)
{
    if (text.size() != 10 || text[2] != u'-' || text[5] != u'-' || !allDigits(text.mid(0, 2))
        || !allDigits(text.mid(3, 2)) || !allDigits(text.mid(6, 4)))
        return std::nullopt;
    const QDate date(text.mid(6, 4).toInt(), text.mid(0, 2).toInt(), text.mid(3, 2).toInt());
    return date.isValid() ? std::optional(date) : std::nullopt;
}

std::optional<QTime> timeOf(QStringView text)
{
    if (text.size() != 8 || text[2] != u':' || text[5] != u':' || !allDigits(text.mid(0, 2))
        || !allDigits(text.mid(3, 2)) || !allDigits(text.mid(6, 2)))
        return std::nullopt;
    const QTime time(text.mid(0, 2).toInt(), text.mid(3, 2).toInt(), text.mid(6, 2).toInt());
    return time.isValid() ? std::optional(time) : std::nullopt;
}

// Letters of the answers A to E, each at most once and in order, as answerLetters() writes them.
bool areLetters(QStringView text)
{
    char16_t last = u'A' - 1;
    for (const QChar c : text) {
        if (c.unicode() <= last || c > u'E')
            return false;
        last = c.unicode();
    }
    return true;
}

// The fields after the word of a line `"Word","A","BC",…`, from `at` (the end of the word), when every one
// is letters of answers in quotes; false at the first that is not.
bool readLetters(QByteArrayView line, qsizetype at, QList<quint8>& letters)
{
    letters.reserve((line.size() - at) / 3);  // a field takes three bytes or more
    while (at < line.size()) {
        if (line[at] != ',' || at + 1 >= line.size() || line[at + 1] != '"')
            return false;
        int mask = 0;
        int last = -1;  // the letters go up from A to E, each at most once
        for (at += 2; at < line.size() && line[at] != '"'; ++at) {
            const int k = line[at] - 'A';
            if (k <= last || k > 4)
                return false;
            mask |= 1 << k;
            last = k;
        }
        if (at == line.size())
            return false;
        ++at;
        letters.append(static_cast<quint8>(mask));
    }
    return true;
}

// Letters from A to E each at most once, in any order: the order a lab exam showed the answers in.
bool distinctLetters(QStringView text)
{
    int seen = 0;
    for (const QChar c : text) {
        if (c < u'A' || c > u'E' || (seen >> (c.unicode() - u'A') & 1))
            return false;
        seen |= 1 << (c.unicode() - u'A');
    }
    return true;
}

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
            return start(platform::decode1250(bytes.data(), bytes.size()), number);
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

    void start(QStringView text, qsizetype number)
    {
        endStray();
        current_ = AnsweredTest{};
        current_.line = number;
        ticked_ = key_ = false;
        state_ = State::InRecord;
        const std::optional<QList<Field>> fields = fieldsOf(text);
        if (!fields || fields->size() != 8 || !(*fields)[1].quoted || !(*fields)[2].quoted || !(*fields)[3].quoted
            || !(*fields)[4].quoted || !(*fields)[5].quoted || !(*fields)[6].quoted || (*fields)[7].quoted)
            return fault(number, QStringLiteral("pierwszy wiersz wpisu nie ma ośmiu pól: %1, imienia, nazwiska, "
                                                "klasy, daty, godziny, pliku z testami i liczby pytań")
                                     .arg(quoted(grading::answersStartWord)));
        const QList<Field>& f = *fields;
        const std::optional<QDate> date = dateOf(f[4].text);
        if (!date)
            return fault(number, QStringLiteral("niepoprawna data „%1” (oczekiwano mm-dd-rrrr)").arg(f[4].text));
        const std::optional<QTime> time = timeOf(f[5].text);
        if (!time)
            return fault(number, QStringLiteral("niepoprawna godzina „%1” (oczekiwano gg:mm:ss)").arg(f[5].text));
        bool counted = false;
        count_ = f[7].text.toInt(&counted);
        if (!allDigits(f[7].text) || !counted)
            return fault(number, QStringLiteral("niepoprawna liczba pytań „%1”").arg(f[7].text));
        TestAnswers& a = current_.answers;
        a.firstName = f[1].text.toString();
        a.surname = f[2].text.toString();
        a.className = f[3].text.toString();
        a.when = QDateTime(*date, *time, Qt::UTC);
        a.setPath = f[6].text.toString();
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
        if (readLetters(bytes, word.size() + 2, letters) && letters.size() == count_)
            return;
        // Something is wrong with the line: it is read again as texts to say what.
        letters.clear();
        const QString text = platform::decode1250(bytes.data(), bytes.size());
        const std::optional<QList<Field>> fields = fieldsOf(text);
        if (!fields)
            return fault(number, QStringLiteral("niezamknięty cudzysłów w wierszu %1").arg(quoted(name)));
        if (fields->size() - 1 != count_)
            return fault(number, QStringLiteral("w wierszu %1 jest pól: %2, a pytań: %3")
                                     .arg(quoted(name)).arg(fields->size() - 1).arg(count_));
        for (qsizetype i = 1; i < fields->size(); ++i) {
            const Field& field = (*fields)[i];
            if (!field.quoted || !areLetters(field.text))
                return fault(number, QStringLiteral("w wierszu %1 pytanie %2 ma „%3” zamiast liter od A do E, "
                                                    "każdej najwyżej raz i po kolei")
                                         .arg(quoted(name)).arg(i).arg(field.text));
            letters.append(grading::maskOfLetters(field.text));
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
        const QString text = platform::decode1250(bytes.data(), bytes.size());
        const std::optional<QList<Field>> fields = fieldsOf(text);
        const QString& name = questionOrder ? grading::answersQuestionOrderWord
                              : answerOrder ? grading::answersAnswerOrderWord
                              : windowLeft  ? grading::answersWindowLeftWord
                                            : grading::answersBrokenOffWord;
        const qsizetype wanted = questionOrder || answerOrder ? count_ : 1;
        if (!fields)
            return fault(number, QStringLiteral("niezamknięty cudzysłów w wierszu %1").arg(quoted(name)));
        if (fields->size() - 1 != wanted)
            return fault(number, QStringLiteral("w wierszu %1 jest pól: %2, a powinno być %3")
                                     .arg(quoted(name)).arg(fields->size() - 1).arg(wanted));
        TestAnswers& a = current_.answers;
        QSet<int> questionsShown;
        for (qsizetype i = 1; i < fields->size(); ++i) {
            const Field& field = (*fields)[i];
            bool isNumber = false;
            const int value = field.text.toInt(&isNumber);
            // A number of questions shown, a question number from 1 shown once, or letters each at most once.
            const bool good = answerOrder ? field.quoted && distinctLetters(field.text)
                                          : !field.quoted && allDigits(field.text) && isNumber
                                                && (questionOrder ? value >= 1 && !questionsShown.contains(value)
                                                                  : windowLeft || value <= count_);
            if (!good)
                return fault(number, QStringLiteral("niepoprawne pole %1 „%2” w wierszu %3")
                                         .arg(i).arg(field.text, quoted(name)));
            if (questionOrder) {
                a.questionOrder.append(value);
                questionsShown.insert(value);
            } else if (answerOrder)
                a.answerOrder.append(field.text.toString());
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
    AnsweredTest current_;
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

QList<TestAnswers> testsOfSet(const AnswersLog& log, const QString& setPath, qsizetype questions, qsizetype* others,
                              qsizetype* brokenOff)
{
    // A log names few sets, each in many tests: each name is matched against the set once.
    QHash<QString, bool> ofTheSet;
    QList<TestAnswers> taken;
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
            taken.append(test.answers);
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
