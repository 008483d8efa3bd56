#pragma once
// The school calendar as the register counts it.
#include <QDate>
#include <optional>

// The first school day, when gSchoolYearStart holds a date; anything else
// counts as no school year.
std::optional<QDate> SchoolYearFirstDay();

// The Monday of the school week that a day belongs to; a Sunday leads into the
// week that follows it.
QDate SchoolWeekMonday(const QDate& day);

// School week of `date`: 1 in the week of the first school day, weeks
// beginning on Sunday; 0 and below before the first school day.
int SchoolWeekNumber(const QDate& firstDay, const QDate& date);
