// Form1: writing an entry into the day file, and moving the working date.
#include "register/entry_window.h"

#include "core/model.h"
#include "platform/clock.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "register/class_day_view.h"
#include "register/day_file.h"
#include "register/entry_kinds.h"
#include "register/room_reservations_view.h"
#include "register/week_details.h"
#include "register/week_overview.h"

#include <QPushButton>

void Form1::Command1_Click()
{
    const int kind = selectedKind();
    const bool withStudent = kind >= 0 && entrykinds::kKinds[kind].withStudent;
    // The next entry of the lesson needs only a new student or text.
    controls::disableHandingFocusTo(Command1, withStudent ? Text7 : Text6);
    // The fields may have changed since "prüfen": only a checked entry may
    // reach the shared day file.
    if (!entryReady())
        return;
    gDayFilePath = DayFilePath(*workDate());
    gEntryStamp = dates::timeStamp(Clock::now());
    gUserShort = Text1->text();
    gEntryClass = Text3->text();
    gEntrySubject = Text5->text();
    gEntryPeriod = Text4->text();
    gEntryText = Text6->text();
    gEntryKind = QString::fromLatin1(entrykinds::kKinds[kind].code);
    gEntryStudent = withStudent ? Text7->text() : QString();
    gEntryRoom = kind == entrykinds::kRoomReservation ? QString::number(List1->ListIndex() + 1) : QString();
    if (const datafile::WriteResult written = AppendDayLine(ComposeEntryLine()); !written) {
        const QString failure = AppendFailureMessage(QStringLiteral("Der Eintrag wurde nicht geschrieben"), written);
        if (!forms::stillOpenAfter(this, [&failure] { MsgBox(failure); }))
            return;
        // The entry stays checked, and "eintragen!" writes it again as the
        // message asks: nothing of it stands in the day file, but for a piece
        // the message tells of. Enabled only after the message, so that a
        // second click waiting behind this one does not try it meanwhile.
        Command1->setEnabled(true);
        noteActivity();
        return;
    }
    // The next entry starts empty before the keys and clicks waiting behind
    // this one are let in: they belong to it, and a "prüfen" among them finds
    // no text or student to write twice. The room stays chosen, as the
    // lesson's other fields do: a teacher reserves it period after period.
    Text6->setText(QString());
    Text7->setText(QString());
    // Closed meanwhile, the entry is written and the program ends.
    if (!forms::stillOpenAfterEvents(this))
        return;
    FillClassDayInfo();
    // The room view may tell of an unreadable day, and the window close
    // meanwhile.
    if (!forms::stillOpenAfter(this, RefreshRoomViews))
        return;
    noteActivity();
}

void Form1::Command5_Click() { stepWorkDate(-1); }
void Form1::Command12_Click() { stepWorkDate(1); }
void Form1::Command11_Click() { stepWorkDate(-7); }
void Form1::Command13_Click() { stepWorkDate(7); }
void Form1::Command2_Click() { showWorkDate(Clock::today(), true, true); }

// Steps from the date the user sees: other windows may have moved gWorkDate.
void Form1::stepWorkDate(int days)
{
    const std::optional<QDate> shown = workDate();
    if (!shown)
        return;
    const bool byDay = days == 1 || days == -1;
    showWorkDate(shown->addDays(days), byDay, !byDay);
}

void Form1::showWorkDate(const QDate& date, bool setWeekday, bool weekViews)
{
    gWorkDate = dates::shortText(date);
    Text2->setText(dates::shortText(date));
    if (setWeekday)
        showWeekday(date);
    if (forms::isOpen<Form6>())
        FillClassDayInfo();
    if (weekViews && forms::isOpen<Form68>())
        FillWeekDetails();
    const Form17* overview = forms::ifOpen<Form17>();
    if (weekViews && overview && overview->isVisible())
        FillWeekOverview();
    RefreshRoomViews();
}
