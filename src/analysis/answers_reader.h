#pragma once
// The answers log "odpowiedzi.txt" read back. Like the results log's reader it takes a record whole or not
// at all: a record with a missing or changed line, or cut off at the end, is reported with its line and
// left out.
#include "bridges/results_csv.h"
#include "grading/answers_log.h"

#include <QByteArrayView>
#include <QList>

namespace analysis {

struct AnsweredTest {
    qsizetype line = 0;           // the log's line (from 1) where the record starts
    grading::TestAnswers answers;  // `when` in UTC: the log holds a wall-clock time, no zone
};

}  // namespace analysis

Q_DECLARE_TYPEINFO(analysis::AnsweredTest, Q_RELOCATABLE_TYPE);

namespace analysis {

struct AnswersLog {
    QList<AnsweredTest> tests;
    QList<bridges::LogFault> faults;
};

// Reads the bytes of an answers log (Windows-1250), with the same tolerance of line ends as the results
// log's reader.
AnswersLog parseAnswersLog(QByteArrayView bytes);

// True when the recorded path names the set at `setPath`: the same file when both exist, otherwise the
// same absolute path, letter case ignored (the program finds files whatever their letter case).
bool sameSet(const QString& recordedPath, const QString& setPath);

// The distinct sets the log names, in the order they first appear.
QList<QString> setsNamed(const AnswersLog& log);

// The graded tests of the set at `setPath` (sameSet) that have `questions` questions, in the log's order,
// as they stand in `log`: the list holds no copies, and is good while the log is unchanged.
// The tests of the set with another number of questions, taken before the set was changed, are counted in
// `others`; the tests broken off and never graded, whose later questions were never answered, in `brokenOff`.
QList<const grading::TestAnswers*> testsOfSet(const AnswersLog& log, const QString& setPath, qsizetype questions,
                                              qsizetype* others = nullptr, qsizetype* brokenOff = nullptr);

}  // namespace analysis
