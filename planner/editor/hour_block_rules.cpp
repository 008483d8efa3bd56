// The rules that count a subject's lessons and keep its periods in blocks.
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/grid_figures.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_support.h"
#include "platform/numbers.h"

using rules::Placement;
using rules::refuse;

namespace {

constexpr short kNoBlockLimit = 9;

// Lessons per day allowed by a block code 0..8; 0 for a code without limit.
int dailyLimit(int code) { return code >= 0 && code <= 8 ? (code + 1) / 2 + 1 : 0; }

// Weekly hours of the placement's subject in its class; 0 for a subject outside the table.
int curriculumHours(const Placement& at)
{
    const bool known = gCurriculumHours.inBounds(at.cls, 0) && gCurriculumHours.inBounds(at.subject, 1);
    return known ? gCurriculumHours(at.cls, at.subject) : 0;
}

// The cell of the placement's class and group row.
short lesson(const Placement& at, int day, int period) { return rules::lessonAt(day, period, at.cls, at.half); }
short fixation(const Placement& at, int day, int period) { return rules::fixationAt(day, period, at.cls, at.half); }

// Periods of `day` holding `subject` in the placement's row, the placement's own period left out.
int periodsHolding(const Placement& at, int day, int subject, int skipPeriod)
{
    int count = 0;
    const int periods = timetable::periods();
    for (int p = 1; p <= periods; ++p) {
        if (p != skipPeriod && lesson(at, day, p) == subject)
            ++count;
    }
    return count;
}

bool isFixedLunch(const Placement& at, int period)
{
    return period == gLunchPeriod.toInt() && fixation(at, at.day, period) > 0;
}

// Subject in the period before the cell, the lunch period skipped; 0 before the first period.
int subjectBefore(const Placement& at)
{
    int p = at.period - 1;
    if (p == gLunchPeriod.toInt())
        --p;
    return p < 1 ? 0 : lesson(at, at.day, p);
}

// A "nur" block of the subject standing just before the cell must be complete.
bool blockBeforeComplete(const Placement& at, int before)
{
    const int length = rules::requiredBlock(rules::blockCode(before));
    if (before == at.subject || length == 0)
        return true;
    return periodsHolding(at, at.day, before, at.period) >= length;
}

// Free periods after the cell that a new block of the subject could still take.
int roomAfter(const Placement& at)
{
    int room = 0;
    const int periods = timetable::periods();
    for (int p = at.period + 1; p <= periods; ++p) {
        const short there = lesson(at, at.day, p);
        if (isFixedLunch(at, p))
            continue;
        if ((there > 0 || fixation(at, at.day, p) > 0) && there != at.subject)
            break;
        ++room;
    }
    return room;
}

enum class Neighbour { Holds, Other, DayEnds };

// Whether the subject stands next to the cell in direction `step` (+1 after,
// -1 before), a fixed lunch period in between skipped.
Neighbour neighbour(const Placement& at, int step)
{
    int p = at.period + step;
    for (int tries = 0; tries < 2; ++tries) {
        if (p < 1 || p > timetable::periods())
            return Neighbour::DayEnds;
        if (lesson(at, at.day, p) == at.subject)
            return Neighbour::Holds;
        if (!isFixedLunch(at, p))
            return Neighbour::Other;
        p += step;
    }
    return Neighbour::Other;
}

// A further period of the day must join one of the subject's periods; a day
// that ends after the cell refuses without a look before it.
bool joinsExistingPeriod(const Placement& at)
{
    const Neighbour after = neighbour(at, +1);
    if (after != Neighbour::Other)
        return after == Neighbour::Holds;
    return neighbour(at, -1) == Neighbour::Holds;
}

// The first other day whose block of the subject is begun but not complete, 0 = none.
int dayWithIncompleteBlock(const Placement& at, int length)
{
    for (int d = 1; d <= timetable::days(); ++d) {
        if (d == at.day)
            continue;
        const int count = periodsHolding(at, d, at.subject, 0);
        if (count != 0 && count != length)
            return d;
    }
    return 0;
}

// Lessons of the subject in the class's week, both group rows, the cell's own
// period left out.
int lessonsElsewhere(const Placement& at)
{
    const rules::GridFigures* figures = rules::figuresInUse();
    if (const int week = figures ? figures->lessonsInWeek(at.cls, at.subject) : -1; week >= 0) {
        const bool inWeek = at.day >= 1 && at.day <= timetable::days() && at.period >= 1 &&
                            at.period <= timetable::periods();
        return inWeek ? week - (rules::lessonAt(at.day, at.period, at.cls, 0) == at.subject ? 1 : 0) -
                            (rules::lessonAt(at.day, at.period, at.cls, 1) == at.subject ? 1 : 0)
                      : week;
    }
    int count = 0;
    for (int d = 1; d <= timetable::days(); ++d) {
        for (int p = 1; p <= timetable::periods(); ++p) {
            if (d == at.day && p == at.period)
                continue;
            for (int half = 0; half <= 1; ++half)
                count += rules::lessonAt(d, p, at.cls, half) == at.subject ? 1 : 0;
        }
    }
    return count;
}

}

