#include "tests/planner/print/print_fixture.h"

class DayOverviewsTest : public TimetablePrintTest {
protected:
    void SetUp() override
    {
        TimetablePrintTest::SetUp();
        gTeacherShort(12) = QStringLiteral("=");
        gShortNote = QStringLiteral("Notiz");
    }
    // Prints the overview of Tuesday.
    void print(void (Form14::*handler)())
    {
        menu()->List3->setListIndex(1);
        (menu()->*handler)();
    }
    QStringList at(double x, double y) const { return textsAt(x, y, kTwipsPerMm); }
};

TEST_F(DayOverviewsTest, EveryClassUpToTheLastGetsARowEvenWithoutAName)
{
    print(&Form14::Command11_Click);
    EXPECT_EQ(at(100, 50) + at(100, 600), QStringList({"1: Gesamtstundenplan - Dienstag - Muster-Schule", "1: Notiz"}));
    QStringList headings;
    for (int r = 1; r <= 6; ++r)
        headings << at(100, 700 * r + 600) + at(100, 700 * r + 900);
    EXPECT_EQ(headings, QStringList({"1: 1A", "1: -", "1: 1B", "1: -", "1: ", "1: -", "1: -", "1: -", "1: 2A", "1: -"}))
        << "the form teacher 0 shows as -";
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(DayOverviewsTest, AClassCellPrintsBothSubjectsAndTheirTeachersLeavingOutEqualsAndDash)
{
    gTimetable(2, 1, 1, 0) = kDe;
    gTimetable(2, 1, 1, 1) = kDash;
    gSubjectTeachers(1, kDe, 0) = 1;
    gSubjectTeachers(1, kDe, 1) = 3;
    gSubjectTeachers(1, kDe, 2) = 12; // short name "="
    gSubjectTeachers(1, kDe, 3) = 1;
    gSubjectTeachers(1, kDe, 6) = 3;
    gSubjectTeachers(1, kDash, 0) = 3;
    gSubjectTeachers(1, kDash, 2) = 1;
    print(&Form14::Command11_Click);
    const double x = 900 + 100;
    EXPECT_EQ(at(x, 1300) + at(x + 450, 1300), QStringList({"1: D"})) << "\"-\" is no abbreviation";
    EXPECT_EQ(textStarting("D").state.colour, kRed);
    EXPECT_EQ(at(x, 1500) + at(x, 1640) + at(x, 1780) + at(x, 1920), QStringList({"1: AB BE", "1: AB", "1: BE"}));
    EXPECT_EQ(at(x + 450, 1500) + at(x + 450, 1720), QStringList({"1: BE", "1: AB"}));
    EXPECT_EQ(textStarting("AB BE").state.font.size, 5);
}

TEST_F(DayOverviewsTest, TeachersWithoutANameAreSkippedWithoutAGap)
{
    gTeacherNames(2) = QStringLiteral("X");
    gTeacherPlanSubject(3, 2, 1) = kDe;
    gTeacherPlanClass(3, 2, 1) = 2;
    gTeacherUnavailable(1, 2, 2) = 9;
    gTeacherUnavailable(1, 2, 3) = 10;
    print(&Form14::Command12_Click);
    EXPECT_EQ(at(50, 50), QStringList({"1: Personalstundenplan - Dienstag - Muster-Schule"}));
    EXPECT_EQ(at(0, 1240) + at(0, 1480) + at(0, 1720) + at(0, 1960),
              QStringList({"1: Abel Anna", "1: Berg Bernd", "1: Corn Clara"}));
    EXPECT_EQ(at(2180, 1500), QStringList({"1: D 1B"}));
    EXPECT_EQ(textStarting("D 1B").state.colour, kRed);
    EXPECT_EQ(at(2960, 1260) + at(3740, 1260), QStringList({"1: X  ", "1: A  "}));
}

TEST_F(DayOverviewsTest, RowsBelowThePapersFootContinueOnAFurtherPageWithTheHeads)
{
    for (int k = 1; k <= 24; ++k) {
        gClassNames(k) = QStringLiteral("K%1").arg(k);
        gClassPrintNames(k) = gClassNames(k).toString();
    }
    print(&Form14::Command11_Click);
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(at(100, 700 * 22 + 600), QStringList({"1: K22"})) << "22 rows fit on A4";
    EXPECT_EQ(at(100, 700 + 600) + at(100, 1400 + 600), QStringList({"1: K1", "2: K23", "1: K2", "2: K24"}));
    EXPECT_EQ(at(100, 600), QStringList({"1: Notiz", "2: Notiz"}));
    EXPECT_EQ(at(100, 50).size(), 2);
}

TEST_F(DayOverviewsTest, ATitleTooWideForThePaperIsSetSmallerToEndInsideIt)
{
    gSchoolName = QStringLiteral("Bundesrealgymnasium und Oberstufenrealgymnasium Lindenhof");
    print(&Form14::Command12_Click);
    const PrintRecorder::Op* title = &textStarting("Personalstundenplan - Dienstag - Bundes");
    EXPECT_LT(title->state.font.size, 22);
    EXPECT_NEAR(rightEdge(*rec, *title), paperWidth(*rec, *title) - title->x, 1e-6)
        << "as far from the edge as it begins";
}
