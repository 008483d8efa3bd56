#pragma once
// The week that the landscape grids of the whole school (the staff grid and
// the grid of all classes) lay out alike: five days of eleven periods as
// columns, a period 5 mm wide from 46 mm on, a day 55 mm, each row two lines
// of a cell. The A3 grid and its reduced twin share these millimetres.
#include "planner/print/large_format.h"

#include <QString>

namespace landscapeweek {
constexpr int kDays = 5;
constexpr int kPeriods = 11;
constexpr float kRight = 395;
constexpr float kGridTop = 30;

// The A3 sheet or its reduced twin; the end text is the grid's own.
LargeFormatMember member(bool reduced, const QString& endText);

// The lines between the periods, from the grid's top down to `bottom`.
void periodLines(LargeFormatJob& job, float bottom);
// Each day's frame, from the day row down to `bottom`, in the current pen.
void dayFrames(LargeFormatJob& job, float bottom);
// The days' names above their columns.
void dayNames(LargeFormatJob& job, bool folded);
// The period captions above their columns, fitted down to `minimum`.
bool periodCaptions(LargeFormatJob& job, float minimum);
// A text in the cell of a period at height `y`, fitted to the cell.
bool cellText(LargeFormatJob& job, int day, int period, float y, const QString& text);
}
