#pragma once
// The kind of file failure a call throws, by name, for data-driven rows.
#include "platform/errors.h"

#include <QString>

namespace testsupport {

// The kind of FileError the call throws ("PastEnd", ...), or "none".
template <typename F>
QString failureOf(F&& call) {
    try {
        call();
    } catch (const platform::FileError& e) {
        return QString::fromLatin1(platform::kindName(e.kind()));
    }
    return QStringLiteral("none");
}

}  // namespace testsupport
