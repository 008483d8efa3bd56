#include "admin/student_list.h"

#include "core/constants.h"
#include "core/master_data.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dialogs.h"
#include "platform/input_guard.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {
const QString kNewStudent = QStringLiteral("0_neu");
// Classes of a higher level leave the school at the change of the school year.
constexpr int kLastLevel = 3;

QString studentFile() { return gDataPath + QStringLiteral("schüler.dat"); }

int capacity() { return gStudentNames.upper(); }

// The number at the end of a list item: the student's slot.
int slotOfItem(const QString& item)
{
    return static_cast<int>(numbers::val(item.mid(item.lastIndexOf(QLatin1Char(' ')) + 1)));
}

// The lines of the student file after the students the program can hold; they
// stay in the file. Unreadable when the file is there but cannot be read: a
// rewrite then could lose students.
datafile::FileRead linesBeyondCapacity()
{
    datafile::FileRead read = datafile::readFile(studentFile());
    read.lines = read.lines.mid(2 * capacity());
    return read;
}

// The student in the next school year: the class moves up one level, or the
// name is emptied when the student leaves the school. Without a name or a
// class the student stays as it is.
void moveUp(QString& name, QString& cls)
{
    if (name.isEmpty() || cls.isEmpty())
        return;
    const int level = static_cast<int>(numbers::val(cls.left(1)));
    if (level > kLastLevel)
        name.clear();
    else
        cls = (QString::number(level + 1) + cls.mid(1)).trimmed();
}

// Students in file lines (name line, class line) moved up; those leaving are dropped.
QStringList movedUp(const QStringList& lines)
{
    QStringList out;
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        QString name = lines[i];
        QString cls = lines.value(i + 1);
        moveUp(name, cls);
        if (name.isEmpty())
            continue;
        out << name;
        if (i + 1 < lines.size())
            out << cls;
    }
    return out;
}

// Rewrites the student file with every slot 1..lastSlot that holds a student,
// then what lies beyond the capacity (moved up too at the school-year change).
datafile::WriteResult writeStudentFile(int lastSlot, bool newSchoolYear)
{
    const datafile::FileRead beyond = linesBeyondCapacity();
    if (beyond.state == datafile::FileRead::State::Unreadable)
        return {false, beyond.reason};
    QStringList lines;
    for (int i = 1; i <= lastSlot; ++i) {
        const QString name = gStudentNames(i).toString();
        if (!name.isEmpty() && name != kNewStudent)
            lines << datafile::sanitizeField(name) << datafile::sanitizeField(gStudentClass(i));
    }
    lines << (newSchoolYear ? movedUp(beyond.lines) : beyond.lines);
    return datafile::rewrite(studentFile(), lines);
}

// Writes the students and lists what the file then holds.
void saveAndReload(int lastSlot, bool newSchoolYear)
{
    if (const datafile::WriteResult written = writeStudentFile(lastSlot, newSchoolYear); !written)
        MsgBox(QStringLiteral("Die Schülerliste konnte nicht gespeichert werden (schüler.dat): %1. "
                              "Die Liste zeigt den gespeicherten Stand.")
                   .arg(written.reason));
    LoadStudentsIntoList();
}

// The blanks push the student number out of the list's sight, as the picker
// does; as many as the list's width needs for a short name, at least `blanks`.
QString withHiddenNumber(const ListBox& list, const QString& shown, int blanks, int number)
{
    const QFontMetricsF metrics(list.font());
    const qreal blankWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    const int needed = static_cast<int>(std::ceil((list.width() - metrics.horizontalAdvance(shown)) / blankWidth)) + 1;
    return shown + QString(std::max(blanks, needed), QLatin1Char(' ')) + QString::number(number);
}

QString studentItem(const ListBox& list, int slot)
{
    return withHiddenNumber(list, gStudentClass(slot) + QStringLiteral("  -  ") + gStudentNames(slot).toString(), 55,
                            slot);
}
}

void LoadStudentsIntoList()
{
    Form25* f = forms::ifOpen<Form25>();
    if (f)
        f->List1->Clear();
    ReadStudentFile();
    if (!f)
        return;
    QStringList items;
    for (int i = 1; i <= gStudentCount; ++i)
        items << studentItem(*f->List1, i);
    items << withHiddenNumber(*f->List1, kNewStudent, 65, gStudentCount + 1);
    f->List1->AddItems(items);
}

