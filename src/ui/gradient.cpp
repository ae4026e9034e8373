#include "ui/gradient.h"

#include "platform/screen.h"
#include "ui/form.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {

void paintBands(Form& form, const std::function<QColor(int)>& colour) {
    const int bandTwips = static_cast<int>(std::lround(form.innerHeightTwips() / 255.0));
    const double bandPixels = static_cast<double>(bandTwips) / platform::twipsPerPixel;
    // Each band is outlined with a pen five pixels wide, so it reaches half a pen beyond its own edges,
    // and every band covers the one before it: a row shows the last band whose outlined extent holds the
    // row's middle (a middle on a band's top edge belongs to the band above, as the painter draws it).
    // Rows are filled whole: the same picture, pixel for pixel, without stroking 256 outlines.
    constexpr double halfPen = 2.5;
    std::vector<QRgb> rows;
    for (int y = 0; y < form.height(); ++y) {
        const double middle = y + 0.5;
        const int band = bandPixels > 0
                             ? std::min(255, static_cast<int>(std::ceil((middle + halfPen) / bandPixels)) - 1)
                             : 255;
        if (middle > (band + 1) * bandPixels + halfPen)
            break;  // below the last band: the window's own colour stays
        rows.push_back(colour(band).rgb());
    }
    form.fillRows(rows);
}

void paintGradient(Form& form, int green, int blue) {
    paintBands(form, [=](int i) { return QColor(255 - i, green, blue); });
}

void paintBlueGradient(Form& form) {
    paintBands(form, [](int i) { return QColor(0, 0, 255 - i); });
}

}  // namespace ui
