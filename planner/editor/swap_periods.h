#pragma once
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;

// Form34 "2 Einheiten tauschen": exchanges two whole periods of the day the
// editor shows, lessons and fixations of every class and both group rows,
// without a rule; the editor then recommends a day check.
class Form34 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kPeriods = 11;

    Form34();

    QLabel* Label1;
    ListBox* List1;
    ListBox* List2;
    QPushButton* Command2;
    QPushButton* Command1;

    void List1_Click();
    void List2_Click();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void paintEvent(QPaintEvent* e) override;
};
