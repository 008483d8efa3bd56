#pragma once
// The optimiser's tests on the generated school with its ability groups open:
// the school of a seed built afresh in an empty test folder, and a mode run to
// a fixed stop (never a time limit), so that a seed saves the same plan on
// every machine.
#include "core/constants.h"
#include "core/model.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "platform/runtime.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/generated_school.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>

class OptimiserSchoolTest : public PlannerTest {
protected:
    static constexpr short kFill = 3;
    static constexpr short kSearch = 1;
    static constexpr short kImprove = 2;

    void TearDown() override
    {
        optimiser::setYieldHook(nullptr);
        gOptimizerRunning = 0;
        PlannerTest::TearDown();
    }

    static Form18* window() { return forms::get<Form18>(); }

    void buildSchool(unsigned seed)
    {
        QDir folder(m_dir.path());
        for (const QString& name : folder.entryList(QDir::Files))
            folder.remove(name);
        resetModel();
        InitialiseConstants();
        gDataPath = m_dir.path() + QLatin1Char('/');
        generated_school::build(seed, {.openAbilityGroups = true});
    }

    // Runs `mode` seeded with `seed`, every release method ticked and "ai" as
    // given, until the fill run has ended `limit` passes or another mode has
    // yielded `limit` times.
    static void run(short mode, unsigned seed, long limit, bool ai = false)
    {
        window()->Check6->setChecked(ai);
        for (QCheckBox* method : window()->methodChecks())
            method->setChecked(true);
        long yields = 0;
        optimiser::setYieldInterval(0);
        optimiser::setYieldHook([mode, limit, &yields] {
            const bool done = mode == kFill ? window()->Label2->text().toLong() > limit : ++yields >= limit;
            if (done)
                gOptimizerRunning = 0;
        });
        Randomize(seed);
        gOptimizerMode = mode;
        gOptimizerRunning = 1;
        if (mode == kFill)
            RunFillOptimisation();
        else
            RunTimetableOptimisation();
        gOptimizerRunning = 0;
        optimiser::setYieldHook(nullptr);
    }
};
