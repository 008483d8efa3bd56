#include "planner/print/class_week_page.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/printer.h"

#include <QLabel>
#include <array>

namespace {
constexpr double kTitleY = 8;
constexpr double kRowTop = 20;
constexpr double kSetUpPen = 3;
constexpr double kFramePen = 5;
constexpr double kThinPen = 1;
constexpr double kTeacherPoints = 6;
constexpr double kLegendPoints = 7;
constexpr double kCaptionPoints = 9;
// Between a script text's end and the next signature line, in mm.
constexpr double kScriptGap = 2;
constexpr double kFooterX = 6;
constexpr int kFooterY = 13;
constexpr int kAbilityGroupProperty = 4;
constexpr int kFirstTeacherSlot = 0;
constexpr int kLastTeacherSlot = 9;
constexpr int kLastClassItem = 23;
const QString kTeacherGap = QStringLiteral("  ");
const QString kPlotterRefusal
    = QStringLiteral("Schalten Sie Ihren Plotter in der Druckerinstallation auf Querformat !");
const QString kPrinting = QStringLiteral("Plan wird gedruckt...");
const QString kDone = QStringLiteral("Druckauftrag erledigt");

struct TextAt {
    double x, y, points;
};

struct SignatureBlock {
    double lineY;
    std::array<std::pair<double, double>, 4> lines;
    double captionY;
    std::array<double, 4> captionX;
    const char* scriptFont;
    TextAt formTeacher, schoolYear, placeAndDate;
};

struct Box {
    double x1, y1, x2, y2;
};

// Everything the two formats place differently; p counts periods, d days.
struct PageLayout {
    bool largeFormat;
    TextAt title;
    double dayPitch;     // a day's column starts at dayPitch * d
    TextAt dayHead;      // x: added to the column
    double rowPitch;     // a period's row starts at rowPitch * p + kRowTop
    double rowHeight;    // the height of its frames
    double periodLeft, periodRight;
    TextAt caption, time; // y: below the row's top
    double cellWidth;
    double subjectPoints; // A4: the size of a line of up to kFittedChars characters
    double subjectDy, teacherDy;
    double penAfterFrame;
    SignatureBlock signatures;
};

constexpr PageLayout kA3{.largeFormat = true,
                         .title = {50, kTitleY, 38},
                         .dayPitch = 50,
                         .dayHead = {1, 28, 20},
                         .rowPitch = 18,
                         .rowHeight = 17,
                         .periodLeft = 5,
                         .periodRight = 49,
                         .caption = {14, 2, 18},
                         .time = {14, 11, 10},
                         .cellWidth = 49,
                         .subjectPoints = 28,
                         .subjectDy = 1,
                         .teacherDy = 13,
                         .penAfterFrame = 2,
                         .signatures = {.lineY = 264,
                                        .lines = {{{20, 90}, {110, 150}, {200, 270}, {290, 360}}},
                                        .captionY = 265,
                                        .captionX = {20, 110, 200, 290},
                                        .scriptFont = "EnglischeSchT",
                                        .formTeacher = {20, 253, 22},
                                        .schoolYear = {110, 252, 24},
                                        .placeAndDate = {200, 252, 21}}};

constexpr PageLayout kA4{.largeFormat = false,
                         .title = {40, kTitleY, 28},
                         .dayPitch = 40,
                         .dayHead = {1, 24, 19},
                         .rowPitch = 14,
                         .rowHeight = 13,
                         .periodLeft = 15,
                         .periodRight = 39,
                         .caption = {18, 2, 14},
                         .time = {18, 8, 8},
                         .cellWidth = 39,
                         .subjectPoints = 21,
                         .subjectDy = 1,
                         .teacherDy = 9,
                         .penAfterFrame = 1,
                         .signatures = {.lineY = 187,
                                        .lines = {{{20, 70}, {90, 120}, {130, 190}, {210, 260}}},
                                        .captionY = 189,
                                        .captionX = {20, 90, 130, 210},
                                        .scriptFont = "Brush Script MT kursiv",
                                        .formTeacher = {20, 178, 17},
                                        .schoolYear = {90, 178, 17.5},
                                        .placeAndDate = {130, 179, 14}}};

// An A4 subject line longer than this many characters is set smaller, so
// that the size times the length stays kFittedChars times the full size.
constexpr int kFittedChars = 7;
// With this many periods the A4 grid reaches the signature lines.
constexpr int kPeriodsWithoutSignatures = 11;

constexpr double kLegendX = 354;
constexpr double kLegendNameX = 363;
constexpr double kLegendTop = 44;
constexpr double kLegendPitch = 5;
constexpr std::array<Box, 4> kClosingFrames{{{4, 5, 402, 27}, {4, 37, 350, 236}, {4, 238, 402, 274},
                                             {352, 37, 402, 236}}};
const char* const kSignatureCaptions[] = {"Klassenvorstand", "Schuljahr", "Ort und Datum", "Schulleiter"};

bool plotterMode() { return gPlotterMode.toDouble() != 0; }

void drawFrame(const Box& box)
{
    gRectX1 = box.x1;
    gRectY1 = box.y1;
    gRectX2 = box.x2;
    gRectY2 = static_cast<float>(box.y2);
    DrawPrinterRectangle();
}

// A text as the printer gets it; a plotter has no umlauts.
QString forPlotter(const QString& text)
{
    gText = text;
    ReplaceUmlautsForPlotter();
    return gText.toString();
}

bool leadsGrade(int k)
{
    gClass = k;
    SetClassTypeFlags();
    return gClassFlagA == 1;
}

// The class whose assignment gives the teachers of ability-group subjects:
// the first class of the same grade that leads it, else the class itself.
int partnerClass(int c)
{
    if (leadsGrade(c))
        return c;
    const double grade = numbers::val(gClassNames(c).toString());
    for (int k = 1; k <= gMaxClasses.toInt() && gClassNames.inBounds(k); ++k) {
        const QString name = gClassNames(k).toString();
        if (name.size() >= 2 && leadsGrade(k) && numbers::val(name) == grade)
            return k;
    }
    return c;
}

bool isTeacher(int t) { return t >= 1 && t <= gMaxTeachers.toInt() && gTeacherNames.inBounds(t); }

// A family name in capitals before the first blank prints with only its
// initial in capitals: "MÜLLER Hans" as "Müller Hans".
QString formTeacherName(int c)
{
    const int t = gFormTeacher(c);
    const QString name = gTeacherNames.inBounds(t) ? gTeacherNames(t).toString() : QString();
    const qsizetype blank = name.indexOf(QLatin1Char(' '));
    // A name that begins with a blank has no family name to lower; the rule
    // would take the characters from the second to the zeroth and fail.
    if (blank <= 0)
        return name;
    return name.left(1) + name.mid(1, blank - 1).toLower() + name.mid(blank);
}

class ClassWeekPage {
public:
    ClassWeekPage(const PageLayout& layout, int c, const QString& placeAndDate)
        : m_layout(layout), m_class(c), m_partner(partnerClass(c)), m_placeAndDate(placeAndDate)
    {
    }

