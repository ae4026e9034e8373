#pragma once
// The background many windows paint once when they load: 256 bands top to bottom, each outlined with a
// pen five pixels wide, in the window's persistent image.
#include <QColor>
#include <functional>

namespace ui {

class Form;

// Band i (0 to 255) in RGB(255 - i, green, blue); band height = inner height / 255, rounded.
void paintGradient(Form& form, int green = 11, int blue = 100);
// Band i in RGB(0, 0, 255 - i): blue at the top, black at the bottom (the grade window).
void paintBlueGradient(Form& form);
// The bands with any colour rule.
void paintBands(Form& form, const std::function<QColor(int band)>& colour);

}  // namespace ui
