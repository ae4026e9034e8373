#include "startup/loader.h"

#include "config/files.h"
#include "grading/scale.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/filetable.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "records/records.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/pictures.h"
#include "windows/registry.h"
#include "windows/temp/temp_window.h"

#include <QPixmap>

namespace startup {

using platform::FileError;
using platform::files;
using platform::OpenMode;

namespace {

windows::TEMP& temp() { return ui::forms().get<windows::TEMP>(); }

void warn(const QString& prompt, const QString& title) {
    platform::msgBox(prompt, platform::Buttons::Ok, platform::Icon::Exclamation, title);
}

}  // namespace

LoadT::LoadT() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Trwa ładowanie programu. Proszę czekać . . . "));
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setOuterSizeTwips(5400, 2640);
    Image1 = ui::make<QLabel>(this, "Image1", 120, 120, 960, 960);
    Image1->setPixmap(ui::picture(QStringLiteral(":/img/loader.png")));
    Image1->setAccessibleName(QStringLiteral("Klepsydra"));
    Label1 = ui::make<QLabel>(this, "Label1", 1200, 240, 3960, 285);
    Label1->setText(QStringLiteral("Ładowanie kodu programu"));
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = ui::make<QLabel>(this, "Label2", 1200, 720, 3960, 285);
    Label2->setText(QStringLiteral("WIEDO v 1.1 - sprawdź, co wiesz !"));
    Label2->setAlignment(Qt::AlignCenter);
    Label3 = ui::make<QLabel>(this, "Label3", 120, 1200, 960, 285);
    Label3->setText(QStringLiteral("1"));
    // In the face and size of the instructions window's title, which the loader opens next.
    ui::setFontFace(Label3, QStringLiteral("Arial"), 12, true);
    PrB = ui::make<QProgressBar>(this, "PrB", 1200, 1320, 3960, 375);
    PrB->setRange(0, 100);
    ui::showProgressInBlocks(PrB);
    PrB->setValue(0);
    PrB->setAccessibleName(QStringLiteral("Postęp ładowania"));
    Command1 = ui::make<QPushButton>(this, "Command1", 1200, 1800, 1800, 375);
    Command1->setText(QStringLiteral("&Uruchom"));
    Command1->setVisible(false);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(20);
    ui::on(Timer2, &QTimer::timeout, [this] { Timer2_Timer(); });
    Timer2->start();
}

void LoadT::Form_Unload(bool& cancel) { cancel = true; }

void LoadT::Timer2_Timer() {
    Timer2->stop();
    Command1_Click();
}

QString LoadT::programFolder() const { return temp().Text1->text(); }

void LoadT::Command1_Click() {
    PrB->setValue(5);
    Label1->setVisible(true);
    PrB->setVisible(true);
    Label1->setText(QStringLiteral("Sprawdzanie plików konfiguracyjnych"));
    Label1->repaint();
    PrB->setValue(25);
    InI();
    KLl();
    TtmP();
    tCfG();
    PtK();
    run_run();
    Czego_tu();
    PrB->setValue(50);
    Label1->setText(QStringLiteral("Ostateczne ustawienia"));
    Label1->repaint();
    PrB->setValue(100);
    Hide();
    ui::forms().byName(QStringLiteral("Inform")).Show();
}

void LoadT::showWelcome() { ui::forms().byName(QStringLiteral("Witaj")).ShowModal(); }

void LoadT::InI() {
    // The marker's presence decides whether the welcome window is needed; each failing step shows it
    // and the check goes on with the next step, so a missing marker shows it twice.
    const QString marker = config::firstRunMarkerPath();
    int number = 0;
    try {
        number = files().open(marker, OpenMode::Input);
    } catch (const FileError&) {
        showWelcome();
    }
    try {
        if (number == 0)
            throw FileError(FileError::Kind::BadHandle, QStringLiteral("wiedo.ini is not open"));
        records::readText(number);
    } catch (const FileError&) {
        if (number != 0)
            files().close(number);
        number = 0;
        showWelcome();
    }
    if (number != 0)
        files().close(number);
    const QString folder = platform::programFileFolder() + platform::folderSeparator();
    temp().Text1->setText(folder);
    temp().Text2->setText(folder);
}

namespace {

// The guard against a second running copy: a lock beside the work file, held while the program runs.
platform::InstanceLock held;

bool takeSecondCopyLock() {
    const auto workFile = platform::resolvePath(config::workFilePath());
    return workFile && held.take(*workFile + QStringLiteral(".lock"));
}

}  // namespace

