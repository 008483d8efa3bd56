#include "admin/time_up_window.h"
#include "core/master_data.h"
#include "core/plan_files.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "tests/planner/editor_fixture.h"

#include <QRadioButton>

// The demo school as the planner starts on it, its plan files written to the
// test's folder.
class OptimiserDemoTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        gDataPath = ORVQZ_DEMO_DIR;
        LoadMasterData();
        LoadStartPlan();
        gDataPath = m_dir.path() + "/";
        optimiser::setYieldInterval(0);
    }
    void TearDown() override
    {
        optimiser::setYieldHook(nullptr);
        EditorTest::TearDown();
    }
};

// Each mode passes its start check on the demo plan, runs, and is stopped;
// an open editor shows the plan loaded at the end.
TEST_F(OptimiserDemoTest, EveryModeStartsOnTheDemoPlan)
{
    Form15* editor = open();
    for (int option = 0; option < Form18::kModes; ++option) {
        SCOPED_TRACE(option);
        int yields = 0;
        optimiser::setYieldHook([&] {
            if (++yields == 5)
                gOptimizerRunning = 0;
        });
        Form18* f = forms::show<Form18>();
        f->Option1[option]->setChecked(true);
        f->Command2->click();
        EXPECT_FALSE(forms::isOpen<Form59>());
        EXPECT_EQ(f->Label1->text(), QStringLiteral("Optimierung wurde beendet"));
        EXPECT_EQ(gPlanName, QStringLiteral("0"));
        gPlanName = QStringLiteral("1");
    }
    const int shown = gGridCellMap(0, 1);
    EXPECT_EQ(editor->G[0]->text(), gSubjectNames(gTimetable(gLastEditorDay, 1, shown, 0), 1));
}
