#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/rule_chains.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/constructed_school.h"
#include "tests/support/generated_school.h"

#include <map>
#include <set>

// The school drawn from a complete week, for the way to a complete plan.
class ConstructedSchoolTest : public PlannerTest {
protected:
    static constexpr short kAbsolute = 4;
    static constexpr short kCannotCome = 9;
    static constexpr int kBlockRule = 3;
    static constexpr int kOnlyDoubles = 2;
    static constexpr int kAbilityGroups = 4;
    static constexpr int kSpecialRoom = 8;
    static constexpr int kNotAcrossBreak = 14;

    static int subjectNamed(const char* name)
    {
        for (int s = 1; s <= gMaxSubjects; ++s)
            if (gSubjectNames(s, 1) == QString::fromLatin1(name))
                return s;
        return 0;
    }
    // The lessons of the week the error check refuses, with their messages.
    static QStringList refusals()
    {
        QStringList found;
        for (int c = 1; c <= constructed_school::kClasses; ++c)
            for (int d = 1; d <= constructed_school::kDays; ++d)
                for (int p = 1; p <= constructed_school::kPeriods; ++p)
                    for (int half = 0; half <= 1; ++half) {
                        const int s = gTimetable(d, p, c, half);
                        if (s == 0)
                            continue;
                        at(d, p, c, half, s);
                        gCheckOk = 1;
                        if (!RunErrorCheckChain())
                            found << gClassNames(c).toString() + QStringLiteral(" %1/%2: ").arg(d).arg(p) + gText.toString();
                    }
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

// What makes it hard: doubles that must not cross a break, special rooms
// fewer than the classes using them, ability groups across each grade from
// grade 7, and teachers away one day.
TEST_F(ConstructedSchoolTest, HasTheHardPartsOfARealSchool)
{
    constructed_school::build(4);
    EXPECT_GE(generated_school::weeklyHours(), 700);
    const int sport = subjectNamed("Sp");
    EXPECT_EQ(gSubjectAttr(sport, kBlockRule), kOnlyDoubles);
    EXPECT_EQ(gSubjectAttr(sport, kNotAcrossBreak), 1);

    std::map<int, std::set<int>> roomUsers;
    for (int c = 1; c <= constructed_school::kClasses; ++c)
        for (int s = 1; s <= gMaxSubjects; ++s)
            if (gCurriculumHours(c, s) > 0 && gSubjectAttr(s, kSpecialRoom) > 0)
                roomUsers[gSubjectAttr(s, kSpecialRoom)].insert(c);
    for (const auto& [room, classes] : roomUsers) {
        SCOPED_TRACE(room);
        EXPECT_LT(gSpecialRoomAvailability(room, 1, 1) * 3, static_cast<int>(classes.size()));
    }

    const int groups = subjectNamed("WP");
    EXPECT_EQ(gSubjectAttr(groups, kAbilityGroups), 1);
    for (int c = 9; c <= constructed_school::kClasses; ++c) {
        int held = 0;
        for (int d = 1; d <= constructed_school::kDays; ++d)
            for (int p = 1; p <= constructed_school::kPeriods; ++p)
                if (gTimetable(d, p, c, 0) == groups) {
                    ++held;
                    EXPECT_EQ(gTimetable(d, p, c - (c - 1) % 4, 0), groups) << "the grade's leading class";
                }
        EXPECT_EQ(held, gCurriculumHours(c, groups));
    }

    int away = 0;
    for (int t = 1; t <= constructed_school::teachers(); ++t)
        for (int d = 1; d <= constructed_school::kDays; ++d)
            away += gTeacherUnavailable(t, d, 1) == kCannotCome ? 1 : 0;
    EXPECT_GT(away, 0);
}

// The same seed draws the same school and plan.
TEST_F(ConstructedSchoolTest, SameSeedSameSchool)
{
    constructed_school::build(9);
    SavePlan();
    const QByteArray first = readBytes(QStringLiteral("KSP1.xxx"));
    ASSERT_FALSE(first.isEmpty());
    resetModel();
    InitialiseConstants();
    gDataPath = m_dir.path() + QLatin1Char('/');
    constructed_school::build(9);
    SavePlan();
    EXPECT_EQ(readBytes(QStringLiteral("KSP1.xxx")), first);
}
