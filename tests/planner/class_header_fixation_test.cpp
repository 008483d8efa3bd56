#include "core/model.h"
#include "planner/editor/editor_support.h"
#include "tests/planner/planner_fixture.h"

// The editor's class-header click in fixation mode, which the timetable maker
// uses to open a class-day for "Modus 1" and to close it again.
class ClassHeaderFixationTest : public PlannerTest {
protected:
    static constexpr short kTemporary = 1;
    static constexpr short kAbsolute = 4;
    static constexpr short kUnchecked = 5;
};

// The cells not fixed absolutely follow the last of them, lessons and empty
// cells alike; other days and classes stay.
TEST_F(ClassHeaderFixationTest, TogglesTheDayByItsLastOpenCell)
{
    struct Case {
        const char* name;
        short lastOpen;
        short expected;
    };
    for (const Case& c : {Case{"fixed day opens", kTemporary, 0}, Case{"open day is fixed", 0, kTemporary}}) {
        SCOPED_TRACE(c.name);
        gLastClass = 2;
        for (int p = 1; p <= 9; ++p)
            for (int cls = 1; cls <= 2; ++cls)
                for (int d = 2; d <= 3; ++d)
                    gFixations(d, p, cls, 0) = gFixations(d, p, cls, 1) = kTemporary;
        gFixations(2, 1, 1, 0) = 0;
        gFixations(2, 7, 1, 0) = gFixations(2, 7, 1, 1) = kAbsolute;
        gFixations(2, 9, 1, 0) = gFixations(2, 9, 1, 1) = kUnchecked;
        gFixations(2, 8, 1, 0) = c.lastOpen;
        gTimetable(2, 3, 1, 0) = 2;

        ToggleClassDayFixation(2, 1);

        for (int p : {1, 2, 3, 8})
            for (int half = 0; half <= 1; ++half)
                EXPECT_EQ(gFixations(2, p, 1, half), c.expected) << p << "/" << half;
        EXPECT_EQ(gFixations(2, 7, 1, 0), kAbsolute);
        EXPECT_EQ(gFixations(2, 9, 1, 0), kUnchecked);
        EXPECT_EQ(gFixations(3, 3, 1, 0), kTemporary);
        EXPECT_EQ(gFixations(2, 3, 2, 0), kTemporary);
        EXPECT_EQ(gTimetable(2, 3, 1, 0), 2);
    }
}
