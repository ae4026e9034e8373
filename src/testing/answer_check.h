#pragma once
// The rule that judges one answered question (`PtK`): an answer is correct when its flag caption's leading
// number is exactly 1, and the question counts as good when every correct answer is ticked. Ticks on
// answers that are not correct cost nothing, so a question with no correct answer is always good.
#include <QString>
#include <array>

namespace testing {

bool isCorrectFlag(const QString& flagCaption);
int correctCount(const std::array<QString, 5>& flagCaptions);
bool isGood(const std::array<bool, 5>& marked, const std::array<QString, 5>& flagCaptions);

}  // namespace testing
