// Form1: idle logout, the reminder of missing lesson content, activity.
#include "register/entry_window.h"

#include "core/model.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "register/class_day_view.h"
#include "register/class_timetable_view.h"
#include "register/content_reminder.h"
#include "register/entry_removal.h"
#include "register/room_reservations_view.h"
#include "register/school_week.h"
#include "register/student_picker.h"
#include "register/week_overview.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr double kIdleLimit = 600;
}

void NoteActivity() { gLastActivity = static_cast<float>(Clock::secondsSinceMidnight()); }

void Form1::noteActivity()
{
    m_lastActivityAt = Clock::now();
    NoteActivity();
    m_lastActivityNoted = gLastActivity;
}

// Other windows note activity as a time of day in gLastActivity; it is taken
// as the latest such moment up to now, so idle time runs across midnight.
double Form1::idleSeconds()
{
    const QDateTime now = Clock::now();
    if (gLastActivity != m_lastActivityNoted || !m_lastActivityAt.isValid()) {
        const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(gLastActivity * 1000.0));
        m_lastActivityAt = QDateTime(now.date(), time);
        if (m_lastActivityAt > now)
            m_lastActivityAt = m_lastActivityAt.addDays(-1);
        m_lastActivityNoted = gLastActivity;
    }
    return m_lastActivityAt.msecsTo(now) / 1000.0;
}

void Form1::Timer1_Timer()
{
    if (idleSeconds() < kIdleLimit)
        return;
    logOut();
}

void Form1::logOut()
{
    forms::unload<Form26>();
    forms::unload<Form6>();
    forms::unload<Form16>();
    forms::unload<Form17>();
    forms::unload<Form13>();
    forms::unload<Form3>();
    Text1->setText(QString());
    if (!Text3->text().isEmpty())
        Text3->setText(QString());
    setAccepted(Text3, false);
    Text3->setEnabled(false);
    Command10->setEnabled(false);
    Command17->setEnabled(false);
    // Nobody may write or set a password under the name of the teacher who left.
    Command1->setEnabled(false);
    Command8->setEnabled(false);
}

void Form1::Timer2_Timer()
{
    if (!isAccepted(Text1) || !isAccepted(Text3) || numbers::val(Label12->text()) < 2)
        return;
    const std::optional<QDate> firstDay = SchoolYearFirstDay();
    if (!firstDay || !gSchoolYearEnd.isValid())
        return;
    const QDate today = Clock::today();
    if (today <= *firstDay || today >= gSchoolYearEnd.date())
        return;
    Timer2->setEnabled(false);
    setCursor(Qt::WaitCursor);
    forms::get<Form11>();
    RemindMissingLessonContent();
    unsetCursor();
}
