#include "planner/masterdata/lesson_cleanup.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/timetable_editor.h"

namespace {
constexpr int kTeachers = 60;
constexpr int kLastClassSlot = 24;
constexpr int kSubjects = 99;
constexpr int kTeacherSlots = 10;
// The ranges the clean-up walks: days 0..6 and periods 0..11 where a deleted
// teacher or class is cleared, days 1..6 and periods 1..12 elsewhere.
constexpr int kLastDay = 6;
constexpr int kLastPeriod = 11;
constexpr int kLastGridPeriod = 12;
constexpr int kShortestName = 2;

bool teacherDeleted(int t) { return gTeacherShort(t).size() < kShortestName; }
bool classDeleted(int c) { return gClassNames(c).toString().size() < kShortestName; }
bool subjectDeleted(int s)
{
    const QString& name = gSubjectNames(s, 1);
    return name.isEmpty() || name == QLatin1String("-") || name == QLatin1String("=");
}

void forgetTeacher(int t)
{
    for (int d = 0; d <= kLastDay; ++d) {
        for (int p = 0; p <= kLastPeriod; ++p) {
            gTeacherUnavailable(t, d, p) = 0;
            gTeacherPlanSubject(t, d, p) = 0;
            gTeacherPlanClass(t, d, p) = 0;
        }
    }
    for (int c = 0; c <= kLastClassSlot; ++c) {
        for (int s = 0; s <= gMaxSubjects; ++s) {
            for (int slot = 0; slot < kTeacherSlots; ++slot) {
                if (gSubjectTeachers(c, s, slot) == t)
                    gSubjectTeachers(c, s, slot) = 0;
            }
        }
    }
}

void forgetClass(int c)
{
    for (int s = 0; s <= gMaxSubjects; ++s)
        gCurriculumHours(c, s) = 0;
    for (int d = 0; d <= kLastDay; ++d) {
        for (int p = 0; p <= kLastPeriod; ++p) {
            for (int row = 0; row <= 1; ++row) {
                gTimetable(d, p, c, row) = 0;
                gFixations(d, p, c, row) = 0;
            }
        }
    }
}

// Every lesson of the grid that `drop` names is removed; fixations stay.
template <typename Drop>
void dropLessons(Drop drop)
{
    for (int d = 1; d <= kLastDay; ++d) {
        for (int p = 1; p <= kLastGridPeriod; ++p) {
            for (int c = 1; c <= kLastClassSlot; ++c) {
                for (int row = 0; row <= 1; ++row) {
                    if (drop(p, c, gTimetable(d, p, c, row)))
                        gTimetable(d, p, c, row) = 0;
                }
            }
        }
    }
}

void forgetSubject(int s)
{
    for (int c = 1; c <= kLastClassSlot + 1; ++c) {
        gCurriculumHours(c, s) = 0;
        gClassSubjectHours(c, s) = Currency{};
    }
    for (int c = 0; c <= kLastClassSlot; ++c) {
        for (int slot = 0; slot < kTeacherSlots; ++slot)
            gSubjectTeachers(c, s, slot) = 0;
    }
    dropLessons([s](int, int, short lesson) { return lesson == s; });
}

void unassignSubjectsWithoutHours()
{
    for (int c = 1; c <= kLastClassSlot; ++c) {
        for (int s = 1; s <= kSubjects; ++s) {
            if (gCurriculumHours(c, s) != 0)
                continue;
            for (int slot = 0; slot < kTeacherSlots; ++slot) {
                if (gSubjectTeachers(c, s, slot) > 0)
                    gSubjectTeachers(c, s, slot) = 0;
            }
        }
    }
}

struct CurrentCell {
    Variant day, period, cls, half, subject, teacher;
};
}

void CleanUpOrphanedLessons()
{
    const CurrentCell current{gDay, gPeriod, gClass, gHalf, gSubject, gTeacher};
    for (int t = 1; t <= kTeachers; ++t) {
        if (teacherDeleted(t))
            forgetTeacher(t);
    }
    for (int c = 0; c <= kLastClassSlot; ++c) {
        if (classDeleted(c))
            forgetClass(c);
    }
    for (int s = 1; s <= kSubjects; ++s) {
        if (subjectDeleted(s))
            forgetSubject(s);
    }
    FindLastUsedClass();
    const int lastClass = gLastClass.toInt();
    const int periods = gPeriodsPerDay.toInt();
    dropLessons([lastClass, periods](int p, int c, short) { return c > lastClass || p > periods; });
    unassignSubjectsWithoutHours();

    // Left as they were, the teacher-side tables would still show lessons
    // just removed to every view, rule and printout; and the current cell,
    // left at the end of a loop, would send the next placement outside the
    // week.
    RebuildTeacherTimetables();
    gDay = current.day;
    gPeriod = current.period;
    gClass = current.cls;
    gHalf = current.half;
    gSubject = current.subject;
    gTeacher = current.teacher;
    if (forms::isOpen<Form15>())
        RedrawTimetableGrid();
}
