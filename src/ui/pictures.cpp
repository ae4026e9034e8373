#include "ui/pictures.h"

#include <QImageReader>

namespace ui {

QPixmap picture(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace ui
