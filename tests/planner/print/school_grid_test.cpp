#include "tests/planner/print/print_fixture.h"
#include "tests/support/generated_school.h"

class SchoolGridTest : public GridTest {
protected:
    // The lines of the teaching-assignment list in the order printed.
    QList<Op> listLines() const
    {
        return opsWhere([](const Op& op) { return op.kind == Kind::Text && op.text.contains("  > "); });
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
    const QList<Op> lines = listLines();
    QStringList texts;
    for (int n = 0; n < lines.size(); ++n) {
        texts << lines[n].text;
        EXPECT_NEAR(lines[n].x, 3, 1e-4);
        EXPECT_NEAR(lines[n].y, 203 + 4.8 * (n + 1), 1e-4);
        EXPECT_EQ(lines[n].state.font.size, 9);
        EXPECT_FALSE(lines[n].state.font.bold);
    }
    EXPECT_EQ(texts, QStringList({"Abel Anna  >  D 2A, M 1A,1B, Rel 1", "Berg Bernd  > ", "Eva D Huber  >  D 1B, M 1A",
                                  "Lehrer 20  >  E 18,8"}));
    EXPECT_NEAR(text("Lehrfächerverteilung - Muster-Schule").y, 200, 1e-4);
    EXPECT_EQ(text("Lehrfächerverteilung - Muster-Schule").state.font.size, 17);
}

TEST_F(SchoolGridTest, ThirteenLinesMakeAColumnOnA3AndFourteenOnTheReducedSheet)
{
    moreTeachersAndClasses(13, 0);
    const auto place = [this](const QString& line) { return QPointF(text(line).x, text(line).y); };
    print(&Form14::Command14_Click);
    EXPECT_NEAR(text("Lehrer 29  > ").y, 203 + 4.8 * 13, 1e-4) << "the 13th line";
    EXPECT_NEAR(text("Lehrer 30  > ").x, 103, 1e-4);
    EXPECT_NEAR(text("Lehrer 30  > ").y, 203 + 4.8, 1e-4);

    recordA3();
    print(&Form14::Command28_Click);
    EXPECT_LT((place("Lehrer 30  > ") - QPointF(3, 203 + 4.8 * 14) / 1.414).manhattanLength(), 1e-4);
    EXPECT_LT((place("Lehrer 31  > ") - QPointF(103, 203 + 4.8) / 1.414).manhattanLength(), 1e-4);
}

// 60 teachers make five columns, which at 100 mm a column would start right of
// the frame; they share its width instead.
TEST_F(SchoolGridTest, EveryLineOfAFullSchoolsListStaysInsideTheFrameOnBothSheets)
{
    generated_school::build(5);
    reopen();
    const struct {
        const char* caption;
        Click click;
        double factor;
    } sheets[] = {{"A3", &Form14::Command14_Click, 1}, {"reduced", &Form14::Command28_Click, 1.414}};
    for (const auto& sheet : sheets) {
        SCOPED_TRACE(sheet.caption);
        recordA3();
        print(sheet.click);
        const double right = 395 / sheet.factor, bottom = 275 / sheet.factor;
        const QList<Op> lines = listLines();
        ASSERT_EQ(lines.size(), 60);
        // A line ends before the next column begins, the last column and the
        // heading inside the frame.
        const auto endOfColumn = [&](const Op& op) {
            double end = right;
            for (const Op& other : lines) {
                if (other.x > op.x + 1e-4)
                    end = std::min(end, other.x);
            }
            return end;
        };
        double smallest = 9;
        for (const Op& op : lines + QList<Op>{text("Lehrfächerverteilung - Gesamtschule am Stadtpark")}) {
            SCOPED_TRACE(op.text.toStdString());
            EXPECT_LT(op.x + rec->textWidth(op.text, op.state.font), op.y < lines[0].y ? right : endOfColumn(op));
            EXPECT_LT(op.y + rec->textHeight(op.state.font), bottom);
            smallest = std::min(smallest, op.state.font.size);
        }
        EXPECT_GE(smallest, 4 / sheet.factor - 1) << "still readable";
    }
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
    EXPECT_NEAR(text("2A").y, 24 + 7 * 2, 1e-4) << "the second band";
    EXPECT_TRUE(text("2A").state.font.bold);
    EXPECT_NEAR(text("Berg Bernd").x, 10, 1e-4);
    EXPECT_NEAR(text("Berg Bernd").y, 25 + 7 * 2, 1e-4);
    EXPECT_NEAR(text("E").x, 55 * 5 + 5 * 11 - 13.6, 1e-4);
    EXPECT_NEAR(text("E").y, 26.5 + 7 * 2, 1e-4);
    EXPECT_FALSE(printed("M") || printed("Samstag")) << "Saturday";
    EXPECT_TRUE(printed("Freitag"));
    const auto inGrid = [](const Op& op) { return op.kind == Kind::Text && op.x > 46 && op.y > 30 && op.y < 198; };
    EXPECT_EQ(opsWhere(inGrid).size(), 1) << "free cells print nothing";
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
}
