#include "grading/results_log.h"

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

// Longer than any record the program writes, whatever the names and the set's path.
constexpr qint64 longestRecord = 64 * 1024;

// Where the log's whole records end. A copy killed or switched off while appending can leave the start of
// its record at the end of the log (the system may stop a write between two pages of it); everything after
// the last record's closing line that begins like a record is such a remainder. Anything else there (a
// teacher's own note) is kept.
qint64 wholeRecordsEnd(const QString& path)
{
    const QByteArray recordStart = records::formatPlainLine(QStringLiteral("\r")) + firstNameLabel.toLatin1();
    const QByteArray recordEnd = records::formatPlainLine(closingLine);
    platform::OpenedFile log(path, OpenMode::Input);
    const qint64 length = platform::files().length(log.number());
    const qint64 from = std::max<qint64>(0, length - longestRecord);
    platform::files().seek(log.number(), from);
    QByteArray tail;
    for (QByteArrayView part; !(part = platform::files().buffered(log.number())).isEmpty();) {
        tail += part;
        platform::files().consume(log.number(), part.size());
    }
    const qsizetype lastEnd = tail.lastIndexOf(recordEnd);
    if (lastEnd < 0 && from > 0)
        return length;
    const qsizetype cut = lastEnd < 0 ? 0 : lastEnd + recordEnd.size();
    const QByteArrayView rest = QByteArrayView(tail).sliced(cut);
    const bool remainder = !rest.isEmpty() && (rest.startsWith(recordStart) || recordStart.startsWith(rest));
    return remainder ? from + cut : length;
}

}  // namespace

void appendResult(const QString& programFolder, const QByteArray& record)
{
    const platform::SharedFolderLock lock(programFolder);
    const QString path = programFolder + QLatin1String(config::resultsLogFileName);
    platform::OpenedFile log(path, OpenMode::Append);
    const qint64 whole = wholeRecordsEnd(path);
    if (whole < platform::files().length(log.number()))
        platform::files().cutBack(log.number(), whole);
    platform::files().write(log.number(), record);
    platform::files().flushToDisk(log.number());
    log.commit();
}

}  // namespace grading
