#include "fuzz_targets.h"

#include "bridges/aiken.h"
#include "bridges/gift.h"
#include "bridges/imported.h"
#include "bridges/quiz_xml.h"
#include "bridges/results_csv.h"
#include "config/files.h"
#include "grading/results_log.h"
#include "grading/scale.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/paths.h"
#include "platform/codepage.h"
#include "platform/text.h"
#include "questionset/editor_store.h"
#include "questionset/questionset.h"
#include "records/records.h"
#include "sheets/text_export.h"
#include "testing/question_reader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace fuzz {

using platform::FileError;
using platform::files;
using platform::OpenMode;
using Kind = FileError::Kind;

namespace {

// One temporary folder per process stands for the program folder and drive C:.
struct Workspace {
    QTemporaryDir dir;
    QString programFolder;  // ends with the separator, as the Shared state holds it
    QString otherFile;      // a file that takes a freed file number after "close every open file"

    Workspace()
    {
        if (!dir.isValid())
            throw Failure("no temporary folder for the fuzz inputs");
        programFolder = dir.path() + u'/';
        otherFile = programFolder + QStringLiteral("other.txt");
        QFile file(otherFile);
        if (!file.open(QIODevice::WriteOnly) || file.write("\"other\"\r\n") < 0)
            throw Failure("cannot write the other file");
    }
};

const Workspace& workspace()
{
    static const Workspace w;
    // Set on every input: nothing else in the process may move the program folder or drive C: away.
    platform::setProgramFileFolder(w.dir.path());
    platform::setDriveCRoot(w.dir.path() + QStringLiteral("/c"));
    return w;
}

[[noreturn]] void fail(const QString& what)
{
    throw Failure(what.toStdString());
}

void check(bool holds, const char* what)
{
    if (!holds)
        fail(QString::fromLatin1(what));
}

QString describe(const FileError& e)
{
    return QStringLiteral("%1 (%2)").arg(QString::fromLatin1(platform::kindName(e.kind())), e.detail());
}

// Runs the call; a FileError of an allowed kind comes back as its kind, any other kind is a failure.
template <typename Call>
std::optional<Kind> failureOf(const char* what, std::initializer_list<Kind> allowed, Call&& call)
{
    try {
        call();
    } catch (const FileError& e) {
        if (std::find(allowed.begin(), allowed.end(), e.kind()) == allowed.end())
            fail(QStringLiteral("%1 failed with %2").arg(QString::fromLatin1(what), describe(e)));
        return e.kind();
    }
    return std::nullopt;
}

QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Writes the input through the file table, as the program's own writers put a file in place.
void put(const QString& path, const QByteArray& bytes)
{
    const int number = files().open(path, OpenMode::Output);
    files().write(number, bytes);
    files().close(number);
}

void checkNothingOpen(const char* target)
{
    if (files().openCount() != 0)
        fail(QStringLiteral("%1: %2 file(s) left open").arg(QString::fromLatin1(target)).arg(files().openCount()));
}

// A text that the program writes quoted and reads back unchanged: no quote inside, and every character
// in the code page.
bool survivesQuoting(const QString& text)
{
    return !text.contains(u'"') && !text.contains(QChar::ReplacementCharacter);
}

// ---- records -------------------------------------------------------------------------------------------

enum FieldKind { TextField, ByteField, Int16Field, ValueField };

struct Outcome {
    std::optional<Kind> failed;
    QString text;
    long long whole = 0;
    records::Value value;

    bool operator==(const Outcome& o) const
    {
        return failed == o.failed && text == o.text && whole == o.whole && value.kind == o.value.kind
            && value.number == o.value.number && value.text == o.value.text;
    }
};

Outcome readAs(FieldKind kind, int file)
{
    Outcome out;
    switch (kind) {
    case TextField:
        out.failed = failureOf("readText", {Kind::PastEnd}, [&] { out.text = records::readText(file); });
        break;
    case ByteField:
        out.failed = failureOf("readByte", {Kind::PastEnd, Kind::NotNumber, Kind::Overflow},
                               [&] { out.whole = records::readByte(file); });
        break;
    case Int16Field:
        out.failed = failureOf("readInt16", {Kind::PastEnd, Kind::NotNumber, Kind::Overflow},
                               [&] { out.whole = records::readInt16(file); });
        break;
    case ValueField:
        out.failed = failureOf("readValue", {Kind::PastEnd}, [&] { out.value = records::readValue(file); });
        break;
    }
    return out;
}

bool isBlankOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

// What one field gives when read as each kind must fit together.
void checkKindsAgree(const std::array<Outcome, 4>& o)
{
    const Outcome& text = o[TextField];
    const Outcome& byte = o[ByteField];
    const Outcome& int16 = o[Int16Field];
    const Outcome& value = o[ValueField];
    const auto atEnd = std::count_if(o.begin(), o.end(), [](const Outcome& e) { return e.failed == Kind::PastEnd; });
    check(atEnd == 0 || atEnd == 4, "the kinds disagree about the end of the file");
    if (atEnd == 4)
        return;
    check((byte.failed == Kind::NotNumber) == (int16.failed == Kind::NotNumber),
          "a field is a number for one width and not for the other");
    if (!byte.failed)
        check(!int16.failed && int16.whole == byte.whole, "a byte read differently as a 16-bit number");
    if (!int16.failed && int16.whole >= 0 && int16.whole <= 255)
        check(!byte.failed && byte.whole == int16.whole, "a 16-bit number within a byte does not read as one");
    switch (value.value.kind) {
    case records::Value::Kind::Empty:
        check(isBlankOnly(text.text), "an empty value has text");
        check(!byte.failed && byte.whole == 0, "an empty field does not read as 0");
        break;
    case records::Value::Kind::Number:
        check(byte.failed != Kind::NotNumber, "a number value is not a number as a byte");
        break;
    case records::Value::Kind::Text:
        check(value.value.text == text.text, "a text value differs from the field's text");
        break;
    }
}

}  // namespace

