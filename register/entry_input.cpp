// Form1: login, the fields and their acceptance, the kind of entry, "prüfen".
#include "register/entry_window.h"

#include "core/constants.h"
#include "core/model.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/input_guard.h"
#include "platform/numbers.h"
#include "register/class_day_view.h"
#include "register/class_timetable_view.h"
#include "register/entry_kinds.h"
#include "register/entry_removal.h"
#include "register/password_file.h"
#include "register/password_windows.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "register/school_week.h"
#include "register/student_picker.h"
#include "register/week_details.h"
#include "register/week_overview.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kFreeSlot = QStringLiteral("-");
}

bool Form1::isAccepted(const QWidget* field)
{
    return controls::backColor(field) == BackColour(6);
}

void Form1::setAccepted(QWidget* field, bool accepted)
{
    controls::setBackColor(field, BackColour(accepted ? 6 : 0));
}

void Form1::Text1_Change()
{
    setAccepted(Text1, false);
    Timer2->setEnabled(true);
    // The password windows belong to the name they were opened for.
    forms::unload<Form4>();
    forms::unload<Form5>();
}

QString Form1::teacherNamed(const QString& typed)
{
    gCheckOk = 0;
    gText = typed.trimmed().toUpper();
    if (gText.toString().isEmpty())
        return {};
    QString stored;
    const int teachers = gMaxTeachers.toInt();
    for (int i = 1; i <= teachers; ++i) {
        // "-" marks a free teacher slot, not a name anybody may log in with.
        if (gTeacherShort(i) != kFreeSlot && gTeacherShort(i).toUpper() == gText.toString()) {
            gCheckOk = 1;
            stored = gTeacherShort(i);
        }
    }
    return stored;
}

// Enter in the name field ends the login before it, and the name typed
// becomes the user only when its login completes: while its password query is
// unanswered, or when its password file is empty, nobody is the user, so that
// name neither signs, lists nor removes entries nor gets a position file, and
// the teacher before signs nothing more either.
void Form1::endLogin()
{
    forms::unload<Form13>();
    forms::unload<Form4>();
    forms::unload<Form5>();
    Command16->setVisible(false);
    gUserShort = QString();
}

void Form1::logIn(const QString& shortName)
{
    gUserShort = shortName;
    setAccepted(Text1, true);
    Text3->setEnabled(true);
    Command8->setEnabled(true);
    Command17->setEnabled(true);
}

void Form1::Text1_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    endLogin();
    const QString shortName = teacherNamed(Text1->text());
    if (shortName.isEmpty())
        return;
    Text1->setText(shortName);
    // A name with a password file logs in only through the password query.
    gFileName = PasswordFilePath(shortName);
    if (datafile::exists(gFileName)) {
        ReadPasswordFile();
        if (!gUserPassword.isEmpty()) {
            gCheckOk = 0;
            forms::show<Form5>()->ask(shortName);
        }
        return;
    }
    logIn(shortName);
}

// The window system delivers keys typed right after Enter here until the
// password query that Enter showed takes the keyboard: they are the password,
// and go to the query's field, never into this one in clear. Once the user
// comes back to this window, keys are for the name again.
bool Form1::passwordTypedAhead(const QKeyEvent& key)
{
    Form5* query = forms::ifOpen<Form5>();
    if (!query || forms::active() != query)
        return false;
    // The copy is the same press: a repeat only where the original was one.
    QKeyEvent forwarded(key.type(), key.key(), key.modifiers(), key.text(), inputguard::isRepeat(key), key.count());
    QCoreApplication::sendEvent(query->Text1, &forwarded);
    return true;
}

void Form1::Text2_Change()
{
    gWorkDate = Text2->text();
    const std::optional<QDate> date = workDate();
    setAccepted(Text2, date.has_value());
    const std::optional<QDate> firstDay = SchoolYearFirstDay();
    if (date && firstDay)
        Label12->setText(QString::number(SchoolWeekNumber(*firstDay, *date)));
    noteActivity();
}

void Form1::Text2_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    gWorkDate = Text2->text();
    if (const std::optional<QDate> date = workDate()) {
        gWorkWeekday = static_cast<short>(dates::weekday(*date));
        showWeekday(*date);
    }
}

void Form1::Text2_LostFocus()
{
    gWorkDate = Text2->text();
    if (const std::optional<QDate> date = workDate())
        showWeekday(*date);
}

void Form1::Text3_Change()
{
    setAccepted(Text3, false);
    noteActivity();
    Timer2->setEnabled(true);
}

void Form1::Text3_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    forms::unload<Form16>();
    forms::unload<Form68>();
    forms::unload<Form17>();
    gCheckOk = 0;
    Command14->setEnabled(false);
    gEntryClass = Text3->text().trimmed();
    const QString typed = gEntryClass.toString().toUpper();
    if (typed.isEmpty())
        return;
    for (int i = 1; i <= 24; ++i) {
        if (gClassNames(i).toString().toUpper() == typed)
            gCheckOk = 1;
    }
    if (gCheckOk != 1)
        return;
    setAccepted(Text3, true);
    forms::showBeside<Form6>();
    FillClassDayInfo();
    forms::showBeside<Form16>();
    Command10->setEnabled(true);
    Command15->setEnabled(true);
    Command14->setEnabled(true);
    Text4->setFocus();
}

