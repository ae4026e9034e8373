#include "platform/instance_lock.h"

#include <QFile>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

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
#ifdef Q_OS_UNIX
    // Never through a link planted in its place: the lock's file is made by the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return false;
    int result;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0) {
        fd_ = fd;
        path_ = path;
        return true;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
        return false;
#endif
    if (!takeStandIn(standIn_, path))
        return false;
    path_ = path;
    return true;
}

void InstanceLock::release() {
#ifdef Q_OS_UNIX
    if (fd_ >= 0)
        ::close(fd_);
#endif
    fd_ = -1;
    standIn_.reset();
    path_.clear();
}

}  // namespace platform
