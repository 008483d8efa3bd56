#include "core/model.h"
#include "platform/controls.h"
#include "register/room_bookings.h"
#include "tests/register/register_fixture.h"

#include <QLabel>

class RoomBookingsTest : public RegisterTest {
protected:
    Form58* open(const QString& room)
    {
        ShowRoomStandingBookings(room);
        return forms::ifOpen<Form58>();
    }
    static void edit(Form58* f, int index, const QString& text)
    {
        f->List1->setListIndex(index);
        enter(f->Text1, text);
    }
};

TEST_F(RoomBookingsTest, FreeSlotsFollowTheFileAndBookingsSortBeforeThem)
{
    gRoomNames(7) = "Musiksaal";
    Form58* f = open("7");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Label1->text(), "Globale Belegungen: Musiksaal");
    EXPECT_EQ(f->List1->items().count("frei"), 101);
    // Closing without edits writes no file; an empty one offers 100 slots.
    ASSERT_TRUE(f->unload());
    EXPECT_FALSE(QFile::exists(path("Raum7.dat")));
    writeBytes("Raum7.dat", QByteArray());
    EXPECT_EQ(open("7")->List1->ListCount(), 100);

    writeLines("Raum3.dat", {"502Sport", "101Chor", "frei"});
    f = open("3");
    ASSERT_EQ(f->List1->ListCount(), 101);
    EXPECT_EQ(f->List1->items().mid(0, 3), QStringList({"101Chor", "502Sport", "frei"}));
}

TEST_F(RoomBookingsTest, AnEditedEntryStaysInPlaceAndOnlyBookingsAreSaved)
{
    writeLines("Raum7.dat", {"101Chor", "302Chemie"});
    Form58* f = open("7");
    edit(f, 0, "frei");
    edit(f, 5, "  203Chor  ");
    EXPECT_EQ(f->List1->List(5), "203Chor");
    EXPECT_EQ(f->Label2->text(), "5");
    EXPECT_EQ(f->Text1->text(), "203Chor");
    f->Command1_Click();
    EXPECT_FALSE(forms::isOpen<Form58>());
    EXPECT_EQ(readBytes("Raum7.dat"), QByteArray("302Chemie\r\n203Chor\r\n"));
}

TEST_F(RoomBookingsTest, AFileOfMoreThanAHundredLinesIsKeptWhole)
{
    QStringList lines;
    for (int i = 0; i < 130; ++i)
        lines << QString("%1%2Kurs %3").arg(i % 7 + 1).arg(i % 11 + 1, 2, 10, QChar('0')).arg(i);
    writeLines("Raum12.dat", lines);
    Form58* f = open("12");
    EXPECT_EQ(f->List1->ListCount(), 130);
    edit(f, 0, "111Neu");
    ASSERT_TRUE(f->unload());
    const QStringList saved = readLines("Raum12.dat");
    EXPECT_EQ(saved.size(), 130);
    EXPECT_TRUE(saved.contains("111Neu"));
}

TEST_F(RoomBookingsTest, AFailedSaveIsReportedAndKeepsTheEditsAnotherRoomSavesTheOpenOne)
{
    Form58* f = open("4");
    edit(f, 0, "405Theater");
    blockFile("Raum4.dat");
    answer({false});
    EXPECT_FALSE(f->unload());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("Raum4.dat"));
    EXPECT_EQ(f->List1->List(0), "405Theater");
    unblockFile("Raum4.dat");

    ShowRoomStandingBookings("X");
    EXPECT_EQ(forms::ifOpen<Form58>(), f) << "a caption that is no room number opens nothing";
    EXPECT_EQ(open("2")->Label3->text(), "2");
    EXPECT_EQ(readLines("Raum4.dat"), QStringList{"405Theater"});
}

class EndingWithBookingsOpenTest : public RoomBookingsTest {
protected:
    void openWithEdit()
    {
        startEntryWindow();
        writeLines("Raum7.dat", {"101Chor"});
        edit(open("7"), 1, "203Chor");
    }
};

TEST_F(EndingWithBookingsOpenTest, ClosingTheMainWindowSavesTheBookingsFirst)
{
    openWithEdit();
    ASSERT_TRUE(entry->unload());
    EXPECT_FALSE(forms::isOpen<Form58>());
    EXPECT_EQ(readBytes("Raum7.dat"), QByteArray("101Chor\r\n203Chor\r\n"));
}

TEST_F(EndingWithBookingsOpenTest, BookingsThatCannotBeSavedAskButTheProgramEnds)
{
    openWithEdit();
    blockFile("Raum7.dat");
    answer({false});
    ASSERT_TRUE(entry->unload());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].endsWith("Ohne Speichern schließen?"));
    EXPECT_TRUE(forms::all().isEmpty()) << "\"Nein\" cannot keep the program open";
}
