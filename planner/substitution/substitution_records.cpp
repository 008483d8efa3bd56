#include "planner/substitution/substitution_records.h"

#include "core/model.h"
#include "platform/datafile.h"
#include "platform/dates.h"

namespace {
const QString kDateList = QStringLiteral("date.sup");

bool isTeacher(int t) { return t >= 1 && t <= gMaxTeachers.toInt() && gTeacherNames.inBounds(t); }
bool isTeacherOrNone(int t) { return t == 0 || isTeacher(t); }
bool isClassOrNone(int c) { return c >= 0 && c <= gMaxClasses.toInt() && gClassNames.inBounds(c); }
}

std::vector<ListedDay> ListedSubstitutionDays(bool stopAtEmptyLine)
{
    std::vector<ListedDay> days;
    const QStringList lines = datafile::readLines(gDataPath + kDateList).value_or(QStringList{});
    days.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines) {
        if (stopAtEmptyLine && line.isEmpty())
            break;
        const QString key = line.trimmed();
        if (const std::optional<QDate> day = dates::fromKey(key))
            days.push_back({key, *day});
    }
    return days;
}

bool DayRecords::read(const QString& key)
{
    *this = DayRecords();
    return ReadSubstitutionRecords(key, {teacherPaid, count, rows, texts});
}

bool DayRecords::inTables(int record) const
{
    const int substitute = field(record, kSubstituteField);
    const int subject = field(record, kSubjectField);
    return isTeacherOrNone(field(record, kAbsentTeacherField)) && (substitute < 1 || isTeacher(substitute))
           && isClassOrNone(field(record, kClassField)) && subject >= 0 && subject <= gMaxSubjects
           && gSubjectNames.inBounds(subject);
}
