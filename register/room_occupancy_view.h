#pragma once
// Which of the first 16 rooms are free in which period of the working date.
#include "platform/forms.h"
#include "register/day_file.h"

#include <array>
#include <cstdint>

class QLabel;
class Timer;

// Paints Form10's lights, when it is open, from the day file of the entry
// window's date and the standing bookings of rooms 1..16.
void RefreshRoomBookingOverview();

// One light of the overview: a filled circle of a colour number (BBGGRR).
class RoomLight : public QWidget {
    Q_OBJECT
public:
    explicit RoomLight(QWidget* parent = nullptr);
    void setFillColor(std::uint32_t bgr);
    std::uint32_t fillColor() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t m_fill;
};

// Form10 "Raumbelegung - Übersicht": a light per room and period, green while free.
class Form10 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kRooms = 16;
    static constexpr int kPeriods = 11;

    Form10();

    // The light of a room and a period; null when the grid has none for them.
    RoomLight* light(int room, int period) const;

    std::array<QLabel*, kRooms> Label1;
    std::array<QLabel*, kPeriods> Label2;
    std::array<RoomLight*, kRooms * kPeriods> Shape1;
    Timer* Timer1;
    // The lights would show every room free.
    UnreadableDayMessage unreadableDay;

    void Timer1_Timer();

protected:
    void Form_Load() override;
};
