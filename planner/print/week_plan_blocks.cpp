#include "planner/print/week_plan_blocks.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <functional>

namespace {
struct TextAt {
    double x, y, points; // y: for a period's text, added to the row's top
};
constexpr TextAt kNone{0, 0, 0};

// The grid of a block and what stands beside it, alike in the blocks of the
// same size; a cell is at (cellWidth * d, cellHeight * p + gridTop), p
// counting periods, d days.
struct BlockGrid {
    TextAt note;
    TextAt dayHead; // x: unused, the heading stands at the day's column
    double cellWidth, cellHeight;
    double gridTop;
    double textDx, textDy;
};
constexpr BlockGrid kThirdPage{.note = {1500, 1470, 7},
                               .dayHead = {0, 1900, 11},
                               .cellWidth = 1500,
                               .cellHeight = 300,
                               .gridTop = 1900,
                               .textDx = 40,
                               .textDy = 30};
constexpr BlockGrid kTwelfthPage{.note = {765, 825, 5},
                                 .dayHead = {0, 950, 6},
                                 .cellWidth = 750,
                                 .cellHeight = 150,
                                 .gridTop = 950,
                                 .textDx = 20,
                                 .textDy = 15};

// Everything the three printouts place differently.
struct BlockLayout {
    TextAt title;
    bool italicTitle;
    BlockGrid grid;
    TextAt caption;
    TextAt time;
    double cellPoints;
    bool honoursBlackWhite;
};

constexpr BlockLayout kTeacher3{.title = {1500, 900, 22},
                                .italicTitle = true,
                                .grid = kThirdPage,
                                .caption = {50, 60, 8},
                                .time = {700, 100, 6},
                                .cellPoints = 11,
                                .honoursBlackWhite = false};
constexpr BlockLayout kClass3{.title = {1500, 900, 30},
                              .italicTitle = false,
                              .grid = kThirdPage,
                              .caption = kNone,
                              .time = {400, 100, 6},
                              .cellPoints = 10,
                              .honoursBlackWhite = false};
constexpr BlockLayout kTeacher12{.title = {765, 600, 11},
                                 .italicTitle = true,
                                 .grid = kTwelfthPage,
                                 .caption = {400, 50, 5},
                                 .time = kNone,
                                 .cellPoints = 6,
                                 .honoursBlackWhite = true};

constexpr double kFormTeacherPoints = 12;
// A class cell longer than this many characters is set smaller, so that
// the size times the length stays kFittedChars times the full size.
constexpr int kFittedChars = 7;
constexpr int kLastClassItem = 23;

// Where the blocks go: down a column, then the next column, then a new page.
class Placement {
public:
    Placement(int perColumn, int columns, double xPitch, double yPitch)
        : m_perColumn(perColumn), m_columns(columns), m_xPitch(xPitch), m_yPitch(yPitch)
    {
    }

    // Each full page goes to the printer as a job of its own.
    void next()
    {
        if (++m_row < m_perColumn)
            return;
        m_row = 0;
        if (++m_column < m_columns)
            return;
        m_column = 0;
        printer().endDoc();
        printer().setOrientation(QPageLayout::Portrait);
    }
    double x0() const { return m_xPitch * m_column; }
    double y0() const { return m_yPitch * m_row; }

private:
    int m_perColumn, m_columns;
    double m_xPitch, m_yPitch;
    int m_row = -1;
    int m_column = 0;
};

Placement threePerPage() { return {3, 1, 0, 5000}; }
Placement twelvePerPage() { return {6, 2, 5000, 2500}; }

void startJob()
{
    printer().setScaleMode(Printer::Scale::Twips);
    printer().setOrientation(QPageLayout::Portrait);
}

class Block {
public:
    Block(const BlockLayout& layout, const Placement& at)
        : m_layout(layout), m_grid(layout.grid), m_x0(at.x0()), m_y0(at.y0())
    {
    }

    void print(const std::function<void()>& title, const std::function<void(int d, int p)>& cell) const
    {
        title();
        setPrintFont(m_grid.note.points, false);
        printer().setFontItalic(false);
        printAt(m_x0 + m_grid.note.x, m_y0 + m_grid.note.y, gShortNote);
        setPrintFont(m_grid.dayHead.points, false);
        for (int d = 1; d <= timetable::days(); ++d)
            printAt(m_x0 + m_grid.cellWidth * d, m_y0 + m_grid.dayHead.y, gDayNames(d).toString());
        periodTexts(m_layout.caption, [](int p) { return gPeriodLabels(p).toString(); });
        periodTexts(m_layout.time, [](int p) { return gPeriodTimes(p); });
        setPrintFont(m_layout.cellPoints, false);
        for (int d = 1; d <= timetable::days(); ++d) {
            for (int p = 1; p <= timetable::periods(); ++p) {
                gDay = d;
                gPeriod = p;
                frame(d, p);
                printer().setCurrentX(m_x0 + m_grid.cellWidth * d + m_grid.textDx);
                printer().setCurrentY(m_y0 + rowTop(p) + m_grid.textDy);
                cell(d, p);
            }
        }
    }

