#include "planner/masterdata/class_insert_window.h"

#include "core/model.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/timetable_editor.h"
#include "planner/masterdata/class_table.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kClassSlots = 24;
const controls::Font kBold{"Arial", 8.25, true};
}

Form67::Form67() : FormBase(67)
{
    setObjectName(QStringLiteral("Form67"));
    setWindowTitle(QStringLiteral("Klasse einfügen"));

    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Es besteht die Möglichkeit, eine zusätzliche Klasse in eine bereits "
                                            "bestehende Klassenliste bei geladenem Plan einzufügen. "));
    Label1->setWordWrap(true);
    Label2 = controls::label(this, "Label2",
                             QStringLiteral("Wählen Sie bitte, vor welcher Klasse eine neue Klasse eingereiht "
                                            "werden soll:"));
    Label2->setWordWrap(true);
    List1 = controls::list(this, "List1");
    Label3 = controls::label(this, "Label3", QStringLiteral("noch keine Position gewählt"), kBold);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command2 = controls::button(this, "Command2", QStringLiteral("neue Klasse einfügen"), kBold);
    Command2->setEnabled(false);
    Command1 = controls::button(this, "Command1", QStringLiteral("zurück"), kBold);

    place(Label1, 120, 120, 5400, 660);
    place(Label2, 120, 840, 5400, 480);
    place(List1, 120, 1380, 2160, 3840);
    place(Label3, 2400, 1380, 3120, 1920);
    place(Command2, 2400, 3420, 3120, 480);
    place(Command1, 2400, 4740, 3120, 480);
    resize(units::twipsToPixels(5640), units::twipsToPixels(5340));

    connect(List1, &ListBox::Click, this, &Form67::List1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form67::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form67::Command1_Click);
}

void Form67::Form_Load() { fillClassList(); }

// Empty slots are listed too, so that a list position + 1 is the class number.
void Form67::fillClassList()
{
    QStringList names;
    for (int c = 1; c <= kClassSlots; ++c)
        names << gClassNames(c).toString();
    List1->Clear();
    List1->AddItems(names);
}

void Form67::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0)
        return;
    m_position = index + 1;
    Label3->setText(QStringLiteral("Gewählte Einfügeposition: vor der ") + gClassNames(m_position).toString());
    Command2->setEnabled(true);
}

// The classes move in the grid: a run filling it would go on with its
// lessons in the wrong rows, and its best plan would come back in the old
// order.
void Form67::Command2_Click()
{
    AfterOptimisationRun(this, [this] { insertClass(); });
}

void Form67::insertClass()
{
    if (m_position < 1)
        return;
    controls::disableHandingFocusTo(Command2, List1);
    Inserted inserted;
    QString outcome;
    {
        const BusyPointer busy;
        inserted = InsertClassBefore(m_position);
        // The class in the last slot would be pushed out of the table.
        if (inserted.result == Insertion::ListFull) {
            Label3->setText(QStringLiteral("Die Klassenliste ist voll: auf dem letzten Platz steht schon die "
                                           "Klasse %1. Es kann keine Klasse mehr eingefügt werden.")
                                .arg(gClassNames(kClassSlots).toString()));
            return;
        }
        m_position = 0;
        fillClassList();
        if (forms::isOpen<Form15>())
            RedrawTimetableGrid();
        outcome = inserted.result == Insertion::NotWritten ? QStringLiteral("Es wurde keine Klasse eingefügt.")
                                                           : QStringLiteral("Die Klasse wurde eingefügt.");
        Label3->setText(inserted.result == Insertion::Done
                            ? QStringLiteral("Aktion abgeschlossen. Wenn Sie einen Plan geladen haben, können Sie "
                                             "diesen nun speichern.")
                            : outcome);
    }
    if (!inserted.failure.isEmpty())
        MsgBox(inserted.failure + QLatin1Char('\n') + outcome);
}

void Form67::Command1_Click() { unload(); }
