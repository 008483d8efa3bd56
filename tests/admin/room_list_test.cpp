#include "admin/room_list.h"
#include "core/model.h"
#include "platform/controls.h"
#include "register/room_bookings.h"
#include "tests/support/fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class RoomListTest : public ModelTest {
protected:
    Form8* open()
    {
        gRoomNames(1) = "Physiksaal";
        gRoomNames(5) = "Turnsaal";
        return forms::show<Form8>();
    }
    void select(Form8* f, int room, const QString& name)
    {
        f->List1->setListIndex(room - 1);
        f->Text1->setText(name);
    }
};

TEST_F(RoomListTest, EditingANameKeepsTheRoomSelectedAndSavesAllHundredTrimmed)
{
    // The room chosen at an earlier opening is still set; the name box's
    // preset text must not become its name.
    gRoom = 5;
    Form8* f = open();
    ASSERT_EQ(f->List1->ListCount(), 100);
    EXPECT_FALSE(f->Text1->isEnabled());
    EXPECT_EQ(gRoomNames(5), "Turnsaal");
    f->Command2_Click();
    EXPECT_FALSE(forms::isOpen<Form58>()) << "\"global\" before any room was clicked";

    f->List1->setListIndex(4);
    enter(f->Text1, "Chemiesaal");
    EXPECT_EQ(f->List1->List(4), "Chemiesaal");
    EXPECT_EQ(f->List1->ListIndex(), 4);
    EXPECT_EQ(f->Label1->text(), "5");
    EXPECT_TRUE(f->Command2->isEnabled());

    select(f, 2, "  Werkraum ");
    EXPECT_EQ(gRoomNames(2), "Werkraum");
    QTest::keyClick(f->Text1, Qt::Key_Return);
    EXPECT_EQ(f->List1->List(1), "  Werkraum ");
    ASSERT_TRUE(f->unload());
    EXPECT_TRUE(readBytes("Raeume-qz.dat").startsWith("Physiksaal\r\nWerkraum\r\n\r\n\r\nChemiesaal\r\n\r\n"));
    EXPECT_EQ(gRoomNames(2), "Werkraum") << "the name in memory as the file holds it";
    EXPECT_EQ(readLines("Raeume-qz.dat").size(), 100);
}

TEST_F(RoomListTest, LinesBeyondTheHundredthRoomStayInTheFile)
{
    QStringList lines(100, QString());
    lines << "Raum 101" << "Raum 102";
    writeLines("Raeume-qz.dat", lines);
    gRoomNames(3) = "Aula";
    ASSERT_TRUE(SaveRoomNames());
    const QStringList saved = readLines("Raeume-qz.dat");
    ASSERT_EQ(saved.size(), 102);
    EXPECT_EQ(saved[2], "Aula");
    EXPECT_EQ(saved.mid(100), (QStringList{"Raum 101", "Raum 102"}));
}

TEST_F(RoomListTest, LeavingTheNameBoxNamesTheSpecialRoomOfTheSameNumberUpTo16)
{
    Form8* f = open();
    select(f, 3, "Musiksaal");
    f->Text1_LostFocus();
    EXPECT_EQ(gSpecialRoomNames(3), "Musiksaal");
    select(f, 20, "Bibliothek");
    f->Text1_LostFocus();
    EXPECT_EQ(f->List1->List(19), "Bibliothek");
}

TEST_F(RoomListTest, GlobalOpensTheRoomsBookingsAndActivationClosesAndSavesThem)
{
    Form8* f = open();
    f->List1->setListIndex(4);
    f->Command2_Click();
    Form58* editor = forms::ifOpen<Form58>();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->Label3->text(), "5");
    editor->List1->setListIndex(0);
    enter(editor->Text1, "101Chor");
    f->activate();
    EXPECT_FALSE(forms::isOpen<Form58>());
    EXPECT_EQ(readLines("Raum5.dat"), QStringList{"101Chor"});
}

TEST_F(RoomListTest, SavingKeepsTheFileNameAndNeverSplitsALine)
{
    writeLines("RAEUME-QZ.DAT", {"alt"});
    Form8* f = open();
    select(f, 1, "Labor\r\nzwei");
    f->Command1_Click();
    EXPECT_FALSE(QFile::exists(path("Raeume-qz.dat")));
    EXPECT_EQ(readLines("RAEUME-QZ.DAT").mid(0, 5), QStringList({"Labor  zwei", "", "", "", "Turnsaal"}));
}
