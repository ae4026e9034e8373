#pragma once
// The one way the program writes a file as a whole: a new version is written beside the file under a name
// of this program's own, every write is checked, and commit() puts it in the file's place in one step.
// Whatever fails on the way, the new version is removed and the old file stays exactly as it was; the
// failure is thrown as a FileError that names the file and the system's cause (see failureMessage()).
#include "platform/errors.h"

#include <QByteArrayView>
#include <QString>

namespace platform {

// How a new version reaches the disk. Synced: the program waits until it is on the disk before it replaces
// the old one, and until the replacement is (the user's work). Scratch: replaced in one step all the
// same, without the waits (files the program remakes at every start).
enum class Durability { Synced, Scratch };

// The part of this program's temporary names that names the computer.
QString thisComputerTag();

class NewVersion {
public:
    // Opens an empty new version of the file at the native path. Throws CannotOpen.
    explicit NewVersion(const QString& path, Durability durability = Durability::Synced);
    // A new version that was not committed is removed.
    ~NewVersion();
    NewVersion(const NewVersion&) = delete;
    NewVersion& operator=(const NewVersion&) = delete;

    // Writes all the bytes or throws WriteFailed; after a failure every later write and commit fail too.
    void write(QByteArrayView bytes);
    // Pushes the new version to the disk and puts it in the file's place. Throws WriteFailed.
    void commit();
    // Removes the new version; the old file stays.
    void discard();

    qint64 size() const { return size_; }
    QString path() const { return path_; }

private:
    [[noreturn]] void fail(const QString& what, std::error_code cause);
    QString path_;
    QString scratch_;  // the new version's name while it is written; empty once it is gone or in place
    int handle_ = -1;
    Durability durability_;
    qint64 size_ = 0;
    bool failed_ = false;
};

}  // namespace platform
