#pragma once
// The launcher of the plan views: the week of a teacher (twice, side by side),
// of a class and of a special room, and the register's week overview.
#include "platform/forms.h"

class QPushButton;

// Form54 "Pläne zeigen".
class Form54 : public FormBase {
    Q_OBJECT
public:
    Form54();

    QPushButton* Command8;
    QPushButton* Command4;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

    void Command8_Click();
    void Command4_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};
