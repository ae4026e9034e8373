#include "app/commands.h"

#include "analysis/answers_reader.h"
#include "analysis/item_analysis.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "questionset/questionset.h"

namespace app {

int runAnalysis(const QStringList& arguments)
{
    const QString command = QStringLiteral("analysis");
    const CommandLine line = parseCommand(
        arguments, command,
        QStringLiteral("Zapisuje analizę pytań zestawu na podstawie dziennika odpowiedzi: dla każdego pytania "
                       "łatwość (odsetek uczniów, którzy odpowiedzieli dobrze), różnicowanie (jak dobrze "
                       "pytanie oddziela lepszych uczniów od słabszych), odsetek zaznaczeń odpowiedzi A–E "
                       "i uwagi; pytania ocenia według obecnego klucza zestawu. Tabela ma kolumny Nr, Pytanie, "
                       "Łatwość, Różnicowanie, A, B, C, D, E, Uwagi; UTF-8 ze znacznikiem BOM, pola rozdzielone "
                       "średnikami, przecinek dziesiętny. Na ekranie wypisuje liczbę testów, średni wynik, "
                       "odchylenie standardowe, alfę Cronbacha i błąd standardowy pomiaru. Uszkodzony albo "
                       "urwany wpis jest zgłaszany z numerem wiersza i pomijany. Dziennik i zestaw mogą mieć "
                       "najwyżej %1.\n"
                       "Kod wyjścia: 0 - tabela zapisana, 1 - zapisana, ale pominięto uszkodzone wpisy, "
                       "2 - nie udało się odczytać dziennika albo zestawu lub zapisać tabeli.")
            .arg(QLatin1String(maxInputText)),
        {{QStringLiteral("odpowiedzi.txt"),
          QStringLiteral("Dziennik odpowiedzi (plik odpowiedzi.txt z folderu programu).")},
         {QStringLiteral("ZESTAW.kwz"), QStringLiteral("Zestaw pytań, którego testy zostaną przeanalizowane.")},
         {QStringLiteral("WYJŚCIE.csv"), QStringLiteral("Tabela do zapisania; istniejący plik zostanie zastąpiony.")}});
    const QString logPath = line.files[0];
    const QString setPath = line.files[1];
    const QString tablePath = line.files[2];

    // The table must never take the place of the log or of the set it was made from.
    for (const QString& input : {logPath, setPath})
        if (const std::optional<QString> refused = refusedOutput(input, tablePath))
            return fail(command, *refused);
    QByteArray bytes;
    if (const std::optional<QString> failed = readInput(logPath, &bytes))
        return fail(command, QStringLiteral("nie mogę odczytać dziennika odpowiedzi: %1").arg(*failed));
    if (const std::optional<QString> refused = refusedInput(setPath))
        return fail(command, *refused);
    analysis::SetContents set;
    try {
        if (!questionset::checkHeader(setPath))
            return fail(command, QStringLiteral("plik %1 nie jest zestawem pytań (nie zaczyna się od „%2”).")
                                     .arg(setPath, questionset::header));
        set = analysis::readSetContents(setPath);
    } catch (const platform::FileError& e) {
        switch (e.kind()) {
        case platform::FileError::Kind::CannotOpen:
            return fail(command, QStringLiteral("nie można otworzyć zestawu %1.").arg(setPath));
        case platform::FileError::Kind::PastEnd:
            return fail(command, QStringLiteral("zestaw %1 jest pusty albo uszkodzony; popraw go w edytorze "
                                                "(wiedo check %1 powie, co jest nie tak).")
                                     .arg(setPath));
        default:
            return fail(command, QStringLiteral("nie można przeczytać zestawu %1.").arg(setPath));
        }
    }

    const analysis::AnswersLog log = analysis::parseAnswersLog(bytes);
    for (const bridges::LogFault& fault : log.faults)
        warn(QStringLiteral("wiedo %1: %2, wiersz %3: %4").arg(command, logPath).arg(fault.line).arg(fault.what));

    qsizetype otherCount = 0;
    qsizetype brokenCount = 0;
    const QList<const grading::TestAnswers*> taken =
        analysis::testsOfSet(log, setPath, set.key.size(), &otherCount, &brokenCount);
    if (brokenCount > 0)
        warn(QStringLiteral("wiedo %1: testy tego zestawu przerwane przed oceną, pominięte w analizie: %2.")
                 .arg(command).arg(brokenCount));
    if (otherCount > 0)
        warn(QStringLiteral("wiedo %1: testy tego zestawu z inną liczbą pytań niż ma teraz (%2), pominięte w "
                            "analizie: %3; zestaw zmieniono po ich napisaniu.")
                 .arg(command).arg(set.key.size()).arg(otherCount));
    if (taken.isEmpty()) {
        const QList<QString> named = analysis::setsNamed(log);
        warn(named.isEmpty()
                 ? QStringLiteral("wiedo %1: w dzienniku %2 nie ma żadnego testu.").arg(command, logPath)
                 : QStringLiteral("wiedo %1: w dzienniku nie ma testów zestawu %2; są testy zestawów: %3.")
                       .arg(command, setPath, named.join(QStringLiteral(", "))));
    }

    const analysis::ItemAnalysis figures = analysis::analyse(set, taken);
    if (const std::optional<QString> failed = writeOutput(tablePath, analysis::analysisTable(set, figures)))
        return fail(command, *failed);

    for (const QString& summary : analysis::testSummary(figures.test))
        say(summary);
    if (figures.test.uncertain)
        say(analysis::uncertainWarning);
    say(QStringLiteral("Zapisano analizę %1 w pliku %2.")
            .arg(platform::countedNoun(set.key.size(), QStringLiteral("pytania"), QStringLiteral("pytań"),
                                       QStringLiteral("pytań")),
                 tablePath));
    if (!log.faults.isEmpty()) {
        warn(QStringLiteral("wiedo %1: uszkodzone miejsca w dzienniku: %2; ich wpisy nie trafiły do analizy.")
                 .arg(command).arg(log.faults.size()));
        return 1;
    }
    return 0;
}

}  // namespace app
