#pragma once
// The two staff lists of the print menu: the framed list of all teachers of
// the menu's teacher list ("Lehrerliste"), sized to fill one page, and the
// teachers of each class by the teaching assignment ("Klassenlehrer").
class Form14;

// Every item of List1, selected or not, one framed row each, on one
// portrait page under the school's name.
void PrintTeacherList(Form14& menu);
// One landscape page: a line per named class with the short names of the
// teachers assigned to it, always in Arial.
void PrintClassTeachers(Form14& menu);
