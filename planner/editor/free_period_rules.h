#pragma once
// The free-period rules ("Hohlstundenregeln") by which the rating judges the
// teachers' gaps and wishes; they live in the data model while the program
// runs and are written to "Fenster.dat", which nothing reads back.
#include "platform/datafile.h"
#include "platform/forms.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TextBox;

// Rewrites "Fenster.dat": the 11 rule switches, the wish weight, the early
// finishes, the teaching load and the gaps accepted for it, one a line; a
// file that holds them already is left as it is.
datafile::WriteResult SaveFreePeriodRules();

// Form19 "Hohlstundenregeln": edits the free-period rules. Numbers are typed
// with a comma or a point and shown with a comma.
class Form19 : public FormBase {
    Q_OBJECT
public:
    Form19();

    QLabel* Label1;
    TextBox* Text1;
    TextBox* Text2;
    TextBox* Text3;
    TextBox* Text8;
    QCheckBox* Check1;
    QPushButton* Command1;

    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text8_LostFocus();
    void Check1_Click();
    void Command1_Click();

protected:
    void Form_Activate() override;
};
