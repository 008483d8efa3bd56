#include "platform/variant.h"

#include "platform/numbers.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {
std::optional<double> numericValueOf(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    double d = t.toDouble(&ok);
    if (!ok) {
        // German decimal comma, as a number turned into text on a German PC.
        QString c = t;
        c.replace(QLatin1Char(','), QLatin1Char('.'));
        d = c.toDouble(&ok);
    }
    // "Inf" (a subject) and "NaN" are texts, not numbers.
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

int cmp(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }
}

bool Variant::isNumeric() const
{
    if (m_kind == Kind::Number)
        return true;
    return m_kind == Kind::Text && numericValueOf(m_text).has_value();
}

double Variant::toDouble() const
{
    switch (m_kind) {
    case Kind::Empty:
        return 0;
    case Kind::Number:
        return m_number;
    case Kind::Text:
        if (auto d = numericValueOf(m_text))
            return *d;
        return numbers::val(m_text);
    }
    return 0;
}

int Variant::toInt() const
{
    // Most values are whole numbers already; they need no rounding.
    if (m_kind == Kind::Number && m_number >= std::numeric_limits<int>::min() &&
        m_number <= std::numeric_limits<int>::max()) {
        const int whole = static_cast<int>(m_number);
        if (whole == m_number)
            return whole;
    }
    const double d = std::nearbyint(toDouble());
    if (!(d >= std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (d > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(d);
}

QString Variant::toString() const
{
    switch (m_kind) {
    case Kind::Empty:
        return {};
    case Kind::Number:
        return numbers::text(m_number);
    case Kind::Text:
        return m_text;
    }
    return {};
}

Variant& Variant::operator+=(const Variant& other)
{
    *this = Variant(toDouble() + other.toDouble());
    return *this;
}

Variant& Variant::operator-=(const Variant& other)
{
    *this = Variant(toDouble() - other.toDouble());
    return *this;
}

Variant operator+(Variant a, const Variant& b) { return a += b; }
Variant operator-(Variant a, const Variant& b) { return a -= b; }

int Variant::compare(const Variant& a, const Variant& b)
{
    using K = Kind;
    if (a.m_kind == K::Text && b.m_kind == K::Text)
        return QString::compare(a.m_text, b.m_text);
    if (a.m_kind == K::Text && b.m_kind == K::Empty)
        return QString::compare(a.m_text, QString());
    if (a.m_kind == K::Empty && b.m_kind == K::Text)
        return QString::compare(QString(), b.m_text);
    if (a.m_kind == K::Text || b.m_kind == K::Text) {
        // A number against a text: numerically when the text is numeric,
        // otherwise every number sorts before every text.
        const Variant& text = a.m_kind == K::Text ? a : b;
        if (auto d = numericValueOf(text.m_text))
            return a.m_kind == K::Text ? cmp(*d, b.toDouble()) : cmp(a.toDouble(), *d);
        return a.m_kind == K::Text ? 1 : -1;
    }
    return cmp(a.toDouble(), b.toDouble());
}
