#include "planner/print/assignment_list.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/printer.h"

#include <algorithm>
#include <array>

namespace {
// Millimetres, portrait.
constexpr double kShortNameX = 15;
constexpr double kTextX = 27;
constexpr double kShortNamePoints = 9;
constexpr double kHeadingY = 8;
constexpr double kHeadingPoints = 20;
// The text shrinks step by step until it fits the line, but not below 4 pt.
constexpr double kLineWidth = 165;
constexpr double kStartPoints = 9;
constexpr std::array<double, 5> kSmallerPoints{8, 7, 6, 5, 4};
constexpr int kTeacherSlots = 60;
constexpr int kSubjectSlots = 99;
constexpr int kClassSlots = 24;
constexpr int kLastSlot = 9;
constexpr int kAbbreviation = 2;

void printHeading()
{
    printer().setColour(PrintColour(0));
    setPrintFont(kHeadingPoints, true);
    printTitleAt(kTextX, kHeadingY,
                 QStringLiteral("Lehrfächerverteilung  -  ") + gSchoolName.toString() + QStringLiteral(" / ") + gPlanName);
}

QString assignmentText(int t)
{
    QString text = gTeacherNames(t).toString() + QStringLiteral("  > ");
    QString remembered;
    int hours = 0;
    float bracketed = 0;
    for (int s = 1; s <= kSubjectSlots; ++s) {
        for (int k = 1; k <= kClassSlots; ++k) {
            // Slot 0 holds the first teacher of every lesson, so it counts
            // like the others: without it most assignments would be missing.
            for (int slot = 0; slot <= kLastSlot; ++slot) {
                if (gSubjectTeachers(k, s, slot) != t)
                    continue;
                hours += gCurriculumHours(k, s);
                bracketed = static_cast<float>(bracketed + gClassSubjectHours(k, s).toDouble());
                const QString part = QLatin1Char(' ') + gSubjectNames(s, kAbbreviation) + QLatin1Char(' ');
                if (part != remembered) {
                    text += part;
                    remembered = part;
                }
                gText = gClassPrintNames(k);
                gClass = k;
                gSubject = s;
                StripSubjectSuffixA();
                text += gText.toString() + QLatin1Char(',');
            }
        }
    }
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text + QStringLiteral("  = ") + numbers::strForm(hours) + QStringLiteral(" (")
        + numbers::strFormSingle(bracketed) + QStringLiteral(" )");
}

// Sets the largest size of the ladder at which the text fits the line, or
// its smallest.
void fitText(const QString& text)
{
    Printer& p = printer();
    p.setFontSize(kStartPoints);
    for (const double points : kSmallerPoints) {
        if (p.textWidth(text) > kLineWidth)
            p.setFontSize(points);
    }
}

void printLine(int t, double y)
{
    setPrintFont(kShortNamePoints, true);
    printAt(kShortNameX, y, gTeacherShort(t));
    printer().setFontBold(false);
    const QString text = assignmentText(t);
    fitText(text);
    printAt(kTextX, y, text);
}
}

void PrintAssignmentList(Form14& menu)
{
    QList<int> teachers;
    for (int t = 1; t <= kTeacherSlots; ++t) {
        if (gTeacherNames(t).toString().size() >= 2)
            teachers << t;
    }
    PrintListPages(PrintFontName(menu.Combo1->ListIndex()), teachers, printHeading, printLine);
}
