#pragma once
// The reminder of lesson content missing from the class register: the subjects
// of last week's timetable of a class for which nobody entered the lesson
// content, with the teacher who entered that subject's content last.
#include "platform/forms.h"

class ListBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Form11, "Stoffeintrag fehlt": last week's subjects without lesson content and
// a personal word to the teacher who logged in.
class Form11 : public FormBase {
    Q_OBJECT
public:
    Form11();

    QPlainTextEdit* Text1;
    QLabel* Label3;
    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label5;
    ListBox* List2;
    QPushButton* Command10;

    void Command10_Click();
};

// Fills Form11 for the class of the main window's class field and the school
// week before today, and shows it when a subject lacks its content and the
// logged-in teacher is the one to hear about it.
void RemindMissingLessonContent();
