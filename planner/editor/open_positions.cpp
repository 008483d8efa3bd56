#include "planner/editor/open_positions.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/rule_chains.h"

#include <algorithm>

namespace {
constexpr int kDayColumn = 0;
constexpr int kClassColumn = 1;
constexpr int kPeriodColumn = 2;
constexpr int kCandidateColumn = 3;
// Rows cleared before every collection; rows further down are only ever read
// up to the end row.
constexpr int kClearedRows = 100;
constexpr int kCountedPositions = 10;

// The last row of the table is kept for the end row.
int maxOpenPositions() { return static_cast<int>(gOpenPositions.upper(0)) - 1; }

void clearRows()
{
    for (int row = 1; row <= kClearedRows; ++row)
        for (int column = kDayColumn; column <= kCandidateColumn; ++column)
            gOpenPositions(row, column) = 0;
}

void appendOpenPosition()
{
    ++gOpenPositionCount;
    gOpenPositions(gOpenPositionCount, kDayColumn) = gDay;
    gOpenPositions(gOpenPositionCount, kClassColumn) = gClass;
    gOpenPositions(gOpenPositionCount, kPeriodColumn) = gPeriod;
    gOpenPositions(gOpenPositionCount, kCandidateColumn) = 0;
}

int countPassingSubjects()
{
    const int cls = gClass.toInt();
    const int lastSubject = std::min<int>(gMaxSubjects, gCurriculumHours.upper(1));
    int count = 0;
    for (int s = 1; s <= lastSubject; ++s) {
        if (gCurriculumHours(cls, s) == 0)
            continue;
        gSubject = s;
        if (RunStandardChain())
            ++count;
    }
    return count;
}
}

void CollectOpenPositions()
{
    gHalf = 0;
    gOpenPositionCount = 0;
    clearRows();
    const int days = timetable::days();
    const int periods = timetable::periods();
    const int classes = timetable::lastClass();
    for (int cls = 1; cls <= classes; ++cls)
        for (int day = 1; day <= days; ++day)
            for (int period = 1; period <= periods; ++period) {
                // Cells past the table's capacity stay off the list: the
                // optimiser leaves them empty rather than overrun the table.
                if (gFixations(day, period, cls, 0) > 0 || gOpenPositionCount >= maxOpenPositions())
                    continue;
                gDay = day;
                gClass = cls;
                gPeriod = period;
                appendOpenPosition();
            }
    gOpenPositions(gOpenPositionCount + 1, kDayColumn) = 0;
}

void CountFreeSubjectsPerPosition()
{
    if (gOpenPositions(kCountedPositions, kDayColumn) == 0)
        return;
    for (int row = 1; row <= kCountedPositions; ++row) {
        gDay = gOpenPositions(row, kDayColumn);
        gClass = gOpenPositions(row, kClassColumn);
        gPeriod = gOpenPositions(row, kPeriodColumn);
        gFreeSubjectCounts(row) = static_cast<float>(std::max(countPassingSubjects(), 1));
    }
}
