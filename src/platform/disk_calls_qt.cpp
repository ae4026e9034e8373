// The disk calls through Qt alone, for a system without the POSIX calls (the build option
// WIEDO_QT_PLATFORM_ONLY). A handle is this file's own number for a QFile it keeps open. Where Qt cannot do
// what the system's calls do, the comment at the call says what is given up.
#include "platform/disk_calls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <map>
#include <memory>

namespace platform {

namespace {

std::error_code code(std::errc value) { return std::make_error_code(value); }

// The reason of a failed read, write or resize, as far as Qt tells it (a full disk is its ResourceError).
std::error_code causeOf(const QFileDevice& file)
{
    switch (file.error()) {
    case QFileDevice::NoError: return {};
    case QFileDevice::ResourceError: return code(std::errc::no_space_on_device);
    case QFileDevice::PermissionsError: return code(std::errc::permission_denied);
    default: return code(std::errc::io_error);
    }
}

// Qt reports every failed open alike: the reason is told from what is on the disk.
std::error_code openFailure(const QString& path, bool mustBeNew)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return code(std::errc::too_many_symbolic_link_levels);  // what a refused link gives on POSIX
    if (info.isDir())
        return code(std::errc::is_a_directory);
    if (info.exists())
        return mustBeNew ? code(std::errc::file_exists) : code(std::errc::permission_denied);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return code(std::errc::no_such_file_or_directory);
    return folder.isWritable() ? code(std::errc::io_error) : code(std::errc::permission_denied);
}

class QtCalls : public DiskCalls {
public:
    int createNew(const QString& path, int permissions, std::error_code& error) override
    {
        // NewOnly refuses an existing name, a link included.
        auto file = std::make_unique<QFile>(path);
        if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            error = openFailure(path, true);
            return -1;
        }
        if (permissions >= 0 && !file->setPermissions(QFileDevice::Permissions(permissions))) {
            error = code(std::errc::permission_denied);
            file->close();
            file->remove();
            return -1;
        }
        return keep(std::move(file));
    }

    int openAppend(const QString& path, std::error_code& error) override
    {
        // The link check and the open are two steps here: Qt has no open that refuses a link.
        if (QFileInfo(path).isSymLink()) {
            error = openFailure(path, false);
            return -1;
        }
        auto file = std::make_unique<QFile>(path);
        if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            error = openFailure(path, false);
            return -1;
        }
        return keep(std::move(file));
    }

    qint64 write(int handle, const char* bytes, qint64 size, std::error_code& error) override
    {
        QFile* file = find(handle, error);
        if (!file)
            return -1;
        const qint64 written = file->write(bytes, size);
        if (written < 0)
            error = causeOf(*file);
        return written;
    }

    qint64 size(int handle) override
    {
        std::error_code unused;
        QFile* file = find(handle, unused);
        return file ? file->size() : -1;
    }

    std::error_code resize(int handle, qint64 length) override
    {
        std::error_code error;
        if (QFile* file = find(handle, error); file && !file->resize(length))
            error = causeOf(*file);
        return error;
    }

    // Qt has no call that waits until a QFile's bytes are on the disk (only QSaveFile does so, inside its
    // commit): flushing hands every byte to the system, which is as far as this path goes. A power cut may
    // still take back the last writes, though never put a half-written version in a file's place.
    std::error_code sync(int handle) override
    {
        std::error_code error;
        if (QFile* file = find(handle, error); file && !file->flush())
            error = causeOf(*file);
        return error;
    }

    std::error_code close(int handle) override
    {
        std::error_code error;
        QFile* file = find(handle, error);
        if (!file)
            return error;
        if (!file->flush())
            error = causeOf(*file);
        files_.erase(handle);
        return error;
    }

    // QFile::rename refuses an existing target, and removing it first would leave a moment with no file at
    // all: the standard library's rename replaces it in one step on every system.
    std::error_code replace(const QString& from, const QString& to) override
    {
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                                std::filesystem::path(to.toStdU16String()), error);
        if (!error)
            return {};
        // In the error numbers that the messages know, whatever numbers the system gave.
        const std::error_condition reason = error.default_error_condition();
        return {reason.value(), reason.category()};
    }

    // Qt cannot open a folder to sync it; the folder's list of names is as safe as the file system keeps it.
    std::error_code syncFolder(const QString&) override { return {}; }

    std::error_code remove(const QString& path) override
    {
        QFile file(path);
        if (file.remove())
            return {};
        const QFileInfo info(path);
        return info.exists() || info.isSymLink() ? code(std::errc::permission_denied)
                                                 : code(std::errc::no_such_file_or_directory);
    }

private:
    int keep(std::unique_ptr<QFile> file)
    {
        const int handle = next_++;
        files_.emplace(handle, std::move(file));
        return handle;
    }

    QFile* find(int handle, std::error_code& error)
    {
        const auto found = files_.find(handle);
        if (found != files_.end())
            return found->second.get();
        error = code(std::errc::bad_file_descriptor);
        return nullptr;
    }

    std::map<int, std::unique_ptr<QFile>> files_;
    int next_ = 1;
};

}  // namespace

DiskCalls& systemDiskCalls()
{
    static QtCalls qt;
    return qt;
}

int permissionsOf(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? static_cast<int>(info.permissions().toInt()) : -1;
}

QStringList namesStartingWith(const QString& folder, const QString& prefix)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::Unsorted);
    names.removeIf([&](const QString& name) { return !name.startsWith(prefix); });
    return names;
}

// Qt asks no other process about itself: a leftover of a copy on this computer is judged by its age.
std::optional<bool> processIsGone(qint64) { return std::nullopt; }

// Qt knows a file by its canonical path: a link and another spelling are seen, a hard link is not.
bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// Qt keeps no lock that ends with its process but QLockFile, which the caller takes instead: this only makes
// the file, as the system's lock does.
int lockFile(const QString& path, std::error_code& error)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        error = openFailure(path, false);
        return -1;
    }
    if (!info.exists()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            error = openFailure(path, true);
            return -1;
        }
    }
    error = code(std::errc::not_supported);
    return -1;
}

void unlockFile(int) {}

// Qt has no umask: files made on this path take the rights the system gives new files in their folder
// (on Windows, those the folder passes on to them).
void keepFilesWritableForGroup() {}

}  // namespace platform
