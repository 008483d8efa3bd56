#pragma once
// The printed class register: a page per school week with the lesson content
// on the left and the class's other entries on the right, and a title page.
#include "platform/forms.h"

#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class TextBox;

// Form70, "Druckmenü - Klassenbuch": prints a range of school weeks of the
// register's current class, starting from the week the week overview shows.
class Form70 : public FormBase {
    Q_OBJECT
public:
    Form70();

    QLabel* Label6;
    QLabel* Label3;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    TextBox* Text1;
    QLabel* Label5;
    TextBox* Text2;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command1;
    QPushButton* Command2;

    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Load() override;

private:
    // Moves the labels back to the week before `first`; false when they hold
    // no date to move.
    bool stepBackBefore(int first);
    void nextWeek();
    // The notices of the week's days whose files could not be read.
    QStringList printWeekPage();
};
