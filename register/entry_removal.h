#pragma once
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form13 "einen Eintrag entfernen": the logged-in teacher cancels one of their
// own entries of the working date by appending a removal line.
class Form13 : public FormBase {
    Q_OBJECT
public:
    Form13();

    ListBox* List1;
    QLabel* Label1;
    QPushButton* Command1;
    QLabel* Label2;
    QPushButton* Command2;

    void List1_Click();
    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Load() override;
};
