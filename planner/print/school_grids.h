#pragma once
// The week of the whole school as the big sheets for the staff room, each on
// A3 or a plotter and reduced to A4: the staff grid with one row per teacher,
// the grid of all classes with the teaching-assignment list below it, and the
// vertical grid with the classes as columns. The print menu's status line
// tells how far a print is.
class Form14;

// Teachers Text4 to Text5 of the teacher list, 36 to a page.
void PrintStaffGrid(Form14& menu);
void PrintStaffGridReduced(Form14& menu);
// Every class and every teacher of the list, on one sheet.
void PrintSchoolGrid(Form14& menu);
void PrintSchoolGridReduced(Form14& menu);
// 13 classes to a page, and a new page before the class numbered in Text3.
void PrintVerticalGrid(Form14& menu);
void PrintVerticalGridReduced(Form14& menu);
