#include "admin/settings_window.h"

#include "admin/room_list.h"
#include "admin/student_list.h"
#include "core/constants.h"
#include "core/model.h"
#include "core/text_procedures.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "register/entry_window.h"
#include "register/password_file.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <array>

namespace {
const QString kMasterKey = QStringLiteral("mur-pelt");
const QString kFreeSlot = QStringLiteral("-");
// Line 1 of a password file handed out here is a random number below this.
constexpr int kPasswordNumberBound = 123456789;

bool isGreen(const QWidget* field) { return controls::backColor(field) == BackColour(6); }

void colourByDate(TextBox* field) { controls::setBackColor(field, BackColour(dates::isValid(field->text()) ? 6 : 0)); }

TextBox* textBox(QWidget* parent, const QString& name, int colour, bool enabled)
{
    auto* t = controls::named<TextBox>(parent, name);
    controls::setBackColor(t, BackColour(colour));
    t->setEnabled(enabled);
    return t;
}

TextBox* nameBox(QWidget* parent, const QString& name)
{
    TextBox* t = textBox(parent, name, 0, false);
    t->setVisible(false);
    return t;
}

QPushButton* lockedButton(QWidget* parent, const QString& name, const QString& caption)
{
    QPushButton* b = controls::button(parent, name, caption);
    b->setEnabled(false);
    return b;
}

// The students of "schüler.csv", or the message why none are imported.
struct StudentImport {
    QStringList names;
    QStringList classes;
    QString refusal;
};

// An empty spreadsheet row exports as separators alone.
bool isEmptyRow(const QString& line)
{
    for (QChar c : line) {
        if (c != QLatin1Char(';') && c != QLatin1Char('"') && !c.isSpace())
            return false;
    }
    return true;
}

// "Famname;Vorname;Klasse": the first separator becomes a blank, the text up
// to the second is the name, the rest the class; blanks around them stay.
bool splitStudent(QString line, QString& name, QString& cls)
{
    const qsizetype first = line.indexOf(QLatin1Char(';'));
    if (first < 0)
        return false;
    line[first] = QLatin1Char(' ');
    const qsizetype second = line.indexOf(QLatin1Char(';'), first + 1);
    if (second < 0)
        return false;
    gText = line.left(second);
    RemoveDoubleQuotes();
    name = datafile::sanitizeField(gText.toString());
    gText = line.mid(second + 1);
    RemoveDoubleQuotes();
    cls = datafile::sanitizeField(gText.toString());
    return true;
}

StudentImport readStudentImport(const QStringList& lines)
{
    StudentImport result;
    const int capacity = static_cast<int>(gStudentNames.upper());
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (isEmptyRow(lines[i]))
            continue;
        QString name;
        QString cls;
        if (!splitStudent(lines[i], name, cls)) {
            result.refusal = QStringLiteral("Zeile %1 der Datei schüler.csv hat nicht die Form "
                                            "\"Familienname; Vorname; Klasse\". Es wurde nichts importiert.")
                                 .arg(i + 1);
            return result;
        }
        if (result.names.size() == capacity) {
            result.refusal = QStringLiteral("Die Datei schüler.csv enthält mehr als %1 Schüler. Es wurde nichts "
                                            "importiert.")
                                 .arg(capacity);
            return result;
        }
        result.names << name;
        result.classes << cls;
    }
    return result;
}

datafile::WriteResult writeStudentFile(const StudentImport& students)
{
    QStringList lines;
    for (qsizetype i = 0; i < students.names.size(); ++i)
        lines << students.names[i] << students.classes[i];
    return datafile::rewrite(gDataPath + QStringLiteral("schüler.dat"), lines);
}

// Free slots, and names that would put the file elsewhere or hide it, get no
// password file: nobody can log in with them.
bool canHavePasswordFile(const QString& shortName)
{
    return !shortName.trimmed().isEmpty() && shortName != kFreeSlot && !shortName.startsWith(QLatin1Char('.')) &&
           !shortName.contains(QLatin1Char('/')) && !shortName.contains(QLatin1Char('\\'));
}
}

