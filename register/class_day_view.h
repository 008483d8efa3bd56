#pragma once
// The class's register entries of the working day, refreshed from the day file
// so that entries made on other PCs show up.
#include "platform/controls.h"
#include "platform/forms.h"

class QLabel;
class QPushButton;

// Fills Form6 for the class and date of the entry window (when the view is
// open; the weekday label of the entry window, gEntryClass, gDayFilePath and
// the loaded day are set either way). An invalid date changes nothing.
void FillClassDayInfo();

// Loads the day of gDayFilePath; gFreeDay is 1 when an appointment of the
// school, or of the class in gEntryClass, names a lesson-free day; gLessonDay
// is 1 when the day holds lessons and is not free.
void DetectFreeDay();

// The same test on a day's lines that the caller holds, for the class cls.
bool IsFreeDay(const QStringList& lines, const QString& cls);

// Whether a day's lines, as the caller holds them, hold lessons (the other half
// of gLessonDay: a lesson day holds lessons and is not free).
bool HoldsLessons(const QStringList& lines);

// Information and appointments as the register's views list them: the short
// name in its 8 columns, then the text.
QString NoticeItem(const QString& line);

// The lists in which the day view and the week details show a class's lines.
struct DayLists {
    ListBox* absences;
    ListBox* info;
    ListBox* disturbances;
    ListBox* appointments;
};

// Adds a line that concerns the class in gEntryClass to its list: absences and
// returns, disturbances, information, appointments; other lines are left out.
// `prefix` goes before every item but the disturbances.
void AddToDayLists(const DayLists& lists, const QString& prefix, const QString& line);

// Form6 "Infos zur Klasse": the class's day in five lists.
class Form6 : public FormBase {
    Q_OBJECT
public:
    Form6();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label8;
    QLabel* Label4;
    ListBox* List1;
    QLabel* Label3;
    ListBox* List2;
    QLabel* Label6;
    ListBox* List4;
    QLabel* Label5;
    ListBox* List3;
    QLabel* Label7;
    ListBox* List5;
    QPushButton* Command2;
    QPushButton* Command1;
    Timer* Timer1;

    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Load() override;
};
