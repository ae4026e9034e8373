#include "platform/text.h"

#include <QLocale>

namespace platform {

double captionValue(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    QString number;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        number += text.at(i++);
    bool digits = false;
    while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9') {
        number += text.at(i++);
        digits = true;
    }
    if (i < n && text.at(i) == u'.') {
        QString fraction;
        ++i;
        while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9')
            fraction += text.at(i++);
        if (!fraction.isEmpty()) {
            number += u'.' + fraction;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

QString numberText(long long value) { return QString::number(value); }

QString numberTextWithSign(long long value) {
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

QString countedNoun(long long n, const QString& one, const QString& few, const QString& many) {
    const long long last = n % 10;
    const long long lastTwo = n % 100;
    const QString& noun = n == 1 ? one : last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14) ? few : many;
    return QString::number(n) + u' ' + noun;
}

QString upperCase(const QString& text) { return text.toUpper(); }
QString lowerCase(const QString& text) { return text.toLower(); }

}  // namespace platform
