#pragma once
// The reservations of one room on the working date, followed by its standing
// bookings for that weekday.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;
class Timer;

// Fills Form26, when it is open, for the room chosen in the entry window and
// the date in its date field; reservations made on other PCs show at each fill.
void FillRoomReservations();

// Refreshes the room views that are open (the overview, then the reservations):
// the entry window calls it after an entry and after each date button.
void RefreshRoomViews();

// Form26 "Raumreservierungen": what is booked in the chosen room that day.
class Form26 : public FormBase {
    Q_OBJECT
public:
    Form26();

    QLabel* Label2;
    QLabel* Label1;
    ListBox* List1;
    QPushButton* Command1;
    Timer* Timer1;

    void Command1_Click();
    void Timer1_Timer();

protected:
    void Form_Activate() override;
};
