#pragma once
// The windows of the substitution standings: fixing each teacher's counts at
// a key date, and the standings before today's lessons.
#include "planner/substitution/substitution_standings.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "register/day_file.h"

class ListBox;
class QLabel;
class QPushButton;
class TextBox;

// Form47 "Stand der Supplierungen festlegen": the key date and, per teacher,
// the quota of unpaid substitutions and the unpaid and paid ones held, kept
// in "stand.sup" when the window closes with a key date.
class Form47 : public FormBase {
    Q_OBJECT
public:
    Form47();

    QLabel* Label1;
    ListBox* List1;
    QLabel* Label2;
    QLabel* Label7;
    QLabel* Label3;
    TextBox* Text1;
    QLabel* Label8;
    QLabel* Label4;
    TextBox* Text2;
    QLabel* Label5;
    TextBox* Text3;
    QLabel* Label6;
    TextBox* Text4;
    QPushButton* Command1;

    void List1_Click();
    void Text1_Change();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_Change();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    bool hasUnsavedEdits() const override;
    QString saveEdits() override;
    void discardEdits() override;

private:
    bool keyDateTyped() const;
    void storeCounter(TextBox* box, int column);

    // The window edits counters of its own and the teacher its list shows:
    // the standings view and the export add the finished days to
    // gSubstCounts, and other windows change gTeacher, while it is open.
    SubstitutionCounts m_counts;
    SubstitutionCounts m_loaded;
    int m_teacher = 0;
    bool m_discarded = false;
};

// Form49 "aktueller Stand der Supplierungen": per teacher the paid and
// unpaid substitutions held and the quota, before lessons on gWorkDate.
class Form49 : public FormBase {
    Q_OBJECT
public:
    Form49();

    QLabel* Label1;
    ListBox* List1;
    QPushButton* Command1;

    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    // Every activation reads the days again; a file that cannot be read, or
    // a day whose marks are for another number of periods, is told once, not
    // again when the closed message activates the window.
    UnreadableDayMessage m_told{kPlannerDialogTitle};
};
