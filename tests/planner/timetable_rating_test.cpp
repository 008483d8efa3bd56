#include "core/model.h"
#include "planner/editor/timetable_rating.h"
#include "tests/support/fixture.h"

#include <cmath>
#include <initializer_list>

namespace {

class TimetableRatingTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
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
    // 21 periods over the week, `gaps` of them on Wednesday.
    static void fullWeek(int t, int gaps)
    {
        gTeacherNames(t) = QString("Lehrkraft %1").arg(t);
        teach(t, 1, {1, 2, 3, 4, 5});
        teach(t, 2, {1, 2, 3, 4, 5});
        teach(t, 4, {1, 2, 3, 4, 5, 6});
        if (gaps == 3) {
            teach(t, 3, {1, 2, 4, 6, 8});
        } else {
            teach(t, 3, {1, 2, 4, 6});
            teach(t, 5, {1});
        }
    }
};

TEST_F(TimetableRatingTest, GapsLieBetweenTheFirstAndLastLessonOfADay)
{
    teach(1, 1, {2, 3, 5, 7});
    teach(1, 2, {4});
    gDayCounts(1) = 10;
    evaluate(1);
    EXPECT_EQ(gTeacherHours, 5);
    EXPECT_EQ(gTeacherGaps, 2) << "periods 4 and 6; 1, 8, 9 and the single lesson's day are no gaps";
    EXPECT_EQ(gDayCounts(1), 12) << "gaps are added, the day counts are not cleared";
    EXPECT_EQ(gDayCounts(2), 0);

    evaluate(1);
    EXPECT_EQ(gTeacherGaps, 2) << "the teacher's figures start from 0 each time";
    EXPECT_EQ(gTeacherHours, 5);
}

TEST_F(TimetableRatingTest, AvailabilityCodesTurnGapsIntoBlocksAndWishes)
{
    teach(1, 1, {1, 3, 5, 6, 8});
    gTeacherUnavailable(1, 1, 2) = 9;
    gTeacherUnavailable(1, 1, 9) = 9;
    gTeacherUnavailable(1, 1, 4) = 8;
    gTeacherUnavailable(1, 1, 7) = 8;
    gTeacherUnavailable(1, 1, 8) = 8;
    gTeacherUnavailable(1, 2, 1) = 11;
    gTeacherUnavailable(1, 2, 2) = 8;
    evaluate(1);
    EXPECT_EQ(gGapWeight, 2) << "both blocked periods, also the one after the last lesson";
    EXPECT_EQ(gTeacherGaps, 1) << "2 is blocked, 4 is wished free; 7 stays a gap as its neighbour 8 is wished free "
                                  "but taught";
    EXPECT_EQ(gWishPeriods, 3) << "4 and 7 free and Tuesday's 2 free as wished";
    EXPECT_EQ(gWishTotal, 2) << "8 taught against the wish, Tuesday's 1 free though wished taught";
}

TEST_F(TimetableRatingTest, SeriesGapsOverlapAndOnlyCountWhenTheRuleIsOn)
{
    teach(1, 1, {1, 3, 5, 7});
    evaluate(1);
    EXPECT_EQ(gTeacherGaps, 3);
    EXPECT_EQ(gSeriesGaps, 0);

    gGapRules(11) = 1;
    evaluate(1);
    EXPECT_EQ(gSeriesGaps, 2);
}

TEST_F(TimetableRatingTest, EvaluationCountIsHowFarBeforeTheSchoolsLastPeriodTheTeacherFinishes)
{
    for (int d = 1; d <= 5; ++d)
        gDayCounts2(d) = 8;
    teach(1, 1, {1, 2, 8});
    teach(1, 2, {3});
    evaluate(1);
    EXPECT_EQ(gEvalCount, 0 + 5 + 8 + 8 + 8);

    gTeacher = 99;
    gDayCounts(1) = 0;
    ComputeTeacherGaps();
    EXPECT_EQ(gTeacherHours, 0) << "a number that names no teacher has an empty week";
    EXPECT_EQ(gTeacherGaps, 0);
    EXPECT_EQ(gEvalCount, 40);
}