    // Marks every teacher printed in a cell in gTeacherMarks.
    void print()
    {
        const bool plotter = plotterMode();
        gClass = m_class;
        printer().setFontName(PrintFontName(gFontIndex.toInt()));
        printer().setColour(PrintColour(0));
        title();
        dayHeads();
        periodRows();
        if (m_layout.largeFormat) {
            gFooterX = kFooterX;
            gFooterY = kFooterY;
            PrintPageFooter();
        }
        cells();
        if (m_layout.largeFormat)
            legend();
        if (m_layout.largeFormat || gPeriodsPerDay.toInt() != kPeriodsWithoutSignatures)
            signatureBlock();
        if (m_layout.largeFormat) {
            framed(kClosingFrames);
            if (plotter)
                printer().print(QString(QChar(0)));
        }
    }

private:
    // Frames are drawn with a thick pen, made thin again after them. A
    // plotter's pen keeps its own width for the frames, and on the A3 page
    // after them too.
    template <std::size_t N>
    void framed(const std::array<Box, N>& boxes) const
    {
        const bool plotter = plotterMode();
        printer().setColour(PrintColour(0));
        if (!plotter)
            printer().setPenWidth(kFramePen);
        for (const Box& box : boxes)
            drawFrame(box);
        if (!plotter || !m_layout.largeFormat)
            printer().setPenWidth(m_layout.penAfterFrame);
    }

