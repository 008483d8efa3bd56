#pragma once
// The backup of the register's day files onto a folder of the administrator's
// choice, for example on a removable drive.
#include "platform/forms.h"

class QLabel;
class QPushButton;
class TextBox;

// Form69, the backup: tests the target folder for writing, then copies the day
// files of the school year into its sub-folder "qz".
class Form69 : public FormBase {
    Q_OBJECT
public:
    Form69();

    QLabel* Label3;
    TextBox* Text3;
    QPushButton* Command4;
    QPushButton* Command1;
    TextBox* Text1;
    QPushButton* Command2;

    void Command4_Click();
    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Unload(bool& cancel) override;

private:
    // While the copy runs the window takes no other command and cannot close.
    void setCopying(bool copying);
    // Copies the day files of the school year into `target` and tells the
    // user about every day file that was not copied.
    void CopyDayFiles(const QString& target);

    bool m_copying = false;
};
