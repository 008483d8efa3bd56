// The rebuild of the plan list looks for each of the plans 1..9999 in the data
// folder. A folder of a school at capacity holds about 3000 files: 200 plans
// of 7 files each and the register's and substitution day files of the days
// kept; the rebuild must stay well under a second there. "Plan laden ..."
// checks the list against the plans of that folder each time it opens.
#include "bench/widget_benchmarks.h"
#include "core/model.h"
#include "core/plan_list_file.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kPlans = 200;
constexpr int kDays = 800;
constexpr int kLookUps = 9999;
const char* const kPlanTags[] = {"T&E", "LFV", "KSP", "STU", "SPW", "LKN", "KOP"};

void touch(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(" 0 \r\n");
}

// A data folder at capacity, made once for every run.
const QString& fullFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QLatin1Char('/');
        for (int plan = 1; plan <= kPlans; ++plan) {
            for (const char* tag : kPlanTags)
                touch(path + QString::fromLatin1(tag) + QString::number(plan * 37) + QStringLiteral(".xxx"));
        }
        const QDate first(2025, 8, 1);
        for (int d = 0; d < kDays; ++d) {
            const QString key = first.addDays(d).toString(QStringLiteral("yyyyMMdd"));
            touch(path + key + QStringLiteral(".qz"));
            touch(path + key + QStringLiteral(".sup"));
        }
        return path;
    }();
    return folder;
}

void BM_RebuildPlanList(benchmark::State& state)
{
    resetModel();
    gDataPath = fullFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(RebuildPlanList());
    state.SetItemsProcessed(state.iterations() * kLookUps);
    state.counters["files"] = static_cast<double>(QDir(gDataPath).count());
}
BENCHMARK(BM_RebuildPlanList)->Unit(benchmark::kMillisecond);

// A list naming every plan of the folder, as "Plan laden ..." finds it.
void BM_CheckAWholePlanList(benchmark::State& state)
{
    resetModel();
    gDataPath = fullFolder();
    QFile list(gDataPath + QStringLiteral("Pläne.lst"));
    if (list.open(QIODevice::WriteOnly)) {
        for (int plan = kPlans; plan >= 1; --plan)
            list.write(QByteArray(" ") + QByteArray::number(plan * 37) + " \r\n");
        list.close();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanListIsDamaged());
    state.counters["damaged"] = PlanListIsDamaged() ? 1 : 0;
    list.remove();
}
BENCHMARK(BM_CheckAWholePlanList)->Unit(benchmark::kMillisecond);

// Baseline: listing the same folder once.
void BM_ListTheSameFolder(benchmark::State& state)
{
    const QString folder = fullFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System));
}
BENCHMARK(BM_ListTheSameFolder)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
