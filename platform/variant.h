#pragma once
// The one value type for variables that hold nothing, a number or a text.
// Empty counts as 0 against a number and as "" against a text; a numeric text
// compares numerically with a number; adding 1 to empty gives 1.
#include <QString>

class Variant {
public:
    enum class Kind { Empty, Number, Text };

    Variant() = default;
    Variant(int n) : m_kind(Kind::Number), m_number(n) {}
    Variant(long n) : m_kind(Kind::Number), m_number(static_cast<double>(n)) {}
    Variant(long long n) : m_kind(Kind::Number), m_number(static_cast<double>(n)) {}
    Variant(double n) : m_kind(Kind::Number), m_number(n) {}
    Variant(const QString& text) : m_kind(Kind::Text), m_text(text) {}
    Variant(const char* text) : m_kind(Kind::Text), m_text(QString::fromUtf8(text)) {}

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isText() const { return m_kind == Kind::Text; }

    // A number, or a text that reads as a number (blanks around it allowed).
    bool isNumeric() const;
    double toDouble() const;
    // Rounded half to even, as the original's integer conversion, and clamped.
    int toInt() const;
    // The text of the value: empty gives "", a number its shortest decimal text.
    QString toString() const;

    Variant& operator+=(const Variant& other);
    Variant& operator-=(const Variant& other);
    Variant& operator++() { return *this += 1; }

    // <0, 0, >0 under the comparison rules of the data model.
    static int compare(const Variant& a, const Variant& b);

private:
    Kind m_kind = Kind::Empty;
    double m_number = 0;
    QString m_text;
};

Variant operator+(Variant a, const Variant& b);
Variant operator-(Variant a, const Variant& b);
inline bool operator==(const Variant& a, const Variant& b) { return Variant::compare(a, b) == 0; }
inline bool operator!=(const Variant& a, const Variant& b) { return Variant::compare(a, b) != 0; }
inline bool operator<(const Variant& a, const Variant& b) { return Variant::compare(a, b) < 0; }
inline bool operator<=(const Variant& a, const Variant& b) { return Variant::compare(a, b) <= 0; }
inline bool operator>(const Variant& a, const Variant& b) { return Variant::compare(a, b) > 0; }
inline bool operator>=(const Variant& a, const Variant& b) { return Variant::compare(a, b) >= 0; }
