#include "testing/question_reader.h"

#include "platform/filetable.h"
#include "records/records.h"

namespace testing {

using platform::FileError;
using platform::files;
using platform::OpenMode;

QString damageDescription(const FileError& failure, long long question)
{
    switch (failure.kind()) {
    case FileError::Kind::NotNumber:
    case FileError::Kind::Overflow:
        return QStringLiteral("Zestaw pytań jest uszkodzony: pytanie nr %1 ma niepoprawne oznaczenia odpowiedzi "
                              "(dozwolone są liczby od 0 do 255).")
            .arg(question);
    default:
        return QStringLiteral("Zestaw pytań jest uszkodzony: pytanie nr %1 nie ma wszystkich pól.").arg(question);
    }
}

QuestionReader& QuestionReader::instance()
{
    static QuestionReader reader;
    return reader;
}

// After "close every open file" the reader's number may have been handed to another file; it is still
// the reader's only while it holds the same set for reading, standing where the reader left it.
bool QuestionReader::ownsNumber() const
{
    return number_ != 0 && files().isOpen(number_) && files().mode(number_) == OpenMode::Input
        && files().nativePath(number_) == nativePath_ && files().position(number_) == offset_;
}

bool QuestionReader::isOpen() const
{
    return ownsNumber();
}

void QuestionReader::open(const QString& path)
{
    close();
    const int number = files().open(path, OpenMode::Input);
    number_ = number;
    path_ = path;
    nativePath_ = files().nativePath(number);
    offset_ = 0;
}

void QuestionReader::ensureOpen()
{
    if (ownsNumber())
        return;
    if (path_.isEmpty())
        throw FileError(FileError::Kind::CannotOpen, QStringLiteral("no question set is open"));
    const int number = files().open(path_, OpenMode::Input);
    try {
        files().seek(number, offset_);
    } catch (const FileError&) {
        files().close(number);
        throw;
    }
    number_ = number;
    nativePath_ = files().nativePath(number);
}

void QuestionReader::close()
{
    if (ownsNumber())
        files().close(number_);
    number_ = 0;
    path_.clear();
    nativePath_.clear();
    offset_ = 0;
}

void QuestionReader::remember()
{
    offset_ = files().position(number_);
}

template <typename Read>
auto QuestionReader::readWhole(Read read)
{
    ensureOpen();
    try {
        auto result = read(number_);
        remember();
        return result;
    } catch (const FileError&) {
        // Back to the last whole record, so the next read starts where this one did.
        try {
            files().seek(number_, offset_);
        } catch (const FileError&) {
        }
        throw;
    }
}

QString QuestionReader::readHeader()
{
    return readWhole([](int file) { return records::readText(file); });
}

questionset::QuestionTexts QuestionReader::readTexts()
{
    return readWhole([](int file) { return questionset::readTexts(file); });
}

questionset::Flags QuestionReader::readFlags()
{
    return readWhole([](int file) { return questionset::readFlags(file); });
}

QuestionCount QuestionReader::countQuestions()
{
    ensureOpen();
    const long long bound = static_cast<long long>(static_cast<double>(files().length(number_)) / 20.0);
    QuestionCount count;
    try {
        for (long long i = 0; i < bound; ++i) {
            questionset::skipQuestion(number_);
            remember();
            ++count.questions;
        }
    } catch (const FileError& error) {
        files().seek(number_, offset_);
        if (!atEnd())
            count.damage = error;
    }
    return count;
}

void QuestionReader::seek(qint64 offset)
{
    ensureOpen();
    files().seek(number_, offset);
    offset_ = offset;
}

void QuestionReader::skipQuestion()
{
    readWhole([](int file) {
        questionset::skipQuestion(file);
        return 0;
    });
}

qint64 QuestionReader::length()
{
    ensureOpen();
    return files().length(number_);
}

bool QuestionReader::atEnd()
{
    ensureOpen();
    for (QByteArrayView rest = files().buffered(number_); !rest.isEmpty(); rest = files().buffered(number_)) {
        for (const char byte : rest) {
            if (byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n' && byte != '\x1a') {
                files().seek(number_, offset_);
                return false;
            }
        }
        files().consume(number_, rest.size());
    }
    files().seek(number_, offset_);
    return true;
}

}  // namespace testing
