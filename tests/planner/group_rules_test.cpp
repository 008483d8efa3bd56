#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_support.h"
#include "tests/planner/planner_fixture.h"

namespace {

// Classes 5a (leading), 5b, 5R (outside ability groups), 6b; Ma (3), the
// ability-group subject F (7), Kath (8), Re (10) and Eth (11).
class GroupRulesTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        for (int c = 1; c <= 4; ++c)
            gClassNames(c) = QStringList{"5a", "5b", "5R", "6b"}[c - 1];
        FindLastUsedClass();
        const std::pair<int, const char*> subjects[] = {{3, "Ma"}, {7, "F"}, {8, "Kath"}, {10, "Re"}, {11, "Eth"}};
        for (const auto& [s, name] : subjects) {
            gSubjectNames(s, 1) = name;
            gSubjectAttr(s, 2) = 2;
        }
        gSubjectNames(7, 0) = "Französisch";
        gSubjectAttr(7, 4) = 1;
    }
    // Runs one rule for a subject in a cell; its message when it refuses, else "".
    static QString check(void (*rule)(), int day, int period, int cls, int half, int s)
    {
        at(day, period, cls, half, s);
        return refusal(rule);
    }
    // Combination row and its mirror row, as the loader stores them.
    static void combine(int row, int subjectA, int classA, int subjectB, int classB)
    {
        const int fields[] = {subjectA, classA, subjectB, classB};
        for (int f = 1; f <= 4; ++f) {
            gClassCombinations(row, f) = fields[f - 1];
            gClassCombinations(row + 40, f) = fields[(f + 1) % 4];
        }
    }
};

TEST_F(GroupRulesTest, CellSideKeepsSubjectsInTheirGroupRow)
{
    gSubjectAttr(3, 2) = 0;
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 1, 3), "Ma nur links eingeben");
    gSubjectAttr(3, 2) = 1;
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 0, 3), "Ma nur rechts eingeben");
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 1, 3), "");
}

TEST_F(GroupRulesTest, AbilityGroupIsEnteredThroughTheLeadingClassOnly)
{
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 2, 0, 7), "LG-Fach nur in a-Klasse, PL oder PL1 eingeben");
    place(1, 2, 1, 0, 7);
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 2, 0, 7), "");
    EXPECT_EQ(check(CheckAbilityGroupConflict, 1, 2, 2, 0, 7), "");
    EXPECT_EQ(check(CheckAbilityGroupConflict, 1, 2, 2, 0, 3), "bereits mit LG-Fach Französisch belegt");
    EXPECT_EQ(check(CheckAbilityGroupConflict, 1, 2, 1, 0, 3), "");
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 1, 0, 7), "") << "a parallel cell holding it already";
}

TEST_F(GroupRulesTest, LeadingClassNeedsTheParallelCellsFreeAndUnfixed)
{
    gFixations(1, 2, 3, 0) = 4;  // 5R takes no part
    gFixations(1, 2, 4, 0) = 4;  // another grade
    gTimetable(1, 2, 3, 0) = 3;
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 1, 0, 7), "");
    gFixations(1, 2, 2, 0) = 1;
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 1, 0, 7), "Nicht ALLE Fixierungen sind gelöst");
    gFixations(1, 2, 2, 0) = 0;
    gTimetable(1, 2, 2, 1) = 3;
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 1, 0, 7), "Nicht ALLE Stunden sind entfernt");
}

// The lesson fills 5b's cell as well, so it must not break 5b's double period.
TEST_F(GroupRulesTest, LeadingClassPlacementHoldsTheRulesOfEveryParallelClass)
{
    gSubjectAttr(3, 3) = 2;
    gTimetable(1, 2, 2, 0) = 3;
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 3, 1, 0, 7), "5b: Ma 2er-Blöcke bilden !");
    EXPECT_EQ(gClass, 1);
    EXPECT_EQ(gClassFlagA, 1);
    gTimetable(1, 1, 2, 0) = 3;
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 3, 1, 0, 7), "");
}

TEST_F(GroupRulesTest, CombinationWithThePartnerClassAlreadyPlaced)
{
    combine(1, 10, 1, 11, 2);
    gTimetable(1, 2, 2, 1) = 11;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), "");
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 3), "Re 5a soll mit Eth 5b kombiniert werden !");
    gTimetable(1, 4, 1, 0) = 10;
    EXPECT_EQ(check(CheckClassCombination, 1, 4, 2, 0, 3), "Eth 5b soll mit Re 5a kombiniert werden !");
}

TEST_F(GroupRulesTest, CombinationNeedsThePartnerCellFreeUnfixedAndTheWeekComplete)
{
    combine(1, 10, 1, 11, 2);
    const QString prefix = "Re 5a soll mit Eth 5b kombiniert werden - der Platz ";
    gTimetable(1, 2, 2, 0) = 3;
    gTimetable(1, 2, 2, 1) = 8;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), prefix + "ist aber bereits mit Ma Kath belegt.");
    gTimetable(1, 2, 2, 0) = 0;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), prefix + "ist aber bereits mit Kath belegt.");
    gTimetable(1, 2, 2, 1) = 0;
    gFixations(1, 2, 2, 0) = 1;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), prefix + "dort ist aber gesperrt.");
    gFixations(1, 2, 2, 0) = 0;

    gTimetable(1, 3, 2, 0) = 11;
    gTimetable(2, 4, 2, 1) = 11;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), "unvollständige Kombination am Di 5b in der 4.Eh");
    gTimetable(2, 4, 1, 1) = 10;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), "unvollständige Kombination am Mo 5b in der 3.Eh");
    gTimetable(1, 3, 1, 0) = 10;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), "");
}

TEST_F(GroupRulesTest, CombinationRowsNamingNoClassOrSubjectTieNothing)
{
    combine(1, 3, 1, 150, 2);
    combine(2, 3, 1, 11, 30);
    combine(3, 3, 1, 0, 2);
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 3), "");
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 7), "");
}

TEST_F(GroupRulesTest, PartnerSubjectMustPassInTheSecondRow)
{
    gSubjectAttr(3, 6) = 8;
    gSubjectTeachers(2, 8, 0) = 5;
    gTeacherNames(5) = "Huber";
    gTeacherUnavailable(5, 2, 3) = 9;
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 0, 3), "Kombifachproblem: Huber kann nicht kommen");
    EXPECT_EQ(gSubject, 3);
    EXPECT_EQ(gHalf, 0);
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 1, 3), "") << "the second row has no partner";

    gTeacherUnavailable(5, 2, 3) = 0;
    gCurriculumHours(2, 8) = 2;
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 0, 3), "");
    EXPECT_EQ(gSubject, 3);
    EXPECT_EQ(gHalf, 0);
    gSubjectAttr(3, 6) = 150;
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 0, 3), "");
}

}

// A lesson coupled to a lesson that is coupled on stands with both: the
// sports groups of three classes; a row naming no class of the school ties
// nothing.
TEST_F(GroupRulesTest, CoupledLessonsFollowTheTableThroughOneAnother)
{
    combine(1, 10, 1, 11, 2);
    combine(2, 11, 2, 10, 4);
    combine(3, 10, 4, 3, 9);
    using L = rules::ClassLesson;
    const struct {
        int cls, subject;
        std::vector<L> coupled;
    } cases[] = {{1, 10, {L{11, 2}, L{10, 4}}}, {4, 10, {L{11, 2}, L{10, 1}}}, {2, 11, {L{10, 4}, L{10, 1}}},
                 {1, 3, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(rules::coupledLessons(c.cls, c.subject), c.coupled) << c.cls << " " << c.subject;
}
