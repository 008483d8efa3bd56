#include "core/master_data.h"
#include "core/plan_files.h"
#include "planner/editor/why_not_window.h"
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

// Monday, 7a, second period, right half: "D" forced there shares Sabine
// Krämer with her lesson in 9a; "0" takes it out again and gives her back.
TEST_F(EditorDemoTest, FreeingAForcedLessonGivesTheTeacherBackHerOtherLesson)
{
    const int kraemer = 1;
    const auto hours = [&] {
        int n = 0;
        for (int d = 1; d <= gDaysPerWeek.toInt(); ++d)
            for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p)
                n += gTeacherPlanSubject(kraemer, d, p) > 0 ? 1 : 0;
        return n;
    };
    ASSERT_EQ(gClassNames(5), "7a");
    ASSERT_EQ(gTeacherPlanClass(kraemer, 1, 2), 9);
    const int lesson = gTeacherPlanSubject(kraemer, 1, 2);
    const int weekHours = hours();
    Form15* f = open();
    const auto chooseRefused = [f](const QString& name) {
        click(cell(5, 2, 1));
        const qsizetype row = f->List2->items().indexOf(name);
        if (row >= 0)
            f->List2->setListIndex(static_cast<int>(row));
        return forms::ifOpen<Form40>();
    };
    Form40* w = chooseRefused("D");
    ASSERT_NE(w, nullptr) << f->List2->items().join('|').toStdString();
    click(w->Command2);
    ASSERT_EQ(gSubjectNames(gTimetable(1, 2, 5, 1), 1), "D");

    click(cell(5, 2, 1));
    press(f->List1, Qt::Key_0);
    EXPECT_EQ(gTimetable(1, 2, 5, 1), 0);
    EXPECT_EQ(gTeacherPlanSubject(kraemer, 1, 2), lesson);
    EXPECT_EQ(gTeacherPlanClass(kraemer, 1, 2), 9);
    EXPECT_EQ(hours(), weekHours);
    w = chooseRefused("D");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->List1->items().contains("Sabine Krämer hat schon " + gSubjectNames(lesson, 1) + " in der Klasse 9a"))
        << w->List1->items().join('|').toStdString();
}
