#include "planner/editor/placement_rules.h"
#include "tests/planner/planner_fixture.h"

namespace {

// Class 7a (1); subjects Ph (1), De (2) and Ku (3), placed without teachers.
class HourBlockRulesTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        gClassNames(1) = "7a";
        gSubjectNames(1, 1) = "Ph";
        gSubjectNames(2, 1) = "De";
        gSubjectNames(3, 1) = "Ku";
    }
    // Cells of class 7a.
    static void at(int day, int period, int s, int half = 0) { PlannerTest::at(day, period, 1, half, s); }
    static void place(int day, std::initializer_list<int> periods, int s, int half = 0)
    {
        for (int p : periods)
            PlannerTest::place(day, p, 1, half, s);
    }
    // The block check as every chain runs it: right after the count per day.
    static bool blocksRefused()
    {
        CheckMaxPerDay();
        return refusedBy(CheckBlocks);
    }
};

TEST_F(HourBlockRulesTest, WeeklyQuotaCountsBothRowsOfTheWeekButNotTheCell)
{
    at(2, 2, 1);
    EXPECT_FALSE(refusedBy(CheckWeeklyQuota)) << "nothing placed, no hours";
    ASSERT_TRUE(refusedBy(CheckInCurriculum));
    EXPECT_EQ(gText, "Fach nicht in Stundentafel");

    gCurriculumHours(1, 1) = 3;
    place(1, {1}, 1);
    place(3, {4}, 1, 1);
    at(2, 2, 1);
    EXPECT_FALSE(refusedBy(CheckWeeklyQuota));
    place(5, {6}, 1);
    at(2, 2, 1);
    ASSERT_TRUE(refusedBy(CheckWeeklyQuota));
    EXPECT_EQ(gText, "Es sind schon  3 Ph-Stunden vergeben !");
    at(5, 6, 1);
    EXPECT_FALSE(refusedBy(CheckWeeklyQuota));
}

TEST_F(HourBlockRulesTest, PeriodsPerDayFollowTheBlockRule)
{
    gSubjectAttr(1, 3) = 4;
    place(1, {1, 2}, 1);
    at(1, 3, 1);
    EXPECT_FALSE(refusedBy(CheckMaxPerDay));
    place(1, {3}, 1);
    at(1, 4, 1);
    ASSERT_TRUE(refusedBy(CheckMaxPerDay));
    EXPECT_EQ(gText, "Ph pro Tag nur 3x");

    gSubjectAttr(1, 3) = 0;
    ASSERT_TRUE(refusedBy(CheckMaxPerDay));
    EXPECT_EQ(gText, "Ph pro Tag nur 1x");
    at(1, 4, 1, 1);
    EXPECT_FALSE(refusedBy(CheckMaxPerDay)) << "the other group row does not count";
    gSubjectAttr(1, 3) = 9;
    at(1, 4, 1);
    EXPECT_FALSE(refusedBy(CheckMaxPerDay));
}

TEST_F(HourBlockRulesTest, BlocksBeforeTheCellMustBeCompleteAndNewOnesMustFit)
{
    gSubjectAttr(2, 3) = 2;
    place(1, {3}, 2);
    at(1, 4, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, "De 2er-Blöcke bilden !");
    place(1, {2}, 2);
    at(1, 4, 1);
    EXPECT_FALSE(blocksRefused());

    gSubjectAttr(1, 3) = 4;
    place(1, {6}, 3);
    at(1, 4, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, "Platz für 3er-Block fehlt");
    // A fixed lunch period is stepped over.
    gLunchPeriod = 6;
    gFixations(1, 6, 1, 0) = 4;
    place(1, {6}, 0);
    at(1, 4, 1);
    EXPECT_FALSE(blocksRefused());
}

TEST_F(HourBlockRulesTest, FurtherPeriodsOfADayMustJoinTheExistingOnes)
{
    gSubjectAttr(1, 3) = 1;
    place(1, {2}, 1);
    for (int period : {1, 3}) {
        at(1, period, 1);
        EXPECT_FALSE(blocksRefused()) << period;
    }
    at(1, 5, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, "Blöcke bilden !");

    gLunchPeriod = 4;
    gFixations(1, 4, 1, 0) = 4;
    place(1, {2}, 0);
    place(1, {5}, 1);
    at(1, 3, 1);
    EXPECT_FALSE(blocksRefused());
}

TEST_F(HourBlockRulesTest, OnlyBlocksOnOtherDaysMustBeComplete)
{
    gSubjectAttr(1, 3) = 2;
    place(1, {3}, 1);
    at(2, 5, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, " Blockbildung von Ph am Montag ist nicht vollständig");
    place(2, {6}, 1);
    at(2, 5, 1);
    EXPECT_FALSE(blocksRefused()) << "the new period continues Tuesday's block";
}

TEST_F(HourBlockRulesTest, ADoublePeriodMustNotSpanABigBreak)
{
    gSubjectAttr(1, 3) = 2;
    gSubjectAttr(1, 14) = 1;
    gBreakAfter(1) = 2;
    place(1, {2}, 1);
    at(1, 3, 1);
    ASSERT_TRUE(refusedBy(CheckNotAcrossBreak));
    EXPECT_EQ(gText, "nicht über Pause stecken !");

    place(1, {2}, 0);
    at(1, 2, 1);
    EXPECT_FALSE(refusedBy(CheckNotAcrossBreak));
    place(1, {1}, 3);
    at(1, 2, 1);
    EXPECT_TRUE(refusedBy(CheckNotAcrossBreak));
    gSubjectAttr(1, 14) = 0;
    EXPECT_FALSE(refusedBy(CheckNotAcrossBreak));

    // Breaks after the first or the grid's last period stay inside the grid.
    gSubjectAttr(1, 14) = 1;
    gBreakAfter(1) = 1;
    gBreakAfter(2) = 13;
    at(1, 1, 1);
    EXPECT_TRUE(refusedBy(CheckNotAcrossBreak));
    at(1, 13, 1);
    EXPECT_FALSE(refusedBy(CheckNotAcrossBreak));
}

}
