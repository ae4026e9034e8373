// Build step: decodes the pictures that the start-up shows into the program's own uncompressed form
// (ui/pictures.h), so that the program does not inflate PNG files at every start.
//
//   wiedo_decode_pictures OUTPUT_FOLDER PICTURE.png...
#include "ui/decoded_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER PICTURE.png...\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QImageReader reader(path, "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        QFile out(folder + u'/' + QFileInfo(path).completeBaseName() + QStringLiteral(".argb"));
        const QByteArray bytes = ui::encodeDecodedPicture(image);
        if (image.isNull() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot decode %s into %s\n", argv[i], qPrintable(out.fileName()));
            return 1;
        }
    }
    return 0;
}
