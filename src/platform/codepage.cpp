#include "platform/codepage.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace platform {
namespace {

// Windows-1250 is a single-byte code page: one table each way, made once from Qt's codec.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    Tables() {
        QStringDecoder decoder("windows-1250");
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const QString one = decoder.isValid() ? decoder.decode(QByteArrayView(&byte, 1))
                                                  : QString(QChar(b));
            toUnicode[b] = one.isEmpty() ? u'?' : one.at(0).unicode();
            if (!one.isEmpty() && one.at(0) != QChar::ReplacementCharacter)
                fromUnicode.insert(toUnicode[b], byte);
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

QString decode1250(const char* data, qsizetype size) {
    const auto& t = tables();
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = QChar(t.toUnicode[static_cast<unsigned char>(data[i])]);
    return out;
}

QString decode1250(const QByteArray& bytes) { return decode1250(bytes.constData(), bytes.size()); }

QByteArray encode1250(const QString& text) {
    const auto& t = tables();
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
        const auto found = t.fromUnicode.constFind(c);
        out.append(found == t.fromUnicode.cend() ? '?' : found.value());
    }
    return out;
}

}  // namespace platform
