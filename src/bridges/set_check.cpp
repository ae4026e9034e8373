#include "bridges/set_check.h"

#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "platform/text.h"
#include "questionset/questionset.h"
#include "records/records.h"
#include "testing/question_reader.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace bridges {

using platform::FileError;
using platform::files;
using Kind = Finding::Kind;

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isEmptyText(QByteArrayView text)
{
    for (const char c : text)
        if (!isBlank(c))
            return false;
    return true;
}

// The test ends a set where nothing but blanks and line ends is left (a set may end in an empty line, and
// an old editor's end-of-file mark); the same rule as the Question reader's.
bool onlyEndLeft(int file)
{
    // Nearly always the next question starts in the bytes at hand.
    for (const char byte : files().buffered(file))
        if (!isBlank(byte) && byte != '\x1a')
            return false;
    const qint64 at = files().position(file);
    for (QByteArrayView rest = files().buffered(file); !rest.isEmpty(); rest = files().buffered(file)) {
        for (const char byte : rest) {
            if (!isBlank(byte) && byte != '\x1a') {
                files().seek(file, at);
                return false;
            }
        }
        files().consume(file, rest.size());
    }
    files().seek(file, at);
    return true;
}

// A 64-bit hash of the bytes, eight at a time in four lanes side by side, so that no word waits for the
// one before it to be mixed in.
quint64 hashBytes(QByteArrayView bytes)
{
    constexpr quint64 multiplier = 0x9e3779b97f4a7c15ULL;
    const auto word = [](const char* p) {
        quint64 w;
        std::memcpy(&w, p, 8);
        return w;
    };
    quint64 a = 0x243f6a8885a308d3ULL, b = 0x13198a2e03707344ULL, c = 0xa4093822299f31d0ULL,
            d = 0x082efa98ec4e6c89ULL ^ static_cast<quint64>(bytes.size());
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 32; p += 32, left -= 32) {
        a = (a ^ word(p)) * multiplier;
        b = (b ^ word(p + 8)) * multiplier;
        c = (c ^ word(p + 16)) * multiplier;
        d = (d ^ word(p + 24)) * multiplier;
    }
    for (; left >= 8; p += 8, left -= 8) {
        a = (a ^ word(p)) * multiplier;
        std::swap(a, b);
    }
    if (left > 0) {
        // The last eight bytes, overlapping words already taken, when there are eight.
        quint64 last = 0;
        if (bytes.size() >= 8)
            last = word(p + left - 8);
        else
            for (qsizetype i = 0; i < left; ++i)
                last = (last << 8) | static_cast<unsigned char>(p[i]);
        c = (c ^ last) * multiplier;
    }
    // The final mix of MurmurHash3 after each lane: every input bit reaches every output bit.
    const auto fmix = [](quint64 h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 33;
        return h;
    };
    return fmix(fmix(fmix(fmix(a) ^ b) ^ c) ^ d);
}

// What makes two questions the same for a teacher: the question and its five answers, in order, letter
// for letter. They are hashed to 64 bits as the file writes them, the six texts quoted and separated by
// commas, and only the hashes are kept: a set of any size costs one quick pass over its bytes. Two
// different questions meeting on the same 64-bit hash (about one chance in 10^10 for the largest set)
// would be reported as the same.
quint64 samenessOf(const questionset::QuestionBytes& q)
{
    static constexpr char between[] = {'"', ',', '"'};
    // Written as the program writes a set, the texts lie one after another in the bytes just read, and
    // are hashed where they lie; otherwise (a question read in pieces, blanks around a comma) they are
    // put together that way first.
    bool together = q.inPlace;
    for (std::size_t i = 0; i + 1 < 6 && together; ++i) {
        const char* const end = q.texts[i].data() + q.texts[i].size();
        together = q.texts[i + 1].data() == end + 3 && std::memcmp(end, between, 3) == 0;
    }
    if (together)
        return hashBytes(QByteArrayView(q.texts[0].data(), q.texts[5].data() + q.texts[5].size()));
    QByteArray joined;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i > 0)
            joined.append(between, 3);
        joined.append(q.texts[i]);
    }
    return hashBytes(joined);
}

// The lines a text has of its own: one more than its line breaks (CR LF, CR or LF).
int ownLines(QByteArrayView text)
{
    int lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')))
            ++lines;
    }
    return lines;
}

const QString answerNames[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                               QStringLiteral("E")};

QString characters(qsizetype n)
{
    return platform::countedNoun(n, QStringLiteral("znak"), QStringLiteral("znaki"), QStringLiteral("znaków"));
}