void CheckInCurriculum()
{
    gCheckOk = 1;
    if (curriculumHours(rules::current()) == 0)
        refuse("Fach nicht in Stundentafel");
}

void CheckWeeklyQuota()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    const int count = lessonsElsewhere(at);
    gRuleCounter = static_cast<short>(count);
    if (count == 0 || count < curriculumHours(at))
        return;
    refuse([&] {
        return "Es sind schon " + numbers::strForm(count) + " " + rules::screenName(at.subject) +
               "-Stunden vergeben !";
    });
}

void CheckMaxPerDay()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    const int code = rules::blockCode(at.subject);
    if (code == kNoBlockLimit)
        return;
    gRuleCounter = static_cast<short>(periodsHolding(at, at.day, at.subject, at.period));
    if (gRuleCounter == 0)
        return;
    if (rules::refusalTextWanted())
        gText = " pro Tag nur ";
    const int limit = dailyLimit(code);
    if (limit > 0 && gRuleCounter >= limit)
        refuse([&] { return rules::screenName(at.subject) + " pro Tag nur " + QString::number(limit) + "x"; });
}

void CheckBlocks()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    const int placedToday = gRuleCounter;
    const int before = subjectBefore(at);
    const int code = rules::blockCode(at.subject);
    const int length = rules::requiredBlock(code);
    if (!blockBeforeComplete(at, before)) {
        refuse([&] {
            return rules::screenName(before) + " " + QString::number(rules::requiredBlock(rules::blockCode(before))) +
                   "er-Blöcke bilden !";
        });
    } else {
        if (code < 1 || code > 8)
            return;
        const int stillNeeded = length - 1 - placedToday;
        if (length > 0 && stillNeeded > 0 && roomAfter(at) < stillNeeded)
            refuse([&] { return "Platz für " + QString::number(length) + "er-Block fehlt"; });
        else if (placedToday > 0 && before != at.subject && !joinsExistingPeriod(at))
            refuse("Blöcke bilden !");
    }
    const bool continuesAfter = at.period + 1 <= timetable::periods() && lesson(at, at.day, at.period + 1) == at.subject;
    if (length == 0 || before == at.subject || continuesAfter)
        return;
    if (const int day = dayWithIncompleteBlock(at, length); day != 0)
        refuse([&] {
            return " Blockbildung von " + rules::screenName(at.subject) + " am " + gDayNames(day).toString() +
                   " ist nicht vollständig";
        });
}

void CheckNotAcrossBreak()
{
    gCheckOk = 1;
    const Placement at = rules::current();
    if (rules::property(at.subject, 14) == 0 || rules::blockCode(at.subject) != 2)
        return;
    for (int k = 1; k <= 3; ++k) {
        const int lastBefore = gBreakAfter(k);
        if (lastBefore == 0)
            continue;
        bool across = false;
        if (at.period == lastBefore) {
            // Only the period after the break would be left for the double period.
            const int earlier = lastBefore - 1;
            const bool earlierTaken = rules::fixationAt(at.day, earlier, at.cls, 0) != 0 ||
                                      rules::lessonAt(at.day, earlier, at.cls, 0) != 0;
            across = lastBefore == 1 || (lesson(at, at.day, earlier) != at.subject && earlierTaken) ||
                     lesson(at, at.day, lastBefore + 1) == at.subject;
        } else if (at.period == lastBefore + 1) {
            across = lesson(at, at.day, lastBefore) == at.subject;
        }
        if (across) {
            refuse("nicht über Pause stecken !");
            return;
        }
    }
}
