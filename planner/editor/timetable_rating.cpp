#include "planner/editor/timetable_rating.h"

#include "core/model.h"
#include "core/timetable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

namespace {

constexpr short kCannotCome = 9;
constexpr short kWishFree = 8;
constexpr short kWishTaught = 11;
constexpr int kSeriesRule = 11;

bool isTeacher(int t) { return t >= 1 && gTeacherPlanSubject.inBounds(t, 0); }

bool taught(int t, int day, int period) { return isTeacher(t) && gTeacherPlanSubject(t, day, period) > 0; }

// The week in use, kept within the per-day and per-period work tables.
int ratedDays() { return std::min(timetable::days(), static_cast<int>(gDayCounts.upper())); }
int ratedPeriods() { return std::min(timetable::periods(), static_cast<int>(gPeriodWork.upper())); }

bool seriesGapsCounted() { return gGapRules(kSeriesRule) == 1; }

// One day of a teacher as the rating reads it, periods 1..periods.
struct TeacherDay {
    static constexpr int kPeriods = 11;
    int periods = 0;
    std::array<short, kPeriods + 1> code{};
    std::array<bool, kPeriods + 1> taught{};
    // 1 for a gap, as gPeriodWork holds it.
    std::array<int, kPeriods + 1> gap{};
};

TeacherDay teacherDay(int t, int day, int periods)
{
    TeacherDay d;
    d.periods = periods;
    if (!isTeacher(t))
        return d;
    if (periods < 1)
        return d;
    // A day's periods lie side by side in both tables.
    const short* codes = &gTeacherUnavailable(t, day, 1);
    const short* subjects = &gTeacherPlanSubject(t, day, 1);
    for (int p = 1; p <= periods; ++p) {
        d.code[p] = codes[p - 1];
        d.taught[p] = subjects[p - 1] > 0;
    }
    return d;
}

// The figures of one teacher, summed over the days.
struct TeacherFigures {
    int hours = 0;
    int gaps = 0;
    int seriesGaps = 0;
    int wishPeriods = 0;
    int wishTotal = 0;
    int blocked = 0;
};

// A free period marked "rather free" between lessons is no gap, unless a
// neighbour marked the same way had to be taught after all.
bool wishNeighbourTaught(const TeacherDay& d, int p)
{
    const auto neighbour = [&](int q) { return d.code[q] == kWishFree && d.taught[q]; };
    return (p != 1 && neighbour(p - 1)) || (p != d.periods && neighbour(p + 1));
}

// Counts the blocked and taught periods of one day and returns the first and
// last taught period (periods and 0 on a free day).
std::pair<int, int> scanDay(const TeacherDay& d, TeacherFigures& f)
{
    int first = d.periods;
    int last = 0;
    for (int p = 1; p <= d.periods; ++p) {
        if (d.code[p] == kCannotCome)
            ++f.blocked;
        if (d.taught[p]) {
            ++f.hours;
            first = std::min(first, p);
            last = p;
        }
    }
    return {first, last};
}

// Returns the day's gaps.
int markGaps(TeacherDay& d, int first, int last)
{
    int gaps = 0;
    for (int p = first; p <= last; ++p) {
        const bool gap = !d.taught[p] && d.code[p] != kCannotCome &&
                         !(d.code[p] == kWishFree && !wishNeighbourTaught(d, p));
        d.gap[p] = gap ? 1 : 0;
        gaps += gap ? 1 : 0;
    }
    return gaps;
}

void countWishes(const TeacherDay& d, TeacherFigures& f)
{
    for (int p = 1; p <= d.periods; ++p) {
        const short c = d.code[p];
        const bool busy = d.taught[p];
        if ((c == kWishFree && busy) || (c == kWishTaught && !busy))
            ++f.wishTotal;
        else if ((c == kWishFree && !busy) || (c == kWishTaught && busy))
            ++f.wishPeriods;
    }
}

// Overlapping patterns count each: 0 1 0 1 0 1 0 holds two.
int seriesGaps(const TeacherDay& d)
{
    int count = 0;
    for (int k = 1; k <= d.periods - 4; ++k)
        if (d.gap[k] == 0 && d.gap[k + 1] == 1 && d.gap[k + 2] == 0 && d.gap[k + 3] == 1 && d.gap[k + 4] == 0)
            ++count;
    return count;
}

// A teacher's week as the rating read it, and what it found there. The search
// rates filling after filling, and from one to the next most teachers' weeks
// stay as they were: what was found is taken over instead of counted again.
struct RatedWeek {
    int days = -1;
    int periods = -1;
    bool series = false;
    std::array<TeacherDay, 7> week{};
    TeacherFigures figures;
    std::array<int, 7> gaps{};  // by day
    int lastPeriods = 0;        // the days' last taught periods, summed
};
// Teachers whose weeks are remembered: every one the teacher tables hold.
constexpr int kRemembered = static_cast<int>(std::remove_reference_t<decltype(gTeacherPlanSubject)>::upper(0)) + 1;

RatedWeek readWeek(int t, int days, int periods, bool series)
{
    RatedWeek w;
    w.days = days;
    w.periods = periods;
    w.series = series;
    for (int day = 1; day <= days; ++day)
        w.week[day] = teacherDay(t, day, periods);
    return w;
}

// Whether the tables hold the teacher's week as it was read into `w`.
bool sameWeek(const RatedWeek& w, int t, int days, int periods, bool series)
{
    if (w.days != days || w.periods != periods || w.series != series || !isTeacher(t))
        return false;
    for (int day = 1; day <= days && periods >= 1; ++day) {
        const short* codes = &gTeacherUnavailable(t, day, 1);
        const short* subjects = &gTeacherPlanSubject(t, day, 1);
        const TeacherDay& d = w.week[day];
        for (int p = 1; p <= periods; ++p)
            if (d.code[p] != codes[p - 1] || d.taught[p] != (subjects[p - 1] > 0))
                return false;
    }
    return true;
}

void rateWeek(RatedWeek& w)
{
    for (int day = 1; day <= w.days; ++day) {
        TeacherDay& d = w.week[day];
        const auto [first, last] = scanDay(d, w.figures);
        w.gaps[day] = markGaps(d, first, last);
        w.figures.gaps += w.gaps[day];
        countWishes(d, w.figures);
        if (w.series)
            w.figures.seriesGaps += seriesGaps(d);
        w.lastPeriods += last;
    }
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
    const int days = ratedDays();
    const int periods = ratedPeriods();
    const bool series = seriesGapsCounted();
    static std::array<RatedWeek, kRemembered> remembered;
    RatedWeek unremembered;
    RatedWeek& w = t >= 0 && t < kRemembered ? remembered[static_cast<std::size_t>(t)] : unremembered;
    if (!sameWeek(w, t, days, periods, series)) {
        w = readWeek(t, days, periods, series);
        rateWeek(w);
    }

    int earlyFinish = -w.lastPeriods;
    for (int day = 1; day <= w.days; ++day) {
        gDayCounts(day) = static_cast<short>(gDayCounts(day) + w.gaps[day]);
        earlyFinish += gDayCounts2(day);
    }
    // The gaps of the last day stay in gPeriodWork.
    for (int p = 1; w.days >= 1 && p <= w.periods; ++p)
        gPeriodWork(p) = w.week[w.days].gap[p];
    gTeacherHours = w.figures.hours;
    gTeacherGaps = static_cast<short>(w.figures.gaps);
    gSeriesGaps = w.figures.seriesGaps;
    gWishPeriods = w.figures.wishPeriods;
    gWishTotal = w.figures.wishTotal;
    gGapWeight = w.figures.blocked;
    gEvalCount = static_cast<short>(earlyFinish);
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