QString textName(int place)
{
    if (place == 0)
        return QStringLiteral("tekst pytania");
    if (place == 6)
        return QStringLiteral("tekst podpowiedzi");
    return QStringLiteral("tekst odpowiedzi %1").arg(answerNames[place - 1]);
}

Finding found(int question, Kind kind, int answer = 0, int value = 0)
{
    Finding f;
    f.question = question;
    f.kind = kind;
    f.answer = answer;
    f.value = value;
    return f;
}

constexpr int linesShift = 24;

TextRoom roomOf(int place)
{
    return place == 0 ? questionRoom : place == 6 ? hintRoom : answerRoom;
}

}  // namespace

qsizetype linesNeeded(QByteArrayView text, int charsPerLine, qsizetype enough)
{
    qsizetype lines = 0;
    qsizetype run = 0;  // characters of the line being counted
    const auto endLine = [&] {
        lines += run == 0 ? 1 : (run + charsPerLine - 1) / charsPerLine;
        run = 0;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            endLine();
            if (enough >= 0 && lines > enough)
                return lines;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            ++run;
        }
    }
    endLine();
    return lines;
}

bool fitsRoom(QByteArrayView text, TextRoom room)
{
    return roomFor(text, room).fits;
}

RoomVerdict roomFor(QByteArrayView text, TextRoom room)
{
    // Beyond this even a text of whole lines with a line break after each cannot fit.
    if (text.size() > qsizetype(room.charsPerLine + 2) * room.lines)
        return {false, 0};
    const int own = ownLines(text);
    if (own == 1)
        return {(text.size() + room.charsPerLine - 1) / room.charsPerLine <= room.lines, 1};
    return {linesNeeded(text, room.charsPerLine, room.lines) <= room.lines, own};
}

QString describe(const Finding& f, const SetCheck& check)
{
    switch (f.kind) {
    case Kind::WrongHeader:
        return QStringLiteral("zły nagłówek: pierwsze pole to „%1”, a powinno być „%2”; program nie otworzy tego "
                              "pliku jako testu.")
            .arg(check.firstField, questionset::header);
    case Kind::EmptyFile:
        return QStringLiteral("plik jest pusty: nie ma nagłówka „%1”.").arg(questionset::header);
    case Kind::NoQuestions:
        return QStringLiteral("zestaw nie ma żadnego pytania.");
    case Kind::CutShort:
        return QStringLiteral("zestaw urywa się w pytaniu nr %1: brakuje jego pól (plik ucięty?). Test się nie "
                              "rozpocznie.")
            .arg(f.question);
    case Kind::DamagedFlags:
        return testing::damageDescription(FileError(FileError::Kind::NotNumber, QString()), f.question)
            + QStringLiteral(" Test się nie rozpocznie.");
    case Kind::OddFlag:
        return QStringLiteral("oznaczenie odpowiedzi %1 to %2, a powinno być 1 (dobra) albo 2 (zła); test uzna ją "
                              "za złą.")
            .arg(answerNames[f.answer])
            .arg(f.value);
    case Kind::NoCorrectAnswer:
        return QStringLiteral("żadna odpowiedź nie jest oznaczona jako dobra: pytanie zaliczy tylko uczeń, który "
                              "nie zaznaczy żadnej odpowiedzi.");
    case Kind::AllCorrect:
        return QStringLiteral("wszystkich pięć odpowiedzi oznaczono jako dobre: uczeń musi zaznaczyć wszystkie pięć.");
    case Kind::EmptyCorrectAnswer:
        return QStringLiteral("odpowiedź %1 jest pusta, a oznaczona jako dobra: uczeń musi zaznaczyć puste pole.")
            .arg(answerNames[f.answer]);
    case Kind::PastTestBound:
        return QStringLiteral("test czyta najwyżej jedno pytanie na każde 20 bajtów pliku, więc pokaże tylko %1 "
                              "pierwszych z %2 pytań; dalszych uczeń nie zobaczy. Dłuższe teksty pytań to zmienią.")
            .arg(f.value)
            .arg(check.questions);
    case Kind::Duplicate:
        return QStringLiteral("powtarza pytanie nr %1 (ta sama treść i te same odpowiedzi).").arg(f.value);
    case Kind::TooLong: {
        QStringList texts;
        qsizetype next = f.value;
        for (int place = 0; place < 7; ++place) {
            if (!(f.answer & (1 << place)))
                continue;
            const int packed = check.longTexts.value(next++);
            const int length = packed & ((1 << linesShift) - 1);
            const int lines = packed >> linesShift;
            const TextRoom room = roomOf(place);
            const QString shape = room.lines == 1
                ? QStringLiteral("jeden wiersz, około %1").arg(characters(room.charsPerLine))
                : QStringLiteral("%1 wiersze po około %2").arg(room.lines).arg(characters(room.charsPerLine));
            const QString size = lines > 1 ? QStringLiteral("%1 w %2 wierszach").arg(characters(length)).arg(lines)
                                           : characters(length);
            texts << QStringLiteral("%1 ma %2 (okno pokazuje bez przewijania %3)").arg(textName(place), size, shape);
        }
        return QStringLiteral("za długie na okno testu, uczeń będzie musiał przewijać: %1.").arg(texts.join(QStringLiteral("; ")));
    }
    }
    return {};
}

