#pragma once
// The period table of the school day: a caption and a time text for each of
// the 11 periods, and where the three big breaks lie.
#include "platform/forms.h"
#include "platform/variant.h"

#include <QStringList>
#include <array>

class ListBox;
class QLabel;
class QPushButton;
class TextBox;

// Form27 "Zeiten": edits go into the data model at once; closing writes
// "Time.txt" with the captions and times trimmed.
class Form27 : public FormBase {
    Q_OBJECT
public:
    Form27();

    ListBox* List1;
    QLabel* Label1;
    QLabel* Label2;
    TextBox* Text1;
    QLabel* Label3;
    TextBox* Text2;
    QLabel* Label4;
    QLabel* Label5;
    TextBox* Text3;
    QLabel* Label6;
    TextBox* Text4;
    QLabel* Label7;
    TextBox* Text5;
    QPushButton* Command1;

    void List1_Click();
    void Text1_Change();
    void Text2_Change();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Text5_LostFocus();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;
    void discardEdits() override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Break `b` (1..3) from its box.
    void takeBreak(TextBox* box, int b);
    void showTimes();

    // The period being edited, 0 before a pick: the shared gLoopK is any
    // window's scratch.
    int m_period = 0;
    // The periods and breaks as they were when the window opened.
    std::array<Variant, 11> m_labels;
    QStringList m_times;
    std::array<short, 3> m_breaks{};
    // The periods and breaks as far as this window knows the file: when it
    // opened, or as it last saved them. A window only looked at writes
    // nothing over what another PC saved meanwhile.
    QStringList m_savedLines;
};
