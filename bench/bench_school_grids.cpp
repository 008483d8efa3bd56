// The week grids of the whole school for the generated school at capacity:
// 24 classes with ability groups, 60 teachers, a week of 5 days and 9
// periods. Each grid prints into the recorder (the layout and the fitting
// alone) and into a PDF file; the whole-school sheet should reach its PDF in
// about a second. The baseline prints about as many texts as that sheet into
// a PDF without measuring any of them.
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "tests/support/generated_school.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr unsigned kSeed = 1;

void fillSchool(const QString& dataPath)
{
    resetModel();
    InitialiseConstants();
    generated_school::build(kSeed);
    gDataPath = dataPath;
}

QString& dataPath()
{
    static QTemporaryDir dir;
    static QString path = dir.path() + QLatin1Char('/');
    return path;
}

struct Member {
    void (Form14::*click)();
    bool a3;
};
const Member kMembers[] = {
    {&Form14::Command13_Click, true},  {&Form14::Command29_Click, false}, {&Form14::Command14_Click, true},
    {&Form14::Command28_Click, false}, {&Form14::Command15_Click, true},  {&Form14::Command30_Click, false},
};
const char* const kCaptions[] = {"Personal-Stundenplan A3", "Personal-Stpl. verkl", "Gesamt-Stpl.+ LFV A3",
                                 "Gesamt-Stpl. verkl",      "Gesamt-Stpl. - senkrecht A3", "Gesamt-senkr. verkl"};

Form14* openMenu()
{
    Form14* menu = forms::show<Form14>();
    menu->Text5->setText(QString::number(generated_school::kTeachers));
    return menu;
}

struct Counts {
    int pages = 0;
    int texts = 0;
};

// One print of the member into the recorder.
Counts recordOnce(Form14* menu, const Member& m)
{
    PrintRecorder& rec = recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
    (menu->*m.click)();
    return {rec.pagesSent, static_cast<int>(rec.texts().size())};
}

void report(benchmark::State& state, const Counts& counts)
{
    using benchmark::Counter;
    state.counters["pages"] = counts.pages;
    state.counters["texts"] = counts.texts;
    state.counters["per page"] = Counter(counts.pages, Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["per text"] = Counter(counts.texts, Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.SetLabel(kCaptions[state.range(0)]);
}

// The layout and the fitting, measured on the recorder's fixed metrics.
void BM_GridToRecorder(benchmark::State& state)
{
    const Member& m = kMembers[state.range(0)];
    fillSchool(dataPath());
    Form14* menu = openMenu();
    Counts counts;
    for (auto _ : state)
        counts = recordOnce(menu, m);
    report(state, counts);
    resetPrinter();
}
BENCHMARK(BM_GridToRecorder)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The same into a PDF file, A3 or A4 as the member is made for.
void BM_GridToPdf(benchmark::State& state)
{
    const Member& m = kMembers[state.range(0)];
    fillSchool(dataPath());
    Form14* menu = openMenu();
    const Counts counts = recordOnce(menu, m);
    printer().choosePrinter(QString::fromLatin1(m.a3 ? Printer::kPdfA3Printer : Printer::kPdfPrinter));
    QDir out(dataPath() + QStringLiteral("Ausdrucke"));
    for (auto _ : state) {
        (menu->*m.click)();
        state.PauseTiming();
        out.removeRecursively();
        state.ResumeTiming();
    }
    report(state, counts);
    resetPrinter();
}
BENCHMARK(BM_GridToPdf)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Baseline: as many texts as the whole-school sheet prints, at one size on
// one A3 page into a PDF, none of them measured.
void BM_PlainTextsToPdf(benchmark::State& state)
{
    fillSchool(dataPath());
    printer().choosePrinter(QString::fromLatin1(Printer::kPdfA3Printer));
    const int texts = static_cast<int>(state.range(0));
    for (auto _ : state) {
        printer().beginRun(QStringLiteral("Basis"), dataPath() + QStringLiteral("Ausdrucke"));
        printer().setScaleMode(Printer::Scale::Millimetres);
        printer().setFontSize(8);
        for (int i = 0; i < texts; ++i)
            printAt(5 + (i % 70) * 5, 20 + (i / 70) * 3.0, gSubjectNames((i % gMaxSubjects) + 1, 2));
        printer().endRun();
        state.PauseTiming();
        QDir(dataPath() + QStringLiteral("Ausdrucke")).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["texts"] = texts;
    state.counters["per text"]
        = benchmark::Counter(texts, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    resetPrinter();
}
BENCHMARK(BM_PlainTextsToPdf)->Arg(900)->Unit(benchmark::kMillisecond);

// What the fitting measures: one text width on the PDF printer's metrics.
void BM_MeasureText(benchmark::State& state)
{
    resetPrinter();
    printer().setScaleMode(Printer::Scale::Millimetres);
    double size = 10;
    for (auto _ : state) {
        printer().setFontSize(size);
        benchmark::DoNotOptimize(printer().textWidth(QStringLiteral("Inf2")));
        size = size > 1 ? size - 0.1 : 10;
    }
}
BENCHMARK(BM_MeasureText);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
