#pragma once
// Fixed-point number with four decimal places, as the hours per class and subject.
#include <QString>
#include <cstdint>
#include <optional>

class Currency {
public:
    Currency() = default;
    static Currency fromDouble(double value);
    static Currency fromUnits(std::int64_t tenThousandths) { Currency c; c.m_units = tenThousandths; return c; }
    // Reads "2,5", "2.5", " 3 "; nullopt when the text is no number.
    static std::optional<Currency> parse(const QString& text);

    double toDouble() const { return static_cast<double>(m_units) / 10000.0; }
    std::int64_t units() const { return m_units; }
    // German form as on the original's PCs: "2,5", "3", "-0,25".
    QString toString() const;

    friend bool operator==(Currency a, Currency b) { return a.m_units == b.m_units; }
    friend auto operator<=>(Currency a, Currency b) { return a.m_units <=> b.m_units; }
    Currency& operator+=(Currency o) { m_units += o.m_units; return *this; }
    friend Currency operator+(Currency a, Currency b) { return a += b; }

private:
    std::int64_t m_units = 0;
};
