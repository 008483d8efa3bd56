#include "platform/currency.h"

#include <cmath>
#include <cstdlib>

Currency Currency::fromDouble(double value)
{
    return fromUnits(static_cast<std::int64_t>(std::nearbyint(value * 10000.0)));
}

std::optional<Currency> Currency::parse(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 9.2e14)
        return std::nullopt;
    return fromDouble(d);
}

QString Currency::toString() const
{
    const std::int64_t whole = std::llabs(m_units) / 10000;
    std::int64_t frac = std::llabs(m_units) % 10000;
    QString s = (m_units < 0 ? QStringLiteral("-") : QString()) + QString::number(whole);
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char(',') + f;
    }
    return s;
}
