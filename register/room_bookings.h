#pragma once
// Standing weekly bookings of the bookable rooms ("globale Raumbelegungen"):
// one file per room, "Raum<n>.dat", one booking a line: the weekday digit
// (Monday = 1), the period in two characters, then free text.
#include "platform/forms.h"

#include <QStringList>
#include <optional>

class ListBox;
class QLabel;
class QPushButton;
class TextBox;

// The booking file of a room, named by its number as text ("7").
QString RoomBookingFilePath(const QString& room);
// Every line of a room's booking file, however many; nullopt when the file is
// missing or cannot be read.
std::optional<QStringList> ReadRoomBookings(const QString& room);

// The bookings of a room on a weekday (Monday = 1), in file order; none when
// the file is missing or cannot be read.
QStringList RoomBookingsOn(int room, int weekday);

// The weekday digit of a booking line (its first character as a number).
int BookingWeekday(const QString& line);
// The period of a booking line (the numeric value of characters 2-3).
int BookingPeriod(const QString& line);
// The editor keeps a line only when its first three characters read as a
// number above 0: "frei" and empty lines are free slots.
bool IsBookingLine(const QString& line);

// Opens the editor for the room that the room list shows as `roomCaption`; a
// caption that is no room number opens nothing. An editor open for another
// room is closed (and saved) first.
void ShowRoomStandingBookings(const QString& roomCaption);

// Form58, the editor of one room's standing bookings.
class Form58 : public FormBase {
    Q_OBJECT
public:
    Form58();

    // Fills heading, room number and list from the room's booking file.
    void LoadRoom(const QString& roomCaption);

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label4_2;
    ListBox* List1;
    QLabel* Label4_1;
    QLabel* Label2;
    TextBox* Text1;
    QPushButton* Command1;

    void List1_Click();
    void Text1_KeyDown(int& keyCode);
    void Command1_Click();

protected:
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;

private:
    // The entries of the list that are bookings, in list order: the file's lines.
    QStringList bookings() const;

    // Set when the file exists but could not be read: closing must not
    // overwrite bookings this window never saw.
    bool m_fileUnread = false;
    // The bookings as the file holds them as far as this window knows: loaded,
    // or last saved.
    QStringList m_savedBookings;
};
