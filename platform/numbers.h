#pragma once
// The original's number forms, in one place.
#include <QString>
#include <optional>

namespace numbers {

// Numeric value of a text (Val): blanks skipped, optional sign, digits with the
// point as the only decimal separator; reading stops at the first other
// character; a text without leading digits gives 0.
double val(const QString& text);

// A number turned into text on its own (CStr on a German PC): "5", "-5", "2,5".
QString text(double value);

// The same for a single-precision value, with at most 7 significant digits,
// as the runtime shows a Single: "107773,2", not the digits of its double.
QString textSingle(float value);

// Str form: a blank before a non-negative number, the minus sign otherwise;
// the point is the decimal separator, with no zero before it: " 7", "-7",
// " .5", " 2.5"; up to 15 significant digits.
QString strForm(double value);
// The same for a single-precision value, with up to 7 significant digits:
// 3.4f is " 3.4", not " 3.40000009536743".
QString strFormSingle(float value);

// Print form as written to data files: a blank before a non-negative number,
// one blank after it, the German decimal comma in a fraction: " 5 ", "-5 ".
QString printForm(double value);
// The same for a single-precision value, with up to 7 significant digits:
// 1.1f is written " 1,1 ", not " 1,10000002384186 ".
QString printFormSingle(float value);

// Number input from a text: leading blanks skipped, the value ends at a comma,
// a blank or the end. Returns the value read; a field that is no number reads
// as 0. `consumed` receives how many characters were used, including the
// blanks after the value and one comma that ends it.
double numberInput(const QString& text, int* consumed = nullptr);

// Rounds half to even and checks the range of a 16-bit integer.
std::optional<short> toInt16(double value);
std::optional<int> toInt32(double value);
}
