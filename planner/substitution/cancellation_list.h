#pragma once
// The cancellation list and the provisional substitution days, for events
// that take classes or teachers away for several days.
#include "platform/forms.h"

#include <QDate>
#include <QList>
#include <array>

class QFrame;
class QLabel;
class QPushButton;
class TextBox;

// One teacher's lessons that fall away because their class is away: per
// weekday 1..6 and in total.
struct CancelledLessons {
    int teacher = 0;
    std::array<int, 7> perDay{};
    int total = 0;
};

// For every teacher not away on the day the absence window holds, the lessons
// of the timetable week whose class is away that day; teachers with none are
// left out.
QList<CancelledLessons> CountCancelledLessons();

// Prints the cancellation list on the current printer; the caller marks the
// run.
void PrintCancellationList(const QList<CancelledLessons>& lessons);

// Saves the substitution day held in memory for every school day from
// `first` to `last`, gWorkDate set to each in turn and restored exactly after.
// Stops at a day that cannot be written; returns the dates written, in order,
// and the date that failed (none when all went), with why, naming the file,
// and whether its day file was left changed though its date is not listed.
struct ProvisionalDays {
    QList<QDate> written;
    std::optional<QDate> failed;
    QString failure;
    bool failedDayChanged = false;
};
ProvisionalDays SaveProvisionalDays(const QDate& first, const QDate& last);

// Form60 "Entfälle für eine Woche".
class Form60 : public FormBase {
    Q_OBJECT
public:
    Form60();

    QLabel* Label3;
    QFrame* Shape1;
    QFrame* Shape2;
    QLabel* Label13;
    TextBox* Text2;
    QLabel* Label8;
    QPushButton* Command14;
    QPushButton* Command13;
    QLabel* Label1;
    TextBox* Text1;
    QLabel* Label2;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command1;
    QLabel* Label4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command4;

    void Text2_Change();
    void Text1_Change();
    void Command14_Click();
    void Command13_Click();
    void Command3_Click();
    void Command2_Click();
    void Command1_Click();
    void Command5_Click();
    void Command7_Click();
    void Command6_Click();
    void Command4_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void printList();
    void saveProvisionalDays();
    // Printing and writing only while both boxes hold dates and the first
    // is not after the last.
    bool rangeValid() const;
    void enableCommands();

    // The last valid day of each box.
    QDate m_first;
    QDate m_last;
};
