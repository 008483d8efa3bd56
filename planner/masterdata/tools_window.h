#pragma once
// The planner's tools: the clean-up of lessons left over from deleted
// teachers, classes and subjects, the rebuild of the plan list, the keyword,
// and the dialogs for the data folder, the display, plan deletion and the web
// colours, each beside the setting it changes.
#include "platform/forms.h"

class QLabel;
class QPushButton;
class TextBox;

// Form29 "Tools". While the plan list is rebuilt (the run yields), its
// buttons do nothing and it cannot be closed.
class Form29 : public FormBase {
    Q_OBJECT
public:
    Form29();

    QPushButton* Command10;
    QLabel* Label5;
    QPushButton* Command5;
    QLabel* Label3;
    QPushButton* Command2;
    QLabel* Label1;
    QPushButton* Command7;
    QLabel* Label6;
    QLabel* Label2;
    QPushButton* Command4;
    QLabel* Label7;
    QPushButton* Command9;
    QLabel* Label4;
    QPushButton* Command8;
    QPushButton* Command11;
    QLabel* Label8;
    QPushButton* Command3;
    TextBox* Text1;
    QPushButton* Command6;
    QPushButton* Command1;

    void Command10_Click();
    void Command5_Click();
    void Command3_Click();
    void Text1_Change();
    void Command2_Click();
    void Command7_Click();
    void Command4_Click();
    void Command9_Click();
    void Command11_Click();
    void Command8_Click();
    void Command6_Click();

    bool isRebuilding() const { return m_rebuilding; }

protected:
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    void cleanUp();

    // Shows `F` and closes the tools window, unless the rebuild runs.
    template <class F>
    void openInstead();

    bool m_rebuilding = false;
};
