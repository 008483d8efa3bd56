#pragma once
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form68 "Wochendetails": the register entries of one class over the school
// week of the working date, by category.
class Form68 : public FormBase {
    Q_OBJECT
public:
    Form68();

    QLabel* Label3;
    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label10;
    QLabel* Label8;
    ListBox* List1;
    QLabel* Label9;
    ListBox* List2;
    QLabel* Label6;
    ListBox* List4;
    QLabel* Label5;
    ListBox* List3;
    QLabel* Label7;
    ListBox* List5;
    QPushButton* Command10;

    void Command10_Click();

protected:
    void Form_Load() override;
};

// Fills Form68 from the entry window's date and class fields, reading every
// day file of the week.
void FillWeekDetails();
