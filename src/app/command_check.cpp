#include "app/commands.h"

#include "bridges/set_check.h"

namespace app {

int runCheck(const QStringList& arguments)
{
    const QString command = QStringLiteral("check");
    const CommandLine line = parseCommand(
        arguments, command,
        QStringLiteral("Sprawdza zestaw pytań tak, jak czyta go test, i wypisuje z numerami pytań, co nauczyciel "
                       "powinien poprawić: zły nagłówek, zestaw urwany w środku pytania, oznaczenia inne niż 1 "
                       "(dobra) i 2 (zła), pytania bez dobrej odpowiedzi i z pięcioma dobrymi, puste odpowiedzi "
                       "oznaczone jako dobre, powtórzone pytania oraz teksty dłuższe, niż okno testu pokaże bez "
                       "przewijania.\n"
                       "Kod wyjścia: 0 - bez uwag, 1 - są uwagi, 2 - nie można odczytać pliku."),
        {{QStringLiteral("ZESTAW.kwz"), QStringLiteral("Zestaw pytań do sprawdzenia.")}});
    const QString path = line.files[0];
    const bridges::SetCheck check = bridges::checkSet(path);
    if (!check.readable)
        return fail(command, QStringLiteral("nie mogę odczytać pliku %1.").arg(path));
    for (const bridges::Finding& finding : check.findings) {
        if (finding.question > 0)
            say(QStringLiteral("Pytanie nr %1: %2").arg(finding.question).arg(bridges::describe(finding, check)));
        else
            say(QStringLiteral("Zestaw: %1").arg(bridges::describe(finding, check)));
    }
    if (check.findings.isEmpty()) {
        say(QStringLiteral("%1: pytań %2, bez uwag.").arg(path).arg(check.questions));
        return 0;
    }
    say(QStringLiteral("%1: pytań %2, uwag %3.").arg(path).arg(check.questions).arg(check.findings.size()));
    return 1;
}

}  // namespace app
