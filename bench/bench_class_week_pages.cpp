// "Klassen 1/S" for every class of the generated school at capacity (24
// classes with ability groups, 60 teachers, a week of 5 days and 9 periods):
// one page per class, into the recorder and into a PDF file.
// Baseline: the same 24 PDF pages holding the title alone, so the cost of the
// grid shows apart from the cost of opening and writing the file.
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "tests/support/generated_school.h"

#include <QDir>
#include <QListWidgetItem>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
using generated_school::kClasses;
constexpr unsigned kSeed = 1;

void generatedSchool()
{
    resetModel();
    InitialiseConstants();
    generated_school::build(kSeed);
}

// The print menu with every class ticked; it keeps its position in `folder`
// when it closes.
Form14* menuWithAllClasses(const QString& folder)
{
    gDataPath = folder + QLatin1Char('/');
    Form14* menu = forms::show<Form14>();
    for (int row = 0; row < kClasses; ++row)
        menu->List2->item(row)->setSelected(true);
    return menu;
}

void emptyFolder(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
}

void BM_KlassenEinsProSeiteIntoTheRecorder(benchmark::State& state)
{
    QTemporaryDir dir;
    generatedSchool();
    Form14* menu = menuWithAllClasses(dir.path());
    for (auto _ : state) {
        state.PauseTiming();
        PrintRecorder& recorder = recordPrinting();
        state.ResumeTiming();
        menu->Command25_Click();
        benchmark::DoNotOptimize(recorder.ops.size());
    }
    state.SetItemsProcessed(state.iterations() * kClasses);
    state.counters["pages"] = kClasses;
    forms::unload<Form14>();
    resetPrinter();
}
BENCHMARK(BM_KlassenEinsProSeiteIntoTheRecorder)->Unit(benchmark::kMillisecond);

void BM_KlassenEinsProSeiteIntoAPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    generatedSchool();
    printer().choosePrinter(QString::fromLatin1(Printer::kPdfPrinter));
    Form14* menu = menuWithAllClasses(dir.path());
    for (auto _ : state) {
        menu->Command25_Click();
        state.PauseTiming();
        emptyFolder(gDataPath + QStringLiteral("Ausdrucke"));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kClasses);
    state.counters["pages"] = kClasses;
    forms::unload<Form14>();
    resetPrinter();
}
BENCHMARK(BM_KlassenEinsProSeiteIntoAPdf)->Unit(benchmark::kMillisecond);

// Baseline: a PDF run of 24 landscape pages with the title alone.
void BM_TitlePagesIntoAPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    generatedSchool();
    printer().choosePrinter(QString::fromLatin1(Printer::kPdfPrinter));
    for (auto _ : state) {
        printer().beginRun(QStringLiteral("Titel"), dir.path());
        printer().setScaleMode(Printer::Scale::Millimetres);
        printer().setOrientation(QPageLayout::Landscape);
        setPrintFont(28, true);
        for (int k = 1; k <= kClasses; ++k) {
            printAt(40, 8, QStringLiteral("Stundenplan  -  ") + gClassPrintNames(k));
            printer().endDoc();
        }
        printer().endRun();
        state.PauseTiming();
        emptyFolder(dir.path());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kClasses);
    resetPrinter();
}
BENCHMARK(BM_TitlePagesIntoAPdf)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
