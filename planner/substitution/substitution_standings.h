#pragma once
// The substitution standings: each teacher's quota of unpaid substitutions
// and the unpaid and paid substitutions held, fixed by hand at a key date in
// "stand.sup" and carried forward by the finished substitution days.
#include "core/model.h"
#include "planner/substitution/substitution_day.h"
#include "planner/substitution/substitution_records.h"
#include "platform/datafile.h"

#include <QDate>
#include <optional>

using SubstitutionCounts = decltype(Model::gSubstCounts);

// The columns of gSubstCounts.
constexpr int kQuotaColumn = 0;
constexpr int kUnpaidColumn = 1;
constexpr int kPaidColumn = 2;

// "stand.sup" as one reads it: the key date (none when line 2 is no date)
// and the counters. Not found, and nothing read, when there is no file, or
// it cannot be read or is damaged (cut off, or a counter that is no number).
SubstitutionFileRead ReadStandings(std::optional<QDate>& keyDate, SubstitutionCounts& counts);
// The notice of a "stand.sup" that is there but holds no key date: no day
// can be counted from it.
QString MissingKeyDateNotice();
// Only the key date of "stand.sup"; none without a file or a date.
std::optional<QDate> ReadStandingsKeyDate();
// The lines of "stand.sup" for a key date as typed and the counters.
QStringList StandingsLines(const QString& keyDate, const SubstitutionCounts& counts);
// Rewrites "stand.sup" whole, through a temporary file.
datafile::WriteResult WriteStandings(const QString& keyDate, const SubstitutionCounts& counts);

// Adds a substitution held to its substitute's unpaid or paid count; a
// record of another paid flag counts nowhere.
void CountHeldSubstitution(SubstitutionCounts& counts, int substitute, int paidFlag);

// The standings before lessons on gWorkDate: the key-date counts of
// "stand.sup" into gSubstCounts and gKeyDate, plus every substitution held on
// the finished days from the key date up to the day before. Without
// "stand.sup" nothing changes. Returns the notices of the files that are
// there but could not be read, and of a "stand.sup" without a key date (the
// standings lack what they hold).
FinishedDaysRead LoadSubstitutionTotals();

// gKeyDate as a date; none when it holds no date.
std::optional<QDate> KeyDate();
