#pragma once
// The system clock, settable by tests.
#include <QDateTime>

namespace platform {

QDateTime now();
// Date as mm-dd-yyyy and time as hh:mm:ss on a 24-hour clock, whatever the regional settings.
QString dateText(const QDateTime& when);
QString timeText(const QDateTime& when);

// Test hooks: a fixed moment, or back to the real clock.
void setFixedNow(const QDateTime& when);
void useRealClock();

}  // namespace platform
