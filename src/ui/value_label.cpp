#include "ui/value_label.h"

namespace ui {

void showValue(QLabel* label, const QString& caption, const QString& value) {
    label->setText(value);
    label->setAccessibleName(caption + u' ' + value);
}

}  // namespace ui
