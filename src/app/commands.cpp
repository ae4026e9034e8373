#include "app/commands.h"

#include "platform/disk_calls.h"
#include "platform/errors.h"
#include "platform/new_version.h"
#include "platform/paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList&);
};

constexpr Command commands[] = {
    {"import", runImport},
    {"export", runExport},
    {"results", runResults},
    {"check", runCheck},
    {"analysis", runAnalysis},
};

QString native(const QString& path) {
    return platform::resolvePath(path).value_or(path);
}

void print(std::FILE* stream, const QString& line) {
    const QByteArray bytes = line.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

}  // namespace

QString commandNamed(int argc, char* argv[]) {
    if (argc < 2)
        return {};
    const QString first = QString::fromLocal8Bit(argv[1]);
    for (const Command& command : commands)
        if (first == QLatin1String(command.name))
            return first;
    return {};
}

int runCommand(QCoreApplication& application, const QString& command) {
    QCoreApplication::setApplicationName(QStringLiteral("wiedo"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
    QStringList arguments = application.arguments();
    arguments.removeAt(1);  // the command word; the parser wants the program's name first
    for (const Command& entry : commands)
        if (command == QLatin1String(entry.name))
            return entry.run(arguments);
    return fail(command, QStringLiteral("nie ma takiego polecenia."));
}

CommandLine parseCommand(const QStringList& arguments, const QString& command, const QString& description,
                         const QList<QPair<QString, QString>>& fileNames) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    // Qt's own help option speaks English even with its Polish texts, so the command has its own.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QStringLiteral("Wyświetla tę pomoc."));
    parser.addOption(help);
    QStringList usage;
    for (const auto& [name, about] : fileNames) {
        parser.addPositionalArgument(name, about);
        usage << name;
    }
    // The help's first line shows the command word after the program's name.
    QStringList withCommand = arguments;
    if (!withCommand.isEmpty())
        withCommand[0] = withCommand[0] + u' ' + command;
    if (!parser.parse(withCommand)) {
        std::exit(fail(command, parser.errorText()));
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText().replace(QStringLiteral("[opcje]"), command + QStringLiteral(" [opcje]")));
        std::exit(0);
    }
    CommandLine line{parser.positionalArguments()};
    if (line.files.size() != fileNames.size())
        std::exit(fail(command, QStringLiteral("podaj: %1 (zobacz: wiedo %2 --help).")
                                    .arg(usage.join(u' '), command)));
    return line;
}

void say(const QString& line) {
    print(stdout, line);
}

void warn(const QString& line) {
    print(stderr, line);
}

std::optional<QString> refusedInput(const QString& path) {
    const QFileInfo input(native(path));
    if (!input.exists())
        return QStringLiteral("nie ma pliku %1.").arg(path);
    if (!input.isFile())
        return QStringLiteral("%1 nie jest zwykłym plikiem; polecenie czyta tylko pliki.").arg(path);
    if (input.size() > maxInputBytes)
        return QStringLiteral("plik %1 jest większy niż %2; tak dużego pliku polecenie nie przyjmuje.")
            .arg(path, QLatin1String(maxInputText));
    return std::nullopt;
}

std::optional<QString> readInput(const QString& path, QByteArray* bytes) {
    if (std::optional<QString> refused = refusedInput(path))
        return refused;
    QFile input(native(path));
    if (!input.open(QIODevice::ReadOnly))
        return QStringLiteral("nie można otworzyć pliku %1 (%2).").arg(path, input.errorString());
    // A file that grows while it is read is still read only up to the limit.
    *bytes = input.read(maxInputBytes + 1);
    if (input.error() != QFileDevice::NoError)
        return QStringLiteral("nie można przeczytać pliku %1 (%2).").arg(path, input.errorString());
    if (bytes->size() > maxInputBytes)
        return QStringLiteral("plik %1 jest większy niż %2; tak dużego pliku polecenie nie przyjmuje.")
            .arg(path, QLatin1String(maxInputText));
    return std::nullopt;
}

std::optional<QString> refusedOutput(const QString& input, const QString& output) {
    if (platform::sameFile(native(input), native(output)))
        return QStringLiteral("plik wyjściowy %1 jest plikiem wejściowym %2; zapisanie go zniszczyłoby dane. "
                              "Podaj inną nazwę pliku wyjściowego.")
            .arg(output, input);
    const QFileInfo target(native(output));
    if (target.exists() && !target.isFile())
        return QStringLiteral("%1 nie jest zwykłym plikiem (to folder, urządzenie albo potok); polecenie go nie "
                              "zastąpi. Podaj nazwę zwykłego pliku.")
            .arg(output);
    return std::nullopt;
}

std::optional<QString> writeOutput(const QString& path, const QByteArray& bytes) {
    // Through a link to a file, the file it points to is written, as the user meant.
    const QFileInfo target(native(path));
    const QString written = target.isSymLink() && target.exists() ? target.canonicalFilePath() : target.filePath();
    try {
        platform::NewVersion output(written);
        output.write(bytes);
        output.commit();
    } catch (const platform::FileError& error) {
        return platform::failureMessage(error) + u'.';
    }
    return std::nullopt;
}

int fail(const QString& command, const QString& why) {
    warn(QStringLiteral("wiedo %1: %2").arg(command, why));
    return 2;
}

}  // namespace app
