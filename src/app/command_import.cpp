#include "app/commands.h"

#include "bridges/imported.h"


namespace app {

namespace {

const QString command = QStringLiteral("import");

QString formatName(bridges::Format format)
{
    switch (format) {
    case bridges::Format::Aiken:
        return QStringLiteral("Aiken");
    case bridges::Format::QuizXml:
        return QStringLiteral("XML");
    default:
        return QStringLiteral("GIFT");
    }
}

}  // namespace

// Reads the whole file, hands its bytes to the GIFT, Aiken or XML reader and writes the set in one step: a
// failed import leaves an existing set exactly as it was.
int runImport(const QStringList& arguments) {
    const CommandLine line = parseCommand(
        arguments, command,
        QStringLiteral("Przenosi pytania wielokrotnego wyboru i prawda/fałsz z pliku GIFT albo Aiken (w UTF-8) "
                       "albo z eksportu XML platform e-learningowych do zestawu pytań. Format rozpoznaje po treści "
                       "pliku. Tekst w HTML zamienia na zwykły, a obrazki na ich opis. Przyjmuje zwykły plik o "
                       "wielkości najwyżej %1.")
            .arg(QLatin1String(maxInputText)),
        {{QStringLiteral("PLIK"), QStringLiteral("plik z pytaniami w formacie GIFT, Aiken albo XML")},
         {QStringLiteral("ZESTAW.kwz"), QStringLiteral("zestaw pytań do utworzenia (istniejący zostanie zastąpiony)")}});
    const QString& source = line.files[0];
    const QString& target = line.files[1];

    if (const std::optional<QString> refused = refusedOutput(source, target))
        return fail(command, *refused);
    QByteArray bytes;
    if (const std::optional<QString> failed = readInput(source, &bytes))
        return fail(command, *failed);

    // The warnings are printed as they are found: a file of many small questions keeps none of them.
    const bridges::Import import = bridges::importBytes(bytes, [&](const bridges::Warning& warning) {
        warn(warning.line > 0 ? QStringLiteral("wiedo import: %1, wiersz %2: %3").arg(source).arg(warning.line).arg(warning.message)
                              : QStringLiteral("wiedo import: %1: %2").arg(source, warning.message));
    });
    if (!import.failure.isEmpty())
        return fail(command, QStringLiteral("%1: %2").arg(source, import.failure));
    const int taken = import.result.taken;
    if (taken == 0)
        return fail(command, QStringLiteral("w pliku %1 nie ma żadnego pytania, które zestaw może przyjąć "
                                            "(pominięto: %2); zestawu nie zapisano.")
                                 .arg(source).arg(import.result.skipped));
    if (taken > 32767)
        warn(QStringLiteral("wiedo import: zestaw ma %1 pytań, a edytor obsługuje najwyżej 32767.").arg(taken));

    if (const std::optional<QString> failed = writeOutput(target, import.result.setBytes))
        return fail(command, *failed);
    say(QStringLiteral("Zaimportowano pytań: %1 (format %2), pominięto: %3. Zestaw zapisano w pliku %4.")
            .arg(taken).arg(formatName(import.format)).arg(import.result.skipped).arg(target));
    return 0;
}

}  // namespace app
