// The reminder of missing lesson content on a school year of day files: about
// 200 days of a 24-class school, each day with every class's lesson content.
// It runs while a teacher waits for the class to open, so it must stay quick
// even when it looks 60 days back for several subjects.
#include "bench/widget_benchmarks.h"
#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/forms.h"
#include "register/content_reminder.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/school_week.h"
#include "register/week_overview.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kClasses = 24;
constexpr int kSubjects = 14;
const QDate kToday(2026, 3, 11);

// Subjects 13 and 14 are timetabled in class 1 but never get any content, so
// the look-up of their teacher goes back the whole 60 days.
void fillSchool()
{
    for (int c = 1; c <= kClasses; ++c)
        gClassNames(c) = QStringLiteral("%1%2").arg(c / 4 + 1).arg(QChar('A' + c % 4));
    for (int s = 1; s <= kSubjects; ++s)
        gSubjectNames(s, 2) = QStringLiteral("F%1").arg(s);
    for (int t = 1; t <= 60; ++t)
        gTeacherShort(t) = QStringLiteral("L%1").arg(t);
    for (int c = 1; c <= kClasses; ++c) {
        gFormTeacher(c) = static_cast<short>(c);
        for (int d = 1; d <= 5; ++d) {
            for (int p = 1; p <= 8; ++p)
                gTimetable(d, p, c, 0) = static_cast<short>((d * 8 + p + c) % 12 + 1);
        }
    }
    gTimetable(5, 9, 1, 0) = 13;
    gTimetable(5, 10, 1, 0) = 14;
}

QString contentLine(const QDate& day, int cls, int period, int subject)
{
    gEntryStamp = dates::timeStamp(QDateTime(day, QTime(8 + period, 5)));
    gUserShort = gTeacherShort((cls + subject) % 60 + 1);
    gEntryKind = "03";
    gEntryClass = gClassNames(cls);
    gEntrySubject = gSubjectNames(subject, 2);
    gEntryPeriod = QString::number(period);
    gEntryStudent = QString();
    gEntryRoom.clear();
    gEntryText = QStringLiteral("Kapitel %1, Übungen auf Seite %2").arg(period).arg(day.dayOfYear());
    return ComposeEntryLine();
}

// About 200 school days before today; last week class 1 wrote nothing.
void writeSchoolYear()
{
    const QDate lastMonday = SchoolWeekMonday(kToday).addDays(-7);
    int days = 0;
    for (QDate day = kToday.addDays(-1); days < 200; day = day.addDays(-1)) {
        const int weekday = day.dayOfWeek();
        if (weekday > 5)
            continue;
        ++days;
        QStringList lines;
        for (int c = 1; c <= kClasses; ++c) {
            if (c == 1 && day >= lastMonday && day < lastMonday.addDays(7))
                continue;
            for (int p = 1; p <= 8; ++p)
                lines << contentLine(day, c, p, gTimetable(weekday, p, c, 0));
        }
        datafile::rewrite(DayFilePath(day), lines);
    }
}

// The program starts in the data folder; the school is filled in after it.
Form1* startProgram(const QString& dataPath)
{
    const QString here = QDir::currentPath();
    QDir::setCurrent(dataPath);
    Form1* entry = forms::get<Form1>();
    QDir::setCurrent(here);
    gDataPath = dataPath + QLatin1Char('/');
    return entry;
}

class School {
public:
    School()
    {
        resetModel();
        Clock::set(QDateTime(kToday, QTime(10, 0)));
        Form1* entry = startProgram(m_dir.path());
        fillSchool();
        writeSchoolYear();
        entry->Text2->setText(dates::shortText(kToday.addDays(-7)));
        entry->Text3->setText(gClassNames(1).toString());
        gUserShort = QStringLiteral("L5");
    }
    ~School() { forms::unloadAll(); }

private:
    QTemporaryDir m_dir;
};

void BM_RemindMissingLessonContent(benchmark::State& state)
{
    School school;
    for (auto _ : state) {
        forms::get<Form11>();
        RemindMissingLessonContent();
        benchmark::DoNotOptimize(gCheckOk);
    }
}
BENCHMARK(BM_RemindMissingLessonContent)->Unit(benchmark::kMillisecond);

void BM_FillWeekOverview(benchmark::State& state)
{
    School school;
    for (auto _ : state) {
        FillWeekOverview();
        benchmark::DoNotOptimize(gClassEntryCount);
    }
}
BENCHMARK(BM_FillWeekOverview)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv) { return runWidgetBenchmarks(argc, argv); }
