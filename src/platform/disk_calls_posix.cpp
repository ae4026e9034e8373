// The disk calls of a POSIX system.
#include "platform/disk_calls.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::error_code lastError() { return {errno, std::system_category()}; }

std::error_code result(int returned) { return returned == 0 ? std::error_code() : lastError(); }

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

class SystemCalls : public DiskCalls {
public:
    int createNew(const QString& path, int permissions, std::error_code& error) override
    {
        const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = lastError();
            return -1;
        }
        if (permissions >= 0 && ::fchmod(fd, static_cast<mode_t>(permissions)) != 0) {
            error = lastError();
            ::close(fd);
            ::unlink(encoded(path).constData());
            return -1;
        }
        return fd;
    }

    // O_NOFOLLOW closes the gap between the caller's link check and the open.
    int openAppend(const QString& path, std::error_code& error) override
    {
        const int fd = ::open(encoded(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0)
            error = lastError();
        return fd;
    }

    qint64 write(int handle, const char* bytes, qint64 size, std::error_code& error) override
    {
        ssize_t written;
        do
            written = ::write(handle, bytes, static_cast<size_t>(size));
        while (written < 0 && errno == EINTR);
        if (written < 0)
            error = lastError();
        return written;
    }

    qint64 size(int handle) override
    {
        struct stat status {};
        return ::fstat(handle, &status) == 0 ? static_cast<qint64>(status.st_size) : -1;
    }

    std::error_code resize(int handle, qint64 length) override
    {
        return result(::ftruncate(handle, static_cast<off_t>(length)));
    }

    std::error_code sync(int handle) override { return result(::fsync(handle)); }

    // A close interrupted by a signal has closed the handle all the same: it is not tried again.
    std::error_code close(int handle) override { return result(::close(handle)); }

    std::error_code replace(const QString& from, const QString& to) override
    {
        return result(::rename(encoded(from).constData(), encoded(to).constData()));
    }

    std::error_code syncFolder(const QString& folder) override
    {
        const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return lastError();
        std::error_code error = result(::fsync(fd));
        ::close(fd);
        // Some file systems cannot sync a folder; what they hold is as safe as they make it.
        if (error == std::errc::invalid_argument || error == std::errc::not_supported)
            error.clear();
        return error;
    }

    std::error_code remove(const QString& path) override { return result(::unlink(encoded(path).constData())); }
};

}  // namespace

DiskCalls& systemDiskCalls()
{
    static SystemCalls system;
    return system;
}

int permissionsOf(const QString& path)
{
    struct stat old {};
    if (::stat(encoded(path).constData(), &old) != 0)
        return -1;
    return static_cast<int>(old.st_mode & 07777);
}

QStringList namesStartingWith(const QString& folder, const QString& prefix)
{
    const QByteArray start = QFile::encodeName(prefix);
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(encoded(folder).constData()), ::closedir);
    QStringList names;
    if (!entries)
        return names;
    while (const dirent* entry = ::readdir(entries.get())) {
        if (std::strncmp(entry->d_name, start.constData(), static_cast<size_t>(start.size())) == 0)
            names << QFile::decodeName(entry->d_name);
    }
    return names;
}

std::optional<bool> processIsGone(qint64 process)
{
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

bool sameFile(const QString& a, const QString& b)
{
    struct stat first {}, second {};
    return ::stat(encoded(a).constData(), &first) == 0 && ::stat(encoded(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int lockFile(const QString& path, std::error_code& error)
{
    const int fd = ::open(encoded(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        error = lastError();
        return -1;
    }
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked == 0)
        return fd;
    error = errno == EWOULDBLOCK ? std::make_error_code(std::errc::resource_unavailable_try_again)
                                 : std::make_error_code(std::errc::not_supported);
    ::close(fd);
    return -1;
}

void unlockFile(int handle) { ::close(handle); }

void keepFilesWritableForGroup()
{
    ::umask(::umask(0) & ~mode_t(S_IWGRP));
}

}  // namespace platform
