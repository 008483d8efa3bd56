#pragma once
// The subject table's file and its checks: "Fach2.txt" holds every subject
// slot 1..99 as three names and 31 properties, and every start reads it.
#include <QString>

// Rewrites "Fach2.txt" from gSubjectNames and gSubjectAttr. The names go out
// trimmed, and the table keeps them so; an emptied screen name becomes "=",
// the empty slot. The properties go out as held. False when the file could
// not be written.
bool SaveSubjectFile();

// Two subjects with the same screen name confuse every selection by name:
// gCheckOk 0 and the last pair found in gText, else gCheckOk 1 and gText "".
// "=", "-" and empty names name no subject.
void CheckSameSubjectNames();

// The subject list's item of subject `s`: screen name "  >  " long name.
QString SubjectListItem(int s);
