#include "grading/answers_log.h"

#include "config/files.h"
#include "grading/whole_records.h"
#include "platform/clock.h"
#include "platform/opened_file.h"
#include "platform/shared_lock.h"
#include "records/records.h"

namespace grading {

namespace {

records::Field textField(QString text)
{
    return records::Field::text(text.replace(u'"', u'”'));
}

QByteArray wordLine(const QString& word, const QList<QString>& letters)
{
    QList<records::Field> fields{records::Field::text(word)};
    for (const QString& l : letters)
        fields.append(records::Field::text(l));
    return records::formatRecord(fields);
}

QByteArray wordLine(const QString& word, const QList<quint8>& masks)
{
    QList<records::Field> fields{records::Field::text(word)};
    for (const quint8 m : masks)
        fields.append(records::Field::text(lettersOfMask(m)));
    return records::formatRecord(fields);
}

}  // namespace

RecordMarks answersRecordMarks()
{
    const QByteArray start = records::formatRecord({records::Field::text(answersStartWord)});
    // The start word's line goes on after the word: only the quoted word and its comma are sure.
    return {start.left(start.size() - 2) + ',', records::formatRecord({records::Field::text(answersEndWord)})};
}

quint8 answerMask(const std::array<bool, 5>& chosen)
{
    quint8 mask = 0;
    for (int i = 0; i < 5; ++i)
        mask |= chosen[static_cast<std::size_t>(i)] ? quint8(1 << i) : quint8(0);
    return mask;
}

QString lettersOfMask(quint8 mask)
{
    // The 32 possible texts made once and shared: a test on the largest set keeps thousands of them.
    static const std::array<QString, 32> texts = [] {
        std::array<QString, 32> all;
        for (int m = 0; m < 32; ++m)
            for (int i = 0; i < 5; ++i)
                if (m & (1 << i))
                    all[static_cast<std::size_t>(m)] += QChar(u'A' + i);
        return all;
    }();
    return texts[mask & 31];
}

quint8 maskOfLetters(QStringView letters)
{
    quint8 mask = 0;
    for (const QChar c : letters)
        if (c >= u'A' && c <= u'E')
            mask |= quint8(1 << (c.unicode() - u'A'));
    return mask;
}

QString answerLetters(const std::array<bool, 5>& chosen)
{
    return lettersOfMask(answerMask(chosen));
}

QByteArray formatAnswersRecord(const TestAnswers& a)
{
    QByteArray bytes = records::formatRecord({records::Field::text(answersStartWord), textField(a.firstName),
                                              textField(a.surname), textField(a.className),
                                              records::Field::text(platform::dateText(a.when)),
                                              records::Field::text(platform::timeText(a.when)),
                                              textField(a.setPath), records::Field::number(a.ticked.size())});
    bytes += wordLine(answersTickedWord, a.ticked);
    bytes += wordLine(answersKeyWord, a.key);
    if (!a.questionOrder.isEmpty()) {
        QList<records::Field> fields{records::Field::text(answersQuestionOrderWord)};
        for (const int n : a.questionOrder)
            fields.append(records::Field::number(n));
        bytes += records::formatRecord(fields);
    }
    if (!a.answerOrder.isEmpty())
        bytes += wordLine(answersAnswerOrderWord, a.answerOrder);
    if (a.windowLeft > 0)
        bytes += records::formatRecord({records::Field::text(answersWindowLeftWord), records::Field::number(a.windowLeft)});
    if (a.brokenOffAfter)
        bytes += records::formatRecord({records::Field::text(answersBrokenOffWord), records::Field::number(*a.brokenOffAfter)});
    bytes += records::formatRecord({records::Field::text(answersEndWord)});
    return bytes;
}

void appendTest(const QString& programFolder, const QByteArray& resultRecord, const QByteArray& answersRecord)
{
    const platform::SharedFolderLock lock(programFolder);
    const QString answersPath = programFolder + QLatin1String(config::answersLogFileName);
    const QString resultsPath = programFolder + QLatin1String(config::resultsLogFileName);
    platform::OpenedFile answers(answersPath, platform::OpenMode::Append);
    const qint64 before = appendWhole(answers.number(), answersPath, answersRecord, answersRecordMarks());
    try {
        platform::OpenedFile results(resultsPath, platform::OpenMode::Append);
        appendWhole(results.number(), resultsPath, resultRecord, resultRecordMarks());
        results.commit();
    } catch (const platform::FileError&) {
        // A result that could not be logged takes its answers back: the analysis counts only graded tests.
        platform::files().cutBack(answers.number(), before);
        platform::files().flushToDisk(answers.number());
        throw;
    }
    answers.commit();
}

void appendBrokenOff(const QString& programFolder, const QByteArray& answersRecord)
{
    const platform::SharedFolderLock lock(programFolder);
    const QString path = programFolder + QLatin1String(config::answersLogFileName);
    platform::OpenedFile answers(path, platform::OpenMode::Append);
    appendWhole(answers.number(), path, answersRecord, answersRecordMarks());
    answers.commit();
}

}  // namespace grading
