#pragma once
// Item statistics of classical test theory for one question set, over the tests of the answers log taken
// on it, judged by the rule of the test against the set's current key; and the regrading of a test under
// the current key and grading scale.
#include "grading/answers_log.h"
#include "grading/scale.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace analysis {

// The set as it stands now. Throws platform::FileError when it cannot be read whole.
struct SetContents {
    QList<QString> questions;  // each question's text
    // Letters as sets of bits, bit 0 for A to bit 4 for E, as the answers log's tests hold them.
    QList<quint8> key;         // each question's correct letters; 0 when none is correct
    QList<quint8> answered;    // each question's letters of the answers that have a text
};
SetContents readSetContents(const QString& path);

// Figures in percent (0–100); discrimination from −100 to 100.
struct QuestionFigures {
    double facility = 0;
    std::optional<double> discrimination;  // empty when x_i or R_i has no variance
    std::array<double, 5> ticked{};        // share of tests in which A–E was ticked
    std::array<std::optional<double>, 5> tickedTop{};     // the same in the top third by X
    std::array<std::optional<double>, 5> tickedBottom{};  // and in the bottom third; empty with no tests there
    QStringList flags;                     // plain Polish, e.g. "bardzo trudne"
};

struct TestFigures {
    qsizetype tests = 0;
    qsizetype questions = 0;
    double mean = 0;                   // points
    std::optional<double> deviation;   // points; empty with fewer than two tests
    double meanShare = 0;              // percent of the questions
    std::optional<double> deviationShare;
    std::optional<double> alpha;       // Cronbach's alpha; empty when var(X) = 0 or fewer than two questions
    std::optional<double> measurementError;  // points
    bool uncertain = true;             // fewer than ten tests
};

struct ItemAnalysis {
    QList<QuestionFigures> questions;
    TestFigures test;
};

// `tests` are tests of the set whose number of questions equals the set's; the caller picks them.
ItemAnalysis analyse(const SetContents& set, const QList<const grading::TestAnswers*>& tests);

// The table `wiedo analysis` writes: UTF-8 with a byte order mark, semicolons, CR LF, decimal comma, one
// decimal place; header `Nr;Pytanie;Łatwość;Różnicowanie;A;B;C;D;E;Uwagi`.
QByteArray analysisTable(const SetContents& set, const ItemAnalysis& analysis);

// The test's figures as the command prints them, one line each.
QStringList testSummary(const TestFigures& test);
// Shown after them when the figures are uncertain.
inline const QString uncertainWarning = QStringLiteral("Uwaga: mniej niż 10 testów, wskaźniki są niepewne.");

// The points and grade of a test under the current key and scale, when its recorded key differs from the
// current one; empty when the key is unchanged or the test's questions do not match the set.
struct Regraded {
    int points = 0;
    std::optional<int> grade;
};
std::optional<Regraded> regrade(const grading::TestAnswers& test, const SetContents& set,
                                const grading::Thresholds& scale);

}  // namespace analysis
