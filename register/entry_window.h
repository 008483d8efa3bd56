#pragma once
// Form1, the entry window of the class register and the program's main window:
// its load event performs the whole start-up; teachers log in here and write
// their entries into the day file of the working date.
#include "platform/controls.h"
#include "platform/forms.h"

#include <QDateTime>
#include <array>
#include <optional>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;

class Form1 : public FormBase {
    Q_OBJECT
public:
    Form1();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    TextBox* Text1;
    TextBox* Text2;
    TextBox* Text3;
    TextBox* Text4;
    TextBox* Text5;
    TextBox* Text6;
    TextBox* Text7;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command8;
    QPushButton* Command9;
    QPushButton* Command10;
    QPushButton* Command11;
    QPushButton* Command12;
    QPushButton* Command13;
    QPushButton* Command14;
    QPushButton* Command15;
    QPushButton* Command16;
    QPushButton* Command17;
    ListBox* List1;
    std::array<QRadioButton*, 9> Option1;
    QFrame* Shape1;
    Timer* Timer1;
    Timer* Timer2;

    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    // The bookable rooms, room n as the n-th item.
    void FillRoomList();

    // Completes the login of a teacher's short name as stored: from here on
    // the program signs, lists and keeps window positions in that name.
    void logIn(const QString& shortName);

    // The date in the date field; nullopt while the field holds no date.
    std::optional<QDate> workDate() const;
    // Shows the weekday of a date in Label8.
    void showWeekday(const QDate& date);

    // Login and fields
    void Text1_Change();
    void Text1_KeyDown(int& keyCode);
    void Text2_Change();
    void Text2_KeyDown(int& keyCode);
    void Text2_LostFocus();
    void Text3_Change();
    void Text3_KeyDown(int& keyCode);
    void Text4_Change();
    void Text4_KeyDown(int& keyCode);
    void Text5_Change();
    void Text5_KeyDown(int& keyCode);
    void Text6_Change();
    void Text7_Change();
    void Text7_KeyDown(int& keyCode);
    void Option1_Click(int index);
    void List1_Click();
    void Command9_Click();

    // Writing, the date and the other windows
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void Command12_Click();
    void Command11_Click();
    void Command13_Click();
    void Command3_Click();
    void Command4_Click();
    void Command8_Click();
    void Command10_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();

    // Timers
    void Timer1_Timer();
    void Timer2_Timer();

protected:
    void Form_Load() override;

private:
    void createControls();
    void layOut();
    void connectEvents();

    // A field's back colour is its accepted state.
    static bool isAccepted(const QWidget* field);
    static void setAccepted(QWidget* field, bool accepted);
    // The teacher's short name as stored for a typed one, empty for none; sets
    // gCheckOk.
    QString teacherNamed(const QString& typed);
    // Hands a key typed into the short-name field to the password query,
    // true when it did.
    bool passwordTypedAhead(const QKeyEvent& key);
    // Ends the current login: nobody is the user until the next one completes.
    void endLogin();
    bool entryReady() const;
    int selectedKind() const;
    void stepWorkDate(int days);
    void showWorkDate(const QDate& date, bool setWeekday, bool weekViews);
    void logOut();

    void noteActivity();
    double idleSeconds();

    QDateTime m_lastActivityAt;
    float m_lastActivityNoted = -1;
};

// The entry window's fields as the register's views read them. With the window
// not open there is no working date, the class is empty and no room is chosen.
namespace entryfields {
// The date field as typed, and as a date.
QString dateText();
std::optional<QDate> date();
// The class field without the blanks around it.
QString classText();
// The position of the chosen room in the room list (0 = room 1), -1 for none.
int roomIndex();
// The school week number shown beside the week buttons.
QString schoolWeekText();
void showWeekday(const QDate& date);
}

// Notes the user's activity in gLastActivity, from which the entry window
// counts the idle time before it logs out.
void NoteActivity();
