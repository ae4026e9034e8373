#include "ui/gradient.h"

#include "platform/screen.h"
#include "ui/form.h"

#include <QPainter>
#include <cmath>

namespace ui {

void paintBands(Form& form, const std::function<QColor(int)>& colour) {
    QImage& image = form.persistentImage();
    QPainter painter(&image);
    const int bandTwips = static_cast<int>(std::lround(form.innerHeightTwips() / 255.0));
    const double width = image.width();
    for (int i = 0; i <= 255; ++i) {
        const double top = static_cast<double>(i) * bandTwips / platform::twipsPerPixel;
        const double bottom = static_cast<double>(i + 1) * bandTwips / platform::twipsPerPixel;
        const QColor c = colour(i);
        // A pen five pixels wide outlines every band, so neighbouring bands overlap a little.
        painter.setPen(QPen(c, 5));
        painter.setBrush(c);
        painter.drawRect(QRectF(0, top, width, bottom - top));
    }
    form.update();
}

void paintGradient(Form& form, int green, int blue) {
    paintBands(form, [=](int i) { return QColor(255 - i, green, blue); });
}

void paintBlueGradient(Form& form) {
    paintBands(form, [](int i) { return QColor(0, 0, 255 - i); });
}

}  // namespace ui
