#include "planner/print/room_usage_sheets.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/controls.h"
#include "platform/printer.h"

#include <algorithm>

namespace {
// Each sheet takes this much of the page's height.
constexpr double kSheetHeight = 5000;
constexpr int kSheetsPerPage = 3;
constexpr double kCellWidth = 1500;
constexpr double kCellHeight = 300;
constexpr double kTitleX = 1500;
constexpr double kTitleY = 900;
constexpr double kTitlePoints = 30;
constexpr double kNoteY = 1470;
constexpr double kNotePoints = 7;
constexpr double kDayHeadY = 1900;
constexpr double kDayHeadPoints = 11;
constexpr double kPeriodHeadX = 100;
constexpr double kPeriodHeadY = 2000;
constexpr double kPeriodHeadPoints = 5.5;
constexpr double kGridTop = 1900;
constexpr double kTextDx = 40;
constexpr double kTextDy = 10;
constexpr double kCellPoints = 12;
// A class list wider than its cell is set smaller, by this factor a step, at
// most this many steps; what is still too wide runs past the frame.
constexpr double kFittingFactor = 0.95;
constexpr int kFittingPasses = 10;
const QString kSheetFont = QStringLiteral("Optimum");
// The subject's properties that name the special rooms it needs, tested
// for group row 0 and then row 1 of each.
constexpr int kRoomProperties[] = {8, 18, 19, 20};

bool needsRoom(int subject, int property, int room)
{
    return gSubjectAttr.inBounds(subject) && gSubjectAttr(subject, property) == room;
}

// Each class once for every group row and room property naming the room.
QString classList(int room, int d, int p)
{
    QString list;
    for (int k = 1; k <= timetable::lastClass(); ++k) {
        for (int property : kRoomProperties) {
            for (int row = 0; row <= 1; ++row) {
                if (needsRoom(gTimetable(d, p, k, row), property, room))
                    list += gClassPrintNames(k) + QLatin1Char(' ');
            }
        }
    }
    return list;
}

void fitted(const QString& text)
{
    printer().setFontSize(kCellPoints);
    for (int pass = 1; pass < kFittingPasses && printer().textWidth(text) > kCellWidth; ++pass)
        printer().setFontSize(printer().font().size * kFittingFactor);
    printer().print(text);
}

void sheet(int room, double top)
{
    printer().setColour(PrintColour(0));
    printer().setFontName(kSheetFont);
    setPrintFont(kTitlePoints, true);
    printAt(kTitleX, kTitleY + top, gSpecialRoomNames(room));
    setPrintFont(kNotePoints, false);
    printer().setFontItalic(false);
    printAt(kTitleX, kNoteY + top, gShortNote);
    setPrintFont(kDayHeadPoints, false);
    for (int d = 1; d <= timetable::days(); ++d)
        printAt(kCellWidth * d, kDayHeadY + top, gDayNames(d).toString());
    setPrintFont(kPeriodHeadPoints, false);
    for (int p = 1; p <= timetable::periods(); ++p)
        printAt(kPeriodHeadX, kPeriodHeadY + kCellHeight * p + top,
                gPeriodTimes(p) + QStringLiteral("  ") + gPeriodLabels(p).toString());
    for (int d = 1; d <= timetable::days(); ++d) {
        for (int p = 1; p <= timetable::periods(); ++p) {
            gDay = d;
            gPeriod = p;
            printer().setColour(PrintColour(0));
            gRectX1 = kCellWidth * d;
            gRectY1 = kGridTop + kCellHeight * p + top;
            gRectX2 = kCellWidth * (d + 1);
            gRectY2 = static_cast<float>(kGridTop + kCellHeight * (p + 1) + top);
            DrawPrinterRectangle();
            printer().setCurrentX(kCellWidth * d + kTextDx);
            printer().setCurrentY(kGridTop + kCellHeight * p + kTextDy + top);
            fitted(classList(room, d, p));
        }
    }
}
}

void PrintRoomUsageSheets(Form14& menu)
{
    printer().setScaleMode(Printer::Scale::Twips);
    printer().setOrientation(QPageLayout::Portrait);
    int position = -1;
    const int rooms = std::min(static_cast<int>(gSpecialRoomCount), static_cast<int>(gSpecialRoomNames.upper()));
    for (int i = 0; i < rooms; ++i) {
        if (!ListItemSelected(menu.List5, i))
            continue;
        // Each full page goes to the printer as a document of its own.
        if (++position >= kSheetsPerPage) {
            position = 0;
            printer().endDoc();
            printer().setOrientation(QPageLayout::Portrait);
        }
        sheet(i + 1, kSheetHeight * position);
    }
    printer().endDoc();
}
