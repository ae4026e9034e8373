#pragma once
// A new version of a file as a device that Qt writers write to (the PDF writer): every write goes through
// NewVersion and is checked there. A writer that does not look at what its writes returned cannot hide a
// failure: the first one is kept, and the new version is put in place only by finish() when there was none.
#include "platform/new_version.h"

#include <QIODevice>
#include <optional>

namespace platform {

class NewVersionDevice : public QIODevice {
public:
    explicit NewVersionDevice(const QString& path) : version_(path) { open(QIODevice::WriteOnly); }
    // Puts the new version in place, or throws the first failure (WriteFailed); the old file then stays.
    void finish()
    {
        if (failure_)
            throw *failure_;
        close();
        version_.commit();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* bytes, qint64 size) override
    {
        if (failure_)
            return -1;
        try {
            version_.write(QByteArrayView(bytes, size));
        } catch (const FileError& error) {
            failure_ = error;
            return -1;
        }
        return size;
    }

private:
    NewVersion version_;
    std::optional<FileError> failure_;
};

}  // namespace platform
