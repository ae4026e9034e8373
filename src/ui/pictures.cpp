#include "ui/pictures.h"

#include "ui/decoded_picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QResource>

namespace ui {

QPixmap picture(const QString& path) {
    // The pictures of the start-up are compiled in decoded as well.
    const QResource decoded(QStringLiteral(":/decoded/") + QFileInfo(path).completeBaseName() +
                            QStringLiteral(".argb"));
    if (decoded.isValid() && decoded.compressionAlgorithm() == QResource::NoCompression) {
        const QImage view = decodedPictureView(decoded.data(), decoded.size());
        if (!view.isNull())
            return QPixmap::fromImage(view);
    }
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace ui
