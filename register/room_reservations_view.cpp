#include "register/room_reservations_view.h"

#include "core/model.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/units.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/room_bookings.h"
#include "register/room_occupancy_view.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kRooms = 100;
constexpr std::uint32_t kDarkBlue = 0x800000;

// A reservation as the list shows it: the period in two digits, then short
// name, class and subject as stored, then the text.
QString reservationItem(const QString& line)
{
    QString period = LinePeriod(line);
    if (numbers::val(period) < 10)
        period = TrimBlanks("0" + period);
    return period + " " + LineShortName(line) + " " + line.mid(22, 8) + " " + LineSubject(line) + " "
        + LineText(line);
}
}

void FillRoomReservations()
{
    Form26* f = forms::ifOpen<Form26>();
    if (!f)
        return;
    const int room = entryfields::roomIndex() + 1;
    f->Label1->setText(room <= kRooms ? gRoomNames(room) : QString());
    gEntryRoom = QString::number(room);
    f->List1->Clear();

    const QString dateText = entryfields::dateText();
    const std::optional<QDate> date = dates::parse(dateText);
    if (!date)
        return;
    const int weekday = dates::weekday(*date);
    const QString dayName = gDayNames(weekday).toString();
    entryfields::showWeekday(*date);
    gEntryClass = entryfields::classText().trimmed();
    f->Label2->setText(dayName + " " + dateText);

    gDayFilePath = DayFilePath(*date);
    LoadDayEntries();
    if (!UnreadableDayNotice().isEmpty())
        f->List1->AddItem(UnreadableDayNotice());
    for (int i = 1; i <= gDayLineCount; ++i) {
        const QString& line = gDayLines(i);
        if (room > 0 && !line.isEmpty() && LineKind(line) == "09" && LineRoomNumber(line) == room)
            f->List1->AddItem(reservationItem(line));
    }
    for (const QString& line : RoomBookingsOn(room, weekday))
        f->List1->AddItem(line.mid(1, 2) + " -global- " + line.mid(3));
}

void RefreshRoomViews()
{
    if (forms::isOpen<Form10>())
        RefreshRoomBookingOverview();
    if (forms::isOpen<Form26>())
        FillRoomReservations();
}

Form26::Form26() : FormBase(26)
{
    setObjectName(QStringLiteral("Form26"));
    setWindowTitle(QStringLiteral("Raumreservierungen"));

    constexpr controls::Font kHeading{"Comic Sans MS", 12, true};
    Label2 = controls::label(this, "Label2", QStringLiteral("Montag 27.11.2014"), kHeading);
    controls::setForeColor(Label2, kDarkBlue);
    Label1 = controls::label(this, "Label1", QString(), kHeading);
    controls::setForeColor(Label1, kDarkBlue);
    List1 = controls::list(this, "List1", {"Courier New", 9});
    Command1 = controls::button(this, "Command1", QStringLiteral("exit"));
    Timer1 = controls::named<Timer>(this, "Timer1", 20000);

    place(Label2, 120, 120, 6600, 400);
    place(Label1, 120, 560, 6600, 400);
    place(List1, 120, 1040, 6600, 3600);
    place(Command1, 5400, 4760, 1320, 420);
    resize(units::twipsToPixels(6840), units::twipsToPixels(5300));

    connect(Command1, &QPushButton::clicked, this, &Form26::Command1_Click);
    connect(Timer1, &Timer::Tick, this, &Form26::Timer1_Timer);
    Timer1->setEnabled(true);
}

void Form26::Form_Activate() { FillRoomReservations(); }

void Form26::Timer1_Timer() { FillRoomReservations(); }

void Form26::Command1_Click() { unload(); }
