#pragma once
#include "planner/editor/editor_support.h"
#include "platform/controls.h"
#include "platform/forms.h"

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Redraws Form15's grid for the weekday gDay and the band of classes from
// gColumnOffset + 1: each label's subject short name and fixation colour,
// gGridCellMap, the class headers; gLastEditorDay := gDay. Loads the window,
// without showing it, when it is not open.
void RedrawTimetableGrid();

// What the editor's "save" does: the planner's start window, built on top of
// the editor, hands over its "Plan speichern ...". Without it "save" does nothing.
void SetEditorSaveCommand(std::function<void(QWidget* parent)> save);

// Form15 "Stundenplan - Bearbeitung": the timetable editor. The loaded plan
// one weekday at a time, a column per class and two half-cells per period,
// one label for each group row, coloured by fixation; the band of classes
// scrolls sideways.
class Form15 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kWeekdays = 6;
    static constexpr int kCommands = 9;

    Form15();

    QLabel* Label2;
    QGroupBox* Frame1;
    std::array<QRadioButton*, kWeekdays> Option1;
    QPushButton* Command3;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command4;
    std::array<QLabel*, editor::kMaxColumns> Label3;
    std::array<QLabel*, editor::kGridLabels> G;
    QLabel* Label1;
    QGroupBox* Frame2;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QRadioButton* Option5;
    QPushButton* Command1;
    QPushButton* Command5;
    QPushButton* Command6;
    QLabel* Label5;
    ListBox* List1;
    ListBox* List2;
    QLabel* Label4;
    ListBox* List3;
    QPushButton* Command2;

    // The columns and periods of the last layout (0 before the first).
    int laidOutColumns = 0;
    int laidOutPeriods = 0;

    // Option1(index) := True: the weekday choice runs.
    void setWeekday(int index);

    void Option1_Click(int index);
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void G_Click(int index);
    void List1_Click();
    void List2_Click();
    void Label3_Click(int index);
    void Command1_Click();
    void List3_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command7_Click();
    void Command8_Click();
    void Command5_Click();
    void Command6_Click();
    // The KeyDown of Command1, Command3, Command4, Command5, List1, List2,
    // List3 and the option buttons Option1..Option5: true when the editor
    // took the key, so the control does not act on it as well.
    bool Control_KeyDown(int keyCode, int shift);

    // The half-cell of the last cell click: "frei", placing and the report
    // on a refused subject act on it.
    const editor::HalfCell& selectedCell() const { return m_selectedCell; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    // A fixation mode button: gEditMode := code, with its text in Label1.
    void chooseFixationMode(short code, const QString& text);
    void highlight(int index);
    void fillPlacementLists();
    void toggleClassFixation(int cls);
    void showMissingHours(int cls);
    // The commands of List3 by their place in it.
    void runCommand(int index);
    // False when the editor was closed while a question was up.
    bool runDayCheck();

    editor::HalfCell m_selectedCell;
};
