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

ListedDays ListedSubstitutionDays(bool stopAtEmptyLine)
{
    const QString path = gDataPath + kDateList;
    const datafile::FileRead file = datafile::readFile(path);
    ListedDays listed{{}, datafile::unreadableNotice(QStringLiteral("Datei"), path, file.reason)};
    listed.days.reserve(static_cast<std::size_t>(file.lines.size()));
    for (const QString& line : file.lines) {
        if (stopAtEmptyLine && line.isEmpty())
            break;
        const QString key = line.trimmed();
        if (const std::optional<QDate> day = dates::fromKey(key))
            listed.days.push_back({key, *day});
    }
    return listed;
}

SubstitutionFileRead DayRecords::read(const QString& key)
{
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

FinishedDaysRead ReadFinishedDays(const QDate& first, const QDate& last, const FinishedDayUse& use,
                                  bool stopAtEmptyLine)
{
    const ListedDays listed = ListedSubstitutionDays(stopAtEmptyLine);
    if (!listed.unreadable.isEmpty())
        return {{listed.unreadable}};
    FinishedDaysRead told;
    DayRecords records;
    for (const ListedDay& day : listed.days) {
        if (day.day < first || day.day > last)
            continue;
        const SubstitutionFileRead read = records.read(day.key);
        if (read)
            use(day, records);
        else if (!read.unreadable.isEmpty())
            told.unreadable << read.unreadable;
    }
    return told;
}
