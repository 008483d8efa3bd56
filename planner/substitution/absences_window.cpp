#include "planner/substitution/absences_window.h"

#include "core/model.h"
#include "planner/substitution/cancellation_list.h"
#include "planner/substitution/day_absences.h"
#include "planner/substitution/presence_grid.h"
#include "planner/substitution/substitution_day.h"
#include "planner/substitution/substitution_database.h"
#include "planner/substitution/substitution_export.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

namespace {
constexpr int kAbsent = 1;
constexpr int kPresent = 0;
constexpr int kSunday = 7;
constexpr int kNoDateWeekday = 1;
// A pause in the typing of a date that takes the date as the one meant.
constexpr int kTypingPauseMs = 1500;
// The grey paid box: no teacher chosen.
constexpr short kNoPaidFlag = 2;
const QDate kZeroDate{1899, 12, 30};
// The saved preset the database window takes over as it shows the window;
// empty otherwise.
QString gPresetChosen;
// The plain captions of the absence commands.
const QString kTeacherAllDay = QStringLiteral("fehlt ganztägig");
const QString kTeacherSomePeriods = QStringLiteral("fehlt einige Stunden");
const QString kClassAllDay = QStringLiteral("ist nicht da");
const QString kClassSomePeriods = QStringLiteral("ist einige Std. nicht da");
const QString kHere = QStringLiteral("ist da");

// "> fehlt 3 Stunden <" or "> fehlt eine Einheit <" when the marks cover
// some periods of the day, the plain caption otherwise.
QString somePeriodsCaption(const QString& plain, const MarkCounts& marks)
{
    if (marks.absent == 1 && marks.present > 0)
        return QStringLiteral("> fehlt eine Einheit <");
    if (marks.absent > 0 && marks.present > 0)
        return QStringLiteral("> fehlt ") + QString::number(marks.absent) + QStringLiteral(" Stunden <");
    return plain;
}

QString marked(const QString& caption, bool holds)
{
    return holds ? QStringLiteral("> ") + caption + QStringLiteral(" <") : caption;
}

// A paid flag as the box shows it: ticked 1, empty 0, grey anything else (as
// when no teacher is chosen). Only the grey state lets a click pass through
// grey, so a click on a plain box is a plain yes or no.
void showPaid(QCheckBox* box, short paid)
{
    const Qt::CheckState state = paid == 1 ? Qt::Checked : (paid == 0 ? Qt::Unchecked : Qt::PartiallyChecked);
    box->setCheckState(state);
    box->setTristate(state == Qt::PartiallyChecked);
}

bool isZeroDate(const QString& text)
{
    return text.trimmed().isEmpty() || dates::parse(text) == kZeroDate;
}

// Fills a shown list in one go.
void fill(ListBox* list, int lastSlot, QString (*name)(int))
{
    const QSignalBlocker quiet(list);
    list->setUpdatesEnabled(false);
    list->Clear();
    for (int slot = 1; slot <= lastSlot; ++slot)
        list->AddItem(name(slot));
    list->setUpdatesEnabled(true);
}

void deselect(ListBox* list)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(-1);
}

QString teacherName(int t) { return gTeacherNames(t).toString(); }
QString className(int c) { return gClassNames(c).toString(); }
int teacherSlots() { return static_cast<int>(decltype(Model::gTeacherAbsence)::upper()); }
int classSlots() { return static_cast<int>(decltype(Model::gClassAbsence)::upper()); }
}

void ShowTeacherAbsenceStatus()
{
    Form20* f = forms::ifOpen<Form20>();
    if (!f || f->selectedTeacher() < 1)
        return;
    const MarkCounts marks = CountAbsenceMarks(AbsenceSide::Teacher, f->selectedTeacher());
    f->Command10->setText(somePeriodsCaption(kTeacherSomePeriods, marks));
    f->Command2->setText(marked(kTeacherAllDay, marks.present == 0));
    f->Command3->setText(marked(kHere, marks.absent == 0));
}

