#include "windows/temp/temp_window.h"

#include "ui/controls.h"

namespace windows {

TEMP::TEMP() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Informacje przejściowe"));
    setOuterSizeTwips(4800, 1500);
    Label1 = ui::make<QLabel>(this, "Label1", 120, 120, 2400, 285);
    Label1->setText(QStringLiteral("Ścieżka programu ( wiedo )"));
    Text1 = ui::make<QLineEdit>(this, "Text1", 2520, 120, 2000, 285);
    Text1->setAccessibleName(Label1->text());
    Label2 = ui::make<QLabel>(this, "Label2", 120, 600, 2400, 285);
    Label2->setText(QStringLiteral("InitDir"));
    Text2 = ui::make<QLineEdit>(this, "Text2", 2520, 600, 2000, 285);
    Text2->setAccessibleName(Label2->text());
}

}  // namespace windows
