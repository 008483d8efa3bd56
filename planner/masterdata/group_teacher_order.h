#pragma once
// The order of the teachers who teach a group lesson together.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form37, "Reihenfolge bei Gruppenunterricht": the ten teacher slots of the
// editor's current class and subject; a teacher moves one slot up or down.
// The order stays in memory until the plan is saved.
class Form37 : public FormBase {
    Q_OBJECT
public:
    Form37();

    QLabel* Label1;
    ListBox* List1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command1;

    void List1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    void fillTeachers();
    // Swaps the teacher of the selected row with the one `step` rows away.
    void moveSelected(int step);

    // The class and subject shown, taken from the editor on activation.
    int m_class = 0;
    int m_subject = 0;
};
