#include "planner/masterdata/group_teacher_order.h"

#include "core/model.h"
#include "core/timetable.h"
#include "platform/controls.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <utility>

namespace {
constexpr int kTeacherSlots = 10;
// The plan files keep slots 0..8 only: a teacher moved into the last slot
// would be gone after the next save.
constexpr int kLastKeptSlot = kTeacherSlots - 2;
// Rows 0..5 move down.
constexpr int kLastRowDown = 5;
const controls::Font kBold{"Arial", 8.25, true};

QString teacherName(int t)
{
    if (t < 1 || t > gTeacherNames.upper())
        return {};
    return gTeacherNames(t).toString();
}
}

Form37::Form37() : FormBase(37)
{
    setObjectName(QStringLiteral("Form37"));
    setWindowTitle(QStringLiteral("Reihenfolge bei Gruppenunterricht"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Personal für BU > 1a"), kBold);
    List1 = controls::list(this, "List1");
    List1->setToolTip(QStringLiteral("die Reihenfolge der Liste kann geändert werden"));
    Command2 = controls::button(this, "Command2", QStringLiteral("eine Zeile rauf"), kBold);
    Command2->setToolTip(QStringLiteral("in der Liste um eine Position rauf"));
    Command3 = controls::button(this, "Command3", QStringLiteral("eine Zeile runter"), kBold);
    Command3->setToolTip(QStringLiteral("eine Zeile runterrücken"));
    Command1 = controls::button(this, "Command1", QStringLiteral("zurück"), kBold);

    place(Label1, 120, 120, 4200, 300);
    place(List1, 120, 480, 2520, 2640);
    place(Command2, 2760, 480, 1560, 480);
    place(Command3, 2760, 1020, 1560, 480);
    place(Command1, 2760, 2640, 1560, 480);
    resize(units::twipsToPixels(4440), units::twipsToPixels(3240));

    connect(List1, &ListBox::Click, this, &Form37::List1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form37::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form37::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form37::Command1_Click);
}

// The start window may open this before the editor has looked for the last
// class in use.
void Form37::Form_Activate()
{
    FindLastUsedClass();
    const int cls = gClass.toInt();
    const int subject = gSubject.toInt();
    if (cls < 1 || cls > gLastClass.toInt() || subject < 1 || subject > gMaxSubjects)
        return;
    m_class = cls;
    m_subject = subject;
    Label1->setText(QStringLiteral("Personal für ") + gSubjectNames(subject, 1) + QStringLiteral(" > ")
                    + gClassNames(cls).toString());
    fillTeachers();
}

// Row k shows slot k, an empty slot as an empty row.
void Form37::fillTeachers()
{
    QStringList rows;
    for (int k = 0; k < kTeacherSlots; ++k)
        rows << teacherName(gSubjectTeachers(m_class, m_subject, k));
    List1->Clear();
    List1->AddItems(rows);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
}

void Form37::List1_Click()
{
    const int row = List1->ListIndex();
    Command2->setEnabled(row > 0 && row <= kLastKeptSlot);
    Command3->setEnabled(row >= 0 && row <= kLastRowDown);
}

void Form37::Command2_Click() { moveSelected(-1); }

void Form37::Command3_Click() { moveSelected(1); }

void Form37::moveSelected(int step)
{
    controls::disableHandingFocusTo(Command3, List1);
    controls::disableHandingFocusTo(Command2, List1);
    const int row = List1->ListIndex();
    const int other = row + step;
    if (m_class < 1 || std::min(row, other) < 0 || std::max(row, other) > kLastKeptSlot)
        return;
    std::swap(gSubjectTeachers(m_class, m_subject, row), gSubjectTeachers(m_class, m_subject, other));
    fillTeachers();
}

void Form37::Command1_Click() { unload(); }
