#pragma once
// Absences and disruptions of the register counted per student over a range of days.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;
class TextBox;

// Form21 "Schüler - Statistik": counts the absence and disruption entries of
// every student from a start date up to today, highest count first, shows
// their wording on a click, and counts the school days with lessons.
class Form21 : public FormBase {
    Q_OBJECT
public:
    Form21();

    QLabel* Label1;
    TextBox* Text2;
    QLabel* Label4;
    TextBox* Text3;
    QPushButton* Command9;
    QLabel* Label7;
    QLabel* Label8;
    QPushButton* Command1;
    QLabel* Label3;
    ListBox* List3;
    QLabel* Label5;
    ListBox* List4;
    QLabel* Label2;
    ListBox* List5;
    QLabel* Label6;
    ListBox* List6;
    ListBox* List1;
    ListBox* List2;

    void Command1_Click();
    void Command9_Click();
    void Text3_Change();
    void Text3_KeyDown(int& keyCode);
    void List3_Click();
    void List4_Click();

protected:
    void Form_Load() override;

private:
    // Counts the days from `start`; false when the window went meanwhile.
    bool Evaluate(const QDate& start);
    void FillCounterLists();
};
