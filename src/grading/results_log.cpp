#include "grading/results_log.h"

#include "config/files.h"
#include "platform/opened_file.h"
#include "platform/shared_lock.h"
#include "platform/clock.h"
#include "records/records.h"

namespace grading {

using platform::OpenMode;

QByteArray formatResultRecord(const ResultRecord& r)
{
    QByteArray bytes;
    const auto line = [&bytes](const QString& text) { bytes += records::formatPlainLine(text); };
    line(QStringLiteral("\r"));
    line(QStringLiteral("Imie  ") + r.firstName);
    line(QStringLiteral("Nazwisko ") + r.surname);
    line(QStringLiteral("Klasa ") + r.className);
    line(QStringLiteral("Data : ") + platform::dateText(r.when));
    line(QStringLiteral("Godzina : ") + platform::timeText(r.when));
    line(QStringLiteral("Plik z testami : ") + r.setPath);
    line(QStringLiteral(" Liczba punktów ") + r.pointsText + QStringLiteral("  na ") + r.questionCountText);
    if (r.grade)
        line(QStringLiteral("Ocena : ") + QString::number(*r.grade));
    line(QStringLiteral(" ") + QString(45, u'*'));
    return bytes;
}

void appendResult(const QString& programFolder, const QByteArray& record)
{
    const platform::SharedFolderLock lock(programFolder);
    platform::OpenedFile log(programFolder + QLatin1String(config::resultsLogFileName), OpenMode::Append);
    platform::files().write(log.number(), record);
    platform::files().flushToDisk(log.number());
    log.commit();
}

}  // namespace grading
