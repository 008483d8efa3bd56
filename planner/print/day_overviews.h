#pragma once
// One school day of the whole school on portrait pages: a row per class or
// per teacher, a column per period.
class Form14;

// "Gesamt-Std.plan": the classes on the day of List3, each cell with the
// subjects of both group rows and their teachers.
void PrintClassDayOverview(Form14& menu);
// "Personal-Std.pln": the teachers on that day, each cell with subject,
// class and the mark of a teacher who cannot come or has supervision.
void PrintStaffDayOverview(Form14& menu);
