#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/units.h"
#include "register/entry_window.h"
#include "register/room_bookings.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "tests/register/day_lines.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QImage>
#include <QLabel>

namespace {
const QString kTuesday = QStringLiteral("10.03.2026");
const QString kWednesday = QStringLiteral("11.03.2026");
const QString kThursday = QStringLiteral("12.03.2026");
const QString kSunday = QStringLiteral("15.03.2026");

std::uint32_t colour(int index) { return static_cast<std::uint32_t>(gBackColours(index).toInt()); }
}

// The room views read the entry window's date field and room list.
class RoomViewsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        if (!forms::isOpen<Form1>()) {
            const QString here = QDir::currentPath();
            QDir::setCurrent(m_dir.path());
            forms::get<Form1>();
            QDir::setCurrent(here);
            gDataPath = m_dir.path() + QLatin1Char('/');
        }
        for (int room = 1; room <= 20; ++room)
            gRoomNames(room) = QStringLiteral("Raum %1").arg(room);
        gRoomNames(7) = "Musiksaal";
        gRoomCount = 20;
        gPeriodsPerDay = 11;
        entryControl<QLabel>("Label8");
        ListBox* rooms = entryControl<ListBox>("List1");
        rooms->Clear();
        for (int room = 1; room <= gRoomCount; ++room)
            rooms->AddItem(gRoomNames(room));
    }

    template <class W>
    W* entryControl(const char* name)
    {
        Form1* entry = forms::get<Form1>();
        W* w = entry->findChild<W*>(QLatin1String(name));
        if (!w) {
            w = new W(entry);
            w->setObjectName(QLatin1String(name));
        }
        return w;
    }

    void chooseInEntryWindow(const QString& date, int room = 0)
    {
        entryControl<TextBox>("Text2")->setText(date);
        entryControl<ListBox>("List1")->setListIndex(room - 1);
    }

    Form26* reservations(const QString& date, int room)
    {
        chooseInEntryWindow(date, room);
        return forms::show<Form26>();
    }

    Form10* overview(const QString& date)
    {
        chooseInEntryWindow(date);
        Form10* f = forms::show<Form10>();
        RefreshRoomBookingOverview();
        return f;
    }

    void appendToDay(const QString& date, const QString& line) const
    {
        const QString key = date.mid(6, 4) + date.mid(3, 2) + date.left(2);
        ASSERT_TRUE(datafile::appendLine(path(key + ".qz"), line));
    }

    static QString reservation(const QString& room, const QString& period, const QString& text = {})
    {
        return entryLine({.kind = "09", .cls = "4B", .text = text, .period = period, .subject = "PH", .room = room});
    }
};

TEST_F(RoomViewsTest, ReservationsOfTheRoomThenItsStandingBookingsOfTheWeekday)
{
    writeLines("20260310.qz", {reservation("7", "3", "Versuch"), reservation("17", "3", "Aula"),
                               entryLine({.kind = "03", .text = "Brüche", .period = "3"}),
                               reservation("7", "10")});
    writeLines("Raum7.dat", {"303Sport", "203Chor", "frei"});
    Form26* f = reservations(kTuesday, 7);
    EXPECT_EQ(f->List1->items(), QStringList({"03 ABC      4B       PH       Versuch",
                                               "10 ABC      4B       PH       ", "03 -global- Chor"}));
    EXPECT_EQ(f->Label1->text(), "Musiksaal");
    EXPECT_EQ(f->Label2->text(), "Dienstag 10.03.2026");
    EXPECT_EQ(entryControl<QLabel>("Label8")->text(), "Dienstag");
    EXPECT_EQ(gEntryRoom, "7");
}

TEST_F(RoomViewsTest, ReservationsFollowTheDayFileAtEachTick)
{
    writeLines("20260311.qz", {reservation("7", "2", "Probe"), reservation("7", "4", "Konzert")});
    Form26* f = reservations(kWednesday, 7);
    ASSERT_EQ(f->List1->ListCount(), 2);

    // Another PC removes the first and adds a reservation.
    appendToDay(kWednesday, removalLine(1));
    appendToDay(kWednesday, reservation("7", "6", "Chor"));
    f->Timer1_Timer();
    EXPECT_EQ(f->List1->items(), QStringList({"04 ABC      4B       PH       Konzert",
                                               "06 ABC      4B       PH       Chor"}));
}

TEST_F(RoomViewsTest, ABookingEnteredInTheEditorShowsOnItsWeekdayOnly)
{
    ShowRoomStandingBookings("7");
    Form58* editor = forms::ifOpen<Form58>();
    ASSERT_TRUE(editor);
    editor->List1->setListIndex(0);
    editor->Text1->setText("203Chor");
    int enter = Qt::Key_Return;
    editor->Text1_KeyDown(enter);
    editor->Command1_Click();
    ASSERT_EQ(readLines("Raum7.dat"), QStringList{"203Chor"});

    Form26* f = reservations(kTuesday, 7);
    EXPECT_EQ(f->List1->items(), QStringList{"03 -global- Chor"});
    chooseInEntryWindow(kWednesday, 7);
    RefreshRoomViews();
    EXPECT_EQ(f->List1->ListCount(), 0);
}

TEST_F(RoomViewsTest, ASundayBookingShowsOnSundays)
{
    writeLines("Raum2.dat", {"701Gottesdienst"});
    EXPECT_EQ(reservations(kSunday, 2)->List1->items(), QStringList{"01 -global- Gottesdienst"});
}

