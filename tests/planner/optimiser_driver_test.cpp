#include "bench/optimiser_trial.h"
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/optimiser_runs.h"
#include "tests/planner/planner_fixture.h"

// The headless runs of the benchmark and the driver on a copy of a data
// folder: the planner's start there, then the optimiser window's start.
class OptimiserDriverTest : public PlannerTest {
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
    static int curriculumOfNamedClasses()
    {
        int hours = 0;
        for (int c = 1; c <= static_cast<int>(gClassNames.upper(0)); ++c) {
            if (gClassNames(c).toString().isEmpty())
                continue;
            for (int s = 1; s <= gMaxSubjects; ++s)
                hours += gCurriculumHours(c, s);
        }
        return hours;
    }
};

// "Modus 0" on the demo school's copy takes out and places the lessons of all
// its classes, and the folder itself is left as it was.
TEST_F(OptimiserDriverTest, FillRunWorksOnTheFoldersClasses)
{
    const QByteArray demoPlan = [] {
        QFile f(QStringLiteral(ORVQZ_DEMO_DIR "KSP1.xxx"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_TRUE(trial::loadFolderCopy(QStringLiteral(ORVQZ_DEMO_DIR), m_dir.path() + QLatin1Char('/')));
    const int required = curriculumOfNamedClasses();
    ASSERT_GT(required, 0);

    const trial::Result r = trial::runSteps(trial::kFill, 300, 1, 0x1F, true);

    EXPECT_TRUE(r.started) << qPrintable(r.status);
    EXPECT_EQ(r.before.required, required);
    EXPECT_EQ(r.after.required, required);
    EXPECT_GT(r.passes, 0);
    EXPECT_GT(r.after.placed, 0);
    EXPECT_EQ(gPlanName, QStringLiteral("0"));
    QFile kept(QStringLiteral(ORVQZ_DEMO_DIR "KSP1.xxx"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), demoPlan);
}

// A start check that refuses the mode is reported in place of a run, as the
// window shows it.
TEST_F(OptimiserDriverTest, RefusedStartIsReportedWithoutRun)
{
    ASSERT_TRUE(trial::loadFolderCopy(QStringLiteral(ORVQZ_DEMO_DIR), m_dir.path() + QLatin1Char('/')));
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            gTimetable(d, p, 1, 0) = gTimetable(d, p, 1, 1) = 0;

    const trial::Result r = trial::run(trial::kImprove, 60000, 1);

    EXPECT_FALSE(r.started);
    EXPECT_TRUE(r.status.startsWith(QStringLiteral("Zum Start von Planungsmodus 2 muss ein fertiger Plan vorliegen")))
        << qPrintable(r.status);
    EXPECT_EQ(r.yields, 0);
}
