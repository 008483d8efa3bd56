#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/placement_rules.h"
#include "tests/support/fixture.h"

namespace {

// Classes 5a and 5b; teacher 1 "Anna Alt" (AL), teacher 2 "Bernd Berg" (BB);
// Ma (1) is taught by AL in both classes, Ph (2) by BB and AL in 5a.
class TeacherRoomRulesTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gClassNames(1) = "5a";
        gClassNames(2) = "5b";
        gLastClass = 2;
        teacher(1, "Anna Alt", "AL");
        teacher(2, "Bernd Berg", "BB");
        subject(1, "Ma");
        subject(2, "Ph");
        gSubjectTeachers(1, 1, 0) = 1;
        gSubjectTeachers(2, 1, 0) = 1;
        gSubjectTeachers(1, 2, 0) = 2;
        gSubjectTeachers(1, 2, 1) = 1;
    }
    static void teacher(int t, const QString& name, const QString& shortName)
    {
        gTeacherNames(t) = name;
        gTeacherShort(t) = shortName;
    }
    static void subject(int s, const QString& shortName)
    {
        gSubjectNames(s, 1) = shortName;
        gSubjectAttr(s, 5) = 2;
    }
    static void at(int day, int period, int cls, int half, int s)
    {
        gDay = day;
        gPeriod = period;
        gClass = cls;
        gHalf = half;
        gSubject = s;
    }
    static void place(int day, int period, int cls, int half, int s)
    {
        at(day, period, cls, half, s);
        SetTimetableCell();
    }
    static bool refusedBy(void (*rule)())
    {
        gCheckOk = 1;
        gText = "";
        rule();
        return gCheckOk == 0;
    }
};

TEST_F(TeacherRoomRulesTest, AvailabilityReportsTheFirstFailingTeacherInSlotOrder)
{
    at(1, 3, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckTeacherAvailable));

    gTeacherUnavailable(1, 1, 3) = 10;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt hat Aufsicht");

    gTeacherUnavailable(2, 1, 3) = 9;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Bernd Berg kann nicht kommen");
}

TEST_F(TeacherRoomRulesTest, AvailabilityRanksCannotComeOverSupervisionOverAClash)
{
    place(1, 3, 2, 0, 1);
    at(1, 3, 1, 0, 1);
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt hat schon Ma in der Klasse 5b");

    gTeacherUnavailable(1, 1, 3) = 10;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt hat Aufsicht");

    gTeacherUnavailable(1, 1, 3) = 9;
    ASSERT_TRUE(refusedBy(CheckTeacherAvailable));
    EXPECT_EQ(gText, "Anna Alt kann nicht kommen");
}

TEST_F(TeacherRoomRulesTest, TeachingTheSameClassInTheOtherRowIsNoClash)
{
    place(1, 3, 1, 1, 1);
    at(1, 3, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckTeacherAvailable));
    // The same teacher in two slots is looked at twice with the same outcome.
    gSubjectTeachers(1, 2, 2) = 1;
    EXPECT_FALSE(refusedBy(CheckTeacherAvailable));
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

    // A free period ends the run.
    at(1, 7, 1, 0, 1);
    EXPECT_FALSE(refusedBy(CheckTeacherMaxConsecutive));
}

TEST_F(TeacherRoomRulesTest, MaximumConsecutivePeriodsWithoutARealLimitNeverRefuse)
{
    for (int p = 1; p <= 8; ++p)
        place(1, p, 2, 0, 1);
    at(1, 9, 1, 0, 1);
    for (short limit : {0, 9, 12, -2}) {
        gTeacherMaxLoad(1) = limit;
        EXPECT_FALSE(refusedBy(CheckTeacherMaxConsecutive)) << limit;
    }
    // The rule leaves a refusal of an earlier rule standing when it finds nothing.
    gCheckOk = 0;
    CheckTeacherMaxConsecutive();
    EXPECT_EQ(gCheckOk, 0);
}

