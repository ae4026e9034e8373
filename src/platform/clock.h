#pragma once
// The system clock, settable by tests.
#include <QDateTime>

namespace platform {

QDateTime now();
// Date as mm-dd-yyyy and time as hh:mm:ss on a 24-hour clock, whatever the regional settings.
QString dateText(const QDateTime& when);
QString timeText(const QDateTime& when);

// Milliseconds of the system's monotonic clock: time limits run by it, so setting the computer's clock
// changes nothing.
qint64 monotonicMs();

// Test hooks: a fixed moment, or back to the real clock; the monotonic clock moved on.
void setFixedNow(const QDateTime& when);
void useRealClock();
void advanceMonotonic(qint64 ms);

}  // namespace platform