SetCheck checkSet(const QString& path)
{
    SetCheck check;
    QList<Finding>& findings = check.findings;
    std::optional<platform::OpenedFile> file;
    try {
        file.emplace(path, platform::OpenMode::Input);
    } catch (const FileError&) {
        check.readable = false;
        return check;
    }
    const int n = file->number();
    try {
        const QString first = records::readText(n);
        if (first != questionset::header) {
            check.firstField = first.left(60).simplified();
            findings.append(found(0, Kind::WrongHeader));
            return check;
        }
    } catch (const FileError&) {
        findings.append(found(0, Kind::EmptyFile));
        return check;
    }

    QHash<quint64, int> firstOfItsKind;  // the number of the first question of each sameness hash
    const auto look = [&](const questionset::QuestionBytes& q) {
        const int number = check.questions;
        const quint64 kind = samenessOf(q);

        int correct = 0;
        for (int x = 0; x < 5; ++x) {
            const std::uint8_t flag = q.flags[static_cast<std::size_t>(x)];
            if (flag != 1 && flag != 2)
                findings.append(found(number, Kind::OddFlag, x, flag));
            if (flag == 1) {
                ++correct;
                if (isEmptyText(q.texts[static_cast<std::size_t>(x) + 1]))
                    findings.append(found(number, Kind::EmptyCorrectAnswer, x));
            }
        }
        if (correct == 0)
            findings.append(found(number, Kind::NoCorrectAnswer));
        else if (correct == 5)
            findings.append(found(number, Kind::AllCorrect));

        int tooLong = 0;
        int lengths[7];
        for (int place = 0; place < 7; ++place) {
            const QByteArrayView text = q.texts[static_cast<std::size_t>(place)];
            if (const RoomVerdict room = roomFor(text, roomOf(place)); !room.fits) {
                const int length = static_cast<int>(std::min<qsizetype>(text.size(), (1 << linesShift) - 1));
                lengths[std::popcount(static_cast<unsigned>(tooLong))] = length | (std::min(room.ownLines, 127) << linesShift);
                tooLong |= 1 << place;
            }
        }

        // Questions are numbered from 1, so 0 is a hash not met before.
        if (int& first = firstOfItsKind[kind]; first == 0)
            first = number;
        else
            findings.append(found(number, Kind::Duplicate, 0, first));
        if (tooLong) {
            findings.append(found(number, Kind::TooLong, tooLong, static_cast<int>(check.longTexts.size())));
            for (int i = 0, count = std::popcount(static_cast<unsigned>(tooLong)); i < count; ++i)
                check.longTexts.append(lengths[i]);
        }
    };
    // Every question is read and counted; the test's own bound, at most (length / 20) questions, leaves the
    // rest of a set of very short questions unshown, and the teacher is told so.
    const long long testBound = static_cast<long long>(static_cast<double>(files().length(n)) / 20.0);
    while (!onlyEndLeft(n)) {
        try {
            ++check.questions;
            questionset::readQuestionBytes(n, look);
        } catch (const FileError& error) {
            // The test refuses such a set; nothing after this point can be read in step with the questions.
            const int number = check.questions--;
            findings.append(found(number, error.kind() == FileError::Kind::PastEnd ? Kind::CutShort : Kind::DamagedFlags));
            break;
        }
    }
    if (check.questions > testBound)
        findings.append(found(0, Kind::PastTestBound, 0, static_cast<int>(testBound)));
    if (check.questions == 0 && findings.isEmpty())
        findings.append(found(0, Kind::NoQuestions));
    return check;
}

WholeSet readWholeSet(const QString& path)
{
    WholeSet set;
    platform::OpenedFile file(path, platform::OpenMode::Input);
    const int n = file.number();
    records::readText(n);
    while (!onlyEndLeft(n)) {
        try {
            set.questions.append(questionset::readQuestionAt(n));
        } catch (const FileError&) {
            set.damaged = true;
            break;
        }
    }
    return set;
}

}  // namespace bridges
