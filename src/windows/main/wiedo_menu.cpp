// The main window's menu commands: opening a question set for a test, the help windows and the two ways
// of ending the program.
#include "config/files.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "questionset/questionset.h"
#include "testing/question_reader.h"
#include "windows/main/wiedo.h"
#include "windows/temp/temp_window.h"

#include <utility>

namespace windows {

namespace {

using platform::FileError;

const QString exitQuestion = QStringLiteral("Czy chcesz opuścić ten program ?");
const QString exitTitle = QStringLiteral("Koniec ?");

using platform::closeEveryFile;

// The full path without its final file-name part, so the folder keeps its trailing separator.
QString folderOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.left(cut + 1);
}

bool wantsToLeave() {
    return platform::msgBox(exitQuestion, platform::Buttons::YesNo, platform::Icon::Information, exitTitle) ==
           platform::Answer::Yes;
}

void unloadAll(std::initializer_list<const char*> names) {
    for (const char* name : names)
        ui::forms().unload(QString::fromUtf8(name));
}

}  // namespace

// ---- opening a set -----------------------------------------------------------------------------------

void Wiedo::openSet(const QString& path) {
    // The header is checked before the Question reader is touched: a refused file is never read as the
    // test, and a test in progress goes on with its own set.
    if (!questionset::checkHeader(path)) {
        platform::msgBox(QStringLiteral("Plik ") + path + QStringLiteral(" nie jest plikiem testu "),
                         platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Zły format pliku !!!"));
        closeEveryFile();
        return;
    }
    testing::QuestionReader& reader = testing::QuestionReader::instance();
    reader.open(path);
    reader.readHeader();
    // Only a set that passed the check names the results of the test.
    CD1.FileName = path;
    ui::forms().get<TEMP>().Text2->setText(folderOf(CD1.FileName));
    ui::forms().byName(QStringLiteral("open_")).Show();
}

void Wiedo::Form_Activate() {
    offerResume();
    // A set named on the command line (a double click on it in the file manager) is opened once, when the
    // main window first comes up, as if chosen with the open command.
    if (commandLineSet.isEmpty())
        return;
    const QString path = std::exchange(commandLineSet, QString());
    closeEveryFile();
    try {
        openSet(path);
    } catch (const FileError& error) {
        closeEveryFile();
        if (error.kind() == FileError::Kind::CannotOpen)
            platform::msgBox(QStringLiteral("Nie mogę otworzyć zestawu pytań %1: plik nie istnieje albo nie można go "
                                            "odczytać.")
                                 .arg(path),
                             platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Brak zestawu pytań"));
        else
            platform::msgBox(QStringLiteral("Wystąpił nieznany błąd w programie"), platform::Buttons::Ok,
                             platform::Icon::Exclamation, QStringLiteral("Błąd"));
    }
}

void Wiedo::otwórz_Click() {
    for (;;) {
        closeEveryFile();
        TEMP& temp = ui::forms().get<TEMP>();
        CD1.InitDir = temp.Text1->text();
        bool cancelled = false;
        try {
            const std::optional<QString> chosen = platform::dialogs().openFile(
                {QStringLiteral("Otwórz - zaznacz dowolny plik, zawierający zestaw pytań."),
                 QStringLiteral("Pliki zawierające pytania do testu ( *.kwz )|*.kwz|Wszystkie pliki ( *.* )|*.*"),
                 CD1.InitDir,
                 {}});
            if (!chosen || chosen->isEmpty()) {
                cancelled = true;
            } else {
                openSet(*chosen);
                return;
            }
        } catch (const FileError& error) {
            if (error.kind() != FileError::Kind::CannotOpen) {
                closeEveryFile();
                platform::msgBox(QStringLiteral("Wystąpił nieznany błąd w programie"), platform::Buttons::Ok,
                                 platform::Icon::Exclamation, QStringLiteral("Błąd"));
                return;
            }
            cancelled = true;
        }
        if (cancelled &&
            platform::msgBox(QStringLiteral("Kliknołeś w przycisk ANULUJ. Czy chcesz otworzyć test ?"),
                             platform::Buttons::YesNo, platform::Icon::Information,
                             QStringLiteral("Znasz swoją wiedzę, czy jej nie znasz ?")) != platform::Answer::Yes)
            return;
    }
}

// ---- the teacher's question editor and the screen saver ---------------------------------------------

void Wiedo::SS_Click() { ui::forms().byName(QStringLiteral("SSaver")).ShowModal(); }

// ---- help --------------------------------------------------------------------------------------------

void Wiedo::mnuBitmap1_Click() {
    // The instructions window's "GRAM !!!" brings the main window back.
    Hide();
    ui::forms().byName(QStringLiteral("Inform")).ShowModal();
}

void Wiedo::mnuBitmap2_Click() { ui::forms().byName(QStringLiteral("Autor_")).ShowModal(); }

void Wiedo::mnuBitmap3_Click() { ui::forms().byName(QStringLiteral("oPrg")).ShowModal(); }

// ---- the end -----------------------------------------------------------------------------------------

void Wiedo::koniec_Click() {
    if (!wantsToLeave())
        return;
    // The main window's own unload is passed by, so the work file stays for the next start to rewrite.
    unloadAll({"Autor_", "NoweWiedo", "open_", "Punkty", "Dod", "Inform", "LoadT", "Ocena", "Opcje_", "oPrg",
               "SSaver", "TEMP", "KWZ_Txt", "Witaj"});
    ui::forms().endProgram();
}

void Wiedo::Form_Unload(bool& cancel) {
    if (!wantsToLeave()) {
        cancel = true;
        return;
    }
    closeEveryFile();
    unloadAll({"Dod", "Inform", "Autor_", "NoweWiedo", "SSaver", "open_", "Punkty", "Witaj", "Opcje_", "TEMP"});
    try {
        platform::files().remove(config::workFilePath());
    } catch (const FileError&) {
        // Already gone, or not ours to delete: the next start makes a new one either way.
    }
    ui::forms().endProgram();
}

}  // namespace windows
