#pragma once
// The week overview of a class: which timetabled subjects received lesson
// content in a school week and which did not, with the week's information and
// appointments.
#include "platform/forms.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class ListBox;
class QLabel;
class QPushButton;

// Form17, "Wochenübersicht": the class's lesson content of one week against its
// timetable.
class Form17 : public FormBase {
    Q_OBJECT
public:
    Form17();

    QLabel* Label3;
    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label5;
    ListBox* List1;
    QLabel* Label6;
    ListBox* List2;
    QLabel* Label7;
    ListBox* List3;
    QLabel* Label8;
    ListBox* List4;
    QPushButton* Command1;
    QPushButton* Command10;

    void Command1_Click();
    void Command10_Click();

protected:
    void Form_Activate() override;
};

// Fills Form17 (loading it hidden when needed) for the class and the week of
// the main window's class and date fields.
void FillWeekOverview();

// What the overview and the reminder share.

// A timetabled subject of the week and its number of lesson-content entries.
struct SubjectTally {
    QString subject;
    int count = 0;
};

// The days one run has read: a run that looks at a day again gets the lines
// it read first instead of reading the file once more.
class DayCache {
public:
    // The day's lines as the register reads them, removed lines empty.
    const QStringList& lines(const QDate& day);
    // The notices of the days read so far whose files could not be read.
    const QStringList& unreadable() const { return m_unreadable; }

private:
    QHash<QDate, QStringList> m_days;
    QStringList m_unreadable;
};

// The subjects of class cls (1..24) in the timetable of the six days from
// monday, in the order of day, period and group row, leaving out the days
// that are free for the class, each with the number of lesson-content entries
// the class received for it in those days. gClassEntryCount gets the number
// of all lesson-content lines of the class in the six days.
QList<SubjectTally> TallyWeek(const QDate& monday, int cls, const QString& classText, DayCache& days);
