// The rules that guard a lesson's teachers and special rooms.
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_support.h"
#include "platform/numbers.h"

#include <algorithm>
#include <array>

using rules::Placement;
using rules::refuse;

namespace {

constexpr short kCannotCome = 9;
constexpr short kSupervision = 10;

QString fullName(int teacher) { return gTeacherNames(teacher).toString(); }

// "Belastbarkeit" limit of the teacher, or 0 when it does not restrict the day.
int consecutiveLimit(int teacher)
{
    const int limit = gTeacherMaxLoad(teacher);
    // A negative limit from the teacher file would refuse every period.
    return limit > 0 && limit < gPeriodsPerDay.toInt() ? limit : 0;
}

int teachingRunThrough(int teacher, const Placement& at)
{
    auto teaches = [&](int period) { return gTeacherPlanClass(teacher, at.day, period) != 0; };
    int run = 1;
    const int periods = timetable::periods();
    for (int p = at.period + 1; p <= periods && teaches(p); ++p)
        ++run;
    for (int p = at.period - 1; p >= 1 && teaches(p); --p)
        ++run;
    return run;
}

// The period that overlaps `period` under the overlapping-periods option, 0 = none.
int overlappingPeriod(int period)
{
    const int option = gOverlapPeriod.toInt();
    if (option != 5 && option != 6)
        return 0;
    if (period == option)
        return option + 1;
    if (period == option + 1)
        return option;
    return 0;
}

constexpr int kRoomCount = 16;
constexpr std::array<int, 4> kRoomColumns{8, 18, 19, 20};
using RoomCounts = std::array<short, kRoomCount + 1>;

// Calls f(room) for each special room a subject needs, its own room 0 included;
// a room number outside the room table needs nothing.
template <typename F>
void forEachRoom(int subject, F f)
{
    for (int column : kRoomColumns) {
        const int room = rules::property(subject, column);
        if (room >= 0 && room <= kRoomCount)
            f(room);
    }
}

short availability(int room, const Placement& at)
{
    if (!gSpecialRoomAvailability.inBounds(at.day, 1) || !gSpecialRoomAvailability.inBounds(at.period, 2))
        return 0;
    return gSpecialRoomAvailability(room, at.day, at.period);
}

// How often each room is wanted in the period by the other classes and this lesson.
RoomCounts roomDemand(const Placement& at, int partner, RoomCounts& wanted)
{
    RoomCounts demand{};
    const int lastClass = std::min(gLastClass.toInt(), gMaxClasses.toInt());
    for (int c = 1; c <= lastClass; ++c) {
        if (c == at.cls)
            continue;
        for (int half = 0; half <= 1; ++half)
            forEachRoom(rules::lessonAt(at.day, at.period, c, half), [&](int room) { ++demand[room]; });
    }
    for (int subject : {at.subject, partner}) {
        forEachRoom(subject, [&](int room) {
            ++demand[room];
            wanted[room] = 1;
        });
    }
    return demand;
}

}

void CheckTeacherAvailable()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    for (int slot = 0; slot < rules::kTeacherSlots; ++slot) {
        const int teacher = rules::lessonTeacher(at.cls, at.subject, slot);
        if (teacher == 0)
            continue;
        const short code = gTeacherUnavailable(teacher, at.day, at.period);
        if (code == kCannotCome) {
            refuse([&] { return fullName(teacher) + " kann nicht kommen"; });
            return;
        }
        if (code == kSupervision) {
            refuse([&] { return fullName(teacher) + " hat Aufsicht"; });
            return;
        }
        const int otherClass = gTeacherPlanClass(teacher, at.day, at.period);
        if (otherClass >= 1 && otherClass != at.cls) {
            refuse([&] {
                return fullName(teacher) + " hat schon " +
                       rules::screenName(gTeacherPlanSubject(teacher, at.day, at.period)) + " in der Klasse " +
                       rules::className(otherClass);
            });
            return;
        }
    }
}

void CheckTeacherMaxConsecutive()
{
    const Placement at = rules::current();
    for (int slot = 0; slot < rules::kTeacherSlots; ++slot) {
        const int teacher = rules::lessonTeacher(at.cls, at.subject, slot);
        const int limit = teacher == 0 ? 0 : consecutiveLimit(teacher);
        if (limit == 0)
            continue;
        if (teachingRunThrough(teacher, at) > limit) {
            refuse([&] {
                return "Belastbarkeit von " + gTeacherShort(teacher) + " = maximal" + numbers::strForm(limit);
            });
            return;
        }
    }
}

void CheckTeacherClash()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    const int overlap = overlappingPeriod(at.period);
    if (overlap == 0)
        return;
    for (int slot = 0; slot < rules::kTeacherSlots; ++slot) {
        const int teacher = rules::lessonTeacher(at.cls, at.subject, slot);
        if (teacher == 0)
            continue;
        const short subject = gTeacherPlanSubject(teacher, at.day, overlap);
        if (subject > 0) {
            refuse([&] {
                return "Überschneidung: " + gTeacherShort(teacher) + " hat schon " + rules::screenName(subject) +
                       " " + rules::className(gTeacherPlanClass(teacher, at.day, overlap)) + " in der " +
                       numbers::strForm(overlap) + ". Eh.";
            });
            return;
        }
    }
}

void CheckRoomCapacity()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    const int partner = rules::property(at.subject, 6);
    if (rules::property(at.subject, 8) < 1 && (partner == 0 || rules::property(partner, 8) == 0))
        return;
    RoomCounts wanted{};
    const RoomCounts demand = roomDemand(at, partner, wanted);
    const auto overbooked = [&](int room) { return wanted[room] && demand[room] > availability(room, at); };
    bool refused = false;
    for (int room = 1; room <= kRoomCount; ++room)
        refused = refused || overbooked(room);
    if (!refused) {
        if (rules::refusalTextWanted())
            gText = QString();
        return;
    }
    refuse([&] {
        QString message = "Überbelegung:";
        for (int room = 1; room <= kRoomCount; ++room) {
            if (overbooked(room))
                message += " " + QString::number(demand[room]) + " im Raum " + gSpecialRoomNames(room) + " ";
        }
        return message;
    });
}
