#pragma once
// Conversion between the program's texts and the Windows-1250 bytes of its files, by the program's own
// table (it does not depend on the codecs the system happens to have); a character that Windows-1250
// cannot hold is written as "?".
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace platform {

QString decode1250(const QByteArray& bytes);
QString decode1250(const char* data, qsizetype size);
QByteArray encode1250(const QString& text);
// True when Windows-1250 holds the character (a lone half of a surrogate pair it never does).
bool fitsIn1250(QChar c);
// The byte of every character Windows-1250 holds (-1 for the others, surrogates included): checking and
// writing a large text then costs a lookup per character.
const std::array<std::int16_t, 65536>& bytesOf1250();

}  // namespace platform
