#include "windows/info/inform.h"

#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "windows/info/info_texts.h"

#include <QFrame>
#include <QPixmap>

namespace windows {

Inform::Inform() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Instrukcja obsługi programu :"));
    setWindowIcon(QPixmap(QStringLiteral(":/img/app.png")));
    setOuterSizeTwips(7440, 4320);
    Label1 = ui::make<QLabel>(this, "Label1", 120, 120, 6960, 375);
    Label1->setText(QStringLiteral("Instrukcja obsługi :"));
    ui::setFontFace(Label1, QStringLiteral("Arial"), 12, true);
    Label2 = ui::make<QLabel>(this, "Label2", 2880, 600, 4320, 1335);
    Label2->setText(QStringLiteral(
        "Aby włączyć test trzeba najpierw wybrać z czego chcemy być pytani. Aby otworzyć jakiś zestaw z "
        "testami trzeba wybrać z menu WIEDO, wtedy rozwinie"));
    Label3 = ui::make<QLabel>(this, "Label3", 120, 2040, 7080, 1200);
    Label3->setText(QStringLiteral(
        "się menu z kilkoma opcjami. Potem trzeba wybrać opcję OTWÓRZ PLIK TESTU. Pojawi się wtedy okienko "
        "dialogowe Otwórz. Wybierz plik z pytaniami testowymi, klikasz w przycisk OTWÓRZ. Wtedy zniknie "
        "okno dialogowe OTWÓRZ i musisz kilknąć w przycisk START. Potem zaznaczaj odpowiednie pola i "
        "klikaj w przycisk NASTĘPNE PYTANIE"));
    for (QLabel* label : {Label1, Label2, Label3}) {
        label->setWordWrap(true);
        ui::setTextColour(label, Qt::white);
    }
    Image1 = ui::make<QLabel>(this, "Image1", 0, 600, 2670, 1335);
    Image1->setPixmap(QPixmap(QStringLiteral(":/img/inform.png")));
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QStringLiteral("Ilustracja"));
    // Line1 .. Line4: the red frame around the illustration.
    auto* frame = ui::make<QFrame>(this, "Line1", 0, 600, 2655, 1335);
    frame->setStyleSheet(QStringLiteral("border: 1px solid rgb(255,0,0); background: transparent;"));
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);

    Command1 = ui::make<QPushButton>(this, "Command1", 120, 3360, 3480, 495);
    Command1->setText(QStringLiteral("GRAM !!!"));
    Command1->setToolTip(hoverPlay());
    Command3 = ui::make<QPushButton>(this, "Command3", 3720, 3360, 3480, 495);
    Command3->setText(QStringLiteral("&Nic z tego nie rozumiem"));
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
}

void Inform::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

void Inform::closeBoxClicked() { Command1_Click(); }

void Inform::Command1_Click() {
    Hide();
    ui::forms().byName(QStringLiteral("Wiedo")).Show();
}

void Inform::Command3_Click() {
    ui::forms().byName(QStringLiteral("Dod")).ShowModal();
    setWindowTitle(QStringLiteral("Instrukcja obsługi programu :"));
}

}  // namespace windows