int fuzzRecords(const std::uint8_t* data, std::size_t size)
{
    const Workspace& w = workspace();
    const std::uint8_t selector = size > 0 ? data[0] : 0;
    const QString path = w.programFolder + QStringLiteral("records.txt");
    put(path, size > 0 ? bytesOf(data + 1, size - 1) : QByteArray());

    // One reader follows the chosen sequence of kinds; four more read every field as one kind each. All
    // of them must stand at the same place after every field, whatever the field held. Past the first
    // fields only the mixed reader goes on, so inputs of thousands of fields still run fast.
    constexpr qint64 crossChecked = 1024;
    const int mixed = files().open(path, OpenMode::Input);
    std::array<int, 4> single{};
    for (int& number : single)
        number = files().open(path, OpenMode::Input);
    const qint64 length = files().length(mixed);

    qint64 before = 0;
    bool ended = false;
    // Every field that is read takes at least one byte.
    for (qint64 i = 0; i <= length + 1 && !ended; ++i) {
        const auto kind = static_cast<FieldKind>((selector >> (2 * (i % 4))) & 3);
        const Outcome chosen = readAs(kind, mixed);
        const qint64 after = files().position(mixed);
        if (i < crossChecked) {
            std::array<Outcome, 4> each;
            for (int k = 0; k < 4; ++k)
                each[k] = readAs(static_cast<FieldKind>(k), single[k]);
            check(chosen == each[kind], "a field read after other kinds differs from the same field read alone");
            checkKindsAgree(each);
            for (const int number : single)
                check(files().position(number) == after, "readers of different kinds stand at different places");
        }
        if (chosen.failed == Kind::PastEnd) {
            check(after == length, "PastEnd before the end of the file");
            ended = true;
        } else {
            check(after > before, "a field was read without moving on");
        }
        before = after;
    }
    check(ended, "the reader did not reach the end of the file");
    // At the end every kind stays at the end.
    for (int k = 0; k < 4; ++k)
        check(readAs(static_cast<FieldKind>(k), mixed).failed == Kind::PastEnd, "a read after the end did not fail");

    files().close(mixed);
    for (const int number : single)
        files().close(number);
    checkNothingOpen("records");
    return 0;
}

// ---- question sets -------------------------------------------------------------------------------------

namespace {

const std::initializer_list<Kind> flagKinds = {Kind::PastEnd, Kind::NotNumber, Kind::Overflow};

// "Close every open file" in the middle of a test, then another file takes the freed number the way a
// print would, and the reader must go on where it stood.
int closeEverythingUnderTheReader(testing::QuestionReader& reader)
{
    files().closeAll();
    check(!reader.isOpen(), "the Question reader is still open after close every open file");
    const int other = files().open(workspace().otherFile, OpenMode::Input);
    failureOf("QuestionReader::ensureOpen", {}, [&] { reader.ensureOpen(); });
    check(reader.isOpen(), "the Question reader did not reopen");
    return other;
}

}  // namespace