    double rowTop(int p) const { return m_layout.rowPitch * p + kRowTop; }
    double column(int d) const { return m_layout.dayPitch * d; }

    void title() const
    {
        setPrintFont(m_layout.title.points, true);
        printAt(m_layout.title.x, m_layout.title.y,
                QStringLiteral("Stundenplan  -  ") + gClassPrintNames(m_class) + QStringLiteral("  -  ")
                    + gSchoolName.toString());
    }

    void dayHeads() const
    {
        setPrintFont(m_layout.dayHead.points, false);
        for (int d = 1; d <= timetable::days(); ++d)
            printAt(column(d) + m_layout.dayHead.x, m_layout.dayHead.y, forPlotter(gDayNames(d).toString()));
    }

    void periodRows() const
    {
        for (int p = 1; p <= timetable::periods(); ++p) {
            framed(std::array<Box, 1>{{{m_layout.periodLeft, rowTop(p), m_layout.periodRight,
                                         rowTop(p) + m_layout.rowHeight}}});
            setPrintFont(m_layout.caption.points, false);
            printAt(m_layout.caption.x, rowTop(p) + m_layout.caption.y, forPlotter(gPeriodLabels(p).toString()));
            setPrintFont(m_layout.time.points, false);
            printAt(m_layout.time.x, rowTop(p) + m_layout.time.y, forPlotter(gPeriodTimes(p)));
        }
    }

    void cells()
    {
        for (int d = 1; d <= timetable::days(); ++d) {
            for (int p = 1; p <= timetable::periods(); ++p) {
                gDay = d;
                gPeriod = p;
                cell(d, p);
            }
        }
    }

    void cell(int d, int p)
    {
        const int s0 = gTimetable(d, p, m_class, 0);
        const int s1 = gTimetable(d, p, m_class, 1);
        const QString a0 = forPlotter(CellAbbreviation(s0));
        const QString a1 = forPlotter(CellAbbreviation(s1));

        framed(std::array<Box, 1>{{{column(d), rowTop(p), column(d) + m_layout.cellWidth,
                                     rowTop(p) + m_layout.rowHeight}}});

        setPrintFont(subjectPoints(a0, a1), true);
        printer().setCurrentX(column(d) + 1);
        printer().setCurrentY(rowTop(p) + m_layout.subjectDy);
        subjectColour(s0);
        printer().print(a0 + QLatin1Char(' '), Printer::End::Continue);
        subjectColour(s1);
        printer().print(a1);

        setPrintFont(kTeacherPoints, false);
        printer().setColour(PrintColour(0));
        printAt(column(d) + 1, rowTop(p) + m_layout.teacherDy, teachers(s0) + teachers(s1));
    }

    double subjectPoints(const QString& a0, const QString& a1) const
    {
        const qsizetype n = (a0 + a1).trimmed().size();
        if (m_layout.largeFormat || n <= kFittedChars)
            return m_layout.subjectPoints;
        return m_layout.subjectPoints * kFittedChars / static_cast<double>(n);
    }

    // "nur SW" prints the large page in black; the A4 page keeps its colours.
    void subjectColour(int s) const
    {
        const bool black = m_layout.largeFormat && gBlackWhiteOnly != 0;
        gSubject = s;
        printer().setColour(black ? PrintColour(0) : SubjectColour(s));
    }

