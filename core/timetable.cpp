#include "core/timetable.h"

#include "core/model.h"
#include "platform/numbers.h"

#include <algorithm>

namespace {

// A lesson's teachers are looked up in these slots of the teaching assignment.
constexpr int kTeacherSlots = 10;

struct Cell {
    int day, period, cls, half;
};

Cell currentCell() { return {gDay.toInt(), gPeriod.toInt(), gClass.toInt(), gHalf.toInt()}; }
short& lessonAt(const Cell& c) { return gTimetable(c.day, c.period, c.cls, c.half); }
Cell rightRowOf(const Cell& c) { return {c.day, c.period, c.cls, 1}; }

short toSubject(const Variant& v) { return numbers::toInt16(v.toDouble()).value_or(0); }

// Subject and teacher numbers come from plan and subject files written
// elsewhere; a number outside the tables names nothing.
short property(int subject, int column)
{
    return gSubjectAttr.inBounds(subject) ? gSubjectAttr(subject, column) : 0;
}
bool hasAbilityGroups(int subject) { return property(subject, 4) == 1; }
short partnerOf(int subject) { return property(subject, 6); }

short teacherOf(int cls, int subject, int slot)
{
    return gSubjectTeachers.inBounds(subject, 1) ? gSubjectTeachers(cls, subject, slot) : 0;
}

void setTeacherEntry(int teacher, const Cell& c, short subject, short cls)
{
    if (!gTeacherPlanSubject.inBounds(teacher))
        return;
    gTeacherPlanSubject(teacher, c.day, c.period) = subject;
    gTeacherPlanClass(teacher, c.day, c.period) = cls;
}

void freeTeachers(const Cell& c, int subject)
{
    for (int slot = 0; slot < kTeacherSlots; ++slot) {
        gTeacher = teacherOf(c.cls, subject, slot);
        setTeacherEntry(gTeacher.toInt(), c, 0, 0);
    }
}

void enterTeachers(const Cell& c, short subject)
{
    for (int slot = 0; slot < kTeacherSlots; ++slot) {
        gTeacher = teacherOf(c.cls, subject, slot);
        if (gTeacher > 0)
            gCheckOk = 1;
        setTeacherEntry(gTeacher.toInt(), c, subject, static_cast<short>(c.cls));
    }
}

QString upperName(int cls) { return gClassNames(cls).toString().toUpper(); }
bool leadsGrade(const QString& name)
{
    return name.endsWith(QLatin1Char('A')) || name.endsWith(QLatin1Char('L')) || name.endsWith(QLatin1Char('1'));
}
bool outsideAbilityGroups(const QString& name) { return name.size() >= 2 && name[1] == QLatin1Char('R'); }
int gradeOf(int cls) { return static_cast<int>(numbers::val(gClassNames(cls).toString().left(1))); }

// Sets the cell in every class of the grade of c.cls that takes part in
// ability groups; putting a lesson skips classes without a name.
void setAcrossGrade(const Cell& c, short subject, bool namedOnly)
{
    const int grade = gradeOf(c.cls);
    for (int k = 1; k <= gMaxClasses.toInt(); ++k) {
        const QString name = upperName(k);
        if ((namedOnly && name.isEmpty()) || gradeOf(k) != grade || outsideAbilityGroups(name))
            continue;
        gTimetable(c.day, c.period, k, c.half) = subject;
    }
}

// An ability-group lesson is taken out through the leading class of its grade.
void removeAbilityGroupLesson(const Cell& c, short subject)
{
    SetClassTypeFlags();
    if (gClassFlagR == 1) {
        lessonAt(c) = 0;
    } else if (gClassFlagA == 1) {
        freeTeachers(c, subject);
        lessonAt(c) = 0;
        setAcrossGrade(c, 0, false);
    }
}

void removeLesson(const Cell& c, short subject)
{
    if (hasAbilityGroups(subject)) {
        removeAbilityGroupLesson(c, subject);
        return;
    }
    freeTeachers(c, subject);
    lessonAt(c) = 0;
    if (const short partner = partnerOf(subject); partner != 0) {
        freeTeachers(c, partner);
        lessonAt(rightRowOf(c)) = 0;
    }
}

void putLesson(const Cell& c, short subject)
{
    SetClassTypeFlags();
    const bool abilityGroups = hasAbilityGroups(subject);
    if (abilityGroups && gClassFlagR == 1)
        return;
    if (property(subject, 5) != 0)
        enterTeachers(c, subject);
    else
        gCheckOk = 1;
    lessonAt(c) = subject;
    if (abilityGroups) {
        setAcrossGrade(c, subject, true);
        gCheckOk = 1;
    }
}

struct SavedCell {
    Variant day, period, cls, half;
};
SavedCell keepCell() { return {gDay, gPeriod, gClass, gHalf}; }
void restoreCell(const SavedCell& s)
{
    gDay = s.day;
    gPeriod = s.period;
    gClass = s.cls;
    gHalf = s.half;
}

// Takes the lesson in row `half` of the current cell out and puts it in again.
void reenterLesson(int half)
{
    gHalf = half;
    gSubject = lessonAt(currentCell());
    if (gSubject == 0)
        return;
    if (half == 0) {
        SetClassTypeFlags();
        if (hasAbilityGroups(toSubject(gSubject)) && gClassFlagA == 0)
            return;
    }
    SetTimetableCell();
}

// Enters the teachers of every lesson the grid holds in one period of a day,
// over entries already cleared; a teacher with two lessons there (a placement
// forced over a clash) keeps the one of the later class.
void reenterPeriod(int day, int period)
{
    for (int k = 1; k <= gMaxClasses.toInt(); ++k) {
        gDay = day;
        gPeriod = period;
        gClass = k;
        reenterLesson(0);
        reenterLesson(1);
    }
}
}

