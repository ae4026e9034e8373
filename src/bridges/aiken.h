#pragma once
// The Aiken format: the question on its own line(s), then answer lines "A. text" or "A) text", then
// "ANSWER: X". It has no hints, so every question gets "Brak".
#include "bridges/imported.h"

#include <QByteArrayView>
#include <functional>
#include <optional>

namespace bridges {

// Every question of an Aiken text. After an "ANSWER:" line the next non-blank line always begins a new
// question, even when it looks like an answer line. A question that is not ended by "ANSWER:", names a
// letter it does not have or repeats a letter comes back with the reason it is left out. "ANSWER: A, C"
// (several letters) is taken as several right answers.
Found readAiken(const QString& text);

// The same from the bytes of a UTF-8 file (sound UTF-8 without a byte order mark): each question goes to
// `take` as soon as its "ANSWER:" line (or what stands in its place) is read.
void readAiken(QByteArrayView utf8, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take);

// The lines that make Aiken, each taken trimmed: "ANSWER: B" (any letter case, blanks before the colon)
// gives what follows the colon; "A. text" or "A) text" is an answer line.
std::optional<QByteArrayView> aikenKey(QByteArrayView line);
bool isAikenAnswer(QByteArrayView line);

}  // namespace bridges
