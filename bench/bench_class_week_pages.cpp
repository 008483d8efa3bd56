// "Klassen 1/S" for every class of a school at capacity (24 classes, 60
// teachers, a full week of 5 days and 10 periods, ability groups in both
// group rows): one page per class, into the recorder and into a PDF file.
// Baseline: the same 24 PDF pages holding the title alone, so the cost of the
// grid shows apart from the cost of opening and writing the file.
#include "bench/widget_benchmarks.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/printer.h"

#include <QDir>
#include <QListWidgetItem>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kClasses = 24;
constexpr int kTeachers = 60;
constexpr int kSubjects = 20;
constexpr int kDays = 5;
constexpr int kPeriods = 10;
const char* const kAbbreviations[kSubjects] = {"D",  "E",   "M",  "F",  "L",  "Ph", "Ch", "Bio", "Gs", "Gw",
                                               "Mu", "BE",  "WE", "Sp", "Rk", "Re", "Inf", "Et", "Sw", "TeW"};

// Six grades of four classes, the first of each leading its ability groups;
// every period taught, every third one in two groups, with one or two
// teachers a lesson.
void generatedSchool()
{
    resetModel();
    InitialiseConstants();
    gDaysPerWeek = kDays;
    gPeriodsPerDay = kPeriods;
    gSchoolName = QStringLiteral("Bundesgymnasium Generiert");
    gSchoolYear = QStringLiteral("2026/27");
    for (int p = 1; p <= kPeriods; ++p) {
        gPeriodLabels(p) = QStringLiteral("%1.Eh.").arg(p);
        gPeriodTimes(p) = QStringLiteral("%1:00 - %1:50").arg(7 + p, 2, 10, QLatin1Char('0'));
    }
    for (int t = 1; t <= kTeachers; ++t) {
        gTeacherNames(t) = QStringLiteral("LEHRER%1 Vorname").arg(t);
        gTeacherShort(t) = QStringLiteral("L%1").arg(t, 2, 10, QLatin1Char('0'));
    }
    for (int s = 0; s <= kSubjects; ++s) {
        for (int column = 0; column <= 2; ++column)
            gSubjectNames(s, column) = s == 0 ? QStringLiteral("=") : QString::fromLatin1(kAbbreviations[s - 1]);
        gSubjectAttr(s, 1) = static_cast<short>(s % 13);
        gSubjectAttr(s, 4) = s % 3 == 0 ? 1 : 0;
    }
    const char* const letters[] = {"A", "b", "c", "d"};
    for (int k = 1; k <= kClasses; ++k) {
        gClassNames(k) = QStringLiteral("%1%2").arg(5 + (k - 1) / 4).arg(QString::fromLatin1(letters[(k - 1) % 4]));
        gClassPrintNames(k) = gClassNames(k).toString();
        gFormTeacher(k) = static_cast<short>(k);
        for (int s = 1; s <= kSubjects; ++s) {
            gSubjectTeachers(k, s, 0) = static_cast<short>((k * 7 + s) % kTeachers + 1);
            if (s % 4 == 0)
                gSubjectTeachers(k, s, 1) = static_cast<short>((k * 11 + s) % kTeachers + 1);
        }
        for (int d = 1; d <= kDays; ++d) {
            for (int p = 1; p <= kPeriods; ++p) {
                const int s = (k + d * 3 + p * 7) % kSubjects + 1;
                gTimetable(d, p, k, 0) = static_cast<short>(s);
                if (p % 3 == 0)
                    gTimetable(d, p, k, 1) = static_cast<short>(s % kSubjects + 1);
            }
        }
    }
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
