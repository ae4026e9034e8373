#include "questionset/editor_store.h"

#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "platform/shared_lock.h"
#include "platform/paths.h"
#include "records/records.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

namespace questionset {

using platform::FileError;
using platform::files;
using platform::OpenedFile;
using platform::OpenMode;
using Reason = EditorError::Reason;

namespace {

Reason reasonOf(const FileError& error)
{
    switch (error.kind()) {
    case FileError::Kind::CannotOpen: return Reason::CannotOpen;
    case FileError::Kind::PastEnd: return Reason::CutShort;
    case FileError::Kind::Overflow:
    case FileError::Kind::NotNumber: return Reason::BadFlags;
    case FileError::Kind::WriteFailed: return Reason::WriteFailed;
    case FileError::Kind::BadHandle: return Reason::CannotOpen;
    case FileError::Kind::Busy: return Reason::Busy;
    }
    return Reason::CannotOpen;
}

// Runs file work and turns its failures into the editor's.
template <typename F>
auto editorWork(F&& work)
{
    try {
        return work();
    } catch (const FileError& error) {
        throw EditorError(reasonOf(error), platform::causeText(error.cause()));
    }
}

long long lengthBound(int file)
{
    return static_cast<long long>(static_cast<double>(files().length(file)) / 20.0);
}

// Copies `count` bytes (all that remain when negative) from the reader's position to the writer.
qint64 copyBytes(int from, int to, qint64 count)
{
    qint64 copied = 0;
    while (count < 0 || copied < count) {
        QByteArrayView chunk = files().buffered(from);
        if (chunk.isEmpty())
            break;
        if (count >= 0 && chunk.size() > count - copied)
            chunk = chunk.first(static_cast<qsizetype>(count - copied));
        files().write(to, chunk.toByteArray());
        files().consume(from, chunk.size());
        copied += chunk.size();
    }
    return copied;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isFlagsLine(const QByteArray& line)
{
    static const QRegularExpression flagsLine(
        QStringLiteral("^[ \\t]*\\d{1,3}[ \\t]*(,[ \\t]*\\d{1,3}[ \\t]*){4}$"));
    return flagsLine.match(QString::fromLatin1(line)).hasMatch();
}

// Whether `tail`, the last bytes of a set (all of it when `wholeSet`), ends with a whole question or is the
// header alone; nothing when more of the set must be seen to tell.
std::optional<bool> endsWhole(const QByteArray& tail, bool wholeSet)
{
    static const QRegularExpression lastQuestion(QStringLiteral(
        "^\"[^\"]*\"([ \\t]*,[ \\t]*\"[^\"]*\"){6}[ \\t]*\\r\\n"
        "[ \\t]*\\d{1,3}[ \\t]*(,[ \\t]*\\d{1,3}[ \\t]*){4}\\r\\n$"));
    const QByteArray header = formatHeader();
    if (wholeSet && tail == header)
        return true;
    if (!tail.endsWith("\r\n"))
        return false;
    const std::optional<bool> needMore = wholeSet ? std::optional<bool>(false) : std::nullopt;
    // The first quote of the last question's texts record.
    qsizetype start = tail.size();
    for (int quote = 0; quote < 14; ++quote) {
        start = start > 0 ? tail.lastIndexOf('"', start - 1) : -1;
        if (start < 0)
            return needMore;
    }
    if (!lastQuestion.match(QString::fromLatin1(tail.mid(start))).hasMatch())
        return false;
    // The record begins a line, and the line before ends the question before, or is the header.
    qsizetype lineStart = start;
    while (lineStart > 0 && isBlank(tail.at(lineStart - 1)))
        --lineStart;
    if (lineStart == 0)
        return needMore;
    if (tail.at(lineStart - 1) != '\n')
        return false;
    const qsizetype before = lineStart >= 2 ? tail.lastIndexOf('\n', lineStart - 2) : -1;
    if (before < 0 && !wholeSet)
        return std::nullopt;
    if (before < 0 && lineStart == header.size() && tail.startsWith(header))
        return true;
    QByteArray line = tail.mid(before + 1, lineStart - 1 - (before + 1));
    if (line.endsWith('\r'))
        line.chop(1);
    return before >= 0 && isFlagsLine(line);
}

// The set must end with a whole question, or be the header alone: a question appended after a question
// cut short would be misread, and every question after it with it. A line of flags at the end proves
// little, as a text may hold line breaks: an unclosed quote can take in lines that look like flags. A text
// never holds a double quote, though, so the last question's texts are the set's last fourteen quotes,
// which must pair up as seven texts, be followed by one line of flags and begin after the line of flags
// before (or the header). Only the last question's bytes are read, so the check costs the same however
// many questions the set holds.
void requireWholeTail(const QString& path)
{
    OpenedFile in(path, OpenMode::Input);
    const int n = in.number();
    const qint64 length = files().length(n);
    for (qint64 size = 4096;; size *= 4) {
        const qint64 from = std::max<qint64>(0, length - size);
        files().seek(n, from);
        QByteArray tail;
        while (!files().atEnd(n)) {
            const QByteArrayView chunk = files().buffered(n);
            tail += chunk.toByteArray();
            files().consume(n, chunk.size());
        }
        if (const std::optional<bool> whole = endsWhole(tail, from == 0)) {
            if (!*whole)
                throw EditorError(Reason::CutShort);
            return;
        }
    }
}

// Another copy of the program in the same folder shares the working copy; whoever holds this lock owns it.
// A lock left by a copy that died is taken over.
class WorkingCopyLock {
public:
    WorkingCopyLock() : lock_(workingCopyPath() + QStringLiteral(".lock"))
    {
        lock_.setStaleLockTime(0);  // only a dead owner makes the lock stale, never its age
        held_ = lock_.tryLock(0) ||
                (lock_.error() == QLockFile::LockFailedError && lock_.removeStaleLockFile() && lock_.tryLock(0));
    }
    bool held() const { return held_; }

private:
    QLockFile lock_;
    bool held_ = false;
};

void writeEmptyWorkingCopy()
{
    OpenedFile copy(workingCopyPath(), OpenMode::Output, platform::Durability::Scratch);
    copy.commit();
}

}  // namespace

void appendInPlace(const QString& path, const Question& question)
{
    editorWork([&] {
        // Another copy of the program may be writing the same set from another computer.
        const platform::SharedFolderLock lock(QFileInfo(path).absolutePath());
        requireWholeTail(path);
        appendQuestion(path, question);
    });
}

QString workingCopyPath()
{
    return QDir(platform::currentFolder()).filePath(QStringLiteral("temp.tmp"));
}

void emptyWorkingCopy()
{
    // Already empty: nothing to write (and no lock file to make) while the disk may still be busy with
    // the last rewrite.
    const QFileInfo copy(workingCopyPath());
    if (copy.exists() && copy.size() == 0)
        return;
    WorkingCopyLock lock;
    if (!lock.held())
        return;
    try {
        writeEmptyWorkingCopy();
    } catch (const FileError&) {
        // A folder that cannot be written has no working copy to empty.
    }
}

void removeWorkingCopy()
{
    WorkingCopyLock lock;
    if (!lock.held())
        return;
    try {
        files().remove(workingCopyPath());
    } catch (const FileError&) {
    }
}

Rewritten rewriteInPlace(const QString& path, int current, int count, const Question& question)
{
    WorkingCopyLock lock;
    if (!lock.held())
        throw EditorError(Reason::Busy);
    return editorWork([&] {
        const platform::SharedFolderLock setLock(QFileInfo(path).absolutePath());
        Rewritten result;
        qint64 start = 0;  // where question `current` begins and ends in the set
        qint64 end = 0;
        qint64 length = 0;
        {
            // Where the question stands, and whether the set is what the counters say it is.
            OpenedFile in(path, OpenMode::Input);
            const int n = in.number();
            length = files().length(n);
            records::readText(n);
            const long long bound = lengthBound(n);
            int held = 0;
            for (long long i = 0; i < bound && !files().atEnd(n); ++i) {
                if (held + 1 == current)
                    start = files().position(n);
                if (held == current)
                    result.following = readQuestionAt(n);
                else
                    skipQuestion(n);
                ++held;
                if (held == current)
                    end = files().position(n);
            }
            if ((held != count && held != count - 1) || current < 1 || current > held)
                throw EditorError(Reason::CountMismatch);
        }
        // The working copy: the complete old set, for as long as the rewrite runs.
        {
            OpenedFile in(path, OpenMode::Input);
            OpenedFile copy(workingCopyPath(), OpenMode::Output, platform::Durability::Scratch);
            if (copyBytes(in.number(), copy.number(), -1) != length)
                throw EditorError(Reason::CannotOpen);
            copy.commit();
        }
        // The new version of the set, built beside it from the working copy and put in place in one step.
        {
            OpenedFile copy(workingCopyPath(), OpenMode::Input);
            OpenedFile fresh(path, OpenMode::Output);
            const int from = copy.number();
            if (copyBytes(from, fresh.number(), start) != start)
                throw EditorError(Reason::CannotOpen);
            files().write(fresh.number(), formatQuestion(question));
            files().seek(from, end);
            if (copyBytes(from, fresh.number(), -1) != length - end)
                throw EditorError(Reason::CannotOpen);
            copy.commit();
            fresh.commit();
        }
        try {
            writeEmptyWorkingCopy();
        } catch (const FileError&) {
            // The set is saved; a working copy left full is emptied by the next move.
        }
        return result;
    });
}

Question readForEditor(const QString& path, int n)
{
    return editorWork([&] { return readQuestion(path, n); });
}

LastQuestion readLast(const QString& path)
{
    return editorWork([&] {
        LastQuestion result;
        OpenedFile in(path, OpenMode::Input);
        const int n = in.number();
        records::readText(n);
        const long long bound = lengthBound(n);
        qint64 lastStart = -1;
        for (long long i = 0; i < bound && !files().atEnd(n); ++i) {
            lastStart = files().position(n);
            skipQuestion(n);
            ++result.count;
        }
        if (lastStart >= 0) {
            files().seek(n, lastStart);
            result.question = readQuestionAt(n);
        }
        return result;
    });
}

}  // namespace questionset
