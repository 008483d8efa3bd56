#include "register/room_occupancy_view.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/units.h"
#include "register/day_file.h"
#include "register/entry_window.h"
#include "register/room_bookings.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace {
// Colours of a light, as indices of the field back colours.
constexpr int kFree = 2;
constexpr int kBooked = 4;
constexpr int kReservedWithText = 5;
constexpr std::uint32_t kDesignGreen = 0x80FF80;

// Grid geometry in twips.
constexpr int kLightSize = 375;
constexpr int kPitch = 540;
constexpr int kFirstLightLeft = 2970;
constexpr int kFirstLightTop = 540;
constexpr int kRoomLabelLeft = 270;
constexpr int kPeriodLabelTop = 135;
constexpr int kFullWidth = 9120;
constexpr int kFullHeight = 9780;


int periodsShown() { return std::clamp(gPeriodsPerDay.toInt(), 0, Form10::kPeriods); }
}

RoomLight::RoomLight(QWidget* parent) : QWidget(parent), m_fill(kDesignGreen) {}

void RoomLight::setFillColor(std::uint32_t bgr)
{
    if (bgr == m_fill)
        return;
    m_fill = bgr;
    update();
}

void RoomLight::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(units::colourFromBgr(m_fill));
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

Form10::Form10() : FormBase(10)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Raumbelegung - Übersicht"));

    for (int room = 1; room <= kRooms; ++room) {
        QLabel* l = controls::label(this, QStringLiteral("Label1_%1").arg(room - 1), QStringLiteral("Raum"),
                                    {"Arial", 8.25, true});
        place(l, kRoomLabelLeft, kFirstLightTop + kPitch * (room - 1), kFirstLightLeft - kRoomLabelLeft - 120,
              kLightSize);
        Label1[room - 1] = l;
    }
    for (int period = 1; period <= kPeriods; ++period) {
        QLabel* l = controls::label(this, QStringLiteral("Label2_%1").arg(period - 1), QString::number(period));
        l->setAlignment(Qt::AlignCenter);
        place(l, kFirstLightLeft + kPitch * (period - 1) - (kPitch - kLightSize) / 2, kPeriodLabelTop, kPitch,
              kLightSize);
        Label2[period - 1] = l;
    }
    for (int room = 1; room <= kRooms; ++room) {
        for (int period = 1; period <= kPeriods; ++period) {
            const int index = kPeriods * (room - 1) + period - 1;
            RoomLight* s = controls::named<RoomLight>(this, QStringLiteral("Shape1_%1").arg(index));
            place(s, kFirstLightLeft + kPitch * (period - 1), kFirstLightTop + kPitch * (room - 1), kLightSize,
                  kLightSize);
            Shape1[index] = s;
        }
    }
    Timer1 = controls::named<Timer>(this, "Timer1", 20000);
    connect(Timer1, &Timer::Tick, this, &Form10::Timer1_Timer);
    Timer1->setEnabled(true);
}

RoomLight* Form10::light(int room, int period) const
{
    if (room < 1 || room > kRooms || period < 1 || period > kPeriods)
        return nullptr;
    return Shape1[kPeriods * (room - 1) + period - 1];
}

void Form10::Form_Load()
{
    const int periods = periodsShown();
    for (int room = 1; room <= kRooms; ++room) {
        Label1[room - 1]->setText(gRoomNames(room));
        const bool named = !gRoomNames(room).trimmed().isEmpty();
        Label1[room - 1]->setVisible(named);
        for (int period = 1; period <= kPeriods; ++period)
            light(room, period)->setVisible(named && period <= periods);
    }
    for (int period = 1; period <= kPeriods; ++period) {
        Label2[period - 1]->setText(gPeriodLabels(period).toString());
        Label2[period - 1]->setVisible(period <= periods);
    }
    // The grid grows with the school's periods and rooms; rooms above 16 have no row.
    const int rooms = std::clamp<int>(gRoomCount, 0, kRooms);
    resize(units::twipsToPixels(kFullWidth - kPitch * (kPeriods - periods)),
           units::twipsToPixels(kFullHeight - kPitch * (kRooms - rooms)));
}

void Form10::Timer1_Timer() { RefreshRoomBookingOverview(); }

void RefreshRoomBookingOverview()
{
    Form10* f = forms::ifOpen<Form10>();
    if (!f)
        return;
    const std::optional<QDate> date = entryfields::date();
    if (!date)
        return;
    gDayFilePath = DayFilePath(*date);
    LoadDayEntries();
    const QString unreadable = UnreadableDayNotice();

    // Reset, then the day's reservations, then the standing bookings: a
    // standing booking wins over a reservation of the same period.
    for (RoomLight* s : f->Shape1)
        s->setFillColor(BackColour(kFree));
    for (int i = 1; i <= gDayLineCount; ++i) {
        const QString& line = gDayLines(i);
        if (line.isEmpty() || LineKind(line) != "09")
            continue;
        const int period = static_cast<int>(numbers::val(LinePeriod(line)));
        if (RoomLight* s = f->light(LineRoomNumber(line), period))
            s->setFillColor(BackColour(LineText(line).isEmpty() ? kBooked : kReservedWithText));
    }
    const int weekday = dates::weekday(*date);
    for (int room = 1; room <= Form10::kRooms; ++room) {
        for (const QString& line : RoomBookingsOn(room, weekday)) {
            if (RoomLight* s = f->light(room, BookingPeriod(line)))
                s->setFillColor(BackColour(kBooked));
        }
    }
    // Told once the lights are set: while the box is up, the view may be
    // closed, and other windows may load other days.
    f->unreadableDay.tell(unreadable);
}