void Form1::Text4_Change()
{
    setAccepted(Text4, false);
    noteActivity();
}

void Form1::Text4_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    QString period = Text4->text().trimmed();
    gEntryPeriod = period;
    const double value = numbers::val(QString(period).remove(QLatin1Char(' ')));
    if (value < 1 || value > 11)
        return;
    if (period.endsWith(QLatin1Char('.'))) {
        period.chop(1);
        gEntryPeriod = period;
        Text4->setText(period);
        if (!forms::stillOpenAfterEvents(this))
            return;
        // Keys typed ahead while the events ran went into the field: the
        // field turns green only for the period checked, and what it holds
        // now waits for its own Enter, the focus staying with it.
        if (Text4->text() != period)
            return;
    }
    setAccepted(Text4, true);
    Text5->setFocus();
}

void Form1::Text5_Change()
{
    setAccepted(Text5, false);
    noteActivity();
}

void Form1::Text5_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    gEntrySubject = Text5->text().trimmed().toUpper();
    const QString typed = gEntrySubject.toString();
    if (typed.isEmpty())
        return;
    gCheckOk = 0;
    for (int i = 1; i <= 99; ++i) {
        if (gSubjectNames(i, 2).toUpper() == typed) {
            gCheckOk = 1;
            Text5->setText(gSubjectNames(i, 2));
            setAccepted(Text5, true);
        }
    }
    if (gCheckOk == 1)
        Text6->setFocus();
}

void Form1::Text6_Change()
{
    setAccepted(Text6, !Text6->text().isEmpty());
    noteActivity();
}

void Form1::Text7_Change() { setAccepted(Text7, false); }

// A single match is taken here: the picker's window, shown only to close
// again, would stand over this one for as long as a busy PC takes to paint
// and close it, and the clicks meant for the fields and buttons below would
// land on it.
void Form1::Text7_KeyDown(int& keyCode)
{
    if (!controls::isEnter(keyCode))
        return;
    const QList<int> students = MatchingStudents(*this);
    if (students.size() != 1) {
        forms::show<Form3>();
        return;
    }
    // A picker still open from an earlier Enter would list other students.
    forms::unload<Form3>();
    TakeStudent(*this, students.front());
    noteActivity();
}

void Form1::Option1_Click(int index)
{
    if (!isAccepted(Text1)) {
        Option1[index]->setAutoExclusive(false);
        Option1[index]->setChecked(false);
        Option1[index]->setAutoExclusive(true);
        return;
    }
    forms::unload<Form10>();
    forms::unload<Form17>();
    forms::unload<Form68>();
    Text7->setVisible(false);
    Label10->setVisible(false);
    Label11->setVisible(false);
    List1->setVisible(false);
    setAccepted(List1, false);
    List1->setCurrentRow(-1);
    List1->clearSelection();
    if (entrykinds::kKinds[index].withStudent) {
        Text7->setVisible(true);
        Label10->setVisible(true);
    }
    if (isAccepted(Text3) && index != entrykinds::kRoomReservation) {
        forms::unload<Form26>();
        forms::showBeside<Form6>();
        FillClassDayInfo();
    }
    if (index == entrykinds::kRoomReservation) {
        forms::unload<Form6>();
        List1->setVisible(true);
        Label11->setVisible(true);
        forms::showBeside<Form10>();
        if (!forms::stillOpenAfter(this, RefreshRoomBookingOverview))
            return;
    }
    noteActivity();
}

void Form1::List1_Click()
{
    setAccepted(List1, true);
    // Shown beside, the view is not activated, and only its activation and
    // its timer fill it: it would show no room, or the room clicked before.
    forms::showBeside<Form26>();
    FillRoomReservations();
}

int Form1::selectedKind() const
{
    for (int i = 0; i < 9; ++i) {
        if (Option1[i]->isChecked())
            return i;
    }
    return -1;
}

bool Form1::entryReady() const
{
    if (!workDate())
        return false;
    const int kind = selectedKind();
    if (kind < 0)
        return false;
    const std::pair<unsigned, const QWidget*> fields[] = {
        {entrykinds::ShortName, Text1}, {entrykinds::Class, Text3}, {entrykinds::Period, Text4},
        {entrykinds::Subject, Text5},   {entrykinds::Student, Text7}, {entrykinds::Text, Text6},
        {entrykinds::Room, List1},
    };
    const unsigned needs = entrykinds::kKinds[kind].needs;
    for (const auto& [flag, w] : fields) {
        if ((needs & flag) && !isAccepted(w))
            return false;
    }
    return true;
}

void Form1::Command9_Click()
{
    if (entryReady())
        Command1->setEnabled(true);
}
