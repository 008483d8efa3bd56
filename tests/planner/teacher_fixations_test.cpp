#include "planner/editor/teacher_fixations.h"
#include "tests/planner/editor_fixture.h"

#include <QCheckBox>
#include <QLabel>

namespace {
// Abel (1) teaches De (1) in class 1 and Bio (4) in class 2; Clausen (2)
// teaches Ma (2) in class 1 and the ability-group subject Sp (5).
class TeacherFixationsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        offerSubjects();
        teach(1, 1, 4, 1);
        teach(2, 4, 4, 1);
        teach(1, 2, 4, 2);
        teach(1, 5, 4, 2);
        gSubjectAttr(5, 4) = 1;
        gLastClass = 2;
    }
    static void lesson(int period, int cls, int s0, int s1, short fix0, short fix1)
    {
        gTimetable(1, period, cls, 0) = static_cast<short>(s0);
        gTimetable(1, period, cls, 1) = static_cast<short>(s1);
        gFixations(1, period, cls, 0) = fix0;
        gFixations(1, period, cls, 1) = fix1;
    }
    static Form42* chooseAbel()
    {
        Form42* w = forms::show<Form42>();
        w->List1->setListIndex(0);
        return w;
    }
};

TEST_F(TeacherFixationsTest, ListsEveryTeacherSlotAndEnablesTheReleaseForANamedOne)
{
    Form42* w = forms::show<Form42>();
    ASSERT_EQ(w->List1->count(), 60);
    EXPECT_EQ(w->List1->List(1), "Clausen");
    EXPECT_FALSE(w->Command1->isEnabled());
    w->List1->setListIndex(5);
    EXPECT_EQ(w->Label1->text(), "");
    EXPECT_FALSE(w->Command1->isEnabled());
    w->List1->setListIndex(1);
    EXPECT_EQ(w->Label1->text(), "Clausen");
    EXPECT_TRUE(w->Command1->isEnabled());
    w->List1->setListIndex(5);
    EXPECT_TRUE(w->Command1->isEnabled()) << "an empty slot leaves the button as it was";
}

TEST_F(TeacherFixationsTest, ReleasesTheTemporaryFixationsOfTheChosenTeachersCells)
{
    lesson(1, 1, 1, 0, 1, 1); // Abel, temporary
    lesson(2, 1, 1, 0, 4, 4); // Abel, absolute
    lesson(3, 1, 2, 1, 1, 1); // Abel in row 1
    lesson(4, 1, 1, 5, 1, 1); // beside an ability-group lesson
    lesson(5, 2, 4, 0, 1, 1); // Abel in class 2
    lesson(6, 1, 2, 0, 1, 1); // Clausen only
    lesson(7, 1, 1, 0, 5, 5); // Abel, absolute without check
    Form42* w = chooseAbel();
    gTeacher = 2; // another window's scratch
    click(w->Command1);
    EXPECT_EQ(QStringList({codes(1, 1, 1), codes(1, 2, 1), codes(1, 3, 1), codes(1, 4, 1), codes(1, 5, 2),
                           codes(1, 6, 1), codes(1, 7, 1)}),
              QStringList({"0/0", "4/4", "0/0", "1/1", "0/0", "1/1", "5/5"}));
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 1) << "the lessons stay";
    EXPECT_FALSE(forms::isOpen<Form42>());
    EXPECT_TRUE(forms::isOpen<Form15>()) << "the redraw loads the editor";
    EXPECT_FALSE(editor()->isVisible());

    w = chooseAbel();
    w->Check1->setChecked(true);
    click(w->Command1);
    EXPECT_EQ(codes(1, 4, 1), "0/0");
}
}
