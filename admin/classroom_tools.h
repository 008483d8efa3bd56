#pragma once
// Tools for the lesson: a random order or random groups of the students
// present, and a countdown.
#include "platform/controls.h"
#include "platform/forms.h"
#include "register/day_file.h"

#include <optional>

class QLabel;
class QPushButton;

// Form39 "Tools": lists the students of the entry window's class with those
// present on its date selected, draws an order or groups of the selected ones
// and counts minutes and seconds down to the signal window.
class Form39 : public FormBase {
    Q_OBJECT
public:
    Form39();

    QLabel* Label1;
    ListBox* List1;
    QPushButton* Command1;
    TextBox* Text1;
    QPushButton* Command2;
    ListBox* List2;
    TextBox* Text2;
    QLabel* Label2;
    TextBox* Text3;
    QLabel* Label3;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command14;
    Timer* Timer1;

    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Text1_Change();
    void Text1_KeyDown(int& keyCode);
    void Command3_Click();
    void Command4_Click();
    void Timer1_Timer();
    void Command14_Click();

protected:
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    // Clears the result and puts the selected participants into gShuffleList
    // in a random order; their number, or nullopt when they do not fit.
    std::optional<int> DrawParticipants();
    int selectedCount() const;

    // Everyone would be selected as present; a list item would be drawn.
    UnreadableDayMessage m_unreadableDay;
};
