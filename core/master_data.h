#pragma once
// Start-up reading of the school's master data from the data folder into the
// data model. A missing file is skipped without a message: its values keep
// their defaults.
#include <QString>

// Sets gFileName to the file `name` of the data folder; true when a look-up
// finds it (the name's case does not matter, a hidden file counts as missing).
bool FindDataFile(const QString& name);
// The same; a file found is also made writable (its attributes cleared), as
// the files that the program saves again are.
bool FindWritableDataFile(const QString& name);

// Every master-data file of the data folder, in the order of start-up.
// Returns true when the student file was read (gStudentCount is then shown).
bool LoadMasterData();

// "schüler.dat" into gStudentNames, gStudentClass and gStudentCount; false
// when the file is missing. The student list window reads it the same way.
bool ReadStudentFile();
