#include "planner/editor/optimiser_run_support.h"
#include "planner/editor/optimiser_runs.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/timetable_editor.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "platform/runtime.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

using namespace optimiser::runs;

namespace {

constexpr int kTemporary = 1;

bool releaseTestPasses(int day, int period, int cls)
{
    gCheckOk = 0;
    const int s = subjectAt(day, period, cls);
    if (gFixations(day, period, cls, 0) != kTemporary || s == 0 || gCurriculumHours(cls, s) == 0)
        return false;
    gDay = day;
    gPeriod = period;
    gClass = cls;
    gSubject = s;
    gCheckOk = 1;
    const RunRules asked;
    return RunStandardChain();
}

void release(int day, int period, int cls)
{
    gFixations(day, period, cls, 0) = 0;
    gFixations(day, period, cls, 1) = 0;
}

bool fixedAbilityGroup(int day, int period, int cls)
{
    return gFixations(day, period, cls, 0) == kTemporary && abilityGroup(subjectAt(day, period, cls));
}

bool leadsAbilityGroups(int cls)
{
    gClass = cls;
    SetClassTypeFlags();
    return gClassFlagA == 1;
}

// "1T": one day, random classes with all their periods.
void releaseOneDay()
{
    const int day = randomUpTo(days());
    int attempts = 0;
    int released = 0;
    while (attempts <= 70 && released <= 12) {
        ++attempts;
        const int cls = randomUpTo(classes());
        for (int p = 1; p <= periods(); ++p) {
            if (abilityGroup(subjectAt(day, p, cls)))
                continue;
            if (releaseTestPasses(day, p, cls)) {
                release(day, p, cls);
                ++released;
            }
        }
    }
}

// "LG": the classes of one grade on random days, with their ability groups.
void releaseGrade()
{
    const QString grade = rules::className(randomUpTo(classes())).left(1);
    int attempts = 0;
    int released = 0;
    while (attempts <= 100) {
        ++attempts;
        const int day = randomUpTo(days());
        for (int cls = classes(); cls >= 1; --cls) {
            const QString name = rules::className(cls);
            if (name.isEmpty() || name.left(1) != grade)
                continue;
            if (released > 4)
                return;
            for (int p = 1; p <= periods(); ++p) {
                if (releaseTestPasses(day, p, cls))
                    release(day, p, cls);
                if (leadsAbilityGroups(cls)) {
                    if (fixedAbilityGroup(day, p, cls))
                        release(day, p, cls);
                    ++released;
                }
            }
        }
    }
}

// "Wa": one period of one day across all classes.
void releasePeriod()
{
    int attempts = 0;
    int released = 0;
    while (attempts <= 120 && released <= 38) {
        ++attempts;
        const int day = randomUpTo(days());
        const int period = randomUpTo(periods());
        for (int cls = 1; cls <= classes(); ++cls) {
            if (releaseTestPasses(day, period, cls)) {
                release(day, period, cls);
                ++released;
            } else if (leadsAbilityGroups(cls) && fixedAbilityGroup(day, period, cls)) {
                release(day, period, cls);
                ++released;
            }
        }
    }
}

// "1K" and "ZF": random cells of one class, or of any class.
void releaseCells(bool oneClass, int attemptLimit, int releaseLimit)
{
    const int fixedClass = oneClass ? randomUpTo(classes()) : 0;
    int attempts = 0;
    int released = 0;
    while (attempts <= attemptLimit) {
        ++attempts;
        const int cls = oneClass ? fixedClass : randomUpTo(classes());
        const int day = randomUpTo(days());
        const int period = randomUpTo(periods());
        if (gFixations(day, period, cls, 0) == 0 || abilityGroup(subjectAt(day, period, cls)))
            continue;
        if (releaseTestPasses(day, period, cls)) {
            release(day, period, cls);
            if (++released > releaseLimit)
                return;
        }
    }
}

void runMethod(int method)
{
    switch (method) {
    case 1:
        releaseOneDay();
        break;
    case 2:
        releaseGrade();
        break;
    case 3:
        releasePeriod();
        break;
    case 4:
        releaseCells(true, 200, 12);
        break;
    default:
        releaseCells(false, 400, 46);
        break;
    }
}

// The longest pass seen for the method used last.
void timeLastPass()
{
    gOptNow = Clock::secondsSinceMidnight();
    if (gOptStartTime == 0)
        return;
    gOptElapsed = gOptNow - gOptStartTime;
    if (gOptPhase >= 1 && gOptPhase <= Form18::kMethods) {
        QLabel* shown = window()->Label18[gOptPhase - 1];
        QString caption = shown->text().trimmed();
        if (caption.isEmpty() || caption == QLatin1String("x"))
            caption = QStringLiteral("0,001");
        if (numbers::val(caption.replace(QLatin1Char(','), QLatin1Char('.'))) < gOptElapsed)
            shown->setText(numbers::textSingle(static_cast<float>(gOptElapsed)));
    }
    yieldToEvents();
}

int chooseMethod()
{
    static constexpr double kBounds[Form18::kMethods] = {0.2, 0.4, 0.6, 0.8, 2};
    const auto checks = window()->methodChecks();
    const bool anyTicked = std::any_of(checks.begin(), checks.end(), [](QCheckBox* c) { return c->isChecked(); });
    for (;;) {
        gCalcA = Rnd();
        gOptStartTime = Clock::secondsSinceMidnight();
        for (int m = 0; m < Form18::kMethods; ++m) {
            if (checks[m]->isChecked() && gCalcA.toDouble() < kBounds[m])
                return m + 1;
        }
        // With no method ticked no draw could ever choose one.
        if (!anyTicked)
            return Form18::kMethods;
        yieldToEvents();
    }
}

}

void ReleaseRandomCells()
{
    timeLastPass();
    gHalf = 0;
    const int method = chooseMethod();
    gOptPhase = static_cast<short>(method);
    runMethod(method);
}
