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
    static void useGrid(int days, int periods, int classes)
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
    static std::vector<std::vector<int>> rows(int first, int last)
    {
        std::vector<std::vector<int>> out;
        for (int r = first; r <= last; ++r)
            out.push_back(row(r));
        return out;
    }
};
}

// Only a positive fixation of group row 0 closes a cell; the list runs class
// by class, day by day, period by period and ends with a day-0 row, also when
// nothing is open.
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
    EXPECT_EQ(rows(1, 5), (std::vector<std::vector<int>>{{1, 1, 1, 0}, {2, 1, 2, 0}, {1, 2, 2, 0}, {2, 2, 1, 0},
                                                         {2, 2, 2, 0}}));
    EXPECT_EQ(row(6)[0], 0);
    EXPECT_TRUE(gHalf == 0);

    for (int d = 1; d <= 2; ++d)
        for (int p = 1; p <= 2; ++p)
            gFixations(d, p, 1, 0) = gFixations(d, p, 2, 0) = 1;
    CollectOpenPositions();
    EXPECT_EQ(gOpenPositionCount, 0);
    EXPECT_EQ(row(1)[0], 0);
}

// The largest real week fits; a larger grid keeps what fits and still has its
// end row inside the table (the fixture fails on any access beyond it).
TEST_F(OpenPositionsTest, MoreOpenCellsThanRowsKeepWhatFits)
{
    useGrid(6, 11, 24);
    CollectOpenPositions();
    EXPECT_EQ(gOpenPositionCount, 6 * 11 * 24);
    EXPECT_EQ(row(1584), (std::vector<int>{6, 24, 11, 0}));
    EXPECT_EQ(row(1585)[0], 0);

    useGrid(7, 13, 24);
    gOpenPositions(1600, 0) = 5;
    CollectOpenPositions();
    EXPECT_EQ(gOpenPositionCount, 1599);
    EXPECT_EQ(row(1599), (std::vector<int>{4, 18, 13, 0}));
    EXPECT_EQ(row(1600)[0], 0);
}

// Nine open cells leave the counts alone; a class without curriculum offers
// no subject, so its cells count 1 and the progress estimate never divides by 0.
TEST_F(OpenPositionsTest, CountsNeedTenOpenCellsAndAreAtLeastOne)
{
    useGrid(1, 9, 1);
    gFreeSubjectCounts(1) = 42.0f;
    CollectOpenPositions();
    CountFreeSubjectsPerPosition();
    EXPECT_EQ(gFreeSubjectCounts(1), 42.0f);

    useGrid(2, 9, 1);
    CollectOpenPositions();
    CountFreeSubjectsPerPosition();
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(gFreeSubjectCounts(i), 1.0f);
}

// On the emptied demo plan the first cell has a choice of subjects, and
// counting places nothing.
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
    CountFreeSubjectsPerPosition();
    EXPECT_GT(gFreeSubjectCounts(1), 1.0f);
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= 24; ++c)
                EXPECT_TRUE(gTimetable(d, p, c, 0) == grid(d, p, c, 0) && gTimetable(d, p, c, 1) == grid(d, p, c, 1));
}
