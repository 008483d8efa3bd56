#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/placement_rules.h"
#include "tests/support/fixture.h"

namespace {

// Class 7a (1); subjects Ph (1), De (2) and Ku (3), placed without teachers.
class HourBlockRulesTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gClassNames(1) = "7a";
        gSubjectNames(1, 1) = "Ph";
        gSubjectNames(2, 1) = "De";
        gSubjectNames(3, 1) = "Ku";
    }
    static void blockRule(int s, int code) { gSubjectAttr(s, 3) = static_cast<short>(code); }
    static void at(int day, int period, int s, int half = 0)
    {
        gDay = day;
        gPeriod = period;
        gClass = 1;
        gHalf = half;
        gSubject = s;
    }
    static void place(int day, std::initializer_list<int> periods, int s, int half = 0)
    {
        for (int p : periods) {
            at(day, p, s, half);
            SetTimetableCell();
        }
    }
    static bool refusedBy(void (*rule)())
    {
        gCheckOk = 1;
        gText = "";
        rule();
        return gCheckOk == 0;
    }
    // The block check as every chain runs it: right after the count per day.
    static bool blocksRefused()
    {
        CheckMaxPerDay();
        return refusedBy(CheckBlocks);
    }
};

TEST_F(HourBlockRulesTest, OnlySubjectsOfTheCurriculumArePlaced)
{
    at(1, 1, 1);
    ASSERT_TRUE(refusedBy(CheckInCurriculum));
    EXPECT_EQ(gText, "Fach nicht in Stundentafel");
    gCurriculumHours(1, 1) = 2;
    EXPECT_FALSE(refusedBy(CheckInCurriculum));
    at(1, 1, 140);
    EXPECT_TRUE(refusedBy(CheckInCurriculum));
}

TEST_F(HourBlockRulesTest, WeeklyQuotaCountsBothRowsOfTheWholeWeek)
{
    gCurriculumHours(1, 1) = 3;
    place(1, {1}, 1);
    place(3, {4}, 1, 1);
    at(2, 2, 1);
    EXPECT_FALSE(refusedBy(CheckWeeklyQuota));
    EXPECT_EQ(gRuleCounter, 2);

    place(5, {6}, 1);
    at(2, 2, 1);
    ASSERT_TRUE(refusedBy(CheckWeeklyQuota));
    EXPECT_EQ(gText, "Es sind schon  3 Ph-Stunden vergeben !");
    // The cell itself is not counted: a placed lesson checks against the others.
    at(5, 6, 1);
    EXPECT_FALSE(refusedBy(CheckWeeklyQuota));
}

TEST_F(HourBlockRulesTest, WeeklyQuotaPassesASubjectWithNothingPlaced)
{
    at(1, 1, 2);
    EXPECT_FALSE(refusedBy(CheckWeeklyQuota));
    EXPECT_TRUE(refusedBy(CheckInCurriculum));
}

TEST_F(HourBlockRulesTest, PeriodsPerDayFollowTheBlockRule)
{
    blockRule(1, 4);
    place(1, {1, 2}, 1);
    at(1, 3, 1);
    EXPECT_FALSE(refusedBy(CheckMaxPerDay));
    EXPECT_EQ(gRuleCounter, 2);
    place(1, {3}, 1);
    at(1, 4, 1);
    ASSERT_TRUE(refusedBy(CheckMaxPerDay));
    EXPECT_EQ(gText, "Ph pro Tag nur 3x");

    blockRule(1, 0);
    at(1, 8, 1);
    ASSERT_TRUE(refusedBy(CheckMaxPerDay));
    EXPECT_EQ(gText, "Ph pro Tag nur 1x");
    // The other group row does not count.
    at(1, 8, 1, 1);
    EXPECT_FALSE(refusedBy(CheckMaxPerDay));

    blockRule(1, 9);
    gRuleCounter = 7;
    at(1, 8, 1);
    EXPECT_FALSE(refusedBy(CheckMaxPerDay));
    EXPECT_EQ(gRuleCounter, 7);
}

TEST_F(HourBlockRulesTest, ABlockBeforeTheCellMustBeComplete)
{
    blockRule(2, 2);
    place(1, {3}, 2);
    at(1, 4, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, "De 2er-Blöcke bilden !");

    place(1, {2}, 2);
    at(1, 4, 1);
    EXPECT_FALSE(blocksRefused());
}

TEST_F(HourBlockRulesTest, ANewOnlyBlockNeedsRoomAfterTheCell)
{
    blockRule(1, 4);
    place(1, {6}, 2);
    at(1, 4, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, "Platz für 3er-Block fehlt");
    at(1, 3, 1);
    EXPECT_FALSE(blocksRefused());

    // A fixed lunch period is stepped over, other fixed cells end the room.
    gLunchPeriod = 5;
    gFixations(1, 5, 1, 0) = 4;
    place(1, {6}, 0);
    at(1, 4, 1);
    EXPECT_FALSE(blocksRefused());
    gFixations(1, 6, 1, 0) = 1;
    at(1, 4, 1);
    EXPECT_TRUE(blocksRefused());
}

TEST_F(HourBlockRulesTest, FurtherPeriodsOfTheDayMustJoinTheExistingOnes)
{
    blockRule(1, 1);
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
    blockRule(1, 2);
    place(1, {3}, 1);
    at(2, 5, 1);
    ASSERT_TRUE(blocksRefused());
    EXPECT_EQ(gText, " Blockbildung von Ph am Montag ist nicht vollständig");

    place(2, {6}, 1);
    at(2, 5, 1);
    EXPECT_FALSE(blocksRefused());

    place(1, {4}, 1);
    place(2, {6}, 0);
    at(2, 5, 1);
    EXPECT_FALSE(blocksRefused());
}

TEST_F(HourBlockRulesTest, ADoublePeriodMustNotSpanABigBreak)
{
    blockRule(1, 2);
    gSubjectAttr(1, 14) = 1;
    gBreakAfter(1) = 2;
    place(1, {2}, 1);
    at(1, 3, 1);
    ASSERT_TRUE(refusedBy(CheckNotAcrossBreak));
    EXPECT_EQ(gText, "nicht über Pause stecken !");

    place(1, {2}, 0);
    gFixations(1, 1, 1, 0) = 1;
    at(1, 2, 1);
    EXPECT_TRUE(refusedBy(CheckNotAcrossBreak));
    gFixations(1, 1, 1, 0) = 0;
    EXPECT_FALSE(refusedBy(CheckNotAcrossBreak));
    place(1, {1}, 3);
    at(1, 2, 1);
    EXPECT_TRUE(refusedBy(CheckNotAcrossBreak));

    gSubjectAttr(1, 14) = 0;
    EXPECT_FALSE(refusedBy(CheckNotAcrossBreak));
}

TEST_F(HourBlockRulesTest, ABreakAfterTheFirstOrLastPeriodStaysInsideTheGrid)
{
    blockRule(1, 2);
    gSubjectAttr(1, 14) = 1;
    gBreakAfter(1) = 1;
    gBreakAfter(2) = 13;
    at(1, 1, 1);
    EXPECT_TRUE(refusedBy(CheckNotAcrossBreak));
    at(1, 13, 1);
    EXPECT_FALSE(refusedBy(CheckNotAcrossBreak));
}

}
