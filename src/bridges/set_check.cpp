#include "bridges/set_check.h"

#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "questionset/questionset.h"
#include "records/records.h"
#include "testing/question_reader.h"

#include <QHash>

#include <limits>
#include <optional>

namespace bridges {

using platform::FileError;
using platform::files;

namespace {

const QString answerNames[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                               QStringLiteral("E")};

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

// What makes two questions the same for a teacher: the question and its five answers, in order, with
// runs of blanks and line breaks counting as one blank and letter case (of the unaccented letters)
// not counting.
QByteArray sameness(const questionset::QuestionBytes& q)
{
    QByteArray key;
    for (std::size_t i = 0; i < 6; ++i) {
        key += q.texts[i].simplified().toLower();
        key += '\x1f';
    }
    return key;
}

// "1 znak", "82 znaki", "55 znaków", "112 znaków".
QString characters(qsizetype n)
{
    const qsizetype last = n % 10;
    const qsizetype lastTwo = n % 100;
    if (n == 1)
        return QStringLiteral("1 znak");
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return QStringLiteral("%1 znaki").arg(n);
    return QStringLiteral("%1 znaków").arg(n);
}

void checkRoom(QList<Finding>& findings, int number, const QString& what, QByteArrayView text, TextRoom room)
{
    if (fitsRoom(text, room))
        return;
    const QString shape = room.lines == 1
        ? QStringLiteral("jeden wiersz, około %1").arg(characters(room.charsPerLine))
        : QStringLiteral("%1 wiersze po około %2").arg(room.lines).arg(characters(room.charsPerLine));
    // Its own line breaks are counted as lines, the rest by length.
    const qsizetype ownLines = linesNeeded(text, std::numeric_limits<int>::max());
    const QString length = ownLines > 1 ? QStringLiteral("%1 w %2 wierszach").arg(characters(text.size())).arg(ownLines)
                                        : characters(text.size());
    findings.append({number, QStringLiteral("%1 ma %2, a okno testu pokazuje bez przewijania %3: uczeń będzie "
                                            "musiał go przewijać.")
                                 .arg(what, length, shape)});
}

}  // namespace

qsizetype linesNeeded(QByteArrayView text, int charsPerLine)
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
    // Most texts are shorter than one line: no need to look for line breaks.
    if (text.size() <= room.charsPerLine)
        return room.lines > 1 || (!text.contains('\r') && !text.contains('\n'));
    return linesNeeded(text, room.charsPerLine) <= room.lines;
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
            findings.append({0, QStringLiteral("zły nagłówek: pierwsze pole to „%1”, a powinno być „%2”; program "
                                               "nie otworzy tego pliku jako testu.")
                                    .arg(first.left(60), questionset::header)});
            return check;
        }
    } catch (const FileError&) {
        findings.append({0, QStringLiteral("plik jest pusty: nie ma nagłówka „%1”.").arg(questionset::header)});
        return check;
    }

    QHash<QByteArray, int> firstOfItsKind;
    // The test's own bound: at most (length / 20) questions, which never cuts a sound set short.
    const long long bound = static_cast<long long>(static_cast<double>(files().length(n)) / 20.0);
    for (long long i = 0; i < bound && !onlyEndLeft(n); ++i) {
        const int number = check.questions + 1;
        questionset::QuestionBytes q;
        try {
            q = questionset::readQuestionBytes(n);
        } catch (const FileError& error) {
            // The test refuses such a set; nothing after this point can be read in step with the questions.
            const QString why = error.kind() == FileError::Kind::PastEnd
                ? QStringLiteral("zestaw urywa się w pytaniu nr %1: brakuje jego pól (plik ucięty?). Test się nie "
                                 "rozpocznie.").arg(number)
                : testing::damageDescription(error, number) + QStringLiteral(" Test się nie rozpocznie.");
            findings.append({number, why});
            break;
        }
        check.questions = number;

        int correct = 0;
        for (std::size_t x = 0; x < 5; ++x) {
            const std::uint8_t flag = q.flags[x];
            if (flag != 1 && flag != 2)
                findings.append({number, QStringLiteral("oznaczenie odpowiedzi %1 to %2, a powinno być 1 (dobra) "
                                                        "albo 2 (zła); test uzna ją za złą.")
                                             .arg(answerNames[x]).arg(flag)});
            if (flag == 1) {
                ++correct;
                if (isEmptyText(q.texts[x + 1]))
                    findings.append({number, QStringLiteral("odpowiedź %1 jest pusta, a oznaczona jako dobra: "
                                                            "uczeń musi zaznaczyć puste pole.")
                                                 .arg(answerNames[x])});
            }
        }
        if (correct == 0)
            findings.append({number, QStringLiteral("żadna odpowiedź nie jest oznaczona jako dobra: pytanie "
                                                    "zaliczy się przy każdej odpowiedzi.")});
        else if (correct == 5)
            findings.append({number, QStringLiteral("wszystkie pięć odpowiedzi oznaczono jako dobre.")});

        const QByteArray key = sameness(q);
        if (const auto kept = firstOfItsKind.constFind(key); kept != firstOfItsKind.constEnd())
            findings.append({number, QStringLiteral("powtarza pytanie nr %1 (ta sama treść i te same odpowiedzi).")
                                         .arg(kept.value())});
        else
            firstOfItsKind.insert(key, number);

        checkRoom(findings, number, QStringLiteral("tekst pytania"), q.texts[0], questionRoom);
        for (std::size_t x = 0; x < 5; ++x)
            checkRoom(findings, number, QStringLiteral("tekst odpowiedzi %1").arg(answerNames[x]), q.texts[x + 1],
                      answerRoom);
        checkRoom(findings, number, QStringLiteral("tekst podpowiedzi"), q.texts[6], hintRoom);
    }
    if (check.questions == 0 && findings.isEmpty())
        findings.append({0, QStringLiteral("zestaw nie ma żadnego pytania.")});
    return check;
}

}  // namespace bridges
