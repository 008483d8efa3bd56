#include "platform/drawing_surface.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
// A surface whose drawing puts a text and a line at its right edge.
struct EdgeDrawing {
    DrawingSurface surface;
    int runs = 0;

    EdgeDrawing()
    {
        surface.resize(200, 100);
        surface.setDrawing([this](DrawingSurface& s) {
            ++runs;
            s.setFontSize(14);
            s.setCurrentX(s.widthTwips() - 600);
            s.setCurrentY(30);
            s.print(QStringLiteral("Rand"));
            s.line(0, 15, s.widthTwips(), 15, 0x0000FF);
        });
    }
};
}

TEST(DrawingSurface, KeepsWhatItDrewInTwips)
{
    EdgeDrawing d;
    d.surface.redraw();
    ASSERT_EQ(d.surface.ops().size(), 2);
    const DrawingSurface::Op& text = d.surface.ops()[0];
    EXPECT_EQ(text.kind, DrawingSurface::Op::Kind::Text);
    EXPECT_EQ(text.text, "Rand");
    EXPECT_EQ(text.x, 2400);
    EXPECT_EQ(text.y, 30);
    EXPECT_EQ(text.fontSize, 14);
    const DrawingSurface::Op& line = d.surface.ops()[1];
    EXPECT_EQ(line.kind, DrawingSurface::Op::Kind::Line);
    EXPECT_EQ(line.x2, 3000);
    EXPECT_EQ(line.colour, 0x0000FFu);
    EXPECT_EQ(d.surface.texts(), QStringList({"Rand"}));
    EXPECT_EQ(d.surface.currentX(), 0) << "a print ends its line";
    EXPECT_GT(d.surface.currentY(), 30);
}

TEST(DrawingSurface, EveryPaintDrawsAfreshAtTheCurrentSize)
{
    EdgeDrawing d;
    d.surface.redraw();
    d.surface.resize(400, 100);
    const QImage picture = d.surface.grab().toImage();
    EXPECT_EQ(d.runs, 2);
    ASSERT_EQ(d.surface.ops().size(), 2) << "the old picture's operations are gone";
    EXPECT_EQ(d.surface.ops()[0].x, 5400);
    // The red line runs one pixel down across the whole width.
    EXPECT_EQ(picture.pixelColor(399, 1), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(0, 1), QColor(Qt::red));
}
