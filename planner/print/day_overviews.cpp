#include "planner/print/day_overviews.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <functional>

namespace {
constexpr double kTitleY = 50;
constexpr double kTitlePoints = 22;
constexpr double kNotePoints = 7;
constexpr double kHeaderY = 1000;
constexpr double kHeaderPoints = 10;

// Everything the two overviews place differently; r counts rows, c columns
// (the period's place in the row), p periods.
struct OverviewLayout {
    const char* title;
    double titleX;
    double noteX, noteY;
    double columnPitch;            // a period's header is at columnPitch * p + headerX
    double headerX;
    double rowPitch;               // a row's frame spans rowPitch * r + frameTop .. + frameBottom
    double frameLeft, frameRight;  // added to columnPitch * c
    double frameTop, frameBottom;
};

constexpr OverviewLayout kClasses{.title = "Gesamtstundenplan - ",
                                  .titleX = 100,
                                  .noteX = 100,
                                  .noteY = 600,
                                  .columnPitch = 900,
                                  .headerX = 100,
                                  .rowPitch = 700,
                                  .frameLeft = 70,
                                  .frameRight = 940,
                                  .frameTop = 585,
                                  .frameBottom = 1255};
constexpr OverviewLayout kStaff{.title = "Personalstundenplan - ",
                                .titleX = 50,
                                .noteX = 50,
                                .noteY = 500,
                                .columnPitch = 780,
                                .headerX = 1400,
                                .rowPitch = 240,
                                .frameLeft = 1380,
                                .frameRight = 2160,
                                .frameTop = 990,
                                .frameBottom = 1230};

// Gesamt-Std.plan: the class heading and the texts of a cell, relative to
// the row's pitch and the column's pitch.
constexpr double kClassNameX = 100;
constexpr double kClassNameDy = 600;
constexpr double kClassNamePoints = 14;
constexpr double kFormTeacherDy = 900;
constexpr double kFormTeacherPoints = 9;
constexpr double kSubjectDx = 100;
constexpr double kSubjectDy = 600;
constexpr double kSubjectPoints = 8;
constexpr double kSecondRowDx = 900.0 / 2;
constexpr double kTeacherDy = 800;
constexpr double kTeacherPoints = 5;
// The first row's teachers two to a line, 70 twips a slot, the last alone;
// the second row's one to a line, 110 twips a slot.
constexpr int kPairedSlots[] = {0, 2, 4};
constexpr int kSingleSlot = 6;
constexpr double kPairedSlotPitch = 70;
constexpr int kLastSlot = 9;
constexpr double kSlotPitch = 110;

// Personal-Std.pln: the teacher heading and the cell text.
constexpr double kTeacherNameDy = 1000;
constexpr double kTeacherNamePoints = 8;
constexpr double kStaffCellDx = 1400;
constexpr double kStaffCellDy = 1020;
constexpr double kStaffCellPoints = 7;
constexpr int kShortestTeacherName = 2;

void printIfAny(double x, double y, const QString& text)
{
    if (!text.isEmpty())
        printAt(x, y, text);
}

// Rows are printed down the page; a row that would end below the paper's
// foot starts a further page with the heads again.
class DayOverview {
public:
    DayOverview(const OverviewLayout& layout, int day) : m_layout(layout), m_day(day) {}

    void heads() const
    {
        printer().setColour(PrintColour(0));
        const QString title = QString::fromUtf8(m_layout.title) + gDayNames(m_day).toString() + QStringLiteral(" - ")
            + gSchoolName.toString();
        setPrintFont(kTitlePoints, true);
        printTitleAt(m_layout.titleX, kTitleY, title);
        setPrintFont(kNotePoints, false);
        printer().setFontItalic(false);
        printAt(m_layout.noteX, m_layout.noteY, gShortNote);
        setPrintFont(kHeaderPoints, false);
        for (int p = 1; p <= timetable::periods(); ++p)
            printAt(m_layout.columnPitch * p + m_layout.headerX, kHeaderY, gPeriodLabels(p).toString());
    }

    // The row's heading and its cells, each cell framed in black first.
    void row(const std::function<void(double top)>& heading,
             const std::function<void(double left, double top, int p)>& cell)
    {
        ++m_row;
        // Without this the rows below the foot of the paper were lost: on A4
        // the last two of 24 classes.
        if (m_row > 1 && top() + m_layout.frameBottom > printer().pageHeight()) {
            printer().endDoc();
            heads();
            m_row = 1;
        }
        heading(top());
        int column = 0;
        for (int p = 1; p <= timetable::periods(); ++p) {
            gPeriod = p;
            const double left = m_layout.columnPitch * ++column;
            printer().setColour(PrintColour(0));
            gRectX1 = left + m_layout.frameLeft;
            gRectY1 = top() + m_layout.frameTop;
            gRectX2 = left + m_layout.frameRight;
            gRectY2 = static_cast<float>(top() + m_layout.frameBottom);
            DrawPrinterRectangle();
            cell(left, top(), p);
        }
    }

private:
    double top() const { return m_layout.rowPitch * m_row; }

