#include "platform/new_version.h"

#include "platform/disk_calls.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

namespace platform {

namespace {

using Kind = FileError::Kind;

// A copy killed while it wrote leaves its new version behind under a temporary name "<file>.~<computer>-
// <process>-<random>". Nothing reads such a file (every file is opened by its exact name, and the lists of
// sets ask for "*.kwz"), and the next copy that writes the same file removes what a dead copy left: at once
// when the process that wrote it is gone from this computer, after an hour when it came from another
// computer sharing the folder, whose copy may be writing it right now, or from this one where the platform
// cannot ask whether a process lives.
constexpr qint64 foreignLeftoverAgeMs = 60LL * 60 * 1000;

QString processTag()
{
    return thisComputerTag() + u'-' + QString::number(QCoreApplication::applicationPid(), 36);
}

bool isLeftoverOfADeadCopy(const QFileInfo& leftover, QStringView tag)
{
    const QList<QStringView> parts = tag.split(u'-');
    if (parts.size() == 3 && parts.at(0) == thisComputerTag()) {
        bool ok = false;
        const qint64 pid = parts.at(1).toLongLong(&ok, 36);
        if (!ok || pid <= 0 || pid == QCoreApplication::applicationPid())
            return false;
        if (const std::optional<bool> gone = processIsGone(pid))
            return *gone;
    }
    return leftover.lastModified().msecsTo(QDateTime::currentDateTime()) > foreignLeftoverAgeMs;
}

// Every write of a file lists its folder: the names are compared as the system gives them, and only a
// leftover's name is looked at further, so a folder full of sets costs little more than an empty one.
void removeLeftoversOfDeadCopies(const QString& path)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    const qsizetype tagStart = target.fileName().size() + 2;
    for (const QString& name : namesStartingWith(folder, target.fileName() + QStringLiteral(".~"))) {
        const QFileInfo leftover(folder + u'/' + name);
        if (leftover.isFile() && isLeftoverOfADeadCopy(leftover, QStringView(name).mid(tagStart)))
            diskCalls().remove(leftover.filePath());
    }
}

}  // namespace

QString thisComputerTag()
{
    static const QString tag = QString::fromLatin1(
        QCryptographicHash::hash(QSysInfo::machineHostName().toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    return tag;
}

NewVersion::NewVersion(const QString& path, Durability durability) : path_(path), durability_(durability)
{
    removeLeftoversOfDeadCopies(path);
    // The old file's permissions (a set shared with a group stays shared), or those of a new file of the user.
    const int permissions = permissionsOf(path);
    std::error_code error;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = path + QStringLiteral(".~") + processTag() + u'-' +
                             QString::number(QRandomGenerator::global()->generate(), 36);
        error.clear();
        handle_ = diskCalls().createNew(name, permissions, error);
        if (handle_ >= 0) {
            scratch_ = name;
            return;
        }
        if (error != std::errc::file_exists)
            break;
    }
    throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\" cannot be opened for writing").arg(path), path, error);
}

NewVersion::~NewVersion()
{
    discard();
}

void NewVersion::discard()
{
    // A version given up is closed and removed as well as can be: the old file is untouched either way,
    // and the failure that led here is the one reported (a leftover is removed by the next write).
    if (handle_ >= 0)
        diskCalls().close(handle_);
    handle_ = -1;
    if (!scratch_.isEmpty())
        diskCalls().remove(scratch_);
    scratch_.clear();
}

void NewVersion::fail(const QString& what, std::error_code cause)
{
    failed_ = true;
    discard();
    throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\" was not replaced: %2").arg(path_, what), path_, cause);
}

void NewVersion::write(QByteArrayView bytes)
{
    if (failed_ || handle_ < 0)
        throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\": an earlier write failed").arg(path_), path_, {});
    // The system may take part of the bytes (a disk that fills up takes what still fits): the rest is
    // written again until it is all there or the system says why not.
    for (qint64 done = 0; done < bytes.size();) {
        std::error_code error;
        const qint64 written = diskCalls().write(handle_, bytes.data() + done, bytes.size() - done, error);
        if (written <= 0)
            fail(QStringLiteral("a write failed"), written < 0 ? error : std::make_error_code(std::errc::io_error));
        done += written;
        size_ += written;
    }
}

void NewVersion::commit()
{
    if (failed_ || handle_ < 0)
        throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\": an earlier write failed").arg(path_), path_, {});
    const bool synced = durability_ == Durability::Synced;
    if (synced) {
        if (const std::error_code error = diskCalls().sync(handle_))
            fail(QStringLiteral("the new version could not be pushed to the disk"), error);
    }
    const int handle = handle_;
    handle_ = -1;
    if (const std::error_code error = diskCalls().close(handle))
        fail(QStringLiteral("the new version could not be closed"), error);
    if (const std::error_code error = diskCalls().replace(scratch_, path_))
        fail(QStringLiteral("the new version could not take the old one's place"), error);
    scratch_.clear();
    // The new version is in place; a folder whose change cannot be made sure of is still reported, so the
    // user does not count on a file that a power cut could take back.
    if (synced) {
        if (const std::error_code error = diskCalls().syncFolder(QFileInfo(path_).absolutePath())) {
            failed_ = true;
            throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\": its folder could not be pushed to the disk").arg(path_),
                            path_, error);
        }
    }
}

}  // namespace platform
