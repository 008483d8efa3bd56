#pragma once
// The class table of the planner and its files: "Klassen.txt" (names, print
// names and flags of the 24 class slots), "kv.dat" (the form teachers) and
// the class numbers in "Kombi.dat"; the insertion of a class into the loaded
// plan, and the year change that moves every class up one grade.
#include <QString>
#include <QStringList>

struct ClassFilesSaved {
    // Why the class files could not be written, as a sentence for the user
    // naming the file and saying which files changed (as a rule none);
    // empty when written.
    QString failure;
    // The files ("Klassen.txt", ...) that a failure left changed all the
    // same, their old bytes not put back.
    QStringList changed = {};
};

// Rewrites "Klassen.txt" and "kv.dat" from the class tables, and with
// `withCombinations` "Kombi.dat" from the combinations 1..40 when the data
// folder has one, all of them or none.
ClassFilesSaved SaveClassFiles(bool withCombinations = false);

// PartlyWritten: the class files could not all be written, nor could the
// ones written be given their old bytes back; "Klassen.txt" holds the new
// class, so it stays inserted.
enum class Insertion { Done, ListFull, NotWritten, PartlyWritten };
struct Inserted {
    Insertion result = Insertion::Done;
    // Why the class files could not be written, as SaveClassFiles says it.
    QString failure = {};
};

// Inserts an empty class "neu" before class `position` (1..24): every class
// from there on moves one slot on with all the loaded plan holds of it, and
// the combinations follow their classes. The class files ("Kombi.dat" where
// there is one) are written with it. A class in the last slot would leave
// the table, so a full list is refused and nothing changes. Where the class
// files cannot be written, everything is put back as it was, unless
// "Klassen.txt" was left changed: a plan saved later would otherwise hold its
// classes in slots the class list does not.
Inserted InsertClassBefore(int position);

// One name a grade higher: its leading number raised by one, the rest kept
// ("9b" gives "10b", "4.a" gives "5.a"). Blanks around it are cut first; a
// name without a leading number stays as it is. `highestGrade` rises to the
// name's grade before the change.
QString AdvanceClassName(const QString& name, int& highestGrade);

struct YearChange {
    bool done = false;
    // The classes that stay and the new ones together.
    int classes = 0;
};

// The year change with `newClasses` new first classes (1..7): every class and
// print name a grade higher, the classes of the highest grade gone, the gaps
// closed in the order of the classes, the new classes in front named in the
// style of the first class ("1a", "1A" or "1.a"). Form teachers and flags
// move with their classes. When the staying and the new classes do not fit
// into the table, nothing changes.
YearChange ChangeSchoolYear(int newClasses);
