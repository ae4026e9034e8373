#pragma once
// A file of the file table that is closed when the work on it ends, however it ends. commit() closes it
// while the work can still fail, so a new version that cannot be put in place is reported.
#include "platform/filetable.h"

namespace platform {

class OpenedFile {
public:
    OpenedFile(const QString& path, OpenMode mode, Durability durability = Durability::Synced)
        : number_(files().open(path, mode, durability)), nativePath_(files().nativePath(number_))
    {
    }
    ~OpenedFile()
    {
        // The number may belong to another file by now, if something closed every file meanwhile.
        if (files().isOpen(number_) && files().nativePath(number_) == nativePath_) {
            try {
                files().close(number_);
            } catch (...) {
                // Only commit() reports a failure to close; here the work has already failed.
            }
        }
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    int number() const { return number_; }
    void commit() { files().close(number_); }

private:
    int number_;
    QString nativePath_;
};

}  // namespace platform
