// Loading a plan reads its seven files and hashes each of them, to tell a set
// made of two saves: the planner does it at every start and every "Plan laden
// ...", so it must stay quick for a plan at the capacities of the data model.
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Six long days, every class with a lesson in every cell, saved as plan 1.
void saveAFullPlan(const QString& folder)
{
    resetModel();
    InitialiseConstants();
    gDataPath = folder + QLatin1Char('/');
    gDaysPerWeek = 6;
    gPeriodsPerDay = 11;
    for (int c = 1; c <= 24; ++c) {
        for (int s = 1; s <= 99; ++s) {
            gSubjectAttr(s, 5) = 1;
            gCurriculumHours(c, s) = static_cast<short>((c + s) % 5);
            gSubjectTeachers(c, s, 0) = static_cast<short>((c * 7 + s * 3) % 60 + 1);
        }
        for (int d = 1; d <= 6; ++d) {
            for (int p = 1; p <= 11; ++p)
                gTimetable(d, p, c, 0) = static_cast<short>(1 + (d * 11 + p + c * 3) % 99);
        }
    }
    gPlanName = QStringLiteral("1");
    SavePlan();
}

void BM_LoadAFullPlan(benchmark::State& state)
{
    QTemporaryDir dir;
    saveAFullPlan(dir.path());
    for (auto _ : state)
        LoadPlan();
    state.counters["whole"] = gCheckOk == 1 ? 1 : 0;
}
BENCHMARK(BM_LoadAFullPlan)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
