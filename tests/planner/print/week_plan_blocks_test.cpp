#include "tests/planner/print/print_fixture.h"

class WeekPlanBlocksTest : public TimetablePrintTest {
protected:
    void SetUp() override
    {
        TimetablePrintTest::SetUp();
        gShortNote = QStringLiteral("Stand 11.3.");
    }
    // Selects the teachers (by number) in the teacher list.
    void selectTeachers(const QList<int>& teachers)
    {
        ListBox* list = menu()->List1;
        for (int i = 0; i < list->ListCount(); ++i) {
            if (teachers.contains(list->List(i).right(3).trimmed().toInt()))
                list->item(i)->setSelected(true);
        }
    }
    QStringList places(const QString& start) const { return placesOf(start, kTwipsPerMm); }
    const PrintRecorder::Op& cell(double x, double y) const { return textAt(x, y, kTwipsPerMm); }
};

TEST_F(WeekPlanBlocksTest, ThreeTeachersFillAPageAndTheFourthStartsTheNextDocument)
{
    gTeacherNames(20) = QStringLiteral("Dorn Dora");
    selectTeachers({1, 3, 12, 20});
    menu()->Command4_Click();
    EXPECT_EQ(places("Abel") + places("Berg") + places("Corn") + places("Dorn"),
              QStringList({"1: 1500, 900", "1: 1500, 5900", "1: 1500, 10900", "2: 1500, 900"}));
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(rec->begun[1].orientation, QPageLayout::Portrait);
    EXPECT_TRUE(cell(1500, 900).state.font.bold && cell(1500, 900).state.font.italic);
    EXPECT_EQ(cell(1500, 900).state.font.size, 22);
    EXPECT_EQ(places("Stand 11.3.").first(), "1: 1500, 1470");
    EXPECT_EQ(places("Montag").first(), "1: 1500, 1900");
}

TEST_F(WeekPlanBlocksTest, TwelvePerPageFillTheLeftColumnFirstAndTheThirteenthStartsAPage)
{
    QList<int> all;
    for (int t = 1; t <= 13; ++t) {
        gTeacherNames(t) = QStringLiteral("Lehrer%1").arg(t, 2, 10, QLatin1Char('0'));
        all << t;
    }
    selectTeachers(all);
    menu()->Command20_Click();
    QStringList expected;
    for (int i = 0; i < 12; ++i)
        expected << QStringLiteral("1: %1, %2").arg(5000 * (i / 6) + 765).arg(2500 * (i % 6) + 600);
    expected << "2: 765, 600";
    EXPECT_EQ(places("Lehrer"), expected);
}

TEST_F(WeekPlanBlocksTest, OneClassFillsItsPageThreeTimesTwoClassesLeaveTheThirdPlaceEmpty)
{
    gFormTeacher(1) = 3;
    select(menu()->List2, {0});
    menu()->Command6_Click();
    EXPECT_EQ(places("1A"), QStringList({"1: 1500, 900", "1: 1500, 5900", "1: 1500, 10900"}));
    EXPECT_FALSE(cell(1500, 900).state.font.italic);
    EXPECT_EQ(cell(1500, 900).state.font.size, 30);
    // The form teacher stands at the title font's next print zone, 14 digits wide.
    EXPECT_EQ(places("Berg Bernd").first(), QStringLiteral("1: %1, 900").arg(14 * 15 * 20));

    menu()->List2->clearSelection();
    select(menu()->List2, {1, 4});
    menu()->Command6_Click();
    EXPECT_EQ(places("1B") + places("2A"), QStringList({"2: 1500, 900", "2: 1500, 5900"}));
    EXPECT_EQ(rec->documents, 2);
}

TEST_F(WeekPlanBlocksTest, ALongClassCellSetsASmallerSizeThatTheFollowingCellsKeep)
{
    subject(kEn, "Werkstatt", 1);
    subject(kMa, "Mus", 3);
    gTimetable(1, 1, 1, 0) = kMa; // 3 characters
    gTimetable(1, 1, 1, 1) = kEn; // and 9: 12 joined
    gTimetable(1, 2, 1, 0) = kDe;
    gTimetable(1, 2, 1, 1) = kMa; // 4 characters
    select(menu()->List2, {0, 1});
    menu()->Command6_Click();
    EXPECT_EQ(cell(1540, 2230).text, "Mus ");
    EXPECT_NEAR(cell(1540, 2230).state.font.size, 70.0 / 12, 1e-9);
    EXPECT_EQ(cell(1540, 2530).text, "D ");
    EXPECT_NEAR(cell(1540, 2530).state.font.size, 70.0 / 12, 1e-9) << "the reduced size stays in force";
    EXPECT_EQ(cell(1540, 5000 + 2230).state.font.size, 10) << "the next block starts at 10 again";
}

TEST_F(WeekPlanBlocksTest, TeacherCellsShowSubjectAndClassAndMarkAbsenceAndSupervisionInFreePeriods)
{
    gTeacherPlanSubject(1, 1, 1) = kMa;
    gTeacherPlanClass(1, 1, 1) = 1; // 1A leads its grade: the class prints as "1"
    gTeacherPlanSubject(1, 1, 2) = kDe;
    gTeacherPlanClass(1, 1, 2) = 2;
    gTeacherUnavailable(1, 1, 3) = 9;
    gTeacherUnavailable(1, 1, 4) = 10;
    selectTeachers({1});
    menu()->Command4_Click();
    QStringList cells;
    for (int p = 1; p <= 5; ++p)
        cells << cell(1540, 300 * p + 1930).text;
    EXPECT_EQ(cells, QStringList({"MA 1", "D 1B", "X  ", "A  ", " "}));
    EXPECT_EQ(cell(1540, 2530).state.colour, kRed);
    EXPECT_EQ(cell(1540, 2530).state.font.size, 11);
}

TEST_F(WeekPlanBlocksTest, BlackAndWhiteTurnsOnlyTwelvePerPageBlack)
{
    gTeacherPlanSubject(1, 1, 1) = kDe;
    gTeacherPlanClass(1, 1, 1) = 2;
    gBlackWhiteOnly = -1;
    selectTeachers({1});
    menu()->Command20_Click();
    EXPECT_EQ(cell(770, 1115).text, "D 1B");
    EXPECT_EQ(cell(770, 1115).state.colour, 0u);
    EXPECT_EQ(cell(770, 1115).state.font.size, 6);

    rec->ops.clear();
    menu()->Command4_Click();
    EXPECT_EQ(cell(1540, 2230).state.colour, kRed);
}
