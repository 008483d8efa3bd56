// The optimiser's three modes on the generated school (24 classes, 60
// teachers, about 700 weekly hours), each run for a fixed time and stopped as
// the window's stop button stops it: the fill run ("Modus 0") from the fixed
// cells without and with "ai", the exhaustive search ("Modus 1") on one open
// day of three classes, and the improvement passes ("Modus 2") with every
// release method ticked and once per method. Counters:
// lessons placed of required, teacher gaps and rating of plan "0", passes or
// search steps per second, and how long after the stop was due the run
// returned (it must stay under 100 ms). The baselines beside them are what a
// run repeats: the rule chain over every open cell, the rating of a whole
// plan, and saving plan "0".
#include "bench/optimiser_trial.h"
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/editor/open_positions.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/timetable_rating.h"
#include "tests/support/generated_school.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr unsigned kSeed = 1;
constexpr int kFillMs = 30000;
constexpr int kSearchMs = 10000;
constexpr int kImproveMs = 10000;

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

void buildSchool()
{
    resetModel();
    InitialiseConstants();
    trial::answerMessagesQuietly();
    generated_school::build(kSeed);
    gDataPath = folder().path() + QLatin1Char('/');
}

void report(benchmark::State& state, const trial::Result& r)
{
    state.counters["placed"] = r.after.placed;
    state.counters["required"] = r.after.required;
    state.counters["gaps_before"] = r.before.teacherGaps;
    state.counters["gaps"] = r.after.teacherGaps;
    state.counters["rating_before"] = r.before.rating;
    state.counters["rating"] = r.after.rating;
    state.counters["passes"] = r.passes;
    state.counters["passes_per_s"] = r.passes / r.seconds;
    state.counters["steps_per_s"] = static_cast<double>(r.yields) / r.seconds;
    state.counters["stop_ms"] = r.stopLatencyMs;
    state.SetIterationTime(r.seconds);
}

// Argument: 1 with "ai" ticked.
void BM_FillRun(benchmark::State& state)
{
    for (auto _ : state) {
        buildSchool();
        generated_school::clearOpenLessons();
        report(state, trial::run(trial::kFill, kFillMs, kSeed, 0x1F, state.range(0) == 1));
    }
}
BENCHMARK(BM_FillRun)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_SearchOneOpenDay(benchmark::State& state)
{
    for (auto _ : state) {
        buildSchool();
        generated_school::openOneDayOfThreeClasses(1);
        report(state, trial::run(trial::kSearch, kSearchMs, kSeed));
    }
}
BENCHMARK(BM_SearchOneOpenDay)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Argument: the release method 1..5 ("1T", "LG", "Wa", "1K", "ZF"); 0 ticks
// all five, as the window comes up.
void BM_ImproveByMethod(benchmark::State& state)
{
    const unsigned method = state.range(0) == 0 ? 0x1FU : 1U << (state.range(0) - 1);
    for (auto _ : state) {
        buildSchool();
        report(state, trial::run(trial::kImprove, kImproveMs, kSeed, method));
    }
}
BENCHMARK(BM_ImproveByMethod)->DenseRange(0, 5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Baseline: the optimiser's rule chain for every subject of the class in every
// open cell of the fill run, once: a pass of the fill run repeats it in part.
void BM_ChainOverOpenCells(benchmark::State& state)
{
    buildSchool();
    generated_school::clearOpenLessons();
    CollectOpenPositions();
    long checks = 0;
    for (auto _ : state) {
        for (int row = 1; row <= gOpenPositionCount; ++row) {
            for (int s = 1; s <= gMaxSubjects; ++s) {
                const int cls = gOpenPositions(row, 1).toInt();
                if (gCurriculumHours(cls, s) == 0)
                    continue;
                gDay = gOpenPositions(row, 0);
                gClass = cls;
                gPeriod = gOpenPositions(row, 2);
                gHalf = 0;
                gSubject = s;
                gCheckOk = 1;
                benchmark::DoNotOptimize(RunOptimiserChain());
                ++checks;
            }
        }
    }
    state.counters["open_cells"] = gOpenPositionCount;
    state.SetItemsProcessed(checks);
}
BENCHMARK(BM_ChainOverOpenCells)->Unit(benchmark::kMillisecond);

// Baseline: rating the complete plan, as modes 1 and 2 do for every filling.
void BM_RateCompletePlan(benchmark::State& state)
{
    buildSchool();
    for (auto _ : state)
        RateTimetable();
    state.counters["rating"] = gQualityRatio.toDouble();
}
BENCHMARK(BM_RateCompletePlan)->Unit(benchmark::kMicrosecond);

// Baseline: saving plan "0", as every better result is kept.
void BM_SavePlanZero(benchmark::State& state)
{
    buildSchool();
    gPlanName = QStringLiteral("0");
    for (auto _ : state)
        SavePlan();
}
BENCHMARK(BM_SavePlanZero)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