TEST_F(TimetableRatingTest, RatingIsTheMeanOfTheFifthPowersOfGapsAboveTheAcceptedShare)
{
    gTeachingLoad = 21;
    gGapsForLoad = 2;
    fullWeek(1, 3);
    fullWeek(2, 2);
    gTeacherNames(3) = "-";
    teach(3, 1, {1, 3});
    gTeacherNames(4) = "Ohne Stunden";
    gTeacherUnavailable(4, 1, 1) = 9;
    RateTimetable();
    EXPECT_EQ(gQualityRatio, 0.5) << "terms 1 and 0; the free slot and the teacher without lessons are left out";
    EXPECT_EQ(gSumHours, 42);
    EXPECT_EQ(gDayCounts(3), 5);
    EXPECT_EQ(gWeightedGaps, 0.0f);
    EXPECT_EQ(gTeacher, 4) << "the last teacher looked at";

    RateTimetable();
    EXPECT_EQ(gDayCounts(3), 5) << "a new rating starts its day counts from 0";
    EXPECT_EQ(gSumHours, 42);
}

TEST_F(TimetableRatingTest, RatingIsComputedInSinglePrecision)
{
    gGapsForLoad = 2;
    gTeacherNames(1) = "Anna Alt";
    teach(1, 1, {1, 3, 5, 7, 9});
    teach(1, 2, {1, 2, 3, 4, 5});
    RateTimetable();
    const float x = 4.0f - 10.0f * 2.0f / 21.0f;
    EXPECT_EQ(gQualityRatio.toDouble(), static_cast<double>(static_cast<float>(std::pow(double(x), 5.0))));
}

TEST_F(TimetableRatingTest, WishesEarlyFinishAndSeriesGapsAddToTheTerm)
{
    gTeachingLoad = 21;
    gGapsForLoad = 1;
    gWishWeight = 4;
    gEarlyFinishPeriods = 3;
    gGapRules(11) = 1;
    gTeacherNames(1) = "Anna Alt";
    teach(1, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    teach(1, 2, {1, 2, 3, 4, 5, 6, 7});
    teach(1, 3, {1, 2, 3, 4, 5, 6, 7, 8});
    teach(1, 4, {1, 2, 3, 4, 5, 6, 7, 8});
    teach(1, 5, {1, 2, 3, 4, 5, 6, 7, 8});
    gTeacherUnavailable(1, 1, 9) = 8;
    for (int p : {1, 2, 3})
        gTeacherUnavailable(1, 2, p) = 8;
    gTeacherNames(2) = "Bernd Berg";
    teach(2, 2, {8});
    teach(2, 3, {1, 3, 5, 7});
    gTeacherPlanExtra(2) = 1;
    RateTimetable();

    EXPECT_EQ(gDayCounts2(2), 8) << "the school's last period over all teachers";
    EXPECT_EQ(gDayCounts2(6), 0);
    EXPECT_EQ(gSumWishes, 1);
    EXPECT_EQ(gWishCount, 3) << "teacher 2 has no wishes and adds nothing";
    EXPECT_EQ(gSumSeriesGaps, 0) << "teacher 2's series gaps are not counted";
    // Teacher 1: no gaps, wishes 3 x 4/4 = 3, finishes early by 1 of 3 allowed: 2/2 = 1.
    // Teacher 2: 3 gaps less 5/21 accepted, early by 8+0+1+8+8 (more than allowed, no term).
    const double teacher2 = std::pow(double(3.0f - 5.0f / 21.0f), 5.0);
    EXPECT_EQ(gQualityRatio.toDouble(), double((static_cast<float>(1024.0) + static_cast<float>(teacher2)) / 2.0f));
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
    const double ratio = gQualityRatio.toDouble();
    EXPECT_TRUE(std::isfinite(ratio) && ratio > 0) << ratio;
}

}
