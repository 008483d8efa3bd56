#pragma once
// The hub of the saved substitution data.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form38 "Suplierstatistik / Datenbank": the absence presets of recent days
// (a double click takes one over into the absence window) and the finished
// substitution days; the way to the standings and the statistics.
class Form38 : public FormBase {
    Q_OBJECT
public:
    Form38();

    QLabel* Label2;
    ListBox* List1;
    QLabel* Label1;
    ListBox* List2;
    QLabel* Label3;
    QPushButton* Command4;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command1;

    void List1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    void Form_Load() override;

private:
    void listPresets();
    void listFinishedDays();
    void takeOverPreset(int entry);
    void fitHelpText();
};
