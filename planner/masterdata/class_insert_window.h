#pragma once
// The insertion of a class into the class list of the loaded plan.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form67, "Klasse einfügen": the class slots in order; the new class "neu"
// goes before the one chosen, the class files are written at once and the
// plan waits for the user to save it.
class Form67 : public FormBase {
    Q_OBJECT
public:
    Form67();

    QLabel* Label1;
    QLabel* Label2;
    ListBox* List1;
    QLabel* Label3;
    QPushButton* Command2;
    QPushButton* Command1;

    void List1_Click();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Load() override;

private:
    void insertClass();
    void fillClassList();

    // The class chosen to have the new one before it. It is kept here, not in
    // gClass: that is the editor's current class, and a subject picked there
    // next would land in the class chosen here.
    int m_position = 0;
};
