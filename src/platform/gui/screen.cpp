#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {
QSize fixedSize;
}

QSize screenSizeTwips() {
    if (!fixedSize.isEmpty())
        return fixedSize;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->size() : QSize(800, 600);
    return {toTwips(pixels.width()), toTwips(pixels.height())};
}

void setScreenSizeTwips(const QSize& size) { fixedSize = size; }

}  // namespace platform
