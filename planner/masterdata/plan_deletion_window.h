#pragma once
// The deletion of saved plans with all their files.
#include "platform/forms.h"

#include <vector>

class ListBox;
class QLabel;
class QPushButton;

// Form33 "Pläne löschen": the plans of the plan list with their titles;
// several are chosen by click, Ctrl and Shift and deleted after a question.
class Form33 : public FormBase {
    Q_OBJECT
public:
    Form33();

    QLabel* Label1;
    ListBox* List1;
    QLabel* Label2;
    QPushButton* Command2;
    QPushButton* Command1;

    void List1_Click();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    void deleteChosenPlans();
    // Reads the plan list anew and lists the plans whose files are there.
    void fill();

    // The plan of each item of List1.
    std::vector<short> m_itemPlans;
};
