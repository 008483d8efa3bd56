#pragma once
// The procedures the printouts of the print menu share: the frame of a box,
// the page footer of the large-format sheets and its reduced twin, the
// adjustments of printed subject texts, and the look-ups that turn numbers
// from the data into what a printout prints. Like the other module
// procedures, those without arguments work on the data model: the caller sets
// gRectX1..gRectY2, gFooterX/gFooterY or gText, calls, and prints the result.
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

class ListBox;

// The four sides of the box (gRectX1, gRectY1)-(gRectX2, gRectY2), clockwise
// from the top left, in the printer's colour and pen width.
void DrawPrinterRectangle();
// The same for the box given, whose corners it leaves in gRectX1..gRectY2.
void DrawPrinterFrame(double left, double top, double right, double bottom);

// Two lines at 4 pt from (gFooterX, gFooterY): the print date with the plan
// number, and the program's version. The printer keeps the footer's size and
// gText its last line.
void PrintPageFooter();
// The same, for a layout reduced from A3 to A4: size and position divided by
// the side ratio of the two formats.
void PrintPageFooterReduced();

// In a class that leads its grade's ability groups, a subject with ability
// groups prints without the "A" (or "a") that ends its text in gText.
void StripSubjectSuffixA();
// For a plotter without umlauts: ä ö ü ß Ä Ö Ü in gText become a o u ss A O U.
void ReplaceUmlautsForPlotter();

// Whether item `row` of a selection list of the print menu is selected; no
// for a row the list does not have.
bool ListItemSelected(const ListBox* list, int row);
// The teacher number at the end of an item of the print menu's teacher list;
// 0 (no teacher) when it lies outside the teacher table.
int ListItemTeacher(const QString& item);
// The printer colour of an entry of the colour table; black for an index
// outside it.
std::uint32_t PrintColour(int index);
// A teacher slot that names a person to list: more than one character, and
// not beginning with "ent" (exactly so), the placeholder "entfällt" for
// lessons that do not take place.
bool NamesStaffMember(const QString& teacherName);


// The print font at an index of the font list; the first, "Arial", for an
// index outside it (a font box without a choice gives -1).
QString PrintFontName(int index);
// A list of 42 lines to a portrait page in millimetres, in the font `fontName`:
// each page a document of its own that opens with `heading`; `printLine`
// prints an item at the height of its line, 20 mm plus 6 mm a line.
void PrintListPages(const QString& fontName, const QList<int>& items, const std::function<void()>& heading,
                    const std::function<void(int item, double y)>& printLine);
// The printer colour of a subject, by its colour property; black for a
// subject number outside the subject table.
std::uint32_t SubjectColour(int subject);
// A subject's abbreviation as a timetable cell prints it: subject 0 (a free
// cell) and every other "=" print as nothing, as does a subject number
// outside the table.
QString CellAbbreviation(int subject);
// What a teacher's week or day plan prints in one period: the subject, a
// blank and the class, marked "X " when the teacher cannot come and "A " on
// supervision duty. Leaves gClass and gSubject at the lesson and the text
// in gText3.
QString TeacherCellText(int teacher, int day, int period);
