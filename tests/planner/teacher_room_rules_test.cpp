#include "planner/editor/placement_rules.h"
#include "tests/planner/planner_fixture.h"

namespace {

// Classes 5a, 5b, 6a; teachers 1 "Anna Alt" (AL) and 2 "Bernd Berg" (BB);
// Ma (1) is taught by AL in 5a and 5b, Ph (2) by BB and AL in 5a.
class TeacherRoomRulesTest : public PlannerTest {
protected:
    void SetUp() override
    {
        PlannerTest::SetUp();
        gLastClass = 3;
        for (int c : {1, 2, 3})
            gClassNames(c) = QStringList{"5a", "5b", "6a"}[c - 1];
        gTeacherNames(1) = "Anna Alt";
        gTeacherShort(1) = "AL";
        gTeacherNames(2) = "Bernd Berg";
        for (int s : {1, 2}) {
            gSubjectNames(s, 1) = s == 1 ? "Ma" : "Ph";
            gSubjectAttr(s, 5) = 2;
        }
        gSubjectTeachers(1, 1, 0) = 1;
        gSubjectTeachers(2, 1, 0) = 1;
        gSubjectTeachers(1, 2, 0) = 2;
        gSubjectTeachers(1, 2, 1) = 1;
    }
};

TEST_F(TeacherRoomRulesTest, AvailabilityRanksCannotComeOverSupervisionOverAClash)
{
    place(1, 3, 1, 1, 1);
    at(1, 3, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckTeacherAvailable)) << "the same class in the other row is no clash";

    place(1, 3, 2, 0, 1);
    at(1, 3, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt hat schon Ma in der Klasse 5b");
    gTeacherUnavailable(1, 1, 3) = 10;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt hat Aufsicht");
    gTeacherUnavailable(1, 1, 3) = 9;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt kann nicht kommen");
    // Teachers are looked at in slot order.
    gTeacherUnavailable(2, 1, 3) = 10;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Bernd Berg hat Aufsicht");
}

TEST_F(TeacherRoomRulesTest, TeacherNumbersOutsideTheTablesNameNobody)
{
    gSubjectTeachers(1, 2, 0) = 75;
    gSubjectTeachers(1, 2, 1) = -3;
    gOverlapPeriod = 5;
    at(1, 5, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckTeacherAvailable));
    EXPECT_FALSE(refusedBy(CheckTeacherMaxConsecutive));
    EXPECT_FALSE(refusedBy(CheckTeacherClash));
}

TEST_F(TeacherRoomRulesTest, MaximumConsecutivePeriodsCountTheRunThroughTheCell)
{
    gTeacherMaxLoad(1) = 3;
    place(1, 2, 1, 0, 1);
    place(1, 3, 1, 0, 1);
    at(1, 4, 1, 0, 1);
    EXPECT_FALSE(refusedBy(CheckTeacherMaxConsecutive));
    place(1, 5, 2, 0, 1);
    at(1, 4, 1, 0, 1);
    ASSERT_TRUE(refusedBy(CheckTeacherMaxConsecutive));
    EXPECT_EQ(gText, "Belastbarkeit von AL = maximal 3");

    for (short noLimit : {0, 9, -2}) {
        gTeacherMaxLoad(1) = noLimit;
        EXPECT_FALSE(refusedBy(CheckTeacherMaxConsecutive)) << noLimit;
    }
    // Finding nothing leaves an earlier refusal standing.
    gCheckOk = 0;
    CheckTeacherMaxConsecutive();
    EXPECT_EQ(gCheckOk, 0);
}

TEST_F(TeacherRoomRulesTest, OverlappingPeriodsRefuseATeacherBusyInTheOtherOne)
{
    gOverlapPeriod = 5;
    place(1, 6, 1, 0, 1);
    place(1, 4, 2, 0, 1);
    at(1, 5, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckTeacherClash));
    EXPECT_EQ(gText, "Überschneidung: AL hat schon Ma 5a in der  6. Eh.");
    gOverlapPeriod = 0;
    EXPECT_FALSE(refusedBy(CheckTeacherClash));

    gOverlapPeriod = 6;
    at(1, 7, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckTeacherClash));
    EXPECT_EQ(gText, "Überschneidung: AL hat schon Ma 5a in der  6. Eh.");
    gOverlapPeriod = 5;
    EXPECT_FALSE(refusedBy(CheckTeacherClash)) << "period 7 has no partner under option 5";
}

// A partner subject's rooms count as the lesson's own; unknown rooms are ignored.
TEST_F(TeacherRoomRulesTest, RoomCapacityListsEveryOverBookedRoomTheLessonNeeds)
{
    gSpecialRoomNames(3) = "Physik";
    gSpecialRoomNames(5) = "Werkraum";
    gSpecialRoomAvailability(3, 1, 2) = 1;
    gSpecialRoomAvailability(5, 1, 2) = 1;
    gSubjectAttr(2, 8) = 3;
    at(1, 2, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "");

    gSubjectAttr(1, 8) = 3;
    gSubjectAttr(1, 19) = 5;
    place(1, 2, 2, 1, 1);
    at(1, 2, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "Überbelegung: 2 im Raum Physik ") << "Werkraum is not needed by Ph";

    gSubjectAttr(2, 18) = 5;
    place(1, 2, 3, 0, 2);
    at(1, 2, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "Überbelegung: 3 im Raum Physik  3 im Raum Werkraum ");

    gTimetable.fill(0);
    gSubjectAttr(2, 8) = gSubjectAttr(2, 18) = gSubjectAttr(1, 19) = 0;
    gSubjectAttr(1, 8) = 5;
    gSubjectAttr(2, 6) = 1;
    place(1, 2, 2, 0, 1);
    at(1, 2, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "Überbelegung: 2 im Raum Werkraum ");

    gSubjectAttr(1, 8) = 99;
    gSubjectAttr(1, 18) = -1;
    EXPECT_FALSE(refusedBy(CheckRoomCapacity));
}

}
