#pragma once
// Screen size and the twip (1/1440 inch) the program's positions and sizes are given in.
#include <QSize>

namespace platform {

constexpr int twipsPerPixel = 15;  // 96 dots per inch, the unit every size of the program was laid out in

QSize screenSizeTwips();
inline int toPixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }
inline int toTwips(int pixels) { return pixels * twipsPerPixel; }

// Test hook: a fixed screen size in twips; an empty size goes back to the real screen.
void setScreenSizeTwips(const QSize& size);

}  // namespace platform
