#include "core/model.h"
#include "platform/controls.h"
#include "register/room_bookings.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QLabel>

namespace {
int enter = Qt::Key_Return;
}

class RoomBookingsTest : public ModelTest {
protected:
    Form58* open(const QString& room)
    {
        ShowRoomStandingBookings(room);
        return forms::ifOpen<Form58>();
    }
    void edit(Form58* f, int index, const QString& text)
    {
        f->List1->setListIndex(index);
        f->Text1->setText(text);
        f->Text1_KeyDown(enter);
    }
};

TEST_F(RoomBookingsTest, FreeSlotsFollowTheFileLength)
{
    gRoomNames(7) = "Musiksaal";
    Form58* f = open("7");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Label1->text(), "Globale Belegungen: Musiksaal");
    EXPECT_EQ(f->List1->ListCount(), 101);
    EXPECT_EQ(f->List1->items().count("frei"), 101);
    EXPECT_FALSE(f->Text1->isEnabled());

    // Closing without edits leaves an empty file, which then offers 100 slots.
    ASSERT_TRUE(f->unload());
    EXPECT_TRUE(QFile::exists(path("Raum7.dat")));
    EXPECT_EQ(readBytes("Raum7.dat"), QByteArray());
    EXPECT_EQ(open("7")->List1->ListCount(), 100);
}

TEST_F(RoomBookingsTest, BookingsAreListedSortedBeforeTheFreeSlots)
{
    writeLines("Raum3.dat", {"502Sport", "101Chor", "frei"});
    Form58* f = open("3");
    ASSERT_EQ(f->List1->ListCount(), 101);
    EXPECT_EQ(f->List1->List(0), "101Chor");
    EXPECT_EQ(f->List1->List(1), "502Sport");
    EXPECT_EQ(f->List1->List(2), "frei");
}

TEST_F(RoomBookingsTest, AnEditedEntryStaysInPlaceAndOnlyBookingsAreSaved)
{
    writeLines("Raum7.dat", {"101Chor", "302Chemie"});
    Form58* f = open("7");
    edit(f, 0, "frei");
    edit(f, 5, "  203Chor  ");
    EXPECT_EQ(f->List1->List(5), "203Chor");
    EXPECT_EQ(f->List1->ListIndex(), 5);
    EXPECT_EQ(f->Label2->text(), "5");
    EXPECT_EQ(f->Text1->text(), "203Chor");
    EXPECT_EQ(f->List1->List(0), "frei");
    f->Command1_Click();
    EXPECT_FALSE(forms::isOpen<Form58>());
    EXPECT_EQ(readBytes("Raum7.dat"), QByteArray("302Chemie\r\n203Chor\r\n"));
}

TEST_F(RoomBookingsTest, AFileOfMoreThanAHundredLinesIsKeptWhole)
{
    QStringList lines;
    for (int i = 0; i < 130; ++i)
        lines << QString("%1%2Kurs %3").arg(i % 7 + 1).arg(i % 11 + 1, 2, 10, QChar('0')).arg(i, 3, 10, QChar('0'));
    writeLines("Raum12.dat", lines);
    Form58* f = open("12");
    EXPECT_EQ(f->List1->ListCount(), 130);
    edit(f, 0, "111Neu");
    ASSERT_TRUE(f->unload());
    QStringList saved = readLines("Raum12.dat");
    EXPECT_EQ(saved.size(), 130);
    EXPECT_TRUE(saved.contains("111Neu"));
    EXPECT_EQ(saved.count(), QSet<QString>(saved.begin(), saved.end()).size());
}

TEST_F(RoomBookingsTest, AFailedSaveIsReportedAndKeepsTheEdits)
{
    Form58* f = open("4");
    edit(f, 0, "405Theater");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Raum4.dat"));
    EXPECT_FALSE(f->unload());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("Raum4.dat"));
    EXPECT_EQ(f->List1->List(0), "405Theater");

    ASSERT_TRUE(QDir(m_dir.path()).rmdir("Raum4.dat"));
    EXPECT_TRUE(f->unload());
    EXPECT_EQ(readLines("Raum4.dat"), QStringList{"405Theater"});
}

TEST_F(RoomBookingsTest, OpeningAnotherRoomSavesTheOpenOne)
{
    Form58* f = open("1");
    edit(f, 0, "101Chor");
    Form58* g = open("2");
    EXPECT_EQ(g->Label3->text(), "2");
    EXPECT_EQ(readLines("Raum1.dat"), QStringList{"101Chor"});
    // A caption that is no room number opens nothing.
    ShowRoomStandingBookings("X");
    EXPECT_EQ(forms::ifOpen<Form58>(), g);
    EXPECT_EQ(g->Label3->text(), "2");
}

TEST_F(RoomBookingsTest, LinesAreReadAsWeekdayAndPeriod)
{
    EXPECT_EQ(BookingWeekday("203Chor"), 2);
    EXPECT_EQ(BookingPeriod("203Chor"), 3);
    EXPECT_EQ(BookingPeriod("711"), 11);
    EXPECT_TRUE(IsBookingLine("911x"));
    EXPECT_FALSE(IsBookingLine("frei"));
    EXPECT_FALSE(IsBookingLine(""));
    EXPECT_FALSE(IsBookingLine("000x"));
}
