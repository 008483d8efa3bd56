#include "bench/optimiser_chain.h"
#include "core/constants.h"
#include "core/model.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/rule_support.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/constructed_school.h"

#include <set>
#include <utility>

// The driver's chains of window steps.
class OptimiserChainTest : public PlannerTest {
protected:
    static constexpr short kAbsolute = 4;

    static bool teaches(int teacher, int day, int period, int cls)
    {
        for (int half = 0; half <= 1; ++half)
            for (int slot = 0; slot < rules::kTeacherSlots; ++slot)
                if (gTimetable(day, period, cls, half) > 0
                    && rules::lessonTeacher(cls, gTimetable(day, period, cls, half), slot) == teacher)
                    return true;
        return false;
    }
};

TEST_F(OptimiserChainTest, ReadsStepsAndNestedRounds)
{
    using K = chain::Step::Kind;
    struct Case {
        const char* text;
        std::vector<K> kinds;  // empty: refused
    };
    const Case cases[] = {
        {"0ai:30,fix,release-days,1:30,2:60", {K::Run, K::Fix, K::ReleaseDays, K::Run, K::Run}},
        {"0ai:30, repeat:80(fix,release-blockers,0ai:3), 2:60", {K::Run, K::Repeat, K::Run}},
        {"repeat:2(repeat:3(release-missing))", {K::Repeat}},
        {"repeat:2(fix", {}},
        {"fix),(release-days", {}},
        {"1ai:30", {}},
        {"release-all", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto steps = chain::parse(QString::fromLatin1(c.text));
        ASSERT_EQ(steps.has_value(), !c.kinds.empty());
        if (!steps)
            continue;
        std::vector<K> kinds;
        for (const chain::Step& s : *steps)
            kinds.push_back(s.kind);
        EXPECT_EQ(kinds, c.kinds);
    }
    const auto rounds = chain::parse(QStringLiteral("repeat:80(fix,release-blockers,0ai:3.5)"));
    ASSERT_TRUE(rounds);
    const chain::Step& repeat = rounds->front();
    EXPECT_EQ(repeat.rounds, 80);
    ASSERT_EQ(repeat.body.size(), 3u);
    EXPECT_EQ(repeat.body[1].kind, K::ReleaseBlockers);
    EXPECT_EQ(repeat.body[2].mode, 0);
    EXPECT_TRUE(repeat.body[2].ai);
    EXPECT_EQ(repeat.body[2].milliseconds, 3500);
}

// A lesson taken out of a complete, fixed week: the step opens the class's
// week, the gap's day of each class its teacher teaches in then, and that
// teacher's cells all week; every other cell stays fixed.
TEST_F(OptimiserChainTest, ReleaseBlockersOpensTheWeekTheGapsDayAndItsTeachersCells)
{
    constructed_school::build(1);
    const int cls = 1;  // grade 5: no ability groups
    const int day = 2;
    const int period = 3;
    const int subject = gTimetable(day, period, cls, 0);
    ASSERT_GT(subject, 0);
    gTimetable(day, period, cls, 0) = 0;
    FixAllCells();
    std::set<int> teachers;
    for (int slot = 0; slot < rules::kTeacherSlots; ++slot)
        if (rules::lessonTeacher(cls, subject, slot) > 0)
            teachers.insert(rules::lessonTeacher(cls, subject, slot));
    ASSERT_FALSE(teachers.empty());

    chain::run(*chain::parse(QStringLiteral("release-blockers")), 1, 0x1F);

    std::set<std::pair<int, int>> openDays;
    for (int d = 1; d <= constructed_school::kDays; ++d)
        openDays.insert({cls, d});
    for (int c = 1; c <= constructed_school::kClasses; ++c)
        for (int p = 1; p <= constructed_school::kPeriods; ++p)
            for (const int t : teachers)
                if (teaches(t, day, p, c))
                    openDays.insert({c, day});
    ASSERT_GT(openDays.size(), static_cast<std::size_t>(constructed_school::kDays));
    for (int c = 1; c <= constructed_school::kClasses; ++c)
        for (int d = 1; d <= constructed_school::kDays; ++d)
            for (int p = 1; p <= constructed_school::kPeriods; ++p) {
                if (gFixations(d, p, c, 0) == kAbsolute)
                    continue;
                bool open = openDays.count({c, d}) > 0;
                for (const int t : teachers)
                    open = open || teaches(t, d, p, c);
                EXPECT_EQ(gFixations(d, p, c, 0), open ? 0 : 1) << c << " " << d << "/" << p;
            }
}
