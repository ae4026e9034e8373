#pragma once
// The one comma-separated record encoding of every file the program reads back: quoted texts, bare
// numbers, CR LF after every record. Readers take fields one at a time from a file of the file table and
// pay no attention to line structure; writers write whole records or plain lines.
#include "platform/errors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace records {

// A field read or written whose kind is settled at run time.
struct Value {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    QString text;

    static Value empty() { return {}; }
    static Value ofNumber(double n) { return {Kind::Number, n, {}}; }
    static Value ofText(const QString& t) { return {Kind::Text, 0, t}; }
    bool isNumberOne() const { return kind == Kind::Number && number == 1; }
};

// One field of a record to be written.
class Field {
public:
    static Field text(const QString& t);
    static Field number(long long n);
    static Field value(const Value& v);
    QByteArray encoded() const;

private:
    QByteArray bytes_;
};

// Reading from a file number opened for input. Each throws platform::FileError: PastEnd when no bytes
// remain, Overflow when a number does not fit the width, NotNumber when the field is not a number,
// BadHandle when the number is not open.
QString readText(int file);
// The bytes of a text field as the file holds them (Windows-1250), for writers that copy texts unchanged.
QByteArray readTextBytes(int file);
std::uint8_t readByte(int file);
std::int16_t readInt16(int file);
Value readValue(int file);

// The bytes of a record (fields joined by commas, CR LF at the end) and of a plain line (CR LF at the end).
QByteArray formatRecord(std::initializer_list<Field> fields);
QByteArray formatRecord(const QList<Field>& fields);
QByteArray formatPlainLine(const QString& text);

// Writing to a file number opened for output or appending. Throw platform::FileError on failure.
void writeRecord(int file, std::initializer_list<Field> fields);
void writeRecord(int file, const QList<Field>& fields);
void writePlainLine(int file, const QString& text);

}  // namespace records
