#pragma once
// The school's student list "schüler.dat": corrections, new and removed
// students, and moving everybody up one class at the change of the school year.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPushButton;
class TextBox;

// Re-reads "schüler.dat" into gStudentNames, gStudentClass and gStudentCount
// and lists the students in Form25 (when it is open), sorted by class and
// name, each item ending in its student number, then the item "0_neu" for a
// new student. Without the file the students held are listed.
void LoadStudentsIntoList();

// Form25, the student list: edits one student at a time and runs the school-year change.
class Form25 : public FormBase {
    Q_OBJECT
public:
    Form25();

    QLabel* Label2;
    ListBox* List1;
    QLabel* Label1;
    QLabel* Label6;
    QLabel* Label3;
    TextBox* Text1;
    QLabel* Label4;
    TextBox* Text2;
    QPushButton* Command2;
    QPushButton* Command3;
    QLabel* Label5;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command1;

    void List1_Click();
    void Text1_Click();
    void Text2_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command4_Click();
    void Command1_Click();

protected:
    void Form_Load() override;

private:
    void showQuestion(bool visible);
};
