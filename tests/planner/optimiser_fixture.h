#pragma once
// The optimiser's tests: one class "5a" of three subjects, each with its own
// teacher and no limit per day, in the planner's week of which only the
// first `days` days and `periods` periods are open, the other cells fixed
// empty; the optimiser window loaded, not shown.
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "tests/planner/planner_fixture.h"

#include <QCheckBox>
#include <QLabel>

class OptimiserTest : public PlannerTest {
protected:
    static constexpr int kNoLimitPerDay = 9;
    static constexpr int kTaughtColumn = 5;

    void SetUp() override
    {
        PlannerTest::SetUp();
        gMaxTeachers = 60;
        gClassNames(1) = QStringLiteral("5a");
        gLastClass = 1;
        const char* subjects[] = {"De", "Ma", "En"};
        const char* teachers[] = {"Huber", "Maier", "Ernst"};
        for (int s = 1; s <= 3; ++s) {
            gSubjectNames(s, 1) = QString::fromUtf8(subjects[s - 1]);
            gSubjectAttr(s, 3) = kNoLimitPerDay;
            gSubjectAttr(s, kTaughtColumn) = 1;
            gTeacherNames(s) = QString::fromUtf8(teachers[s - 1]);
            gTeacherShort(s) = QString::fromUtf8(teachers[s - 1]).left(2).toUpper();
            gSubjectTeachers(1, s, 0) = static_cast<short>(s);
            gOptimizeSubjects(s) = 1;
        }
        gPlanName = QStringLiteral("3");
        gPlanTitle = QStringLiteral("Mein Plan");
        optimiser::setYieldHook(nullptr);
        optimiser::setYieldInterval(0);
    }
    void TearDown() override
    {
        optimiser::setYieldHook(nullptr);
        gOptimizerRunning = 0;
        PlannerTest::TearDown();
    }
    static constexpr short kAbsolute = 4;

    void week(int days, int periods)
    {
        m_days = days;
        m_periods = periods;
        for (int d = 1; d <= gDaysPerWeek.toInt(); ++d)
            for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p) {
                const short code = d <= days && p <= periods ? 0 : kAbsolute;
                gFixations(d, p, 1, 0) = gFixations(d, p, 1, 1) = code;
            }
    }
    static void hours(int de, int ma, int en)
    {
        gCurriculumHours(1, 1) = static_cast<short>(de);
        gCurriculumHours(1, 2) = static_cast<short>(ma);
        gCurriculumHours(1, 3) = static_cast<short>(en);
    }
    static Form18* window() { return forms::get<Form18>(); }
    // Runs a mode as the window's start does, without its checks.
    static void run(short mode)
    {
        gOptimizerMode = mode;
        gOptimizerRunning = 1;
        if (mode == 3)
            RunFillOptimisation();
        else
            RunTimetableOptimisation();
        gOptimizerRunning = 0;
    }
    // Stops the run at its k-th yield; counts the yields after that.
    void stopAtYield(int k)
    {
        m_yields = 0;
        optimiser::setYieldHook([this, k] {
            if (++m_yields == k)
                gOptimizerRunning = 0;
        });
    }
    QString planTitle(const QString& plan) const { return readLines(QStringLiteral("T&E%1.xxx").arg(plan)).value(2); }
    // The subjects of the class's open area, day by day, period by period.
    QList<int> grid() const
    {
        QList<int> cells;
        for (int d = 1; d <= m_days; ++d)
            for (int p = 1; p <= m_periods; ++p)
                cells << gTimetable(d, p, 1, 0);
        return cells;
    }
    static QString status() { return window()->Label1->text(); }
    // Ticks the release methods marked '1', one character per method.
    static void tickMethods(const char* marks)
    {
        for (int m = 0; m < 5; ++m)
            window()->methodChecks()[m]->setChecked(marks[m] == '1');
    }

    int m_yields = 0;
    int m_days = 5;
    int m_periods = 9;
};
