#include "core/constants.h"
#include "core/model.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/rule_chains.h"
#include "platform/runtime.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/generated_school.h"

#include <set>

// The school that the optimiser's benchmark and driver run on.
class GeneratedSchoolTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        generated_school::build(kSeed);
    }
    void TearDown() override
    {
        optimiser::setYieldHook(nullptr);
        gOptimizerRunning = 0;
        PlannerTest::TearDown();
    }
    static constexpr unsigned kSeed = 5;
    static constexpr short kAbsolute = 4;
    static QString name(int cls) { return gClassNames(cls).toString(); }
};

// What the header promises: the classes and grades, the teachers, the
// hours, and a complete reference plan whose lessons the editor's error check
// accepts, the fixed ones included; every class-day has a fixed cell.
TEST_F(GeneratedSchoolTest, IsTheSchoolItClaimsToBe)
{
    std::set<QString> grades;
    int rClasses = 0;
    int leading = 0;
    for (int c = 1; c <= generated_school::kClasses; ++c) {
        grades.insert(name(c).chopped(1));
        rClasses += name(c).endsWith(QLatin1Char('R')) ? 1 : 0;
        leading += name(c).endsWith(QLatin1Char('a')) ? 1 : 0;
    }
    EXPECT_EQ(grades.size(), 6u);
    EXPECT_EQ(rClasses, 5);
    EXPECT_EQ(leading, 6);
    std::set<QString> shortNames;
    for (int t = 1; t <= gMaxTeachers.toInt(); ++t)
        shortNames.insert(gTeacherShort(t));
    EXPECT_EQ(shortNames.size(), 60u);
    EXPECT_EQ(shortNames.count(QStringLiteral("-")), 0u);
    EXPECT_GE(generated_school::weeklyHours(), 650);
    EXPECT_LE(generated_school::weeklyHours(), 750);

    CountPlacedLessons();
    EXPECT_EQ(gPlacedCount.toInt(), generated_school::weeklyHours());
    EXPECT_EQ(gPlacedCount2, generated_school::weeklyHours());

    int fixedLessons = 0;
    for (int c = 1; c <= generated_school::kClasses; ++c)
        for (int d = 1; d <= generated_school::kDays; ++d) {
            EXPECT_EQ(gFixations(d, generated_school::kLunchPeriod, c, 0), kAbsolute);
            for (int p = 1; p <= generated_school::kPeriods; ++p)
                for (int half = 0; half <= 1; ++half) {
                    const int s = gTimetable(d, p, c, half);
                    if (s == 0)
                        continue;
                    fixedLessons += gFixations(d, p, c, 0) == kAbsolute ? 1 : 0;
                    gDay = d;
                    gPeriod = p;
                    gClass = c;
                    gHalf = half;
                    gSubject = s;
                    gCheckOk = 1;
                    EXPECT_TRUE(RunErrorCheckChain()) << qPrintable(name(c)) << " " << d << "/" << p << ": "
                                                      << qPrintable(gText.toString());
                }
        }
    EXPECT_GT(fixedLessons, 0) << "the ability groups are fixed";
}

// The same seed gives the same school, and a fill run on it seeded the same
// gives the same plan "0", byte for byte.
TEST_F(GeneratedSchoolTest, SameSeedSamePlanZero)
{
    const auto fill = [this] {
        generated_school::clearOpenLessons();
        int yields = 0;
        optimiser::setYieldHook([&yields] {
            if (++yields == 400)
                gOptimizerRunning = 0;
        });
        optimiser::setYieldInterval(0);
        Randomize(3);
        gOptimizerMode = 3;
        gOptimizerRunning = 1;
        RunFillOptimisation();
        gOptimizerRunning = 0;
        return readBytes(QStringLiteral("KSP0.xxx"));
    };
    const QByteArray first = fill();
    ASSERT_FALSE(first.isEmpty());
    resetModel();
    InitialiseConstants();
    gDataPath = m_dir.path() + QLatin1Char('/');
    generated_school::build(kSeed);
    EXPECT_EQ(fill(), first);
}
