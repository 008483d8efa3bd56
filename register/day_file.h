#pragma once
// The register's day files: one append-only file of fixed-column lines per
// school day in the shared data folder. Entries and removals are appended, never
// rewritten, so the line numbers that removal lines name stay valid while every
// PC of the school appends to the same file.
#include "core/text_procedures.h"
#include "platform/datafile.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The day file of a date: the data folder, the date key and ".qz".
QString DayFilePath(const QDate& day);

// A day as read from its file: the lines 1..n (index 0 = line 1) with the
// cancelled lines emptied. A missing file is a day without entries; a file
// that is there but cannot be read is no empty day, and `unreadable` holds the
// notice a window shows for it.
struct DayRead {
    QStringList lines;
    QString unreadable;
};

// Long runs that yield to the event loop keep their own copy this way,
// untouched by the refreshes of other windows.
DayRead LoadDay(const QString& path);

// Loads gDayFilePath into gDayLines / gDayLineCount.
void LoadDayEntries();

// The notice of the day loaded last by LoadDayEntries when its file could not
// be read; empty when it was read or is missing.
const QString& UnreadableDayNotice();

// A field as a line holds it in a column `width` wide: one line of
// Windows-1252 text without the blanks around it, padded with blanks on the
// right or cut.
QString FitField(const QString& text, int width);

// Composes the entry line from gEntryStamp, gUserShort, gEntryKind,
// gEntryClass, gEntrySubject, gEntryPeriod, gEntryRoom, gEntryStudent and
// gEntryText. Every field loses its control characters and characters outside
// Windows-1252 first; the fitted forms stay in the variables and the line in
// gText. A kind outside "01".."09" composes nothing: an entry line of kind "00"
// would be read as a removal line.
QString ComposeEntryLine();

// Composes the removal line of line `lineNumber` from gEntryStamp and
// gUserShort (fitted forms left there, the line in gText); nothing for a number
// outside 1..9999, which the line's four columns cannot hold.
QString ComposeRemovalLine(int lineNumber);

// Appends one composed line to gDayFilePath in a single write. Fails, with the
// reason, when the line was not written (or is no single composed line), so
// the writer can keep the entry and say so.
datafile::WriteResult AppendDayLine(const QString& line);

// The message for a line that AppendDayLine did not write: what was lost
// (`what`, e.g. "Der Eintrag wurde nicht geschrieben"), the file and why.
QString AppendFailureMessage(const QString& what, const datafile::WriteResult& result);

// For a window without a list to show it in: tells the notice of an
// unreadable day once, not again at every refresh while it stays the same.
class UnreadableDayMessage {
public:
    // The boxes carry `title`; without one, the program's name.
    explicit UnreadableDayMessage(QString title = {}) : m_title(std::move(title)) {}
    // Shows `notice` when it is new; an empty notice (the day read) is forgotten.
    void tell(const QString& notice);

private:
    QString m_title;
    QString m_told;
};

// Column readers of a day-file line. Pieces that readers compare come trimmed;
// pieces shown in fixed width come as they stand.
QString LineShortName(const QString& line); // 13-20, 8 wide
QString LineKind(const QString& line);      // 21-22
QString LineClass(const QString& line);     // 23-30, trimmed
QString LineSubject(const QString& line);   // 31-38, 8 wide
QString LinePeriod(const QString& line);    // 39-40, 2 wide
QString LineStudent(const QString& line);   // 41-90, trimmed
int LineRoomNumber(const QString& line);    // numeric value of 41-43
// The text of the line: from column 91 in kinds "01", "02", "04", from 44 in
// kind "09", from 41 otherwise.
QString LineText(const QString& line);

// Classes are typed in any letter case ("4a" for class "4A") and written as
// typed, so every register reader compares them this way.
bool IsSameClass(const QString& a, const QString& b);

// Whether a line is an entry of class cls.
bool IsLineOfClass(const QString& line, const QString& cls);
// Whether class cls sees a line: an entry of the class, or one of the kinds
// addressed to the whole school ("06" information to all, "08" appointment of
// the school).
bool ConcernsClass(const QString& line, const QString& cls);
