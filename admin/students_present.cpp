#include "admin/students_present.h"

#include "admin/student_statistics.h"
#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/units.h"
#include "register/absent_students.h"
#include "register/day_file.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <array>

namespace {
constexpr controls::Font kFixed{"Courier New", 9};
constexpr int kClassSlots = decltype(Model::gClassNames)::upper();

// The students the table can hold, whatever the count says.
int studentCount() { return std::clamp<int>(gStudentCount, 0, decltype(Model::gStudentNames)::upper()); }

// The class slot of a student's class, the last one of that name; 0 when none.
// A slot without a name holds no class, so a student without one is in none.
int classSlot(const QString& cls)
{
    int found = 0;
    for (int k = 1; k <= kClassSlots; ++k) {
        const QString name = gClassNames(k).toString();
        if (!TrimBlanks(name).isEmpty() && IsSameClass(name, cls))
            found = k;
    }
    return found;
}
}

Form12::Form12() : FormBase(12)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Anwesende"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Schülerstand"));
    List1 = controls::list(this, "List1", kFixed);
    Label2 = controls::label(this, "Label2", QStringLiteral("Fehlende"));
    List2 = controls::list(this, "List2", kFixed, true);
    Command1 = controls::button(this, "Command1", QStringLiteral("Statistik"));
    Command4 = controls::button(this, "Command4", QStringLiteral("exit"));

    place(Label1, 120, 120, 2400, 255);
    place(List1, 120, 390, 2400, 4500);
    place(Label2, 2760, 120, 4800, 255);
    place(List2, 2760, 390, 4800, 4500);
    place(Command1, 120, 5100, 1400, 420);
    place(Command4, 6160, 5100, 1400, 420);
    resize(units::twipsToPixels(7680), units::twipsToPixels(5700));

    connect(Command1, &QPushButton::clicked, this, &Form12::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Form12::Command4_Click);
}

void Form12::Form_Load()
{
    // The marks in memory date from the main window's last activation; entries
    // made since, here or on another PC, must count too.
    gDayFilePath = DayFilePath(Clock::today());
    LoadDayEntries();
    MarkAbsentStudents();
    List1->Clear();
    List2->Clear();
    // Without today's entries every student would count as present.
    if (!UnreadableDayNotice().isEmpty())
        List2->AddItem(UnreadableDayNotice());
    FillAbsentStudents();
    FillClassLines();
}

void Form12::FillAbsentStudents()
{
    QStringList absent;
    for (int i = 1; i <= studentCount(); ++i) {
        if (gStudentAbsent(i) != 0)
            absent << gStudentClass(i) + " - " + gStudentNames(i).toString();
    }
    List2->AddItems(absent);
}

void Form12::FillClassLines()
{
    std::array<short, kClassSlots + 1> students{};
    std::array<short, kClassSlots + 1> absent{};
    for (int i = 1; i <= studentCount(); ++i) {
        const int k = classSlot(gStudentClass(i));
        if (k == 0)
            continue;
        ++students[k];
        if (gStudentAbsent(i) == 1)
            ++absent[k];
    }
    for (int k = 1; k <= kClassSlots; ++k) {
        if (students[k] == 0)
            continue;
        QString line = gClassNames(k).toString() + ": " + QString::number(students[k]);
        if (absent[k] > 0)
            line += " - " + QString::number(absent[k]);
        List1->AddItem(line);
    }
}

void Form12::Command1_Click()
{
    forms::show<Form21>();
    unload();
}

void Form12::Command4_Click() { unload(); }
