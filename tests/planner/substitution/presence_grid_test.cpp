#include "planner/substitution/presence_grid.h"
#include "tests/planner/substitution/substitution_fixture.h"

namespace {

class PresenceGridTest : public SubstitutionTest {
protected:
    // Form20 with teacher `t` chosen, absent for some periods: the grid opens.
    static Form46* openTeacherGrid(int t)
    {
        Form20* f = forms::show<Form20>();
        f->List1->setListIndex(t - 1);
        f->Command10->click();
        return forms::ifOpen<Form46>();
    }
    static Form48* openClassGrid(int c)
    {
        Form20* f = forms::ifOpen<Form20>();
        f->List2->setListIndex(c - 1);
        f->Command11->click();
        return forms::ifOpen<Form48>();
    }
};

TEST_F(PresenceGridTest, ThereIsARowForEveryPeriodOfTheDay)
{
    for (int periods : {9, 11}) {
        gPeriodsPerDay = periods;
        Form46* grid = openTeacherGrid(2);
        ASSERT_TRUE(grid);
        for (int p = 1; p <= 11; ++p) {
            EXPECT_EQ(grid->Check1[p]->isHidden(), p > periods) << periods << " periods, row " << p;
            EXPECT_EQ(grid->Label1[p]->isHidden(), p > periods);
        }
        EXPECT_EQ(grid->Label1[periods]->text(), QString("%1.Eh.").arg(periods));
        grid->Command1->click();
    }
}

TEST_F(PresenceGridTest, TheGridOpensWithTheMarksAndATickTakesEffectAtOnce)
{
    Form46* grid = openTeacherGrid(5);
    ASSERT_TRUE(grid);
    for (int p = 1; p <= 9; ++p)
        EXPECT_EQ(grid->Check1[p]->isChecked() ? grid->Check1[p]->text() : "", "anwesend") << "never marked " << p;
    grid->close();
    Form20* f = forms::ifOpen<Form20>();
    EXPECT_EQ(f->Command3->text(), "> ist da <");
    EXPECT_TRUE(gTeacherAbsence(5) == 1) << "still on the list, for no period";

    f->List1->setListIndex(3);
    f->Command2->click();
    f->Command10->click();
    grid = forms::ifOpen<Form46>();
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->windowTitle(), "Dora Engel");
    for (int p = 1; p <= 9; ++p)
        EXPECT_EQ(grid->Check1[p]->isChecked() ? "" : grid->Check1[p]->text(), "fehlt") << "away all day " << p;
    for (int p : {1, 2, 9})
        grid->Check1[p]->click();
    EXPECT_EQ(grid->Check1[9]->text(), "anwesend");
    EXPECT_TRUE(gTeacherAbsentPeriods(4, 9) == 0);
    grid->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form46>());
    EXPECT_EQ(f->Command10->text(), "> fehlt 6 Stunden <");
}

TEST_F(PresenceGridTest, AGridKeepsItsTeacherOrClassAndItsLegendCannotChange)
{
    openTeacherGrid(2);
    Form46* grid = openTeacherGrid(3);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->windowTitle(), "Carla Dietz") << "a grid open for teacher 2 gave way";
    gTeacher = 6;
    grid->Check1[3]->click();
    EXPECT_TRUE(gTeacherAbsentPeriods(3, 3) == 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(6, 3).isEmpty());

    Form48* classes = openClassGrid(4);
    ASSERT_TRUE(classes);
    EXPECT_EQ(classes->windowTitle(), "7a");
    gClass = 3;
    classes->Check1[2]->click();
    EXPECT_TRUE(gClassAbsentPeriods(4, 2) == 1);
    EXPECT_TRUE(gClassAbsentPeriods(3, 2).isEmpty());

    for (QCheckBox* box : {grid->Check2, grid->Check3, classes->Check2, classes->SSCheck1})
        box->click();
    EXPECT_TRUE(grid->Check2->isChecked());
    EXPECT_FALSE(grid->Check3->isChecked());
    EXPECT_TRUE(classes->Check2->isChecked());
    EXPECT_FALSE(classes->SSCheck1->isChecked());
}
}
