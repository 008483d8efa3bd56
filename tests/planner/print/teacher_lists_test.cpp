#include "platform/controls.h"
#include "tests/planner/print/list_printouts_fixture.h"

#include <QCoreApplication>

class TeacherListTest : public ListPrintoutTest {
protected:
    void reopen()
    {
        f->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f = forms::show<Form14>();
    }
};

TEST_F(TeacherListTest, ThirtyFourTeachersFillOnePageInFortiethsOfItsHeightSelectedOrNot)
{
    staff(34);
    reopen();
    f->List1->item(2)->setSelected(true);
    f->List1->item(7)->setSelected(true);
    f->Command2->click();

    const double height = 16838; // A4 portrait, in twips
    const double pitch = height / 40;
    for (int t = 1; t <= 34; ++t) {
        const Op& shortName = text(QStringLiteral("K%1").arg(t));
        EXPECT_NEAR(shortName.x, mm(1100), 1e-9);
        EXPECT_NEAR(shortName.y, mm(2 * pitch + 100 + t * pitch), 1e-6) << t;
        EXPECT_NEAR(text(QStringLiteral("Name %1").arg(t)).x, mm(2260), 1e-9);
    }
    EXPECT_NEAR(text("K1").state.font.size, height / 1360, 1e-9);
    EXPECT_FALSE(text("K1").state.font.bold);

    const QList<Op> lines = opsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 34 * 4) << "a framed row each";
    double lowest = 0;
    for (const Op& l : lines)
        lowest = std::max({lowest, l.y, l.y2});
    EXPECT_NEAR(lowest, mm(height - 3 * pitch), 1e-4) << "three pitches free at the foot";

    const Op& heading = text("Muster-Schule");
    EXPECT_NEAR(heading.y, mm(pitch), 1e-6);
    EXPECT_TRUE(heading.state.font.bold);
    EXPECT_NEAR(heading.state.font.size, 1.5 * height / 1360, 1e-9);
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Portrait);
}

TEST_F(TeacherListTest, AnEmptyTeacherListPrintsTheHeadingAloneInsteadOfDividingByNothing)
{
    for (int t = 1; t <= 60; ++t)
        gTeacherNames(t) = QStringLiteral("-");
    reopen();
    ASSERT_EQ(f->List1->ListCount(), 0);
    f->Command2->click();
    ASSERT_EQ(rec->ops.size(), 1);
    const Op& heading = rec->ops[0];
    EXPECT_EQ(heading.text, "Muster-Schule");
    EXPECT_NEAR(heading.x, mm(1100), 1e-9);
    EXPECT_NEAR(heading.y, mm(16838.0 / 6), 1e-6);
    EXPECT_EQ(heading.state.font.size, 18);
    EXPECT_TRUE(heading.state.font.bold);
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(TeacherListTest, EachClassLineNamesItsTeachersOnceInArialAndBlankClassesTakeNoLine)
{
    gSchoolYear = QStringLiteral("2025/26");
    gClassNames(3) = QStringLiteral("   ");
    gClassNames(4) = QStringLiteral("3C");
    gClassNames(5) = QString();
    for (int c = 1; c <= 4; ++c)
        gClassPrintNames(c) = gClassNames(c).toString();
    gTeacherShort(1) = QStringLiteral("ABE");
    gTeacherShort(3) = QStringLiteral("BER");
    gTeacherShort(12) = QStringLiteral("COR");
    gSubjectTeachers(1, 5, 0) = 12;
    gSubjectTeachers(1, 7, 9) = 3;
    gSubjectTeachers(1, 8, 2) = 12; // a second subject: still listed once
    gSubjectTeachers(4, 99, 1) = 1;
    gSubjectTeachers(4, 3, 10) = 3; // beyond the slots read
    f->Combo1->setListIndex(3);
    f->Command26->click();

    EXPECT_EQ(rec->texts(), QStringList({"Klassenlehrer Muster-Schule 2025/26", "1A ", "  BER", "  COR", "1B ", "3C ",
                                         "  ABE"}));
    EXPECT_EQ(text("1A ").y, 23);
    EXPECT_EQ(text("1B ").y, 30.5);
    EXPECT_EQ(text("3C ").y, 38) << "the blank class leaves no gap";
    EXPECT_TRUE(text("3C ").state.font.bold);
    const Op& teacher = text("  ABE");
    EXPECT_FALSE(teacher.state.font.bold);
    EXPECT_EQ(teacher.y, 38);
    EXPECT_GT(teacher.x, 20) << "on the class's line";
    for (const Op& op : rec->ops)
        EXPECT_EQ(op.state.font.name, "Arial") << op.text.toStdString();
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(rec->documents, 1);
}