    const OverviewLayout& m_layout;
    int m_day;
    int m_row = 0;
};

int chosenDay(const Form14& menu) { return menu.List3->ListIndex() + 1; }

void startJob(int day, const QString& font)
{
    printer().setScaleMode(Printer::Scale::Twips);
    printer().setOrientation(QPageLayout::Portrait);
    gDay = day;
    printer().setFontName(font);
}

// In the overview "-" is no abbreviation and no teacher either.
QString shown(const QString& text)
{
    return text == QLatin1String("=") || text == QLatin1String("-") ? QString() : text;
}

QString abbreviation(int s) { return shown(CellAbbreviation(s)); }

QString teacherShort(int k, int s, int slot)
{
    if (!gSubjectTeachers.inBounds(s, 1))
        return {};
    const int t = gSubjectTeachers(k, s, slot);
    return gTeacherShort.inBounds(t) ? shown(gTeacherShort(t)) : QString();
}

void classCell(int k, int d, int p, double left, double top)
{
    const int s0 = gTimetable(d, p, k, 0);
    const int s1 = gTimetable(d, p, k, 1);
    setPrintFont(kSubjectPoints, true);
    gSubject = s0;
    printer().setColour(SubjectColour(s0));
    printIfAny(left + kSubjectDx, top + kSubjectDy, abbreviation(s0));
    gSubject = s1;
    printer().setColour(SubjectColour(s1));
    printIfAny(left + kSubjectDx + kSecondRowDx, top + kSubjectDy, abbreviation(s1));

    setPrintFont(kTeacherPoints, false);
    printer().setColour(PrintColour(0));
    for (int slot : kPairedSlots) {
        const QString first = teacherShort(k, s0, slot);
        const QString line = (first.isEmpty() ? QString() : first + QLatin1Char(' ')) + teacherShort(k, s0, slot + 1);
        printIfAny(left + kSubjectDx, top + kTeacherDy + kPairedSlotPitch * slot, line);
    }
    printIfAny(left + kSubjectDx, top + kTeacherDy + kPairedSlotPitch * kSingleSlot, teacherShort(k, s0, kSingleSlot));
    for (int slot = 0; slot <= kLastSlot; ++slot)
        printIfAny(left + kSubjectDx + kSecondRowDx, top + kTeacherDy + kSlotPitch * slot, teacherShort(k, s1, slot));
}

void staffCell(int t, int d, int p, double left, double top)
{
    setPrintFont(kStaffCellPoints, true);
    const QString text = TeacherCellText(t, d, p);
    printer().setColour(SubjectColour(gSubject.toInt()));
    printAt(left + kStaffCellDx, top + kStaffCellDy, text);
    printer().setColour(PrintColour(0));
}
}

void PrintClassDayOverview(Form14& menu)
{
    const int day = chosenDay(menu);
    if (day < 1)
        return;
    startJob(day, PrintFontName(gFontIndex.toInt()));
    DayOverview page(kClasses, day);
    page.heads();
    FindLastUsedClass();
    for (int k = 1; k <= timetable::lastClass(); ++k) {
        gClass = k;
        page.row(
            [k](double top) {
                setPrintFont(kClassNamePoints, true);
                printAt(kClassNameX, top + kClassNameDy, gClassPrintNames(k));
                setPrintFont(kFormTeacherPoints, false);
                const int t = gFormTeacher(k);
                printAt(kClassNameX, top + kFormTeacherDy, gTeacherShort.inBounds(t) ? gTeacherShort(t) : QString());
            },
            [k, day](double left, double top, int p) { classCell(k, day, p, left, top); });
    }
    printer().endDoc();
}

void PrintStaffDayOverview(Form14& menu)
{
    const int day = chosenDay(menu);
    if (day < 1)
        return;
    startJob(day, PrintFontName(menu.Combo1->ListIndex()));
    DayOverview page(kStaff, day);
    page.heads();
    for (int t = 1; t <= gMaxTeachers.toInt() && gTeacherNames.inBounds(t); ++t) {
        const QString name = gTeacherNames(t).toString();
        if (name.size() < kShortestTeacherName)
            continue;
        gTeacher = t;
        page.row(
            [&name](double top) {
                setPrintFont(kTeacherNamePoints, false);
                printAt(0, top + kTeacherNameDy, name);
            },
            [t, day](double left, double top, int p) { staffCell(t, day, p, left, top); });
    }
    printer().endDoc();
}
