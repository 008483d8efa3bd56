#pragma once
// The finished substitution days as the standings, the statistics and the
// export read them: the days listed in "date.sup" and the record block of
// each, read into tables of the reader's own, so that the day the absence
// window holds stays as it is.
#include "planner/substitution/substitution_day.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// A day of "date.sup": its key and its date.
struct ListedDay {
    QString key;
    QDate day;
};

// The days of "date.sup" in file order; none when there is no list, and when
// it cannot be read, with the notice saying why.
struct ListedDays {
    std::vector<ListedDay> days;
    QString unreadable;
};

// A line that is no day key names no day file and is skipped; with
// `stopAtEmptyLine` an empty line ends the list, as it ends the statistics.
ListedDays ListedSubstitutionDays(bool stopAtEmptyLine = false);

// One day's paid flags and records, apart from the day variables.
struct DayRecords {
    decltype(Model::gTeacherPaid) teacherPaid;
    short count = 0;
    decltype(Model::gSubstRows) rows;
    decltype(Model::gSubstRowTexts) texts;

    // Reads the day file of a key afresh; a damaged one leaves no record.
    SubstitutionFileRead read(const QString& key);
    // The record's field, 0 for a record beyond the count read.
    int field(int record, int f) const { return rows(record, f); }
    // A record naming a teacher, substitute, class or subject outside the
    // tables belongs to no school day this program knows: it counts nowhere.
    // An absent teacher or class 0 names none and stays within them.
    bool inTables(int record) const;
};

// What reading the finished days has to tell: the notices of the files that
// are there and cannot be read ("date.sup", a day file), which the counts
// lack. Days whose marks are for another number of periods a day are counted
// whole and not told: the records come before the marks.
struct FinishedDaysRead {
    QStringList unreadable;
};

// Hands the records of each day of "date.sup" from `first` to `last`, both
// included, to `use`, in file order. A day without a file is skipped, as no
// day was saved.
using FinishedDayUse = std::function<void(const ListedDay&, const DayRecords&)>;
FinishedDaysRead ReadFinishedDays(const QDate& first, const QDate& last, const FinishedDayUse& use,
                                  bool stopAtEmptyLine = false);

// The fields of a record.
constexpr int kAbsentTeacherField = 0;
constexpr int kPeriodField = 1;
constexpr int kSubjectField = 2;
constexpr int kClassField = 3;
constexpr int kSubstituteField = 4;
constexpr int kPaidField = 5;
// The paid field: who pays the substitution.
constexpr int kRecordUnpaid = 0;
constexpr int kRecordPaid = 1;
