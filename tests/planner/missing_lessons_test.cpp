#include "planner/editor/missing_lessons.h"
#include "tests/planner/editor_fixture.h"

using MissingLessonsTest = EditorTest;

TEST_F(MissingLessonsTest, ALinePerNamedClassWithTheLessonsStillMissing)
{
    nameClasses(4);
    gClassNames(2) = "-";
    gClassNames(24) = "Z";
    gCurriculumHours(1, 2) = 3;
    gCurriculumHours(1, 1) = 1;
    gCurriculumHours(1, 3) = 1;
    gCurriculumHours(3, 4) = 2;
    gCurriculumHours(4, 1) = 2;
    gTimetable(2, 4, 1, 1) = 2;    // the second group row counts
    gTimetable(1, 1, 1, 0) = 3;
    gTimetable(2, 1, 1, 0) = 3;    // more than required
    gTimetable(1, 10, 4, 0) = 1;   // beyond the day's periods
    gTimetable(4, 3, 3, 0) = 4;
    gTimetable(5, 9, 3, 1) = 4;
    Form55* w = forms::show<Form55>();
    EXPECT_EQ(w->List1->items(), QStringList({"K1: De  2xMa ", "K3: keine", "K4:  2xDe ", "Z: keine"}));
    w->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form55>());
}
