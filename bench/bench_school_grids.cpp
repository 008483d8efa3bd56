// The week grids of the whole school for a school at capacity: 24 classes
// with a full week of 5 days and 11 periods in both group rows, 60 teachers
// and 40 subjects. Each grid prints into the recorder (the layout and the
// fitting alone) and into a PDF file; the whole-school sheet should reach its
// PDF in about a second. The baseline prints the same number of texts into a
// PDF without measuring any of them.
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/printer.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kTeachers = 60;
constexpr int kClasses = 24;
constexpr int kSubjects = 40;
constexpr int kDays = 5;
constexpr int kPeriods = 11;

const char* const kAbbreviations[] = {"De", "Ma", "En", "Fr", "La", "Bi", "Ch", "Ph", "Ek", "Ge",
                                      "Sp", "Mu", "Ku", "Re", "Et", "Inf", "Po", "Wi", "Sw", "Spa"};

QString className(int c) { return QString::number(5 + (c - 1) / 4) + QChar(u'a' + (c - 1) % 4); }

void fillSchool(const QString& dataPath)
{
    resetModel();
    InitialiseConstants();
    gDataPath = dataPath;
    gSchoolName = QStringLiteral("Lindenhof-Gymnasium Talheim");
    gPlanName = QStringLiteral("1");
    gDaysPerWeek = kDays;
    gPeriodsPerDay = kPeriods;
    for (int p = 1; p <= kPeriods; ++p)
        gPeriodLabels(p) = QStringLiteral("%1.Std.").arg(p);
    gTeacherNames(0) = QStringLiteral("-");
    for (int t = 1; t <= kTeachers; ++t) {
        gTeacherNames(t) = QStringLiteral("Müller-Lüdenscheidt %1 Anna").arg(t);
        gTeacherShort(t) = QStringLiteral("L%1").arg(t, 2, 10, QLatin1Char('0'));
    }
    for (int s = 1; s <= kSubjects; ++s) {
        const QString abbreviation = QString::fromLatin1(kAbbreviations[(s - 1) % 20]) + (s > 20 ? "2" : "");
        gSubjectNames(s, 0) = abbreviation + QStringLiteral(" lang");
        gSubjectNames(s, 1) = abbreviation;
        gSubjectNames(s, 2) = abbreviation;
        gSubjectAttr(s, 1) = static_cast<short>(s % 13);
    }
    for (int k = 1; k <= kClasses; ++k) {
        gClassNames(k) = className(k);
        gClassPrintNames(k) = className(k);
        gFormTeacher(k) = static_cast<short>(k);
        for (int s = 1; s <= kSubjects; ++s)
            gSubjectTeachers(k, s, 0) = static_cast<short>((k * 7 + s * 3) % kTeachers + 1);
    }
    for (int d = 1; d <= kDays; ++d) {
        for (int p = 1; p <= kPeriods; ++p) {
            for (int k = 1; k <= kClasses; ++k) {
                gTimetable(d, p, k, 0) = static_cast<short>((d * 11 + p + k) % kSubjects + 1);
                gTimetable(d, p, k, 1) = static_cast<short>((d * 13 + p * 3 + k) % kSubjects + 1);
            }
        }
    }
    // Every teacher teaches in every period, so the staff grid is full too.
    for (int t = 1; t <= kTeachers; ++t) {
        for (int d = 1; d <= kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                gTeacherPlanSubject(t, d, p) = static_cast<short>((t + d * 7 + p) % kSubjects + 1);
                gTeacherPlanClass(t, d, p) = static_cast<short>((t + p) % kClasses + 1);
            }
        }
    }
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
    menu->Text5->setText(QString::number(kTeachers));
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
            printAt(5 + (i % 70) * 5, 20 + (i / 70) * 3.0, gSubjectNames((i % kSubjects) + 1, 2));
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
BENCHMARK(BM_PlainTextsToPdf)->Arg(3000)->Unit(benchmark::kMillisecond);

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
