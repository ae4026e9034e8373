#include "windows/welcome/witaj.h"

#include "platform/filetable.h"
#include "ui/controls.h"
#include "ui/events.h"

namespace windows {

Witaj::Witaj() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("                 Witaj w programie WIEDO v 1.1 !!!"));
    setOuterSizeTwips(7200, 5400);
    Label1 = ui::make<QLabel>(this, "Label1", 120, 120, 6840, 615);
    Label1->setText(QStringLiteral("Witaj w programie WIEDO v 1.1 ! Ponieważ ten program uruchomiłeś po raz "
                                   "pierwszy, to musisz odpowiedzieć na kilka pytań. "));
    Label1->setWordWrap(true);
    Command1 = ui::make<QPushButton>(this, "Command1", 120, 4440, 3360, 495);
    Command1->setText(QStringLiteral("&Zapisz ustawienia"));
    Kon = ui::make<QPushButton>(this, "Kon", 3600, 4440, 3360, 495);
    Kon->setText(QStringLiteral("&Koniec"));
    ui::on(Kon, &QPushButton::clicked, [this] { Kon_Click(); });
}

void Witaj::Kon_Click() {
    // Ignoring every error: close the files, unload every window and end the program.
    try {
        platform::files().closeAll();
    } catch (...) {
    }
    for (ui::Form* form : ui::forms().loadedForms())
        ui::forms().unload(*form);
    ui::forms().endProgram();
}

}  // namespace windows
