// Loading a plan reads its seven files and hashes each of them, to tell a set
// made of two saves: the planner does it at every start and every "Plan laden
// ...", so it must stay quick for a plan at the capacities of the data model.
#include "bench/full_plan.h"
#include "bench/widget_benchmarks.h"
#include "core/plan_files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void saveAFullPlan(const QString& folder)
{
    makeAFullPlan(folder);
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
