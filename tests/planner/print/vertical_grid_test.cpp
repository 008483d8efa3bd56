#include "tests/planner/print/print_fixture.h"

class VerticalGridTest : public GridTest {
protected:
    // The class headings as "document:column name" of a grid broken at `breakAt`.
    QStringList printBreakingAt(const QString& breakAt)
    {
        recordA3();
        f->Text3->setText(breakAt);
        print(&Form14::Command15_Click);
        QStringList found;
        for (const Op& op : opsWhere([](const Op& op) { return op.y == 9 && op.state.font.size == 16; }))
            found << QStringLiteral("%1:%2 %3").arg(op.document).arg(qRound((op.x - 17) / 20)).arg(op.text);
        return found;
    }
};

TEST_F(VerticalGridTest, TheFourteenthClassStartsASecondPageWithTheWholeHead)
{
    moreTeachersAndClasses(0, 11);
    const QStringList found = printBreakingAt("");
    ASSERT_EQ(found.size(), 14);
    EXPECT_EQ(found.mid(0, 3), QStringList({"1:0 1A", "1:1 1B", "1:2 2A"})) << "empty and \"-\" slots take no column";
    EXPECT_EQ(found.mid(12), QStringList({"1:12 K15", "2:0 K16"}));
    EXPECT_EQ(textOps("Stundenplan  -  Muster-Schule").size(), 2);
    EXPECT_EQ(textOps("Programm: VORDA V1.28a").size(), 2);
    for (const PrintRecorder::Document& page : rec->begun)
        EXPECT_EQ(page.orientation, QPageLayout::Portrait);
}

TEST_F(VerticalGridTest, TheBreakFieldBreaksBeforeAPrintedClassOfExactlyThatNumber)
{
    EXPECT_EQ(printBreakingAt("2"), QStringList({"1:0 1A", "2:0 1B", "2:1 2A"}));
    EXPECT_EQ(printBreakingAt("1"), QStringList({"2:0 1A", "2:1 1B", "2:2 2A"})) << "a first page with the head only";
    EXPECT_EQ(rec->documents, 2);
    for (const char* none : {"3", "4", "01", " 2", "5 "})
        EXPECT_EQ(printBreakingAt(none).size(), 3) << none;
    EXPECT_EQ(printBreakingAt("5"), QStringList({"1:0 1A", "1:1 1B", "2:0 2A"}));
    gClassSkipFlag(2) = 1;
    EXPECT_EQ(printBreakingAt("2"), QStringList({"1:0 1A", "1:1 2A"})) << "a skipped class breaks nothing";
}

TEST_F(VerticalGridTest, HeadsNameTheFormTeacherInTwoLinesAndCellsTheSubjectsOfBothRowsWithTheirTeachers)
{
    gTeacherNames(3) = QStringLiteral("Mustermannsky Otto");
    gFormTeacher(2) = 3;
    gTeacherNames(12) = QStringLiteral("Einwort");
    gFormTeacher(5) = 12;
    gSubjectTeachers(1, 2, 0) = 1;
    gSubjectTeachers(1, 2, 1) = 12;
    gSubjectTeachers(1, 1, 4) = 3;
    gTimetable(2, 3, 1, 0) = 2;
    gTimetable(2, 3, 1, 1) = 1;
    gTimetable(6, 10, 1, 0) = 3;
    printBreakingAt("");
    const Op& first = text("Mustermanns..");
    EXPECT_EQ(QPointF(first.x, first.y), QPointF(37, 17)) << "cut after eleven characters";
    EXPECT_EQ(first.state.font.size, 7);
    EXPECT_FALSE(first.state.font.bold);
    EXPECT_EQ(QPointF(text("Otto").x, text("Otto").y), QPointF(37, 20));
    EXPECT_TRUE(printed("Einwort"));
    EXPECT_EQ(textOps("-").size(), 1) << "1A has no form teacher: the name of slot 0";

    const Op& m = text("M");
    EXPECT_NEAR(m.x, 16.5, 1e-4);
    EXPECT_NEAR(m.y, 120 - 35.7 + 18, 1e-4);
    EXPECT_EQ(m.state.colour, 0xFF0000u);
    EXPECT_NEAR(text("D").x, 26.5, 1e-4);
    const Op& teachers = text("AB CO BE ");
    EXPECT_NEAR(teachers.y, 120 - 32.7 + 18, 1e-4);
    EXPECT_EQ(teachers.state.colour, 0u);
    EXPECT_EQ(teachers.state.font.size, 5.5);
    const double saturday = text("E").y;
    EXPECT_NEAR(saturday, 384.3, 1e-4) << "below the last ruled line, inside the frame";
    const QList<Op> empty = textOps("");
    EXPECT_EQ(std::count_if(empty.begin(), empty.end(), [&](const Op& op) { return op.y > saturday && op.x < 20; }), 1)
        << "the teacher line of a cell without teachers";
}

TEST_F(VerticalGridTest, SaturdayShowsThePeriodCaptionsOneToSevenOnly)
{
    for (int p = 1; p <= 11; ++p)
        gPeriodLabels(p) = QStringLiteral("%1.").arg(p);
    gPeriodLabels(4) = QString();
    printBreakingAt("");
    for (int p = 1; p <= 11; ++p)
        EXPECT_EQ(textOps(QStringLiteral("%1.").arg(p)).size(), p == 4 || p == 11 ? 0 : p <= 7 ? 6 : 5) << p;
    EXPECT_EQ(QPointF(textOps("7.").last().x, textOps("7.").last().y), QPointF(2, 31.5 + 300 + 36));
}

TEST_F(VerticalGridTest, TheReducedGridDividesTheLayoutAndHandsTheFooterItsFullSizePosition)
{
    printer().setOrientation(QPageLayout::Landscape);
    print(&Form14::Command30_Click);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Portrait);
    const Op& title = text("Stundenplan  -  Muster-Schule");
    EXPECT_NEAR(title.x, 17 / 1.414, 1e-4);
    EXPECT_NEAR(title.state.font.size, 13.44, 0.01);
    const Op& footer = text("Programm: VORDA V1.28a");
    EXPECT_NEAR(footer.x, 237 / 1.414, 1e-3);
    EXPECT_NEAR(footer.state.font.size, 4 / 1.414, 1e-4);
    EXPECT_EQ(opsWhere([](const Op& op) {
                  return op.kind == Kind::Line && std::abs(op.x - 0.707) < 0.001 && std::abs(op.y - 0.1414) < 0.001
                      && std::abs(op.x2 - 194.48) < 0.01;
              }).size(),
              1)
        << "the outer frame";
}
