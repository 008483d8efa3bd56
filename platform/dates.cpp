#include "platform/dates.h"

#include <QRegularExpression>

namespace dates {

std::optional<QDate> parse(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,2})([./-])(\\d{1,2})\\2(\\d{2}|\\d{4})\\s*$"));
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int day = m.captured(1).toInt();
    const int month = m.captured(3).toInt();
    int year = m.captured(4).toInt();
    if (m.captured(4).size() == 2)
        year += year < 30 ? 2000 : 1900;
    const QDate d(year, month, day);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

bool isValid(const QString& text) { return parse(text).has_value(); }

QString shortText(const QDate& date) { return date.toString(QStringLiteral("dd.MM.yyyy")); }

QString key(const QDate& date) { return date.toString(QStringLiteral("yyyyMMdd")); }

std::optional<QDate> fromKey(const QString& key)
{
    const QDate d = QDate::fromString(key, QStringLiteral("yyyyMMdd"));
    if (!d.isValid())
        return std::nullopt;
    return d;
}

int weekday(const QDate& date) { return date.dayOfWeek(); }

QString timeStamp(const QDateTime& when) { return when.toString(QStringLiteral("yyyyMMddhhmm")); }
}