namespace timetable {
int days() { return std::clamp(gDaysPerWeek.toInt(), 0, static_cast<int>(gTimetable.upper(0))); }
int periods() { return std::clamp(gPeriodsPerDay.toInt(), 0, static_cast<int>(gTimetable.upper(1))); }
int lastClass()
{
    const int classes = std::min(gMaxClasses.toInt(), static_cast<int>(gFixations.upper(2)));
    return std::clamp(gLastClass.toInt(), 0, classes);
}
int grade(int cls) { return gradeOf(cls); }
bool inAbilityGroups(int cls) { return !outsideAbilityGroups(upperName(cls)); }

void rebuildTeacherPeriod(int day, int period)
{
    const SavedCell saved = keepCell();
    for (int t = 0; t <= gTeacherPlanSubject.upper(0); ++t) {
        gTeacherPlanSubject(t, day, period) = 0;
        gTeacherPlanClass(t, day, period) = 0;
    }
    reenterPeriod(day, period);
    restoreCell(saved);
}
}

void SetClassTypeFlags()
{
    const QString name = upperName(gClass.toInt());
    gClassFlagA = leadsGrade(name) ? 1 : 0;
    gClassFlagR = outsideAbilityGroups(name) ? 1 : 0;
}

void FindLastUsedClass()
{
    for (int k = 1; k <= gMaxClasses.toInt(); ++k) {
        if (!gClassNames(k).toString().isEmpty())
            gLastClass = k;
    }
}

void SetTimetableCell()
{
    const Cell c = currentCell();
    gCheckOk = 0;
    const short newSubject = toSubject(gSubject);
    // A stray negative number read from a plan file is emptied like a lesson.
    if (const short old = lessonAt(c); old != 0) {
        gSubject = old;
        removeLesson(c, old);
    }
    if (newSubject == 0)
        return;
    gSubject = newSubject;
    putLesson(c, newSubject);
    if (const short partner = partnerOf(newSubject); c.half == 0 && partner != 0) {
        const Cell right = rightRowOf(c);
        removeLesson(right, lessonAt(right));
        putLesson(right, partner);
    }
}

void RebuildTeacherTimetables()
{
    const SavedCell saved = keepCell();
    // Cleared whole, so a week shorter than the previous plan's keeps none of its lessons.
    gTeacherPlanSubject.fill(0);
    gTeacherPlanClass.fill(0);
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            reenterPeriod(d, p);
    restoreCell(saved);
}

void ClearUnfixedLessons()
{
    const SavedCell saved = keepCell();
    const int lastClass = std::min(gLastClass.toInt(), gMaxClasses.toInt());
    for (int d = 1; d <= timetable::days(); ++d) {
        for (int p = 1; p <= timetable::periods(); ++p) {
            for (int k = 1; k <= lastClass; ++k) {
                for (int half = 0; half <= 1; ++half) {
                    gDay = d;
                    gPeriod = p;
                    gClass = k;
                    gHalf = half;
                    gSubject = 0;
                    if (gFixations(d, p, k, half) == 0)
                        SetTimetableCell();
                }
            }
        }
    }
    restoreCell(saved);
}
