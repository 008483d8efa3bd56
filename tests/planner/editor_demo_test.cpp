#include "core/master_data.h"
#include "core/plan_files.h"
#include "platform/runtime.h"
#include "tests/planner/editor_fixture.h"

// The demo school as the planner starts on it: its master data and plan 1,
// nine visible columns over ten classes.
class EditorDemoTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        gDataPath = ORVQZ_DEMO_DIR;
        LoadMasterData();
        LoadStartPlan();
        // The windows save their positions when they close; the demo stays as it is.
        gDataPath = m_dir.path() + "/";
    }
};

TEST_F(EditorDemoTest, OpensOnMondayOfPlanOneWithTheDemosClasses)
{
    ASSERT_EQ(gPlanName, "1");
    ASSERT_EQ(gVisibleColumns, 9);
    Form15* f = open();
    EXPECT_EQ(f->Label2->text(), "Montag");
    EXPECT_EQ(headers(), QStringList({"5a", "5b", "6a", "6b", "7a", "7b", "8a", "8b", "9a"}));
    int lessons = 0;
    for (int n = 0; n < 9 * gPeriodsPerDay.toInt() * 2; ++n) {
        const QString caption = f->G[n]->text();
        if (!caption.isEmpty()) {
            ++lessons;
            const int s = gTimetable(1, gGridCellMap(n, 0), gGridCellMap(n, 1), gGridCellMap(n, 2));
            EXPECT_EQ(caption, gSubjectNames(s, 1)) << "label " << n;
        }
    }
    EXPECT_GT(lessons, 9 * 4);

    QTest::mouseClick(f->Command8, Qt::LeftButton);
    EXPECT_EQ(headers().last(), "10a");
    QTest::mouseClick(f->Command8, Qt::LeftButton);
    EXPECT_EQ(runtime::beepCount(), 1);
}
