#include "register/room_bookings.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {
// Bookings and free slots fill the list up to this position (101 entries).
constexpr int kLastSlot = 100;
const QString kFree = QStringLiteral("frei");
}

QString RoomBookingFilePath(const QString& room) { return gDataPath + "Raum" + room.trimmed() + ".dat"; }

std::optional<QStringList> ReadRoomBookings(const QString& room)
{
    return datafile::readLines(RoomBookingFilePath(room));
}

QStringList RoomBookingsOn(int room, int weekday)
{
    QStringList on;
    for (const QString& line : ReadRoomBookings(QString::number(room)).value_or(QStringList())) {
        if (!line.isEmpty() && BookingWeekday(line) == weekday)
            on << line;
    }
    return on;
}

int BookingWeekday(const QString& line) { return static_cast<int>(numbers::val(line.left(1))); }

int BookingPeriod(const QString& line) { return static_cast<int>(numbers::val(line.mid(1, 2))); }

bool IsBookingLine(const QString& line) { return numbers::val(line.left(3)) > 0; }

void ShowRoomStandingBookings(const QString& roomCaption)
{
    if (numbers::val(roomCaption) == 0)
        return;
    if (Form58* open = forms::ifOpen<Form58>(); open && open->Label3->text() != roomCaption) {
        if (!open->unload())
            return;
    }
    const bool fresh = !forms::isOpen<Form58>();
    Form58* f = forms::get<Form58>();
    if (fresh)
        f->LoadRoom(roomCaption);
    forms::show<Form58>();
}

Form58::Form58() : FormBase(58)
{
    setObjectName(QStringLiteral("Form58"));
    setWindowTitle(QStringLiteral("Globale Raumbelegungen"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Globale Belegungen für Raum X"), {"Arial", 12, true});
    Label3 = controls::label(this, "Label3", QStringLiteral("X"));
    Label3->hide();
    Label4_2 = controls::label(this, "Label4_2", QStringLiteral("alle Dauerbelegungen dieses Raumes"));
    List1 = controls::list(this, "List1", {}, true);
    Label4_1 = controls::label(this, "Label4_1", QStringLiteral("Index"));
    Label2 = controls::label(this, "Label2", QStringLiteral("X"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("bitte in die Liste klicken !"));
    controls::setBackColor(Text1, BackColour(6));
    Text1->setEnabled(false);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"));

    place(Label1, 120, 120, 6600, 360);
    place(Label4_2, 120, 600, 4200, 255);
    place(List1, 120, 870, 4200, 5400);
    place(Label4_1, 4500, 870, 1200, 255);
    place(Label2, 4500, 1140, 1200, 300);
    place(Text1, 120, 6400, 6600, 400);
    place(Command1, 4500, 5800, 2200, 480);
    resize(units::twipsToPixels(6900), units::twipsToPixels(7000));

    connect(List1, &ListBox::Click, this, &Form58::List1_Click);
    connect(Text1, &TextBox::KeyDown, this, &Form58::Text1_KeyDown);
    connect(Command1, &QPushButton::clicked, this, &Form58::Command1_Click);
}

void Form58::LoadRoom(const QString& roomCaption)
{
    const double room = numbers::val(roomCaption);
    const bool known = room >= 0 && room <= kLastSlot && room == static_cast<int>(room);
    Label1->setText("Globale Belegungen: " + (known ? gRoomNames(static_cast<int>(room)) : QString()));
    Label3->setText(roomCaption);
    List1->Clear();

    const QString path = RoomBookingFilePath(roomCaption);
    const bool exists = datafile::exists(path);
    const std::optional<QStringList> lines = ReadRoomBookings(roomCaption);
    m_fileUnread = exists && !lines;
    if (m_fileUnread) {
        MsgBox("Die Datei " + QFileInfo(path).fileName()
               + " kann nicht gelesen werden; die Belegungen dieses Raumes werden beim Schließen nicht gespeichert.");
    }
    // A file of N lines fills N slots, an existing empty file counts as one.
    int used = 0;
    if (exists && lines) {
        for (const QString& line : *lines)
            List1->AddItem(line);
        used = std::max(1, static_cast<int>(lines->size()));
    }
    for (int slot = used; slot <= kLastSlot; ++slot)
        List1->AddItem(kFree);
    m_savedBookings = bookings();
}

void Form58::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0)
        return;
    Text1->setEnabled(true);
    Label2->setText(QString::number(index));
    Text1->setText(List1->List(index));
}

void Form58::Text1_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    const double at = numbers::val(Label2->text());
    if (at < 0 || at >= List1->ListCount())
        return;
    const int index = static_cast<int>(at);
    // The edited entry stays where it was; the list is not sorted again.
    List1->setItemText(index, datafile::sanitizeField(Text1->text().trimmed()));
    List1->setListIndex(index);
}

void Form58::Command1_Click() { unload(); }

QStringList Form58::bookings() const
{
    QStringList lines;
    for (const QString& entry : List1->items()) {
        if (IsBookingLine(entry))
            lines << entry;
    }
    return lines;
}

// Closed without edits, the editor leaves the file as it is: rewriting it
// would drop its lines that are no bookings, undo what another PC saved
// meanwhile and fail in a folder this PC cannot write.
bool Form58::hasUnsavedEdits() const { return !m_fileUnread && bookings() != m_savedBookings; }

QString Form58::saveEdits()
{
    const QString path = RoomBookingFilePath(Label3->text());
    const QStringList lines = bookings();
    if (const auto written = datafile::rewrite(path, lines); !written)
        return "Die globalen Raumbelegungen konnten nicht gespeichert werden (" + QFileInfo(path).fileName()
               + "): " + written.reason;
    m_savedBookings = lines;
    return {};
}
