#pragma once
// The rule that judges one answered question (`PtK`): an answer is correct when its flag caption's leading
// number is exactly 1, and the question counts as good when the ticked answers are exactly the correct ones.
// A tick on an answer that is not correct makes the question wrong, so ticking every box earns nothing, and a
// question with no correct answer is good only when nothing is ticked.
#include <QString>
#include <array>

namespace testing {

bool isCorrectFlag(const QString& flagCaption);
bool isGood(const std::array<bool, 5>& marked, const std::array<QString, 5>& flagCaptions);

}  // namespace testing
