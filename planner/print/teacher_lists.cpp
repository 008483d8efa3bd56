#include "planner/print/teacher_lists.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

namespace {
// Teacher list, in twips.
constexpr double kListPoints = 12;
constexpr double kHeadingScale = 1.5;
// Rows and heading take n + 6 pitches: the heading at one, the rows from
// three, three free at the foot.
constexpr int kPitchesBesideRows = 6;
constexpr int kRowFontDivisor = 40;
constexpr double kFrameInset = 1000;
constexpr double kShortX = 1100;
constexpr double kNameX = 2260;
constexpr double kTextBelowFrame = 100;

// Teachers per class, in millimetres.
const QString kClassListFont = QStringLiteral("Arial");
constexpr double kClassHeadingX = 20;
constexpr double kClassHeadingY = 5;
constexpr double kClassHeadingPoints = 14;
constexpr double kClassLinePoints = 10;
constexpr double kClassLinePitch = 7.5;
constexpr double kClassLineTop = 8;
constexpr int kClassSlots = 24;
constexpr int kTeacherSlots = 60;
constexpr int kSubjectSlots = 99;
constexpr int kAssignmentSlots = 9;

// Marks in gTeacherMarks every teacher assigned to the class in any subject
// and slot.
void markTeachersOf(int cls)
{
    gTeacherMarks.fill(0);
    for (int s = 1; s <= kSubjectSlots; ++s) {
        for (int slot = 0; slot <= kAssignmentSlots; ++slot) {
            const int t = gSubjectTeachers(cls, s, slot);
            if (t >= 1 && t <= kTeacherSlots)
                gTeacherMarks(t) = 1;
        }
    }
}
}

void PrintTeacherList(Form14& menu)
{
    Printer& p = printer();
    p.setScaleMode(Printer::Scale::Twips);
    p.setOrientation(QPageLayout::Portrait);
    p.setFontSize(kListPoints);
    p.setFontName(PrintFontName(menu.Combo1->ListIndex()));

    const int n = menu.List1->ListCount();
    const double height = p.pageHeightTwips();
    const double width = p.pageWidthTwips();
    const double pitch = height / (n + kPitchesBesideRows);
    const double top = 2 * pitch;
    // With no teacher listed there are no rows to size a font for: the page
    // keeps its heading alone, at 1.5 times the list's 12 pt.
    if (n > 0)
        setPrintFont(height / kRowFontDivisor / n, false);
    for (int i = 1; i <= n; ++i) {
        const int t = ListItemTeacher(menu.List1->item(i - 1)->text());
        const double y = top + i * pitch;
        p.setColour(PrintColour(0));
        DrawPrinterFrame(kFrameInset, y, width - kFrameInset, y + pitch);
        printAt(kShortX, y + kTextBelowFrame, gTeacherShort(t));
        printAt(kNameX, y + kTextBelowFrame, gTeacherNames(t).toString());
    }
    setPrintFont(kHeadingScale * p.font().size, true);
    printAt(kShortX, pitch, gSchoolName.toString());
    p.endDoc();
}

void PrintClassTeachers(Form14&)
{
    Printer& p = printer();
    p.setOrientation(QPageLayout::Landscape);
    p.setScaleMode(Printer::Scale::Millimetres);
    // The list sets no colour of its own: black, whatever the last printout left.
    p.setColour(PrintColour(0));
    p.setFontName(kClassListFont);
    setPrintFont(kClassHeadingPoints, true);
    printAt(kClassHeadingX, kClassHeadingY,
            QStringLiteral("Klassenlehrer ") + gSchoolName.toString() + QLatin1Char(' ') + gSchoolYear.toString());

    int line = 1;
    for (int c = 1; c <= kClassSlots; ++c) {
        if (gClassNames(c).toString().trimmed().isEmpty())
            continue;
        ++line;
        p.setCurrentX(kClassHeadingX);
        p.setCurrentY(kClassLinePitch * line + kClassLineTop);
        setPrintFont(kClassLinePoints, true);
        p.print(gClassPrintNames(c) + QLatin1Char(' '), Printer::End::Continue);
        p.setFontBold(false);
        markTeachersOf(c);
        for (int t = 1; t <= kTeacherSlots; ++t) {
            if (gTeacherMarks(t) == 1)
                p.print(QStringLiteral("  ") + gTeacherShort(t), Printer::End::Continue);
        }
    }
    p.endDoc();
}
