// Loading a busy day and appending a day's entries: every register view reloads
// its day every 20 seconds, and every entry is a separate append.
#include "core/model.h"
#include "platform/datafile.h"
#include "register/day_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void setEntry(int n)
{
    gEntryStamp = QStringLiteral("202603110930");
    gUserShort = QStringLiteral("ABC");
    gEntryKind = n % 3 == 0 ? "01" : "03";
    gEntryClass = "4A";
    gEntrySubject = "M";
    gEntryPeriod = QString::number(n % 11 + 1);
    gEntryStudent = "Eva Maier";
    gEntryText = QStringLiteral("Eintrag %1 mit einem Text von üblicher Länge").arg(n);
}

// 1000 lines: every tenth a removal line cancelling an earlier entry.
void writeBusyDay(const QString& path)
{
    gDayFilePath = path;
    QFile::remove(path);
    for (int n = 1; n <= 1000; ++n) {
        if (n % 10 == 0) {
            ComposeRemovalLine(n - 5);
        } else {
            setEntry(n);
            ComposeEntryLine();
        }
        AppendDayLine(gText.toString());
    }
}

void BM_LoadDayOf1000Lines(benchmark::State& state)
{
    QTemporaryDir dir;
    writeBusyDay(dir.filePath(QStringLiteral("20260311.qz")));
    for (auto _ : state) {
        LoadDayEntries();
        benchmark::DoNotOptimize(gDayLineCount);
    }
}
BENCHMARK(BM_LoadDayOf1000Lines)->Unit(benchmark::kMicrosecond);

// The baseline of the loader: the same file's bytes, read and nothing more.
void BM_ReadRawBytesOfTheSameDay(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20260311.qz"));
    writeBusyDay(path);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("the day file cannot be read");
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_ReadRawBytesOfTheSameDay)->Unit(benchmark::kMicrosecond);

void BM_Append1000Entries(benchmark::State& state)
{
    QTemporaryDir dir;
    gDayFilePath = dir.filePath(QStringLiteral("20260311.qz"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(gDayFilePath);
        state.ResumeTiming();
        for (int n = 1; n <= 1000; ++n) {
            setEntry(n);
            benchmark::DoNotOptimize(AppendDayLine(ComposeEntryLine()));
        }
    }
}
BENCHMARK(BM_Append1000Entries)->Unit(benchmark::kMillisecond);
}

BENCHMARK_MAIN();
