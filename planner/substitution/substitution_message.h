#pragma once
// The message of three lines printed at the foot of the substitution plan
// (the lines the substitution web page shows too), and the notice that no
// substitution plan can be made.
#include "platform/forms.h"

class QLabel;
class QPushButton;
class TextBox;
class Timer;

// Form44 "Nachricht": edits gSubstPageMessages.
class Form44 : public FormBase {
    Q_OBJECT
public:
    Form44();

    QLabel* Label1;
    TextBox* Text1;
    TextBox* Text2;
    TextBox* Text3;
    QPushButton* Command1;
    QPushButton* Command13;

    void Text1_KeyDown(int& keyCode);
    void Text2_KeyDown(int& keyCode);
    void Text3_KeyDown(int& keyCode);
    void Command1_Click();
    void Command13_Click();

protected:
    void Form_Activate() override;
};

// Form63 "keine Supplierung nötig": why no substitution plan can be made;
// closes itself after 20 seconds and keeps no position.
class Form63 : public FormBase {
    Q_OBJECT
public:
    Form63();

    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Command1;
    Timer* Timer1;

    void Command1_Click();
    void Timer1_Timer();

protected:
    void Form_Load() override;
};