void releaseSecondCopyLock() { held.release(); }

void LoadT::KLl() {
    // The work file of a copy that is still running is that copy's own: it is deleted only when no
    // running copy holds the lock beside it (the next step then reports the second copy).
    if (!takeSecondCopyLock())
        return;
    try {
        files().remove(config::workFilePath());
    } catch (const FileError&) {
    }
}

void LoadT::TtmP() {
    Label1->repaint();
    Label1->setText(QStringLiteral("Tworzenie pliku przejściowego"));
    try {
        if (!takeSecondCopyLock())
            throw FileError(FileError::Kind::CannotOpen, QStringLiteral("another copy holds the work file"));
        config::writeWorkFile(programFolder(), programFolder());
    } catch (const FileError&) {
        PrB->setValue(4);
        warn(QStringLiteral("Błąd z plikiem przejściowym. Najprawdopodobniej uruchomiłeś 2 razy ten sam "
                            "program. Zakończ działanie tego programu, i ponownie uruchom WINDOWS"),
             QStringLiteral("Błąd pliku przejściowego"));
        platform::closeEveryFile();
        for (ui::Form* form : ui::forms().loadedForms())
            ui::forms().unload(*form);
        ui::forms().endProgram();
    }
}

void LoadT::tCfG() {
    try {
        config::readTextFields(programFolder() + QStringLiteral("wiedo.cfg"), 1);
    } catch (const FileError&) {
        warn(QStringLiteral("Brak pliku WIEDO.CFG, lub jest on uszkodzony. "), QStringLiteral("Błąd"));
        platform::closeEveryFile();
        try {
            config::writePassword(programFolder(), QString());
        } catch (const FileError&) {
            // A folder that cannot be written: start-up goes on, the options ask for no password.
        }
    }
}

void LoadT::PtK() {
    try {
        grading::checkSixFields(programFolder());
    } catch (const FileError&) {
        warn(QStringLiteral("Brak pliku PTK.PTK, lub jest on uszkodzony. Tworzę nowy z domyślnymi "
                            "ustawieniami"),
             QStringLiteral("Brak pliku PTK.PTK"));
        platform::closeEveryFile();
        try {
            grading::writeDefaultScale(programFolder());
        } catch (const FileError&) {
            // A folder that cannot be written: the grade window reports the scale when it needs it.
        }
    }
}

void LoadT::run_run() {
    const QString path = programFolder() + QLatin1String(config::runCounterFileName);
    // Every failing step writes 2 and the count goes on with the next step, so a missing or damaged
    // counter ends up holding 1.
    auto recover = [&] {
        platform::closeEveryFile();
        try {
            config::writeRunCounter(programFolder(), 2);
        } catch (const FileError&) {
        }
    };
    int number = 0;
    int count = 0;
    try {
        number = files().open(path, OpenMode::Input);
    } catch (const FileError&) {
        recover();
    }
    try {
        if (number == 0 || !files().isOpen(number))
            throw FileError(FileError::Kind::BadHandle, QStringLiteral("run.run is not open"));
        count = records::readInt16(number);
    } catch (const FileError&) {
        recover();
    }
    if (number != 0)
        files().close(number);
    count = count + 1;
    if (count >= 1000)
        count = 1;
    try {
        config::writeRunCounter(programFolder(), count);
    } catch (const FileError&) {
        recover();
    }
}

void LoadT::Czego_tu() {
    PrB->setValue(7);
    const QString folder = programFolder();
    try {
        platform::changeDrive(folder.left(1));
        platform::changeFolder(folder);
        config::writeJokeFiles();
    } catch (const FileError&) {
        // No handling of its own: a folder that cannot be reached or written is passed over silently.
    }
    const QDate today = platform::now().date();
    if (today.month() == 3 && today.day() == 9) {
        platform::msgBox(QStringLiteral("Dzisiaj są urodziny mojego ( PANA ) autora. Koniecznie musisz o "
                                        "nim przeczytać !!!"),
                         platform::Buttons::Ok, platform::Icon::Information,
                         QStringLiteral("Jubileusz mojego pana !!!"));
        ui::forms().byName(QStringLiteral("Autor_")).Show();
    }
}

void Main() {
    windows::registerAll();
    ui::forms().registerForm(LoadT::formName, [] { return new LoadT; });
    LoadT& loader = ui::forms().get<LoadT>();
    loader.centre();
    loader.Show();
}

}  // namespace startup
