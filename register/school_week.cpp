#include "register/school_week.h"

#include "core/model.h"
#include "platform/dates.h"

namespace {
// Weeks counted from Sunday: Julian day numbers put Monday at a multiple of 7.
qint64 sundayWeek(const QDate& d) { return (d.toJulianDay() + 1) / 7; }
}

std::optional<QDate> SchoolYearFirstDay()
{
    if (gSchoolYearStart.isEmpty())
        return std::nullopt;
    return dates::parse(gSchoolYearStart.toString());
}

int SchoolWeekNumber(const QDate& firstDay, const QDate& date)
{
    return static_cast<int>(sundayWeek(date) - sundayWeek(firstDay)) + 1;
}

QDate SchoolWeekMonday(const QDate& day)
{
    // Monday to Saturday go back to their Monday, a Sunday on to the next one.
    return day.addDays(1 - dates::weekday(day) % 7);
}
