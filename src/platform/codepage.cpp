#include "platform/codepage.h"

#include <QHash>
#include <array>
#include <memory>

namespace platform {
namespace {

// The upper half of Windows-1250, byte 0x80 on; the lower half is ASCII. The five bytes the code page
// leaves unassigned stand for the C1 controls of the same number, as the usual converters of the code page do.
constexpr std::array<char16_t, 128> upperHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

// From a character back to its byte: the upper half reversed, made on first use.
const QHash<char16_t, char>& fromUnicode() {
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> reversed;
        for (int i = 0; i < 128; ++i)
            reversed.insert(upperHalf[i], static_cast<char>(0x80 + i));
        return reversed;
    }();
    return table;
}

// Every byte's character, for decoding without a branch per byte.
constexpr std::array<char16_t, 256> byteToChar = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = b < 0x80 ? char16_t(b) : upperHalf[b - 0x80];
    return table;
}();

}  // namespace

QString decode1250(const char* data, qsizetype size) {
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = QChar(byteToChar[static_cast<unsigned char>(data[i])]);
    return out;
}

QString decode1250(const QByteArray& bytes) { return decode1250(bytes.constData(), bytes.size()); }

QByteArray encode1250(const QString& text) {
    const auto& reversed = fromUnicode();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            out.append(static_cast<char>(c));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;  // one character outside the code page, written as one "?"
        const auto found = reversed.constFind(c);
        out.append(found == reversed.cend() ? '?' : found.value());
    }
    return out;
}

bool fitsIn1250(QChar c) {
    return c.unicode() < 0x80 || fromUnicode().contains(c.unicode());
}

const std::array<std::int16_t, 65536>& bytesOf1250() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::int16_t, 65536>>();
        t->fill(-1);
        for (int b = 0; b < 256; ++b)
            (*t)[byteToChar[b]] = static_cast<std::int16_t>(b);
        return t;
    }();
    return *table;
}

}  // namespace platform
