#pragma once
// The teacher's settings of a lab exam, "test.cfg" in the program folder: one record of four numbers,
// Windows-1250, CR LF — shuffled questions (0 or 1), shuffled answers (0 or 1), the time limit in minutes
// (0 for none, at most 300) and whether a broken-off test may be finished (0 or 1). Every setting is off
// until a teacher saves the settings window, so the test runs as it always has.
#include <QString>

namespace config {

inline constexpr auto testSettingsFileName = "test.cfg";
inline constexpr int longestTimeLimit = 300;

struct TestSettings {
    bool shuffleQuestions = false;
    bool shuffleAnswers = false;
    int minutes = 0;
    bool resumable = false;
    bool operator==(const TestSettings&) const = default;
};

// A missing or damaged file (a field missing, not a number, out of range) means every setting off, with no
// message.
TestSettings readTestSettings(const QString& programFolder);
// Written as a whole new version. Throws platform::FileError.
void writeTestSettings(const QString& programFolder, const TestSettings& settings);

}  // namespace config
