#include "admin/classroom_tools.h"

#include "admin/time_up_window.h"
#include "core/constants.h"
#include "core/model.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/runtime.h"
#include "platform/units.h"
#include "register/absent_students.h"
#include "register/day_file.h"
#include "register/entry_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr int kShuffleSlots = decltype(Model::gShuffleList)::upper();
constexpr int kSwaps = 1000;
constexpr int kMaxGroups = 10;

bool isGroupCount(const QString& text)
{
    const double groups = numbers::val(text);
    return groups >= 1 && groups <= kMaxGroups && groups == std::floor(groups);
}

// A result line: the number right-aligned so that the sorted list keeps the
// numeric order. Two characters as the teachers know it; a hundredth
// participant widens it, or "00" would sort first.
QString numbered(int number, int highest, const QString& name)
{
    const int width = std::max<int>(2, QString::number(highest).size());
    return QString::number(number).rightJustified(width, QLatin1Char(' ')) + QLatin1Char(' ') + name;
}

double wholeValue(const QString& text) { return std::round(numbers::val(text)); }
}

Form39::Form39() : FormBase(39)
{
    setObjectName(QStringLiteral("Form39"));
    setWindowTitle(QStringLiteral("Tools"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Teilnehmer"));
    List1 = controls::list(this, "List1");
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    Command1 = controls::button(this, "Command1", QStringLiteral("mischen"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("2"));
    controls::setBackColor(Text1, BackColour(6));
    Command2 = controls::button(this, "Command2", QStringLiteral("Gruppen"));
    List2 = controls::list(this, "List2", {}, true);
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("5"));
    controls::setBackColor(Text2, BackColour(6));
    Label2 = controls::label(this, "Label2", QStringLiteral("min"));
    Text3 = controls::named<TextBox>(this, "Text3");
    Text3->setText(QStringLiteral("0"));
    controls::setBackColor(Text3, BackColour(6));
    Label3 = controls::label(this, "Label3", QStringLiteral("sec"));
    Command3 = controls::button(this, "Command3", QStringLiteral("start"));
    Command4 = controls::button(this, "Command4", QStringLiteral("stopp"));
    Command14 = controls::button(this, "Command14", QStringLiteral("exit"));
    Timer1 = controls::named<Timer>(this, "Timer1", 1000);

    place(Label1, 120, 120, 3000, 255);
    place(List1, 120, 420, 3000, 5100);
    place(Command1, 3360, 420, 1200, 420);
    place(Text1, 3360, 960, 600, 375);
    place(Command2, 4080, 960, 1200, 420);
    place(List2, 3360, 1500, 3000, 4020);
    place(Text2, 120, 5760, 600, 375);
    place(Label2, 780, 5820, 480, 255);
    place(Text3, 1320, 5760, 600, 375);
    place(Label3, 1980, 5820, 480, 255);
    place(Command3, 2640, 5730, 1080, 420);
    place(Command4, 3840, 5730, 1080, 420);
    place(Command14, 5280, 5730, 1080, 420);
    resize(units::twipsToPixels(6480), units::twipsToPixels(6360));

    // Selected entries are counted once the click has toggled the entry.
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form39::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form39::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form39::Command2_Click);
    connect(Text1, &TextBox::Change, this, &Form39::Text1_Change);
    connect(Text1, &TextBox::KeyDown, this, &Form39::Text1_KeyDown);
    connect(Command3, &QPushButton::clicked, this, &Form39::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form39::Command4_Click);
    connect(Command14, &QPushButton::clicked, this, &Form39::Command14_Click);
    connect(Timer1, &Timer::Tick, this, &Form39::Timer1_Timer);
}

// The class and date of the entry window decide who takes part; a date field
// without a valid date means the lesson of today.
void Form39::Form_Activate()
{
    gEntryClass = entryfields::classText().toUpper();
    gDayFilePath = DayFilePath(entryfields::date().value_or(Clock::today()));
    LoadDayEntries();
    const QString unreadable = UnreadableDayNotice();
    MarkAbsentStudents();

    const QString cls = gEntryClass.toString();
    const int count = std::clamp<int>(gStudentCount, 0, decltype(Model::gStudentNames)::upper());
    QStringList names;
    QList<int> present;
    for (int i = 1; i <= count; ++i) {
        if (!cls.isEmpty() && !gStudentClass(i).toUpper().contains(cls))
            continue;
        if (gStudentAbsent(i) != 1)
            present << static_cast<int>(names.size());
        names << gStudentNames(i).toString();
    }
    {
        const QSignalBlocker quiet(List1);
        List1->Clear();
        List1->AddItems(names);
        List1->selectRows(present);
    }
    List1_Click();
    // Told once the list is filled: while the box is up, the window may be
    // closed, and other windows may load other days.
    m_unreadableDay.tell(unreadable);
}

int Form39::selectedCount() const { return static_cast<int>(List1->selectedItems().size()); }

// A count typed but never confirmed may still be out of range, so a click
// enables "Gruppen" only for a count it would accept.
void Form39::List1_Click()
{
    const int selected = selectedCount();
    Label1->setText(QString::number(selected));
    Command1->setEnabled(selected >= 2);
    Command2->setEnabled(selected >= 2 && isGroupCount(Text1->text()));
}

std::optional<int> Form39::DrawParticipants()
{
    List2->Clear();
    for (int i = 1; i <= kShuffleSlots; ++i)
        gShuffleList(i).clear();
    const int selected = selectedCount();
    if (selected > kShuffleSlots) {
        MsgBox(QStringLiteral("Es sind %1 Teilnehmer ausgewählt; gemischt werden können höchstens %2. "
                              "Bitte eine Klasse eingeben oder weniger Teilnehmer auswählen.")
                   .arg(selected)
                   .arg(kShuffleSlots));
        return std::nullopt;
    }
    int n = 0;
    for (int i = 0; i < List1->count(); ++i) {
        if (List1->item(i)->isSelected())
            gShuffleList(++n) = List1->List(i);
    }
    for (int swap = 0; swap < kSwaps; ++swap) {
        const int k = static_cast<int>(Rnd() * n + 1);
        std::swap(gShuffleList(1), gShuffleList(k));
    }
    return n;
}

void Form39::Command1_Click()
{
    const std::optional<int> n = DrawParticipants();
    if (!n)
        return;
    for (int i = 1; i <= *n; ++i)
        List2->AddItem(numbered(i, *n, gShuffleList(i)));
}

// Round robin over the groups in drawn order; a count below 1 puts everybody
// into group 1.
void Form39::Command2_Click()
{
    const std::optional<int> n = DrawParticipants();
    if (!n)
        return;
    const double groups = wholeValue(Text1->text());
    int group = 0;
    for (int i = 1; i <= *n; ++i) {
        if (++group > groups)
            group = 1;
        List2->AddItem(numbered(group, *n, gShuffleList(i)));
    }
}

void Form39::Text1_Change()
{
    controls::setBackColor(Text1, BackColour(0));
    Command2->setEnabled(false);
}

void Form39::Text1_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    const bool valid = isGroupCount(Text1->text()) && numbers::val(Label1->text()) >= 2;
    controls::setBackColor(Text1, BackColour(valid ? 6 : 0));
    Command2->setEnabled(valid);
    DoEvents();
}

void Form39::Command3_Click() { Timer1->setEnabled(true); }

void Form39::Command4_Click() { Timer1->setEnabled(false); }

// The boxes hold the time left, so "stopp" and "start" resume. Seconds below
// zero count as zero, or the countdown would never end.
void Form39::Timer1_Timer()
{
    double minutes = wholeValue(Text2->text());
    double seconds = wholeValue(Text3->text());
    if (seconds <= 0) {
        minutes -= 1;
        seconds = 59;
    } else {
        seconds -= 1;
    }
    if (minutes < 0) {
        minutes = 0;
        seconds = 0;
        Timer1->setEnabled(false);
        forms::showBeside<Form59>();
    }
    Text2->setText(numbers::text(minutes));
    Text3->setText(numbers::text(seconds));
}

void Form39::Command14_Click() { unload(); }

void Form39::Form_Unload(bool&) { Timer1->setEnabled(false); }
