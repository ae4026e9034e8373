#pragma once
// The system calls that put a file on the disk, one small piece each, so that another set can stand in:
// a test's disk that fills up after so many bytes. Two sets are built: the system's own calls where the
// system has them, and plain Qt calls (the build option WIEDO_QT_PLATFORM_ONLY) for a system without them.
// Each gives the system's error number when it fails and never throws.
#include <QString>
#include <QStringList>
#include <optional>
#include <system_error>

namespace platform {

class DiskCalls {
public:
    virtual ~DiskCalls() = default;
    // Creates a file that must not exist yet and opens it for writing; its handle, or -1 and `error`. The
    // file gets the permission bits given, or those of a new file of the user when `permissions` < 0.
    virtual int createNew(const QString& path, int permissions, std::error_code& error) = 0;
    // Opens a file for appending, made when missing and never through a link: its handle, or -1 and `error`.
    virtual int openAppend(const QString& path, std::error_code& error) = 0;
    // Writes some of the bytes: how many (at least one when size > 0), or -1 and `error`.
    virtual qint64 write(int handle, const char* bytes, qint64 size, std::error_code& error) = 0;
    // The length of the open file, or -1 when the system cannot tell.
    virtual qint64 size(int handle) = 0;
    // Cuts the open file back (or out) to `length` bytes.
    virtual std::error_code resize(int handle, qint64 length) = 0;
    // Waits until what was written to the handle is on the disk.
    virtual std::error_code sync(int handle) = 0;
    virtual std::error_code close(int handle) = 0;
    // Puts the file `from` in the place of `to` in one step (the old `to` is gone with it).
    virtual std::error_code replace(const QString& from, const QString& to) = 0;
    // Waits until the folder's list of names (a replacement done in it) is on the disk.
    virtual std::error_code syncFolder(const QString& folder) = 0;
    virtual std::error_code remove(const QString& path) = 0;
};

// The calls in use: the system's own unless a stand-in was set.
DiskCalls& diskCalls();
// The system's own calls, which a stand-in passes on to.
DiskCalls& systemDiskCalls();
// Sets a stand-in (not owned); nullptr goes back to the system's own.
void setDiskCalls(DiskCalls* calls);

// The permission bits of an existing file, as createNew takes them, or -1 when there is none.
int permissionsOf(const QString& path);
// The names in the folder that begin with `prefix`, compared as the system gives them.
QStringList namesStartingWith(const QString& folder, const QString& prefix);
// Whether no process of this number runs on this computer; nothing where the system cannot tell.
std::optional<bool> processIsGone(qint64 process);
// True when both paths name one existing file, by whatever name (a link, another spelling, a hard link).
bool sameFile(const QString& a, const QString& b);

// The system's lock on the file at `path`, made when missing and never through a link, held by this process
// until unlockFile: its handle, or -1 and `error`, which is resource_unavailable_try_again when another
// process holds it and not_supported where the system or the file system keeps no such locks.
int lockFile(const QString& path, std::error_code& error);
void unlockFile(int handle);

// Files the program makes from now on stay writable for the group of the user who runs it.
void keepFilesWritableForGroup();

}  // namespace platform
