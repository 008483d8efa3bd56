#pragma once
// Placing subjects into the cells of the timetable grid, keeping the
// teacher-side tables (which teacher teaches what, where, when) in step.
// Like the other module procedures these take no arguments: the cell is
// gDay, gPeriod, gClass, gHalf and the subject gSubject.

// gClassFlagA: the class in gClass leads its grade for ability groups (its
// name ends in "A", "L" or "1"); gClassFlagR: it takes no part in them (its
// second character is "R").
void SetClassTypeFlags();

// gLastClass := the highest class number whose name is not empty.
void FindLastUsedClass();

// Puts gSubject into the current cell (0 empties it), freeing the teachers of
// the lesson that was there and entering those of the new one, with the
// subject's combination partner in the right row and ability groups spread
// over the parallel classes of the grade. gCheckOk = 1 when the new lesson
// has a teacher or needs none; after emptying a cell gSubject holds the
// subject removed.
void SetTimetableCell();

// Rebuilds the teacher-side tables from the timetable grid.
void RebuildTeacherTimetables();

// Empties every cell of the classes 1..gLastClass that carries no fixation.
void ClearUnfixedLessons();

namespace timetable {
// The days and periods of the week in use (gDaysPerWeek, gPeriodsPerDay),
// kept within the bounds of the grid.
int days();
int periods();
// The highest class in use (gLastClass), kept within the class table.
int lastClass();
// The grade of a class (number value of its name's first character) and
// whether it takes part in the ability groups of its grade (no "R" as its
// second character).
int grade(int cls);
bool inAbilityGroups(int cls);

// Rebuilds the teacher-side entries of one period of a day from the grid, as
// RebuildTeacherTimetables does for the week; gSubject and gTeacher are
// overwritten.
void rebuildTeacherPeriod(int day, int period);
}