TEST_F(TeacherRoomRulesTest, OverlappingPeriodsRefuseATeacherBusyInTheOverlappingPeriod)
{
    gOverlapPeriod = 5;
    place(1, 6, 1, 0, 1);
    at(1, 5, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckTeacherClash));
    EXPECT_EQ(gText, "Überschneidung: AL hat schon Ma 5a in der  6. Eh.");

    place(1, 4, 2, 0, 1);
    place(1, 8, 2, 0, 1);
    at(1, 5, 1, 0, 2);
    gOverlapPeriod = 0;
    EXPECT_FALSE(refusedBy(CheckTeacherClash));
    gOverlapPeriod = 6;
    EXPECT_FALSE(refusedBy(CheckTeacherClash));
    gOverlapPeriod = 5;
    at(1, 7, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckTeacherClash));
    at(1, 4, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckTeacherClash));
}

TEST_F(TeacherRoomRulesTest, OptionSixPairsTheSixthAndSeventhPeriods)
{
    gOverlapPeriod = 6;
    place(1, 6, 2, 0, 1);
    at(1, 7, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckTeacherClash));
    EXPECT_EQ(gText, "Überschneidung: AL hat schon Ma 5b in der  6. Eh.");
}

class RoomCapacityTest : public TeacherRoomRulesTest {
protected:
    void SetUp() override
    {
        TeacherRoomRulesTest::SetUp();
        gSpecialRoomNames(3) = "Physik";
        gSpecialRoomNames(5) = "Werkraum";
        for (int room : {3, 5})
            gSpecialRoomAvailability(room, 1, 2) = 1;
        gSubjectAttr(2, 8) = 3;
        gClassNames(3) = "6a";
        gLastClass = 3;
    }
};

TEST_F(RoomCapacityTest, ARoomUsedElsewhereInThePeriodIsOverBooked)
{
    at(1, 2, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "");

    place(1, 2, 2, 0, 2);
    at(1, 2, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "Überbelegung: 2 im Raum Physik ");

    gSpecialRoomAvailability(3, 1, 2) = 2;
    EXPECT_FALSE(refusedBy(CheckRoomCapacity));
}

TEST_F(RoomCapacityTest, EveryOverBookedRoomIsListedInRoomOrder)
{
    gSubjectAttr(2, 18) = 5;
    gSubjectAttr(1, 19) = 5;
    gSubjectAttr(1, 8) = 3;
    place(1, 2, 2, 1, 1);
    place(1, 2, 3, 0, 2);
    at(1, 2, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "Überbelegung: 3 im Raum Physik  3 im Raum Werkraum ");
}

TEST_F(RoomCapacityTest, APartnerNeedingAnOverBookedRoomRefusesTheLesson)
{
    gSubjectAttr(2, 8) = 0;
    gSubjectAttr(1, 8) = 5;
    gSubjectAttr(2, 6) = 1;
    place(1, 2, 2, 0, 1);
    at(1, 2, 1, 0, 2);
    ASSERT_TRUE(refusedBy(CheckRoomCapacity));
    EXPECT_EQ(gText, "Überbelegung: 2 im Raum Werkraum ");
}

TEST_F(RoomCapacityTest, RoomsTheLessonDoesNotNeedAreNotCompared)
{
    gSubjectAttr(1, 8) = 5;
    place(1, 2, 2, 0, 1);
    place(1, 2, 3, 0, 1);
    at(1, 2, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckRoomCapacity));
}

TEST_F(RoomCapacityTest, RoomNumbersOutsideTheRoomTableNeedNothing)
{
    gSubjectAttr(2, 18) = 40;
    gSubjectAttr(2, 19) = -1;
    gSubjectAttr(1, 8) = 99;
    place(1, 2, 2, 0, 1);
    at(1, 2, 1, 0, 2);
    EXPECT_FALSE(refusedBy(CheckRoomCapacity));
}

}
