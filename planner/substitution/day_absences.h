#pragma once
// Who is away on the substitution day in memory: the statuses that put a
// teacher or a class on the day's absence list and the marks of the periods
// the absence covers (1 absent, 0 or empty present).
#include <QString>

enum class AbsenceSide { Teacher, Class };

// Numbers 1..capacity of the side's slots (60 teachers, 24 classes).
bool IsAbsenceSlot(AbsenceSide side, int slot);

// Sets the status of a slot (1 on the absence list, 0 present).
void SetAbsenceStatus(AbsenceSide side, int slot, int status);
// Sets the marks of periods 1..SubstitutionDayPeriods() of a slot: a whole
// day holds also the periods the school no longer has that the day was read
// with.
void SetAbsenceMarks(AbsenceSide side, int slot, int mark);
// The mark of one period of a slot (an empty mark counts as 0).
int AbsenceMark(AbsenceSide side, int slot, int period);
void SetAbsenceMark(AbsenceSide side, int slot, int period, int mark);

// Periods 1..SubstitutionPeriods() of a slot marked absent and marked present.
struct MarkCounts {
    int absent = 0;
    int present = 0;
};
MarkCounts CountAbsenceMarks(AbsenceSide side, int slot);

// "  " and the short name of each absent teacher, in teacher-number order;
// the same with the class names.
QString AbsentTeacherList();
QString AbsentClassList();
bool AnyClassAbsent();

// Every status to 0 (as the absence window does when it opens).
void ResetAbsenceStatuses();
// Statuses, reasons, paid flags and marks of every teacher and class back to
// present, the day then of the school's periods; the substitution records
// stay.
void ClearDayAbsences();