int fuzzQuestionSet(const std::uint8_t* data, std::size_t size)
{
    const Workspace& w = workspace();
    const QString path = w.programFolder + QStringLiteral("set.kwz");
    put(path, bytesOf(data, size));
    // The loops over a set stop after length / 20 questions.
    const long long bound = static_cast<long long>(static_cast<double>(size) / 20.0);

    bool headerOk = false;
    const std::optional<Kind> headerFailed =
        failureOf("checkHeader", {Kind::PastEnd}, [&] { headerOk = questionset::checkHeader(path); });

    int count = -1;
    int heard = 0;
    failureOf("countQuestions", {}, [&] {
        count = questionset::countQuestions(path, [&](int running) {
            check(running == ++heard, "the running count skipped a question");
        });
    });
    check(count >= 0 && count <= bound && heard == count, "countQuestions out of its bound");
    if (headerFailed)
        check(count == 0, "questions counted in a file without a header field");

    // The sequential reader, as a test reads the set, with every file closed under it once.
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    reader.close();
    failureOf("QuestionReader::open", {}, [&] { reader.open(path); });
    QString headerText;
    const std::optional<Kind> readerHeaderFailed =
        failureOf("QuestionReader::readHeader", {Kind::PastEnd}, [&] { headerText = reader.readHeader(); });
    check(readerHeaderFailed == headerFailed, "the reader and the header check disagree about the header field");
    if (!readerHeaderFailed)
        check((headerText == questionset::header) == headerOk, "the reader and the header check disagree");

    const int closeAfter = size > 0 ? data[0] % 4 : 0;
    int other = 0;
    int sequential = 0;
    questionset::Question last;
    for (;;) {
        if (sequential == closeAfter && other == 0)
            other = closeEverythingUnderTheReader(reader);
        questionset::Question q;
        const std::optional<Kind> textsFailed =
            failureOf("QuestionReader::readTexts", {Kind::PastEnd}, [&] { q.texts = reader.readTexts(); });
        if (textsFailed) {
            // A failed read leaves the reader where it stood, so it fails the same way again.
            check(failureOf("QuestionReader::readTexts", {Kind::PastEnd}, [&] { reader.readTexts(); }) == textsFailed,
                  "a failed readTexts moved the reader");
            break;
        }
        const std::optional<Kind> flagsFailed =
            failureOf("QuestionReader::readFlags", flagKinds, [&] { q.flags = reader.readFlags(); });
        if (flagsFailed) {
            check(failureOf("QuestionReader::readFlags", flagKinds, [&] { reader.readFlags(); }) == flagsFailed,
                  "a failed readFlags moved the reader");
            break;
        }
        ++sequential;
        check(sequential <= static_cast<long long>(size), "the Question reader never ends");
        last = q;
        if (sequential <= 8) {
            questionset::Question direct;
            failureOf("readQuestion", {}, [&] { direct = questionset::readQuestion(path, sequential); });
            check(direct == q, "readQuestion and the Question reader read different questions");
        }
    }
    if (other != 0)
        files().close(other);
    check(count == std::min<long long>(sequential, bound), "countQuestions differs from the questions readable");

    // Counting from the reader's own place after the header.
    reader.close();
    reader.open(path);
    if (!failureOf("QuestionReader::readHeader", {Kind::PastEnd}, [&] { reader.readHeader(); })) {
        int readerCount = -1;
        failureOf("QuestionReader::countQuestions", {}, [&] { readerCount = reader.countQuestions().questions; });
        check(readerCount == count, "the Question reader counts differently");
        failureOf("QuestionReader::atEnd", {}, [&] { reader.atEnd(); });
    }
    reader.close();

    // Question n as the main window asks for it: the first and the last counted, one past them, and one
    // chosen by the input.
    check(failureOf("readQuestion(0)", {Kind::PastEnd}, [&] { questionset::readQuestion(path, 0); }).has_value(),
          "question 0 was read");
    if (sequential > 8) {
        questionset::Question direct;
        failureOf("readQuestion(last)", {}, [&] { direct = questionset::readQuestion(path, sequential); });
        check(direct == last, "readQuestion and the Question reader read different last questions");
    }
    check(failureOf("readQuestion(past the last)", flagKinds,
                    [&] { questionset::readQuestion(path, sequential + 1); })
              .has_value(),
          "a question past the last one was read");
    if (size >= 4) {
        qint32 n = 0;
        for (std::size_t i = size - 4; i < size; ++i)
            n = static_cast<qint32>((static_cast<quint32>(n) << 8) | data[i]);
        const std::optional<Kind> failed =
            failureOf("readQuestion(n)", flagKinds, [&] { questionset::readQuestion(path, n); });
        check(failed.has_value() == (n < 1 || n > sequential), "readQuestion(n) disagrees with the count");
    }
    checkNothingOpen("questionset");
    return 0;
}

// ---- the Grading scale ---------------------------------------------------------------------------------

int fuzzScale(const std::uint8_t* data, std::size_t size)
{
    const Workspace& w = workspace();
    const QString folder = w.programFolder;
    const QString path = folder + QLatin1String(config::scaleFileName);
    put(path, bytesOf(data, size));

    grading::Thresholds thresholds{};
    const std::optional<Kind> scaleFailed =
        failureOf("readScale", {Kind::PastEnd, Kind::NotNumber, Kind::Overflow},
                  [&] { thresholds = grading::readScale(folder); });
    if (!scaleFailed) {
        for (const double t : thresholds)
            check(std::isfinite(t), "a threshold is not a finite number");
    }

    std::array<QString, 6> texts;
    const std::optional<Kind> textsFailed =
        failureOf("readScaleTexts", {Kind::PastEnd}, [&] { texts = grading::readScaleTexts(folder); });
    if (!scaleFailed)
        check(!textsFailed, "the grading works but the scale editor cannot read the scale");

    // The start-up check reads six values; it passes exactly when the editor can read the boxes.
    const std::optional<Kind> startupFailed =
        failureOf("start-up scale check", {Kind::PastEnd}, [&] { grading::checkSixFields(folder); });
    check(startupFailed == textsFailed, "the start-up check and the scale editor disagree");

    if (!textsFailed) {
        // Whatever the boxes hold, the editor writes a scale that grading reads back.
        failureOf("writeEditorScale", {}, [&] { grading::writeEditorScale(folder, texts); });
        grading::Thresholds rewritten{};
        failureOf("readScale after the editor", {}, [&] { rewritten = grading::readScale(folder); });
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const double expected = platform::captionValue(texts[i]);
            if (std::isfinite(expected))
                check(std::fabs(rewritten[i] - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                      "the editor wrote a threshold other than its box's number");
        }
    }
    checkNothingOpen("scale");
    return 0;
}

