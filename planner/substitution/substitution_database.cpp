#include "planner/substitution/substitution_database.h"

#include "core/model.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_day.h"
#include "planner/substitution/substitution_records.h"
#include "planner/substitution/substitution_statistics.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
const QString kPresetList = QStringLiteral("sup-old.dat");
constexpr int kPresetEntries = 9;
const QString kHelp = QStringLiteral(
    "Die linke Liste enthält Grundeinstellungen (fehlende Lehrer und Klassen) der letzten Tage. "
    "In der rechten Liste finden Sie fertig ausgefüllte Supplierpläne. "
    "Durch Doppelklick gelangen Sie über die rechte Liste direkt zur Supplierplan- Erstellung."
    "Über >Stichtag< kann der aktuelle Stand der Supplierungen zu einem bestimmten Zeitpunkt festgehalten werden.");

QString withWeekday(const QString& shown, const QDate& day)
{
    return shown + QStringLiteral("  ") + gDayNames(dates::weekday(day)).toString();
}

void fill(ListBox* list, const QStringList& items)
{
    const QSignalBlocker quiet(list);
    list->Clear();
    list->AddItems(items);
}

QString presetFile(int entry) { return gDataPath + QStringLiteral("sup") + QString::number(entry) + QStringLiteral(".dat"); }
}

Form38::Form38() : FormBase(38)
{
    setObjectName(QStringLiteral("Form38"));
    setWindowTitle(QStringLiteral("Suplierstatistik / Datenbank"));

    Label2 = controls::label(this, "Label2", QStringLiteral("Einstellungen der letzten Tage"));
    List1 = controls::list(this, "List1");
    Label1 = controls::label(this, "Label1", QStringLiteral("fertige Supplierpläne"));
    List2 = controls::list(this, "List2");
    Label3 = controls::label(this, "Label3", QString());
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command4 = controls::button(this, "Command4", QStringLiteral("Stand zeigen"));
    Command3 = controls::button(this, "Command3", QStringLiteral("Stichtag festlegen"));
    Command2 = controls::button(this, "Command2", QStringLiteral("Statistik drucken"));
    Command1 = controls::button(this, "Command1", QStringLiteral("Exit"));

    place(Label2, 120, 120, 3000, 255);
    place(List1, 120, 375, 3000, 2700);
    place(Label1, 3360, 120, 3000, 255);
    place(List2, 3360, 375, 3000, 4500);
    place(Label3, 120, 3195, 3000, 1680);
    place(Command4, 120, 5040, 1500, 420);
    place(Command3, 1680, 5040, 1560, 420);
    place(Command2, 3360, 5040, 1560, 420);
    place(Command1, 4980, 5040, 1380, 420);
    resize(units::twipsToPixels(6600), units::twipsToPixels(5640));

    connect(List1, &ListBox::DblClick, this, &Form38::List1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &Form38::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form38::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form38::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form38::Command4_Click);
}

void Form38::Form_Load()
{
    listPresets();
    Label3->setText(kHelp);
    fitHelpText();
    listFinishedDays();
}

// The help text takes as many lines as the user's font needs: the label grows
// to hold all of it, and the buttons and the window move down with it.
void Form38::fitHelpText()
{
    const int grow = Label3->heightForWidth(Label3->width()) - Label3->height();
    if (grow <= 0)
        return;
    Label3->resize(Label3->width(), Label3->height() + grow);
    for (QPushButton* b : {Command4, Command3, Command2, Command1})
        b->move(b->x(), b->y() + grow);
    resize(width(), height() + grow);
}

// Line 1 counts the entries, but the lines that are there are what is listed.
void Form38::listPresets()
{
    QStringList items;
    const QStringList lines = datafile::readLines(gDataPath + kPresetList).value_or(QStringList{});
    for (int entry = 1; entry <= kPresetEntries && entry < lines.size(); ++entry) {
        const QString& line = lines[entry];
        gSavedSetupList(entry) = line;
        const std::optional<QDate> day = dates::parse(line);
        items << (day ? withWeekday(line, *day) : line);
    }
    fill(List1, items);
}

void Form38::listFinishedDays()
{
    QStringList items;
    const ListedDays listed = ListedSubstitutionDays();
    for (const ListedDay& day : listed.days)
        items << withWeekday(dates::shortText(day.day), day.day);
    fill(List2, items);
    if (!items.isEmpty()) {
        const QSignalBlocker quiet(List2);
        List2->setListIndex(static_cast<int>(items.size()) - 1);
    }
    // Told last: the window may be closed while the box is up.
    if (!listed.unreadable.isEmpty())
        MsgBox(listed.unreadable, kPlannerDialogTitle);
}

void Form38::List1_DblClick()
{
    if (List1->ListIndex() >= 0)
        takeOverPreset(List1->ListIndex() + 1);
}

void Form38::takeOverPreset(int entry)
{
    // Either window may be closed while a box is shown or the absence window
    // comes up: each is looked at after those yields.
    const QPointer<Form38> self(this);
    const QString source = datafile::find(presetFile(entry));
    if (source.isEmpty()) {
        Beep();
        unload();
        return;
    }
    const QString chosen = QFileInfo(source).fileName();
    if (const datafile::WriteResult copied = datafile::copy(source, gDataPath + kSubstitutionPreset); !copied) {
        MsgBox(QStringLiteral("Die Voreinstellung %1 konnte nicht nach %2 kopiert werden: %3.")
                   .arg(chosen, kSubstitutionPreset, copied.reason),
               kPlannerDialogTitle);
        if (forms::listening(self))
            unload();
        return;
    }
    const QString date = gSavedSetupList(entry);
    // The absence window reads the preset when it loads: one still open holds
    // the preset it was opened with.
    forms::unload<Form20>();
    const QPointer<Form20> absences = Form20::showWithPresetFrom(chosen);
    const bool absencesOpen = forms::stillOpenAfterEvents(absences);
    gWorkDate = date;
    if (absencesOpen)
        absences->Text2->setText(date);
    // The day of the date may be told, in a box.
    if (forms::listening(absences)) {
        for (QLabel* caption : {absences->Label2, absences->Label7, absences->Label11})
            caption->clear();
        absences->Text1->setText(QString());
        absences->Text3->setText(QString());
        absences->Check1->setTristate(false);
        absences->Check1->setCheckState(Qt::Unchecked);
    }
    if (forms::listening(self))
        unload();
}

void Form38::Command1_Click()
{
    unload();
    forms::show<Form20>();
}

void Form38::Command2_Click()
{
    forms::show<Form41>();
    unload();
}

// The key-date window tells of unreadable standings as it loads: this window
// may be closed while the box is up.
void Form38::Command3_Click()
{
    if (forms::stillOpenAfter(this, [] { forms::show<Form47>(); }))
        unload();
}

void Form38::Command4_Click() { forms::show<Form49>(); }
