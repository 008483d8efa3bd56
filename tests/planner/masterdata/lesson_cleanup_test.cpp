#include "planner/masterdata/lesson_cleanup.h"
#include "tests/planner/editor_fixture.h"

// The clean-up on a week of classes K1..K10 and subjects De, Ma, En, Bio, Sp.
class LessonCleanupTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        for (int t = 1; t <= 60; ++t)
            gTeacherShort(t) = t <= 5 ? QStringLiteral("L%1").arg(t) : QStringLiteral("-");
    }
    // Subject `s` taught in class `c` by teacher `t` for `hours` a week.
    static void teach(int c, int s, int t, int hours = 2)
    {
        gSubjectTeachers(c, s, 0) = static_cast<short>(t);
        gCurriculumHours(c, s) = static_cast<short>(hours);
        gClassSubjectHours(c, s) = Currency::fromDouble(hours);
        gSubjectAttr(s, 5) = 1;
    }
};

TEST_F(LessonCleanupTest, ADeletedTeacherLosesEveryAssignmentAndEntry)
{
    teach(1, 1, 2);
    teach(2, 2, 3);
    place(1, 1, 1, 0, 1);
    place(1, 2, 2, 0, 2);
    gTeacherUnavailable(2, 3, 4) = 9;
    gTeacherUnavailable(3, 3, 4) = 9;
    gTeacherShort(2) = QStringLiteral("-");
    ASSERT_EQ(gTeacherPlanSubject(2, 1, 1), 1);
    CleanUpOrphanedLessons();

    EXPECT_TRUE(gSubjectTeachers(1, 1, 0) == 0 && gTeacherUnavailable(2, 3, 4) == 0 && gTeacherPlanSubject(2, 1, 1) == 0);
    EXPECT_EQ(gSubjectTeachers(2, 2, 0), 3) << "a two-letter short name keeps its teacher";
    EXPECT_TRUE(gTeacherUnavailable(3, 3, 4) == 9 && gTeacherPlanSubject(3, 1, 2) == 2);
}

TEST_F(LessonCleanupTest, AClassWithAOneCharacterNameAndLessonsBeyondTheDayOrTheLastClassGo)
{
    teach(4, 1, 1);
    place(2, 3, 4, 0, 1);
    gFixations(2, 3, 4, 0) = 4;
    gClassNames(4) = QStringLiteral("7");
    gTimetable(1, 10, 1, 0) = 1;
    gTimetable(6, 12, 2, 1) = 2;
    gFixations(1, 10, 1, 0) = 1;
    gTimetable(3, 2, 11, 0) = 1;
    gTimetable(1, 9, 10, 1) = 2;
    CleanUpOrphanedLessons();
    EXPECT_TRUE(gTimetable(2, 3, 4, 0) == 0 && gFixations(2, 3, 4, 0) == 0) << "the class is cleared whole";
    EXPECT_EQ(gCurriculumHours(4, 1), 0);
    EXPECT_EQ(gSubjectTeachers(4, 1, 0), 0) << "no hours, no teacher";
    EXPECT_TRUE(gTimetable(1, 10, 1, 0) == 0 && gTimetable(6, 12, 2, 1) == 0 && gTimetable(3, 2, 11, 0) == 0);
    EXPECT_EQ(gFixations(1, 10, 1, 0), 1);
    EXPECT_EQ(gTimetable(1, 9, 10, 1), 2);
    EXPECT_EQ(gLastClass, 10);
}

TEST_F(LessonCleanupTest, ADeletedSubjectLeavesItsFixationsOnly)
{
    teach(1, 3, 1);
    teach(1, 1, 1);
    place(1, 1, 1, 0, 3);
    place(1, 2, 1, 0, 1);
    gFixations(1, 1, 1, 0) = 4;
    gSubjectNames(3, 1) = QStringLiteral("=");
    CleanUpOrphanedLessons();
    EXPECT_TRUE(gTimetable(1, 1, 1, 0) == 0 && gFixations(1, 1, 1, 0) == 4);
    EXPECT_TRUE(gCurriculumHours(1, 3) == 0 && gClassSubjectHours(1, 3) == Currency{} && gSubjectTeachers(1, 3, 0) == 0);
    EXPECT_EQ(gTimetable(1, 2, 1, 0), 1);
}

TEST_F(LessonCleanupTest, NoViewSeesARemovedLessonAndTheCurrentCellStays)
{
    teach(1, 4, 1);
    place(1, 5, 1, 0, 4);
    open();
    EXPECT_EQ(cell(1, 5, 0)->text().trimmed(), "Bio");
    gSubjectNames(4, 1) = QStringLiteral("-");
    at(1, 5, 1, 1, 3);
    gTeacher = 7;
    CleanUpOrphanedLessons();
    EXPECT_EQ(gTeacherPlanSubject(1, 1, 5), 0) << "the teacher-side tables follow the grid";
    EXPECT_TRUE(gDay == 1 && gPeriod == 5 && gClass == 1 && gHalf == 1 && gSubject == 3 && gTeacher == 7);
    EXPECT_EQ(cell(1, 5, 0)->text().trimmed(), "") << "the open editor is redrawn";
}
