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
    QList<int> questions;               // the set's question indices (from 0) in the order shown
    QList<std::array<int, 5>> answers;  // per set question: the set's answer index shown at each place A–E
    bool operator==(const DrawnOrder&) const = default;
};

// The same seed gives the same order. Without a shuffle its part stays in the set's order; shuffled answers
// keep the empty ones last, in their own order, so a question never shows a gap before an answer.
DrawnOrder drawOrder(quint32 seed, const QList<questionset::Question>& set, bool shuffleQuestions,
                     bool shuffleAnswers);

// The set's letters in the order shown: "CABDE".
QString shownLetters(const std::array<int, 5>& places);

}  // namespace testing
