#include "windows/info/autor.h"

#include "platform/dialogs.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/gradient.h"

#include <QFontInfo>
#include <QPixmap>

namespace windows {

Autor_::Autor_() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("O autorze"));
    setWindowIcon(QPixmap(QStringLiteral(":/img/author.png")));
    setOuterSizeTwips(5880, 3720);
    Image1 = ui::make<QLabel>(this, "Image1", 120, 120, 960, 960);
    Image1->setPixmap(QPixmap(QStringLiteral(":/img/author.png")));
    Image1->setAccessibleName(QStringLiteral("Pióro i kartka"));
    Label2 = ui::make<QLabel>(this, "Label2", 1200, 120, 4440, 735);
    Label2->setText(QStringLiteral(
        "Program WIEDO napisał nauczyciel informatyki, który chciał, żeby sprawdzanie wiedzy było zabawą."));
    Label2->setWordWrap(true);
    Label1 = ui::make<QLabel>(this, "Label1", 1200, 900, 4440, 285);
    Label1->setText(QStringLiteral("Wiedzowo Wielkie, 1999"));
    ui::setTextColour(Label1, Qt::white);
    Label3 = ui::make<QLabel>(this, "Label3", 1200, 1260, 4440, 375);
    Label3->setText(QStringLiteral("ttttttt"));
    // The symbol font shows the seven letters as ornaments; where it is missing, ornaments stand in.
    ui::setFontFace(Label3, QStringLiteral("Wingdings"), 14);
    if (QFontInfo(Label3->font()).family() != QStringLiteral("Wingdings"))
        Label3->setText(QStringLiteral("❖❖❖❖❖❖❖"));
    Label3->setAccessibleName(QStringLiteral("ttttttt"));
    ui::setTextColour(Label3, QColor(255, 0, 255));
    Label4 = ui::make<QLabel>(this, "Label4", 120, 1800, 5520, 600);
    Label4->setText(QStringLiteral("http://wiedo.przyklad.invalid\nautor@wiedo.przyklad.invalid"));
    ui::setTextColour(Label4, QColor(224, 224, 224));
    Command1 = ui::make<QPushButton>(this, "Command1", 1560, 2640, 2640, 495);
    Command1->setText(QStringLiteral("&Powrót"));
    Command1->setToolTip(
        QStringLiteral("Kliknij w ten przycisk, aby powrócić do programu i rozwiązywać wiedo"));
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::onKeyDown(Command1, [this](int key, int shift) { Command1_KeyDown(key, shift); });
}

void Autor_::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

void Autor_::Command1_Click() { Hide(); }

void Autor_::Command1_KeyDown(int keyCode, int shift) {
    if (keyCode != 81 || shift != 7)
        return;
    platform::beep();
    platform::msgBox(QStringLiteral("Proszę pana !!! a on ściąga !!!"), platform::Buttons::Ok,
                     platform::Icon::Exclamation, QStringLiteral("Ściąga skonfiskowana !!!"));
}

}  // namespace windows
