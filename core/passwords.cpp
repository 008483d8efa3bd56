#include "core/passwords.h"

#include "core/model.h"
#include "platform/codepage.h"

namespace {
// The key. Each shift is added when scrambling, so any printable character
// (32 and above) lands on 34 or higher and never on a byte that ends a line or
// a file (NUL, LF, CR, Ctrl-Z). Files written with other shifts cannot be read.
constexpr int kShift1 = 3;
constexpr int kShift2 = 7;
constexpr int kShift3 = 2;
constexpr int kShift4 = 5;
constexpr int kShift5 = 4;
constexpr int kShifts[5] = {kShift1, kShift2, kShift3, kShift4, kShift5};

bool shiftText(int direction)
{
    const QString in = gText.toString();
    if (in.isEmpty())
        return true;
    QString out;
    out.reserve(in.size());
    for (int i = 0; i < in.size(); ++i) {
        const int code = codepage::byteOf(in[i]);
        if (code < 0)
            return false;
        const int shifted = code + direction * kShifts[i % 5];
        if (shifted < 0 || shifted > 255)
            return false;
        out += codepage::charOf(static_cast<unsigned char>(shifted));
    }
    gText = out;
    return true;
}
}

bool ScramblePassword() { return shiftText(+1); }

bool UnscramblePassword() { return shiftText(-1); }
