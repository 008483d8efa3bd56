#include "planner/masterdata/printer_choice.h"

#include "core/model.h"
#include "core/window_positions.h"
#include "platform/controls.h"
#include "platform/printer.h"
#include "platform/units.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int kPositionSlot = 28;
const controls::Font kListFont{"Arial", 15};
const controls::Font kButtonFont{"Arial", 8.25, true};

bool topOnScreen(int top)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && top > 0 && top < units::pixelsToTwips(screen->geometry().height());
}
}

// The window keeps its position by a rule of its own, so it has no slot of
// the window base.
Form28::Form28() : FormBase(0)
{
    setObjectName(QStringLiteral("Form28"));
    setWindowTitle(QStringLiteral("Drucker - Einstellung"));

    List1 = controls::list(this, "List1", kListFont);
    Command2 = controls::button(this, "Command2", QStringLiteral("als Standarddrucker auswählen"), kButtonFont);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kButtonFont);

    place(List1, 120, 120, 5400, 2700);
    place(Command2, 120, 2940, 3480, 480);
    place(Command1, 3720, 2940, 1800, 480);
    resize(units::twipsToPixels(5640), units::twipsToPixels(3540));

    connect(List1, &ListBox::Click, this, &Form28::List1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form28::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form28::Command1_Click);
}

void Form28::Form_Load() { RestoreWindowPosition(*this, kPositionSlot); }

void Form28::Form_Activate()
{
    Command2->setEnabled(false);
    List1->Clear();
    for (const QString& name : Printer::printerNames())
        List1->AddItem(name);
}

void Form28::List1_Click() { Command2->setEnabled(true); }

void Form28::Command2_Click()
{
    gLoopI = List1->ListIndex();
    printer().choosePrinter(List1->List(gLoopI.toInt()));
    Command2->setEnabled(false);
    unload();
}

void Form28::Command1_Click() { unload(); }

// A window dragged above the screen's top keeps the position it had before.
void Form28::Form_Unload(bool&)
{
    if (topOnScreen(units::pixelsToTwips(y())))
        StoreWindowPosition(*this, kPositionSlot);
}
