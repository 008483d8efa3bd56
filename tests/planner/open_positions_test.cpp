#include "planner/editor/open_positions.h"

#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "tests/support/fixture.h"

#include <vector>

namespace {
class OpenPositionsTest : public ModelTest {
protected:
    void useGrid(int days, int periods, int classes)
    {
        gDaysPerWeek = days;
        gPeriodsPerDay = periods;
        gLastClass = classes;
    }

    static std::vector<int> row(int r)
    {
        return {gOpenPositions(r, 0).toInt(), gOpenPositions(r, 1).toInt(), gOpenPositions(r, 2).toInt(),
                gOpenPositions(r, 3).toInt()};
    }
};
}

// Only the fixation of group row 0 closes a cell; the list runs class by
// class, day by day, period by period and ends with a day-0 row.
TEST_F(OpenPositionsTest, ListsUnfixedCellsInClassDayPeriodOrder)
{
    useGrid(2, 2, 2);
    gHalf = 1;
    gFixations(1, 2, 1, 0) = 1;
    gFixations(2, 1, 1, 0) = 5;
    gFixations(1, 1, 2, 0) = 4;
    gFixations(2, 2, 2, 1) = 5;
    gFixations(1, 2, 2, 0) = -1;
    gOpenPositions(4, 3) = 7;
    gOpenPositions(6, 0) = 3;

    CollectOpenPositions();

    EXPECT_EQ(gOpenPositionCount, 5);
    EXPECT_EQ(row(1), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(row(2), (std::vector<int>{2, 1, 2, 0}));
    EXPECT_EQ(row(3), (std::vector<int>{1, 2, 2, 0}));
    EXPECT_EQ(row(4), (std::vector<int>{2, 2, 1, 0}));
    EXPECT_EQ(row(5), (std::vector<int>{2, 2, 2, 0}));
    EXPECT_EQ(row(6)[0], 0);
    EXPECT_TRUE(gHalf == 0);
}

TEST_F(OpenPositionsTest, AFullyFixedGridEndsAtRowOne)
{
    useGrid(5, 9, 1);
    gOpenPositions(1, 0) = 4;
    for (int d = 1; d <= 5; ++d)
        for (int p = 1; p <= 9; ++p)
            gFixations(d, p, 1, 0) = 1;

    CollectOpenPositions();

    EXPECT_EQ(gOpenPositionCount, 0);
    EXPECT_TRUE(gOpenPositions(1, 0) == 0);
}

// A week larger than the table holds keeps the cells that fit and still has
// its end row inside the table (the fixture fails on any access beyond it).
TEST_F(OpenPositionsTest, MoreOpenCellsThanRowsKeepWhatFits)
{
    useGrid(7, 13, 24);
    gOpenPositions(1600, 0) = 5;

    CollectOpenPositions();

    EXPECT_EQ(gOpenPositionCount, 1599);
    EXPECT_EQ(row(1599), (std::vector<int>{4, 18, 13, 0}));
    EXPECT_TRUE(gOpenPositions(1600, 0) == 0);

    useGrid(6, 11, 24);
    CollectOpenPositions();
    EXPECT_EQ(gOpenPositionCount, 6 * 11 * 24);
    EXPECT_EQ(row(1584), (std::vector<int>{6, 24, 11, 0}));
    EXPECT_TRUE(gOpenPositions(1585, 0) == 0);
}

TEST_F(OpenPositionsTest, FewerThanTenOpenCellsLeaveTheCountsAlone)
{
    useGrid(1, 9, 1);
    gCurriculumHours(1, 1) = 3;
    for (int i = 1; i <= 10; ++i)
        gFreeSubjectCounts(i) = 42.0f;

    CollectOpenPositions();
    CountFreeSubjectsPerPosition();

    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(gFreeSubjectCounts(i), 42.0f);
}

// A class without curriculum offers no subject: its cells count 1, so the
// progress estimate never divides by zero.
TEST_F(OpenPositionsTest, ACellWithoutCandidatesCountsOne)
{
    useGrid(5, 9, 1);
    CollectOpenPositions();
    CountFreeSubjectsPerPosition();
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(gFreeSubjectCounts(i), 1.0f);
}

// On the emptied demo plan the counts are those of the standard chain and
// leave the grid as it was.
TEST_F(OpenPositionsTest, CountsTheDemoPlansCandidatesWithoutPlacing)
{
    gDataPath = ORVQZ_DEMO_DIR;
    LoadMasterData();
    LoadPlan();
    FindLastUsedClass();
    ClearUnfixedLessons();
    CollectOpenPositions();
    ASSERT_GE(gOpenPositionCount, 10);
    const auto grid = gTimetable;
    const auto subjectsOfFirstClass = [] {
        int n = 0;
        for (int s = 1; s <= 99; ++s)
            n += gCurriculumHours(gOpenPositions(1, 1).toInt(), s) != 0;
        return n;
    }();

    CountFreeSubjectsPerPosition();

    EXPECT_GT(gFreeSubjectCounts(1), 1.0f);
    EXPECT_LE(gFreeSubjectCounts(1), static_cast<float>(subjectsOfFirstClass));
    for (int i = 1; i <= 10; ++i)
        EXPECT_GE(gFreeSubjectCounts(i), 1.0f);
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= 24; ++c)
                for (int h = 0; h <= 1; ++h)
                    EXPECT_EQ(gTimetable(d, p, c, h), grid(d, p, c, h));
}
