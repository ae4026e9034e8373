#pragma once
// A label that shows a value beside a caption of its own ("Pytanie nr" 2): its accessible name carries both,
// so that assistive technology reads "Pytanie nr 2" and not the caption alone.
#include <QLabel>
#include <QString>

namespace ui {

void showValue(QLabel* label, const QString& caption, const QString& value);

}  // namespace ui
