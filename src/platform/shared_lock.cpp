#include "platform/shared_lock.h"

#include "platform/errors.h"
#include "platform/paths.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

namespace platform {

namespace {

// A write under the lock takes milliseconds; a lock this old belongs to a copy that hung, whose computer
// went off, or that was killed before it could write its process number into the lock (a copy that died
// on this computer after that is seen at once by its number).
constexpr int staleAfterMs = 2000;

// A copy killed while it took over a stale lock leaves Qt's helper lock ("….rmlock") behind, which keeps
// every other copy from taking over for half a minute: one older than a lock may be is removed.
void removeLeftHelperLock(const QString& lockPath) {
    const QFileInfo helper(lockPath + QStringLiteral(".rmlock"));
    if (helper.exists() && helper.lastModified().msecsTo(QDateTime::currentDateTime()) > staleAfterMs)
        QFile::remove(helper.filePath());
}

}  // namespace

SharedFolderLock::SharedFolderLock(const QString& folder, int waitMs)
{
    const std::optional<QString> native = resolvePath(folder);
    if (!native || native->isEmpty())
        throw FileError(FileError::Kind::CannotOpen, QStringLiteral("no such folder: \"%1\"").arg(folder));
    const QString path = withTrailingSeparator(*native) + QLatin1String(sharedLockFileName);
    lock_ = std::make_unique<QLockFile>(path);
    lock_->setStaleLockTime(staleAfterMs);
    // Short tries at random moments: QLockFile's own wait doubles its pauses, so among thirty copies one
    // could sleep past every free moment of its few seconds.
    const QDeadlineTimer deadline(waitMs);
    while (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError && !deadline.hasExpired()) {
        removeLeftHelperLock(path);
        QThread::msleep(QRandomGenerator::global()->bounded(1, 12));
    }
    if (lock_->isLocked())
        return;
    const QLockFile::LockError error = lock_->error();
    lock_.reset();
    if (error == QLockFile::LockFailedError)
        throw FileError(FileError::Kind::Busy, QStringLiteral("\"%1\" is held by another copy").arg(path));
    throw FileError(FileError::Kind::CannotOpen, QStringLiteral("\"%1\" cannot be made").arg(path));
}

SharedFolderLock::~SharedFolderLock() = default;

}  // namespace platform
