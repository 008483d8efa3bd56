#include "admin/room_list.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/units.h"
#include "register/room_bookings.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kRooms = 100;
// Bookable room n and special room n of the timetable share their name; the
// special-room table ends here.
constexpr int kLastSpecialRoom = 16;

const QString kRoomFile = QStringLiteral("Raeume-qz.dat");

bool isRoom(int room) { return room >= 1 && room <= kRooms; }

QStringList roomNames()
{
    QStringList names;
    for (int room = 1; room <= kRooms; ++room)
        names << gRoomNames(room);
    return names;
}

// The lines of the room file for these names.
QStringList roomLines(const QStringList& names)
{
    QStringList lines;
    for (const QString& name : names)
        lines << datafile::sanitizeField(name.trimmed());
    return lines;
}
}

datafile::WriteResult SaveRoomNames()
{
    const QString file = gDataPath + kRoomFile;
    QStringList lines = roomLines(roomNames());
    for (int room = 1; room <= kRooms; ++room)
        gRoomNames(room) = lines[room - 1];
    // Lines beyond the rooms the program holds came from elsewhere: keep them.
    lines << datafile::readLines(file).value_or(QStringList{}).mid(kRooms);
    return datafile::rewrite(file, lines);
}

Form8::Form8() : FormBase(8)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Räume"));

    Label4_2 = controls::label(this, "Label4_2", QStringLiteral("Liste der Räume"));
    List1 = controls::list(this, "List1");
    Label4_1 = controls::label(this, "Label4_1", QStringLiteral("Index"));
    Label1 = controls::label(this, "Label1", QStringLiteral("X"));
    Label4_0 = controls::label(this, "Label4_0", QStringLiteral("Bezeichnung des Raumes"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("bitte in die Liste klicken !"));
    controls::setBackColor(Text1, BackColour(6));
    Text1->setEnabled(false);
    Command2 = controls::button(this, "Command2", QStringLiteral("global"));
    Command2->setToolTip(QStringLiteral("globale Raumbelegungen"));
    Command2->setEnabled(false);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"));

    place(Label4_2, 120, 120, 3600, 255);
    place(List1, 120, 390, 3600, 5400);
    place(Label4_1, 3960, 390, 1200, 255);
    place(Label1, 3960, 660, 1200, 300);
    place(Label4_0, 3960, 1200, 3000, 255);
    place(Text1, 3960, 1470, 3000, 400);
    place(Command2, 3960, 2100, 1400, 480);
    place(Command1, 3960, 5310, 1400, 480);
    resize(units::twipsToPixels(7200), units::twipsToPixels(6000));

    connect(List1, &ListBox::Click, this, &Form8::List1_Click);
    connect(Text1, &TextBox::Change, this, &Form8::Text1_Change);
    connect(Text1, &TextBox::KeyDown, this, &Form8::Text1_KeyDown);
    connect(Text1, &TextBox::LostFocus, this, &Form8::Text1_LostFocus);
    connect(Command2, &QPushButton::clicked, this, &Form8::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
}

void Form8::Form_Load() { m_savedNames = roomNames(); }

void Form8::Form_Activate()
{
    // The bookings editor never stays open behind the room list. Asking
    // whether to close it without saving lets the events waiting run, which
    // may close this window.
    if (!forms::stillOpenAfter(this, [] { forms::unload<Form58>(); }))
        return;
    List1->Clear();
    for (int room = 1; room <= kRooms; ++room)
        List1->AddItem(gRoomNames(room));
}

void Form8::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0)
        return;
    Text1->setEnabled(true);
    gRoom = static_cast<short>(index + 1);
    Label1->setText(QString::number(gRoom));
    Text1->setText(gRoomNames(gRoom));
    Command2->setEnabled(true);
}

void Form8::Text1_Change()
{
    if (isRoom(gRoom))
        gRoomNames(gRoom) = Text1->text().trimmed();
}

void Form8::Text1_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode) || !isRoom(gRoom))
        return;
    gRoomNames(gRoom) = Text1->text();
    RefreshSelectedItem();
}

void Form8::Text1_LostFocus()
{
    if (gRoom >= 1 && gRoom <= kLastSpecialRoom)
        gSpecialRoomNames(gRoom) = Text1->text();
    RefreshSelectedItem();
}

void Form8::Command2_Click()
{
    if (numbers::val(Label1->text()) != 0)
        ShowRoomStandingBookings(Label1->text());
}

void Form8::Command1_Click() { unload(); }

// Names are edited in the data model at once; the file is written only when
// one of them changed, so a look at the list never undoes another PC's names.
// Also when a name keeps blanks the file does not hold: the save leaves the
// names as the file holds them.
bool Form8::hasUnsavedEdits() const
{
    const QStringList lines = roomLines(roomNames());
    return lines != roomLines(m_savedNames) || lines != roomNames();
}

QString Form8::saveEdits()
{
    if (const auto written = SaveRoomNames(); !written)
        return "Die Raumliste konnte nicht gespeichert werden (" + kRoomFile + "): " + written.reason;
    m_savedNames = roomNames();
    return {};
}

void Form8::discardEdits()
{
    for (int room = 1; room <= kRooms; ++room)
        gRoomNames(room) = m_savedNames[room - 1];
}

void Form8::RefreshSelectedItem()
{
    if (!isRoom(gRoom) || gRoom > List1->ListCount())
        return;
    const int index = gRoom - 1;
    List1->setItemText(index, gRoomNames(gRoom));
    List1->setListIndex(index);
}