    // The teachers of ability groups teach the grade's groups together, and
    // only the class that leads the grade holds them in its assignment.
    // Slot 0 holds the first teacher of every lesson: read from slot 1 on, a
    // lesson of one teacher printed without its teacher.
    QString teachers(int s) const
    {
        if (!gSubjectAttr.inBounds(s))
            return {};
        const int owner = gSubjectAttr(s, kAbilityGroupProperty) == 1 ? m_partner : m_class;
        QString line;
        for (int slot = kFirstTeacherSlot; slot <= kLastTeacherSlot; ++slot) {
            const int t = gSubjectTeachers(owner, s, slot);
            if (!isTeacher(t))
                continue;
            line += gTeacherShort(t) + kTeacherGap;
            gTeacherMarks(t) = 1;
        }
        return line;
    }

    void legend() const
    {
        setPrintFont(kLegendPoints, false);
        printer().setColour(PrintColour(0));
        int row = 0;
        for (int t = 1; t <= gMaxTeachers.toInt() && gTeacherNames.inBounds(t); ++t) {
            if (gTeacherMarks(t) == 0)
                continue;
            const double y = kLegendTop + kLegendPitch * row++;
            printAt(kLegendX, y, gTeacherShort(t));
            printAt(kLegendNameX, y, gTeacherNames(t).toString());
        }
    }

    void signatureBlock() const
    {
        const SignatureBlock& block = m_layout.signatures;
        printer().setColour(PrintColour(0));
        for (const auto& [from, to] : block.lines)
            printer().line(from, block.lineY, to, block.lineY);
        setPrintFont(kCaptionPoints, false);
        for (int i = 0; i < 4; ++i)
            printAt(block.captionX[static_cast<std::size_t>(i)], block.captionY,
                    QString::fromLatin1(kSignatureCaptions[i]));
        printer().setFontName(QString::fromLatin1(block.scriptFont));
        scriptText(block.formTeacher, formTeacherName(m_class), block.lines[1].first);
        scriptText(block.schoolYear, gSchoolYear.toString(), block.lines[2].first);
        scriptText(block.placeAndDate, m_placeAndDate, block.lines[3].first);
        printer().setFontName(QStringLiteral("Arial"));
    }

    // Each script text stands above its signature line and is set smaller
    // where it would run into the next one: a long school name in the place
    // and date covered the line of the head of school.
    static void scriptText(const TextAt& at, const QString& text, double nextLine)
    {
        if (text.isEmpty())
            return;
        setPrintFont(at.points, false);
        printWithin(at.x, at.y, text, nextLine - kScriptGap);
    }

    const PageLayout& m_layout;
    int m_class;
    int m_partner;
    QString m_placeAndDate;
};

void setUpPrinter(bool largeFormat)
{
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setFontItalic(false);
    if (!largeFormat) {
        printer().setPenWidth(kSetUpPen);
        printer().setFontName(QStringLiteral("Arial"));
        printer().setOrientation(QPageLayout::Landscape);
        return;
    }
    if (!plotterMode())
        printer().setPenWidth(kSetUpPen);
}
}

void PrintClassWeekPageA3(Form14& menu)
{
    const int c = menu.List4->ListIndex() + 1;
    if (c < 1)
        return;
    if (plotterMode() && printer().pageWidth() <= printer().pageHeight()) {
        menu.Label5->setText(kPlotterRefusal);
        return;
    }
    menu.Label5->setText(kPrinting);
    if (!PrintYield())
        return;
    setUpPrinter(true);
    for (int t = 1; t <= gMaxTeachers.toInt() && gTeacherMarks.inBounds(t); ++t)
        gTeacherMarks(t) = 0;
    ClassWeekPage page(kA3, c, menu.Text2->text());
    if (plotterMode())
        printer().newPage();
    else
        printer().setOrientation(QPageLayout::Landscape);
    page.print();
    printer().endDoc();
    menu.Label5->setText(kDone);
}

void PrintClassWeekPagesA4(Form14& menu)
{
    for (int row = 0; row <= kLastClassItem; ++row) {
        if (!ListItemSelected(menu.List2, row))
            continue;
        setUpPrinter(false);
        ClassWeekPage(kA4, row + 1, menu.Text2->text()).print();
        printer().setPenWidth(kThinPen);
        printer().endDoc();
    }
}
