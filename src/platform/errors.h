#pragma once
// The few kinds of failure that file work can raise. Callers catch FileError and map the kind to their own
// message, the way each window of the program has its own error handling.
#include <QString>
#include <stdexcept>

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
    Kind kind() const { return kind_; }
    QString detail() const { return detail_; }

private:
    Kind kind_;
    QString detail_;
};

const char* kindName(FileError::Kind kind);

}  // namespace platform
