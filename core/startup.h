#pragma once
// Start-up steps after the master data: the publishing names and account, and
// the keyword file.

// gSchoolNameDashed, gServerRoot and gServerFolder from gSchoolName; the
// publishing account (gFtpHost, gFtpUser, gFtpPassword) from the lines host,
// user and password of "ftp.dat" in the data folder, empty without it.
void PreparePublishing();

// gKeyword from the first line of "code.dat"; gKeywordOpen = 1 when the file
// is missing or its first line is empty, else 0 (the classroom tools then open).
void ReadKeywordFile();
