#include "windows/info/oprg.h"

#include "ui/events.h"
#include "ui/gradient.h"
#include "ui/pictures.h"
#include "windows/info/info_common.h"

#include <QPixmap>

namespace windows {

oPrg::oPrg() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("O programie Kwiz v 1.1"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/app.png")));
    setOuterSizeTwips(6000, 3360);
    Image1 = ui::make<QLabel>(this, "Image1", 120, 120, 960, 960);
    Image1->setPixmap(ui::picture(QStringLiteral(":/img/app.png")));
    Image1->setAccessibleName(QStringLiteral("WIEDO"));
    Label2 = infoLabel(this, "Label2", 1320, 240, 4440, 735, QStringLiteral("Kwiz v 1.1"), QColor(0, 0, 255));
    ui::setFontFace(Label2, QStringLiteral("Arial"), 24, true);
    Label1 = infoLabel(this, "Label1", 120, 1200, 5640, 285, QString());
    Label3 = infoLabel(this, "Label3", 120, 1560, 5640, 735,
                       QStringLiteral("KONTAKT Z AUTOREM : http://wiedo.przyklad.invalid , "
                                      "autor@wiedo.przyklad.invalid"));
    Command1 = ui::make<QPushButton>(this, "Command1", 1920, 2400, 2040, 435);
    Command1->setText(QStringLiteral("&Powrót"));
    setDefaultButton(Command1);
    setCancelButton(Command1);
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
}

void oPrg::Form_Load() {
    centre();
    ui::paintGradient(*this, 33, 37);
}

void oPrg::Command1_Click() { Hide(); }

}  // namespace windows
