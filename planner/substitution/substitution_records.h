#pragma once
// The finished substitution days as the standings, the statistics and the
// export read them: the days listed in "date.sup" and the record block of
// each, read into tables of the reader's own, so that the day the absence
// window holds stays as it is.
#include "planner/substitution/substitution_day.h"

#include <QDate>
#include <QString>
#include <vector>

// A day of "date.sup": its key and its date.
struct ListedDay {
    QString key;
    QDate day;
};

// The days of "date.sup" in file order; empty when there is none. A line
// that is no day key names no day file and is skipped; with
// `stopAtEmptyLine` an empty line ends the list, as it ends the statistics.
std::vector<ListedDay> ListedSubstitutionDays(bool stopAtEmptyLine = false);

// One day's paid flags and records, apart from the day variables.
struct DayRecords {
    decltype(Model::gTeacherPaid) teacherPaid;
    short count = 0;
    decltype(Model::gSubstRows) rows;
    decltype(Model::gSubstRowTexts) texts;

    // Reads the day file of a key afresh; false when there is none.
    bool read(const QString& key);
    // The record's field, 0 for a record beyond the count read.
    int field(int record, int f) const { return rows(record, f); }
    // A record naming a teacher, substitute, class or subject outside the
    // tables belongs to no school day this program knows: it counts nowhere.
    // An absent teacher or class 0 names none and stays within them.
    bool inTables(int record) const;
};

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
