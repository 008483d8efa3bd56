#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/placement_rules.h"
#include "tests/support/fixture.h"

namespace {

class GroupRulesTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        const char* names[] = {"5a", "5b", "5R", "6b"};
        for (int c = 1; c <= 4; ++c)
            gClassNames(c) = names[c - 1];
        FindLastUsedClass();
        subject(3, "Mathematik", "Ma");
        subject(7, "Französisch", "F");
        gSubjectAttr(7, 4) = 1;
    }
    static void subject(int s, const QString& longName, const QString& shortName)
    {
        gSubjectNames(s, 0) = longName;
        gSubjectNames(s, 1) = shortName;
        gSubjectAttr(s, 2) = 2;
    }
    static void place(int day, int period, int cls, int half, int s)
    {
        gDay = day;
        gPeriod = period;
        gClass = cls;
        gHalf = half;
        gSubject = s;
        SetTimetableCell();
    }
    // Runs one rule for a subject in a cell; the message when it refuses, else "".
    static QString check(void (*rule)(), int day, int period, int cls, int half, int s)
    {
        gDay = day;
        gPeriod = period;
        gClass = cls;
        gHalf = half;
        gSubject = s;
        gCheckOk = 1;
        gText = "";
        rule();
        return gCheckOk == 1 ? QString() : gText.toString();
    }
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
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 0, 3), "");
    gSubjectAttr(3, 2) = 1;
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 0, 3), "Ma nur rechts eingeben");
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 1, 3), "");
    gSubjectAttr(3, 2) = 2;
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 0, 3), "");
    EXPECT_EQ(check(CheckCellSide, 1, 1, 1, 1, 3), "");
}

TEST_F(GroupRulesTest, AbilityGroupEnteredThroughLeadingClassFillsTheParallelCell)
{
    place(1, 2, 1, 0, 7);
    ASSERT_EQ(gTimetable(1, 2, 2, 0), 7);
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 2, 0, 7), "");
    EXPECT_EQ(check(CheckAbilityGroupConflict, 1, 2, 2, 0, 7), "");
    EXPECT_EQ(check(CheckAbilityGroupConflict, 1, 2, 2, 0, 3), "bereits mit LG-Fach Französisch belegt");
    // The leading class decides about its own cell.
    EXPECT_EQ(check(CheckAbilityGroupConflict, 1, 2, 1, 0, 3), "");
}

TEST_F(GroupRulesTest, AbilityGroupSubjectIsEnteredOnlyInTheLeadingClass)
{
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 2, 0, 7), "LG-Fach nur in a-Klasse, PL oder PL1 eingeben");
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 2, 0, 3), "");
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 1, 0, 7), "");
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
    gTimetable(1, 2, 2, 1) = 0;
    place(1, 2, 1, 0, 7);
    EXPECT_EQ(check(CheckAbilityGroupParallel, 1, 2, 1, 0, 7), "");
}

TEST_F(GroupRulesTest, CombinationWithThePartnerClassAlreadyPlaced)
{
    subject(10, "Religion", "Re");
    subject(11, "Ethik", "Eth");
    combine(1, 10, 1, 11, 2);
    gTimetable(1, 2, 2, 1) = 11;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10), "");
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 3), "Re 5a soll mit Eth 5b kombiniert werden !");
    // Found from the other side through the mirrored row.
    gTimetable(1, 4, 1, 0) = 10;
    EXPECT_EQ(check(CheckClassCombination, 1, 4, 2, 0, 3), "Eth 5b soll mit Re 5a kombiniert werden !");
    EXPECT_EQ(check(CheckClassCombination, 1, 4, 2, 0, 11), "");
}

TEST_F(GroupRulesTest, CombinationNeedsThePartnerCellFreeUnfixedAndTheWeekComplete)
{
    subject(10, "Religion", "Re");
    subject(11, "Ethik", "Eth");
    subject(12, "Musik", "Mu");
    combine(1, 10, 1, 11, 2);
    gTimetable(1, 2, 2, 0) = 3;
    gTimetable(1, 2, 2, 1) = 12;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10),
              "Re 5a soll mit Eth 5b kombiniert werden - der Platz ist aber bereits mit Ma Mu belegt.");
    gTimetable(1, 2, 2, 0) = 0;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10),
              "Re 5a soll mit Eth 5b kombiniert werden - der Platz ist aber bereits mit Mu belegt.");
    gTimetable(1, 2, 2, 1) = 0;
    gFixations(1, 2, 2, 0) = 1;
    EXPECT_EQ(check(CheckClassCombination, 1, 2, 1, 0, 10),
              "Re 5a soll mit Eth 5b kombiniert werden - der Platz dort ist aber gesperrt.");
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
    subject(8, "Katholische Religion", "Kath");
    gSubjectAttr(3, 6) = 8;
    gSubjectTeachers(2, 8, 0) = 5;
    gTeacherNames(5) = "Huber";
    gTeacherUnavailable(5, 2, 3) = 9;
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 0, 3), "Kombifachproblem: Huber kann nicht kommen");
    EXPECT_EQ(gSubject, 3);
    EXPECT_EQ(gHalf, 0);
    // From the second row the partner is not looked at.
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 1, 3), "");
    EXPECT_EQ(gHalf, 1);

    gTeacherUnavailable(5, 2, 3) = 0;
    gCurriculumHours(2, 8) = 2;
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 0, 3), "");
    EXPECT_EQ(gSubject, 3);
    EXPECT_EQ(gHalf, 0);

    gSubjectAttr(3, 6) = 150;
    EXPECT_EQ(check(CheckCombinedSubject, 2, 3, 2, 0, 3), "");
}

}