// ---- configuration -------------------------------------------------------------------------------------

int fuzzConfig(const std::uint8_t* data, std::size_t size)
{
    const Workspace& w = workspace();
    const QString folder = w.programFolder;
    const QByteArray bytes = bytesOf(data, size);
    const QString workFile = config::workFilePath();
    const QString passwordFile = folder + QLatin1String(config::passwordFileName);
    put(workFile, bytes);
    put(passwordFile, bytes);
    put(folder + QLatin1String(config::presetFileName), bytes);
    put(config::firstRunMarkerPath(), bytes);

    // The file's leading text fields, read one by one: what every configuration reader must agree with.
    const int wanted = size > 0 ? data[0] % 8 : 0;
    QStringList fields;
    {
        const int number = files().open(workFile, OpenMode::Input);
        for (int i = 0; i < std::max(wanted, 3); ++i) {
            QString text;
            if (failureOf("readText", {Kind::PastEnd}, [&] { text = records::readText(number); }))
                break;
            fields << text;
        }
        files().close(number);
    }
    const auto available = [&](int n) { return fields.size() >= n; };

    QStringList some;
    const bool someRead =
        !failureOf("readTextFields", {Kind::PastEnd}, [&] { some = config::readTextFields(workFile, wanted); });
    check(someRead == available(wanted), "readTextFields disagrees with the fields in the file");
    if (someRead)
        check(some == fields.mid(0, wanted), "readTextFields read other texts");

    std::pair<QString, QString> work;
    const bool workRead = !failureOf("readWorkFile", {Kind::PastEnd}, [&] { work = config::readWorkFile(); });
    check(workRead == available(2), "readWorkFile disagrees with the fields in the file");
    if (workRead)
        check(work.first == fields[0] && work.second == fields[1], "readWorkFile read other texts");

    QString password;
    const bool passwordRead =
        !failureOf("readPassword", {Kind::PastEnd}, [&] { password = config::readPassword(folder); });
    check(passwordRead == available(1), "readPassword disagrees with the fields in the file");
    if (passwordRead)
        check(password == fields[0], "readPassword read another text");

    // The preset never fails: what cannot be read stays empty.
    config::Preset preset;
    failureOf("readPreset", {}, [&] { preset = config::readPreset(folder); });
    check(preset.firstName == fields.value(0) && preset.surname == fields.value(1)
              && preset.className == fields.value(2),
          "readPreset read other texts");

    // The first-run marker, read as the start-up does.
    const bool markerRead = !failureOf("first-run marker", {Kind::PastEnd}, [&] {
        const int number = files().open(config::firstRunMarkerPath(), OpenMode::Input);
        try {
            records::readText(number);
        } catch (...) {
            files().close(number);
            throw;
        }
        files().close(number);
    });
    check(markerRead == available(1), "the first-run marker read disagrees with the fields in the file");

    // What the program writes it reads back: a password or a folder text that survives quoting.
    if (passwordRead && survivesQuoting(password)) {
        failureOf("writePassword", {}, [&] { config::writePassword(folder, password); });
        QString again;
        failureOf("readPassword after writePassword", {}, [&] { again = config::readPassword(folder); });
        check(again == password, "a written password reads back differently");
    }
    if (workRead && survivesQuoting(work.first) && survivesQuoting(work.second)) {
        failureOf("writeWorkFile", {}, [&] { config::writeWorkFile(work.first, work.second); });
        std::pair<QString, QString> again;
        failureOf("readWorkFile after writeWorkFile", {}, [&] { again = config::readWorkFile(); });
        check(again == work, "a written work file reads back differently");
    }
    checkNothingOpen("config");
    return 0;
}

// ---- the question editor ------------------------------------------------------------------------------

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read back %1").arg(path));
    return file.readAll();
}

// The set as a plain sequential reader sees it, with no length bound: the questions that read whole from
// the start, where each ends, and whether they end exactly at the end of the file.
struct Reference {
    bool hasHeader = false;
    QList<questionset::Question> questions;
    QList<qint64> ends;  // ends[i] is where question i + 1 ends; ends[-1] is where the header ends
    qint64 headerEnd = 0;
    bool whole = false;  // every byte after the header belongs to a question that reads whole
    qint64 length = 0;

    qint64 startOf(int n) const { return n == 1 ? headerEnd : ends[n - 2]; }  // question n from 1
};

Reference readReference(const QString& path)
{
    Reference r;
    const int file = files().open(path, OpenMode::Input);
    r.length = files().length(file);
    QString headerText;
    r.hasHeader = !failureOf("reference header", {Kind::PastEnd}, [&] { headerText = records::readText(file); });
    r.headerEnd = files().position(file);
    // Only a set with the right header is whole: the editor opens no other, and an unterminated quote in a
    // wrong header can swallow a tail that looks like a line of flags, which the append takes as whole.
    if (r.hasHeader) {
        for (;;) {
            if (files().atEnd(file)) {
                r.whole = headerText == questionset::header;
                break;
            }
            questionset::Question q;
            if (failureOf("reference question", flagKinds, [&] { q = questionset::readQuestionAt(file); }))
                break;
            r.questions << q;
            r.ends << files().position(file);
        }
    }
    files().close(file);
    return r;
}

