#include "planner/editor/timetable_rating.h"
#include "tests/planner/planner_fixture.h"

#include <cmath>
#include <initializer_list>

namespace {

class TimetableRatingTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        gMaxTeachers = 60;
    }
    static void teach(int t, int day, std::initializer_list<int> periods)
    {
        for (int p : periods)
            gTeacherPlanSubject(t, day, p) = 1;
    }
    static void evaluate(int t)
    {
        gTeacher = t;
        ComputeTeacherGaps();
    }
};

TEST_F(TimetableRatingTest, GapsWishesAndBlocksOfOneTeachersWeek)
{
    teach(1, 1, {1, 3, 5, 6, 8});
    teach(1, 2, {4});
    teach(1, 3, {1, 3, 5, 7});
    for (auto [p, c] : {std::pair{2, 9}, {9, 9}, {4, 8}, {7, 8}, {8, 8}})
        gTeacherUnavailable(1, 1, p) = static_cast<short>(c);
    gTeacherUnavailable(1, 2, 1) = 11;
    gTeacherUnavailable(1, 2, 2) = 8;
    for (int d = 1; d <= 5; ++d)
        gDayCounts2(d) = 8;
    gDayCounts(1) = 10;
    evaluate(1);
    EXPECT_EQ(gTeacherHours, 10);
    EXPECT_EQ(gGapWeight, 2) << "both blocked periods, also the one after the last lesson";
    EXPECT_EQ(gDayCounts(1), 11) << "2 is blocked, 4 wished free; 7 stays a gap as its neighbour 8 is wished "
                                    "free but taught; the day counts are added to, not cleared";
    EXPECT_EQ(gDayCounts(2), 0) << "a day with one lesson has no gap";
    EXPECT_EQ(gTeacherGaps, 4);
    EXPECT_EQ(gWishPeriods, 3) << "4 and 7 free and Tuesday's 2 free as wished";
    EXPECT_EQ(gWishTotal, 2) << "8 taught against the wish, Tuesday's 1 free though wished taught";
    EXPECT_EQ(gSeriesGaps, 0) << "series gaps only with their rule on";
    EXPECT_EQ(gEvalCount, 0 + 4 + 1 + 8 + 8);

    gGapRules(11) = 1;
    evaluate(1);
    EXPECT_EQ(gSeriesGaps, 2) << "Wednesday's 0 1 0 1 0 1 0 holds two overlapping series";
    EXPECT_EQ(gTeacherGaps, 4) << "figures start from 0 each time";

    evaluate(99);
    EXPECT_EQ(gTeacherHours, 0) << "a number that names no teacher has an empty week";
    EXPECT_EQ(gEvalCount, 40);
}

TEST_F(TimetableRatingTest, RatingIsTheMeanOfTheFifthPowersOfGapsAboveTheAcceptedShare)
{
    gGapsForLoad = 2;
    for (int t : {1, 2}) {
        gTeacherNames(t) = "Lehrkraft";
        teach(t, 1, {1, 2, 3, 4, 5});
        teach(t, 2, {1, 2, 3, 4, 5});
        teach(t, 4, {1, 2, 3, 4, 5, 6});
    }
    teach(1, 3, {1, 2, 4, 6, 8});
    teach(2, 3, {1, 2, 4, 6});
    teach(2, 5, {1});
    gTeacherNames(3) = "-";
    teach(3, 1, {1, 3});
    gTeacherNames(4) = "Ohne Stunden";
    gTeacherUnavailable(4, 1, 1) = 9;
    RateTimetable();
    EXPECT_EQ(gTeachingLoad, 21) << "no load set yet";
    EXPECT_EQ(gQualityRatio, 0.5) << "21 periods: 3 gaps cost 1, 2 gaps nothing; the free slot and the teacher "
                                     "without lessons are left out";
    EXPECT_EQ(gSumHours, 42);
    EXPECT_EQ(gWeightedGaps, 0.0f);
    EXPECT_EQ(gTeacher, 4);

    RateTimetable();
    EXPECT_EQ(gDayCounts(3), 5) << "each rating starts its day counts from 0";
}

TEST_F(TimetableRatingTest, WishesEarlyFinishAndSeriesGapsAddToTheTermInSinglePrecision)
{
    gTeachingLoad = 21;
    gGapsForLoad = 1;
    gWishWeight = 4;
    gEarlyFinishPeriods = 3;
    gGapRules(11) = 1;
    gTeacherNames(1) = "Anna Alt";
    for (int d = 1; d <= 5; ++d)
        teach(1, d, {1, 2, 3, 4, 5, 6, 7, 8});
    gTeacherPlanSubject(1, 2, 8) = 0;
    gTeacherUnavailable(1, 1, 9) = 8;
    for (int p : {1, 2, 3})
        gTeacherUnavailable(1, 2, p) = 8;
    gTeacherNames(2) = "Bernd Berg";
    teach(2, 2, {8});
    teach(2, 3, {1, 3, 5, 7});
    gTeacherPlanExtra(2) = 1;
    RateTimetable();

    EXPECT_EQ(gDayCounts2(2), 8) << "the school's last period over all teachers";
    EXPECT_EQ(gSumWishes, 1);
    EXPECT_EQ(gWishCount, 3) << "teacher 2 has no wishes and adds nothing";
    EXPECT_EQ(gSumSeriesGaps, 0) << "teacher 2's series gaps are not counted";
    // Teacher 1: no gaps, wishes 3 x 4/4, finishes early by 1 of 3 allowed: (3 + 2/2)^5.
    // Teacher 2: 3 gaps less 5/21 accepted, early by 25 (more than allowed, no term).
    const float teacher2 = static_cast<float>(std::pow(double(3.0f - 5.0f / 21.0f), 5.0));
    EXPECT_EQ(gQualityRatio.toDouble(), double((1024.0f + teacher2) / 2.0f));
}

TEST_F(TimetableRatingTest, UnusableRulesFallBackToTheDefaultsAndNoRatingIsZero)
{
    gTeachingLoad = "viel";
    gGapsForLoad = -1;
    RateTimetable();
    EXPECT_EQ(gTeachingLoad, 21);
    EXPECT_EQ(gGapsForLoad, 2.0f);
    EXPECT_EQ(gQualityRatio, 0) << "no teacher took part";

    gTeachingLoad = 0.5;
    gTeacherNames(1) = "Anna Alt";
    teach(1, 1, {1, 3});
    RateTimetable();
    EXPECT_EQ(gTeachingLoad, 21);
    const float x = 1.0f - 2.0f * 2.0f / 21.0f;
    EXPECT_EQ(gQualityRatio.toDouble(), double(static_cast<float>(std::pow(double(x), 5.0))));
}

}