Form2::Form2() : FormBase(2)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    createControls();
    layOut();
    connectEvents();
}

void Form2::createControls()
{
    Label3 = controls::label(this, "Label3", QStringLiteral("masterkey"));
    Text2 = textBox(this, "Text2", 6, true);
    Text2->setEchoMode(QLineEdit::Password);
    // Each typed character shows as "*", not as the style's dot.
    Text2->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    Label1 = controls::label(this, "Label1", QStringLiteral("erster Schultag"));
    Text3 = textBox(this, "Text3", 6, false);
    Text3->setText(QStringLiteral("10-09-2016"));
    Label2 = controls::label(this, "Label2", QStringLiteral("letzer Schultag"));
    Text4 = textBox(this, "Text4", 6, false);
    Text4->setText(QStringLiteral("10-07-2017"));

    Label4 = controls::label(this, "Label4", QStringLiteral("Admin-Namenskürzel"));
    Text5 = nameBox(this, "Text5");
    Text6 = nameBox(this, "Text6");
    Text7 = nameBox(this, "Text7");
    Label5 = controls::label(this, "Label5", QStringLiteral("Ausnahmen, Begleitlehrer"));
    Text8 = nameBox(this, "Text8");
    Text9 = nameBox(this, "Text9");
    Text10 = nameBox(this, "Text10");

    Command2 = lockedButton(this, "Command2", QStringLiteral("importiere schüler.csv"));
    Command2->setToolTip(QStringLiteral("Famname; Vorname; Klassse"));
    Command5 = lockedButton(this, "Command5", QStringLiteral("Schülerliste bearbeiten"));
    Command4 = lockedButton(this, "Command4", QStringLiteral("Raum - Liste"));
    Command3 = lockedButton(this, "Command3", QStringLiteral("Einheitliches PW"));
    Command3->setVisible(false);
    Text1 = textBox(this, "Text1", 6, false);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"));
}

void Form2::layOut()
{
    place(Label3, 120, 120, 1900, 255);
    place(Text2, 120, 390, 1900, 375);
    place(Label1, 120, 960, 1900, 255);
    place(Text3, 120, 1230, 1900, 375);
    place(Label2, 120, 1800, 1900, 255);
    place(Text4, 120, 2070, 1900, 375);

    place(Label4, 2280, 120, 2100, 255);
    place(Label5, 4620, 120, 2400, 255);
    const std::array<TextBox*, 3> admins{Text5, Text6, Text7};
    const std::array<TextBox*, 3> exceptions{Text8, Text9, Text10};
    for (int i = 0; i < 3; ++i) {
        place(admins[i], 2280, 390 + i * 480, 1500, 375);
        place(exceptions[i], 4620, 390 + i * 480, 1500, 375);
    }

    place(Command2, 120, 2760, 2640, 420);
    place(Command5, 120, 3300, 2640, 420);
    place(Command4, 120, 3840, 2640, 420);
    place(Command3, 3000, 2760, 1980, 420);
    place(Text1, 5160, 2760, 1860, 420);
    place(Command1, 5160, 3840, 1860, 420);
    resize(units::twipsToPixels(7260), units::twipsToPixels(4500));
}

void Form2::connectEvents()
{
    connect(Text2, &TextBox::KeyDown, this, &Form2::Text2_KeyDown);
    connect(Text3, &TextBox::Change, this, &Form2::Text3_Change);
    connect(Text4, &TextBox::Change, this, &Form2::Text4_Change);
    connect(Text5, &TextBox::Change, this, &Form2::Text5_Change);
    connect(Text6, &TextBox::Change, this, &Form2::Text6_Change);
    connect(Text7, &TextBox::Change, this, &Form2::Text7_Change);
    connect(Text5, &TextBox::KeyDown, this, &Form2::Text5_KeyDown);
    connect(Text6, &TextBox::KeyDown, this, &Form2::Text6_KeyDown);
    connect(Text7, &TextBox::KeyDown, this, &Form2::Text7_KeyDown);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
}

