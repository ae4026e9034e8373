#pragma once
// How far a lab exam has gone, kept on drive C: beside the work file after every judged question, so that a
// test cut off by a frozen computer or a power cut can be finished after the next start. Written only when
// the teacher's settings allow finishing a broken-off test; removed when the test ends.
#include "grading/answers_log.h"
#include "testing/drawn_order.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace testing {

struct TestProgress {
    QString firstName;
    QString surname;
    QString className;
    QString setPath;
    QByteArray setHash;  // of the set's bytes when the test started
    int questions = 0;   // the count the test runs to
    int judged = 0;
    int good = 0;
    int wrong = 0;
    qint64 usedMs = 0;
    int windowLeft = 0;
    bool hints = false;
    DrawnOrder order;            // no questions when the set is read in its own order
    QList<QString> answerOrder;  // with shuffled answers, each judged question's letters as shown, in the order shown
    QMap<int, QString> ticked;   // by the set's question index, in the set's letters
    QMap<int, QString> key;
    bool operator==(const TestProgress&) const = default;
};

// "c:\test.stan".
QString progressFilePath();

// A fingerprint of the set's bytes, to tell whether the set changed since. Throws platform::FileError.
QByteArray setHash(const QString& setPath);

// The file's bytes: records of the program's format, Windows-1250, CR LF.
QByteArray formatProgress(const TestProgress& progress);
// Written as a whole new version. Throws platform::FileError.
void saveProgress(const TestProgress& progress);
// The progress kept, or nothing when there is no file; a file that cannot be read whole counts as none.
std::optional<TestProgress> readProgress();
void removeProgress();

// The answers log's record of a test broken off and not finished.
grading::TestAnswers brokenOffAnswers(const TestProgress& progress, const QDateTime& when);

}  // namespace testing
