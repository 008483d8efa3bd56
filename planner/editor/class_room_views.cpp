#include "planner/editor/class_room_views.h"

#include "core/model.h"
#include "planner/editor/rule_support.h"

#include <QLabel>
#include <algorithm>

namespace {
constexpr std::uint32_t kClassHeadingColour = 0xC0E0FF;
constexpr std::uint32_t kRoomHeadingColour = 0xC0FFFF;
constexpr int kClassColumnPitch = 720;
constexpr int kClassCellWidth = 735;
constexpr int kRoomColumnPitch = 1440;
constexpr int kRoomCellWidth = 1425;
// The subject properties naming the special rooms a lesson needs.
constexpr int kRoomProperties[] = {8, 18, 19, 20};
constexpr int kGroupRows = 2;

int classCount() { return std::min(gMaxClasses.toInt(), static_cast<int>(gClassNames.upper())); }

// A free group row shows nothing, not the "=" that fills subject slot 0.
QString rowText(int day, int period, int cls, int row)
{
    const short subject = rules::lessonAt(day, period, cls, row);
    return subject == 0 ? QString() : rules::screenName(subject);
}

// The classes whose lessons ask for the room in a period, in class order,
// each followed by a blank; a class whose lessons name the room several times
// appears as often.
QString roomUsers(int room, int day, int period)
{
    QString users;
    for (int c = 1; c <= classCount(); ++c) {
        for (int property : kRoomProperties) {
            for (int row = 0; row < kGroupRows; ++row) {
                const short subject = rules::lessonAt(day, period, c, row);
                if (subject != 0 && rules::property(subject, property) == room)
                    users += rules::className(c) + QLatin1Char(' ');
            }
        }
    }
    return users;
}
}

Form52::Form52()
    : WeekGrid({52, "Form52", "Klassen-Stundenplan", "wählen Sie eine Klasse ...", kClassHeadingColour,
                kClassColumnPitch, kClassCellWidth, 0})
{
}

QStringList Form52::choices() const
{
    QStringList names;
    for (int c = 1; c <= classCount(); ++c)
        names << gClassNames(c).toString();
    return names;
}

void Form52::Timer1_Timer()
{
    const int c = chosenSlot();
    if (c < 1)
        return;
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            cell(d, p)->setText(rowText(d, p, c, 0) + QLatin1Char(' ') + rowText(d, p, c, 1));
}

Form53::Form53()
    : WeekGrid({53, "Form53", "Raumnutzung", "wählen Sie einen Raum ...", kRoomHeadingColour, kRoomColumnPitch,
                kRoomCellWidth, 0})
{
}

QStringList Form53::choices() const
{
    QStringList names;
    const int rooms = std::min(static_cast<int>(gSpecialRoomCount), static_cast<int>(gSpecialRoomNames.upper()));
    for (int r = 1; r <= rooms; ++r)
        names << gSpecialRoomNames(r);
    return names;
}

void Form53::Form_Activate() { Timer1->setEnabled(true); }

void Form53::Timer1_Timer()
{
    const int r = chosenSlot();
    if (r < 1)
        return;
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            cell(d, p)->setText(roomUsers(r, d, p));
}
