// Writes substitution days of the made-up school into its data folder (demo/,
// or the folder given as argument) for three school days of the week of
// Monday 14 September 2026: on Monday a teacher is ill all day, on Tuesday one
// is at a course for the third and fourth period, on Thursday a class is on an
// excursion. The lessons the absent teachers would have given in plan "1" are
// covered by teachers who are free in that period, the last one of the day
// ill is cancelled. The days are written through SaveSubstitutionDay, so the
// demo's day files are always in the form the program writes.
#include "core/constants.h"
#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/substitution/day_absences.h"
#include "planner/substitution/substitution_day.h"
#include "platform/dates.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

const QDate kMonday{2026, 9, 14};
constexpr int kMondayIndex = 1;
constexpr int kTuesdayIndex = 2;
constexpr int kThursdayIndex = 4;
constexpr int kCourseFrom = 3;
constexpr int kCourseTo = 4;
// A teacher ill all day is only worth showing with a full day of lessons.
constexpr int kLessonsOfTheIllTeacher = 4;
constexpr short kCancelled = -2;
// The availability codes of a teacher who cannot come or has supervision.
constexpr short kCannotCome = 9;
constexpr short kSupervision = 10;
const char* const kExcursionClass = "7a";

int periods() { return SubstitutionPeriods(); }

bool isNamedTeacher(int t) { return gTeacherShort(t) != "-" && !gTeacherShort(t).isEmpty(); }

bool teaches(int t, int day, int period) { return gTeacherPlanSubject(t, day, period) != 0; }

int lessonsOn(int t, int day)
{
    int n = 0;
    for (int p = 1; p <= periods(); ++p)
        n += teaches(t, day, p) ? 1 : 0;
    return n;
}

int firstTeacher(bool (*fits)(int))
{
    for (int t = 1; t <= gMaxTeachers.toInt(); ++t) {
        if (isNamedTeacher(t) && fits(t))
            return t;
    }
    std::fprintf(stderr, "the demo plan has no teacher for the substitution days\n");
    std::exit(1);
}

int findClass(const QString& name)
{
    for (int c = 1; c <= gMaxClasses.toInt(); ++c) {
        if (gClassNames(c).toString() == name)
            return c;
    }
    std::fprintf(stderr, "class %s is missing in the class file\n", qPrintable(name));
    std::exit(1);
}

// Who stands in for the lessons of the week, so the substitutions spread.
std::map<int, int> gStandIns;

// A teacher at school that day who is free in the period, neither away, on
// supervision nor already standing in there; the one who stood in least.
int freeTeacher(int day, int period)
{
    int best = 0;
    for (int t = 1; t <= gMaxTeachers.toInt(); ++t) {
        const short code = gTeacherUnavailable(t, day, period);
        const bool free = isNamedTeacher(t) && gTeacherAbsence(t) != 1 && lessonsOn(t, day) > 0 &&
                          !teaches(t, day, period) && code != kCannotCome && code != kSupervision;
        bool standingIn = false;
        for (int r = 1; r <= gSubstRowCount; ++r)
            standingIn = standingIn || (gSubstRows(r, 1) == period && gSubstRows(r, 4) == t);
        if (free && !standingIn && (best == 0 || gStandIns[t] < gStandIns[best]))
            best = t;
    }
    return best;
}

void addRecord(int absent, int day, int period, short standIn, short paid, const QString& text)
{
    const int r = ++gSubstRowCount;
    gSubstRows(r, 0) = static_cast<short>(absent);
    gSubstRows(r, 1) = static_cast<short>(period);
    gSubstRows(r, 2) = gTeacherPlanSubject(absent, day, period);
    gSubstRows(r, 3) = gTeacherPlanClass(absent, day, period);
    gSubstRows(r, 4) = standIn;
    gSubstRows(r, 5) = paid;
    gSubstRowTexts(r) = text;
    if (standIn > 0)
        ++gStandIns[standIn];
}

// Records for the absent teacher's lessons in periods from..to; the last one
// is cancelled when `cancelLast` is set.
void coverLessons(int absent, int day, int from, int to, bool cancelLast)
{
    std::vector<int> lessons;
    for (int p = from; p <= to; ++p) {
        if (teaches(absent, day, p))
            lessons.push_back(p);
    }
    for (int p : lessons) {
        if (cancelLast && p == lessons.back()) {
            addRecord(absent, day, p, kCancelled, 0, QStringLiteral("entfällt, die Klasse geht nach Hause"));
            continue;
        }
        const int standIn = freeTeacher(day, p);
        addRecord(absent, day, p, static_cast<short>(standIn), gTeacherPaid(absent),
                  standIn > 0 ? QStringLiteral("Arbeitsblätter liegen im Fach") : QStringLiteral("Stillarbeit"));
    }
}

void newDay(int weekdayIndex)
{
    ClearDayAbsences();
    gSubstRowCount = 0;
    gWorkDate = dates::shortText(kMonday.addDays(weekdayIndex - 1));
}

bool save()
{
    if (SaveSubstitutionDay())
        return true;
    std::fprintf(stderr, "the substitution day %s could not be written to %s\n", qPrintable(gWorkDate.toString()),
                 qPrintable(gDataPath));
    return false;
}

bool illAllDay()
{
    newDay(kMondayIndex);
    const int ill = firstTeacher([](int t) { return lessonsOn(t, kMondayIndex) >= kLessonsOfTheIllTeacher; });
    SetAbsenceStatus(AbsenceSide::Teacher, ill, 1);
    SetAbsenceMarks(AbsenceSide::Teacher, ill, 1);
    gTeacherAbsenceReason(ill) = QStringLiteral("krank");
    gTeacherPaid(ill) = 1;
    coverLessons(ill, kMondayIndex, 1, periods(), true);
    return save();
}

bool courseForTwoPeriods()
{
    newDay(kTuesdayIndex);
    const int away = firstTeacher([](int t) { return teaches(t, kTuesdayIndex, kCourseFrom) && teaches(t, kTuesdayIndex, kCourseTo); });
    SetAbsenceStatus(AbsenceSide::Teacher, away, 1);
    for (int p = kCourseFrom; p <= kCourseTo; ++p)
        SetAbsenceMark(AbsenceSide::Teacher, away, p, 1);
    gTeacherAbsenceReason(away) = QStringLiteral("Fortbildung Erste Hilfe");
    gTeacherPaid(away) = 0;
    coverLessons(away, kTuesdayIndex, kCourseFrom, kCourseTo, false);
    return save();
}

bool excursion()
{
    newDay(kThursdayIndex);
    const int cls = findClass(QString::fromUtf8(kExcursionClass));
    SetAbsenceStatus(AbsenceSide::Class, cls, 1);
    SetAbsenceMarks(AbsenceSide::Class, cls, 1);
    gClassAbsenceReason(cls) = QStringLiteral("Exkursion ins Naturkundemuseum");
    return save();
}
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    InitialiseConstants();
    gDataPath = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("demo")).absolutePath() + "/";
    LoadMasterData();
    if (gPlanName.isEmpty())
        gPlanName = QStringLiteral("1");
    LoadPlan();
    if (gCheckOk != 1) {
        std::fprintf(stderr, "plan %s could not be read from %s\n", qPrintable(gPlanName), qPrintable(gDataPath));
        return 1;
    }
    if (!illAllDay() || !courseForTwoPeriods() || !excursion())
        return 1;
    std::printf("substitution days of the week of %s written to %s\n", qPrintable(dates::shortText(kMonday)),
                qPrintable(gDataPath));
    return 0;
}