Form25::Form25() : FormBase(25)
{
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Schülerliste bearbeiten"));

    Label2 = controls::label(this, "Label2", QStringLiteral("Liste der Schülerinnen und Schüler"));
    List1 = controls::list(this, "List1", {}, true);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label1 = controls::label(this, "Label1", QStringLiteral("index"));
    Label6 = controls::label(this, "Label6", QStringLiteral("index"));
    Label3 = controls::label(this, "Label3", QStringLiteral("Familienname Vorname"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("Familienname Vorname"));
    Label4 = controls::label(this, "Label4", QStringLiteral("Klasse"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("1a"));
    for (TextBox* box : {Text1, Text2}) {
        controls::setBackColor(box, BackColour(6));
        box->setEnabled(false);
    }
    Command2 = controls::button(this, "Command2", QStringLiteral("eintragen"));
    Command2->setEnabled(false);
    Command3 = controls::button(this, "Command3", QStringLiteral("Jahreswechsel"));
    Label5 = controls::label(
        this, "Label5", QStringLiteral("Alle SchülerInnen werden um eine Klasse aufgestuft. Wirklich durchführen?"));
    Label5->setWordWrap(true);
    Command4 = controls::button(this, "Command4", QStringLiteral("JA"));
    Command5 = controls::button(this, "Command5", QStringLiteral("nein"));
    // They ask in place of a box.
    inputguard::asks(Command4);
    inputguard::asks(Command5);
    showQuestion(false);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"));

    place(Label2, 120, 120, 4800, 255);
    place(List1, 120, 390, 4800, 5700);
    place(Label1, 5160, 390, 900, 300);
    place(Label6, 6180, 390, 900, 300);
    place(Label3, 5160, 840, 3600, 255);
    place(Text1, 5160, 1110, 3600, 400);
    place(Label4, 5160, 1620, 1500, 255);
    place(Text2, 5160, 1890, 1500, 400);
    place(Command2, 5160, 2460, 1500, 480);
    place(Command3, 5160, 3300, 1800, 480);
    place(Label5, 5160, 3900, 3600, 720);
    place(Command4, 5160, 4680, 1200, 480);
    place(Command5, 6480, 4680, 1200, 480);
    place(Command1, 7320, 5610, 1400, 480);
    resize(units::twipsToPixels(8900), units::twipsToPixels(6300));

    connect(List1, &ListBox::Click, this, &Form25::List1_Click);
    connect(Text1, &TextBox::Click, this, &Form25::Text1_Click);
    connect(Text2, &TextBox::Click, this, &Form25::Text2_Click);
    connect(Command2, &QPushButton::clicked, this, &Form25::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form25::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Form25::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &Form25::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &Form25::Command1_Click);
}

void Form25::Form_Load()
{
    LoadStudentsIntoList();
    if (!linesBeyondCapacity().lines.isEmpty())
        MsgBox(QStringLiteral("Die Schülerdatei enthält mehr als %1 Schülerinnen und Schüler. Die Liste zeigt die "
                              "ersten %1; die übrigen bleiben in der Datei und werden beim Jahreswechsel mit "
                              "aufgestuft.")
                   .arg(capacity()));
}

void Form25::List1_Click()
{
    // Once a student is being edited, the school-year change would renumber the
    // list under the edit: it waits for the next opening.
    Command3->setEnabled(false);
    showQuestion(false);
    const int n = slotOfItem(List1->List(List1->ListIndex()));
    if (n < 1 || n > gStudentCount + 1)
        return;
    if (n > capacity()) {
        MsgBox(QStringLiteral("Die Schülerliste ist voll: mehr als %1 Schülerinnen und Schüler kann das Programm "
                              "nicht führen.")
                   .arg(capacity()));
        return;
    }
    Label1->setText(QString::number(n));
    Label6->setText(QString::number(gStudentCount));
    // The slot of a new student may still hold one removed earlier.
    const bool isNew = n > gStudentCount;
    Text1->setText(isNew ? QString() : gStudentNames(n).toString());
    Text2->setText(isNew ? QString() : gStudentClass(n));
    Text1->setEnabled(true);
    Text2->setEnabled(true);
    Command2->setEnabled(false);
}

void Form25::Text1_Click() { Command2->setEnabled(true); }

void Form25::Text2_Click() { Command2->setEnabled(true); }

void Form25::Command2_Click()
{
    controls::disableHandingFocusTo(Command2, List1);
    const int n = static_cast<int>(numbers::val(Label1->text()));
    if (n < 1 || n > gStudentCount + 1 || n > capacity())
        return;
    gStudentNames(n) = Text1->text().trimmed();
    gStudentClass(n) = Text2->text().trimmed();
    // Closed meanwhile, the window is left alone; the student is saved all the same.
    if (forms::stillOpenAfterEvents(this)) {
        for (TextBox* box : {Text1, Text2}) {
            box->setText(QString());
            box->setEnabled(false);
        }
    }
    saveAndReload(std::max<int>(n, gStudentCount), false);
}

void Form25::Command3_Click() { showQuestion(true); }

void Form25::Command5_Click() { showQuestion(false); }

void Form25::Command4_Click()
{
    showQuestion(false);
    List1->setEnabled(false);
    for (int i = 1; i <= gStudentCount; ++i) {
        QString name = gStudentNames(i).toString();
        QString cls = gStudentClass(i);
        moveUp(name, cls);
        gStudentNames(i) = name;
        gStudentClass(i) = cls;
    }
    saveAndReload(gStudentCount, true);
    List1->setEnabled(true);
}

void Form25::Command1_Click() { unload(); }

void Form25::showQuestion(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label5, Command4, Command5})
        w->setVisible(visible);
}
