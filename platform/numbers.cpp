#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace numbers {

double val(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    int start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    return text.mid(start, i - start).toDouble();
}

QString text(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    QString t = QString::number(value, 'g', 15);
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

QString textSingle(float value) { return text(QString::number(value, 'g', 7).toDouble()); }

namespace {
constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

// Str writes a fraction without the zero before its point (" .5", "-.5") and
// an exponent in capitals (" 1E+15"), with as many significant digits as the
// number's type holds.
QString strDigits(double value, int significant)
{
    QString t = QString::number(value, 'g', significant).toUpper();
    if (t.startsWith(QLatin1String("0.")))
        t.remove(0, 1);
    else if (t.startsWith(QLatin1String("-0.")))
        t.remove(1, 1);
    return value >= 0 ? QLatin1Char(' ') + t : t;
}
}

QString strForm(double value) { return strDigits(value, kDoubleDigits); }

QString strFormSingle(float value) { return strDigits(value, kSingleDigits); }

namespace {
QString printed(double value, const QString& digits)
{
    return (value >= 0 ? QLatin1String(" ") : QLatin1String("")) + digits + QLatin1Char(' ');
}
}

QString printForm(double value) { return printed(value, text(value)); }

QString printFormSingle(float value) { return printed(value, textSingle(value)); }

double numberInput(const QString& text, int* consumed)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const int start = i;
    while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char(' '))
        ++i;
    const QString field = text.mid(start, i - start);
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i < n && text[i] == QLatin1Char(','))
        ++i;
    if (consumed)
        *consumed = i;
    // "nan" and "inf" are texts here, as they are to the original's number input.
    bool ok = false;
    const double d = field.toDouble(&ok);
    return ok && std::isfinite(d) ? d : val(field);
}

std::optional<short> toInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<short>::min() && r <= std::numeric_limits<short>::max()))
        return std::nullopt;
    return static_cast<short>(r);
}

std::optional<int> toInt32(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(r);
}
}
