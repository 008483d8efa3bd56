#include "planner/editor/timetable_rating.h"

#include "core/model.h"
#include "core/timetable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr short kCannotCome = 9;
constexpr short kWishFree = 8;
constexpr short kWishTaught = 11;
constexpr int kSeriesRule = 11;

bool isTeacher(int t) { return t >= 1 && gTeacherPlanSubject.inBounds(t, 0); }

bool taught(int t, int day, int period) { return isTeacher(t) && gTeacherPlanSubject(t, day, period) > 0; }

short code(int t, int day, int period) { return isTeacher(t) ? gTeacherUnavailable(t, day, period) : 0; }

// The week in use, kept within the per-day and per-period work tables.
int ratedDays() { return std::min(timetable::days(), static_cast<int>(gDayCounts.upper())); }
int ratedPeriods() { return std::min(timetable::periods(), static_cast<int>(gPeriodWork.upper())); }

bool seriesGapsCounted() { return gGapRules(kSeriesRule) == 1; }

// A free period marked "rather free" between lessons is no gap, unless a
// neighbour marked the same way had to be taught after all.
bool wishNeighbourTaught(int t, int day, int p, int periods)
{
    const auto neighbour = [&](int q) { return code(t, day, q) == kWishFree && taught(t, day, q); };
    return (p != 1 && neighbour(p - 1)) || (p != periods && neighbour(p + 1));
}

// Counts the blocked and taught periods of one day and returns the first and
// last taught period (periods and 0 on a free day).
std::pair<int, int> scanDay(int t, int day, int periods)
{
    int first = periods;
    int last = 0;
    for (int p = 1; p <= periods; ++p) {
        if (code(t, day, p) == kCannotCome)
            gGapWeight += 1;
        gPeriodWork(p) = 0;
        if (taught(t, day, p)) {
            gTeacherHours += 1;
            first = std::min(first, p);
            last = p;
        }
    }
    return {first, last};
}

void markGaps(int t, int day, int first, int last, int periods)
{
    for (int p = first; p <= last; ++p)
        if (!taught(t, day, p))
            gPeriodWork(p) = 1;
    for (int p = first; p <= last; ++p) {
        if (gPeriodWork(p) == 1 && code(t, day, p) == kCannotCome)
            gPeriodWork(p) = 0;
        if (gPeriodWork(p) == 1 && code(t, day, p) == kWishFree && !wishNeighbourTaught(t, day, p, periods))
            gPeriodWork(p) = 0;
        if (gPeriodWork(p) == 1) {
            ++gTeacherGaps;
            ++gDayCounts(day);
        }
    }
}

void countWishes(int t, int day, int periods)
{
    for (int p = 1; p <= periods; ++p) {
        const short c = code(t, day, p);
        const bool busy = taught(t, day, p);
        if ((c == kWishFree && busy) || (c == kWishTaught && !busy))
            gWishTotal += 1;
        else if ((c == kWishFree && !busy) || (c == kWishTaught && busy))
            gWishPeriods += 1;
    }
}

// Overlapping patterns count each: 0 1 0 1 0 1 0 holds two.
void countSeriesGaps(int periods)
{
    for (int k = 1; k <= periods - 4; ++k)
        if (gPeriodWork(k) == 0 && gPeriodWork(k + 1) == 1 && gPeriodWork(k + 2) == 0 && gPeriodWork(k + 3) == 1 &&
            gPeriodWork(k + 4) == 0)
            gSeriesGaps += 1;
}

// The school's last period per weekday, over all teachers and the whole grid.
void findLastPeriods()
{
    const int teachers = std::min(gMaxTeachers.toInt(), static_cast<int>(gTeacherPlanSubject.upper(0)));
    for (int day = 1; day <= 6; ++day) {
        gDayCounts2(day) = 0;
        for (int p = 1; p <= 11; ++p)
            for (int t = 1; t <= teachers; ++t)
                if (taught(t, day, p))
                    gDayCounts2(day) = static_cast<short>(p);
    }
}

// The term of the teacher just evaluated, in single precision throughout.
float teacherTerm()
{
    const float share = static_cast<float>(gTeacherHours.toDouble()) * gGapsForLoad /
                        static_cast<float>(gTeachingLoad.toDouble());
    float x = std::max(static_cast<float>(gTeacherGaps) - share, 0.0f);

    const double wishes = gWishPeriods.toDouble() + gWishTotal.toDouble();
    if (wishes != 0) {
        gWishCount = static_cast<short>(gWishCount + gWishTotal.toInt());
        gSumWishes += gWishPeriods;
        x += static_cast<float>(gWishTotal.toDouble()) * (gWishWeight / static_cast<float>(wishes));
    }
    if (gEarlyFinishPeriods.toDouble() != 0) {
        const double early = std::max(std::nearbyint(gEarlyFinishPeriods.toDouble() - gEvalCount), 0.0);
        x += static_cast<float>(early) / 2.0f;
    }
    if (seriesGapsCounted()) {
        x += 3.0f * static_cast<float>(gSeriesGaps.toDouble());
        gSumSeriesGaps += gSeriesGaps;
    }
    return static_cast<float>(std::pow(static_cast<double>(x), 5.0));
}

}

void ComputeTeacherGaps()
{
    const int t = gTeacher.toInt();
    const int periods = ratedPeriods();
    gTeacherHours = 0;
    gTeacherGaps = 0;
    gSeriesGaps = 0;
    gWishPeriods = 0;
    gWishTotal = 0;
    gGapWeight = 0;
    gEvalCount = 0;
    for (int day = 1; day <= ratedDays(); ++day) {
        const auto [first, last] = scanDay(t, day, periods);
        markGaps(t, day, first, last, periods);
        countWishes(t, day, periods);
        if (seriesGapsCounted())
            countSeriesGaps(periods);
        gEvalCount = static_cast<short>(gEvalCount + gDayCounts2(day) - last);
    }
}

void RateTimetable()
{
    // A load below one period would divide the accepted gaps by nothing; the
    // numeric value decides, so a stray text counts as no load at all.
    if (gTeachingLoad.toDouble() < 1)
        gTeachingLoad = 21;
    if (gGapsForLoad < 0)
        gGapsForLoad = 2;
    gSumSeriesGaps = 0;
    gWeightedGaps = 0;
    gSumHours = 0;
    float sum = 0;
    int rated = 0;

    if (gEarlyFinishPeriods.toDouble() != 0)
        findLastPeriods();
    for (int day = 1; day <= ratedDays(); ++day)
        gDayCounts(day) = 0;
    gSumWishes = 0;
    gWishCount = 0;

    const int teachers = std::min(gMaxTeachers.toInt(), static_cast<int>(gTeacherNames.upper()));
    for (int t = 1; t <= teachers; ++t) {
        if (gTeacherNames(t).toString().length() < 2)
            continue;
        gTeacher = t;
        ComputeTeacherGaps();
        if (gTeacherHours == 0)
            continue;
        if (gTeacherPlanExtra(t) == 1)
            gSeriesGaps = 0;
        gWeightedGaps += static_cast<float>(gGapWeight.toDouble());
        gSumHours += gTeacherHours;
        ++rated;
        sum += teacherTerm();
    }
    gSumGaps = static_cast<double>(sum);
    gQualityRatio = rated == 0 ? 0.0 : static_cast<double>(sum / static_cast<float>(rated));
}
