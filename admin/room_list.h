#pragma once
// The names of the school's 100 bookable rooms, kept in "Raeume-qz.dat".
#include "platform/datafile.h"
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;
class TextBox;

// Rewrites "Raeume-qz.dat" with the 100 room names, one a line, trimmed; the
// names keep the form they were written in.
datafile::WriteResult SaveRoomNames();

// Form8, the room list: names the bookable rooms and opens their standing bookings.
class Form8 : public FormBase {
    Q_OBJECT
public:
    Form8();

    QLabel* Label4_2;
    ListBox* List1;
    QLabel* Label4_1;
    QLabel* Label1;
    QLabel* Label4_0;
    TextBox* Text1;
    QPushButton* Command2;
    QPushButton* Command1;

    void List1_Click();
    void Text1_Change();
    void Text1_KeyDown(int& keyCode);
    void Text1_LostFocus();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;
    void discardEdits() override;

private:
    // Puts the stored name of the selected room back into its list item.
    void RefreshSelectedItem();

    // The room names as the file holds them as far as this window knows:
    // loaded, or last saved.
    QStringList m_savedNames;
};
