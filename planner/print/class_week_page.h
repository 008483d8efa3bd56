#pragma once
// The week timetable of a class on one landscape page, as it hangs in the
// classroom: the title, a head per school day, per period its caption and
// time, per cell the subjects of both group rows in their colours with their
// teachers below, and the signature block of form teacher, school year,
// place and date.
class Form14;

// "Klassen-Stpl  A3": the class chosen in List4, framed for an A3 printer or
// a plotter, with the legend of its teachers and the page footer.
void PrintClassWeekPageA3(Form14& menu);
// "Klassen 1/S": one A4 page, a print job of its own, for each class ticked
// in List2, in class order.
void PrintClassWeekPagesA4(Form14& menu);
