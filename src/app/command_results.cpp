#include "app/commands.h"

#include "bridges/results_csv.h"
#include "platform/text.h"

namespace app {

namespace {

QString entries(qsizetype n)
{
    return platform::countedNoun(n, QStringLiteral("wpis"), QStringLiteral("wpisy"), QStringLiteral("wpisów"));
}

}  // namespace

int runResults(const QStringList& arguments)
{
    const QString command = QStringLiteral("results");
    const CommandLine line = parseCommand(
        arguments, command,
        QStringLiteral("Zapisuje dziennik wyników programu jako tabelę dla arkusza kalkulacyjnego: kolumny Imię, "
                       "Nazwisko, Klasa, Data (rrrr-mm-dd), Godzina, Plik z testami, Punkty, Pytania, Ocena; "
                       "UTF-8 ze znacznikiem BOM, pola rozdzielone średnikami. Uszkodzony albo urwany wpis "
                       "jest zgłaszany z numerem wiersza i pomijany. Dziennik może mieć najwyżej %1.\n"
                       "Kod wyjścia: 0 - tabela zapisana, 1 - zapisana, ale pominięto uszkodzone wpisy, "
                       "2 - nie udało się odczytać dziennika albo zapisać tabeli.")
            .arg(QLatin1String(maxInputText)),
        {{QStringLiteral("wyniki.txt"), QStringLiteral("Dziennik wyników (plik wyniki.txt z folderu programu).")},
         {QStringLiteral("WYJŚCIE.csv"), QStringLiteral("Tabela do zapisania; istniejący plik zostanie zastąpiony.")}});
    const QString logPath = line.files[0];
    const QString tablePath = line.files[1];

    // The table must never take the place of the log it was made from.
    if (const std::optional<QString> refused = refusedOutput(logPath, tablePath))
        return fail(command, *refused);
    QByteArray bytes;
    if (const std::optional<QString> failed = readInput(logPath, &bytes))
        return fail(command, QStringLiteral("nie mogę odczytać dziennika wyników: %1").arg(*failed));

    const bridges::ResultsLog parsed = bridges::parseResultsLog(bytes);
    for (const bridges::LogFault& fault : parsed.faults)
        warn(QStringLiteral("wiedo %1: %2, wiersz %3: %4").arg(command, logPath).arg(fault.line).arg(fault.what));

    if (const std::optional<QString> failed = writeOutput(tablePath, bridges::resultsTable(parsed.records)))
        return fail(command, *failed);

    say(QStringLiteral("Zapisano %1 do pliku %2.").arg(entries(parsed.records.size()), tablePath));
    if (!parsed.faults.isEmpty()) {
        warn(QStringLiteral("wiedo %1: uszkodzone miejsca w dzienniku: %2; ich wpisy nie trafiły do tabeli.")
                 .arg(command).arg(parsed.faults.size()));
        return 1;
    }
    return 0;
}

}  // namespace app
