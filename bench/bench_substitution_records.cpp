// The standings, the statistics and the export over a school year of
// finished substitution days: each reads every day file once a run.
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/substitution/substitution_day.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_standings.h"
#include "planner/substitution/substitution_statistics.h"
#include "platform/dates.h"
#include "platform/printer.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kSchoolDays = 190;
constexpr int kRecordsPerDay = 20;
const QDate kFirstDay{2025, 9, 1};

// A school year of days Monday to Friday, 20 records each, half of them paid,
// and standings at the first day.
class SchoolYear {
public:
    SchoolYear()
    {
        resetModel();
        InitialiseConstants();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 10;
        gDataPath = m_dir.path() + QLatin1Char('/');
        for (int t = 1; t <= 60; ++t) {
            gTeacherNames(t) = QStringLiteral("Lehrer %1").arg(t);
            gTeacherShort(t) = QStringLiteral("L%1").arg(t);
        }
        QDate day = kFirstDay;
        for (int written = 0; written < kSchoolDays; day = day.addDays(1)) {
            if (dates::weekday(day) > 5)
                continue;
            writeDay(day, written++);
            m_last = day;
        }
        WriteStandings(dates::shortText(kFirstDay), SubstitutionCounts());
        gWorkDate = dates::shortText(m_last.addDays(1));
    }
    const QDate& last() const { return m_last; }
    QString path() const { return gDataPath; }

private:
    static void writeDay(const QDate& day, int n)
    {
        gWorkDate = dates::shortText(day);
        gSubstRowCount = kRecordsPerDay;
        gTeacherPaid(n % 60 + 1) = static_cast<short>(n % 2);
        for (int r = 1; r <= kRecordsPerDay; ++r) {
            const int fields[] = {n % 60 + 1, r % 10 + 1, r % 30 + 1, r % 24 + 1, (n + r) % 60 + 1, r % 2};
            for (int f = 0; f < 6; ++f)
                gSubstRows(r, f) = static_cast<short>(fields[f]);
            gSubstRowTexts(r) = QStringLiteral("Vertretung %1 mit einem Text").arg(r);
        }
        SaveSubstitutionDay();
    }

    QTemporaryDir m_dir;
    QDate m_last;
};

SchoolYear& year()
{
    static SchoolYear y;
    return y;
}

void perDayFile(benchmark::State& state)
{
    state.counters["per day file"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * kSchoolDays,
                             benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LoadSubstitutionTotals(benchmark::State& state)
{
    year();
    for (auto _ : state) {
        LoadSubstitutionTotals();
        benchmark::DoNotOptimize(gSubstCounts(1, 1));
    }
    perDayFile(state);
}
BENCHMARK(BM_LoadSubstitutionTotals)->Unit(benchmark::kMillisecond);

void BM_StatisticsCountedAndPrinted(benchmark::State& state)
{
    year();
    recordPrinting();
    for (auto _ : state) {
        const StatisticsTallies tallies = CountSubstitutionStatistics(kFirstDay, year().last()).tallies;
        PrintSubstitutionStatistics(dates::shortText(kFirstDay), year().last(), tallies);
        benchmark::DoNotOptimize(tallies[1].missed);
    }
    resetPrinter();
    perDayFile(state);
}
BENCHMARK(BM_StatisticsCountedAndPrinted)->Unit(benchmark::kMillisecond);

void BM_ExportOfTheYear(benchmark::State& state)
{
    year();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportSubstitutionRecords(kFirstDay, year().last()).ok);
    perDayFile(state);
}
BENCHMARK(BM_ExportOfTheYear)->Unit(benchmark::kMillisecond);

// The baseline: the raw bytes of the same day files, read and nothing more.
void BM_ReadRawBytesOfTheDayFiles(benchmark::State& state)
{
    year();
    QStringList files;
    for (QDate day = kFirstDay; day <= year().last(); day = day.addDays(1)) {
        if (dates::weekday(day) <= 5)
            files << SubstitutionDayFile(dates::key(day));
    }
    for (auto _ : state) {
        for (const QString& name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly))
                state.SkipWithError("a day file cannot be read");
            benchmark::DoNotOptimize(file.readAll().size());
        }
    }
    perDayFile(state);
}
BENCHMARK(BM_ReadRawBytesOfTheDayFiles)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
