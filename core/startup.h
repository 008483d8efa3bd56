#pragma once
// The start of both programs, the class register and the timetable planner,
// in the data folder they are started in (the current folder): constants and
// the seeded generator, the master data, the plan the settings ask for, the
// publishing names and account, and the keyword file. What a program shows
// of it (the register's room list, date and classroom tools) is its own.

// Returns true when the student file was read (the register shows the count).
bool RunStartUp();

// gSchoolNameDashed, gServerRoot and gServerFolder from gSchoolName; the
// publishing account (gFtpHost, gFtpUser, gFtpPassword) from the lines host,
// user and password of "ftp.dat" in the data folder, empty without it, and
// from its optional fourth line gWebHost, the web server showing the pages.
void PreparePublishing();

// gKeyword from the first line of "code.dat"; gKeywordOpen = 1 when the file
// is missing or its first line is empty, else 0 (the classroom tools then open).
void ReadKeywordFile();

// The working date gWorkDate (as the register's date field shows it) and
// gWorkWeekday (Monday = 1) become today.
void SetWorkDateToToday();
