#pragma once
#include "platform/forms.h"

class ListBox;
class QCheckBox;
class QLabel;
class QPushButton;

// Form42 "lehrerbezogen Fixierungen lösen": releases the temporary fixation
// of every cell in which the chosen teacher teaches, so the optimiser may move
// those lessons again; the lessons stay, absolute fixations too.
class Form42 : public FormBase {
    Q_OBJECT
public:
    Form42();

    ListBox* List1;
    QLabel* Label1;
    QCheckBox* Check1;
    QPushButton* Command1;
    QPushButton* Command2;

    void List1_Click();
    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Activate() override;

private:
    // Label1 := name, and its Change.
    void showTeacher(const QString& name);
    void Label1_Change();
    // The teacher chosen in this window's list; gTeacher is every window's
    // scratch.
    int m_teacher = 0;
};
