#pragma once
// The configuration and work files: their names, places, fixed contents, and whole-file readers and
// writers. Every writer creates its file anew and writes all of it; every reader opens, reads the fields
// it needs from the start and closes. All of them throw platform::FileError.
#include "platform/filetable.h"
#include "records/records.h"

#include <QString>
#include <QStringList>
#include <utility>

namespace config {

// Fixed places on drive C:.
QString workFilePath();          // "c:\test.tmp"
QString optionsFolderFilePath(); // "c:\windows\wiedo.ini"

// File names in the program folder (the folder text of the Shared state, ending with a separator).
inline constexpr auto passwordFileName = "Wiedo.cfg";
inline constexpr auto runCounterFileName = "run.run";
inline constexpr auto scaleFileName = "ptk.ptk";
inline constexpr auto presetFileName = "Autoexec.u";
inline constexpr auto resultsLogFileName = "wyniki.txt";
inline constexpr auto answersLogFileName = "odpowiedzi.txt";

// "wiedo.ini" beside the program file, the first-run marker.
QString firstRunMarkerPath();

// Creates the file anew holding exactly one record of the given fields.
void writeRecordFile(const QString& path, std::initializer_list<records::Field> fields,
                     platform::Durability durability = platform::Durability::Synced);
// Opens the file, reads count text fields from its start, closes it.
QStringList readTextFields(const QString& path, int count);

// The work file: one record of two text fields, the program folder and the question-set folder.
void writeWorkFile(const QString& programFolder, const QString& setFolder);
std::pair<QString, QString> readWorkFile();

// The password file: one text field, stored as typed.
QString readPassword(const QString& programFolder);
void writePassword(const QString& folder, const QString& password);

// The run counter: one number field.
void writeRunCounter(const QString& folder, int count);

// The two joke files, rewritten in the current folder on every start.
QStringList dataDatLines();
QStringList wiedoDatLines();
void writeJokeFiles();

// The sign-in preset: first name, surname and class; fields that cannot be read are empty.
struct Preset {
    QString firstName, surname, className;
};
Preset readPreset(const QString& programFolder);

}  // namespace config
