#pragma once
// A substitution day: who is away on a date (teachers and classes, for the
// whole day or some periods, with a reason and, for teachers, whether the
// substitutions are paid) and the day's substitution records. The day lives in
// the data model; it is carried by three files of the data folder:
//   "<yyyyMMdd>.sup"  the day file of one date, one value a line;
//   "date.sup"        the keys of the dates saved, each once, in saving order;
//   "suppl.dat"       the absence preset: a day file without its records.
// The statistics, the standings and the export read the record block of the
// days listed in "date.sup" through ReadSubstitutionRecords.
#include "core/model.h"

#include <QString>

// The absence preset's file in the data folder.
inline const QString kSubstitutionPreset = QStringLiteral("suppl.dat");

// The periods of a day that the marks and the day files use: gPeriodsPerDay,
// kept within the mark tables.
int SubstitutionPeriods();
// The periods a day the marks of the day in memory are set and saved for:
// the school's, or more when the day file or preset read into them held
// more, so that no absence in a period the school no longer has is lost.
int SubstitutionDayPeriods();

// The date key "yyyyMMdd" of a date text; "" when the text is no date.
QString SubstitutionDayKey(const QString& dateText);
// The day file of a date key in the data folder.
QString SubstitutionDayFile(const QString& key);

// How saving a day went: saved, its day file written and its key listed in
// "date.sup", or not. A day not saved leaves its day file as it was, unless
// the file was replaced, its key could then not be listed and the file could
// not be given back what it held: `dayFileChanged` tells that day, written
// but not seen by the statistics, the standings and the export.
struct SubstitutionDaySave {
    bool saved = false;
    bool dayFileChanged = false;
    // Why not, naming the file: "date.sup: Zugriff verweigert"; empty when
    // saved, and for a gWorkDate that is no date.
    QString reason = {};
    explicit operator bool() const { return saved; }
};

// Writes the day file of gWorkDate (replacing an earlier one), its marks for
// SubstitutionDayPeriods(), and enters its key in "date.sup" unless it
// stands there already. Leaves the key in gText4, the path of "date.sup" in
// gFileName and gCheckOk at 0. Not saved when gWorkDate is no date, or when
// the day file or "date.sup" could not be written.
SubstitutionDaySave SaveSubstitutionDay();

// How a file of the substitution planning was read: `found` when there was
// a file to read. A file that is there but cannot be read, or is damaged, is
// no missing one: `unreadable` holds the notice that names it and says why.
// A day file or preset whose marks are whole for another number of periods
// a day (9 to 11) than the school has is read at that size: `otherPeriods`
// holds that number; 0 for marks of the school's periods. One whose marks
// fit no size exactly is read at the size they are nearest to, and
// `misfit` says whether lines are missing at its end or how many are too
// many; "" for marks that fit. The absence window tells both (DayReadNotice,
// PresetReadNotice).
struct SubstitutionFileRead {
    bool found = false;
    QString unreadable;
    int otherPeriods = 0;
    QString misfit = {};
    explicit operator bool() const { return found; }
};

// The notice of the day file of a date key whose marks were read at a size
// they may not have been saved with (`read`): of another number of periods
// a day than the school has, where the file holds no number of periods, it
// says what it holds and, if it was not saved so, that it is damaged; of
// lines that fit no size, that it is damaged, the periods it was read with,
// and that its marks may stand elsewhere. "" for marks that fit the school's
// periods.
QString DayReadNotice(const QString& key, const SubstitutionFileRead& read);
// The same for the preset, told by `name`.
QString PresetReadNotice(const QString& name, const SubstitutionFileRead& read);

// Reads the whole day file of a date key into the day variables. Its marks
// are read at the number of periods (the school's or 9 to 11) they are whole
// for, one or two empty lines after them left out, or lacking only their
// last line, an empty one whose line break is gone (with few teachers and
// classes, only where no other size is as near). Marks that fit no size so
// are read at the size they are nearest to, and told by `misfit`: empty
// lines after them, fewer than half a period's block, belong to no mark, and
// a block lacking fewer lines than that at its end is read as far as it
// goes. A file that is there but cannot be read, or is damaged (it ends
// before the lines its counts call for, holds no number where its layout has
// one, or its marks are equally near two sizes, fit no size, or would leave
// a teacher or class it lists as absent without some of them), leaves the
// day empty and is told by the notice. The marks read for more periods than
// the school has are all kept, shown for the school's periods only; with
// fewer, the school's later periods stay empty. Without a file the absences
// stay, for a new day of the school's periods: marks of later periods,
// carried from a day read with more, are emptied.
SubstitutionFileRead ReadSubstitutionDay(const QString& key);

// Reads the preset "suppl.dat" over the day variables, stopping at a count
// that is not the capacity or at a status line that is not three characters
// long; what was read up to there stays. Its marks are read, and told, as a
// day file's are. Cut or damaged so that a teacher or class it lists as
// absent would lack marks, or with marks that fit no size, it is not loaded
// at all and is told by the notice, as is one that cannot be read. The
// notices name it `name`: the file the user chose, when the preset is a copy
// of it. Not found when there is no preset.
SubstitutionFileRead ReadSubstitutionPreset(const QString& name = kSubstitutionPreset);

// The tables a reader of a day's record block fills: the teachers' paid flags,
// the record count, the six fields of each record and its text. The
// statistics pass the data model's own tables; the standings and the export
// pass tables of their own.
struct SubstitutionRecordTables {
    decltype(Model::gTeacherPaid)& teacherPaid;
    short& count;
    decltype(Model::gSubstRows)& rows;
    decltype(Model::gSubstRowTexts)& texts;
};

// Reads the paid flags and the record block of the day file of a date key
// into `into`, emptied first; the absences before them are only read past,
// the marks after them not at all, so that no count of mark lines refuses a
// day's records. A file damaged up to its records leaves `into` empty and is
// told by the notice.
SubstitutionFileRead ReadSubstitutionRecords(const QString& key, const SubstitutionRecordTables& into);
