#pragma once
// The teaching assignments of the staff ("Lehrfächervert."): a line per
// teacher with each subject's abbreviation before the classes the teacher
// teaches it in, and the teacher's weekly hours, 42 lines to a portrait page,
// each page a print job of its own.
class Form14;

void PrintAssignmentList(Form14& menu);
