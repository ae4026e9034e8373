#include "platform/clock.h"

#include <QElapsedTimer>

#include <optional>

namespace platform {
namespace {
std::optional<QDateTime> fixedNow;
qint64 monotonicAdvance = 0;
}

qint64 monotonicMs() {
    static QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return started.elapsed() + monotonicAdvance;
}

void advanceMonotonic(qint64 ms) { monotonicAdvance += ms; }

QDateTime now() { return fixedNow ? *fixedNow : QDateTime::currentDateTime(); }

QString dateText(const QDateTime& when) {
    const QDate d = when.date();
    return QString::asprintf("%02d-%02d-%04d", d.month(), d.day(), d.year());
}

QString timeText(const QDateTime& when) {
    const QTime t = when.time();
    return QString::asprintf("%02d:%02d:%02d", t.hour(), t.minute(), t.second());
}

void setFixedNow(const QDateTime& when) { fixedNow = when; }
void useRealClock() { fixedNow.reset(); }

}  // namespace platform
