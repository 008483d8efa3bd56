#include "admin/room_list.h"
#include "core/model.h"
#include "platform/controls.h"
#include "register/room_bookings.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace {
int enter = Qt::Key_Return;
}

class RoomListTest : public ModelTest {
protected:
    Form8* open()
    {
        gRoomNames(1) = "Physiksaal";
        gRoomNames(5) = "Turnsaal";
        return forms::show<Form8>();
    }
    // Clicks room n, types a name and presses Enter.
    void rename(Form8* f, int room, const QString& name)
    {
        f->List1->setListIndex(room - 1);
        f->Text1->setText(name);
        f->Text1_KeyDown(enter);
    }
};

TEST_F(RoomListTest, OpensWithTheHundredRoomsAndNothingToEdit)
{
    Form8* f = open();
    ASSERT_EQ(f->List1->ListCount(), 100);
    EXPECT_EQ(f->List1->List(4), "Turnsaal");
    EXPECT_FALSE(f->Text1->isEnabled());
    EXPECT_FALSE(f->Command2->isEnabled());
    EXPECT_EQ(f->Text1->text(), "bitte in die Liste klicken !");
}

TEST_F(RoomListTest, EnterShowsTheNewNameAndKeepsTheRoomSelected)
{
    Form8* f = open();
    rename(f, 5, "Chemiesaal");
    EXPECT_EQ(f->List1->List(4), "Chemiesaal");
    EXPECT_EQ(f->List1->ListIndex(), 4);
    EXPECT_EQ(f->Label1->text(), "5");
    EXPECT_EQ(gRoom, 5);
    EXPECT_EQ(f->List1->ListCount(), 100);
    EXPECT_TRUE(f->Command2->isEnabled());
}

TEST_F(RoomListTest, NamesAreStoredTrimmedByChangeShownAsTypedByEnterAndSavedTrimmed)
{
    Form8* f = open();
    f->List1->setListIndex(1);
    f->Text1->setText("  Werkraum ");
    EXPECT_EQ(gRoomNames(2), "Werkraum");
    f->Text1_KeyDown(enter);
    EXPECT_EQ(f->List1->List(1), "  Werkraum ");
    ASSERT_TRUE(f->unload());
    const QStringList lines = readLines("Raeume-qz.dat");
    ASSERT_EQ(lines.size(), 100);
    EXPECT_EQ(lines[0], "Physiksaal");
    EXPECT_EQ(lines[1], "Werkraum");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[4], "Turnsaal");
    EXPECT_TRUE(readBytes("Raeume-qz.dat").startsWith("Physiksaal\r\nWerkraum\r\n\r\n"));
}

TEST_F(RoomListTest, GlobalBeforeAnyRoomWasClickedOpensNothing)
{
    Form8* f = open();
    f->Command2_Click();
    EXPECT_FALSE(forms::isOpen<Form58>());
    f->List1->setListIndex(6);
    f->Command2_Click();
    ASSERT_TRUE(forms::isOpen<Form58>());
    EXPECT_EQ(forms::ifOpen<Form58>()->Label3->text(), "7");
}

TEST_F(RoomListTest, LeavingTheNameBoxNamesTheSpecialRoomOfTheSameNumberUpTo16)
{
    Form8* f = open();
    f->List1->setListIndex(2);
    f->Text1->setText("Musiksaal");
    f->Text1_LostFocus();
    EXPECT_EQ(gSpecialRoomNames(3), "Musiksaal");
    EXPECT_EQ(f->List1->List(2), "Musiksaal");

    // Rooms above 16 have no special room; their name is still kept.
    f->List1->setListIndex(19);
    f->Text1->setText("Bibliothek");
    f->Text1_LostFocus();
    EXPECT_EQ(f->List1->List(19), "Bibliothek");
    EXPECT_EQ(gRoomNames(20), "Bibliothek");
}

TEST_F(RoomListTest, ActivationClosesAndSavesTheBookingsEditor)
{
    Form8* f = open();
    f->List1->setListIndex(4);
    f->Command2_Click();
    Form58* editor = forms::ifOpen<Form58>();
    ASSERT_TRUE(editor);
    editor->List1->setListIndex(0);
    editor->Text1->setText("101Chor");
    editor->Text1_KeyDown(enter);
    f->activate();
    EXPECT_FALSE(forms::isOpen<Form58>());
    EXPECT_EQ(readLines("Raum5.dat"), QStringList{"101Chor"});
}

TEST_F(RoomListTest, AFailedSaveIsReportedAndKeepsTheWindowOpen)
{
    Form8* f = open();
    f->List1->setListIndex(0);
    f->Text1->setText("Aula");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Raeume-qz.dat"));
    EXPECT_FALSE(f->unload());
    EXPECT_TRUE(forms::isOpen<Form8>());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("Raeume-qz.dat"));

    ASSERT_TRUE(QDir(m_dir.path()).rmdir("Raeume-qz.dat"));
    EXPECT_TRUE(f->unload());
    EXPECT_EQ(readLines("Raeume-qz.dat").value(0), "Aula");
}

TEST_F(RoomListTest, AnExistingFileKeepsItsNameAndALineBreakNeverShiftsTheRooms)
{
    writeLines("RAEUME-QZ.DAT", {"alt"});
    Form8* f = open();
    f->List1->setListIndex(0);
    f->Text1->setText("Labor\r\nzwei");
    ASSERT_TRUE(f->unload());
    EXPECT_FALSE(QFile::exists(path("Raeume-qz.dat")));
    const QStringList lines = readLines("RAEUME-QZ.DAT");
    ASSERT_EQ(lines.size(), 100);
    EXPECT_EQ(lines[0], "Labor  zwei");
    EXPECT_EQ(lines[4], "Turnsaal");
}
