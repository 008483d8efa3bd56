#include "platform/units.h"

namespace units {
QColor colourFromBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t bgrFromColour(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8)
        | (static_cast<std::uint32_t>(colour.blue()) << 16);
}

std::uint32_t bgrFromText(const QString& text)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        t = t.mid(2);
    bool ok = false;
    const uint v = t.toUInt(&ok, 16);
    return ok ? (v & 0xFFFFFF) : 0;
}
}
