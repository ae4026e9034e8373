#include "ui/decoded_picture.h"

#include <QtEndian>
#include <cstring>

namespace ui {
namespace {

constexpr char magic[4] = {'W', 'P', 'I', 'C'};
constexpr qint64 headerSize = 16;  // magic, width, height, bytes per line

}  // namespace

QByteArray encodeDecodedPicture(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray bytes(magic, sizeof magic);
    for (const quint32 value : {quint32(pixels.width()), quint32(pixels.height()), quint32(pixels.bytesPerLine())}) {
        const quint32 little = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
    }
    bytes.append(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes());
    return bytes;
}

QImage decodedPictureView(const uchar* bytes, qint64 size) {
    if (!bytes || size < headerSize || std::memcmp(bytes, magic, sizeof magic) != 0)
        return {};
    const quint32 width = qFromLittleEndian<quint32>(bytes + 4);
    const quint32 height = qFromLittleEndian<quint32>(bytes + 8);
    const quint32 perLine = qFromLittleEndian<quint32>(bytes + 12);
    if (width == 0 || height == 0 || width > 16384 || height > 16384 || perLine < width * 4 ||
        perLine % 4 != 0 || qint64(perLine) * height != size - headerSize)
        return {};
    return QImage(bytes + headerSize, int(width), int(height), int(perLine), QImage::Format_ARGB32_Premultiplied);
}

}  // namespace ui
