#include "planner/editor/teacher_fixations.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_editor.h"
#include "platform/controls.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr short kTemporary = 1;
constexpr int kAbilityGroups = 4;

enum class Cell { Skipped, Taught, NotTaught };

// Whether the teacher teaches in a row of the cell; an ability-group lesson
// keeps the whole cell fixed unless they are included.
Cell rowOf(int day, int period, int cls, int half, int teacher, bool withAbilityGroups)
{
    const int subject = rules::lessonAt(day, period, cls, half);
    if (subject <= 0)
        return Cell::NotTaught;
    if (!withAbilityGroups && rules::property(subject, kAbilityGroups) == 1)
        return Cell::Skipped;
    for (int slot = 0; slot < rules::kTeacherSlots; ++slot) {
        if (rules::lessonTeacher(cls, subject, slot) == teacher)
            return Cell::Taught;
    }
    return Cell::NotTaught;
}

bool releases(int day, int period, int cls, int teacher, bool withAbilityGroups)
{
    const Cell left = rowOf(day, period, cls, 0, teacher, withAbilityGroups);
    const Cell right = rowOf(day, period, cls, 1, teacher, withAbilityGroups);
    if (left == Cell::Skipped || right == Cell::Skipped)
        return false;
    return left == Cell::Taught || right == Cell::Taught;
}
}

Form42::Form42() : FormBase(42)
{
    setObjectName(QStringLiteral("Form42"));
    setWindowTitle(QStringLiteral("lehrerbezogen Fixierungen lösen"));
    List1 = controls::list(this, "List1");
    place(List1, 120, 120, 2400, 3000);
    Label1 = controls::label(this, "Label1", QString(), {"Arial", 10, true});
    place(Label1, 2640, 120, 2640, 375);
    Check1 = controls::named<QCheckBox>(this, "Check1");
    Check1->setText(QStringLiteral("LG-Fächer einbeziehen"));
    place(Check1, 2640, 600, 2640, 375);
    Command1 = controls::button(this, "Command1", QStringLiteral("Fixierungen lösen"));
    place(Command1, 2640, 1200, 2640, 495);
    Command2 = controls::button(this, "Command2", QStringLiteral("Exit"));
    place(Command2, 2640, 2625, 2640, 495);
    resize(units::twipsToPixels(5400), units::twipsToPixels(3240));
    connect(List1, &ListBox::Click, this, &Form42::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form42::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form42::Command2_Click);
}

void Form42::Form_Activate()
{
    m_teacher = 0;
    gTeacher = 0;
    Label1->clear();
    List1->Clear();
    const int teachers = std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(gTeacherNames.upper(0)));
    QStringList names;
    for (int t = 1; t <= teachers; ++t)
        names << gTeacherNames(t).toString();
    List1->AddItems(names);
    Command1->setEnabled(false);
}

void Form42::List1_Click()
{
    m_teacher = List1->ListIndex() + 1;
    gTeacher = m_teacher;
    showTeacher(gTeacherNames(m_teacher).toString());
}

void Form42::showTeacher(const QString& name)
{
    Label1->setText(name);
    Label1_Change();
}

void Form42::Label1_Change()
{
    if (!Label1->text().isEmpty())
        Command1->setEnabled(true);
}

void Form42::Command1_Click()
{
    // The optimisation owns the grid until it ends by loading its best plan.
    if (gOptimizerRunning == 1) {
        Beep();
        return;
    }
    {
        const BusyPointer busy;
        const bool withAbilityGroups = Check1->isChecked();
        const int days = timetable::days();
        const int periods = timetable::periods();
        const int classes = timetable::lastClass();
        for (int d = 1; d <= days; ++d)
            for (int p = 1; p <= periods; ++p)
                for (int c = 1; c <= classes; ++c) {
                    if (gFixations(d, p, c, 0) == kTemporary && releases(d, p, c, m_teacher, withAbilityGroups)) {
                        gFixations(d, p, c, 0) = 0;
                        gFixations(d, p, c, 1) = 0;
                    }
                }
        RedrawTimetableGrid();
    }
    unload();
    // A redraw loads the editor without showing it; the focus stays here then.
    Form15* editor = forms::ifOpen<Form15>();
    if (editor && editor->isVisible())
        editor->Command5->setFocus();
}

void Form42::Command2_Click() { unload(); }
