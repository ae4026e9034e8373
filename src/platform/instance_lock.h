#pragma once
// The lock that tells a second running copy of the program, started by the same user, from the first:
// the system's own lock on a file, held for as long as the copy that took it lives. It ends with that
// copy however it ends, so a killed copy leaves nothing to take over, and taking it writes nothing to
// the disk. Where the file system keeps no such locks (some network shares) or the build uses Qt's calls
// alone, a lock file stands in.
#include <QString>
#include <memory>

class QLockFile;

namespace platform {

class InstanceLock {
public:
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock of the file at `path` (native), made when missing and otherwise left as it is.
    // False when another copy holds it or the file cannot be made; true when it is already held here.
    bool take(const QString& path);
    void release();

private:
    int fd_ = -1;
    QString path_;
    std::unique_ptr<QLockFile> standIn_;
};

}  // namespace platform
