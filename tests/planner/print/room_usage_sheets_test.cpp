#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/planner/print/print_fixture.h"

#include <QListWidgetItem>
#include <cmath>

namespace {
constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr int kSport = 1;
constexpr int kSwim = 2;
}

class RoomUsageSheetsTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        gSpecialRoomNames(5) = QStringLiteral("Werkraum");
        gSpecialRoomNames(6) = QStringLiteral("Musiksaal");
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gLastClass = 5;
        // Sport needs room 1 in its first and third room columns, swimming
        // in its second.
        gSubjectAttr(kSport, 8) = 1;
        gSubjectAttr(kSport, 19) = 1;
        gSubjectAttr(kSwim, 18) = 1;
        f = forms::show<Form14>();
    }
    void print(const QList<int>& rooms)
    {
        for (int r : rooms)
            f->List5->item(r - 1)->setSelected(true);
        f->Command21_Click();
    }
    // Document, x and y in twips of every text that starts with `start`.
    QStringList placesOf(const QString& start) const
    {
        QStringList places;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text.startsWith(start))
                places << QStringLiteral("%1: %2, %3")
                              .arg(op.document)
                              .arg(qRound(op.x * kTwipsPerMm))
                              .arg(qRound(op.y * kTwipsPerMm));
        }
        return places;
    }
    // The text of the first cell (Monday, period 1) of the first sheet.
    const PrintRecorder::Op& firstCell() const
    {
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && qRound(op.x * kTwipsPerMm) == 1540
                && qRound(op.y * kTwipsPerMm) == 2210)
                return op;
        }
        static const PrintRecorder::Op none{};
        ADD_FAILURE() << "no cell text";
        return none;
    }

    Form14* f = nullptr;
};

TEST_F(RoomUsageSheetsTest, FourRoomsGiveAPageOfThreeAndOneOfOneInListOrder)
{
    print({6, 4, 1, 5});
    EXPECT_EQ(placesOf("Turnsaal") + placesOf("Labor") + placesOf("Werkraum") + placesOf("Musiksaal"),
              QStringList({"1: 1500, 900", "1: 1500, 5900", "1: 1500, 10900", "2: 1500, 900"}));
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(rec->begun[1].orientation, QPageLayout::Portrait);
    for (const PrintRecorder::Op& op : rec->ops)
        ASSERT_EQ(op.state.font.name, "Optimum");
}

TEST_F(RoomUsageSheetsTest, AClassIsListedOnceForEverySubjectColumnThatNamesTheRoom)
{
    gTimetable(1, 1, 1, 0) = kSport; // columns 8 and 19
    gTimetable(1, 1, 1, 1) = kSwim;  // column 18
    gTimetable(1, 1, 2, 1) = kSwim;
    gTimetable(1, 1, 5, 0) = 3;      // needs no room
    gTimetable(1, 2, 1, 0) = kSwim;
    gPeriodTimes(1) = QStringLiteral("08:00");
    gPeriodLabels(1) = QStringLiteral("1.");
    print({1});
    EXPECT_EQ(firstCell().text, "1A 1A 1A 1B ") << "row 0 column 8, row 1 column 18, row 0 column 19";
    EXPECT_EQ(firstCell().state.colour, 0u);
    EXPECT_EQ(placesOf("1A ").last(), "1: 1540, 2510");
    EXPECT_EQ(placesOf("08:00  1.").first(), "1: 100, 2300");
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
        {"1A", 3, 12},                         // 9 characters
        {"Kl 1", 3, 12 * std::pow(0.95, 4)},   // 15 characters
        {"Klasse 1", 5, 12 * std::pow(0.95, 9)}, // 45 characters: printed wider than the cell
    };
    for (const Case& c : cases) {
        rec->ops.clear();
        for (int k = 1; k <= 5; ++k) {
            gClassPrintNames(k) = c.name;
            gTimetable(1, 1, k, 0) = k <= c.classes ? kSwim : 0;
        }
        f->List5->clearSelection();
        print({1});
        EXPECT_NEAR(firstCell().state.font.size, c.points, 1e-9) << c.name.toStdString();
    }
}

TEST_F(RoomUsageSheetsTest, TheHeadingsOfASheet)
{
    gShortNote = QStringLiteral("gültig ab Montag");
    print({4});
    EXPECT_EQ(placesOf("gültig"), QStringList({"1: 1500, 1470"}));
    EXPECT_EQ(placesOf("Freitag"), QStringList({"1: 7500, 1900"}));
}