// The questions the fuzzed operations write: plain and Polish texts, empty fields, separators and blanks
// inside quotes, a long text, and a question copied from the set itself.
questionset::Question questionToWrite(std::uint8_t choice, const Reference& set)
{
    questionset::Question q;
    switch (choice % 5) {
    case 0:
        q.texts = {QStringLiteral("Ile nóg ma pająk?"),
                   {QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("Żadnej"),
                    QStringLiteral("Źdźbło")},
                   QStringLiteral("Więcej niż owad")};
        break;
    case 1:
        break;  // every text empty
    case 2:
        q.texts = {QStringLiteral(" , ,"), {QStringLiteral(","), QStringLiteral(" a "), QStringLiteral("\t"),
                                            QStringLiteral("1,5"), QStringLiteral("-3")},
                   QStringLiteral("  ")};
        break;
    case 3:
        q.texts.question = QStringLiteral("ąęśćżźńół ").repeated(200);
        q.texts.hint = QStringLiteral("x");
        break;
    case 4:
        for (const questionset::Question& from : set.questions) {
            const auto& t = from.texts;
            if (survivesQuoting(t.question) && survivesQuoting(t.hint)
                && std::all_of(t.answers.begin(), t.answers.end(), survivesQuoting)
                && !t.question.contains(u'\r') && !t.question.contains(u'\n')) {
                q.texts = t;
                break;
            }
        }
        break;
    }
    q.flags = {static_cast<std::uint8_t>(choice), 1, 2, static_cast<std::uint8_t>(255 - choice), 0};
    return q;
}

// Runs an editor operation: a failure is an EditorError of a reason the operation may give, and the set
// is then byte for byte what it was. Answers whether the operation succeeded.
template <typename Call>
bool editorOperation(const char* what, const QString& path, const QByteArray& before, Call&& call)
{
    try {
        call();
    } catch (const questionset::EditorError& e) {
        check(e.reason() != questionset::EditorError::Reason::WriteFailed
                  && e.reason() != questionset::EditorError::Reason::Busy,
              "an editor operation failed for want of the disk or the working copy");
        if (fileBytes(path) != before)
            fail(QStringLiteral("%1 failed and changed the set").arg(QString::fromLatin1(what)));
        checkNothingOpen(what);
        return false;
    }
    checkNothingOpen(what);
    return true;
}

}  // namespace

int fuzzEditor(const std::uint8_t* data, std::size_t size)
{
    const Workspace& w = workspace();
    // The working copy lives in the current folder: the temporary one while the input runs, never the
    // caller's, whose relative paths must still work afterwards.
    struct CurrentFolder {
        const QString saved = QDir::currentPath();
        ~CurrentFolder() { QDir::setCurrent(saved); }
    } restore;
    failureOf("changeFolder", {}, [&] { platform::changeFolder(w.dir.path()); });
    const std::uint8_t a = size > 0 ? data[0] : 0;
    const std::uint8_t b = size > 1 ? data[1] : 0;
    const std::size_t skip = std::min<std::size_t>(size, 2);
    const QString path = w.programFolder + QStringLiteral("edited.kwz");
    const QByteArray original = bytesOf(data + skip, size - skip);
    put(path, original);
    const Reference ref = readReference(path);
    const auto held = static_cast<int>(ref.questions.size());
    const long long bound = static_cast<long long>(static_cast<double>(ref.length) / 20.0);

    // First, question n and the one before it (the Previous button reads the set from its start again).
    const int n = 1 + a % 8;
    for (const int wanted : {n, n - 1}) {
        questionset::Question q;
        const bool read = editorOperation("readForEditor", path, original,
                                          [&] { q = questionset::readForEditor(path, wanted); });
        check(read == (ref.hasHeader && wanted >= 1 && wanted <= held), "readForEditor disagrees with the set");
        if (read)
            check(q == ref.questions[wanted - 1], "readForEditor read another question");
    }

    // The last question: the set's questions read whole, as far as the length bound lets the editor count.
    questionset::LastQuestion last;
    const bool lastRead =
        editorOperation("readLast", path, original, [&] { last = questionset::readLast(path); });
    if (lastRead) {
        check(last.count >= 0 && last.count <= held && last.count <= bound, "readLast counted beyond the set");
        check(last.question.has_value() == (last.count > 0), "readLast has a question without a count");
        if (last.question)
            check(*last.question == ref.questions[last.count - 1], "readLast read another question");
    }
    if (ref.whole && held <= bound)
        check(lastRead && last.count == held, "readLast fails on a whole set");

    // A rewrite in the middle: question `current` of `count`, sometimes where there is none.
    const questionset::Question written = questionToWrite(a >> 3, ref);
    const int current = held > 0 ? 1 + (b & 0x3f) % (held + 1) : (b & 1);
    const int count = held + ((b >> 6) & 1) + ((b >> 7) ? 2 : 0);
    questionset::Rewritten rewritten;
    const bool rewrote = editorOperation("rewriteInPlace", path, original, [&] {
        rewritten = questionset::rewriteInPlace(path, current, count, written);
    });
    if (ref.whole && held <= bound && current >= 1 && current <= held && (count == held || count == held + 1))
        check(rewrote, "a rewrite of a whole set failed");
    QByteArray now = fileBytes(path);
    if (rewrote) {
        check(current >= 1 && current <= held, "a rewrite succeeded where there is no such question");
        // Only the question's own bytes changed, and the set reads back question by question.
        const QByteArray expected = original.left(ref.startOf(current)) + questionset::formatQuestion(written)
                                  + original.mid(ref.ends[current - 1]);
        check(now == expected, "the rewrite changed more than the question");
        for (int i = 1; i <= held; ++i) {
            questionset::Question again;
            failureOf("readQuestion after the rewrite", {}, [&] { again = questionset::readQuestion(path, i); });
            check(again == (i == current ? written : ref.questions[i - 1]), "a question reads back otherwise");
        }
        if (rewritten.following)
            check(current < held && *rewritten.following == ref.questions[current], "the rewrite shows another question");
        else
            check(current == held || current >= bound, "the rewrite lost the following question");
        const QFileInfo copy(questionset::workingCopyPath());
        check(!copy.exists() || copy.size() == 0, "the working copy is not emptied after a rewrite");
        if (ref.whole) {
            const Reference after = readReference(path);
            check(after.whole && after.questions.size() == held, "a whole set is no longer whole after a rewrite");
        }
    }

    // A question typed at the end: appended whole, or nothing.
    const QByteArray beforeAppend = now;
    const bool appended = editorOperation("appendInPlace", path, beforeAppend,
                                          [&] { questionset::appendInPlace(path, written); });
    if (appended) {
        now = fileBytes(path);
        check(now == beforeAppend + questionset::formatQuestion(written), "the append wrote something else");
        const Reference before = readReference(path);  // the set as it is now, the new question included
        if (ref.whole) {
            check(before.whole && before.questions.size() == held + 1, "a whole set is no longer whole after an append");
            check(before.questions.last() == written, "the appended question reads back otherwise");
        }
    }
    questionset::removeWorkingCopy();
    checkNothingOpen("editor");
    return 0;
}

