#pragma once
// A lab exam's order for one student: the set's questions, and within each question its answers, in an
// order drawn from a seed taken at sign-in. Judging and the logs stay in the set's own order and letters; only
// what the student sees follows the drawn one.
#include "questionset/questionset.h"

#include <QList>
#include <QString>
#include <array>

namespace testing {

struct DrawnOrder {
    quint32 seed = 0;
    QList<int> questions;         // the set's question indices (from 0) in the order shown
    bool shuffleAnswers = false;  // each question's answers drawn too
    bool operator==(const DrawnOrder&) const = default;
};

// The same seed gives the same order; without shuffled questions they stay in the set's order.
DrawnOrder drawOrder(quint32 seed, int questionCount, bool shuffleQuestions, bool shuffleAnswers);

// The set's answer index shown at each place A–E of the question at `setIndex`. Drawn from the seed and the
// question's index when the question is shown, so it is the same whenever it is shown; the answers with a
// text come first and the empty ones last, in their own order, so a question never shows a gap.
std::array<int, 5> answerPlaces(const DrawnOrder& order, int setIndex, const questionset::QuestionTexts& texts);

// The set's letters in the order shown: "CABDE".
QString shownLetters(const std::array<int, 5>& places);

}  // namespace testing
