#pragma once
// A picture kept decoded: a small header, then the pixels as premultiplied 32-bit ARGB, row after row,
// ready to be shown without inflating or unfiltering anything.
#include <QByteArray>
#include <QImage>

namespace ui {

QByteArray encodeDecodedPicture(const QImage& image);

// The picture over the bytes, which must outlive it (a resource compiled in does); a null image when
// the bytes are not a whole picture of this form.
QImage decodedPictureView(const uchar* bytes, qint64 size);

}  // namespace ui
