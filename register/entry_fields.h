#pragma once
// The entry window's fields that the register's views read (the working date
// and the class as typed), and its weekday label, which they set. With no entry
// window open there is no working date and the class is empty.
#include <QString>

namespace entryfields {
QString dateText();
QString classText();
void setWeekdayLabel(const QString& name);
}