// ---- the converter to a text file ----------------------------------------------------------------------

namespace {

// One question's raw texts as the converter copies them.
struct RawQuestion {
    std::array<QByteArray, 7> texts;
    bool flagsRead = false;
};

// The lines the converter must write for one question.
QByteArray expectedBlock(const RawQuestion& q, bool withHints)
{
    QByteArray block = platform::encode1250(platform::upperCase(platform::decode1250(q.texts[0]))) + "\r\n";
    static const char* const labels[] = {"a)  ", "b)  ", "c)  ", "d)  ", "e)  "};
    for (int i = 0; i < 5; ++i)
        block += labels[i] + q.texts[i + 1] + "\r\n";
    if (withHints)
        block += "\r\n" + platform::encode1250(QStringLiteral("Wskazówka :")) + "\r\n" + q.texts[6] + "\r\n";
    return block + "\r\n";
}

// The layout alone, line by line: a question line, the five answer lines, the optional hint block, an
// empty line; every line ends with CR LF. Only for texts without line breaks of their own.
void checkLayout(const QByteArray& text, int blocks, bool withHints)
{
    check(text.isEmpty() || text.endsWith("\r\n"), "the text file does not end with CR LF");
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        check(line.endsWith('\r') && line.count('\r') == 1, "a line of the text file does not end with CR LF");
        line.chop(1);
    }
    const int perBlock = withHints ? 10 : 7;
    check(lines.size() == blocks * perBlock, "the text file holds another number of lines");
    const QByteArray hintTitle = platform::encode1250(QStringLiteral("Wskazówka :"));
    for (int b = 0; b < blocks; ++b) {
        const qsizetype at = static_cast<qsizetype>(b) * perBlock;
        for (int i = 0; i < 5; ++i)
            check(lines[at + 1 + i].startsWith(QByteArray(1, static_cast<char>('a' + i)) + ")  "),
                  "an answer line does not start with its letter");
        if (withHints)
            check(lines[at + 6].isEmpty() && lines[at + 7] == hintTitle, "the hint block is not laid out");
        check(lines[at + perBlock - 1].isEmpty(), "a question does not end with an empty line");
    }
}

}  // namespace

