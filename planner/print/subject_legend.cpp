#include "planner/print/subject_legend.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <algorithm>

namespace {
constexpr double kLinePoints = 9;
constexpr double kShortNameX = 15;
constexpr double kAbbreviationX = 35;
constexpr double kLongNameX = 55;
constexpr double kHeadingY = 8;
constexpr double kHeadingPoints = 20;
constexpr int kColourProperty = 1;

enum SubjectText { kLongName = 0, kShortName = 1, kAbbreviation = 2 };

void printHeading()
{
    printer().setColour(PrintColour(0));
    setPrintFont(kHeadingPoints, true);
    printAt(kShortNameX, kHeadingY, QStringLiteral("Lehrfächer - Legende - ") + gSchoolName.toString());
}

bool inLegend(int s)
{
    const QString shortName = gSubjectNames(s, kShortName);
    return !shortName.isEmpty() && shortName != QLatin1String("-") && shortName != QLatin1String("=")
        && !gSubjectNames(s, kAbbreviation).isEmpty();
}

void printLine(int s, double y)
{
    Printer& p = printer();
    setPrintFont(kLinePoints, true);
    p.setColour(PrintColour(0));
    printAt(kShortNameX, y, gSubjectNames(s, kShortName));
    // The legend shows the colours also when the timetables print in black.
    p.setColour(PrintColour(gSubjectAttr(s, kColourProperty)));
    printAt(kAbbreviationX, y, gSubjectNames(s, kAbbreviation));
    p.setFontBold(false);
    p.setColour(PrintColour(0));
    printAt(kLongNameX, y, gSubjectNames(s, kLongName));
}
}

void PrintSubjectLegend(Form14& menu)
{
    QList<int> subjects;
    const int last = std::min<int>(gMaxSubjects, static_cast<int>(gSubjectNames.upper()));
    for (int s = 1; s <= last; ++s) {
        if (inLegend(s))
            subjects << s;
    }
    PrintListPages(PrintFontName(menu.Combo1->ListIndex()), subjects, printHeading, printLine);
}