void Form2::Form_Load()
{
    Text5->setText(gAdminShort(1).toString());
    Text6->setText(gAdminShort(2).toString());
    Text7->setText(gAdminShort(3).toString());
    Text8->setText(gExceptionTeachers(1));
    Text9->setText(gExceptionTeachers(2));
    Text10->setText(gExceptionTeachers(3));
    if (!gSchoolYearStart.toString().isEmpty())
        Text3->setText(gSchoolYearStart.toString());
    // Without a last school day the field stays empty: a made-up one would be
    // saved as the school year.
    Text4->setText(gSchoolYearEnd.isValid() ? dates::shortText(gSchoolYearEnd.date()) : QString());
    m_savedAdmin = adminLines();
    m_savedSchoolYear = schoolYearLines();
}

void Form2::Text2_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode) || Text2->text() != kMasterKey)
        return;
    m_unlocked = true;
    for (QWidget* w : std::initializer_list<QWidget*>{Text3, Text4, Command2, Command3, Command4, Command5, Text5,
                                                     Text6, Text7, Text8, Text9, Text10, Text1})
        w->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Command3, Text5, Text6, Text7, Text8, Text9, Text10})
        w->setVisible(true);
}

// The school-year dates leave the register's working date alone.
void Form2::Text3_Change() { colourByDate(Text3); }
void Form2::Text4_Change() { colourByDate(Text4); }

void Form2::Text5_Change() { controls::setBackColor(Text5, BackColour(0)); }
void Form2::Text6_Change() { controls::setBackColor(Text6, BackColour(0)); }
void Form2::Text7_Change() { controls::setBackColor(Text7, BackColour(0)); }

void Form2::Text5_KeyDown(int&) { lookUpTeacher(Text5); }
void Form2::Text6_KeyDown(int&) { lookUpTeacher(Text6); }
void Form2::Text7_KeyDown(int&) { lookUpTeacher(Text7); }

// Runs before the key's character reaches the box, on the text as it stands.
void Form2::lookUpTeacher(TextBox* box)
{
    gCheckOk = 0;
    gText = box->text().trimmed().toUpper();
    if (gText.toString().isEmpty())
        return;
    const int teachers = gMaxTeachers.toInt();
    for (int slot = 1; slot <= teachers; ++slot) {
        if (gTeacherShort(slot) != kFreeSlot && gTeacherShort(slot).toUpper() == gText.toString()) {
            gCheckOk = 1;
            box->setText(gTeacherShort(slot));
        }
    }
    if (gCheckOk == 1)
        controls::setBackColor(box, BackColour(6));
}

void Form2::Command1_Click() { unload(); }

void Form2::Command2_Click()
{
    const QString csv = datafile::find(QStringLiteral("schüler.csv"));
    if (csv.isEmpty())
        return;
    controls::disableHandingFocusTo(Command2, Text3);
    const std::optional<QStringList> lines = datafile::readLines(csv);
    StudentImport students;
    if (!lines)
        students.refusal = QStringLiteral("Die Datei schüler.csv konnte nicht gelesen werden.");
    else
        students = readStudentImport(*lines);
    if (students.refusal.isEmpty()) {
        if (const datafile::WriteResult written = writeStudentFile(students); !written)
            students.refusal = QStringLiteral("Die Schülerliste konnte nicht gespeichert werden (schüler.dat): %1. "
                                              "Es wurde nichts importiert.")
                                   .arg(written.reason);
    }
    if (!students.refusal.isEmpty()) {
        Command2->setEnabled(true);
        MsgBox(students.refusal);
        return;
    }
    for (qsizetype i = 0; i < students.names.size(); ++i) {
        gStudentNames(i + 1) = students.names[i];
        gStudentClass(i + 1) = students.classes[i];
    }
    gStudentCount = static_cast<short>(students.names.size());
    if (Form1* entry = forms::ifOpen<Form1>())
        entry->Label2->setText(QString::number(gStudentCount));
}

