#include "grading/results_log.h"

#include "grading/whole_records.h"

#include "config/files.h"
#include "platform/opened_file.h"
#include "platform/shared_lock.h"
#include "platform/clock.h"
#include "records/records.h"

namespace grading {

using platform::OpenMode;

namespace {
const QString firstNameLabel = QStringLiteral("Imie  ");
const QString closingLine = QStringLiteral(" ") + QString(45, u'*');
}  // namespace

QByteArray formatResultRecord(const ResultRecord& r)
{
    QByteArray bytes;
    const auto line = [&bytes](const QString& text) { bytes += records::formatPlainLine(text); };
    line(QStringLiteral("\r"));
    line(firstNameLabel + r.firstName);
    line(QStringLiteral("Nazwisko ") + r.surname);
    line(QStringLiteral("Klasa ") + r.className);
    line(QStringLiteral("Data : ") + platform::dateText(r.when));
    line(QStringLiteral("Godzina : ") + platform::timeText(r.when));
    line(QStringLiteral("Plik z testami : ") + r.setPath);
    line(QStringLiteral(" Liczba punktów ") + r.pointsText + QStringLiteral("  na ") + r.questionCountText);
    if (r.grade)
        line(QStringLiteral("Ocena : ") + QString::number(*r.grade));
    line(closingLine);
    return bytes;
}

namespace {

// Longer than any record the program writes, whatever the names, the set's path and its length.
constexpr qint64 longestRecord = 1024 * 1024;

}  // namespace

RecordMarks resultRecordMarks()
{
    return {records::formatPlainLine(QStringLiteral("\r")) + firstNameLabel.toLatin1(),
            records::formatPlainLine(closingLine)};
}

// A copy killed or switched off while appending can leave the start of its record at the end of the log
// (the system may stop a write between two pages of it); everything after the last record's closing line
// that begins like a record is such a remainder. Anything else there (a teacher's own note) is kept.
qint64 wholeRecordsEnd(const QString& path, const RecordMarks& marks)
{
    platform::OpenedFile log(path, OpenMode::Input);
    const qint64 length = platform::files().length(log.number());
    const qint64 from = std::max<qint64>(0, length - longestRecord);
    platform::files().seek(log.number(), from);
    QByteArray tail;
    for (QByteArrayView part; !(part = platform::files().buffered(log.number())).isEmpty();) {
        tail += part;
        platform::files().consume(log.number(), part.size());
    }
    const qsizetype lastEnd = tail.lastIndexOf(marks.end);
    if (lastEnd < 0 && from > 0)
        return length;
    const qsizetype cut = lastEnd < 0 ? 0 : lastEnd + marks.end.size();
    const QByteArrayView rest = QByteArrayView(tail).sliced(cut);
    const bool remainder = !rest.isEmpty() && (rest.startsWith(marks.start) || marks.start.startsWith(rest));
    return remainder ? from + cut : length;
}

qint64 appendWhole(int file, const QString& path, const QByteArray& record, const RecordMarks& marks)
{
    const qint64 whole = wholeRecordsEnd(path, marks);
    if (whole < platform::files().length(file))
        platform::files().cutBack(file, whole);
    platform::files().write(file, record);
    platform::files().flushToDisk(file);
    return whole;
}

void appendResult(const QString& programFolder, const QByteArray& record)
{
    const platform::SharedFolderLock lock(programFolder);
    const QString path = programFolder + QLatin1String(config::resultsLogFileName);
    platform::OpenedFile log(path, OpenMode::Append);
    appendWhole(log.number(), path, record, resultRecordMarks());
    log.commit();
}

}  // namespace grading
