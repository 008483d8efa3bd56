#include "planner/editor/swap_periods.h"
#include "tests/planner/editor_fixture.h"

#include <QLabel>

namespace {
class SwapPeriodsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        for (int p = 1; p <= 11; ++p)
            gPeriodLabels(p) = QStringLiteral("%1. Std").arg(p);
    }
    static Form34* choose(int a, int b)
    {
        Form34* w = forms::show<Form34>();
        if (a > 0)
            w->List1->setListIndex(a - 1);
        if (b > 0)
            w->List2->setListIndex(b - 1);
        return w;
    }
};

// A shown period swapped with one beyond the day would go where it is
// neither shown nor saved.
TEST_F(SwapPeriodsTest, TauschenWantsTwoDifferentPeriodsOnTheSameSideOfTheDaysEnd)
{
    const struct {
        int a, b;
        bool enabled;
    } cases[] = {{3, 3, false}, {3, 0, false}, {0, 5, false}, {3, 5, true},
                 {3, 10, false}, {10, 9, false}, {10, 11, true}, {9, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b);
        Form34* w = choose(c.a, c.b);
        EXPECT_EQ(w->Command2->isEnabled(), c.enabled);
        EXPECT_EQ(w->List1->List(0), " 1 = 1. Std");
        EXPECT_EQ(w->List2->List(10), "11 = 11. Std");
        w->unload();
    }
}

TEST_F(SwapPeriodsTest, SwapsLessonsAndFixationsOfEveryClassOnTheShownDay)
{
    gTimetable(3, 2, 1, 0) = 1;
    gFixations(3, 2, 1, 0) = 4;
    gTimetable(3, 5, 24, 1) = 2;
    gTimetable(1, 2, 1, 0) = 3;
    gSubjectTeachers(1, 1, 0) = 1;
    gSubjectAttr(1, 5) = 1;
    gLastEditorDay = 3;
    Form15* f = open();
    gDay = 1; // another window's scratch
    Form34* w = choose(2, 5);
    click(w->Command2);

    // The window goes now; it is deleted once the event loop runs again.
    EXPECT_EQ(w->Label1->text(), "Die Einheiten  2 und  5 werden getauscht.");
    EXPECT_EQ(gTimetable(3, 5, 1, 0), 1);
    EXPECT_EQ(gFixations(3, 5, 1, 0), 4);
    EXPECT_EQ(gFixations(3, 2, 1, 0), 0);
    EXPECT_EQ(gTimetable(3, 2, 24, 1), 2) << "all class slots";
    EXPECT_EQ(gTimetable(1, 2, 1, 0), 3) << "other days stay";
    EXPECT_EQ(gTeacherPlanSubject(1, 3, 5), 1);
    EXPECT_EQ(gTeacherPlanSubject(1, 3, 2), 0);
    EXPECT_EQ(cell(1, 5, 0)->text(), "De");
    EXPECT_EQ(f->Label2->text(), "Mittwoch");
    EXPECT_EQ(f->Label1->text(), "Fehlerprüfung wird empfohlen !");
    EXPECT_EQ(gUncheckedChangeDay, 3);
    EXPECT_FALSE(forms::isOpen<Form34>());
}

TEST_F(SwapPeriodsTest, PeriodsBeyondTheDaySwapOutOfSight)
{
    gTimetable(1, 10, 1, 0) = 1;
    Form15* f = open();
    const QString before = cell(1, 9, 0)->text();
    click(choose(10, 11)->Command2);
    EXPECT_EQ(gTimetable(1, 11, 1, 0), 1);
    EXPECT_EQ(cell(1, 9, 0)->text(), before);
    EXPECT_EQ(f->List3->ListIndex(), -1);
}

TEST_F(SwapPeriodsTest, ZurueckChangesNothing)
{
    gTimetable(1, 1, 1, 0) = 1;
    open();
    click(choose(1, 2)->Command1);
    EXPECT_FALSE(forms::isOpen<Form34>());
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 1);
}
}
