#pragma once
// Today, now and the seconds since midnight, from one clock that tests set.
#include <QDate>
#include <QDateTime>

namespace Clock {
QDateTime now();
QDate today();
// Seconds since midnight, as the original's timer.
double secondsSinceMidnight();

// Tests: fix the clock at a moment, move it on, or go back to the system clock.
void set(const QDateTime& moment);
void advance(double seconds);
void useSystem();
}
