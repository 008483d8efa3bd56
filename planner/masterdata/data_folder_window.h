#pragma once
// The switch of the data folder: every file name built afterwards starts with
// the folder chosen; what is loaded stays in memory as it is.
#include "platform/forms.h"

class DriveList;
class FolderList;
class QLabel;
class QPushButton;

// Form24 "Wechsel": a drive list and a folder list to choose the folder, the
// current and the new folder, and the switch.
class Form24 : public FormBase {
    Q_OBJECT
public:
    Form24();

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label5;
    DriveList* Drive1;
    FolderList* Dir1;
    QLabel* Label4;
    QLabel* Label2;
    QPushButton* Command2;
    QPushButton* Command1;

    void Drive1_Change();
    void Dir1_Change();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
};
