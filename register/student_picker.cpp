#include "register/student_picker.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/units.h"
#include "register/entry_window.h"

#include <QPushButton>
#include <algorithm>

namespace {
int studentCount() { return std::min<int>(gStudentCount, static_cast<int>(gStudentNames.upper())); }

// The number sits in the last four characters, pushed out of sight by blanks.
QString studentItem(int student)
{
    return gStudentNames(student).toString() + QLatin1Char(' ') + gStudentClass(student) + QString(60, QLatin1Char(' '))
           + QString::number(student);
}

int studentOfItem(const QString& item) { return static_cast<int>(numbers::val(item.right(4))); }

bool matches(int student, const QString& classFilter, const QString& nameFilter)
{
    if (!classFilter.isEmpty() && !gStudentClass(student).toUpper().contains(classFilter))
        return false;
    return gStudentNames(student).toString().toUpper().contains(nameFilter);
}
}

Form3::Form3() : FormBase(3)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Schüler/innen"));
    resize(units::twipsToPixels(6600), units::twipsToPixels(5400));
    List1 = controls::list(this, "List1", {"Arial", 14.25, true});
    List1->hideItemNumbers();
    place(List1, 120, 120, 6360, 4440);
    Command1 = controls::button(this, "Command1", QStringLiteral("exit"));
    place(Command1, 5280, 4680, 1200, 495);
    connect(List1, &ListBox::Click, this, &Form3::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

QList<int> MatchingStudents(const Form1& main)
{
    gEntryClass = main.Text3->text().trimmed().toUpper();
    gText = main.Text7->text().trimmed().toUpper();
    const QString classFilter = gEntryClass.toString();
    const QString nameFilter = gText.toString();
    QList<int> students;
    for (int i = 1; i <= studentCount(); ++i) {
        if (matches(i, classFilter, nameFilter))
            students << i;
    }
    return students;
}

bool TakeStudent(Form1& main, int student)
{
    if (student < 1 || student > studentCount())
        return false;
    gCounter = student;
    main.Text7->setText(gStudentNames(student).toString());
    main.Text3->setText(gStudentClass(student));
    controls::setBackColor(main.Text7, BackColour(6));
    controls::setBackColor(main.Text3, BackColour(6));
    return true;
}

void Form3::Form_Activate()
{
    Form1* main = forms::ifOpen<Form1>();
    if (!main)
        return;
    const QList<int> students = MatchingStudents(*main);
    QStringList items;
    for (const int student : students)
        items << studentItem(student);
    List1->Clear();
    List1->AddItems(items);
    if (students.size() == 1)
        TakeStudent(students.front());
}

void Form3::List1_Click()
{
    gText = List1->List(List1->ListIndex());
    TakeStudent(studentOfItem(gText.toString()));
}

void Form3::Command1_Click() { unload(); }

void Form3::TakeStudent(int student)
{
    Form1* main = forms::ifOpen<Form1>();
    if (main && ::TakeStudent(*main, student))
        unload();
}
