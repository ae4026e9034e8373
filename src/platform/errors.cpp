#include "platform/errors.h"

#include <QDir>
#include <cerrno>

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

FileError::FileError(Kind kind, const QString& detail, const QString& file, std::error_code cause)
    : std::runtime_error(whatText(kind, detail)), kind_(kind), detail_(detail), file_(file), cause_(cause)
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

QString causeText(std::error_code cause)
{
    if (!cause)
        return {};
    // The error numbers of the system; a stand-in disk of a test gives the same numbers.
    if (cause.category() == std::generic_category() || cause.category() == std::system_category()) {
        switch (cause.value()) {
        case ENOSPC: return QStringLiteral("brak miejsca na dysku");
#ifdef EDQUOT
        case EDQUOT: return QStringLiteral("wyczerpany przydział miejsca na dysku");
#endif
        case EACCES:
        case EPERM: return QStringLiteral("brak uprawnień");
        case EROFS: return QStringLiteral("dysk jest tylko do odczytu");
        case EIO: return QStringLiteral("błąd odczytu lub zapisu dysku");
        case EFBIG: return QStringLiteral("plik jest za duży");
        case ENOENT: return QStringLiteral("nie ma takiego pliku ani folderu");
        case ENOTDIR: return QStringLiteral("część ścieżki nie jest folderem");
        case EISDIR: return QStringLiteral("to jest folder");
        case ENAMETOOLONG: return QStringLiteral("za długa nazwa pliku");
        case EMFILE:
        case ENFILE: return QStringLiteral("za dużo otwartych plików");
        case EBUSY:
        case ETXTBSY: return QStringLiteral("plik jest zajęty");
        case EEXIST: return QStringLiteral("plik już istnieje");
        default: break;
        }
    }
    return QStringLiteral("błąd systemu nr %1").arg(cause.value());
}

QString failureMessage(const FileError& error)
{
    const QString file = error.file().isEmpty() ? QString() : u' ' + QDir::toNativeSeparators(error.file());
    QString message;
    switch (error.kind()) {
    case FileError::Kind::WriteFailed: message = QStringLiteral("nie udało się zapisać pliku%1").arg(file); break;
    case FileError::Kind::CannotOpen: message = QStringLiteral("nie można otworzyć pliku%1").arg(file); break;
    case FileError::Kind::Busy: message = QStringLiteral("plik%1 jest zajęty przez inną kopię programu").arg(file); break;
    default: message = QStringLiteral("nie można odczytać pliku%1").arg(file); break;
    }
    if (const QString why = causeText(error.cause()); !why.isEmpty())
        message += QStringLiteral(": ") + why;
    return message;
}

}  // namespace platform
