#include "tests/planner/print/print_fixture.h"

class SchoolGridTest : public GridTest {
protected:
    // The lines of the teaching-assignment list in the order printed: the
    // texts left of the grid's bottom that start below the list's heading.
    QList<Op> listLines() const
    {
        QList<Op> lines;
        for (const Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text.contains("  > "))
                lines << op;
        }
        return lines;
    }
    QStringList listTexts() const
    {
        QStringList texts;
        for (const Op& op : listLines())
            texts << op.text;
        return texts;
    }
};

TEST_F(SchoolGridTest, TheListNamesEachTeachersSubjectsWithTheirClassesOnceEach)
{
    moreTeachersAndClasses(1, 0);
    gSubjectTeachers(1, 2, 0) = 1;
    gSubjectTeachers(1, 2, 1) = 1; // the same class through a second slot
    gSubjectTeachers(2, 2, 3) = 1;
    gSubjectTeachers(5, 1, 0) = 1;
    subject(5, "Rel", 0);
    gSubjectAttr(5, 4) = 1; // ability groups: 1A leads its grade
    gSubjectTeachers(1, 5, 0) = 1;
    // A name with a subject's abbreviation in it.
    gTeacherNames(12) = QStringLiteral("Eva D Huber");
    gSubjectTeachers(2, 1, 0) = 12;
    gSubjectTeachers(1, 2, 2) = 12;
    // A class whose name is part of one listed before it.
    gClassPrintNames(6) = QStringLiteral("18");
    gClassPrintNames(7) = QStringLiteral("8");
    gSubjectTeachers(6, 3, 0) = 20;
    gSubjectTeachers(7, 3, 0) = 20;

    print(&Form14::Command14_Click);
    EXPECT_EQ(listTexts(), QStringList({"Abel Anna  >  D 2A, M 1A,1B, Rel 1", "Berg Bernd  > ",
                                        "Eva D Huber  >  D 1B, M 1A", "Lehrer 20  >  E 18,8"}));
    const QList<Op> lines = listLines();
    for (int n = 0; n < lines.size(); ++n) {
        EXPECT_NEAR(lines[n].x, 3, 1e-4);
        EXPECT_NEAR(lines[n].y, 203 + 4.8 * (n + 1), 1e-4);
        EXPECT_FALSE(lines[n].state.font.bold);
        EXPECT_EQ(lines[n].state.font.size, 9);
    }
    const Op heading = text("Lehrfächerverteilung - Muster-Schule");
    EXPECT_NEAR(heading.y, 200, 1e-4);
    EXPECT_EQ(heading.state.font.size, 17);
}

TEST_F(SchoolGridTest, ThirteenLinesMakeAColumnOnA3AndFourteenOnTheReducedSheet)
{
    moreTeachersAndClasses(13, 0);
    print(&Form14::Command14_Click);
    EXPECT_NEAR(text("Lehrer 29  > ").y, 203 + 4.8 * 13, 1e-4) << "the 13th line";
    const Op a3 = text("Lehrer 30  > ");
    EXPECT_NEAR(a3.x, 103, 1e-4);
    EXPECT_NEAR(a3.y, 203 + 4.8, 1e-4);

    rec = &recordPrinting(QStringLiteral("A3-Drucker"), QPageSize(QPageSize::A3));
    print(&Form14::Command28_Click);
    const Op fourteenth = text("Lehrer 30  > ");
    EXPECT_NEAR(fourteenth.x, 3 / 1.414, 1e-4);
    EXPECT_NEAR(fourteenth.y, (203 + 4.8 * 14) / 1.414, 1e-4);
    const Op next = text("Lehrer 31  > ");
    EXPECT_NEAR(next.x, 103 / 1.414, 1e-4);
    EXPECT_NEAR(next.y, (203 + 4.8) / 1.414, 1e-4);
}

TEST_F(SchoolGridTest, ClassesLeftOutLeaveNoGapFreeCellsStayEmptyAndTheSaturdayIsNotPrinted)
{
    gDaysPerWeek = 6;
    gClassSkipFlag(2) = 1;
    gFormTeacher(5) = 3;
    gTimetable(5, 11, 5, 1) = 3;
    gTimetable(6, 1, 5, 0) = 2;
    print(&Form14::Command14_Click);
    EXPECT_FALSE(printed("1B"));
    const Op second = text("2A");
    EXPECT_NEAR(second.y, 24 + 7 * 2, 1e-4) << "the second band";
    EXPECT_TRUE(second.state.font.bold);
    const Op teacher = text("Berg Bernd");
    EXPECT_NEAR(teacher.x, 10, 1e-4);
    EXPECT_NEAR(teacher.y, 25 + 7 * 2, 1e-4);
    const Op cell = text("E");
    EXPECT_NEAR(cell.x, 55 * 5 + 5 * 11 - 13.6, 1e-4);
    EXPECT_NEAR(cell.y, 26.5 + 7 * 2, 1e-4);
    EXPECT_FALSE(printed("M")) << "Saturday";
    EXPECT_FALSE(printed("Samstag"));
    EXPECT_TRUE(printed("Freitag"));
    int cells = 0;
    for (const Op& op : rec->ops)
        cells += op.kind == PrintRecorder::Kind::Text && op.x > 46 && op.y > 30 && op.y < 198;
    EXPECT_EQ(cells, 1) << "free cells print nothing";
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
}
