#pragma once
#include "platform/controls.h"
#include "platform/forms.h"

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Stops a running optimisation: false when none runs. When one runs, its flag
// is cleared and `afterwards` is called once the run has returned and loaded
// plan "0" (the start window cancels its closing and closes again then).
// Several callers stopping the same run are called back in turn.
bool StopOptimisationRun(std::function<void()> afterwards);

// Runs `command` on a grid no run is filling: at once when no optimisation
// runs, otherwise once the run has been stopped and has returned with its best
// plan loaded. Every command that writes, loads or deletes a plan, or moves
// or drops lessons of the whole grid, goes through here. `window` is the
// window that asked: closing or closed meanwhile, it takes its command with
// it. While it waits, the same command (the same callable type given by the
// same `control`, the window itself unless a window gives one callable from
// several buttons) of the same window is carried out once. When the run could
// not read its plan back, the grid is in the middle of a pass: the waiting
// commands are dropped and the user is told why.
void AfterOptimisationRun(QWidget* window, std::function<void()> command, const QObject* control = nullptr);

// True while a run started by Form18 has not yet returned.
bool OptimisationRunInProgress();

// Form18 "Optimierung": the control window of the automatic timetable
// optimisation. It checks that the plan can start the chosen mode, runs it
// inside "starte Optimierung" and shows the runs' status and figures. Closed
// during a run it only hides, so the run can go on writing into it.
class Form18 : public FormBase {
    Q_OBJECT
public:
    static constexpr int kModes = 3;
    static constexpr int kMethods = 5;

    Form18();

    QGroupBox* Frame1;
    std::array<QRadioButton*, kModes> Option1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command9;
    QPushButton* Command1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label19;
    QLabel* Label20;
    QLabel* Label21;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QCheckBox* Check4;
    QCheckBox* Check5;
    std::array<QLabel*, kMethods> Label18;
    QCheckBox* Check6;
    QLabel* Label22;
    QLabel* Label23;
    Timer* Timer1;

    // Shows `text` in the status line, whole however long it is.
    void setStatus(const QString& text);

    // The check boxes of the release methods 1..5.
    std::array<QCheckBox*, kMethods> methodChecks() const { return {Check1, Check2, Check3, Check4, Check5}; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Timer1_Timer();

    // The status and buttons of a run being stopped, until it returns.
    void announceStop();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

private:
    // The start check of gOptimizerMode; false with the message in gText.
    bool startCheckPasses();
    void runChosenMode();
    void showCheckMessage();
};

// Form57: the lessons the fill run could not place, per class.
class Form57 : public FormBase {
    Q_OBJECT
public:
    Form57();
    ListBox* List1;
};
