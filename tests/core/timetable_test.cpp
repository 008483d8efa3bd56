#include "core/model.h"
#include "core/timetable.h"
#include "tests/support/fixture.h"

namespace {

class TimetableTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
    }
    // A subject with its properties 5 (maximum teachers), 6 (partner) and 4
    // (ability groups), and its teachers in class `cls`.
    static void subject(int s, int cls, std::initializer_list<short> teachers, int maxTeachers = 1, int partner = 0,
                        int abilityGroups = 0)
    {
        gSubjectAttr(s, 5) = static_cast<short>(maxTeachers);
        gSubjectAttr(s, 6) = static_cast<short>(partner);
        gSubjectAttr(s, 4) = static_cast<short>(abilityGroups);
        int slot = 0;
        for (short t : teachers)
            gSubjectTeachers(cls, s, slot++) = t;
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
    static void expectTeaches(int teacher, int day, int period, int s, int cls)
    {
        EXPECT_EQ(gTeacherPlanSubject(teacher, day, period), s) << "teacher " << teacher;
        EXPECT_EQ(gTeacherPlanClass(teacher, day, period), cls) << "teacher " << teacher;
    }
};

TEST_F(TimetableTest, PutReplaceAndEmptyACell)
{
    gClassNames(2) = "5b";
    subject(7, 2, {3, 12}, 2);
    subject(9, 2, {4});
    place(1, 3, 2, 0, 7);
    EXPECT_EQ(gTimetable(1, 3, 2, 0), 7);
    expectTeaches(3, 1, 3, 7, 2);
    expectTeaches(12, 1, 3, 7, 2);
    EXPECT_TRUE(gCheckOk == 1);

    place(1, 3, 2, 0, 9);
    expectTeaches(3, 1, 3, 0, 0);
    expectTeaches(12, 1, 3, 0, 0);
    expectTeaches(4, 1, 3, 9, 2);

    place(1, 3, 2, 0, 0);
    EXPECT_EQ(gTimetable(1, 3, 2, 0), 0);
    expectTeaches(4, 1, 3, 0, 0);
    EXPECT_TRUE(gSubject == 9 && gCheckOk == 0 && gClass == 2 && gHalf == 0);

    // Without teachers it is placed but not confirmed; a subject that needs
    // none enters none and is confirmed.
    subject(5, 2, {}, 2);
    place(2, 1, 2, 0, 5);
    EXPECT_TRUE(gTimetable(2, 1, 2, 0) == 5 && gCheckOk == 0);
    subject(6, 2, {8}, 0);
    place(2, 2, 2, 0, 6);
    EXPECT_TRUE(gTimetable(2, 2, 2, 0) == 6 && gCheckOk == 1);
    expectTeaches(8, 2, 2, 0, 0);
}

TEST_F(TimetableTest, PartnerGoesIntoTheRightRowAndOutAgain)
{
    gClassNames(2) = "7c";
    subject(10, 2, {1}, 1, 15);
    subject(15, 2, {8});
    subject(9, 2, {4});
    place(4, 5, 2, 1, 9);
    place(4, 5, 2, 0, 10);
    EXPECT_EQ(gTimetable(4, 5, 2, 0), 10);
    EXPECT_EQ(gTimetable(4, 5, 2, 1), 15);
    expectTeaches(1, 4, 5, 10, 2);
    expectTeaches(8, 4, 5, 15, 2);
    expectTeaches(4, 4, 5, 0, 0);
    EXPECT_TRUE(gSubject == 10 && gHalf == 0);

    place(4, 5, 2, 0, 0);
    EXPECT_EQ(gTimetable(4, 5, 2, 1), 0);
    expectTeaches(8, 4, 5, 0, 0);
}

