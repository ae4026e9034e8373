#include "records/records.h"

#include "platform/codepage.h"
#include "platform/filetable.h"

#include <cmath>
#include <limits>
#include <optional>

namespace records {

using platform::FileError;
using platform::files;

namespace {

// One field as it stands in the file, before any conversion.
struct RawField {
    QByteArray bytes;
    bool quoted = false;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool endsField(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

// Moves past spaces and tabs. Returns false when the file ends first.
bool skipBlanks(int file)
{
    for (;;) {
        const QByteArrayView view = files().buffered(file);
        if (view.isEmpty())
            return false;
        qsizetype i = 0;
        while (i < view.size() && isBlank(view[i]))
            ++i;
        files().consume(file, i);
        if (i < view.size())
            return true;
    }
}

// Collects bytes up to (not including) the first byte for which stop() holds, or to the end of the file.
// Returns true when such a byte was found; it is left unread. Scans a whole buffer at a time, so a field of
// megabytes costs a few dozen refills.
template <typename Stop>
bool takeUntil(int file, QByteArray* into, Stop stop)
{
    for (;;) {
        const QByteArrayView view = files().buffered(file);
        if (view.isEmpty())
            return false;
        const char* const begin = view.data();
        const char* const end = begin + view.size();
        const char* p = begin;
        while (p != end && !stop(*p))
            ++p;
        if (into)
            into->append(begin, p - begin);
        files().consume(file, p - begin);
        if (p != end)
            return true;
    }
}

// Consumes the delimiter that ends a field: a comma, CR LF, a lone CR or a lone LF. At the end of the file
// there is none.
void consumeDelimiter(int file)
{
    const int c = files().readByte(file);
    if (c == '\r' && files().peekByte(file) == '\n')
        files().consume(file, 1);
}

RawField readRaw(int file)
{
    if (!skipBlanks(file))
        throw FileError(FileError::Kind::PastEnd, QStringLiteral("no field left in file number %1").arg(file));

    RawField field;
    if (files().peekByte(file) == '"') {
        field.quoted = true;
        files().consume(file, 1);
        // An unterminated quote takes the rest of the file.
        if (takeUntil(file, &field.bytes, [](char c) { return c == '"'; }))
            files().consume(file, 1);
        // Whatever follows the closing quote up to the delimiter belongs to no field.
        if (takeUntil(file, nullptr, endsField))
            consumeDelimiter(file);
        return field;
    }
    if (takeUntil(file, &field.bytes, endsField))
        consumeDelimiter(file);
    return field;
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text = text.chopped(1);
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number as the files hold it: an optional sign, digits, optionally a point and more digits, at
// least one digit in all. Blanks around it are ignored by the caller.
struct NumberText {
    bool negative = false;
    QByteArrayView whole;
    QByteArrayView fraction;
};

std::optional<NumberText> splitNumber(QByteArrayView text)
{
    NumberText n;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        n.negative = text.front() == '-';
        text = text.sliced(1);
    }
    qsizetype i = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    n.whole = text.first(i);
    if (i < text.size() && text[i] == '.') {
        const qsizetype start = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        n.fraction = text.sliced(start, i - start);
    }
    if (i != text.size() || (n.whole.isEmpty() && n.fraction.isEmpty()))
        return std::nullopt;
    return n;
}

// The number rounded to a whole one, half to even. Any magnitude above `limit` comes back as limit + 1,
// so absurdly long digit strings cannot overflow the arithmetic.
long long roundedWhole(const NumberText& n, long long limit)
{
    long long value = 0;
    for (const char c : n.whole) {
        value = value * 10 + (c - '0');
        if (value > limit)
            return n.negative ? -(limit + 1) : limit + 1;
    }
    if (!n.fraction.isEmpty()) {
        const char first = n.fraction.front();
        bool roundUp = first > '5';
        if (first == '5') {
            bool moreThanHalf = false;
            for (const char c : n.fraction.sliced(1))
                moreThanHalf = moreThanHalf || c != '0';
            roundUp = moreThanHalf || (value % 2 == 1);
        }
        if (roundUp)
            ++value;
    }
    return n.negative ? -value : value;
}

long long readWhole(int file, long long min, long long max, const char* width)
{
    const RawField field = readRaw(file);
    const QByteArrayView text = trimmedBlanks(field.bytes);
    if (text.isEmpty())
        return 0;
    const std::optional<NumberText> n = splitNumber(text);
    if (!n)
        throw FileError(FileError::Kind::NotNumber,
                        QStringLiteral("\"%1\" is not a number").arg(platform::decode1250(field.bytes)));
    const long long value = roundedWhole(*n, std::max(-min, max));
    if (value < min || value > max)
        throw FileError(FileError::Kind::Overflow,
                        QStringLiteral("%1 does not fit %2").arg(platform::decode1250(field.bytes), width));
    return value;
}

QByteArray numberBytes(double n)
{
    if (!std::isfinite(n))
        return QByteArrayLiteral("0");
    if (n == std::trunc(n) && std::fabs(n) < 9.0e18)
        return QByteArray::number(static_cast<long long>(n));
    // A fraction (only ever a number read back and written again): plain digits, so it reads back as a number.
    QByteArray text = QByteArray::number(n, 'f', 15);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

}  // namespace

Field Field::text(const QString& t)
{
    Field f;
    f.bytes_ = '"' + platform::encode1250(t) + '"';
    return f;
}

Field Field::number(long long n)
{
    Field f;
    f.bytes_ = QByteArray::number(n);
    return f;
}

Field Field::value(const Value& v)
{
    switch (v.kind) {
    case Value::Kind::Number: {
        Field f;
        f.bytes_ = numberBytes(v.number);
        return f;
    }
    case Value::Kind::Text:
        return text(v.text);
    case Value::Kind::Empty:
        break;
    }
    return Field();
}

QByteArray Field::encoded() const
{
    return bytes_;
}

QString readText(int file)
{
    return platform::decode1250(readRaw(file).bytes);
}

QByteArray readTextBytes(int file)
{
    return readRaw(file).bytes;
}

std::uint8_t readByte(int file)
{
    return static_cast<std::uint8_t>(readWhole(file, 0, 255, "a byte"));
}

std::int16_t readInt16(int file)
{
    return static_cast<std::int16_t>(readWhole(file, std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max(), "a 16-bit number"));
}

Value readValue(int file)
{
    const RawField field = readRaw(file);
    if (!field.quoted) {
        const QByteArrayView text = trimmedBlanks(field.bytes);
        if (text.isEmpty())
            return Value::empty();
        if (splitNumber(text))
            return Value::ofNumber(QByteArray(text.data(), text.size()).toDouble());
    }
    return Value::ofText(platform::decode1250(field.bytes));
}

QByteArray formatRecord(std::initializer_list<Field> fields)
{
    return formatRecord(QList<Field>(fields));
}

QByteArray formatRecord(const QList<Field>& fields)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            bytes += ',';
        bytes += fields[i].encoded();
    }
    bytes += "\r\n";
    return bytes;
}

QByteArray formatPlainLine(const QString& text)
{
    return platform::encode1250(text) + "\r\n";
}

void writeRecord(int file, std::initializer_list<Field> fields)
{
    files().write(file, formatRecord(fields));
}

void writeRecord(int file, const QList<Field>& fields)
{
    files().write(file, formatRecord(fields));
}

void writePlainLine(int file, const QString& text)
{
    files().write(file, formatPlainLine(text));
}

}  // namespace records
