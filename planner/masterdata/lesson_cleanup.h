#pragma once
// The clean-up of the timetable data: lessons, assignments, hour counts and
// availability codes that still name a deleted teacher, class or subject are
// removed, as are lessons of classes above the last named class and of
// periods beyond the day.

// A teacher whose short name is shorter than 2 characters, a class whose name
// is shorter than 2 characters and a subject whose screen name is "", "-" or
// "=" count as deleted. Fixation codes of cells emptied for a deleted subject,
// a class beyond the last or a period beyond the day stay. Afterwards the
// teacher-side tables follow the cleaned grid, the current cell and entities
// (gDay .. gTeacher) are as before, and an open editor shows the result.
void CleanUpOrphanedLessons();
