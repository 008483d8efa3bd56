#include "planner/editor/placement_rules.h"
#include "tests/planner/planner_fixture.h"

namespace {

constexpr int kClass = 1;

// Class 7b; De (2), Ma (3), Mu (4), Sp (5), Ch (6).
class PositionRulesTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        gClassNames(kClass) = "7b";
        for (int s = 2; s <= 6; ++s)
            gSubjectNames(s, 1) = QStringList{"De", "Ma", "Mu", "Sp", "Ch"}[s - 2];
    }
    // Runs one rule for a subject in a cell of the class; its message when it
    // refuses, else "".
    static QString check(void (*rule)(), int day, int period, int s, int half = 0)
    {
        at(day, period, kClass, half, s);
        return refusal(rule);
    }
    static short& cell(int day, int period, int half = 0) { return gTimetable(day, period, kClass, half); }
};

TEST_F(PositionRulesTest, PeriodLimitsFollowTheTimeRule)
{
    const struct {
        short code;
        int refused, allowed;
        const char* message;
    } rules[] = {{8, 4, 5, "De erst ab der  5.Eh"}, {2, 5, 4, "De nur bis zur  4.Eh"},
                 {7, 9, 8, "De nur bis zur  8.Eh"}, {1, 1, 2, "De nicht in der 1.Eh"}};
    for (const auto& rule : rules) {
        gSubjectAttr(2, 7) = rule.code;
        EXPECT_EQ(check(CheckPeriodLimits, 1, rule.refused, 2), rule.message);
        EXPECT_EQ(check(CheckPeriodLimits, 1, rule.allowed, 2), "") << "code " << rule.code;
    }
}

TEST_F(PositionRulesTest, EdgePeriodEndsTheClassDay)
{
    gSubjectAttr(4, 7) = 4;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 9, 4), "");
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 4), "Mu nur als Randstunde");
    gFixations(1, 6, kClass, 0) = 1;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 4), "");
    cell(1, 6) = 3;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 4), "Mu nur als Randstunde");
}

TEST_F(PositionRulesTest, TwoHourSubjectStaysOffNeighbouringDays)
{
    gSubjectAttr(3, 9) = 1;
    gCurriculumHours(kClass, 3) = 2;
    cell(2, 4) = 3;
    EXPECT_EQ(check(CheckNotConsecutiveDays, 1, 1, 3), "Ma nicht an aufeinanderfolgenden Tagen");
    EXPECT_EQ(check(CheckNotConsecutiveDays, 3, 7, 3), "Ma nicht an aufeinanderfolgenden Tagen");
    EXPECT_EQ(check(CheckNotConsecutiveDays, 4, 1, 3), "");
    EXPECT_EQ(check(CheckNotConsecutiveDays, 3, 7, 3, 1), "") << "the other group row";
    cell(2, 4) = 0;
    cell(5, 2) = 3;
    EXPECT_EQ(check(CheckNotConsecutiveDays, 1, 2, 3), "") << "the week does not wrap";

    // Other subjects are no business of this rule: it leaves the flag alone.
    gCurriculumHours(kClass, 3) = 3;
    gCheckOk = 0;
    gDay = 1;
    CheckNotConsecutiveDays();
    EXPECT_EQ(gCheckOk, 0);
}

TEST_F(PositionRulesTest, SubjectsThatMustNotShareTheDay)
{
    gSubjectAttr(2, 10) = 150;
    gSubjectAttr(2, 12) = 5;
    cell(3, 8, 1) = 5;
    EXPECT_EQ(check(CheckNotSameDayWith, 3, 1, 2), " nicht am selben Tag mit Sp");
    EXPECT_EQ(check(CheckNotSameDayWith, 2, 1, 2), "");
}

TEST_F(PositionRulesTest, NonCognitiveSubjectMustRemainPossibleEarlyInTheDay)
{
    gSubjectAttr(4, 13) = 1;
    for (int p : {1, 2, 4, 5, 6})
        cell(1, p) = 2;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "") << "the rule is off";
    gNonCognitiveRule = 1;
    const QString refusal = "mindestens 1 nicht-kognitives Fach eintragen";
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), refusal);
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 4), "");
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 7, 3), "");
    cell(1, 5) = 4;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "");

    cell(1, 5) = 2;
    cell(1, 6) = 0;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "");
    gNonCognitiveRule = 0;
    gFifthPeriodFlag = 1;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), refusal) << "only periods 1 to 5 count";
}

TEST_F(PositionRulesTest, ChainedSubjectFollowsItsPredecessor)
{
    gSubjectAttr(6, 17) = 5;
    EXPECT_EQ(check(CheckChaining, 1, 1, 6), "Ch verlangt Verkettung");
    EXPECT_EQ(check(CheckChaining, 1, 4, 6), "Ch darf nur nach Sp gesteckt werden.");
    cell(1, 3, 1) = 5;
    EXPECT_EQ(check(CheckChaining, 1, 4, 6), "");

    cell(2, 4, 1) = 6;
    EXPECT_EQ(check(CheckChaining, 2, 3, 2), "Verkettung: Ch in der Einheit4 verlangt als Vorgänger Sp.");
    EXPECT_EQ(check(CheckChaining, 2, 3, 5), "");
    cell(2, 4, 0) = 150;
    EXPECT_EQ(check(CheckChaining, 2, 3, 2), "") << "a number that names no subject requires nothing";
}

}
