#include "config/test_settings.h"

#include "config/files.h"
#include "platform/errors.h"
#include "platform/opened_file.h"
#include "platform/shared_lock.h"
#include "records/records.h"

#include <array>
#include <optional>

namespace config {

namespace {

// A whole number from low to high, or nothing for any other field.
std::optional<int> wholeNumber(const records::Value& value, int low, int high) {
    if (value.kind != records::Value::Kind::Number || value.number < low || value.number > high ||
        value.number != static_cast<int>(value.number))
        return std::nullopt;
    return static_cast<int>(value.number);
}

}  // namespace

TestSettings readTestSettings(const QString& programFolder) {
    std::array<records::Value, 4> fields;
    try {
        platform::OpenedFile file(programFolder + QLatin1String(testSettingsFileName), platform::OpenMode::Input);
        for (records::Value& field : fields)
            field = records::readValue(file.number());
    } catch (const platform::FileError&) {
        // No file yet, or one cut short: the test runs as it always has.
        return {};
    }
    const std::optional<int> questions = wholeNumber(fields[0], 0, 1);
    const std::optional<int> answers = wholeNumber(fields[1], 0, 1);
    const std::optional<int> minutes = wholeNumber(fields[2], 0, longestTimeLimit);
    const std::optional<int> resumable = wholeNumber(fields[3], 0, 1);
    if (!questions || !answers || !minutes || !resumable)
        return {};
    return {*questions == 1, *answers == 1, *minutes, *resumable == 1};
}

void writeTestSettings(const QString& programFolder, const TestSettings& settings) {
    // Every copy in a lab reads this file from the shared folder when a test starts.
    const platform::SharedFolderLock lock(programFolder);
    writeRecordFile(programFolder + QLatin1String(testSettingsFileName),
                    {records::Field::number(settings.shuffleQuestions ? 1 : 0),
                     records::Field::number(settings.shuffleAnswers ? 1 : 0), records::Field::number(settings.minutes),
                     records::Field::number(settings.resumable ? 1 : 0)});
}

}  // namespace config