TEST_F(TimetableTest, AbilityGroupsAcrossTheGrade)
{
    gClassNames(1) = "1A";
    gClassNames(2) = "1B";
    gClassNames(3) = "1R";
    gClassNames(4) = "2A";
    subject(20, 1, {6}, 2, 0, 1);
    subject(20, 2, {5}, 2, 0, 1);
    place(3, 2, 2, 0, 20);
    EXPECT_EQ(gTimetable(3, 2, 1, 0), 20);
    EXPECT_EQ(gTimetable(3, 2, 2, 0), 20);
    EXPECT_EQ(gTimetable(3, 2, 3, 0), 0);
    EXPECT_EQ(gTimetable(3, 2, 4, 0), 0);
    expectTeaches(5, 3, 2, 20, 2);
    expectTeaches(6, 3, 2, 0, 0);
    EXPECT_TRUE(gCheckOk == 1 && gClass == 2);

    place(3, 2, 2, 0, 0);
    EXPECT_EQ(gTimetable(3, 2, 1, 0), 20) << "taken out only through the leading class";
    EXPECT_EQ(gTimetable(3, 2, 2, 0), 20);

    gTeacherPlanSubject(6, 3, 2) = 20;
    place(3, 2, 1, 0, 0);
    EXPECT_EQ(gTimetable(3, 2, 1, 0), 0);
    EXPECT_EQ(gTimetable(3, 2, 2, 0), 0);
    expectTeaches(6, 3, 2, 0, 0);

    place(3, 3, 3, 1, 20);
    EXPECT_TRUE(gTimetable(3, 3, 3, 1) == 0 && gCheckOk == 0) << "an R class takes no part";
}

TEST_F(TimetableTest, ClassTypeFlagsAndLastClass)
{
    const struct {
        const char* name;
        int a, r;
    } cases[] = {{"3L", 1, 0}, {"4a", 1, 0}, {"1", 1, 0}, {"2R", 0, 1}, {"2r", 0, 1}, {"5b", 0, 0}, {"R", 0, 0}, {"", 0, 0}};
    gClass = 7;
    for (const auto& c : cases) {
        gClassNames(7) = c.name;
        SetClassTypeFlags();
        EXPECT_TRUE(gClassFlagA == c.a && gClassFlagR == c.r) << c.name;
    }
    gLastClass = 3;
    gClassNames(7) = "";
    FindLastUsedClass();
    EXPECT_TRUE(gLastClass == 3) << "unchanged without any class";
    for (int c : {1, 2, 3, 4, 5, 9})
        gClassNames(c) = "x";
    FindLastUsedClass();
    EXPECT_TRUE(gLastClass == 9);
}

TEST_F(TimetableTest, RebuildAndClearUnfixedKeepTheCurrentCell)
{
    gClassNames(1) = "8A";
    gClassNames(2) = "8B";
    subject(3, 1, {11});
    subject(10, 2, {1}, 1, 15);
    subject(15, 2, {8});
    subject(20, 1, {6}, 1, 0, 1);
    gTimetable(1, 1, 1, 0) = 3;
    gTimetable(2, 4, 2, 0) = 10;
    gTimetable(5, 9, 1, 0) = gTimetable(5, 9, 2, 0) = 20;
    gTeacherPlanSubject(30, 6, 10) = 99;
    gFixations(1, 1, 1, 0) = 4;
    gDay = 4;
    gPeriod = 7;
    gClass = 2;
    gHalf = 1;

    RebuildTeacherTimetables();
    expectTeaches(11, 1, 1, 3, 1);
    expectTeaches(30, 6, 10, 0, 0);
    EXPECT_EQ(gTimetable(2, 4, 2, 1), 15);
    expectTeaches(8, 2, 4, 15, 2);
    expectTeaches(6, 5, 9, 20, 1);
    EXPECT_TRUE(gDay == 4 && gPeriod == 7 && gClass == 2 && gHalf == 1);

    gLastClass = 1;
    ClearUnfixedLessons();
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 3) << "fixed";
    EXPECT_EQ(gTimetable(5, 9, 1, 0), 0);
    EXPECT_EQ(gTimetable(5, 9, 2, 0), 0) << "with its leading class";
    EXPECT_EQ(gTimetable(2, 4, 2, 0), 10) << "beyond gLastClass";
    expectTeaches(6, 5, 9, 0, 0);
    EXPECT_TRUE(gDay == 4 && gPeriod == 7 && gClass == 2 && gHalf == 1);
}

}
