#include "tests/planner/print/print_fixture.h"

#include <cmath>

class RoomUsageSheetsTest : public TimetablePrintTest {
protected:
    void SetUp() override
    {
        TimetablePrintTest::SetUp();
        gSpecialRoomNames(5) = QStringLiteral("Werkraum");
        gSpecialRoomNames(6) = QStringLiteral("Musiksaal");
        gLastClass = 5;
        // German needs room 1 in its first and third room columns, English
        // in its second.
        gSubjectAttr(kDe, 8) = 1;
        gSubjectAttr(kDe, 19) = 1;
        gSubjectAttr(kEn, 18) = 1;
    }
    void print(const QList<int>& rooms)
    {
        for (int r : rooms)
            menu()->List5->item(r - 1)->setSelected(true);
        menu()->Command21_Click();
    }
    QStringList places(const QString& start) const { return placesOf(start, kTwipsPerMm); }
    // The text of the first sheet's first cell (Monday, period 1).
    const PrintRecorder::Op& firstCell() const { return textAt(1540, 2210, kTwipsPerMm); }
};

TEST_F(RoomUsageSheetsTest, FourRoomsGiveAPageOfThreeAndOneOfOneInListOrder)
{
    print({6, 4, 1, 5});
    EXPECT_EQ(places("Turnsaal") + places("Labor") + places("Werkraum") + places("Musiksaal"),
              QStringList({"1: 1500, 900", "1: 1500, 5900", "1: 1500, 10900", "2: 1500, 900"}));
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(rec->begun[1].orientation, QPageLayout::Portrait);
    for (const PrintRecorder::Op& op : rec->ops)
        ASSERT_EQ(op.state.font.name, "Optimum");
}

TEST_F(RoomUsageSheetsTest, AClassIsListedOnceForEverySubjectColumnThatNamesTheRoom)
{
    gTimetable(1, 1, 1, 0) = kDe; // columns 8 and 19
    gTimetable(1, 1, 1, 1) = kEn; // column 18
    gTimetable(1, 1, 2, 1) = kEn;
    gTimetable(1, 1, 5, 0) = kMa; // needs no room
    gTimetable(1, 2, 1, 0) = kEn;
    gPeriodTimes(1) = QStringLiteral("08:00");
    gPeriodLabels(1) = QStringLiteral("1.");
    print({1});
    EXPECT_EQ(firstCell().text, "1A 1A 1A 1B ") << "row 0 column 8, row 1 column 18, row 0 column 19";
    EXPECT_EQ(firstCell().state.colour, 0u);
    EXPECT_EQ(places("1A ").last(), "1: 1540, 2510");
    EXPECT_EQ(places("08:00  1."), QStringList({"1: 100, 2300"}));
}

TEST_F(RoomUsageSheetsTest, ALongListShrinksByFivePercentAStepAtMostNineTimes)
{
    struct Case {
        QString name;
        int classes;
        double points;
    };
    // A character is half its size wide on the recorder; the cell is 75 pt.
    const Case cases[] = {
        {"1A", 3, 12},                          // 9 characters
        {"Kl 1", 3, 12 * std::pow(0.95, 4)},    // 15 characters
        {"Klasse 1", 5, 12 * std::pow(0.95, 9)}, // 45: printed wider than the cell
    };
    for (const Case& c : cases) {
        rec->ops.clear();
        for (int k = 1; k <= 5; ++k) {
            gClassPrintNames(k) = c.name;
            gTimetable(1, 1, k, 0) = k <= c.classes ? kEn : 0;
        }
        menu()->List5->clearSelection();
        print({1});
        EXPECT_NEAR(firstCell().state.font.size, c.points, 1e-9) << c.name.toStdString();
    }
}

TEST_F(RoomUsageSheetsTest, TheHeadingsOfASheet)
{
    gShortNote = QStringLiteral("gültig ab Montag");
    print({4});
    EXPECT_EQ(places("gültig") + places("Freitag"), QStringList({"1: 1500, 1470", "1: 7500, 1900"}));
}
