#pragma once
// PlannerMenu, the start window of the timetable planner: a button and a menu
// entry for each head window of the planner, grouped as the work goes
// (timetable, master data, substitution, printing, publishing), and the
// loading and saving of plans. Closing it closes every open window of the
// program as the user would, then offers to save the plan in memory.
#include "platform/forms.h"

class QMenu;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

class PlannerMenu : public FormBase {
    Q_OBJECT
public:
    PlannerMenu();
    // The editor's "save" goes with the window that handed it over.
    ~PlannerMenu() override;

    QMenuBar* menuBar;
    QPushButton* loadPlan;
    QPushButton* savePlan;

    void loadPlan_Click();
    void savePlan_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    // A button in the group's column and an entry in its menu per window.
    void addWindows(const char* group, QVBoxLayout* column, QMenu* menu);
    void addPlanCommands(QVBoxLayout* column, QMenu* menu);
    // False when a window refused to close.
    bool closeOtherWindows();

    // Closed during a run, the window closes again once the run has returned.
    bool m_closesAfterRun = false;
};
