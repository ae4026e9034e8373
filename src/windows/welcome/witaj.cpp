#include "windows/welcome/witaj.h"

#include "config/files.h"
#include "grading/scale.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/paths.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/pictures.h"
#include "windows/scale_editor/punkty.h"

#include <QPixmap>

namespace windows {
namespace {

QLabel* textLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                  const QString& text) {
    auto* label = ui::make<QLabel>(parent, name, left, top, width, height);
    label->setText(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, int left, int top, int width, int height,
                    const QString& caption) {
    auto* b = ui::make<QPushButton>(parent, name, left, top, width, height);
    b->setText(caption);
    return b;
}

void exclamation(const QString& prompt, const QString& title) {
    platform::msgBox(prompt, platform::Buttons::Ok, platform::Icon::Exclamation, title);
}

}  // namespace

Witaj::Witaj() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("                 Witaj w programie WIEDO v 1.1 !!!"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/app.png")));
    setOuterSizeTwips(7200, 5520);
    Label1 = textLabel(this, "Label1", 120, 120, 6840, 615,
                       QStringLiteral("Witaj w programie WIEDO v 1.1 ! Ponieważ ten program uruchomiłeś po raz "
                                      "pierwszy, to musisz odpowiedzieć na kilka pytań. "));

    SSTab1 = ui::make<QTabWidget>(this, "SSTab1", 120, 840, 6840, 3480);
    auto* install = new QWidget;
    auto* password = new QWidget;
    auto* other = new QWidget;
    SSTab1->addTab(install, QStringLiteral("Instalacja"));
    SSTab1->addTab(password, QStringLiteral("Hasło"));
    SSTab1->addTab(other, QStringLiteral("Inne"));

    Label2 = textLabel(install, "Label2", 120, 120, 6480, 285,
                       QStringLiteral("1) Podaj katalog, w którym jestem zainstalowany"));
    Drive1 = ui::make<ui::DriveList>(install, "Drive1", 120, 480, 2400, 315);
    Text1 = ui::make<QLineEdit>(install, "Text1", 2640, 480, 3960, 315);
    Text1->setText(QStringLiteral("C:\\"));
    Dir1 = ui::make<ui::FolderList>(install, "Dir1", 120, 900, 6480, 1980);

    Label3 = textLabel(password, "Label3", 120, 120, 6480, 600,
                       QStringLiteral("2) Podaj ( wymyśl ) hasło dostępu do niektórych opcji programu np. "
                                      "Punktacja. Tylko je zapamiętaj !!!"));
    Label5 = textLabel(
        password, "Label5", 120, 780, 6480, 1560,
        QStringLiteral("Dzięki zabezpieczeniu hasłem żaden uczeń nie będzie gdzebał w zabronionych opcjach "
                       "tego programu np. zmiana punktacji. Niestety musisz zapamiętać to hasło ( porgram "
                       "rozróżnia wielkich ani małych liter, więc HASLO a Haslo to dwa zupełnie inne hasła"));
    Text2 = ui::make<QLineEdit>(password, "Text2", 120, 2460, 3240, 315);
    Text2->setEchoMode(QLineEdit::Password);
    ui::refuseDoubleQuotes(Text2);
    // Each typed character shows as "*", whatever the style's own mask character is.
    Text2->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    Text2->setAccessibleName(QStringLiteral("Hasło"));

    Label8 = textLabel(other, "Label8", 120, 120, 6480, 285, QStringLiteral("Instrukcja obsługi programu :"));
    Label9 = textLabel(
        other, "Label9", 120, 420, 6480, 1380,
        QStringLiteral("Program KWIZ v 1.1 jest bardzo prosty w obsłudze. Znając zwykły program pod WINDOWS 95 "
                       "np. Paint, WordPad, czy Notatnik WINDOWS, nie będziesz mieć kłopotów z obsługą tego "
                       "programu. Jeśli uruchomisz program, to pokaże się okno z samouczkiem. To właśnie z tego "
                       "okna dowiesz się wszystkiego o tym programie"));
    Label4 = textLabel(other, "Label4", 120, 1860, 4440, 1020,
                       QStringLiteral("Kliknij w przycisk O AUTORZE, aby dowiedzieć się kto napisał ten program. "
                                      "Jeśli chcesz zmienić punktacje to kliknij w przycisk EDYTUJ PUNKTACJE "));
    Command2 = button(other, "Command2", 4680, 1860, 1920, 435, QStringLiteral("&O autorze"));
    Command3 = button(other, "Command3", 4680, 2400, 1920, 435, QStringLiteral("Edytuj punktację"));

    Command1 = button(this, "Command1", 120, 4440, 3000, 495, QStringLiteral("&Zapisz ustawienia"));
    Image5 = ui::make<QLabel>(this, "Image5", 3360, 4440, 480, 480);
    Image5->setPixmap(ui::picture(QStringLiteral(":/img/smile.png")));
    Image5->setToolTip(QStringLiteral("Uśmiechnij się, jesteś w ukrytej kamerze !!!"));
    Image5->setAccessibleName(QStringLiteral("Uśmiech"));
    Kon = button(this, "Kon", 3960, 4440, 3000, 495, QStringLiteral("&Koniec"));

    ui::on(Drive1, &ui::DriveList::driveChanged, [this] { Drive1_Change(); });
    ui::on(Dir1, &ui::FolderList::pathChanged, [this] { Dir1_Change(); });
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    ui::on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
    ui::on(Kon, &QPushButton::clicked, [this] { Kon_Click(); });
}

void Witaj::Form_Activate() {
    Dir1->setPath(platform::programFileFolder());
    Drive1->setDrive(Dir1->drive());
    Text1->setText(Dir1->path());
    centre();
}

void Witaj::Drive1_Change() {
    if (Dir1->showDrive(Drive1->drive()))
        return;
    exclamation(QStringLiteral("Włóż dyskietkę !!!"), QStringLiteral("Nie stać Cię na dyskietkę ?"));
    Drive1->setDrive(Dir1->drive());
}

void Witaj::Dir1_Change() { Text1->setText(Dir1->path()); }

void Witaj::spr() {
    try {
        platform::changeDrive(Drive1->drive());
        platform::changeFolder(Text1->text());
    } catch (const platform::FileError&) {
        exclamation(QStringLiteral("Podałeś złą ścieżkę dostępu do pliku"), QStringLiteral("Błąd"));
    }
}

QString Witaj::chosenFolder() const { return platform::withTrailingSeparator(Text1->text()); }

bool Witaj::writeSettings(bool withRunCounter) {
    using records::Field;
    try {
        config::writeRecordFile(config::firstRunMarkerPath(), {Field::text(Text1->text())});
        config::writePassword(chosenFolder(), Text2->text());
        grading::writeDefaultScale(chosenFolder());
        if (withRunCounter)
            config::writeRunCounter(chosenFolder(), 1);
        return true;
    } catch (const platform::FileError&) {
        exclamation(QStringLiteral("Wystąpił nieznany błąd. Najprawdopodobnie podałeś złą ścieżkę dostępu do "
                                   "katalogu z testami, lub pliki, które są konfiguracyjne otworzył inny "
                                   "program"),
                    QStringLiteral("Błąd"));
        return false;
    }
}

void Witaj::Command1_Click() {
    spr();
    if (writeSettings(true))
        platform::msgBox(QStringLiteral("Zapisałem ustawienia"), platform::Buttons::Ok,
                         platform::Icon::Information, QStringLiteral("Zapisz ustawienia"));
}

void Witaj::Command2_Click() { ui::forms().byName(QStringLiteral("Autor_")).ShowModal(); }

// The teacher starts the grading scale editor from the default scale; nothing opens when the files
// could not be written.
void Witaj::Command3_Click() {
    spr();
    if (!writeSettings(false))
        return;
    auto& editor = ui::forms().get<Punkty>();
    editor.folder = chosenFolder();
    editor.ShowModal();
}

void Witaj::Kon_Click() {
    // Ignoring every error: close the files, unload every window and end the program.
    platform::closeEveryFile();
    for (ui::Form* form : ui::forms().loadedForms())
        ui::forms().unload(*form);
    ui::forms().endProgram();
}

}  // namespace windows
