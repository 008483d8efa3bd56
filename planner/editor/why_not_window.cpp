#include "planner/editor/why_not_window.h"

#include "core/model.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/timetable_editor.h"
#include "platform/controls.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>

namespace {
const QString kCheckSoon = QStringLiteral("Bitte baldigst eine Fehlerprüfung durchführen !");
}

Form40::Form40() : FormBase(40)
{
    setObjectName(QStringLiteral("Form40"));
    setWindowTitle(QStringLiteral("warum nicht ..."));
    Label1 = controls::label(this, "Label1", QString());
    place(Label1, 120, 120, 5160, 300);
    List1 = controls::list(this, "List1");
    place(List1, 120, 480, 5160, 1950);
    Command2 = controls::button(this, "Command2", QStringLiteral("Warnung missachten - Fach einbauen"));
    place(Command2, 120, 2580, 3480, 495);
    Command1 = controls::button(this, "Command1", QStringLiteral("gesehen"));
    place(Command1, 3720, 2580, 1560, 495);
    resize(units::twipsToPixels(5400), units::twipsToPixels(3195));
    connect(Command1, &QPushButton::clicked, this, &Form40::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form40::Command2_Click);
}

void Form40::Form_Activate()
{
    List1->Clear();
    Label1->clear();
    m_subject = 0;
    const Form15* editor = forms::ifOpen<Form15>();
    const int row = editor ? editor->List2->ListIndex() : -1;
    const QString entry = editor ? editor->List2->List(row) : QString();
    if (entry.isEmpty())
        return;
    Label1->setText(entry + QStringLiteral(" kann hier nicht eingebaut werden weil ..."));
    gText = entry;
    FindSubjectByShortName();
    if (const int listed = editor::entrySubject(editor->List2, row); listed != 0)
        gSubject = listed;
    m_subject = gSubject.toInt();
    m_cell = editor->selectedCell();
    editor::enterCell(m_cell);
    List1->AddItems(RefusalsOfStandardChain());
}

void Form40::Command1_Click() { unload(); }

void Form40::Command2_Click()
{
    // The optimisation owns the grid until it ends by loading its best plan.
    if (gOptimizerRunning == 1) {
        Beep();
        return;
    }
    const editor::HalfCell cell = m_cell;
    const int subject = m_subject;
    unload();
    // Without a report there is nothing the user chose to place.
    if (subject == 0)
        return;
    gSubject = subject;
    editor::placeLesson(cell);
    Form15* editor = forms::get<Form15>();
    editor->Command1->setEnabled(false);
    RedrawTimetableGrid();
    editor->Label1->setText(kCheckSoon);
    gUncheckedChangeDay = static_cast<short>(cell.day);
}
