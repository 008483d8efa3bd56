#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "platform/runtime.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/generated_school.h"

#include <QCheckBox>
#include <QLabel>

// The plans the optimiser saves on the generated school, its ability groups
// open, must pass the editor's error check in every cell.
class OptimiserPlanCheckTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        optimiser::setYieldInterval(0);
    }
    void TearDown() override
    {
        optimiser::setYieldHook(nullptr);
        gOptimizerRunning = 0;
        PlannerTest::TearDown();
    }

    static Form18* window() { return forms::get<Form18>(); }

    void buildSchool(unsigned seed)
    {
        resetModel();
        InitialiseConstants();
        gDataPath = m_dir.path() + QLatin1Char('/');
        generated_school::build(seed, {.openAbilityGroups = true});
    }

    // Runs a mode until its yield hook has been called `yields` times, the
    // fill run until it has ended `passes` passes.
    static void run(short mode, unsigned seed, long limit, bool ai = false)
    {
        window()->Check6->setChecked(ai);
        long yields = 0;
        optimiser::setYieldHook([mode, limit, &yields] {
            const bool done = mode == 3 ? window()->Label2->text().toLong() > limit : ++yields >= limit;
            if (done)
                gOptimizerRunning = 0;
        });
        Randomize(seed);
        gOptimizerMode = mode;
        gOptimizerRunning = 1;
        if (mode == 3)
            RunFillOptimisation();
        else
            RunTimetableOptimisation();
        gOptimizerRunning = 0;
        optimiser::setYieldHook(nullptr);
    }

    // The error check's refusals over the week of plan "0" as read back.
    static QStringList refusalsOfPlanZero()
    {
        gPlanName = QStringLiteral("0");
        LoadPlan();
        RebuildTeacherTimetables();
        QStringList refusals;
        for (const editor::HalfCell& cell : editor::refusedLessons()) {
            editor::passesErrorCheck(cell);
            refusals << QStringLiteral("%1 day %2 period %3: %4 - %5")
                            .arg(gClassNames(cell.cls).toString())
                            .arg(cell.day)
                            .arg(cell.period)
                            .arg(gSubjectNames(gTimetable(cell.day, cell.period, cell.cls, cell.half), 1))
                            .arg(gText.toString());
        }
        return refusals;
    }
};

TEST_F(OptimiserPlanCheckTest, FillRunsSavePlansTheErrorCheckAccepts)
{
    for (const unsigned seed : {1u, 2u, 3u})
        for (const bool ai : {false, true}) {
            buildSchool(seed);
            generated_school::clearOpenLessons();
            run(3, seed, 4, ai);
            const QStringList refusals = refusalsOfPlanZero();
            EXPECT_TRUE(refusals.isEmpty()) << "seed " << seed << (ai ? " with ai\n" : "\n")
                                            << refusals.join(QLatin1Char('\n')).toStdString();
        }
}

TEST_F(OptimiserPlanCheckTest, SearchAndImprovementSavePlansTheErrorCheckAccepts)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        buildSchool(seed);
        generated_school::openOneDayOfThreeClasses(1 + seed % 5);
        run(1, seed, 2000);
        QStringList refusals = refusalsOfPlanZero();
        EXPECT_TRUE(refusals.isEmpty()) << "Modus 1, seed " << seed << "\n"
                                        << refusals.join(QLatin1Char('\n')).toStdString();
        buildSchool(seed);
        for (QCheckBox* method : window()->methodChecks())
            method->setChecked(true);
        run(2, seed, 2000);
        refusals = refusalsOfPlanZero();
        EXPECT_TRUE(refusals.isEmpty()) << "Modus 2, seed " << seed << "\n"
                                        << refusals.join(QLatin1Char('\n')).toStdString();
    }
}
