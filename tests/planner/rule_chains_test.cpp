#include "core/master_data.h"
#include "core/plan_files.h"
#include "planner/editor/rule_chains.h"
#include "tests/planner/planner_fixture.h"

using RuleChainsTest = PlannerTest;

// Every lesson of the demo school's plan passes the editor's error check, so
// the plan writer and the rules agree about what a valid timetable is.
TEST_F(RuleChainsTest, TheDemoPlanPassesTheErrorCheck)
{
    gDataPath = ORVQZ_DEMO_DIR;
    LoadMasterData();
    LoadPlan();
    ASSERT_TRUE(gCheckOk == 1);
    QStringList refusals;
    int checked = 0;
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= 24; ++c)
                for (int h = 0; h <= 1; ++h) {
                    if (gTimetable(d, p, c, h) == 0 || gFixations(d, p, c, h) > 4)
                        continue;
                    at(d, p, c, h, gTimetable(d, p, c, h));
                    ++checked;
                    if (!RunErrorCheckChain())
                        refusals << QStringLiteral("%1 day %2 period %3 row %4: %5")
                                        .arg(gClassNames(c).toString())
                                        .arg(d)
                                        .arg(p)
                                        .arg(h)
                                        .arg(gText.toString());
                }
    EXPECT_GT(checked, 200);
    EXPECT_TRUE(refusals.isEmpty()) << refusals.join(QLatin1Char('\n')).toStdString();
}
