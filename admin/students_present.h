#pragma once
// The day's head count: students and absent students per class.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form12 "Anwesende": per class the number of students and of those absent
// today, and the absent students by class and name.
class Form12 : public FormBase {
    Q_OBJECT
public:
    Form12();

    QLabel* Label1;
    ListBox* List1;
    QLabel* Label2;
    ListBox* List2;
    QPushButton* Command1;
    QPushButton* Command4;

    void Command1_Click();
    void Command4_Click();

protected:
    void Form_Load() override;

private:
    void FillAbsentStudents();
    void FillClassLines();
};
