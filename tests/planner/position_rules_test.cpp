#include "core/model.h"
#include "planner/editor/placement_rules.h"
#include "tests/support/fixture.h"

namespace {

constexpr int kClass = 1;

class PositionRulesTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gClassNames(kClass) = "7b";
        const char* names[] = {"De", "Ma", "Mu", "Sp", "Ch"};
        for (int s = 2; s <= 6; ++s)
            gSubjectNames(s, 1) = names[s - 2];
    }
    // Runs one rule for a subject in a cell of the class; the message when it
    // refuses, else "".
    static QString check(void (*rule)(), int day, int period, int s, int half = 0)
    {
        gDay = day;
        gPeriod = period;
        gClass = kClass;
        gHalf = half;
        gSubject = s;
        gCheckOk = 1;
        gText = "";
        rule();
        return gCheckOk == 1 ? QString() : gText.toString();
    }
    static short& cell(int day, int period, int half = 0) { return gTimetable(day, period, kClass, half); }
};

TEST_F(PositionRulesTest, PeriodLimitsFollowTheTimeRule)
{
    gSubjectAttr(2, 7) = 8;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 4, 2), "De erst ab der  5.Eh");
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 2), "");
    gSubjectAttr(2, 7) = 2;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 2), "De nur bis zur  4.Eh");
    EXPECT_EQ(check(CheckPeriodLimits, 1, 4, 2), "");
    gSubjectAttr(2, 7) = 7;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 9, 2), "De nur bis zur  8.Eh");
    gSubjectAttr(2, 7) = 1;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 1, 2), "De nicht in der 1.Eh");
    EXPECT_EQ(check(CheckPeriodLimits, 1, 2, 2), "");
    gSubjectAttr(2, 7) = 11;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 1, 2), "");
}

TEST_F(PositionRulesTest, EdgePeriodEndsTheClassDay)
{
    gSubjectAttr(4, 7) = 4;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 9, 4), "");
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 4), "Mu nur als Randstunde");
    gFixations(1, 6, kClass, 0) = 1;
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 4), "");
    EXPECT_EQ(check(CheckPeriodLimits, 1, 5, 4, 1), "Mu nur als Randstunde");
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
    EXPECT_EQ(check(CheckNotConsecutiveDays, 3, 7, 3, 1), "");
    cell(2, 4) = 0;
    cell(1, 2) = 3;
    EXPECT_EQ(check(CheckNotConsecutiveDays, 5, 2, 3), "");

    // Other subjects are no business of this rule: it leaves the flag alone.
    gCurriculumHours(kClass, 3) = 3;
    cell(4, 2) = 3;
    gCheckOk = 0;
    gDay = 5;
    CheckNotConsecutiveDays();
    EXPECT_EQ(gCheckOk, 0);
    EXPECT_EQ(check(CheckNotConsecutiveDays, 5, 2, 3), "");
}

TEST_F(PositionRulesTest, SubjectsThatMustNotShareTheDay)
{
    gSubjectAttr(2, 10) = 150;
    gSubjectAttr(2, 12) = 5;
    cell(3, 8, 1) = 5;
    EXPECT_EQ(check(CheckNotSameDayWith, 3, 1, 2), " nicht am selben Tag mit Sp");
    EXPECT_EQ(check(CheckNotSameDayWith, 2, 1, 2), "");
    cell(2, 1) = 150;
    EXPECT_EQ(check(CheckNotSameDayWith, 2, 3, 2), " nicht am selben Tag mit ");
}

TEST_F(PositionRulesTest, NonCognitiveSubjectMustRemainPossibleEarlyInTheDay)
{
    gSubjectAttr(4, 13) = 1;
    for (int p = 1; p <= 6; ++p)
        cell(1, p) = p == 3 ? 0 : 2;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "");
    gNonCognitiveRule = 1;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "mindestens 1 nicht-kognitives Fach eintragen");
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 4), "");
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 7, 3), "");
    cell(1, 5) = 0;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "");
    cell(1, 5) = 4;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "");

    cell(1, 5) = 2;
    cell(1, 6) = 0;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "");
    gNonCognitiveRule = 0;
    gFifthPeriodFlag = 1;
    EXPECT_EQ(check(CheckNonCognitiveSubject, 1, 3, 3), "mindestens 1 nicht-kognitives Fach eintragen");
}

TEST_F(PositionRulesTest, ChainedSubjectFollowsItsPredecessor)
{
    gSubjectAttr(6, 17) = 5;
    EXPECT_EQ(check(CheckChaining, 1, 1, 6), "Ch verlangt Verkettung");
    EXPECT_EQ(check(CheckChaining, 1, 4, 6), "Ch darf nur nach Sp gesteckt werden.");
    cell(1, 3, 1) = 5;
    EXPECT_EQ(check(CheckChaining, 1, 4, 6), "");
}

TEST_F(PositionRulesTest, NoSubjectTakesTheSlotBeforeAChainedSubject)
{
    gSubjectAttr(6, 17) = 5;
    cell(1, 4, 1) = 6;
    EXPECT_EQ(check(CheckChaining, 1, 3, 2), "Verkettung: Ch in der Einheit4 verlangt als Vorgänger Sp.");
    EXPECT_EQ(check(CheckChaining, 1, 3, 5), "");
    cell(1, 4, 0) = 3;
    EXPECT_EQ(check(CheckChaining, 1, 3, 2), "");
    // A subject number from a plan that names no subject requires nothing.
    cell(1, 4, 0) = 150;
    EXPECT_EQ(check(CheckChaining, 1, 3, 2), "");
}

}
