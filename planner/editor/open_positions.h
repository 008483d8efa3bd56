#pragma once
// The optimiser's work list: the cells of the timetable grid it may fill, and
// how many subjects fit each of the first ones (for its progress estimate).

// Lists the cells whose group row 0 is not fixed in gOpenPositions rows
// 1..gOpenPositionCount, class by class, day by day, period by period, with
// candidate index 0, followed by an end row whose day is 0. Leaves gHalf 0.
// When the table is too small the cells that fit are kept and the last row
// becomes the end row.
void CollectOpenPositions();

// gFreeSubjectCounts(1..10) := the number of subjects that pass the standard
// chain in each of the first ten open cells (at least 1); does nothing when
// fewer than ten cells are open. Places nothing.
void CountFreeSubjectsPerPosition();
