#include "platform/errors.h"

namespace platform {

namespace {

std::string whatText(FileError::Kind kind, const QString& detail)
{
    std::string text = kindName(kind);
    if (!detail.isEmpty()) {
        text += ": ";
        text += detail.toStdString();  // UTF-8
    }
    return text;
}

}  // namespace

FileError::FileError(Kind kind, const QString& detail)
    : std::runtime_error(whatText(kind, detail)), kind_(kind), detail_(detail)
{
}

const char* kindName(FileError::Kind kind)
{
    switch (kind) {
    case FileError::Kind::CannotOpen: return "CannotOpen";
    case FileError::Kind::PastEnd: return "PastEnd";
    case FileError::Kind::Overflow: return "Overflow";
    case FileError::Kind::NotNumber: return "NotNumber";
    case FileError::Kind::WriteFailed: return "WriteFailed";
    case FileError::Kind::BadHandle: return "BadHandle";
    case FileError::Kind::Busy: return "Busy";
    }
    return "Unknown";
}

}  // namespace platform
