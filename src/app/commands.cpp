#include "app/commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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
};

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

int fail(const QString& command, const QString& why) {
    warn(QStringLiteral("wiedo %1: %2").arg(command, why));
    return 2;
}

}  // namespace app