void ShowClassAbsenceStatus()
{
    Form20* f = forms::ifOpen<Form20>();
    if (!f || f->selectedClass() < 1)
        return;
    const MarkCounts marks = CountAbsenceMarks(AbsenceSide::Class, f->selectedClass());
    f->Command11->setText(somePeriodsCaption(kClassSomePeriods, marks));
    f->Command7->setText(marked(kClassAllDay, marks.present == 0));
    f->Command6->setText(marked(kHere, marks.absent == 0));
}

int SelectedAbsenceTeacher()
{
    const Form20* f = forms::ifOpen<Form20>();
    return f ? f->selectedTeacher() : 0;
}

int SelectedAbsenceClass()
{
    const Form20* f = forms::ifOpen<Form20>();
    return f ? f->selectedClass() : 0;
}

Form20::Form20() : FormBase(20)
{
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("wer fehlt ?"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Liste aller Lehrpersonen"));
    List1 = controls::list(this, "List1");
    Label9 = controls::label(this, "Label9", QStringLiteral("Liste aller Klassen"));
    List2 = controls::list(this, "List2");
    Label13 = controls::label(this, "Label13", QStringLiteral("Datum"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("13-12-2005"));
    Command14 = controls::button(this, "Command14", QStringLiteral("-"));
    Command13 = controls::button(this, "Command13", QStringLiteral("+"));
    Label8 = controls::label(this, "Label8", QStringLiteral("Wochentag"));
    Label4 = controls::label(this, "Label4", QStringLiteral("ausgewählt"));
    Label2 = controls::label(this, "Label2", QStringLiteral("Lehrer"), {"Arial", 10, true});
    Label7 = controls::label(this, "Label7", QStringLiteral("xyz"));
    Label14 = controls::label(this, "Label14", QStringLiteral("0"));
    Label3 = controls::label(this, "Label3", QStringLiteral("Grund"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Check1 = controls::named<QCheckBox>(this, "Check1");
    Check1->setText(QStringLiteral("bezahlt"));
    showPaid(Check1, kNoPaidFlag);
    Command2 = controls::button(this, "Command2", kTeacherAllDay);
    Command10 = controls::button(this, "Command10", kTeacherSomePeriods);
    Command3 = controls::button(this, "Command3", kHere);
    Label6 = controls::label(this, "Label6", QStringLiteral("fehlende Lehrer"));
    Label5 = controls::label(this, "Label5", QString());
    Label11 = controls::label(this, "Label11", QStringLiteral("Klasse"), {"Arial", 10, true});
    Label15 = controls::label(this, "Label15", QStringLiteral("0"));
    Text3 = controls::named<TextBox>(this, "Text3");
    Command7 = controls::button(this, "Command7", kClassAllDay);
    Command11 = controls::button(this, "Command11", kClassSomePeriods);
    Command6 = controls::button(this, "Command6", kHere);
    Label12 = controls::label(this, "Label12", QStringLiteral("fehlende Klassen"));
    Label10 = controls::label(this, "Label10", QString());
    Command1 = controls::button(this, "Command1", QStringLiteral("Datenspeicher"));
    Command12 = controls::button(this, "Command12", QStringLiteral("MDL-Export"));
    Command4 = controls::button(this, "Command4", QStringLiteral("Entfallsliste Woche"));
    Command8 = controls::button(this, "Command8", QStringLiteral("Belegung löschen"));
    Command5 = controls::button(this, "Command5", QStringLiteral("START"));
    Command9 = controls::button(this, "Command9", QStringLiteral("Exit"));
    for (QLabel* list : {Label5, Label10}) {
        list->setWordWrap(true);
        list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    enableTeacherCommands(false);
    enableClassCommands(false);

    place(Label1, 120, 120, 3000, 255);
    place(List1, 120, 375, 3000, 3600);
    place(Label9, 120, 4080, 3000, 255);
    place(List2, 120, 4335, 3000, 2400);
    place(Label13, 3360, 150, 800, 255);
    place(Text2, 4200, 90, 1400, 330);
    place(Command14, 5660, 90, 375, 330);
    place(Command13, 6080, 90, 375, 330);
    place(Label8, 6600, 150, 1500, 255);
    place(Label4, 3360, 600, 2000, 255);
    place(Label2, 3360, 900, 3000, 285);
    place(Label7, 6480, 900, 900, 255);
    place(Label14, 7440, 900, 600, 255);
    place(Label3, 3360, 1260, 800, 255);
    place(Text1, 4200, 1200, 3240, 330);
    place(Check1, 7560, 1200, 1300, 330);
    place(Command2, 3360, 1620, 1800, 420);
    place(Command10, 5220, 1620, 2000, 420);
    place(Command3, 7280, 1620, 1500, 420);
    place(Label6, 3360, 2130, 2000, 255);
    place(Label5, 3360, 2385, 5420, 600);
    place(Label11, 3360, 3180, 1500, 285);
    place(Label15, 4920, 3180, 500, 255);
    place(Text3, 5520, 3150, 3260, 330);
    place(Command7, 3360, 3600, 1800, 420);
    place(Command11, 5220, 3600, 2000, 420);
    place(Command6, 7280, 3600, 1500, 420);
    place(Label12, 3360, 4110, 2000, 255);
    place(Label10, 3360, 4365, 5420, 600);
    place(Command1, 3360, 5220, 1700, 420);
    place(Command12, 5120, 5220, 1700, 420);
    place(Command4, 6880, 5220, 1900, 420);
    place(Command8, 3360, 5820, 1700, 420);
    place(Command5, 5120, 5820, 1700, 420);
    place(Command9, 6880, 5820, 1900, 420);
    resize(units::twipsToPixels(9000), units::twipsToPixels(6900));

    connect(List1, &ListBox::Click, this, &Form20::List1_Click);
    connect(List2, &ListBox::Click, this, &Form20::List2_Click);
    connect(Text1, &TextBox::LostFocus, this, &Form20::Text1_LostFocus);
    connect(Text3, &TextBox::Change, this, &Form20::Text3_Change);
    connect(Check1, &QCheckBox::clicked, this, &Form20::Check1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form20::Command2_Click);
    connect(Command10, &QPushButton::clicked, this, &Form20::Command10_Click);
    connect(Command3, &QPushButton::clicked, this, &Form20::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &Form20::Command7_Click);
    connect(Command11, &QPushButton::clicked, this, &Form20::Command11_Click);
    connect(Command6, &QPushButton::clicked, this, &Form20::Command6_Click);
    connect(Command14, &QPushButton::clicked, this, &Form20::Command14_Click);
    connect(Command13, &QPushButton::clicked, this, &Form20::Command13_Click);
    connect(Text2, &TextBox::Change, this, &Form20::Text2_Change);
    connect(Text2, &TextBox::KeyDown, this, [this](const int& keyCode) {
        if (controls::isEnter(keyCode))
            stopTyping();
    });
    connect(Text2, &TextBox::LostFocus, this, &Form20::stopTyping);
    m_typingPause = new Timer(this, kTypingPauseMs);
    m_typingPause->setSingleShot(true);
    connect(m_typingPause, &Timer::Tick, this, &Form20::stopTyping);
    connect(Command8, &QPushButton::clicked, this, &Form20::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form20::Command9_Click);
    connect(Command1, &QPushButton::clicked, this, &Form20::Command1_Click);
    connect(Command12, &QPushButton::clicked, this, &Form20::Command12_Click);
    connect(Command4, &QPushButton::clicked, this, &Form20::Command4_Click);
}

Form20* Form20::showWithPresetFrom(const QString& chosen)
{
    gPresetChosen = chosen;
    Form20* f = forms::show<Form20>();
    gPresetChosen.clear();
    return f;
}

void Form20::Form_Load()
{
    m_loading = true;
    gTeacher = 0;
    fillLists();
    Command5->setEnabled(false);
    if (isZeroDate(gWorkDate.toString()))
        gWorkDate = dates::shortText(Clock::today());
    Text2->setText(gWorkDate.toString());
    const std::optional<QDate> day = dates::parse(gWorkDate.toString());
    gWorkWeekday = static_cast<short>(day ? dates::weekday(*day) : kNoDateWeekday);
    showWeekday();
    const QString presetName = gPresetChosen.isEmpty() ? kSubstitutionPreset : gPresetChosen;
    const SubstitutionFileRead preset = ReadSubstitutionPreset(presetName);
    m_presetNotice = preset ? PresetReadNotice(presetName, preset) : preset.unreadable;
    showAbsenceLists();
    Command4->setVisible(AnyClassAbsent());
    m_loading = false;
    // A box yields to the event loop, where a click waiting in the queue may
    // close the window: shown while the window loads, the load and its opener
    // would go on with the window gone. The notices come once it is up.
    QMetaObject::invokeMethod(this, &Form20::tellLoadNotices, Qt::QueuedConnection);
}

void Form20::tellDay(const QString& notice)
{
    if (m_loading) {
        m_dayNoticeAfterLoad = notice;
        return;
    }
    // The day shown now is told, not the one the window opened on or one
    // typed before.
    m_dayNoticeAfterLoad.reset();
    m_typedDayNotice.reset();
    // Typed by the user, not set by the window or another one: a box between
    // the keys would take the keys typed next.
    if (Text2->isModified() && !notice.isEmpty()) {
        m_typedDayNotice = DayNotice{gText4.toString(), notice};
        m_typingPause->start();
        return;
    }
    m_dayNotice.tell(notice);
}

void Form20::stopTyping()
{
    m_typingPause->stop();
    // Told from the event loop: under a box shown while the field handles
    // Enter or Qt moves the focus, a close deletes the window, and the field
    // or Qt goes on with its deleted widgets.
    if (m_typedDayNotice)
        QMetaObject::invokeMethod(this, &Form20::tellTypedDay, Qt::QueuedConnection);
}

void Form20::tellTypedDay()
{
    const std::optional<DayNotice> typed = std::exchange(m_typedDayNotice, std::nullopt);
    if (typed && forms::listening(this) && SubstitutionDayKey(Text2->text()) == typed->key)
        m_dayNotice.tell(typed->notice);
}

void Form20::tellLoadNotices()
{
    // Both are taken before the first box: a close waiting in the queue may
    // delete the window under it.
    const std::optional<QString> day = std::exchange(m_dayNoticeAfterLoad, std::nullopt);
    const QString preset = std::exchange(m_presetNotice, QString());
    const QPointer<Form20> self(this);
    if (day && forms::listening(self))
        m_dayNotice.tell(*day);
    if (!preset.isEmpty() && forms::listening(self))
        MsgBox(preset, kPlannerDialogTitle);
}

void Form20::Form_Activate()
{
    forms::unload<Form48>();
    forms::unload<Form46>();
}

void Form20::fillLists()
{
    fill(List1, teacherSlots(), teacherName);
    fill(List2, classSlots(), className);
    ResetAbsenceStatuses();
}

void Form20::showAbsenceLists()
{
    Label5->setText(AbsentTeacherList());
    Label10->setText(AbsentClassList());
}

void Form20::showWeekday()
{
    if (gWorkWeekday >= 1 && gWorkWeekday <= kSunday)
        Label8->setText(gDayNames(gWorkWeekday).toString());
    Command5->setEnabled(gWorkWeekday < kSunday);
}

void Form20::List1_Click()
{
    if (List1->ListIndex() >= 0)
        selectTeacher(List1->ListIndex() + 1);
}

void Form20::List2_Click()
{
    if (List2->ListIndex() >= 0)
        selectClass(List2->ListIndex() + 1);
}

void Form20::selectTeacher(int teacher)
{
    m_teacher = teacher;
    gTeacher = teacher;
    Label14->setText(QString::number(teacher));
    showSelectedTeacher();
    enableTeacherCommands(true);
}

void Form20::selectClass(int cls)
{
    m_class = cls;
    gClass = cls;
    Label15->setText(QString::number(cls));
    showSelectedClass();
    enableClassCommands(true);
}

void Form20::showSelectedTeacher()
{
    Label2->setText(gTeacherNames(m_teacher).toString());
    Label7->setText(gTeacherShort(m_teacher));
    Text1->setText(gTeacherAbsenceReason(m_teacher).toString());
    showPaid(Check1, gTeacherPaid(m_teacher));
    ShowTeacherAbsenceStatus();
}

void Form20::showSelectedClass()
{
    Label11->setText(gClassNames(m_class).toString());
    Text3->setText(gClassAbsenceReason(m_class));
    ShowClassAbsenceStatus();
}

void Form20::showPlainCaptions()
{
    Command2->setText(kTeacherAllDay);
    Command10->setText(kTeacherSomePeriods);
    Command3->setText(kHere);
    Command7->setText(kClassAllDay);
    Command11->setText(kClassSomePeriods);
    Command6->setText(kHere);
}

void Form20::enableTeacherCommands(bool enabled)
{
    for (QPushButton* b : {Command2, Command3, Command10})
        b->setEnabled(enabled);
}

void Form20::enableClassCommands(bool enabled)
{
    for (QPushButton* b : {Command7, Command6, Command11})
        b->setEnabled(enabled);
}

void Form20::Text1_LostFocus() { storeTeacherReason(); }

void Form20::storeTeacherReason()
{
    if (IsAbsenceSlot(AbsenceSide::Teacher, m_teacher))
        gTeacherAbsenceReason(m_teacher) = Text1->text();
}

void Form20::Text3_Change()
{
    if (IsAbsenceSlot(AbsenceSide::Class, m_class))
        gClassAbsenceReason(m_class) = Text3->text();
}

void Form20::Check1_Click()
{
    Check1->setTristate(false);
    if (IsAbsenceSlot(AbsenceSide::Teacher, m_teacher))
        gTeacherPaid(m_teacher) = Check1->isChecked() ? 1 : 0;
}

void Form20::Command2_Click()
{
    if (!IsAbsenceSlot(AbsenceSide::Teacher, m_teacher))
        return;
    SetAbsenceStatus(AbsenceSide::Teacher, m_teacher, kAbsent);
    SetAbsenceMarks(AbsenceSide::Teacher, m_teacher, kAbsent);
    showAbsenceLists();
    ShowTeacherAbsenceStatus();
}

void Form20::Command10_Click()
{
    if (!IsAbsenceSlot(AbsenceSide::Teacher, m_teacher))
        return;
    SetAbsenceStatus(AbsenceSide::Teacher, m_teacher, kAbsent);
    showAbsenceLists();
    // A grid still open for another teacher gives way to this one's.
    forms::unload<Form46>();
    forms::show<Form46>();
}

void Form20::Command3_Click()
{
    if (!IsAbsenceSlot(AbsenceSide::Teacher, m_teacher))
        return;
    SetAbsenceStatus(AbsenceSide::Teacher, m_teacher, kPresent);
    SetAbsenceMarks(AbsenceSide::Teacher, m_teacher, kPresent);
    showAbsenceLists();
    ShowTeacherAbsenceStatus();
}

void Form20::Command7_Click()
{
    if (!IsAbsenceSlot(AbsenceSide::Class, m_class))
        return;
    SetAbsenceStatus(AbsenceSide::Class, m_class, kAbsent);
    SetAbsenceMarks(AbsenceSide::Class, m_class, kAbsent);
    showAbsenceLists();
    Command4->show();
    ShowClassAbsenceStatus();
}

void Form20::Command11_Click()
{
    if (!IsAbsenceSlot(AbsenceSide::Class, m_class))
        return;
    SetAbsenceStatus(AbsenceSide::Class, m_class, kAbsent);
    showAbsenceLists();
    Command4->show();
    forms::unload<Form48>();
    forms::show<Form48>();
}

void Form20::Command6_Click()
{
    if (!IsAbsenceSlot(AbsenceSide::Class, m_class))
        return;
    SetAbsenceStatus(AbsenceSide::Class, m_class, kPresent);
    SetAbsenceMarks(AbsenceSide::Class, m_class, kPresent);
    showAbsenceLists();
    ShowClassAbsenceStatus();
}

void Form20::Command14_Click() { moveDate(-1); }

void Form20::Command13_Click() { moveDate(1); }

// Steps from the date the window shows: the working date is shared, and
// another window may have moved it meanwhile.
void Form20::moveDate(int days)
{
    if (const std::optional<QDate> day = dates::parse(Text2->text()))
        Text2->setText(dates::shortText(day->addDays(days)));
}

void Form20::Text2_Change()
{
    gWorkDate = Text2->text();
    const std::optional<QDate> day = dates::parse(Text2->text());
    if (day)
        gWorkWeekday = static_cast<short>(dates::weekday(*day));
    showWeekday();
    if (!day)
        return;
    gText4 = dates::key(*day);
    const SubstitutionFileRead read = ReadSubstitutionDay(gText4.toString());
    // Without a day file the entries stay for the new date; a file that could
    // not be used has emptied the day, which the window shows behind the
    // notice rather than the date before.
    if (read || !read.unreadable.isEmpty())
        showLoadedDay();
    tellDay(read ? DayReadNotice(gText4.toString(), read) : read.unreadable);
}

void Form20::showLoadedDay()
{
    showAbsenceLists();
    Command4->setVisible(AnyClassAbsent());
    // The selected teacher and class show what the loaded day holds for them.
    if (m_teacher >= 1)
        showSelectedTeacher();
    if (m_class >= 1)
        showSelectedClass();
}

void Form20::Command8_Click()
{
    // Closed while it asks, the window clears nothing: the answer was given
    // to a window that is gone.
    const QPointer<Form20> self(this);
    if (!AskYesNo(QStringLiteral("Soll die aktuelle Voreinstellung\n(wer fehlt) gelöscht werden ?\n"),
                  QStringLiteral("LÖSCHEN"))
        || !forms::listening(self))
        return;
    ClearDayAbsences();
    // Nobody stays selected: a reason or paid flag entered now would land on
    // a teacher or class whose name the window no longer shows.
    m_teacher = 0;
    m_class = 0;
    gClass = 0;
    Label14->setText(QStringLiteral("0"));
    Label15->setText(QStringLiteral("0"));
    deselect(List1);
    deselect(List2);
    for (QLabel* l : {Label5, Label10, Label2, Label7, Label11})
        l->clear();
    Text1->setText(QString());
    Text3->setText(QString());
    enableTeacherCommands(false);
    enableClassCommands(false);
    showPlainCaptions();
    showPaid(Check1, kNoPaidFlag);
    const QString preset = datafile::find(gDataPath + kSubstitutionPreset);
    if (!preset.isEmpty() && !QFile::remove(preset))
        MsgBox(QStringLiteral("Die Voreinstellung ") + kSubstitutionPreset +
               QStringLiteral(" konnte nicht gelöscht werden; sie wird beim nächsten Öffnen wieder geladen."),
               kPlannerDialogTitle);
}

void Form20::Command9_Click() { unload(); }

void Form20::Command1_Click()
{
    if (unload())
        forms::show<Form38>();
}

void Form20::Command12_Click()
{
    if (unload())
        forms::show<Form50>();
}

// The window stays loaded behind the list: the list and the provisional days
// are made from the day it holds.
void Form20::Command4_Click()
{
    hide();
    forms::show<Form60>();
}
