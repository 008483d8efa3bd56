#include "tests/support/school_building.h"

#include "core/model.h"
#include "core/school_structure.h"
#include "core/timetable.h"

namespace school_building {

int gradeOf(int cls) { return kFirstGrade + (cls - 1) / 4; }

std::mt19937& draws()
{
    static std::mt19937 generator;
    return generator;
}
void seed(std::uint32_t seed) { draws().seed(seed); }
int drawUpTo(int n) { return std::uniform_int_distribution<int>(1, n)(draws()); }
bool chance(double p) { return std::bernoulli_distribution(p)(draws()); }

void setWeek(const QString& schoolName)
{
    gDaysPerWeek = kDays;
    gPeriodsPerDay = kPeriods;
    gLunchPeriod = kLunchPeriod;
    gBreakAfter(1) = 2;
    gBreakAfter(2) = 4;
    const char* times[kPeriods] = {"07:45", "08:30", "09:35", "10:20", "11:25", "12:10", "13:00", "13:45", "14:30"};
    for (int p = 1; p <= kPeriods; ++p) {
        gPeriodLabels(p) = QString::number(p) + QLatin1Char('.');
        gPeriodTimes(p) = QString::fromLatin1(times[p - 1]);
    }
    gSchoolName = schoolName;
}

void setClasses(QString (*letterOf)(int cls))
{
    gClassNames(0) = QStringLiteral("=");
    for (int c = 1; c <= kClasses; ++c) {
        gClassNames(c) = QString::number(gradeOf(c)) + letterOf(c);
        gClassPrintNames(c) = gClassNames(c).toString();
    }
    gLastClass = kClasses;
}

void setSubjects(std::span<const SubjectRow> rows, int abilityGroups)
{
    for (int column = 0; column <= 2; ++column)
        gSubjectNames(0, column) = QStringLiteral("=");
    for (const SubjectRow& row : rows) {
        const int s = row.subject;
        gSubjectNames(s, 0) = QString::fromUtf8(row.name);
        gSubjectNames(s, 1) = gSubjectNames(s, 2) = QString::fromUtf8(row.shortName);
        gSubjectAttr(s, kBlockRule) = row.blockRule;
        gSubjectAttr(s, kTimeRule) = row.timeRule;
        gSubjectAttr(s, kSpecialRoom) = row.room;
        gSubjectAttr(s, kNonCognitive) = row.nonCognitive ? 1 : 0;
        gSubjectAttr(s, kNotAcrossBreak) = row.notAcrossBreak ? 1 : 0;
        gSubjectAttr(s, kMaxTeachers) = 1;
    }
    gSubjectAttr(abilityGroups, kAbilityGroups) = 1;
    gSubjectAttr(abilityGroups, kMaxTeachers) = 4;
}

void orderSubjects()
{
    OrderSubjectsByWeight();
    for (int s = 1; s <= gMaxSubjects; ++s)
        gOptimizeSubjects(s) = 1;
}

void setRooms(std::span<const RoomRow> rooms)
{
    gSpecialRoomNames(0) = QStringLiteral("Klasse - kein Bedarf");
    gSpecialRoomCount = 16;
    for (int r = 1; r <= 16; ++r)
        gSpecialRoomNames(r) = QStringLiteral("-");
    for (int r = 1; r <= static_cast<int>(rooms.size()); ++r) {
        gSpecialRoomNames(r) = QString::fromUtf8(rooms[r - 1].name);
        for (int d = 1; d <= 6; ++d)
            for (int p = 1; p <= 11; ++p)
                gSpecialRoomAvailability(r, d, p) = rooms[r - 1].count;
    }
}

void selectCell(int d, int p, int c, int s)
{
    gDay = d;
    gPeriod = p;
    gClass = c;
    gHalf = 0;
    gSubject = s;
}

void placeLesson(int d, int p, int c, int s)
{
    selectCell(d, p, c, s);
    SetTimetableCell();
}

void fixBoth(int d, int p, int c, short code) { gFixations(d, p, c, 0) = gFixations(d, p, c, 1) = code; }

}
