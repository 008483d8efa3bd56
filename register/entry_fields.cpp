#include "register/entry_fields.h"

#include "platform/controls.h"
#include "platform/forms.h"
#include "register/entry_window.h"

#include <QLabel>
#include <QLineEdit>

namespace entryfields {
namespace {
// The entry window's controls go by their names, which every window keeps.
template <class W>
W* control(const char* name)
{
    Form1* entry = forms::ifOpen<Form1>();
    return entry ? entry->findChild<W*>(QLatin1String(name)) : nullptr;
}

QString fieldText(const char* name)
{
    const QLineEdit* field = control<QLineEdit>(name);
    return field ? field->text() : QString();
}
}

QString dateText() { return fieldText("Text2"); }
QString classText() { return fieldText("Text3"); }

int roomIndex()
{
    const ListBox* rooms = control<ListBox>("List1");
    return rooms ? rooms->ListIndex() : -1;
}

QString schoolWeekText()
{
    const QLabel* label = control<QLabel>("Label12");
    return label ? label->text() : QString();
}

void setWeekdayLabel(const QString& name)
{
    if (QLabel* label = control<QLabel>("Label8"))
        label->setText(name);
}
}
