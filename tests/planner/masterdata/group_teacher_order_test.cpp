#include "core/model.h"
#include "planner/masterdata/group_teacher_order.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QLabel>
#include <QPushButton>

// Class 2 "1b" has subject 4 "BU" taught by teachers in slots 0, 1 and 3.
class GroupTeacherOrderTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        gClassNames(1) = QStringLiteral("1a");
        gClassNames(2) = QStringLiteral("1b");
        subject(4, "BU");
        for (int t = 1; t <= 60; ++t)
            gTeacherNames(t) = QStringLiteral("-");
        gTeacherNames(0) = QStringLiteral("-");
        for (const auto& [slot, t, name] : {std::tuple{0, 11, "Huber"}, {1, 12, "Maier"}, {3, 13, "Wolf"}}) {
            gTeacherNames(t) = QString::fromUtf8(name);
            gSubjectTeachers(2, 4, slot) = static_cast<short>(t);
        }
        gClass = 2;
        gSubject = 4;
    }
    Form37* open() { return f = forms::show<Form37>(); }
    void select(int row) { f->List1->setListIndex(row); }
    static QList<short> teacherSlots()
    {
        QList<short> out;
        for (int k = 0; k < 10; ++k)
            out << gSubjectTeachers(2, 4, k);
        return out;
    }

    Form37* f = nullptr;
};

TEST_F(GroupTeacherOrderTest, TheWindowShowsTheTenSlotsOfTheEditorsClassAndSubject)
{
    open();
    EXPECT_EQ(gLastClass, 2) << "taken when the start window opens it first";
    EXPECT_EQ(f->Label1->text(), "Personal für BU > 1b");
    EXPECT_EQ(f->List1->items(), QStringList({"Huber", "Maier", "", "Wolf", "", "", "", "", "", ""}));
    EXPECT_FALSE(f->Command2->isEnabled() || f->Command3->isEnabled());
}

TEST_F(GroupTeacherOrderTest, EachRowOffersTheMovesThatKeepEveryTeacher)
{
    open();
    // Row 9 stays put: the plan files keep slots 0..8 only.
    for (int row = 0; row < 10; ++row) {
        select(row);
        EXPECT_EQ(f->Command2->isEnabled(), row >= 1 && row <= 8) << row;
        EXPECT_EQ(f->Command3->isEnabled(), row <= 5) << row;
    }
}

TEST_F(GroupTeacherOrderTest, MovingSwapsSlotsAlsoPastAnEmptyOneAndUpThenDownRestores)
{
    open();
    select(3);
    f->Command2->click();
    EXPECT_EQ(teacherSlots(), QList<short>({11, 12, 13, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f->List1->items().mid(0, 4), QStringList({"Huber", "Maier", "Wolf", ""}));
    EXPECT_EQ(f->List1->ListIndex(), -1);
    EXPECT_FALSE(f->Command2->isEnabled() || f->Command3->isEnabled());

    const QList<short> before = teacherSlots();
    select(1);
    f->Command2->click();
    EXPECT_EQ(teacherSlots(), QList<short>({12, 11, 13, 0, 0, 0, 0, 0, 0, 0}));
    select(0);
    f->Command3->click();
    EXPECT_EQ(teacherSlots(), before);
    EXPECT_EQ(gClass, 2);
}

TEST_F(GroupTeacherOrderTest, AClassAboveTheLastInUseLeavesTheWindowAsItWas)
{
    gClass = 3;
    open();
    EXPECT_EQ(f->Label1->text(), "Personal für BU > 1a");
    EXPECT_EQ(f->List1->ListCount(), 0);
}
