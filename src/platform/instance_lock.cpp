#include "platform/instance_lock.h"

#include "platform/disk_calls.h"

#include <QLockFile>

namespace platform {

namespace {

// The stand-in lock file's name beside the locked file: the locked file itself stays in place between
// runs, which a lock file must not.
const QString standInSuffix = QStringLiteral(".qlock");

bool takeStandIn(std::unique_ptr<QLockFile>& standIn, const QString& path) {
    auto lock = std::make_unique<QLockFile>(path + standInSuffix);
    lock->setStaleLockTime(0);  // only a dead owner makes it stale, never its age
    if (!lock->tryLock(0) &&
        (lock->error() != QLockFile::LockFailedError || !lock->removeStaleLockFile() || !lock->tryLock(0)))
        return false;
    standIn = std::move(lock);
    return true;
}

}  // namespace

InstanceLock::InstanceLock() = default;

InstanceLock::~InstanceLock() { release(); }

bool InstanceLock::take(const QString& path) {
    if ((fd_ >= 0 || standIn_) && path_ == path)
        return true;
    release();
    std::error_code error;
    if (const int handle = lockFile(path, error); handle >= 0) {
        fd_ = handle;
        path_ = path;
        return true;
    }
    if (error != std::errc::not_supported)
        return false;
    if (!takeStandIn(standIn_, path))
        return false;
    path_ = path;
    return true;
}

void InstanceLock::release() {
    if (fd_ >= 0)
        unlockFile(fd_);
    fd_ = -1;
    standIn_.reset();
    path_.clear();
}

}  // namespace platform
