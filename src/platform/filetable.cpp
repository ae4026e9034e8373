#include "platform/filetable.h"

#include "platform/disk_calls.h"
#include "platform/paths.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Big enough that a reader scanning a 40 MB question set makes few system calls, small enough to keep one
// per open reader without thought.
constexpr qsizetype ReadBufferSize = 64 * 1024;

using Kind = FileError::Kind;

const char* modeName(OpenMode mode)
{
    switch (mode) {
    case OpenMode::Input: return "reading";
    case OpenMode::Output: return "writing";
    case OpenMode::Append: return "appending";
    }
    return "?";
}

}  // namespace

struct FileTable::OpenFile {
    OpenMode mode = OpenMode::Input;
    QString path;
    // Input files.
    std::unique_ptr<QFile> file;
    // Append files: the disk calls' handle, opened unbuffered, so that every record reaches the system at
    // once and a full disk is reported by the write that hit it and not by some later one.
    int handle = -1;
    // Output files: the new version, put in place only by a successful close.
    std::unique_ptr<NewVersion> version;
    // Input files: the read buffer and the unread part of it, [pos, end).
    QByteArray buffer;
    qsizetype pos = 0;
    qsizetype end = 0;
    // An Output file that failed a write must never replace the old version.
    bool writeFailed = false;
    // Append files: the length known to be on the disk, to which a failed flush cuts the file back.
    qint64 flushedLength = 0;

    ~OpenFile()
    {
        if (handle >= 0)
            diskCalls().close(handle);  // a file given up: its failure, if any, was reported already
    }
};

FileTable& FileTable::instance()
{
    static FileTable table;
    return table;
}

// The system's disk calls are made first, so that they outlive the table, which closes its files through them.
FileTable::FileTable() { systemDiskCalls(); }

FileTable::~FileTable()
{
    abandonAll();
}

FileTable::OpenFile& FileTable::entry(int number) const
{
    if (number < 1 || number > static_cast<int>(files_.size()) || !files_[number - 1])
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open").arg(number));
    return *files_[number - 1];
}

int FileTable::open(const QString& path, OpenMode mode, Durability durability)
{
    const std::optional<QString> resolved = resolvePath(path);
    if (!resolved || resolved->isEmpty())
        throw FileError(Kind::CannotOpen, QStringLiteral("no such drive or empty name: \"%1\"").arg(path));
    const QString native = *resolved;
    const QFileInfo info(native);

    auto opened = std::make_unique<OpenFile>();
    opened->mode = mode;
    opened->path = native;

    if (info.isDir())
        throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\" is a folder").arg(native));
    // The program's fixed files sit in shared places; never write anything through a link planted there.
    if (mode != OpenMode::Input && info.isSymLink())
        throw FileError(Kind::CannotOpen,
                        QStringLiteral("\"%1\" is a symbolic link, not opened for %2").arg(native, modeName(mode)));

    switch (mode) {
    case OpenMode::Input: {
        opened->file = std::make_unique<QFile>(native);
        if (!opened->file->open(QIODevice::ReadOnly))
            throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\": %2").arg(native, opened->file->errorString()));
        // A small file gets a small buffer: most of the program's files are a line or two.
        opened->buffer.resize(std::clamp<qsizetype>(opened->file->size() + 1, 4096, ReadBufferSize));
        break;
    }
    case OpenMode::Output:
        opened->version = std::make_unique<NewVersion>(native, durability);
        break;
    case OpenMode::Append: {
        std::error_code error;
        opened->handle = diskCalls().openAppend(native, error);
        if (opened->handle < 0)
            throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\" cannot be opened for appending").arg(native));
        opened->flushedLength = diskCalls().size(opened->handle);
        break;
    }
    }

    // The lowest free number, as file numbers are handed out.
    auto freeSlot = std::find(files_.begin(), files_.end(), nullptr);
    if (freeSlot == files_.end()) {
        files_.push_back(std::move(opened));
        return static_cast<int>(files_.size());
    }
    *freeSlot = std::move(opened);
    return static_cast<int>(freeSlot - files_.begin()) + 1;
}

