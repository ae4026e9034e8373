#pragma once
// The question sets the benchmarks run on: deterministic pseudo-random Polish texts of 50 to 200
// characters in every field, written in the question set format.
#include <QString>

namespace bench {

// The texts repeat after this many questions: question 30000 shows the texts of question 10, so clicks
// timed from those two questions differ only in where they stand in the set.
constexpr int repeatPeriod = 29990;

// Writes a set of `questions` questions to `path`; the same count always gives the same bytes.
// Returns false when the file cannot be written.
bool writeSet(const QString& path, int questions);

}  // namespace bench
