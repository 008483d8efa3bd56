#pragma once
#include "planner/editor/editor_support.h"
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form40 "warum nicht ...": every rule that refuses the subject chosen among
// the editor's refused subjects, for the half-cell clicked last; the subject
// can be placed there against the warnings.
class Form40 : public FormBase {
    Q_OBJECT
public:
    Form40();

    QLabel* Label1;
    ListBox* List1;
    QPushButton* Command2;
    QPushButton* Command1;

    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Activate() override;

private:
    // The report's cell and subject: a forced placement puts that subject
    // there, whatever the editor or other windows chose since.
    editor::HalfCell m_cell;
    int m_subject = 0;
};