bool FileTable::isOpen(int number) const
{
    return number >= 1 && number <= static_cast<int>(files_.size()) && files_[number - 1];
}

OpenMode FileTable::mode(int number) const
{
    return entry(number).mode;
}

QString FileTable::nativePath(int number) const
{
    return entry(number).path;
}

QByteArrayView FileTable::buffered(int number)
{
    OpenFile& f = entry(number);
    if (f.mode != OpenMode::Input)
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for reading").arg(number));
    if (f.pos >= f.end) {
        f.pos = 0;
        f.end = 0;
        // A read error ends the input like the end of the file does; readers then report PastEnd.
        const qint64 got = f.file->read(f.buffer.data(), f.buffer.size());
        if (got > 0)
            f.end = static_cast<qsizetype>(got);
    }
    return QByteArrayView(f.buffer.constData() + f.pos, f.end - f.pos);
}

void FileTable::consume(int number, qsizetype count)
{
    OpenFile& f = entry(number);
    if (f.mode != OpenMode::Input)
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for reading").arg(number));
    f.pos += std::clamp<qsizetype>(count, 0, f.end - f.pos);
}

int FileTable::peekByte(int number)
{
    const QByteArrayView view = buffered(number);
    return view.isEmpty() ? -1 : static_cast<unsigned char>(view.front());
}

int FileTable::readByte(int number)
{
    const int byte = peekByte(number);
    if (byte >= 0)
        consume(number, 1);
    return byte;
}

bool FileTable::atEnd(int number)
{
    return buffered(number).isEmpty();
}

qint64 FileTable::position(int number)
{
    OpenFile& f = entry(number);
    if (f.mode != OpenMode::Input)
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for reading").arg(number));
    return f.file->pos() - (f.end - f.pos);
}

void FileTable::seek(int number, qint64 offset)
{
    OpenFile& f = entry(number);
    if (f.mode != OpenMode::Input)
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for reading").arg(number));
    if (offset < 0 || !f.file->seek(std::min(offset, f.file->size())))
        throw FileError(Kind::CannotOpen, QStringLiteral("cannot move to %1 in %2").arg(offset).arg(f.path));
    f.pos = 0;
    f.end = 0;
}

qint64 FileTable::length(int number)
{
    const OpenFile& f = entry(number);
    if (f.version)
        return f.version->size();
    return f.file ? f.file->size() : diskCalls().size(f.handle);
}

void FileTable::write(int number, const QByteArray& bytes)
{
    OpenFile& f = entry(number);
    if (f.mode == OpenMode::Input)
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for writing").arg(number));
    if (f.writeFailed)
        throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\": an earlier write failed").arg(f.path));

    qsizetype allowed = bytes.size();
    const bool overBudget = writeBudget_ >= 0 && bytes.size() > writeBudget_;
    if (overBudget)
        allowed = static_cast<qsizetype>(writeBudget_);
    const auto spend = [this](qint64 written) {
        if (writeBudget_ >= 0)
            writeBudget_ -= std::max<qint64>(written, 0);
    };
    const std::error_code full = std::make_error_code(std::errc::no_space_on_device);

    if (f.version) {
        f.writeFailed = true;  // until the bytes are through
        if (allowed > 0)
            f.version->write(QByteArrayView(bytes).first(allowed));
        spend(allowed);
        if (overBudget) {
            f.version->discard();
            throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\": no space left on the disk").arg(f.path),
                            f.path, full);
        }
        f.writeFailed = false;
        return;
    }

    // An appended record is taken whole or not at all: what a failed write left is cut off again.
    const qint64 lengthBefore = diskCalls().size(f.handle);
    const auto fail = [&](const QString& why, std::error_code cause) {
        f.writeFailed = true;
        diskCalls().resize(f.handle, lengthBefore);
        return FileError(Kind::WriteFailed, QStringLiteral("\"%1\": %2").arg(f.path, why), f.path, cause);
    };
    for (qsizetype done = 0; done < allowed;) {
        std::error_code error;
        const qint64 written = diskCalls().write(f.handle, bytes.constData() + done, allowed - done, error);
        if (written <= 0)
            throw fail(QStringLiteral("a write failed"), written < 0 ? error : std::make_error_code(std::errc::io_error));
        spend(written);
        done += static_cast<qsizetype>(written);
    }
    if (overBudget)
        throw fail(QStringLiteral("no space left on the disk"), full);
}

