#pragma once
// The print menu of the timetable planner: what to print and how, and one
// button per printout.
#include "planner/print/print_job.h"
#include "platform/forms.h"

class ComboBox;
class ListBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SSCheck;
class TextBox;

// Form14, "Druckmenü": the selections of teachers, classes, a day, rooms and
// the class of the A3 page, the print font, the printer, the plotter and
// black-and-white settings, the short note and the place-and-date text. A
// print button is usable once the selection its printout needs is made; the
// A3 printouts need a large-format printer or the "." beside them. The
// window prints nothing itself; its settings outlive it in the data model.
class Form14 : public FormBase {
    Q_OBJECT
public:
    Form14();

    QGroupBox* SSFrame1; // "A4"
    ListBox* List1;
    ListBox* List2;
    ListBox* List3;
    ListBox* List5;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command9;
    QPushButton* Command10;
    QPushButton* Command22;
    QPushButton* Command23;
    QPushButton* Command4;
    QPushButton* Command20;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command5;
    QPushButton* Command25;
    QPushButton* Command6;
    QPushButton* Command26;
    QPushButton* Command19;
    QPushButton* Command18;
    QPushButton* Command11;
    QPushButton* Command12;
    QPushButton* Command21;
    QPushButton* Command32;
    QPushButton* Command24;

    ComboBox* Combo1;
    QLabel* Label3;
    TextBox* Text1;
    QPushButton* Command27;
    QLabel* Label1;
    QPushButton* Command17;
    QPushButton* Command1;

    QGroupBox* SSFrame2; // "A3"
    SSCheck* SSCheck1;
    SSCheck* SSCheck2;
    QLabel* Label2;
    TextBox* Text2;
    ListBox* List4;
    QPushButton* Command16;
    QPushButton* Command13;
    QPushButton* Command29;
    QPushButton* Command14;
    QPushButton* Command28;
    QPushButton* Command15;
    QPushButton* Command30;
    QLabel* Label6;
    TextBox* Text4;
    QLabel* Label7;
    TextBox* Text5;
    QLabel* Label4;
    TextBox* Text3;
    QLabel* Label5;
    QPushButton* Command31;

    void List1_Click();
    void List2_Click();
    void List3_Click();
    void List4_Click();
    void List5_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command22_Click();
    void Command23_Click();
    void Combo1_Click();
    void Combo1_LostFocus();
    void SSCheck1_Click(int value);
    void SSCheck2_Click(int value);
    void Text1_Change();
    void Command27_Click();
    void Command31_Click();
    void Command17_Click();
    void Command1_Click();

    // The printouts. Each handler runs its printout through runPrintout();
    // one whose printout is not built yet does nothing.
    void Command2_Click();
    void Command26_Click();
    void Command32_Click();
    void Command25_Click();
    void Command16_Click();
    void Command4_Click();
    void Command6_Click();
    void Command20_Click();
    void Command21_Click();
    void Command3_Click();
    void Command18_Click();
    void Command19_Click();
    void Command24_Click();
    void Command5_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command29_Click();
    void Command14_Click();
    void Command28_Click();
    void Command15_Click();
    void Command30_Click();

    // The frame of every printout: the busy pointer, one print run named
    // after the button, and afterwards in Label5 where a PDF file went or
    // that the printout could not be made. While a printout runs, another
    // print click does nothing.
    void runPrintout(QPushButton* button, const Printout& printout);
    void printNow(QPushButton* button, const Printout& printout);
    // True, and told in Label5, while the plan in memory is a grid a run left
    // unfinished: printed, it would pass for the timetable.
    bool refusesUnfinishedGrid();

protected:
    void Form_Load() override;
    void Form_Activate() override;

private:
    void fillLists();
    // A printer whose paper is larger than A4: an A3 printer or a plotter.
    bool isLargeFormat() const;

    // The font index last written to the settings file.
    int m_savedFontIndex = -1;
};
