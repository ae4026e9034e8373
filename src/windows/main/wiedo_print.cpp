// The main window's printing: the question sheet, the hints and the answer key of the current set, on
// the printer or, when the system has none, into PDF files beside the set; and the converter.
#include "platform/dialogs.h"
#include "platform/filetable.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "sheets/print_sheets.h"
#include "testing/question_reader.h"
#include "windows/main/wiedo.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>

namespace windows {

namespace {

using sheets::Sheet;

// Where PDF files go when the set's own folder cannot take them.
QString documentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

// `cause` is the system's reason for a PDF that could not be written ("brak miejsca na dysku"), if known.
void jobFailed(const QString& file, const QString& cause) {
    QString pdfFailure = QStringLiteral("Nie mogę zapisać wydruku w pliku %1").arg(QDir::toNativeSeparators(file));
    pdfFailure += cause.isEmpty() ? QStringLiteral(".") : QStringLiteral(": %1.").arg(cause);
    platform::msgBox(file.isEmpty()
                         ? QStringLiteral("Drukarka nie przyjęła wydruku. Sprawdź, czy jest włączona i podłączona, "
                                          "albo wybierz inną w „Ustawieniach drukarki”.")
                         : pdfFailure,
                     platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Błąd drukowania"));
}

}  // namespace

void Wiedo::Drukuj(std::initializer_list<int> which) {
    const long long count = static_cast<long long>(platform::captionValue(Label12->text()));
    // After a test the counter is back at 0: sheets of titles alone would only waste paper.
    if (count <= 0) {
        platform::msgBox(QStringLiteral("Nie ma czego drukować: licznik „Ilość pytań” wskazuje 0. Aby wydrukować "
                                        "pytania, otwórz zestaw pytań (Wiedo > Otwórz plik testu) i wprowadź "
                                        "personalia."),
                         platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("Nic do wydrukowania"));
        return;
    }
    const bool showsKey = std::find(which.begin(), which.end(), static_cast<int>(Sheet::Key)) != which.end();
    if (showsKey && !keyPrintAllowed())
        return;
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    const bool readerWasOpen = reader.isOpen();
    platform::closeEveryFile();
    QStringList pdfFiles;
    for (const int index : which) {
        const auto sheet = static_cast<Sheet>(index);
        std::vector<questionset::Question> questions;
        try {
            questions = sheets::questionsToPrint(CD1.FileName, count);
        } catch (const sheets::Refusal& refusal) {
            platform::msgBox(refusal.prompt, platform::Buttons::Ok, platform::Icon::Exclamation, refusal.title);
            break;
        }
        platform::Printer& printer = platform::printer();
        QString file;
        if (!printer.hasPrinter()) {
            file = sheets::pdfPath(CD1.FileName, sheet, documentsFolder());
            printer.setOutputFile(file);
        }
        sheets::printSheet(sheet, questions, printer);
        if (printer.lastJobFailed()) {
            jobFailed(file, printer.lastJobFailure());
            break;
        }
        if (!file.isEmpty())
            pdfFiles << QDir::toNativeSeparators(file);
    }
    platform::closeEveryFile();
    // A print between sign-in and Start leaves the student's questions where they stood.
    if (readerWasOpen) {
        try {
            reader.ensureOpen();
        } catch (const platform::FileError&) {
            // The next question's own read reports a set that has gone.
        }
    }
    if (!pdfFiles.isEmpty())
        platform::msgBox(QStringLiteral("W systemie nie ma drukarki, więc wydruk został zapisany %1:\r")
                                 .arg(pdfFiles.size() == 1 ? QStringLiteral("w pliku PDF")
                                                           : QStringLiteral("w plikach PDF")) +
                             pdfFiles.join(u'\r'),
                         platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("Wydruk do pliku PDF"));
}

void Wiedo::drukuj_Click() { Drukuj({static_cast<int>(Sheet::Questions)}); }

void Wiedo::druKPod_Click() { Drukuj({static_cast<int>(Sheet::Hints)}); }

void Wiedo::drukKarO_Click() { Drukuj({static_cast<int>(Sheet::Key)}); }

void Wiedo::DrukWsz_Click() {
    Drukuj({static_cast<int>(Sheet::Questions), static_cast<int>(Sheet::Hints), static_cast<int>(Sheet::Key)});
}

void Wiedo::ustdr_Click() {
    // Cancelling changes nothing; whatever is confirmed there holds for the later jobs.
    platform::dialogs().printerDialog();
}

void Wiedo::KWZ_to_txt_Click() { ui::forms().byName(QStringLiteral("KWZ_Txt")).Show(); }

}  // namespace windows