void FileTable::flushToDisk(int number)
{
    OpenFile& f = entry(number);
    switch (f.mode) {
    case OpenMode::Input:
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for appending").arg(number));
    case OpenMode::Output:
        return;  // the new version is synced when close puts it in place
    case OpenMode::Append:
        break;
    }
    if (const std::error_code error = diskCalls().sync(f.handle)) {
        diskCalls().resize(f.handle, f.flushedLength);
        throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\" could not be flushed to the disk").arg(f.path),
                        f.path, error);
    }
    f.flushedLength = diskCalls().size(f.handle);
}

void FileTable::cutBack(int number, qint64 length)
{
    OpenFile& f = entry(number);
    if (f.mode != OpenMode::Append)
        throw FileError(Kind::BadHandle, QStringLiteral("file number %1 is not open for appending").arg(number));
    if (const std::error_code error = diskCalls().resize(f.handle, length))
        throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\" could not be cut back").arg(f.path), f.path, error);
    f.flushedLength = length;
}

void FileTable::close(int number)
{
    if (!isOpen(number))
        return;
    // The number is free again whatever happens below.
    std::unique_ptr<OpenFile> f = std::move(files_[number - 1]);
    while (!files_.empty() && !files_.back())
        files_.pop_back();

    if (f->mode == OpenMode::Output) {
        // A new version that failed a write is dropped with its entry; the old version stays.
        if (f->writeFailed)
            throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\" was not replaced: a write failed").arg(f->path),
                            f->path, {});
        f->version->commit();
        return;
    }
    if (f->mode == OpenMode::Append) {
        const int handle = std::exchange(f->handle, -1);
        if (const std::error_code error = diskCalls().close(handle))
            throw FileError(Kind::WriteFailed, QStringLiteral("\"%1\" could not be closed").arg(f->path), f->path, error);
        return;
    }
    f->file->close();
}

void FileTable::closeAll()
{
    std::optional<FileError> first;
    for (int number = static_cast<int>(files_.size()); number >= 1; --number) {
        try {
            close(number);
        } catch (const FileError& e) {
            if (!first)
                first = e;
        }
    }
    if (first)
        throw *first;
}

void FileTable::abandonAll()
{
    files_.clear();
}

int FileTable::openCount() const
{
    return static_cast<int>(std::count_if(files_.begin(), files_.end(), [](const auto& f) { return f != nullptr; }));
}

void FileTable::remove(const QString& path)
{
    const std::optional<QString> resolved = resolvePath(path);
    if (!resolved || resolved->isEmpty())
        throw FileError(Kind::CannotOpen, QStringLiteral("no such drive or empty name: \"%1\"").arg(path));
    const QString native = *resolved;
    const QFileInfo info(native);
    if (info.isDir())
        throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\" is a folder").arg(native));
    // A link is removed itself, never the file it points to (a dangling link counts as present).
    if (!info.exists() && !info.isSymLink())
        throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\" does not exist").arg(native));
    QFile file(native);
    if (!file.remove())
        throw FileError(Kind::CannotOpen, QStringLiteral("\"%1\": %2").arg(native, file.errorString()));
}

void FileTable::failWritesAfter(qint64 bytes)
{
    writeBudget_ = bytes < 0 ? -1 : bytes;
}

void closeEveryFile()
{
    try {
        files().closeAll();
    } catch (const FileError&) {
    }
}

}  // namespace platform
