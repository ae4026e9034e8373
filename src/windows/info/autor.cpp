#include "windows/info/autor.h"

#include "platform/dialogs.h"
#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "windows/info/info_common.h"

#include <QFontInfo>
#include <QPixmap>

namespace windows {

Autor_::Autor_() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("O autorze"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/author.png")));
    setOuterSizeTwips(5880, 3720);
    Image1 = ui::make<QLabel>(this, "Image1", 120, 120, 960, 960);
    Image1->setPixmap(ui::picture(QStringLiteral(":/img/author.png")));
    Image1->setAccessibleName(QStringLiteral("Pióro i kartka"));
    Label2 = infoLabel(this, "Label2", 1200, 120, 4440, 735,
                       QStringLiteral("Program WIEDO napisał nauczyciel informatyki, który chciał, żeby "
                                      "sprawdzanie wiedzy było zabawą."),
                       QColor(0, 0, 0));
    Label1 = infoLabel(this, "Label1", 1200, 900, 4440, 285, QStringLiteral("Wiedzowo Wielkie, 1999"));
    Label3 = infoLabel(this, "Label3", 1200, 1260, 4440, 375, QStringLiteral("ttttttt"), QColor(255, 0, 255));
    // The symbol font shows the seven letters as ornaments; where it is missing, ornaments stand in.
    ui::setFontFace(Label3, QStringLiteral("Wingdings"), 14);
    if (QFontInfo(Label3->font()).family() != QStringLiteral("Wingdings"))
        Label3->setText(QStringLiteral("❖❖❖❖❖❖❖"));
    Label3->setAccessibleName(QStringLiteral("ttttttt"));
    Label4 = infoLabel(this, "Label4", 120, 1800, 5520, 600,
                       QStringLiteral("http://wiedo.przyklad.invalid\nautor@wiedo.przyklad.invalid"),
                       QColor(224, 224, 224));
    Command1 = ui::make<QPushButton>(this, "Command1", 1560, 2640, 2640, 495);
    Command1->setText(QStringLiteral("&Powrót"));
    Command1->setToolTip(
        QStringLiteral("Kliknij w ten przycisk, aby powrócić do programu i rozwiązywać wiedo"));
    setDefaultButton(Command1);
    setCancelButton(Command1);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::onKeyDown(Command1, [this](int key, int shift) { Command1_KeyDown(key, shift); });
}

void Autor_::Form_Load() {
    centre();
    ui::paintGradient(*this);
}

void Autor_::Command1_Click() { Hide(); }

// The hidden chord: "Q" with Shift, Ctrl and Alt held together, and nothing less.
void Autor_::Command1_KeyDown(int keyCode, int shift) {
    if (keyCode != 81 || shift != 7)
        return;
    platform::beep();
    platform::msgBox(QStringLiteral("Proszę pana !!! a on ściąga !!!"), platform::Buttons::Ok,
                     platform::Icon::Exclamation, QStringLiteral("Ściąga skonfiskowana !!!"));
}

}  // namespace windows
