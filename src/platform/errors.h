#pragma once
// The few kinds of failure that file work can raise. Callers catch FileError and map the kind to their own
// message, the way each window of the program has its own error handling. A failure the system gave a
// reason for carries the file and that reason, so the user can be told both in Polish.
#include <QString>
#include <stdexcept>
#include <system_error>

namespace platform {

class FileError : public std::runtime_error {
public:
    enum class Kind {
        CannotOpen,   // missing file, no access, empty name, a drive that is not ready
        PastEnd,      // a field was read when no bytes remained
        Overflow,     // a number does not fit the width asked for
        NotNumber,    // a number was asked for and the field is not one
        WriteFailed,  // the bytes could not be written or the new file could not replace the old one
        BadHandle,    // the file number is not open (for instance after "close every open file")
        Busy,         // another copy of the program is writing the shared file and did not finish in time
    };
    FileError(Kind kind, const QString& detail);
    // A failure of the file `file` for the system's reason `cause` (an error number).
    FileError(Kind kind, const QString& detail, const QString& file, std::error_code cause);
    Kind kind() const { return kind_; }
    QString detail() const { return detail_; }
    QString file() const { return file_; }
    std::error_code cause() const { return cause_; }

private:
    Kind kind_;
    QString detail_;
    QString file_;
    std::error_code cause_;
};

const char* kindName(FileError::Kind kind);

// The system's reason for a failure in the user's words ("brak miejsca na dysku"); empty for no reason.
QString causeText(std::error_code cause);

// The sentence that tells the user of a failed file operation: what could not be done, with which file and
// why, e.g. "nie udało się zapisać pliku /mnt/zestaw.kwz: brak miejsca na dysku".
QString failureMessage(const FileError& error);

}  // namespace platform
