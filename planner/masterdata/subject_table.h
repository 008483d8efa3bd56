#pragma once
// The subject table's file and its checks: "Fach2.txt" holds every subject
// slot 1..99 as three names and 31 properties, and every start reads it.
#include "platform/datafile.h"

#include <QString>
#include <QStringList>

// The lines of "Fach2.txt" for gSubjectNames and gSubjectAttr: the names
// trimmed, an empty screen name as "=" (the empty slot), the properties as
// held.
QStringList SubjectFileLines();
// True when "Fach2.txt" holds exactly these lines.
bool SubjectFileHoldsTable();
// True when every name in the table is as the file holds it.
bool SubjectNamesAsStored();
// Rewrites "Fach2.txt" with those lines; the table keeps its names as they
// were written.
datafile::WriteResult SaveSubjectFile();

// Two subjects with the same screen name confuse every selection by name:
// gCheckOk 0 and the last pair found in gText, else gCheckOk 1 and gText "".
// "=", "-" and empty names name no subject.
void CheckSameSubjectNames();

// The subject list's item of subject `s`: screen name "  >  " long name.
QString SubjectListItem(int s);
