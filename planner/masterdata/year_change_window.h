#pragma once
// The change of the class names at the start of a school year.
#include "platform/forms.h"

class QLabel;
class QPushButton;
class TextBox;

// Form45, "Jahreswechsel": every class a grade higher with its form teacher,
// the highest grade gone, the given number of new first classes in front; the
// class files are written at once.
class Form45 : public FormBase {
    Q_OBJECT
public:
    Form45();

    QLabel* Label2;
    TextBox* Text1;
    QPushButton* Command2;
    QPushButton* Command1;
    QLabel* Label1;

    void Text1_Change();
    void Command2_Click();
    void Command1_Click();

private:
    void changeYear();
};
