#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/editor/editor_support.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/constructed_school.h"
#include "tests/support/generated_school.h"

// The school drawn from a complete week, for the way to a complete plan.
class ConstructedSchoolTest : public PlannerTest {
protected:
    static constexpr short kAbsolute = 4;

    // The lessons of the week the error check refuses, as "class day/period".
    static QStringList refusals()
    {
        QStringList found;
        for (const editor::HalfCell& cell : editor::refusedLessons())
            found << gClassNames(cell.cls).toString() + QStringLiteral(" %1/%2").arg(cell.day).arg(cell.period);
        return found;
    }
};

// For several seeds: the reference plan holds the whole curriculum, every
// lesson unfixed, and the error check accepts every one of them.
TEST_F(ConstructedSchoolTest, ReferencePlanIsCompleteAndAccepted)
{
    for (unsigned seed : {1u, 2u, 3u, 7u}) {
        SCOPED_TRACE(seed);
        resetModel();
        InitialiseConstants();
        constructed_school::build(seed);
        CountPlacedLessons();
        EXPECT_EQ(gPlacedCount.toInt(), generated_school::weeklyHours());
        EXPECT_EQ(gPlacedCount2, generated_school::weeklyHours());
        EXPECT_EQ(refusals(), QStringList());
        for (int c = 1; c <= constructed_school::kClasses; ++c)
            for (int d = 1; d <= constructed_school::kDays; ++d)
                for (int p = 1; p <= constructed_school::kPeriods; ++p)
                    EXPECT_EQ(gFixations(d, p, c, 0), gTimetable(d, p, c, 0) == 0 ? kAbsolute : 0);
    }
}
