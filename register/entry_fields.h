#pragma once
// The entry window's fields that the register's views read (the working date,
// the class as typed and the room chosen), and its weekday label, which they
// set. With no entry window open there is no working date, the class is empty
// and no room is chosen.
#include <QString>

namespace entryfields {
QString dateText();
QString classText();
// The position of the chosen room in the room list (0 = room 1), -1 for none.
int roomIndex();
// The school week number shown beside the week buttons.
QString schoolWeekText();
void setWeekdayLabel(const QString& name);
}
