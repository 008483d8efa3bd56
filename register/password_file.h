#pragma once
// The password file of a teacher, "KURZ.pw" in the data folder: a random whole
// number in line 1 that means nothing, the scrambled password in line 2.
#include "platform/datafile.h"

#include <QString>

// The file of a short name as stored in gTeacherShort.
QString PasswordFilePath(const QString& shortName);

// Reads the file gFileName at login into gUserPassword: line 2 unscrambled, or
// line 1 as it stands when line 2 is missing or empty. A file that cannot be
// read gives no password.
void ReadPasswordFile();

// Whether a password can be stored and read back: not empty, no control
// character, every character in the code page and every scrambled byte in
// range. Uses gText.
bool PasswordStorable(const QString& password);

// Replaces the file at `path` as a whole: line 1 a random whole number below
// `numberBound`, line 2 the scrambled password. Writes nothing, so an old
// file stays as it was, when the password cannot be stored or the write
// fails, and says why.
datafile::WriteResult WritePasswordFile(const QString& path, const QString& password, int numberBound);
