#pragma once
// The editor of the subject table: every subject slot with its names and
// properties, the printout of the whole table, and the warning about subjects
// that share a screen name.
#include "core/model.h"
#include "platform/forms.h"

class ComboBox;
class ListBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class SSCheck;
class TextBox;

// Form7, "Eigenschaften der Fächer": a change in a control goes into the table
// at once; closing writes "Fach2.txt" and warns of screen names used twice.
class Form7 : public FormBase {
    Q_OBJECT
public:
    Form7();

    QLabel* Label18;
    ListBox* List1;
    QLabel* Label4;
    QLabel* Label1;
    QLabel* Label5;
    TextBox* Text1;
    QLabel* Label6;
    TextBox* Text2;
    QLabel* Label7;
    TextBox* Text3;
    QLabel* Label3;
    ComboBox* Combo2;
    QLabel* Label2;
    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QLabel* Label8;
    QLabel* Label9;
    QPushButton* Command4;
    QPushButton* Command5;
    QLabel* Label13;
    ComboBox* Combo3;
    SSCheck* SSCheck4;
    QLabel* Label10;
    ComboBox* Combo4;
    QLabel* Label11;
    ComboBox* Combo5;
    QLabel* Label12;
    ComboBox* Combo6;
    ComboBox* Combo1;
    ComboBox* Combo10;
    ComboBox* Combo11;
    QLabel* Label14;
    ComboBox* Combo7;
    ComboBox* Combo8;
    ComboBox* Combo9;
    QLabel* Label16;
    QLabel* Label17;
    ComboBox* Combo12;
    SSCheck* SSCheck1;
    SSCheck* SSCheck2;
    SSCheck* SSCheck3;
    QLabel* Label15;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command8;
    QPushButton* Command6;

    void List1_Click();
    void Text1_Change();
    void Text1_LostFocus();
    void Text2_Change();
    void Text2_LostFocus();
    void Text3_Change();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Combo5_Click();
    void Combo6_Click();
    void Combo7_Click();
    void Combo8_Click();
    void Combo9_Click();
    void Combo10_Click();
    void Combo11_Click();
    void Combo12_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void SSCheck1_Click(int value);
    void SSCheck2_Click(int value);
    void SSCheck3_Click(int value);
    void SSCheck4_Click(int value);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command8_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;
    void discardEdits() override;

private:
    // The subject shown, or 0.
    int shown() const;
    void fillSubjectBoxes();
    void showInputPosition(int position);
    // Puts the item of the subject shown back into the list and selects it,
    // which shows the subject again.
    void refreshListItem();

    // The subject shown: the shared gSubject is any window's scratch.
    int m_subject = 0;
    // The table as the window found it, for closing without saving.
    std::remove_reference_t<decltype(gSubjectNames)> m_openedNames;
    std::remove_reference_t<decltype(gSubjectAttr)> m_openedAttr;
};

// Form64, "Warnung: gleichnamige Fächer": names the last pair of subjects
// found with the same screen name (gText when it loads).
class Form64 : public FormBase {
    Q_OBJECT
public:
    Form64();

    QLabel* Label1;
    QLabel* Label2;

protected:
    void Form_Load() override;
};
