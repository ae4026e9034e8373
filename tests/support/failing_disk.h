#pragma once
// A disk that fills up: it passes every call to the system's own, except that writes fail with "no space
// left" once the given number of bytes has been written (a write that crosses the limit takes what still
// fits, as a real disk does), and a sync or a replacement can be made to fail with a given error. Set for
// the life of the object.
#include "platform/disk_calls.h"

#include <algorithm>

namespace testsupport {

class FailingDisk : public platform::DiskCalls {
public:
    explicit FailingDisk(qint64 bytesThatFit) : room_(bytesThatFit) { platform::setDiskCalls(this); }
    ~FailingDisk() override { platform::setDiskCalls(nullptr); }
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;

    std::error_code failSync;     // given to every sync, when set
    std::error_code failReplace;  // given to every replacement, when set

    int createNew(const QString& path, int permissions, std::error_code& error) override {
        return real().createNew(path, permissions, error);
    }
    int openAppend(const QString& path, std::error_code& error) override { return real().openAppend(path, error); }
    qint64 write(int handle, const char* bytes, qint64 size, std::error_code& error) override {
        if (room_ <= 0 && size > 0) {
            error = std::make_error_code(std::errc::no_space_on_device);
            return -1;
        }
        const qint64 written = real().write(handle, bytes, std::min(size, room_), error);
        room_ -= std::max<qint64>(written, 0);
        return written;
    }
    qint64 size(int handle) override { return real().size(handle); }
    std::error_code resize(int handle, qint64 length) override { return real().resize(handle, length); }
    std::error_code sync(int handle) override { return failSync ? failSync : real().sync(handle); }
    std::error_code close(int handle) override { return real().close(handle); }
    std::error_code replace(const QString& from, const QString& to) override {
        return failReplace ? failReplace : real().replace(from, to);
    }
    std::error_code syncFolder(const QString& folder) override { return real().syncFolder(folder); }
    std::error_code remove(const QString& path) override { return real().remove(path); }

private:
    static platform::DiskCalls& real() { return platform::systemDiskCalls(); }
    qint64 room_;
};

}  // namespace testsupport
