// What the syncs cost the actions that write many files: the backup of a
// school year's day files and a plan save. Each run writes the same files
// once with the syncs and once without any, and counts the ratio of the two
// ("ratio", of the medians; the time shown is the synced one). The folder is
// a temporary one in BENCH_DATA_DIR, or in the system's temporary folder.
#include "admin/backup_window.h"
#include "bench/full_plan.h"
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/plan_commands.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/datafile.h"
#include "platform/forms.h"
#include "register/day_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <vector>

namespace {

constexpr int kDayFiles = 190;
constexpr int kLinesPerDay = 40;

QTemporaryDir benchFolder()
{
    const QString base = qEnvironmentVariable("BENCH_DATA_DIR", QDir::tempPath());
    return QTemporaryDir(base + QStringLiteral("/bench-syncs-XXXXXX"));
}

double secondsOf(const std::function<void()>& action, bool synced)
{
    datafile::setSyncing(synced);
    const auto start = std::chrono::steady_clock::now();
    action();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    datafile::setSyncing(true);
    return took.count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs `action` unsynced and synced in turn, after `prepare` each time; the
// ratio is of the medians, as other programs of the machine may stall a run.
void compare(benchmark::State& state, const std::function<void()>& prepare, const std::function<void()>& action)
{
    std::vector<double> synced, unsynced;
    for (auto _ : state) {
        prepare();
        unsynced.push_back(secondsOf(action, false));
        prepare();
        synced.push_back(secondsOf(action, true));
        state.SetIterationTime(synced.back());
    }
    state.counters["ratio"] = median(synced) / median(unsynced);
}

// The school days of a year, each a file of a day's entries; the backup
// copies them into qz of the target folder.
void BM_BackupOf190DayFiles(benchmark::State& state)
{
    QTemporaryDir folder = benchFolder();
    resetModel();
    gDataPath = folder.path() + QStringLiteral("/daten/");
    QDir().mkpath(gDataPath);
    const QDate first(2025, 9, 1);
    QDate day = first;
    for (int written = 0; written < kDayFiles; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        QFile file(DayFilePath(day));
        file.open(QIODevice::WriteOnly);
        for (int line = 0; line < kLinesPerDay; ++line)
            file.write(QStringLiteral("202509010930,\"ABC\",\"03\",\"4A\",\"M\",%1,\"Eva Maier\",\"Eintrag %2\"\r\n")
                           .arg(line % 11 + 1)
                           .arg(line)
                           .toLatin1());
        ++written;
    }
    gSchoolYearStart = dates::shortText(first);
    gSchoolYearEnd = QDateTime(day, QTime(0, 0));
    const QString target = folder.path() + QStringLiteral("/sicherung/");
    QDir().mkpath(target);
    // Each run copies over the copies of the one before, as a backup does.
    const auto backUp = [&] {
        Form69* form = forms::show<Form69>();
        form->Text3->setText(target);
        form->Command4_Click();
        form->Command1_Click();
    };
    compare(state, [] {}, backUp);
}
BENCHMARK(BM_BackupOf190DayFiles)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

// A full plan saved as a new plan, as "Plan speichern ..." saves it once
// named: its files, the plan list, the record, and the settings that name it
// for the next start.
void BM_PlanSave(benchmark::State& state)
{
    QTemporaryDir folder = benchFolder();
    makeAFullPlan(folder.path());
    const auto removePlan = [&] {
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(folder.filePath(name));
        gPlanName = QStringLiteral("1");
    };
    bool whole = true;
    compare(state, removePlan, [&whole] { whole = SavePlanUnder(nullptr, QStringLiteral("2"), QString()) && whole; });
    state.counters["whole"] = whole ? 1 : 0;
}
BENCHMARK(BM_PlanSave)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
