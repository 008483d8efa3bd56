#include "platform/drawing_surface.h"

#include "platform/units.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
constexpr std::uint32_t kBlack = 0x000000;
double toPixels(double twips) { return twips / units::kTwipsPerPixel; }
}

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent), m_fontSize(font().pointSizeF()) {}

void DrawingSurface::setDrawing(Drawing drawing) { m_drawing = std::move(drawing); }

void DrawingSurface::redraw()
{
    record();
    update();
}

void DrawingSurface::record()
{
    m_ops.clear();
    m_x = 0;
    m_y = 0;
    if (m_drawing)
        m_drawing(*this);
}

double DrawingSurface::widthTwips() const { return units::pixelsToTwips(width()); }

double DrawingSurface::heightTwips() const { return units::pixelsToTwips(height()); }

QFont DrawingSurface::fontOf(double points) const
{
    QFont f = font();
    f.setPointSizeF(points);
    return f;
}

void DrawingSurface::print(const QString& text)
{
    m_ops.append({Op::Kind::Text, m_x, m_y, m_x, m_y, text, m_fontSize, kBlack});
    m_x = 0;
    m_y += QFontMetricsF(fontOf(m_fontSize)).height() * units::kTwipsPerPixel;
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, std::uint32_t colour)
{
    m_ops.append({Op::Kind::Line, x1, y1, x2, y2, QString(), m_fontSize, colour});
}

QStringList DrawingSurface::texts() const
{
    QStringList out;
    for (const Op& op : m_ops) {
        if (op.kind == Op::Kind::Text)
            out << op.text;
    }
    return out;
}

void DrawingSurface::paintEvent(QPaintEvent*)
{
    record();
    QPainter painter(this);
    for (const Op& op : m_ops) {
        painter.setPen(units::colourFromBgr(op.colour));
        if (op.kind == Op::Kind::Line) {
            painter.drawLine(QPointF(toPixels(op.x), toPixels(op.y)), QPointF(toPixels(op.x2), toPixels(op.y2)));
            continue;
        }
        const QFont f = fontOf(op.fontSize);
        painter.setFont(f);
        painter.drawText(QPointF(toPixels(op.x), toPixels(op.y) + QFontMetricsF(f).ascent()), op.text);
    }
}
