#include "tests/planner/optimiser_school_fixture.h"

namespace {

// A run keeps what it found out between its own placements: the candidates of
// a cell, the counts the rules need. A turn of the event loop makes it forget
// all of it, since the user may have changed the grid meanwhile.
class OptimiserKeptKnowledgeTest : public OptimiserSchoolTest {
protected:
    struct Case {
        const char* name;
        short mode;
        long limit;  // passes of the fill run, yields of the other modes
        bool ai;
    };

    // Plan "0" after `c` on the school of the seed, the event loop getting its
    // turn only after `intervalMs` without one.
    QByteArray planAfter(const Case& c, int intervalMs)
    {
        buildSchool(kSeed);
        if (c.mode == kFill)
            generated_school::clearOpenLessons();
        if (c.mode == kSearch)
            generated_school::openOneDayOfThreeClasses(2);
        window()->Check6->setChecked(c.ai);
        for (QCheckBox* method : window()->methodChecks())
            method->setChecked(true);
        long yields = 0;
        optimiser::setYieldInterval(intervalMs);
        optimiser::setYieldHook([&c, &yields] {
            if (c.mode == kFill ? window()->Label2->text().toLong() > c.limit : ++yields >= c.limit)
                gOptimizerRunning = 0;
        });
        Randomize(kSeed);
        gOptimizerMode = c.mode;
        gOptimizerRunning = 1;
        if (c.mode == kFill)
            RunFillOptimisation();
        else
            RunTimetableOptimisation();
        gOptimizerRunning = 0;
        optimiser::setYieldHook(nullptr);
        return readBytes(QStringLiteral("KSP0.xxx"));
    }

    static constexpr unsigned kSeed = 4;
    static constexpr int kEveryTurn = 0;
    static constexpr int kHardlyEver = 600000;
};

}

// Whatever a run keeps, it saves the plan that a run forgetting everything at
// every pick and every step saves.
TEST_F(OptimiserKeptKnowledgeTest, KeepingSavesThePlanThatTestingAfreshSaves)
{
    const Case cases[] = {
        {"fill", kFill, 4, false},
        {"fill with ai", kFill, 4, true},
        {"search", kSearch, 4000, false},
        {"improvement", kImprove, 4000, false},
    };
    for (const Case& c : cases) {
        const QByteArray afresh = planAfter(c, kEveryTurn);
        ASSERT_FALSE(afresh.isEmpty()) << c.name;
        EXPECT_EQ(planAfter(c, kHardlyEver), afresh) << c.name;
    }
}
