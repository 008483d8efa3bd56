#pragma once
#include "platform/forms.h"

class Form1;
class ListBox;
class QPushButton;

// The students that match the entry window's student and class fields, read
// into gText and gEntryClass.
QList<int> MatchingStudents(const Form1& main);
// Takes a student into the entry window's student and class fields, both
// accepted; false for a number that is no student's.
bool TakeStudent(Form1& main, int student);

// Form3, "Schüler/innen": lists the students that match the entry window's
// student and class fields and takes the chosen one into both fields. The
// entry window takes a single match without it; back in it after the fields
// changed, it takes a single match at once.
class Form3 : public FormBase {
    Q_OBJECT
public:
    Form3();

    ListBox* List1;
    QPushButton* Command1;

    void List1_Click();
    void Command1_Click();

protected:
    void Form_Activate() override;

private:
    void TakeStudent(int student);
};
