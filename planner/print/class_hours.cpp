#include "planner/print/class_hours.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/printer.h"

namespace {
// Millimetres, landscape; 24 lines fit a page.
constexpr double kLineX = 15;
constexpr double kLinePitch = 6;
constexpr double kLineTop = 20;
constexpr double kLinePoints = 7;
constexpr double kHeadingY = 8;
constexpr double kHeadingPoints = 21;
constexpr int kClassSlots = 24;
constexpr int kSubjectSlots = 99;
constexpr int kShortName = 1;

QString classLine(int k)
{
    QString line = gClassPrintNames(k) + QStringLiteral("  > ");
    int total = 0;
    for (int s = 1; s <= kSubjectSlots; ++s) {
        const int hours = gCurriculumHours(k, s);
        if (hours == 0)
            continue;
        total += hours;
        line += QStringLiteral("  ") + numbers::strForm(hours) + QLatin1Char(' ') + gSubjectNames(s, kShortName)
            + QLatin1Char(',');
    }
    if (line.endsWith(QLatin1Char(',')))
        line.chop(1);
    return line + QStringLiteral("   = ") + numbers::strForm(total);
}
}

void PrintClassHours(Form14& menu)
{
    Printer& p = printer();
    p.setOrientation(QPageLayout::Landscape);
    p.setScaleMode(Printer::Scale::Millimetres);
    p.setFontName(PrintFontName(menu.Combo1->ListIndex()));
    p.setColour(PrintColour(0));
    setPrintFont(kHeadingPoints, true);
    printAt(kLineX, kHeadingY, QStringLiteral("Stundentafel  -  ") + gSchoolName.toString());
    setPrintFont(kLinePoints, false);
    int line = 0;
    for (int k = 1; k <= kClassSlots; ++k) {
        if (gClassNames(k).toString().size() < 2)
            continue;
        ++line;
        printAt(kLineX, kLineTop + kLinePitch * line, classLine(k));
    }
    p.endDoc();
}
