#include "testing/answer_check.h"

#include "platform/text.h"

namespace testing {

bool isCorrectFlag(const QString& flagCaption)
{
    return platform::captionValue(flagCaption) == 1;
}

bool isGood(const std::array<bool, 5>& marked, const std::array<QString, 5>& flagCaptions)
{
    for (std::size_t i = 0; i < flagCaptions.size(); ++i) {
        if (marked[i] != isCorrectFlag(flagCaptions[i]))
            return false;
    }
    return true;
}

}  // namespace testing
