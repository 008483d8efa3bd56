// Start-up of the register and the classroom tools at the capacities of the
// data model: a school with a keyword in "code.dat" opens the tools over every
// student at each start, so both must stay quick at 1000 students.
#include "admin/classroom_tools.h"
#include "bench/widget_benchmarks.h"
#include "core/model.h"
#include "platform/forms.h"
#include "register/entry_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kStudents = 1000;
constexpr int kTeachers = 60;
constexpr int kClasses = 24;
constexpr int kSubjects = 99;
constexpr int kRooms = 100;
// One subject in "Fach2.txt": three names, then its 31 properties.
constexpr int kSubjectLines = 34;

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("windows-1252");
    QString text = decode(f.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeLines(const QString& path, const QStringList& lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QStringEncoder encode("windows-1252");
    for (const QString& line : lines)
        f.write(QByteArray(encode(line)) + "\r\n");
}

QString className(int c) { return QString::number(5 + (c - 1) / 4) + QChar(u'a' + (c - 1) % 4); }

// Long names, as schools with double first and family names have them.
QStringList students()
{
    QStringList lines;
    for (int s = 1; s <= kStudents; ++s) {
        lines << QStringLiteral("Müller-Lüdenscheidt %1 Anna-Katharina Sophie").arg(s)
              << className((s - 1) % kClasses + 1);
    }
    return lines;
}

QStringList teachers()
{
    QStringList lines;
    for (int t = 1; t <= kTeachers; ++t)
        lines << QStringLiteral("Lehrkraft %1").arg(t) << QStringLiteral("L%1").arg(t, 2, 10, QLatin1Char('0'));
    return lines;
}

// The demo's class file has 24 slots of name, print name and skip flag.
QStringList classes(QStringList lines)
{
    for (int c = 1; c <= kClasses; ++c)
        lines[c - 1] = className(c);
    return lines;
}

QStringList subjects(QStringList lines)
{
    for (int s = 1; s <= kSubjects; ++s) {
        const int first = (s - 1) * kSubjectLines;
        if (first + 2 < lines.size() && lines[first].trimmed().isEmpty()) {
            lines[first] = QStringLiteral("Fach %1").arg(s);
            lines[first + 1] = QStringLiteral("F%1").arg(s);
            lines[first + 2] = QStringLiteral("F%1").arg(s);
        }
    }
    return lines;
}

QStringList rooms()
{
    QStringList lines;
    for (int r = 1; r <= kRooms; ++r)
        lines << QStringLiteral("Raum %1").arg(r);
    return lines;
}

// The demo school, with its plan, filled up to the capacities.
void makeFullSchool(const QString& folder)
{
    const QDir demo(QStringLiteral(ORVQZ_DEMO_DIR));
    for (const QString& name : demo.entryList(QDir::Files))
        QFile::copy(demo.filePath(name), folder + QLatin1Char('/') + name);
    const auto file = [&](const QString& name) { return folder + QLatin1Char('/') + name; };
    writeLines(file(QStringLiteral("schüler.dat")), students());
    writeLines(file(QStringLiteral("Namen.txt")), teachers());
    writeLines(file(QStringLiteral("Klassen.txt")), classes(readLines(file(QStringLiteral("Klassen.txt")))));
    writeLines(file(QStringLiteral("Fach2.txt")), subjects(readLines(file(QStringLiteral("Fach2.txt")))));
    writeLines(file(QStringLiteral("Raeume-qz.dat")), rooms());
}

void closeAll()
{
    forms::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The program's start: the main window loads the school of the current folder
// and is shown; without a keyword the tools stay closed.
void startUp(benchmark::State& state, const QString& folder)
{
    const QString here = QDir::currentPath();
    QDir::setCurrent(folder);
    for (auto _ : state) {
        state.PauseTiming();
        resetModel();
        state.ResumeTiming();
        Form1* entry = forms::show<Form1>();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(entry);
        state.PauseTiming();
        closeAll();
        state.ResumeTiming();
    }
    QDir::setCurrent(here);
}

void BM_StartUpOnAnEmptyFolder(benchmark::State& state)
{
    QTemporaryDir dir;
    startUp(state, dir.path());
}
BENCHMARK(BM_StartUpOnAnEmptyFolder)->Unit(benchmark::kMillisecond);

void BM_StartUpOnAFullSchool(benchmark::State& state)
{
    QTemporaryDir dir;
    makeFullSchool(dir.path());
    startUp(state, dir.path());
}
BENCHMARK(BM_StartUpOnAFullSchool)->Unit(benchmark::kMillisecond);

void BM_StartUpOnAFullSchoolWithKeyword(benchmark::State& state)
{
    QTemporaryDir dir;
    makeFullSchool(dir.path());
    writeLines(dir.filePath(QStringLiteral("code.dat")), {QStringLiteral("Sonne")});
    startUp(state, dir.path());
}
BENCHMARK(BM_StartUpOnAFullSchoolWithKeyword)->Unit(benchmark::kMillisecond);

// The tools window opened over the whole school (no class in the main window)
// against the same window opened for a class that has no students: everything
// but the list is the same work.
void openTools(benchmark::State& state, const QString& cls)
{
    QTemporaryDir dir;
    makeFullSchool(dir.path());
    const QString here = QDir::currentPath();
    QDir::setCurrent(dir.path());
    resetModel();
    Form1* entry = forms::show<Form1>();
    entry->Text3->setText(cls);
    for (auto _ : state) {
        benchmark::DoNotOptimize(forms::show<Form39>());
        QCoreApplication::processEvents();
        state.PauseTiming();
        forms::unload<Form39>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        entry->activate();
        state.ResumeTiming();
    }
    closeAll();
    QDir::setCurrent(here);
}

void BM_ToolsOnAClassWithoutStudents(benchmark::State& state) { openTools(state, QStringLiteral("XY")); }
BENCHMARK(BM_ToolsOnAClassWithoutStudents)->Unit(benchmark::kMillisecond);

void BM_ToolsOn1000Students(benchmark::State& state) { openTools(state, QString()); }
BENCHMARK(BM_ToolsOn1000Students)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv, [] { QApplication::setFont(QFont(QStringLiteral("Arial"), 8)); });
}
