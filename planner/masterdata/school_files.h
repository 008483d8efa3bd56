#pragma once
// The files of the school's week that the planner's master-data windows write:
// the period file "Time.txt" (captions and times of the 11 periods, the lunch
// period, the three big breaks) and the title file "Titel.txt". Start-up
// reads both back.
#include "platform/datafile.h"

#include <QStringList>

// How the captions and times of the periods go into "Time.txt": the school
// data window writes them as held, the period times window trimmed of blanks.
enum class PeriodTexts { AsHeld, Trimmed };

// The 26 lines of "Time.txt" as the periods in memory give them.
QStringList PeriodFileLines(PeriodTexts texts);
// Writes "Time.txt" anew. Trimmed captions and times are also kept trimmed in
// gPeriodLabels and gPeriodTimes, as they went into the file.
datafile::WriteResult SavePeriodFile(PeriodTexts texts);

// The 10 lines of "Titel.txt": the titles as typed, empty ones included.
QStringList TitleFileLines();

// The sentence that tells the user a data file could not be written and why,
// without a closing full stop.
QString SaveFailure(const QString& file, const datafile::WriteResult& result);