int fuzzTextExport(const std::uint8_t* data, std::size_t size)
{
    const Workspace& w = workspace();
    const bool withHints = size > 0 && (data[0] & 1);
    const std::size_t skip = std::min<std::size_t>(size, 1);
    const QString setPath = w.programFolder + QStringLiteral("export.kwz");
    const QString textPath = w.programFolder + QStringLiteral("EXPORT.TXT");
    put(setPath, bytesOf(data + skip, size - skip));
    // An old text file of that name, which must survive a conversion that writes none.
    const QByteArray oldText = "stary plik\r\n";
    put(textPath, oldText);

    // The raw questions, read as the converter's writing pass reads them.
    QList<RawQuestion> raw;
    bool hasHeader = false;
    {
        const int file = files().open(setPath, OpenMode::Input);
        hasHeader = !failureOf("reference header", {Kind::PastEnd}, [&] { records::readText(file); });
        while (hasHeader && !files().atEnd(file)) {
            RawQuestion q;
            if (failureOf("reference texts", {Kind::PastEnd}, [&] {
                    for (QByteArray& t : q.texts)
                        t = records::readTextBytes(file);
                }))
                break;
            q.flagsRead = !failureOf("reference flags", flagKinds, [&] { questionset::readFlags(file); });
            raw << q;
            if (!q.flagsRead)
                break;
        }
        files().close(file);
    }

    int heard = 0;
    bool finalHeard = false;
    double lastBar = 0;
    int progressCalls = 0;
    sheets::ConversionSteps steps;
    steps.counted = [&](int running, bool last) {
        check(!finalHeard, "the count went on after its last report");
        if (last) {
            finalHeard = true;
            check(running == heard, "the last count differs from the running count");
        } else {
            check(running == ++heard, "the running count skipped a question");
        }
    };
    steps.progressed = [&](double bar) {
        check(bar >= lastBar && bar <= 100, "the progress bar went back or beyond 100");
        lastBar = bar;
        ++progressCalls;
    };
    sheets::Conversion result;
    failureOf("convertToText", {}, [&] { result = sheets::convertToText(setPath, textPath, withHints, steps); });
    checkNothingOpen("export");

    check(result.created == hasHeader, "a text file written for a set without a header, or none for a set");
    if (!result.created) {
        check(!result.damage.isEmpty() && fileBytes(textPath) == oldText, "the old text file did not survive");
        return 0;
    }
    check(finalHeard && result.questions == heard, "the count was not reported");
    check(result.written >= 0 && result.written <= result.questions && result.written <= raw.size(),
          "more questions written than counted");
    check(progressCalls == result.written, "the progress bar moved otherwise than the questions written");
    if (result.written == result.questions && result.questions > 0)
        check(lastBar >= 100 - 1e-9, "the progress bar did not reach 100");
    // Every question whose flags read is written, up to the count; a question whose flags fail is written
    // as it stood and ends the file, with the damage said.
    int whole = 0;
    while (whole < raw.size() && raw[whole].flagsRead)
        ++whole;
    check(result.written == std::min(whole, result.questions), "the converter stopped at another question");
    const bool brokenFlags = result.written < result.questions;
    if (brokenFlags)
        check(!result.damage.isEmpty(), "a question left out without a word of damage");

    const QByteArray text = fileBytes(textPath);
    QByteArray expected;
    const int blocks = result.written + (brokenFlags ? 1 : 0);
    for (int i = 0; i < blocks; ++i)
        expected += expectedBlock(raw[i], withHints);
    check(text == expected, "the text file differs from the set's questions");
    const bool ownBreaks = std::any_of(raw.begin(), raw.begin() + blocks, [](const RawQuestion& q) {
        return std::any_of(q.texts.begin(), q.texts.end(),
                           [](const QByteArray& t) { return t.contains('\r') || t.contains('\n'); });
    });
    if (!ownBreaks)
        checkLayout(text, blocks, withHints);
    return 0;
}

// ---- results log ---------------------------------------------------------------------------------------

namespace {

bool sameRecord(const grading::ResultRecord& a, const grading::ResultRecord& b)
{
    return a.firstName == b.firstName && a.surname == b.surname && a.className == b.className
        && a.setPath == b.setPath && a.pointsText == b.pointsText && a.questionCountText == b.questionCountText
        && a.grade == b.grade && a.when == b.when;
}

}  // namespace

int fuzzResults(const std::uint8_t* data, std::size_t size)
{
    const bridges::ResultsLog log = bridges::parseResultsLog(bytesOf(data, size));
    QByteArray again;
    for (const grading::ResultRecord& record : log.records) {
        const QByteArray bytes = grading::formatResultRecord(record);
        const bridges::ResultsLog back = bridges::parseResultsLog(bytes);
        check(back.faults.isEmpty(), "a record read from the log is damaged when written again");
        check(back.records.size() == 1 && sameRecord(back.records.front(), record),
              "a record read from the log reads back otherwise when written again");
        again += bytes;
    }
    // The whole log written again holds the same records, in the same order.
    const bridges::ResultsLog whole = bridges::parseResultsLog(again);
    check(whole.faults.isEmpty() && whole.records.size() == log.records.size(),
          "the records written again do not read back one for one");
    for (qsizetype i = 0; i < whole.records.size(); ++i)
        check(sameRecord(whole.records[i], log.records[i]), "a record moved or changed when the log was written again");
    for (const bridges::LogFault& fault : log.faults)
        check(fault.line >= 1 && !fault.what.isEmpty(), "a fault without its line or its description");
    const QByteArray table = bridges::resultsTable(log.records);
    check(table.startsWith("\xEF\xBB\xBF"), "the table lacks its byte order mark");
    return 0;
}

// ---- GIFT and Aiken --------------------------------------------------------------------------------------