TEST_F(RoomViewsTest, AnInvalidDateLeavesAnEmptyListAndTheLabels)
{
    writeLines("20260310.qz", {reservation("7", "3")});
    Form26* f = reservations(kTuesday, 7);
    ASSERT_EQ(f->List1->ListCount(), 1);
    chooseInEntryWindow("31.02.2026", 3);
    FillRoomReservations();
    EXPECT_EQ(f->List1->ListCount(), 0);
    EXPECT_EQ(f->Label1->text(), "Raum 3");
    EXPECT_EQ(f->Label2->text(), "Dienstag 10.03.2026");
}

TEST_F(RoomViewsTest, ARefreshNeverOpensAView)
{
    chooseInEntryWindow(kTuesday, 7);
    RefreshRoomViews();
    FillRoomReservations();
    RefreshRoomBookingOverview();
    EXPECT_FALSE(forms::isOpen<Form26>());
    EXPECT_FALSE(forms::isOpen<Form10>());
}

TEST_F(RoomViewsTest, OverviewLightsAreOrangeWithTextRedWithoutAndGreenAfterRemoval)
{
    writeLines("20260311.qz", {reservation("3", "2", "Physik"), reservation("4", "5")});
    Form10* f = overview(kWednesday);
    EXPECT_EQ(f->light(3, 2)->fillColor(), colour(5));
    EXPECT_EQ(f->light(4, 5)->fillColor(), colour(4));
    EXPECT_EQ(f->light(3, 3)->fillColor(), colour(2));
    EXPECT_EQ(f->Shape1[11 * 2 + 1], f->light(3, 2));
    EXPECT_EQ(f->Shape1[11 * 2 + 1]->objectName(), "Shape1_23");

    appendToDay(kWednesday, removalLine(1));
    appendToDay(kWednesday, reservation("1", "1", "neu"));
    f->Timer1_Timer();
    EXPECT_EQ(f->light(3, 2)->fillColor(), colour(2));
    EXPECT_EQ(f->light(1, 1)->fillColor(), colour(5));
}

TEST_F(RoomViewsTest, StandingBookingsPaintTheirWeekdayAndWinOverAReservation)
{
    writeLines("Raum5.dat", {"302Chemie", "411Abend"});
    writeLines("20260311.qz", {reservation("5", "2", "Versuch")});
    Form10* f = overview(kWednesday);
    EXPECT_EQ(f->light(5, 2)->fillColor(), colour(4));
    EXPECT_EQ(f->light(5, 11)->fillColor(), colour(2));

    chooseInEntryWindow(kThursday);
    RefreshRoomViews();
    EXPECT_EQ(f->light(5, 2)->fillColor(), colour(2));
    EXPECT_EQ(f->light(5, 11)->fillColor(), colour(4));

    // An invalid date keeps the last colours.
    chooseInEntryWindow("heute");
    RefreshRoomBookingOverview();
    EXPECT_EQ(f->light(5, 11)->fillColor(), colour(4));
}

TEST_F(RoomViewsTest, ReservationsAndBookingsOutsideTheGridAreLeftOut)
{
    writeLines("20260311.qz", {reservation("17", "2", "x"), reservation("100", "1"), reservation("2", "12"),
                               reservation("2", "0"), reservation("", "3"), reservation("2", "-1")});
    writeLines("Raum1.dat", {"312zu spät", "300", "3xx"});
    writeLines("Raum17.dat", {"301Aula"});
    Form10* f = overview(kWednesday);
    for (RoomLight* s : f->Shape1)
        EXPECT_EQ(s->fillColor(), colour(2)) << s->objectName().toStdString();
}

TEST_F(RoomViewsTest, OverviewHidesUnnamedRoomsAndPeriodsTheSchoolLacksAndSizesItself)
{
    const QSize full = forms::get<Form10>()->size();
    EXPECT_EQ(full, QSize(units::twipsToPixels(9120), units::twipsToPixels(9780)));
    forms::unload<Form10>();

    for (int room = 13; room <= 100; ++room)
        gRoomNames(room) = QString();
    gRoomNames(4) = QString();
    gRoomCount = 12;
    gPeriodsPerDay = 9;
    gPeriodLabels(1) = "1.Eh.";
    Form10* f = forms::get<Form10>();
    EXPECT_EQ(f->Label2[0]->text(), "1.Eh.");
    EXPECT_EQ(f->Label1[6]->text(), "Musiksaal");
    EXPECT_FALSE(f->Label2[8]->isHidden());
    EXPECT_TRUE(f->Label2[9]->isHidden());
    EXPECT_TRUE(f->Label2[10]->isHidden());
    EXPECT_FALSE(f->light(1, 9)->isHidden());
    EXPECT_TRUE(f->light(1, 10)->isHidden());
    EXPECT_TRUE(f->Label1[3]->isHidden());
    EXPECT_TRUE(f->light(4, 1)->isHidden());
    EXPECT_TRUE(f->Label1[12]->isHidden());
    EXPECT_TRUE(f->light(13, 1)->isHidden());
    EXPECT_FALSE(f->light(12, 1)->isHidden());
    EXPECT_EQ(full.width() - f->width(), units::twipsToPixels(1080));
    EXPECT_EQ(full.height() - f->height(), units::twipsToPixels(2160));
}

TEST_F(RoomViewsTest, OverviewHeightFollowsAtMostSixteenRooms)
{
    gRoomCount = 40;
    EXPECT_EQ(forms::get<Form10>()->height(), units::twipsToPixels(9780));
}

TEST_F(RoomViewsTest, ALightIsDrawnAsAFilledCircle)
{
    RoomLight light;
    light.resize(units::twipsToPixels(375), units::twipsToPixels(375));
    light.setFillColor(0x80C0FF);
    const QImage image = light.grab().toImage();
    const QPoint centre(image.width() / 2, image.height() / 2);
    EXPECT_EQ(image.pixelColor(centre), units::colourFromBgr(0x80C0FF));
    EXPECT_NE(image.pixelColor(1, 1), units::colourFromBgr(0x80C0FF));
}
