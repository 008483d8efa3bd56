#pragma once
// The planner's two web pages, written into the data folder in the school's
// web colours: the timetable of every published class ("Stundenplan.htm")
// and one day's substitution plan, named after its weekday ("Dienstag.htm").
// Lines end in CR LF, the bytes are Windows-1252 without a byte-order mark
// (declared as ISO 8859-1, which browsers read as Windows-1252), and a page
// is replaced only when the new one is complete.
//
// Every text taken from the data is escaped, so a school called "Bau & Kunst"
// or a message with "<" shows as typed instead of breaking the page, and a
// character that Windows-1252 lacks is written as a numeric reference.
#include <QString>

struct PageColours {
    QString text;
    QString background;
};

// A line of "ifarben.dat" as the pages use it: trimmed, upper case, zeros in
// front up to six digits ("FF00" is green, not red); the fallback for a line
// that is empty or not hexadecimal.
QString PageColourCode(const QString& line, const QString& fallback);
// Both colours of "ifarben.dat", read afresh; the defaults without the file.
PageColours ReadPageColours();

// A text of the data as it goes into a page.
QString HtmlText(const QString& text);

// A generated page: its name (the name on the server too) and the file as it
// is on disk, or why nothing was written, as a sentence without full stop.
struct WrittenPage {
    QString name;
    QString path;
    QString failure;
    explicit operator bool() const { return failure.isEmpty(); }
};

// "Stundenplan.htm" with the classes whose skip flag is not 1 and the message
// line (without surrounding blanks; none when blank). Nothing is written
// while the grid is one that an optimiser run left unfinished.
WrittenPage WriteTimetablePage(const QString& message);

// The page of the working date gWorkDate, named after its weekday, with the
// classes that have substitutions in memory (skip flag not -1) and the three
// message lines. Nothing is written when gWorkDate is no valid date.
WrittenPage WriteSubstitutionPage(const QString& message1, const QString& message2, const QString& message3);