    void titleAt(const QString& text, Printer::End end = Printer::End::Line) const
    {
        setPrintFont(m_layout.title.points, true);
        printer().setFontItalic(m_layout.italicTitle);
        printer().setCurrentX(m_x0 + m_layout.title.x);
        printer().setCurrentY(m_y0 + m_layout.title.y);
        printer().print(text, end);
    }

    bool inBlack() const { return m_layout.honoursBlackWhite && gBlackWhiteOnly != 0; }

private:
    double rowTop(int p) const { return m_grid.cellHeight * p + m_grid.gridTop; }

    void periodTexts(const TextAt& at, const std::function<QString(int p)>& text) const
    {
        if (at.points == 0)
            return;
        setPrintFont(at.points, false);
        for (int p = 1; p <= timetable::periods(); ++p)
            printAt(m_x0 + at.x, m_y0 + rowTop(p) + at.y, text(p));
    }

    void frame(int d, int p) const
    {
        printer().setColour(PrintColour(0));
        gRectX1 = m_x0 + m_grid.cellWidth * d;
        gRectY1 = m_y0 + rowTop(p);
        gRectX2 = m_x0 + m_grid.cellWidth * (d + 1);
        gRectY2 = static_cast<float>(m_y0 + rowTop(p) + m_grid.cellHeight);
        DrawPrinterRectangle();
    }

    const BlockLayout& m_layout;
    const BlockGrid& m_grid;
    double m_x0, m_y0;
};

void teacherBlock(const BlockLayout& layout, const Placement& at, int t)
{
    const Block block(layout, at);
    printer().setColour(PrintColour(0));
    block.print([&] { block.titleAt(gTeacherNames(t).toString()); },
                [&](int d, int p) {
                    const QString text = TeacherCellText(t, d, p);
                    if (!block.inBlack())
                        printer().setColour(SubjectColour(gSubject.toInt()));
                    printer().print(text);
                    printer().setColour(PrintColour(0));
                });
}

void printTeacherBlocks(Form14& menu, const BlockLayout& layout, Placement at)
{
    startJob();
    printer().setFontName(PrintFontName(menu.Combo1->ListIndex()));
    for (int i = 0; i < menu.List1->ListCount(); ++i) {
        if (!ListItemSelected(menu.List1, i))
            continue;
        const int t = ListItemTeacher(menu.List1->List(i));
        gTeacher = t;
        at.next();
        teacherBlock(layout, at, t);
    }
    printer().endDoc();
}

// The subjects only, each in its colour. A cell too long for the block's
// size sets a smaller one, which the following cells keep.
void classCell(int k, int d, int p)
{
    const int s0 = gTimetable(d, p, k, 0);
    const int s1 = gTimetable(d, p, k, 1);
    gText = CellAbbreviation(s0);
    gText2 = CellAbbreviation(s1);
    const qsizetype length = (gText.toString() + gText2.toString()).trimmed().size();
    if (length > kFittedChars)
        printer().setFontSize(kClass3.cellPoints * kFittedChars / static_cast<double>(length));
    printer().setColour(SubjectColour(s0));
    printer().print(gText.toString() + QLatin1Char(' '), Printer::End::Continue);
    printer().setColour(SubjectColour(s1));
    printer().print(gText2.toString());
}

void classBlock(const Placement& at, int k)
{
    const Block block(kClass3, at);
    gClass = k;
    printer().setColour(PrintColour(0));
    printer().setFontName(PrintFontName(gFontIndex.toInt()));
    block.print(
        [&] {
            block.titleAt(gClassPrintNames(k), Printer::End::NextZone);
            const int t = gFormTeacher(k);
            setPrintFont(kFormTeacherPoints, false);
            printer().print(gTeacherNames.inBounds(t) ? gTeacherNames(t).toString() : QString());
        },
        [&](int d, int p) { classCell(k, d, p); });
}
}

void PrintTeacherBlocks3(Form14& menu) { printTeacherBlocks(menu, kTeacher3, threePerPage()); }

void PrintTeacherBlocks12(Form14& menu) { printTeacherBlocks(menu, kTeacher12, twelvePerPage()); }

void PrintClassBlocks3(Form14& menu)
{
    startJob();
    Placement at = threePerPage();
    QList<int> classes;
    for (int row = 0; row <= kLastClassItem; ++row) {
        if (ListItemSelected(menu.List2, row))
            classes << row + 1;
    }
    gCounter = static_cast<int>(classes.size());
    // A single class fills its page three times.
    if (classes.size() == 1)
        classes = {classes[0], classes[0], classes[0]};
    for (int k : classes) {
        at.next();
        classBlock(at, k);
    }
    printer().endDoc();
}
