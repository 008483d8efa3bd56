#include "planner/substitution/day_absences.h"

#include "core/model.h"
#include "planner/substitution/substitution_day.h"

namespace {
using TeacherTable = decltype(Model::gTeacherAbsence);
using ClassTable = decltype(Model::gClassAbsence);
using TeacherMarks = decltype(Model::gTeacherAbsentPeriods);

constexpr int kAbsent = 1;

Variant& statusOf(AbsenceSide side, int slot)
{
    return side == AbsenceSide::Teacher ? gTeacherAbsence(slot) : gClassAbsence(slot);
}

Variant& markOf(AbsenceSide side, int slot, int period)
{
    return side == AbsenceSide::Teacher ? gTeacherAbsentPeriods(slot, period) : gClassAbsentPeriods(slot, period);
}

QString absentList(AbsenceSide side, int lastSlot, QString (*name)(int))
{
    QString list;
    for (int slot = 1; slot <= lastSlot; ++slot) {
        if (statusOf(side, slot) == kAbsent)
            list += QStringLiteral("  ") + name(slot);
    }
    return list;
}

QString teacherShortName(int t) { return gTeacherShort(t); }
QString className(int c) { return gClassNames(c).toString(); }
}

bool IsAbsenceSlot(AbsenceSide side, int slot)
{
    const long last = side == AbsenceSide::Teacher ? TeacherTable::upper() : ClassTable::upper();
    return slot >= 1 && slot <= last;
}

void SetAbsenceStatus(AbsenceSide side, int slot, int status)
{
    if (IsAbsenceSlot(side, slot))
        statusOf(side, slot) = status;
}

void SetAbsenceMarks(AbsenceSide side, int slot, int mark)
{
    for (int p = 1; p <= SubstitutionDayPeriods(); ++p)
        SetAbsenceMark(side, slot, p, mark);
}

int AbsenceMark(AbsenceSide side, int slot, int period)
{
    return IsAbsenceSlot(side, slot) ? markOf(side, slot, period).toInt() : 0;
}

void SetAbsenceMark(AbsenceSide side, int slot, int period, int mark)
{
    if (IsAbsenceSlot(side, slot))
        markOf(side, slot, period) = mark;
}

MarkCounts CountAbsenceMarks(AbsenceSide side, int slot)
{
    MarkCounts counts;
    if (!IsAbsenceSlot(side, slot))
        return counts;
    for (int p = 1; p <= SubstitutionPeriods(); ++p) {
        const Variant& mark = markOf(side, slot, p);
        if (mark == kAbsent)
            ++counts.absent;
        else if (mark == 0)
            ++counts.present;
    }
    return counts;
}

QString AbsentTeacherList() { return absentList(AbsenceSide::Teacher, TeacherTable::upper(), teacherShortName); }
QString AbsentClassList() { return absentList(AbsenceSide::Class, ClassTable::upper(), className); }
bool AnyClassAbsent() { return !AbsentClassList().isEmpty(); }

void ResetAbsenceStatuses()
{
    gTeacherAbsence.fill(0);
    gClassAbsence.fill(0);
}

void ClearDayAbsences()
{
    for (int t = 1; t <= TeacherTable::upper(); ++t) {
        gTeacherAbsence(t) = 0;
        gTeacherAbsenceReason(t) = QString();
        gTeacherPaid(t) = 0;
        for (int p = 1; p <= TeacherMarks::upper(1); ++p)
            gTeacherAbsentPeriods(t, p) = 0;
    }
    for (int c = 1; c <= ClassTable::upper(); ++c) {
        gClassAbsence(c) = 0;
        gClassAbsenceReason(c).clear();
        SetAbsenceMarks(AbsenceSide::Class, c, 0);
    }
    gSubstDayPeriods = 0;
}
