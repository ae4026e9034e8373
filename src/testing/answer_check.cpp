#include "testing/answer_check.h"

#include "platform/text.h"

namespace testing {

bool isCorrectFlag(const QString& flagCaption)
{
    return platform::captionValue(flagCaption) == 1;
}

int correctCount(const std::array<QString, 5>& flagCaptions)
{
    int k = 0;
    for (const QString& caption : flagCaptions)
        k += isCorrectFlag(caption) ? 1 : 0;
    return k;
}

bool isGood(const std::array<bool, 5>& marked, const std::array<QString, 5>& flagCaptions)
{
    int m = 0;
    for (std::size_t i = 0; i < flagCaptions.size(); ++i)
        m += (marked[i] && isCorrectFlag(flagCaptions[i])) ? 1 : 0;
    return m == correctCount(flagCaptions);
}

}  // namespace testing
