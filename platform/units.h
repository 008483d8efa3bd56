#pragma once
// Colours given as BBGGRR numbers or "&H…" texts, and twips.
#include <QColor>
#include <QString>
#include <cstdint>

namespace units {
// A colour number with blue in the high byte, red in the low byte.
QColor colourFromBgr(std::uint32_t bgr);
std::uint32_t bgrFromColour(const QColor& colour);
// "&H0080FF" (and plain hexadecimal digits) to its colour number; 0 when no number.
std::uint32_t bgrFromText(const QString& text);

constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(double twips) { return static_cast<int>(twips / kTwipsPerPixel); }
constexpr double pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
}
