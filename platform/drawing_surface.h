#pragma once
// A window's drawing surface: texts printed at a position with a font size,
// and straight lines in a colour, in twips from its top-left corner, as the
// original's windows drew on themselves.
//
// Unlike those, it does not keep a picture: its owner's drawing procedure
// runs again, at the surface's size then, every time it is painted, so a
// covered or resized window never shows an old picture under the new one.
// It keeps what the last run drew, so tests read the texts and their
// positions as they read the printer's recorder.
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>

class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    struct Op {
        enum class Kind { Text, Line };
        Kind kind;
        // Twips; a text stands with its top-left corner at x, y.
        double x, y, x2, y2;
        QString text;
        double fontSize;
        std::uint32_t colour; // BBGGRR
    };
    using Drawing = std::function<void(DrawingSurface&)>;

    explicit DrawingSurface(QWidget* parent = nullptr);

    // The procedure that draws the surface's picture.
    void setDrawing(Drawing drawing);
    // Runs the drawing now and shows its picture.
    void redraw();

    // The surface's size in twips.
    double widthTwips() const;
    double heightTwips() const;

    void setFontSize(double points) { m_fontSize = points; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }
    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    // Prints at the current position, which then moves to the start of the
    // next line.
    void print(const QString& text);
    void line(double x1, double y1, double x2, double y2, std::uint32_t colour);

    // What the last run of the drawing drew, in order.
    const QList<Op>& ops() const { return m_ops; }
    QStringList texts() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void record();
    QFont fontOf(double points) const;

    Drawing m_drawing;
    QList<Op> m_ops;
    double m_fontSize;
    double m_x = 0;
    double m_y = 0;
};
