#include "platform/units.h"
#include "register/room_bookings.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "tests/register/register_fixture.h"

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
class RoomViewsTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        startEntryWindow();
        entry->List1->Clear();
        for (int room = 1; room <= 20; ++room) {
            gRoomNames(room) = room == 7 ? QStringLiteral("Musiksaal") : QStringLiteral("Raum %1").arg(room);
            entry->List1->AddItem(gRoomNames(room));
        }
        gRoomCount = 20;
        gPeriodsPerDay = 11;
    }

    void chooseInEntryWindow(const QString& date, int room = 0)
    {
        entry->Text2->setText(date);
        entry->List1->setListIndex(room - 1);
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

    static QString reservation(const QString& room, const QString& period, const QString& text = {})
    {
        return entryLine({.kind = "09", .cls = "4B", .text = text, .period = period, .subject = "PH", .room = room});
    }
};

TEST_F(RoomViewsTest, ReservationsOfTheRoomThenItsStandingBookingsFollowTheFilesAtEachTick)
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
    EXPECT_EQ(entry->Label8->text(), "Dienstag");
    EXPECT_EQ(gEntryRoom, "7");

    // Another PC removes the first reservation and adds one.
    appendToDay(QDate(2026, 3, 10), removalLine(1));
    appendToDay(QDate(2026, 3, 10), reservation("7", "6", "Chor"));
    f->Timer1_Timer();
    EXPECT_EQ(f->List1->items(), QStringList({"10 ABC      4B       PH       ",
                                               "06 ABC      4B       PH       Chor", "03 -global- Chor"}));

    writeLines("Raum2.dat", {"701Gottesdienst"});
    chooseInEntryWindow(kSunday, 2);
    RefreshRoomViews();
    EXPECT_EQ(f->List1->items(), QStringList{"01 -global- Gottesdienst"});
}

TEST_F(RoomViewsTest, ARefreshNeverOpensAViewAndAnInvalidDateLeavesAnEmptyList)
{
    // Only a room chosen in the entry window opens the reservations.
    chooseInEntryWindow(kTuesday);
    RefreshRoomViews();
    EXPECT_FALSE(forms::isOpen<Form26>());
    EXPECT_FALSE(forms::isOpen<Form10>());

    writeLines("20260310.qz", {reservation("7", "3")});
    Form26* f = reservations(kTuesday, 7);
    ASSERT_EQ(f->List1->ListCount(), 1);
    chooseInEntryWindow("31.02.2026", 3);
    FillRoomReservations();
    EXPECT_EQ(f->List1->ListCount(), 0);
    EXPECT_EQ(f->Label1->text(), "Raum 3");
    EXPECT_EQ(f->Label2->text(), "Dienstag 10.03.2026");
}

TEST_F(RoomViewsTest, OverviewPaintsReservationsThenStandingBookingsOfTheWeekday)
{
    writeLines("20260311.qz", {reservation("3", "2", "Physik"), reservation("4", "5"), reservation("5", "2", "x")});
    writeLines("Raum5.dat", {"302Chemie", "411Abend"});
    Form10* f = overview(kWednesday);
    EXPECT_EQ(f->light(3, 2)->fillColor(), colour(5));
    EXPECT_EQ(f->light(4, 5)->fillColor(), colour(4));
    EXPECT_EQ(f->light(3, 3)->fillColor(), colour(2));
    EXPECT_EQ(f->light(5, 2)->fillColor(), colour(4)) << "a standing booking wins over a reservation";
    EXPECT_EQ(f->light(5, 11)->fillColor(), colour(2));
    EXPECT_EQ(f->Shape1[11 * 2 + 1], f->light(3, 2));
    EXPECT_EQ(f->Shape1[11 * 2 + 1]->objectName(), "Shape1_23");

    appendToDay(today, removalLine(1));
    f->Timer1_Timer();
    EXPECT_EQ(f->light(3, 2)->fillColor(), colour(2));

    chooseInEntryWindow(kThursday);
    RefreshRoomViews();
    EXPECT_EQ(f->light(5, 2)->fillColor(), colour(2));
    EXPECT_EQ(f->light(5, 11)->fillColor(), colour(4));
    chooseInEntryWindow("heute");
    RefreshRoomBookingOverview();
    EXPECT_EQ(f->light(5, 11)->fillColor(), colour(4)) << "an invalid date keeps the last colours";
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
    for (int period = 9; period <= 11; ++period) {
        EXPECT_EQ(f->Label2[period - 1]->isHidden(), period > 9);
        EXPECT_EQ(f->light(1, period)->isHidden(), period > 9);
    }
    for (int room : {4, 12, 13}) {
        EXPECT_EQ(f->Label1[room - 1]->isHidden(), room != 12);
        EXPECT_EQ(f->light(room, 1)->isHidden(), room != 12);
    }
    EXPECT_EQ(full.width() - f->width(), units::twipsToPixels(1080));
    EXPECT_EQ(full.height() - f->height(), units::twipsToPixels(2160));

    forms::unload<Form10>();
    gRoomCount = 40;
    EXPECT_EQ(forms::get<Form10>()->height(), full.height());
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
