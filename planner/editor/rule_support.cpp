#include "planner/editor/rule_support.h"

#include "core/model.h"
#include "core/timetable.h"

#include <algorithm>

namespace rules {

Placement current()
{
    return {gDay.toInt(), gPeriod.toInt(), gClass.toInt(), gHalf.toInt(), gSubject.toInt()};
}

namespace {
int gQuietScopes = 0;
}

QuietRefusals::QuietRefusals() { ++gQuietScopes; }
QuietRefusals::~QuietRefusals() { --gQuietScopes; }

bool refusalTextWanted() { return gQuietScopes == 0; }

void refuseWithText(const QString& message)
{
    gCheckOk = 0;
    gText = message;
}

void refuseQuietly() { gCheckOk = 0; }

void refuse(const char* message)
{
    if (refusalTextWanted())
        refuseWithText(QString::fromUtf8(message));
    else
        refuseQuietly();
}

namespace {
bool inGrid(int day, int period, int cls, int half)
{
    return gTimetable.inBounds(day, 0) && gTimetable.inBounds(period, 1) && gTimetable.inBounds(cls, 2) &&
           gTimetable.inBounds(half, 3);
}
}

short lessonAt(int day, int period, int cls, int half)
{
    return inGrid(day, period, cls, half) ? gTimetable(day, period, cls, half) : 0;
}

short fixationAt(int day, int period, int cls, int half)
{
    return inGrid(day, period, cls, half) ? gFixations(day, period, cls, half) : 0;
}

bool holdsAt(int day, int period, int cls, int subject)
{
    return lessonAt(day, period, cls, 0) == subject || lessonAt(day, period, cls, 1) == subject;
}

bool isSubject(int subject) { return subject >= 1 && subject < gSubjectAttr.upper(0); }

short property(int subject, int column)
{
    return gSubjectAttr.inBounds(subject) ? gSubjectAttr(subject, column) : 0;
}

short blockCode(int subject) { return property(subject, 3); }

int requiredBlock(int code) { return code >= 2 && code <= 8 && code % 2 == 0 ? code / 2 + 1 : 0; }

QString screenName(int subject)
{
    return gSubjectNames.inBounds(subject) ? gSubjectNames(subject, 1) : QString();
}

QString className(int cls) { return gClassNames.inBounds(cls) ? gClassNames(cls).toString() : QString(); }

int lessonTeacher(int cls, int subject, int slot)
{
    if (!gSubjectTeachers.inBounds(cls, 0) || !gSubjectTeachers.inBounds(subject, 1))
        return 0;
    const int teacher = gSubjectTeachers(cls, subject, slot);
    return teacher > 0 && gTeacherPlanSubject.inBounds(teacher) ? teacher : 0;
}

std::vector<ClassLesson> combinationPartners(int cls, int subject)
{
    std::vector<ClassLesson> partners;
    for (int row = 1; row <= kCombinationRows; ++row) {
        const ClassLesson partner{gClassCombinations(row, 3).toInt(), gClassCombinations(row, 4).toInt()};
        // A row whose other side names no subject or class in the tables ties nothing.
        if (gClassCombinations(row, 1).toInt() != subject || gClassCombinations(row, 2).toInt() != cls
            || !isSubject(partner.subject) || partner.cls < 1 || partner.cls > timetable::lastClass())
            continue;
        if (std::find(partners.begin(), partners.end(), partner) == partners.end())
            partners.push_back(partner);
    }
    return partners;
}

std::vector<ClassLesson> coupledLessons(int cls, int subject)
{
    const ClassLesson start{subject, cls};
    std::vector<ClassLesson> found{start};
    for (std::size_t next = 0; next < found.size(); ++next)
        for (const ClassLesson& partner : combinationPartners(found[next].cls, found[next].subject))
            if (std::find(found.begin(), found.end(), partner) == found.end())
                found.push_back(partner);
    found.erase(found.begin());
    return found;
}


bool isLoneHalf(int day, int period, int cls)
{
    const int subject = lessonAt(day, period, cls, 0);
    if (subject == 0)
        return false;
    const std::vector<ClassLesson> partners = combinationPartners(cls, subject);
    return std::any_of(partners.begin(), partners.end(), [&](const ClassLesson& partner) {
        return !holdsAt(day, period, partner.cls, partner.subject);
    });
}

}
