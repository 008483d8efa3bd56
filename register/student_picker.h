#pragma once
#include "platform/forms.h"

class ListBox;
class QPushButton;

// Form3, "Schüler/innen": lists the students that match the entry window's
// student and class fields and takes the chosen one into both fields; a single
// match is taken at once.
class Form3 : public FormBase {
    Q_OBJECT
public:
    Form3();

    ListBox* List1;
    QPushButton* Command1;

    void List1_Click();
    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    void TakeStudent(int student);
};
