#include "planner/print/colour_test.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <algorithm>
#include <array>

namespace {
// Millimetres, portrait.
constexpr double kTitleX = 20;
constexpr double kTitleY = 20;
constexpr double kTitlePoints = 16;
constexpr double kRowsTop = 50;
constexpr double kRowPitch = 10;
constexpr double kNameX = 20;
constexpr double kNamePoints = 12;
constexpr double kSwatchLeft = 60;
constexpr double kSwatchRight = 80;
constexpr double kSwatchHeight = 6;
constexpr double kSampleX = 90;
const QString kSample = QStringLiteral("ABCDEabcde ");

// Each sample smaller and half a millimetre lower than the one before it.
struct Sample {
    double points;
    double below;
};
constexpr std::array<Sample, 4> kSamples{{{10, 2}, {8, 2.5}, {6, 3}, {4, 3.5}}};

void printRow(int i)
{
    Printer& p = printer();
    const double y = kRowsTop + kRowPitch * i;
    const std::uint32_t colour = PrintColour(i);
    p.setFontSize(kNamePoints);
    p.setColour(PrintColour(0));
    printAt(kNameX, y, gColourNames(i).toString());
    p.filledBox(kSwatchLeft, y, kSwatchRight, y + kSwatchHeight, colour);
    p.setCurrentX(kSampleX);
    for (std::size_t n = 0; n < kSamples.size(); ++n) {
        p.setFontSize(kSamples[n].points);
        p.setColour(colour);
        p.setCurrentY(y + kSamples[n].below);
        p.print(kSample, n + 1 < kSamples.size() ? Printer::End::Continue : Printer::End::Line);
    }
}
}

void PrintColourTest(Form14& menu)
{
    Printer& p = printer();
    p.setOrientation(QPageLayout::Portrait);
    p.setScaleMode(Printer::Scale::Millimetres);
    p.setFontName(PrintFontName(menu.Combo1->ListIndex()));
    // The title is black, not in whatever colour the last printout ended with.
    p.setColour(PrintColour(0));
    setPrintFont(kTitlePoints, true);
    printAt(kTitleX, kTitleY,
            QStringLiteral("Farbtest  VORDA V") + gProgramVersion.toString() + QStringLiteral("  ") + p.deviceName());
    p.setFontBold(false);
    const int last = std::min<int>(gColourCount, static_cast<int>(gColourNames.upper()));
    for (int i = 0; i <= last; ++i)
        printRow(i);
    p.endDoc();
}
