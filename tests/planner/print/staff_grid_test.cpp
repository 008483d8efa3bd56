#include "tests/planner/print/print_fixture.h"

class StaffGridTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        moreTeachersAndClasses(40, 0);
    }
    // The row headings as "document/row name", in the order printed.
    QStringList rows() const
    {
        QStringList found;
        for (const Op& op : opsWhere([](const Op& op) { return op.x == 1 && op.state.font.size == 9.5; }))
            found << QStringLiteral("%1/%2 %3").arg(op.document).arg(qRound((op.y - 25) / 7)).arg(op.text);
        return found;
    }
    QStringList print(const QString& from, const QString& to)
    {
        f->Text4->setText(from);
        f->Text5->setText(to);
        return GridTest::print(&Form14::Command13_Click);
    }
};

TEST_F(StaffGridTest, TheRangeOfTheTeacherListGivesTheRows36ToAPage)
{
    const struct {
        const char* from;
        const char* to;
        int documents;
        QStringList firstAndLast;
        int rows;
    } cases[] = {
        {"1", "36", 1, {"1/1 Abel Anna", "1/36 Lehrer 52"}, 36}, {"1", "40", 2, {"1/1 Abel Anna", "2/4 Lehrer 56"}, 40},
        {"5", "2", 1, {}, 0},                                    {"41", "99", 1, {"1/1 Lehrer 57", "1/3 Lehrer 59"}, 3},
        {"0", "3", 1, {"1/1 Abel Anna", "1/3 Corn Clara"}, 3},    {"x", "2", 1, {"1/1 Abel Anna", "1/2 Berg Bernd"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + "-" + c.to);
        recordA3();
        const QStringList shown = print(c.from, c.to);
        const QStringList found = rows();
        EXPECT_EQ(rec->documents, c.documents);
        EXPECT_EQ(found.size(), c.rows);
        if (c.rows > 0) {
            EXPECT_EQ(QStringList({found.first(), found.last()}), c.firstAndLast);
        }
        EXPECT_EQ(shown.contains("Seite gewechselt"), c.documents > 1);
        EXPECT_EQ(textOps("Personalstundenplan  -  Muster-Schule").size(), c.documents) << "every page has its head";
        EXPECT_EQ(textOps("Programm: VORDA V1.28a").size(), c.documents);
    }
}

TEST_F(StaffGridTest, ACellShowsTheAbbreviationAndBelowItTheClassInItsColour)
{
    subject(4, "Arbeitsgemeinschaft Theater", 0);
    gTeacherPlanSubject(1, 1, 1) = 4;
    gTeacherPlanClass(1, 1, 1) = 1;
    gTeacherPlanSubject(1, 2, 3) = 2;
    gTeacherPlanClass(1, 2, 3) = 2;
    gTeacherPlanSubject(1, 6, 1) = 3; // Saturday
    gTeacherPlanClass(1, 6, 1) = 5;
    print("1", "1");
    EXPECT_FALSE(printed("Arbeitsgemeinschaft Theater")) << "too wide even at 1 pt";
    EXPECT_NEAR(text("1A").x, 55 + 5 - 13.6, 1e-4);
    EXPECT_NEAR(text("1A").y, 7 + 26.5, 1e-4);
    EXPECT_NEAR(text("M").x, 110 + 15 - 13.6, 1e-4);
    EXPECT_NEAR(text("M").y, 7 + 23.4, 1e-4);
    EXPECT_EQ(text("M").state.colour, 0xFF0000u);
    EXPECT_EQ(text("1B").state.colour, 0xFF0000u) << "the class takes the abbreviation's colour";
    EXPECT_FALSE(printed("2A")) << "no Saturday";
}
