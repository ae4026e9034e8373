#pragma once
// The Aiken format: the question on its own line(s), then answer lines "A. text" or "A) text", then
// "ANSWER: X". It has no hints, so every question gets "Brak".
#include "bridges/imported.h"

namespace bridges {

// Every question of an Aiken text. After an "ANSWER:" line the next non-blank line always begins a new
// question, even when it looks like an answer line. A question that is not ended by "ANSWER:", names a
// letter it does not have or repeats a letter comes back with the reason it is left out. "ANSWER: A, C"
// (several letters) is taken as several right answers.
Found readAiken(const QString& text);

}  // namespace bridges
