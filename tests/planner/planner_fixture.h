#pragma once
// The common start of the planner's tests: a week of 5 days and 9 periods, and
// the cell that a placement rule looks at.
#include "core/model.h"
#include "core/timetable.h"
#include "tests/support/fixture.h"

#include <QString>

class PlannerTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
    }
    static void at(int day, int period, int cls, int half, int s)
    {
        gDay = day;
        gPeriod = period;
        gClass = cls;
        gHalf = half;
        gSubject = s;
    }
    static void place(int day, int period, int cls, int half, int s)
    {
        at(day, period, cls, half, s);
        SetTimetableCell();
    }
    // Runs one rule on the current cell, as a caller that runs it alone does.
    static bool refusedBy(void (*rule)())
    {
        gCheckOk = 1;
        rule();
        return gCheckOk == 0;
    }
    // The rule's message when it refuses the cell, else "".
    static QString refusal(void (*rule)()) { return refusedBy(rule) ? gText.toString() : QString(); }
};
