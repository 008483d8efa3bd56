#pragma once
// The procedures the printouts of the print menu share: the frame of a box,
// the page footer of the large-format sheets and its reduced twin, the
// adjustments of printed subject texts, and the look-ups that turn numbers
// from the data into what a printout prints. Like the other module
// procedures, those without arguments work on the data model: the caller sets
// gRectX1..gRectY2, gFooterX/gFooterY or gText, calls, and prints the result.
#include <QString>
#include <cstdint>

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

// The print font of the menu's font box at `listIndex`: font 0 ("Arial")
// when the box has no choice.
QString PrintFontName(int listIndex);
