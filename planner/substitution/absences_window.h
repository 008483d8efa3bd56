#pragma once
// The daily absences window: for the working date, which teachers and classes
// are away, for the whole day or some periods, why, and whether a teacher's
// substitutions are paid.
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "register/day_file.h"

#include <optional>

class ListBox;
class QCheckBox;
class QLabel;
class QPushButton;
class TextBox;
class Timer;

// The captions of the teacher commands of Form20 for its selected teacher:
// whole day, some periods ("> fehlt 3 Stunden <", "> fehlt eine Einheit <")
// or present, each in angle brackets when the marks describe it.
void ShowTeacherAbsenceStatus();
// The same for the class commands and the selected class.
void ShowClassAbsenceStatus();

// The teacher and the class Form20 shows as selected (Label14, Label15); 0
// when none is or the window is not open.
int SelectedAbsenceTeacher();
int SelectedAbsenceClass();

// Form20 "wer fehlt ?": the absences of the working date.
class Form20 : public FormBase {
    Q_OBJECT
public:
    Form20();

    QLabel* Label1;
    ListBox* List1;
    QLabel* Label9;
    ListBox* List2;
    QLabel* Label13;
    TextBox* Text2;
    QPushButton* Command14;
    QPushButton* Command13;
    QLabel* Label8;
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label7;
    QLabel* Label14;
    QLabel* Label3;
    TextBox* Text1;
    QCheckBox* Check1;
    QPushButton* Command2;
    QPushButton* Command10;
    QPushButton* Command3;
    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label11;
    QLabel* Label15;
    TextBox* Text3;
    QPushButton* Command7;
    QPushButton* Command11;
    QPushButton* Command6;
    QLabel* Label12;
    QLabel* Label10;
    QPushButton* Command1;
    QPushButton* Command12;
    QPushButton* Command4;
    QPushButton* Command8;
    QPushButton* Command5;
    QPushButton* Command9;

    void List1_Click();
    void List2_Click();
    void Text1_LostFocus();
    void Text3_Change();
    void Check1_Click();
    void Command2_Click();
    void Command10_Click();
    void Command3_Click();
    void Command7_Click();
    void Command11_Click();
    void Command6_Click();
    void Command14_Click();
    void Command13_Click();
    void Text2_Change();
    void Command8_Click();
    void Command9_Click();
    void Command1_Click();
    void Command12_Click();
    void Command4_Click();

    // Shows the window over the preset just copied to "suppl.dat" from
    // `chosen`, the saved preset the user took over: the notice of the preset
    // names that file.
    static Form20* showWithPresetFrom(const QString& chosen);

    int selectedTeacher() const { return m_teacher; }
    int selectedClass() const { return m_class; }

protected:
    void Form_Load() override;
    void Form_Activate() override;

private:
    void fillLists();
    void showAbsenceLists();
    // The lists and the selection as the day just loaded holds them.
    void showLoadedDay();
    // The weekday of gWorkWeekday and START enabled Monday to Saturday.
    void showWeekday();
    void showSelectedTeacher();
    void showSelectedClass();
    void moveDate(int days);
    // The user stops at the date typed: its day's notice is told.
    void stopTyping();
    // The notice held for the typed date, while the field still names its day.
    void tellTypedDay();
    void selectTeacher(int teacher);
    void selectClass(int cls);
    // The commands' captions without a teacher or class to describe.
    void showPlainCaptions();
    void enableTeacherCommands(bool enabled);
    void enableClassCommands(bool enabled);
    // Stores a reason typed into Text1 under the teacher it was typed for.
    void storeTeacherReason();
    // Tells the notice of the day just read: at once, once the window is up
    // while it loads, or, for a date being typed, once the user stops at it.
    void tellDay(const QString& notice);
    // What the load found to tell, the day's notice and then the preset's.
    void tellLoadNotices();

    // The window's own selection: gTeacher and gClass are shared with the
    // editor and the rules, which change them while this window is open.
    int m_teacher = 0;
    int m_class = 0;
    // A day file that cannot be read, or whose marks are for another number
    // of periods a day, is told once while the window stays on its date.
    UnreadableDayMessage m_dayNotice{kPlannerDialogTitle};
    // A date being typed passes others ("09.11.20" on the way to
    // "09.11.2026"). Each day is loaded at its key, so the working date and
    // the day in memory never part; its notice, with the key of the day it is
    // about, waits until the user stops at the date, by Enter, by leaving the
    // field or by typing nothing for a moment.
    struct DayNotice {
        QString key;
        QString notice;
    };
    std::optional<DayNotice> m_typedDayNotice;
    Timer* m_typingPause;
    // While the window loads, its notices wait until it is up.
    bool m_loading = false;
    std::optional<QString> m_dayNoticeAfterLoad;
    QString m_presetNotice;
};
