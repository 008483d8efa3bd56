#pragma once
// The scrambling of passwords before they are stored in a password file. Both
// procedures work on gText in place, on the Windows-1252 byte of each character.

// Turns the password in gText into its stored form. Returns false, with gText
// as it was, when a character has no byte in the code page or a shifted byte
// would leave 0..255.
bool ScramblePassword();

// Turns the stored form in gText back into the password; false, with gText as
// it was, on the same conditions.
bool UnscramblePassword();
