#include "planner/masterdata/year_change_window.h"

#include "planner/editor/optimiser_window.h"
#include "planner/editor/timetable_editor.h"
#include "planner/masterdata/class_table.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <optional>

namespace {
constexpr int kFewestNewClasses = 1;
constexpr int kMostNewClasses = 7;
const controls::Font kBold{"Arial", 8.25, true};

// The count of new classes typed, when it is one the year change carries
// out: a whole number of 1 to 7 (a fraction would name no class).
std::optional<int> newClassCount(const QString& typed)
{
    const double count = numbers::val(typed);
    if (count != std::floor(count) || count < kFewestNewClasses || count > kMostNewClasses)
        return std::nullopt;
    return static_cast<int>(count);
}
}

Form45::Form45() : FormBase(45)
{
    setObjectName(QStringLiteral("Form45"));
    setWindowTitle(QStringLiteral("Jahreswechsel"));

    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Alle Klassenvorstände rücken mit ihren Klassen um ein Jahr auf. "
                                            "Nachbessern ist nachträglich möglich."));
    Label1->setWordWrap(true);
    Label2 = controls::label(this, "Label2", QStringLiteral("Zahl der neuen Klassen:"), kBold);
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("?"));
    Command2 = controls::button(this, "Command2", QStringLiteral("Jahreswechsel durchführen"), kBold);
    Command2->setEnabled(false);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);

    place(Label1, 120, 120, 4680, 720);
    place(Label2, 120, 1020, 2400, 300);
    place(Text1, 2640, 960, 720, 360);
    place(Command2, 120, 1560, 3000, 480);
    place(Command1, 3240, 1560, 1560, 480);
    resize(units::twipsToPixels(4920), units::twipsToPixels(2160));

    connect(Text1, &TextBox::Change, this, &Form45::Text1_Change);
    connect(Command2, &QPushButton::clicked, this, &Form45::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form45::Command1_Click);
}

// The button offers only the counts the change carries out; 8 used to close
// the window as if the change were done.
void Form45::Text1_Change() { Command2->setEnabled(newClassCount(Text1->text()).has_value()); }

// The classes move in the grid: see the insertion of a class.
void Form45::Command2_Click()
{
    AfterOptimisationRun(this, [this] { changeYear(); });
}

void Form45::changeYear()
{
    const std::optional<int> count = newClassCount(Text1->text());
    if (!count)
        return;
    const YearChange change = ChangeSchoolYear(*count);
    if (!change.done) {
        MsgBox(QStringLiteral("Mit %1 neuen Klassen wären es %2 Klassen; die Klassenliste hat nur 24 Plätze. "
                              "Es wurde nichts geändert.")
                   .arg(*count)
                   .arg(change.classes));
        return;
    }
    // Written at once: the new names would otherwise be lost at the end of
    // the program.
    const ClassFilesSaved saved = SaveClassFiles();
    if (forms::isOpen<Form15>())
        RedrawTimetableGrid();
    // The window may be closed while the box is up.
    const auto tellFailure = [&saved] {
        MsgBox(saved.failure
               + (saved.changed.isEmpty()
                      ? QStringLiteral("\nDer Jahreswechsel gilt nur, bis das Programm beendet wird.")
                      : QStringLiteral("\nIn den unveränderten Dateien gilt der Jahreswechsel nur, bis das Programm "
                                       "beendet wird.")));
    };
    if (saved.failure.isEmpty() || forms::stillOpenAfter(this, tellFailure))
        unload();
}

void Form45::Command1_Click() { unload(); }
