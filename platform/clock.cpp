#include "platform/clock.h"

#include <optional>

namespace Clock {
namespace {
std::optional<QDateTime> gFixed;
}

QDateTime now() { return gFixed ? *gFixed : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }

double secondsSinceMidnight()
{
    const QTime t = now().time();
    return t.msecsSinceStartOfDay() / 1000.0;
}

void set(const QDateTime& moment) { gFixed = moment; }
void advance(double seconds) { gFixed = now().addMSecs(static_cast<qint64>(seconds * 1000)); }
void useSystem() { gFixed.reset(); }
}
