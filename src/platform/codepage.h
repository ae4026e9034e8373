#pragma once
// Conversion between the program's texts and the Windows-1250 bytes of its files. Built once from Qt's
// own codec; a character that Windows-1250 cannot hold is written as "?".
#include <QByteArray>
#include <QString>

namespace platform {

QString decode1250(const QByteArray& bytes);
QString decode1250(const char* data, qsizetype size);
QByteArray encode1250(const QString& text);

}  // namespace platform