namespace {

QString shown(const questionset::Question& q)
{
    const auto& t = q.texts;
    return QStringList{t.question, t.answers[0], t.answers[1], t.answers[2], t.answers[3], t.answers[4], t.hint}
               .join(u'|')
        + QStringLiteral(" flags %1%2%3%4%5").arg(q.flags[0]).arg(q.flags[1]).arg(q.flags[2]).arg(q.flags[3]).arg(q.flags[4]);
}

void checkTaken(const char* target, const bridges::Imported& imported);

void checkImported(const char* target, const QByteArray& bytes, bridges::Format format,
                   bridges::Found (*read)(const QString&))
{
    const bridges::Decoded decoded = bridges::decodeUtf8(bytes);
    if (decoded.badLine > 0) {
        check(decoded.badLine <= bytes.count('\n') + bytes.count('\r') + 1, "a bad byte reported past the last line");
        // An XML export decodes itself as it declares.
        check(bridges::isQuizXml(bytes) || !bridges::importBytes(bytes).failure.isEmpty(),
              "bytes that are not UTF-8 were imported");
        return;
    }
    const bridges::Found found = read(decoded.text);
    const bridges::Imported imported = bridges::collect(found);
    check(imported.questions.size() + imported.skipped == found.questions.size(), "questions lost between reading and taking");
    const int lines = static_cast<int>(decoded.text.count(u'\n') + decoded.text.count(u'\r')) + 1;
    for (const bridges::Warning& warning : imported.warnings)
        check(warning.line >= 0 && warning.line <= lines && !warning.message.isEmpty(), "a warning without a line of the file");
    if (bridges::detectFormat(decoded.text) == format) {
        const bridges::Imported direct = bridges::importBytes(bytes).result;
        check(direct.questions == imported.questions && direct.warnings == imported.warnings
                  && direct.skipped == imported.skipped && direct.setBytes == imported.setBytes,
              "the import differs from the reader");
    }
    checkTaken(target, imported);
}

// Every question taken is one the set holds: written and read back, it is the same. The import's own
// writer gives the bytes of the set's writer.
void checkTaken(const char* target, const bridges::Imported& imported)
{
    if (imported.questions.isEmpty())
        return;
    const Workspace& w = workspace();
    const QByteArray set = bridges::setBytes(imported.questions);
    QByteArray expected = questionset::formatHeader();
    for (const questionset::Question& q : imported.questions)
        expected += questionset::formatQuestion(q);
    check(set == expected && imported.setBytes == set, "the import writes other bytes than the set's writer");
    const QString path = w.programFolder + QStringLiteral("imported.kwz");
    put(path, set);
    check(questionset::countQuestions(path) == imported.questions.size(), "the set written holds another count");
    {
        const int file = files().open(path, OpenMode::Input);
        records::readText(file);
        for (const questionset::Question& q : imported.questions) {
            const questionset::Question back = questionset::readQuestionAt(file);
            if (back != q)
                fail(QStringLiteral("%1: a question reads back changed: %2 -> %3")
                         .arg(QString::fromLatin1(target), shown(q), shown(back)));
        }
        files().close(file);
    }
    checkNothingOpen(target);

    // The GIFT export of what was taken imports as the same questions.
    const bridges::Exported exported = bridges::writeGift(imported.questions);
    check(exported.written == imported.questions.size() && exported.skipped == 0, "the export left questions out");
    const bridges::Import again = bridges::importBytes(exported.bytes);
    check(again.failure.isEmpty() && again.format == bridges::Format::Gift, "the export is not GIFT");
    check(again.result.skipped == 0, "the export's questions are skipped on import");
    for (qsizetype i = 0; i < imported.questions.size(); ++i) {
        if (again.result.questions.value(i) != imported.questions[i])
            fail(QStringLiteral("%1: question %2 changes through GIFT: %3 -> %4")
                     .arg(QString::fromLatin1(target)).arg(i + 1)
                     .arg(shown(imported.questions[i]), shown(again.result.questions.value(i))));
    }
    check(again.result.questions.size() == imported.questions.size(), "the export imports as more questions");
}

}  // namespace

int fuzzGift(const std::uint8_t* data, std::size_t size)
{
    checkImported("gift", bytesOf(data, size), bridges::Format::Gift, bridges::readGift);
    return 0;
}

int fuzzAiken(const std::uint8_t* data, std::size_t size)
{
    checkImported("aiken", bytesOf(data, size), bridges::Format::Aiken, bridges::readAiken);
    return 0;
}

int fuzzQuizXml(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const bridges::Import import = bridges::importBytes(bytes);
    if (import.format != bridges::Format::QuizXml)
        return 0;
    QList<bridges::Warning> passed;
    const bridges::Import lean = bridges::importBytes(bytes, [&](const bridges::Warning& w) { passed.append(w); });
    check(lean.failure == import.failure && lean.format == import.format && lean.result.taken == import.result.taken
              && lean.result.skipped == import.result.skipped && lean.result.setBytes == import.result.setBytes
              && passed == import.result.warnings && lean.result.warnings.isEmpty(),
          "the import differs when its warnings are passed on");
    if (!import.failure.isEmpty()) {
        check(import.result.taken == 0 && import.result.skipped == 0 && passed.isEmpty(),
              "a refused XML file imported questions or gave warnings");
        return 0;
    }
    check(import.result.taken == import.result.questions.size(), "questions counted but not kept");
    const int lines = static_cast<int>(bytes.count('\n') + bytes.count('\r')) + 1;
    for (const bridges::Warning& warning : import.result.warnings)
        check(warning.line >= 1 && warning.line <= lines && !warning.message.isEmpty(), "a warning without a line of the file");
    checkTaken("quizxml", import.result);
    return 0;
}

}  // namespace fuzz
