#include "config/files.h"

#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "platform/paths.h"
#include "platform/shared_lock.h"

#include <QFile>

namespace config {

using platform::files;
using platform::OpenMode;

QString workFilePath() { return QStringLiteral("c:\\test.tmp"); }
QString optionsFolderFilePath() { return QStringLiteral("c:\\windows\\wiedo.ini"); }

QString firstRunMarkerPath() {
    return platform::withTrailingSeparator(platform::programFileFolder()) + QStringLiteral("wiedo.ini");
}

namespace {

using platform::OpenedFile;

// The joke files hold nothing of the user's and are remade at every start; one that already holds
// exactly these lines is left as it is, which spares the disk a write at every start.
void writeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += records::formatPlainLine(line);
    if (QFile present(path); present.open(QIODevice::ReadOnly) && present.size() == bytes.size() &&
                             present.readAll() == bytes)
        return;
    OpenedFile file(path, OpenMode::Output, platform::Durability::Scratch);
    files().write(file.number(), bytes);
    file.commit();
}

}  // namespace

void writeRecordFile(const QString& path, std::initializer_list<records::Field> fields,
                     platform::Durability durability) {
    OpenedFile file(path, OpenMode::Output, durability);
    records::writeRecord(file.number(), fields);
    file.commit();
}

QStringList readTextFields(const QString& path, int count) {
    OpenedFile file(path, OpenMode::Input);
    QStringList fields;
    for (int i = 0; i < count; ++i)
        fields << records::readText(file.number());
    return fields;
}

void writeWorkFile(const QString& programFolder, const QString& setFolder) {
    // Remade at every start; nothing is lost when it does not outlive a power cut.
    writeRecordFile(workFilePath(), {records::Field::text(programFolder), records::Field::text(setFolder)},
                    platform::Durability::Scratch);
}

std::pair<QString, QString> readWorkFile() {
    const QStringList fields = readTextFields(workFilePath(), 2);
    return {fields.at(0), fields.at(1)};
}

QString readPassword(const QString& programFolder) {
    return readTextFields(programFolder + QLatin1String(passwordFileName), 1).at(0);
}

void writePassword(const QString& folder, const QString& password) {
    const platform::SharedFolderLock lock(folder);
    writeRecordFile(folder + QLatin1String(passwordFileName), {records::Field::text(password)});
}

void writeRunCounter(const QString& folder, int count) {
    // A count that a power cut sets back by one is not worth a wait at every start.
    writeRecordFile(folder + QLatin1String(runCounterFileName), {records::Field::number(count)},
                    platform::Durability::Scratch);
}

QStringList dataDatLines() {
    return {QStringLiteral("Czego tu szukasz !?"), QString(), QStringLiteral("PS."),
            QStringLiteral("Ciekawość to pierwszy stopień do piekła !!!")};
}

QStringList wiedoDatLines() {
    return {QStringLiteral("-Czego tu szukasz !?"), QStringLiteral("-Niczego"),
            QStringLiteral("-To po co tu zagladasz ?"), QStringLiteral("-Bo jestem kretynem"),
            QStringLiteral("-Aha !")};
}

void writeJokeFiles() {
    const QString folder = platform::withTrailingSeparator(platform::currentFolder());
    writeLines(folder + QStringLiteral("Data.dat"), dataDatLines());
    writeLines(folder + QStringLiteral("wiedo.dat"), wiedoDatLines());
}

Preset readPreset(const QString& programFolder) {
    // Each step that fails is skipped: a missing file or a missing field leaves that box empty.
    Preset preset;
    int number = 0;
    try {
        number = files().open(programFolder + QLatin1String(presetFileName), OpenMode::Input);
    } catch (const platform::FileError&) {
        return preset;
    }
    QString* targets[] = {&preset.firstName, &preset.surname, &preset.className};
    for (QString* target : targets) {
        try {
            *target = records::readText(number);
        } catch (const platform::FileError&) {
        }
    }
    try {
        files().close(number);
    } catch (const platform::FileError&) {
    }
    return preset;
}

}  // namespace config
