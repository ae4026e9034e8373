#include "questionset/questionset.h"

#include "platform/opened_file.h"

#include "platform/filetable.h"
#include "platform/paths.h"
#include "records/records.h"

#include <QFileInfo>
#include <cstring>

namespace questionset {

using platform::FileError;
using platform::files;
using platform::OpenMode;
using records::Field;

namespace {

using platform::OpenedFile;

// The loops over a set are bounded by its length, so a set of tiny damaged records cannot keep a reader
// going for ever; a whole question takes at least 33 bytes, so the bound never cuts a sound set short.
long long lengthBound(int file)
{
    return static_cast<long long>(static_cast<double>(files().length(file)) / 20.0);
}

// The fast road for counting: one field of the record encoding, found in the bytes [p, end) exactly as
// the record reader would take it. Returns the position after the field's delimiter, or nullptr when the
// field and its delimiter do not lie whole in those bytes (the record reader then takes over).
struct ScannedField {
    const char* begin = nullptr;
    const char* end = nullptr;
    bool quoted = false;
};

const char* scanField(const char* p, const char* const end, ScannedField* field)
{
    while (p != end && (*p == ' ' || *p == '\t'))
        ++p;
    if (p == end)
        return nullptr;
    field->quoted = *p == '"';
    if (field->quoted) {
        ++p;
        const auto* close = static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(end - p)));
        if (!close)
            return nullptr;
        field->begin = p;
        field->end = close;
        p = close + 1;
    } else {
        field->begin = p;
    }
    while (p != end && *p != ',' && *p != '\r' && *p != '\n')
        ++p;
    if (p == end)
        return nullptr;
    if (!field->quoted)
        field->end = p;
    if (*p == '\r') {
        if (p + 1 == end)
            return nullptr;
        if (p[1] == '\n')
            ++p;
    }
    return p + 1;
}

// A flag the fast road may accept: one to three digits worth at most 255, blanks around them. Anything
// else (signs, fractions, quotes, empty fields, errors) is left to the record reader.
bool isPlainByte(const ScannedField& field)
{
    if (field.quoted)
        return false;
    const char* p = field.begin;
    const char* e = field.end;
    while (e != p && (e[-1] == ' ' || e[-1] == '\t'))
        --e;
    if (e == p || e - p > 3)
        return false;
    int value = 0;
    for (; p != e; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + (*p - '0');
    }
    return value <= 255;
}

// The value of a field isPlainByte() accepted.
std::uint8_t plainByte(const ScannedField& field)
{
    int value = 0;
    for (const char* p = field.begin; p != field.end; ++p)
        if (*p >= '0' && *p <= '9')
            value = value * 10 + (*p - '0');
    return static_cast<std::uint8_t>(value);
}

// Finds one whole question within the bytes already buffered, without a call per field, keeping its fields
// in `fields` when given. Returns how many bytes it takes, delimiters included, or 0 when the question does
// not lie whole and plain in the buffer (the record reader then takes over).
qsizetype scanBufferedQuestion(QByteArrayView view, std::array<ScannedField, 12>* fields = nullptr)
{
    const char* const begin = view.data();
    const char* const end = begin + view.size();
    const char* p = begin;
    ScannedField field;
    for (std::size_t i = 0; i < 12; ++i) {
        p = scanField(p, end, &field);
        if (!p || (i >= 7 && !isPlainByte(field)))
            return 0;
        if (fields)
            (*fields)[i] = field;
    }
    return p - begin;
}

}  // namespace

void skipQuestion(int file)
{
    if (const qsizetype taken = scanBufferedQuestion(files().buffered(file))) {
        files().consume(file, taken);
        return;
    }
    readTexts(file);
    readFlags(file);
}

void readQuestionBytes(int file, const std::function<void(const QuestionBytes&)>& use)
{
    QuestionBytes q;
    std::array<ScannedField, 12> fields;
    if (const qsizetype taken = scanBufferedQuestion(files().buffered(file), &fields)) {
        for (std::size_t i = 0; i < 7; ++i)
            q.texts[i] = QByteArrayView(fields[i].begin, fields[i].end);
        for (std::size_t i = 0; i < 5; ++i)
            q.flags[i] = plainByte(fields[i + 7]);
        q.inPlace = true;
        use(q);
        files().consume(file, taken);
        return;
    }
    std::array<QByteArray, 7> texts;
    for (QByteArray& text : texts)
        text = records::readTextBytes(file);
    q.flags = readFlags(file);
    for (std::size_t i = 0; i < 7; ++i)
        q.texts[i] = texts[i];
    use(q);
}

QuestionTexts readTexts(int file)
{
    QuestionTexts t;
    t.question = records::readText(file);
    for (QString& answer : t.answers)
        answer = records::readText(file);
    t.hint = records::readText(file);
    return t;
}

Flags readFlags(int file)
{
    Flags flags{};
    for (std::uint8_t& flag : flags)
        flag = records::readByte(file);
    return flags;
}

Question readQuestionAt(int file)
{
    Question q;
    q.texts = readTexts(file);
    q.flags = readFlags(file);
    return q;
}

QByteArray formatHeader()
{
    return records::formatRecord({Field::text(header)});
}

QByteArray formatQuestion(const Question& q)
{
    const QuestionTexts& t = q.texts;
    const Flags& f = q.flags;
    return records::formatRecord({Field::text(t.question), Field::text(t.answers[0]), Field::text(t.answers[1]),
                                  Field::text(t.answers[2]), Field::text(t.answers[3]), Field::text(t.answers[4]),
                                  Field::text(t.hint)})
        + records::formatRecord({Field::number(f[0]), Field::number(f[1]), Field::number(f[2]),
                                 Field::number(f[3]), Field::number(f[4])});
}

void createEmptySet(const QString& path)
{
    OpenedFile file(path, OpenMode::Output);
    files().write(file.number(), formatHeader());
    file.commit();
}

bool checkHeader(const QString& path)
{
    OpenedFile file(path, OpenMode::Input);
    return records::readText(file.number()) == header;
}

int countQuestions(const QString& path, const std::function<void(int)>& counted)
{
    OpenedFile file(path, OpenMode::Input);
    const int n = file.number();
    int count = 0;
    try {
        records::readText(n);
        const long long bound = lengthBound(n);
        for (long long i = 0; i < bound && !files().atEnd(n); ++i) {
            skipQuestion(n);
            ++count;
            if (counted)
                counted(count);
        }
    } catch (const FileError&) {
        // The first question that cannot be read whole ends the count.
    }
    return count;
}

Question readQuestion(const QString& path, int n)
{
    if (n < 1)
        throw FileError(FileError::Kind::PastEnd, QStringLiteral("there is no question number %1").arg(n));
    OpenedFile file(path, OpenMode::Input);
    records::readText(file.number());
    for (int i = 1; i < n; ++i)
        skipQuestion(file.number());
    return readQuestionAt(file.number());
}

void appendQuestion(const QString& path, const Question& question)
{
    // Opening for appending would create a missing set; only an existing one is added to.
    const std::optional<QString> native = platform::resolvePath(path);
    if (!native || !QFileInfo(*native).isFile())
        throw FileError(FileError::Kind::CannotOpen, QStringLiteral("\"%1\" does not exist").arg(path));
    OpenedFile out(path, OpenMode::Append);
    // One write of both records: the file table cuts a failed write back to where it began.
    files().write(out.number(), formatQuestion(question));
    files().flushToDisk(out.number());
    out.commit();
}

}  // namespace questionset
