#pragma once
// The timetable planner's settings file "vorda.ver": the shape of the school
// week, display and print choices, the current plan, the school year and the
// options of two placement rules.
#include "platform/datafile.h"

// Sets the defaults, then reads the file when it exists, each value checked.
// A line missing from a short file leaves its setting at the default.
// Returns the numeric value of the version line (0 without one): the version
// that wrote the file decides the shape of the special-room file.
double ReadSettingsFile();

// The plan the file names for the next start: the plan in memory, or, while
// that is the optimiser's plan "0" or none, the plan the file names as it
// stands (where it cannot be read, the one it named when last read or written).
QString PlanToLoadAtStart();

// The 13 lines of the file as the settings in memory give them. A window
// that writes them in one set with other files (datafile::rewriteSet) tells
// SettingsFileWritten once the set is written.
QStringList SettingsFileLines();
// Takes note that the file holds `lines` now: the plan they name is the plan
// it names when it cannot be read later.
void SettingsFileWritten(const QStringList& lines);

// Writes the 13 lines of the file anew where they differ from the file's: a
// file that holds them already keeps its time stamp, so the other PCs and a
// sync client see no change where there is none. Says why when it could not
// be written (the old file is then left whole).
datafile::WriteResult SaveSettingsFile();
