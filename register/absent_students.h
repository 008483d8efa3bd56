#pragma once
// Questions answered from the day files: who is absent on the loaded day, and
// who last entered the lesson content of a class and subject.

// Marks gStudentAbsent for the day in the line store (loaded by the caller):
// in file order, an absence marks a student, a return clears the mark.
void MarkAbsentStudents();

// Looks back over the 60 days before today, newest first, for lesson content of
// gSearchClass and gSearchSubject not held by a substitute; leaves the short
// name of whoever entered it in gFoundContentShort ("" when none).
void FindLessonContentEntry();
