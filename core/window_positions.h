#pragma once
// Window positions per user: one top and one left (in twips) per window slot
// 1..70 in gWindowTop and gWindowLeft, kept in a file of the logged-in user,
// "qzTopLeft<short name>.dat" ("qzTopLeft.dat" before anybody logged in).
#include <QString>

class QWidget;

// The position file of the current gUserShort.
QString WindowPositionFile();

// Writes the slots this program changed (gWindowChanged) into the current
// user's file as it stands, keeping the other slots as the file holds them;
// first a position beyond the screen's right or bottom edge is moved back to
// 1. Positions are cosmetic: a file that cannot be read or written is left as
// it was, without a message.
void SaveWindowPositions();

// Reads the current user's file into the slots (negative values become
// positive); a missing file or missing lines leave the slots as they are.
void LoadWindowPositions();

// A window takes its position from slot `slot`; it stores its position there,
// when it was moved and does not stand where the program put it, and saves
// the file. Windows with a rule of their own call these.
void RestoreWindowPosition(QWidget& window, int slot);
void StoreWindowPosition(const QWidget& window, int slot);
// Stores the position in the slot only; the file is written the next time a
// window saves the positions.
void RememberWindowPosition(const QWidget& window, int slot);

// Makes every window with a slot take its position from the slot when it
// loads, and store it there and save the file when it unloads.
void InstallWindowPositionHooks();