void Form2::Command3_Click()
{
    const QString password = Text1->text().trimmed();
    // An empty password line would make the random number of line 1 the
    // password, which nobody can type.
    if (!PasswordStorable(password)) {
        MsgBox(QStringLiteral("Das einheitliche Passwort ist leer oder enthält Zeichen, die nicht gespeichert "
                              "werden können. Bitte geben Sie ein anderes ein."));
        return;
    }
    Command3->setEnabled(false);
    QStringList failed;
    {
        // The password folder is synced once, after the last file.
        const datafile::FolderSync action;
        const int teachers = gMaxTeachers.toInt();
        for (int slot = 1; slot <= teachers; ++slot) {
            const QString shortName = gTeacherShort(slot);
            if (!canHavePasswordFile(shortName) || datafile::exists(PasswordFilePath(shortName)))
                continue;
            const QString file = PasswordFilePath(shortName);
            if (const datafile::WriteResult written = WritePasswordFile(file, password, kPasswordNumberBound); !written)
                failed << QStringLiteral("%1 (%2: %3)").arg(shortName, QFileInfo(file).fileName(), written.reason);
        }
    }
    // The window may be closed while the box is up.
    const auto tellFailed = [&failed] {
        MsgBox(QStringLiteral("Für diese Kürzel konnte kein Passwort gespeichert werden: ") +
               failed.join(QStringLiteral(", ")) + QLatin1Char('.'));
    };
    if (failed.isEmpty() || forms::stillOpenAfter(this, tellFailed))
        unload();
}

// The room list may ask about the bookings editor it closes, the student
// list tell of students beyond its capacity: this window may be closed while
// the box is up.
void Form2::Command4_Click()
{
    if (forms::stillOpenAfter(this, [] { forms::show<Form8>(); }))
        unload();
}

void Form2::Command5_Click()
{
    if (forms::stillOpenAfter(this, [] { forms::show<Form25>(); }))
        unload();
}

QStringList Form2::adminLines() const
{
    QStringList lines;
    for (const TextBox* field : {Text5, Text6, Text7, Text8, Text9, Text10})
        lines << datafile::sanitizeField(field->text().trimmed());
    return lines;
}

QStringList Form2::schoolYearLines() const
{
    if (!isGreen(Text3) || !isGreen(Text4) || !dates::parse(Text4->text()))
        return {};
    return {datafile::sanitizeField(Text3->text()), datafile::sanitizeField(Text4->text())};
}

bool Form2::schoolYearEdited() const
{
    const QStringList year = schoolYearLines();
    return !year.isEmpty() && year != m_savedSchoolYear;
}

// Only a file whose settings were changed is written: a look at the settings
// never undoes what another PC saved meanwhile, nor fails in a folder this PC
// cannot write.
bool Form2::hasUnsavedEdits() const { return adminLines() != m_savedAdmin || schoolYearEdited(); }

QString Form2::saveEdits()
{
    const QStringList admin = adminLines();
    if (admin != m_savedAdmin) {
        if (const auto written = datafile::rewrite(gDataPath + QStringLiteral("admin.dat"), admin); !written)
            return QStringLiteral("Die Einstellungen konnten nicht gespeichert werden (admin.dat): ") + written.reason;
        // What is not on disk is not taken.
        for (int i = 1; i <= 3; ++i) {
            gAdminShort(i) = admin[i - 1];
            gExceptionTeachers(i) = admin[i + 2];
        }
        m_savedAdmin = admin;
    }
    if (schoolYearEdited()) {
        const QStringList year = schoolYearLines();
        if (const auto written = datafile::rewrite(gDataPath + QStringLiteral("Schuljahr.dat"), year); !written)
            return QStringLiteral("Das Schuljahr konnte nicht gespeichert werden (Schuljahr.dat): ") + written.reason;
        gSchoolYearStart = year[0];
        gSchoolYearEnd = QDateTime(*dates::parse(Text4->text()), QTime(0, 0));
        m_savedSchoolYear = year;
    }
    return {};
}
