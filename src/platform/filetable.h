#pragma once
// The program's one table of open files. Every file the program touches is opened here by number, read
// byte-wise by the record reader, written as bytes by the record writer, and closed one by one or all at
// once ("close every open file", which also closes the question reader the main window keeps open).
// Files opened for writing are written to a new version (new_version.h) that replaces the old file in one
// step when the file is closed, so a crash or a full disk never leaves a half-written file behind.
#include "platform/errors.h"
#include "platform/new_version.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace platform {

enum class OpenMode { Input, Output, Append };

class FileTable {
public:
    static FileTable& instance();

    // Opens the path (Windows-style or native, see paths.h) and returns its file number.
    // Throws FileError::CannotOpen.
    int open(const QString& path, OpenMode mode, Durability durability = Durability::Synced);
    bool isOpen(int number) const;
    OpenMode mode(int number) const;
    QString nativePath(int number) const;

    // Reading (Input files). peek returns -1 at the end of the file.
    int peekByte(int number);
    // The bytes buffered from the current position on (refilled when empty; empty at the end of the
    // file), for readers that scan a field at a time; consume() moves past bytes taken from it.
    QByteArrayView buffered(int number);
    void consume(int number, qsizetype count);
    int readByte(int number);
    bool atEnd(int number);
    // Input files: the offset of the next byte to be read, and a move to an offset (a reader reopened
    // after "close every open file" goes on where it stood).
    qint64 position(int number);
    void seek(int number, qint64 offset);
    qint64 length(int number);

    // Writing (Output and Append files). Throws FileError::WriteFailed; an Append file is then cut back to
    // its length before the write, so it never ends in part of a record.
    void write(int number, const QByteArray& bytes);
    // Append files only: pushes what was written to the disk before the program goes on. When that fails
    // the file is cut back to what was last known to be on the disk.
    void flushToDisk(int number);
    // Append files only: cuts the file back to the given length, where the file's owner found the end of
    // its last whole record. Throws WriteFailed when the file cannot be cut.
    void cutBack(int number, qint64 length);

    // Closing an Output file puts its new version in place; a failure to do so throws WriteFailed and
    // leaves the old file as it was. Closing a number that is not open does nothing.
    void close(int number);
    // Closes every file. Output files are committed; the first failure is thrown after all are closed.
    void closeAll();
    // Closes every file without committing pending new versions and without throwing (program end).
    void abandonAll();
    int openCount() const;

    // Deletes a file (Windows-style or native path). Throws FileError::CannotOpen when it cannot.
    void remove(const QString& path);

    // Test hook: every write to a file opened for writing or appending fails once this many more bytes
    // have been written in total, as a full disk would. A negative value switches it off.
    void failWritesAfter(qint64 bytes);

    struct OpenFile;

private:
    FileTable();
    ~FileTable();
    OpenFile& entry(int number) const;
    std::vector<std::unique_ptr<OpenFile>> files_;
    qint64 writeBudget_ = -1;
    friend struct OpenFile;
};

// Short form used throughout the program.
inline FileTable& files() { return FileTable::instance(); }

// "Close every open file" where a failure to put a written file in place is passed over: the old version
// of that file stays, and the command goes on.
void closeEveryFile();

}  // namespace platform
