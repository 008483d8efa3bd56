#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_support.h"

using namespace rules;

namespace {

constexpr int kTimeRule = 7;
constexpr int kNotOnConsecutiveDays = 9;
constexpr int kNotSameDayWith[] = {10, 11, 12};
constexpr int kNonCognitive = 13;
constexpr int kPredecessor = 17;
constexpr int kEdgePeriodRule = 4;
// The successor of the day's last possible period is never looked at.
constexpr int kLastPeriod = 11;

bool onDayInRow(const Placement& at, int day, int row, int subject)
{
    const int periods = timetable::periods();
    for (int p = 1; p <= periods; ++p) {
        if (lessonAt(day, p, at.cls, row) == subject)
            return true;
    }
    return false;
}

bool onDay(const Placement& at, int subject)
{
    return onDayInRow(at, at.day, 0, subject) || onDayInRow(at, at.day, 1, subject);
}

// The periods a time rule allows; codes without a range (0, the edge-period
// rule, codes no rule knows) allow every period.
struct AllowedPeriods {
    int first = 1;
    int last = kLastPeriod;
};

AllowedPeriods allowedPeriods(int code)
{
    switch (code) {
    case 1: return {2, kLastPeriod};
    case 2: return {1, 4};
    case 3: return {1, 5};
    case 5: return {1, 6};
    case 6: return {1, 7};
    case 7: return {1, 8};
    case 8: return {5, kLastPeriod};
    case 9: return {6, kLastPeriod};
    case 10: return {7, kLastPeriod};
    default: return {};
    }
}

QString timeRuleMessage(int code, const AllowedPeriods& allowed)
{
    if (code == 1)
        return " nicht in der 1.Eh";
    if (allowed.first > 1)
        return " erst ab der  " + QString::number(allowed.first) + ".Eh";
    return " nur bis zur  " + QString::number(allowed.last) + ".Eh";
}

// The class's day ends after this period: the next cell is empty and fixed.
bool isEdgePeriod(const Placement& at)
{
    if (at.period == timetable::periods())
        return true;
    return lessonAt(at.day, at.period + 1, at.cls, 0) == 0 && fixationAt(at.day, at.period + 1, at.cls, at.half) >= 1;
}

void checkPredecessor(const Placement& at, int predecessor)
{
    if (at.period == 1)
        refuse([&] { return screenName(at.subject) + " verlangt Verkettung"; });
    else if (!holdsAt(at.day, at.period - 1, at.cls, predecessor))
        refuse([&] {
            return screenName(at.subject) + " darf nur nach " + screenName(predecessor) + " gesteckt werden.";
        });
}

void checkSuccessor(const Placement& at)
{
    const int next = at.period + 1;
    int successor = lessonAt(at.day, next, at.cls, 0);
    if (successor == 0)
        successor = lessonAt(at.day, next, at.cls, 1);
    if (successor == 0)
        return;
    const int required = property(successor, kPredecessor);
    if (required != 0 && required != at.subject)
        refuse([&] {
            return "Verkettung: " + screenName(successor) + " in der Einheit" + QString::number(next)
                + " verlangt als Vorgänger " + screenName(required) + ".";
        });
}

}

void CheckPeriodLimits()
{
    gCheckOk = 1;
    const Placement at = current();
    const int code = property(at.subject, kTimeRule);
    if (code == kEdgePeriodRule) {
        if (!isEdgePeriod(at))
            refuse([&] { return screenName(at.subject) + " nur als Randstunde"; });
        return;
    }
    const AllowedPeriods allowed = allowedPeriods(code);
    if (at.period < allowed.first || at.period > allowed.last)
        refuse([&] { return screenName(at.subject) + timeRuleMessage(code, allowed); });
}

void CheckNotConsecutiveDays()
{
    const Placement at = current();
    if (property(at.subject, kNotOnConsecutiveDays) == 0 || gCurriculumHours(at.cls, at.subject) != 2)
        return;
    gCheckOk = 1;
    const bool dayBefore = at.day != 1 && onDayInRow(at, at.day - 1, at.half, at.subject);
    const bool dayAfter = at.day != timetable::days() && onDayInRow(at, at.day + 1, at.half, at.subject);
    if (dayBefore || dayAfter)
        refuse([&] { return screenName(at.subject) + " nicht an aufeinanderfolgenden Tagen"; });
}

void CheckNotSameDayWith()
{
    gCheckOk = 1;
    const Placement at = current();
    for (int column : kNotSameDayWith) {
        const int other = property(at.subject, column);
        if (other != 0 && onDay(at, other)) {
            refuse([&] { return " nicht am selben Tag mit " + screenName(other); });
            return;
        }
    }
}

void CheckNonCognitiveSubject()
{
    gCheckOk = 1;
    if (gNonCognitiveRule == 0 && gFifthPeriodFlag == 0)
        return;
    const Placement at = current();
    constexpr int kLongWindow = 6;
    if (property(at.subject, kNonCognitive) == 1 || at.period > kLongWindow)
        return;
    const int window = gFifthPeriodFlag == 1 ? 5 : kLongWindow;
    int freePeriods = 0;
    for (int p = 1; p <= window; ++p) {
        const int present = lessonAt(at.day, p, at.cls, 0);
        if (property(present, kNonCognitive) == 1)
            return;
        if (p != at.period && present == 0)
            ++freePeriods;
    }
    // A free period of the window can still take a non-cognitive subject.
    if (freePeriods == 0)
        refuse("mindestens 1 nicht-kognitives Fach eintragen");
}

void CheckChaining()
{
    gCheckOk = 1;
    const Placement at = current();
    if (const int predecessor = property(at.subject, kPredecessor); predecessor != 0) {
        checkPredecessor(at, predecessor);
        if (gCheckOk == 0)
            return;
    }
    if (at.period != kLastPeriod)
        checkSuccessor(at);
}
