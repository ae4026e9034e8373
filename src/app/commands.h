#pragma once
// The terminal commands of the program (`wiedo import`, `export`, `results`, `check`, `analysis`): each reads and
// writes files, answers in Polish on the terminal and opens no window.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace app {

// The command named by the first argument, or an empty text when the program is to start as usual.
QString commandNamed(int argc, char* argv[]);

// Runs the command with the rest of the arguments; the process's exit status: 0 when it did its work,
// 1 when it found faults to report (check), 2 when it could not do its work.
int runCommand(QCoreApplication& application, const QString& command);

// What every command shares: its own parser with Polish help, and the way it reports.
struct CommandLine {
    QStringList files;  // the positional arguments, as many as the command asked for
};

// Parses the arguments after the command word against `fileNames` (shown in the help as they stand), each
// with its description. Help is answered and a wrong count of files reported here; both end the process.
CommandLine parseCommand(const QStringList& arguments, const QString& command, const QString& description,
                         const QList<QPair<QString, QString>>& fileNames);

void say(const QString& line);    // a line on the standard output
void warn(const QString& line);   // a line on the standard error
int fail(const QString& command, const QString& why);  // "wiedo COMMAND: why" on the standard error; 2

// The largest input a command takes: far more than any set, GIFT file or results log of a school, little
// enough to be read whole. Anything larger, or endless (a device), is refused before it is read.
inline constexpr qint64 maxInputBytes = 256LL * 1024 * 1024;
inline constexpr auto maxInputText = "256 MiB";

// What the commands share about their files. Each gives the Polish reason for refusing or failing (to follow
// "wiedo COMMAND: "), or nothing when all is well.
// The input must be a regular file of at most maxInputBytes.
std::optional<QString> refusedInput(const QString& path);
// Reads the whole input (refused as above), into `bytes`.
std::optional<QString> readInput(const QString& path, QByteArray* bytes);
// The output must not be the input under any name, nor an existing thing that is not a regular file (a
// device, a pipe, a folder): such a thing is never replaced.
std::optional<QString> refusedOutput(const QString& input, const QString& output);
// Writes the bytes as a whole new version of the output; on a failure the old file stays as it was.
std::optional<QString> writeOutput(const QString& path, const QByteArray& bytes);

// The commands, one module each.
int runImport(const QStringList& arguments);
int runExport(const QStringList& arguments);
int runResults(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runAnalysis(const QStringList& arguments);

}  // namespace app
