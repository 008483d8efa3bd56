#include "planner/print/name_signs.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <algorithm>

namespace {
// Twips, landscape.
constexpr double kSignPitch = 1800;
constexpr double kLastSignTop = 10000;
constexpr double kNameX = 500;
constexpr double kNamePoints = 70;
constexpr double kSignWidth = 15000;
constexpr double kShrink = 0.95;
// Nine shrinks at most: a name that still does not fit goes over the edge.
constexpr int kMeasures = 10;
constexpr double kCutBelow = 1750;
constexpr double kCutLeft = 1;
constexpr double kCutRight = 16000;
// The colour number 1, not entry 1 of the colour table: all but black.
constexpr std::uint32_t kCutColour = 1;

void fitName(const QString& name)
{
    Printer& p = printer();
    p.setFontSize(kNamePoints);
    // The printer's own size is shrunk, so a printer that rounds sizes
    // shrinks by its rounded steps.
    for (int measure = 1; measure < kMeasures && p.textWidth(name) > kSignWidth; ++measure)
        p.setFontSize(p.font().size * kShrink);
}
}

void PrintNameSigns(Form14& menu)
{
    Printer& p = printer();
    p.setScaleMode(Printer::Scale::Twips);
    p.setOrientation(QPageLayout::Landscape);
    p.setFontName(PrintFontName(menu.Combo1->ListIndex()));
    p.setColour(PrintColour(0));
    p.setFontBold(false);
    p.setPenWidth(1);
    double top = -kSignPitch;
    const int last = std::min(gMaxTeachers.toInt(), static_cast<int>(gTeacherNames.upper()));
    for (int t = 1; t <= last; ++t) {
        const QString name = gTeacherNames(t).toString();
        if (!NamesStaffMember(name))
            continue;
        top += kSignPitch;
        if (top > kLastSignTop) {
            top = 0;
            p.endDoc();
            p.setOrientation(QPageLayout::Landscape);
        }
        fitName(name);
        printAt(kNameX, top, name);
        p.line(kCutLeft, top + kCutBelow, kCutRight, top + kCutBelow, kCutColour);
    }
    p.endDoc();
}
