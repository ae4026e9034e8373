#include "app/commands.h"

#include "bridges/gift.h"
#include "bridges/set_check.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "questionset/questionset.h"
#include "records/records.h"

namespace app {

namespace {

const QString command = QStringLiteral("export");

// The questions of the set that read whole, all of them, as the test reads them; `damaged` tells that
// other bytes than the set's end follow them.
QList<questionset::Question> readSet(const QString& path, bool* damaged) {
    bridges::WholeSet set = bridges::readWholeSet(path);
    *damaged = set.damaged;
    return std::move(set.questions);
}

}  // namespace

// Reads the set whole, writes the GIFT file in one step, and names on the terminal each question that will
// not come back from a platform unchanged.
int runExport(const QStringList& arguments) {
    const CommandLine line = parseCommand(
        arguments, command,
        QStringLiteral("Zapisuje zestaw pytań w formacie GIFT (UTF-8), który przyjmują platformy e-learningowe. "
                       "Przyjmuje zestaw o wielkości najwyżej %1.")
            .arg(QLatin1String(maxInputText)),
        {{QStringLiteral("ZESTAW.kwz"), QStringLiteral("zestaw pytań")},
         {QStringLiteral("PLIK.gift"), QStringLiteral("plik GIFT do utworzenia (istniejący zostanie zastąpiony)")}});
    const QString& source = line.files[0];
    const QString& target = line.files[1];

    if (const std::optional<QString> refused = refusedOutput(source, target))
        return fail(command, *refused);
    if (const std::optional<QString> refused = refusedInput(source))
        return fail(command, *refused);
    QList<questionset::Question> questions;
    bool damaged = false;
    try {
        if (!questionset::checkHeader(source))
            return fail(command, QStringLiteral("plik %1 nie jest zestawem pytań (nie zaczyna się od „%2”).")
                                     .arg(source, questionset::header));
        questions = readSet(source, &damaged);
    } catch (const platform::FileError& e) {
        switch (e.kind()) {
        case platform::FileError::Kind::CannotOpen:
            return fail(command, QStringLiteral("nie można otworzyć zestawu %1.").arg(source));
        case platform::FileError::Kind::PastEnd:
            return fail(command, QStringLiteral("plik %1 jest pusty, a nie jest zestawem pytań.").arg(source));
        default:
            return fail(command, QStringLiteral("nie można przeczytać zestawu %1.").arg(source));
        }
    }
    if (damaged)
        warn(QStringLiteral("wiedo export: %1: koniec zestawu jest uszkodzony; wyeksportowano tylko %2 pytań "
                            "czytelnych w całości.")
                 .arg(source).arg(questions.size()));

    const bridges::Exported exported = bridges::writeGift(questions);
    for (const bridges::Warning& warning : exported.warnings)
        warn(QStringLiteral("wiedo export: pytanie %1: %2").arg(warning.line).arg(warning.message));
    if (const std::optional<QString> failed = writeOutput(target, exported.bytes))
        return fail(command, *failed);
    say(QStringLiteral("Wyeksportowano pytań: %1, pominięto: %2. Plik GIFT zapisano: %3.")
            .arg(exported.written).arg(exported.skipped).arg(target));
    return 0;
}

}  // namespace app
