#include "planner/print/presence_chart.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/timetable_rating.h"
#include "planner/print/print_menu.h"
#include "planner/print/print_procedures.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/printer.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace {
// Twips, portrait.
constexpr double kRowPitch = 300;
constexpr double kRowsStart = 1000;
constexpr double kFrameLeft = 1;
constexpr double kFrameTop = 900;
constexpr double kFrameRight = 10990;
// The frame ends this far below the start of its rows plus their pitches.
constexpr double kFrameFoot = 1300;
constexpr double kRowLineRight = 11000;
constexpr double kRowLineAbove = 30;
constexpr double kNameColumnRight = 755;
constexpr double kCaptionX = 10;
constexpr int kCaptionChars = 4;
constexpr double kCaptionPoints = 9.5;
constexpr double kCellWidth = 155;
constexpr double kCellX = 600;
constexpr double kTickLength = 50;
constexpr double kClassBelowSubject = 120;
constexpr double kCellPoints = 4.6;
constexpr int kAbbreviationChars = 2;
// Every day has room for eleven periods, however many the plan uses.
constexpr int kPeriodsDrawn = 11;
constexpr double kTotalsX = 1860;
constexpr double kTotalsBelowRow = 50;
constexpr double kTotalsPoints = 8;
constexpr double kDateX = 25;
constexpr double kDateCaptionY = 920;
constexpr double kDateY = 1050;
constexpr double kDatePoints = 6;
constexpr double kDayHeadingX = 900;
constexpr double kDayHeadingStep = 1720;
constexpr double kDayHeadingY = 920;
constexpr double kDayHeadingPoints = 14;
constexpr double kTitleX = 100;
constexpr double kTitleY = 200;
constexpr double kTitlePoints = 18;
constexpr double kNotePoints = 6;
constexpr int kColourProperty = 1;
constexpr int kAbbreviation = 2;
const QString kFreeText = QStringLiteral("=");

QList<int> listedTeachers()
{
    QList<int> teachers;
    const int last = std::min(gMaxTeachers.toInt(), static_cast<int>(gTeacherNames.upper()));
    for (int t = 1; t <= last; ++t) {
        if (NamesStaffMember(gTeacherNames(t).toString()))
            teachers << t;
    }
    return teachers;
}

double frameBottom(int rows) { return kFrameFoot + kRowPitch * rows; }

// A page holds the rows whose frame still ends on the paper.
int rowsPerPage()
{
    const double room = (printer().pageHeightTwips() - kFrameFoot) / kRowPitch;
    return std::max(1, static_cast<int>(std::floor(room)));
}

void black() { printer().setColour(PrintColour(0)); }

// A text of the cell; "=" is how the data model writes a free period.
void printCellText(double x, double y, const QString& text)
{
    if (!text.isEmpty() && text != kFreeText)
        printAt(x, y, text);
}

void printCell(int t, int day, int period, double x, double y)
{
    black();
    printer().line(kCellX + x, y, kCellX + x, y + kTickLength);
    int s = gTeacherPlanSubject(t, day, period);
    // A subject number from a plan file beyond the subject table is no lesson to show.
    if (!gSubjectAttr.inBounds(s))
        s = 0;
    const int k = gTeacherPlanClass(t, day, period);
    printer().setColour(PrintColour(gSubjectAttr(s, kColourProperty)));
    setPrintFont(kCellPoints, false);
    printCellText(kCellX + x, y, gSubjectNames(s, kAbbreviation).left(kAbbreviationChars));
    printCellText(kCellX + x, y + kClassBelowSubject, gClassPrintNames.inBounds(k) ? gClassPrintNames(k) : QString());
}

void printRow(int t, double y, double bottom)
{
    Printer& p = printer();
    black();
    setPrintFont(kCaptionPoints, false);
    printAt(kCaptionX, y, gTeacherShort(t).left(kCaptionChars));
    p.line(kFrameLeft, y - kRowLineAbove, kRowLineRight, y - kRowLineAbove);
    DrawPrinterFrame(kFrameLeft, kFrameTop, kNameColumnRight, bottom);
    double x = 0;
    for (int day = 1; day <= timetable::days(); ++day) {
        for (int period = 1; period <= kPeriodsDrawn; ++period) {
            x += kCellWidth;
            printCell(t, day, period, x, y);
        }
        black();
        p.line(kNameColumnRight + x, kFrameTop, kNameColumnRight + x, bottom);
    }
    gTeacher = t;
    ComputeTeacherGaps();
    setPrintFont(kTotalsPoints, true);
    printAt(kTotalsX + x, y + kTotalsBelowRow,
            numbers::strForm(gTeacherGaps) + QStringLiteral(" /") + numbers::strForm(gTeacherHours.toDouble()));
}

void printHeader(double bottom)
{
    Printer& p = printer();
    black();
    DrawPrinterFrame(kFrameLeft, kFrameTop, kFrameRight, bottom);
    setPrintFont(kDatePoints, false);
    printAt(kDateX, kDateCaptionY, QStringLiteral("Druckdatum:"));
    printAt(kDateX, kDateY, dates::shortText(Clock::today()));
    setPrintFont(kDayHeadingPoints, true);
    for (int day = 1; day <= timetable::days(); ++day)
        printAt(kDayHeadingX + kDayHeadingStep * (day - 1), kDayHeadingY, gDayNames(day).toString());
    setPrintFont(kTitlePoints, true);
    p.setCurrentX(kTitleX);
    p.setCurrentY(kTitleY);
    p.print(QStringLiteral("Anwesenheitsplan ") + gPlanName + QLatin1Char(' ') + gSchoolName.toString()
                + QLatin1Char(' '),
            Printer::End::Continue);
    setPrintFont(kNotePoints, false);
    if (!gShortNote.isEmpty())
        p.print(gShortNote, Printer::End::Continue);
}
}

void PrintPresenceChart(Form14& menu)
{
    Printer& p = printer();
    p.setOrientation(QPageLayout::Portrait);
    p.setScaleMode(Printer::Scale::Twips);
    const QList<int> teachers = listedTeachers();
    p.setFontName(PrintFontName(menu.Combo1->ListIndex()));
    p.setPenWidth(1);

    // The rows beyond the foot of the paper would be lost: they continue on
    // further pages, each with the header and frames of its own rows.
    const int perPage = rowsPerPage();
    qsizetype first = 0;
    do {
        if (first > 0)
            p.endDoc();
        const QList<int> rows = teachers.mid(first, perPage);
        const double bottom = frameBottom(static_cast<int>(rows.size()));
        double y = kRowsStart;
        for (const int t : rows) {
            y += kRowPitch;
            printRow(t, y, bottom);
        }
        printHeader(bottom);
        first += perPage;
    } while (first < teachers.size());
    p.endDoc();
}
