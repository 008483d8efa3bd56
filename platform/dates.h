#pragma once
// German dates, whatever the machine's locale.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace dates {
// A date the German way: d.M.yy or d.M.yyyy, with ".", "-" or "/" between the
// parts; two-digit years 00..29 are 2000..2029, 30..99 are 1930..1999.
std::optional<QDate> parse(const QString& text);
bool isValid(const QString& text);

// The short date text "dd.MM.yyyy".
QString shortText(const QDate& date);
// The date key "yyyyMMdd" that names day files.
QString key(const QDate& date);
std::optional<QDate> fromKey(const QString& key);
// Monday = 1 .. Sunday = 7.
int weekday(const QDate& date);
// The time stamp of a register entry, "yyyyMMddhhmm".
QString timeStamp(const QDateTime& when);
}
