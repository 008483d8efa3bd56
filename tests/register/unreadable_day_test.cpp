#include "register/entry_removal.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "register/week_details.h"
#include "register/week_overview.h"
#include "tests/register/register_fixture.h"

#include <QLabel>

// A day file that is there but cannot be read is no day without entries:
// every window that reads a day says so.
class UnreadableDayTest : public WeekSchoolTest {
protected:
    const QString notice =
        QStringLiteral("Die Tagesdatei 20260311.qz konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.");

    void SetUp() override
    {
        WeekSchoolTest::SetUp();
        writeDay(today.addDays(-1), {contentLine("M")});
        blockFile(dayFile(today));
        typeIntoEntryWindow("11.03.2026", "4A");
    }
};

TEST_F(UnreadableDayTest, TheClassDayViewSaysSoAtEveryRefreshAndForgetsItOnceTheFileReads)
{
    Form6* f = openDayView("11.03.2026", "4A");
    EXPECT_EQ(f->List1->items(), QStringList{notice});
    f->Timer1_Timer();
    EXPECT_EQ(f->List1->items(), QStringList{notice});
    EXPECT_TRUE(messages().isEmpty()) << "a line in the view, no message at each refresh";

    unblockFile(dayFile(today));
    writeDay(today, {contentLine("M")});
    f->Timer1_Timer();
    EXPECT_EQ(f->List1->items(), QStringList({"1  ABC      M        Stoff"}));
}

TEST_F(UnreadableDayTest, TheWeekViewsListTheDayAmongTheirEntries)
{
    FillWeekOverview();
    EXPECT_EQ(forms::get<Form17>()->List3->items(), QStringList{notice});
    Form68* details = forms::show<Form68>();
    EXPECT_TRUE(details->List1->items().contains(notice));
    EXPECT_TRUE(details->List1->items().contains("M       Stoff")) << "the readable days still show";
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(UnreadableDayTest, TheRoomViewsSayItOnceAndTheRemovalWindowUnderItsList)
{
    gRoomNames(1) = QStringLiteral("Raum 1");
    entry->List1->Clear();
    entry->List1->AddItem(gRoomNames(1));
    entry->List1->setListIndex(0);
    EXPECT_EQ(forms::show<Form26>()->List1->items(), QStringList{notice});

    Form10* overview = forms::show<Form10>();
    RefreshRoomBookingOverview();
    overview->Timer1_Timer();
    overview->Timer1_Timer();
    EXPECT_EQ(messages(), QStringList{notice}) << "told once, not at every tick";

    Form13* removal = forms::show<Form13>();
    EXPECT_EQ(removal->List1->ListCount(), 0);
    EXPECT_EQ(removal->Label1->text(), notice);
}
