#pragma once
// Loading and saving plans from the planner's windows: "Plan laden ..." and
// "Plan speichern ..." of the start window, the editor's "save", and the offer
// to save the plan in memory before it is given up. Several planners may work
// on one data folder: a save never writes over a plan that another program
// saved meanwhile without asking, and only a plan this program changed is
// offered for saving.
class QString;
class QWidget;

// "Plan speichern ...": the user names the plan, which is then saved. A
// running optimisation is stopped first: the plan saved is the run's best.
void SavePlanAs(QWidget* parent);

// Saves the plan in memory as `plan` titled `title`, as "Plan speichern ..."
// does once the user named it: another plan's files, or files another
// program saved since, are written over only when the user says so. A plan
// saved under another number becomes the one the next start loads. A failure
// is told and leaves the plan in memory under its former number and title.
bool SavePlanUnder(const QWidget* asking, const QString& plan, const QString& title);

// "Plan laden ...": the user chooses a plan, which is then loaded after the
// plan in memory was offered for saving. A running optimisation is stopped
// first: the plan offered is the run's best.
void LoadChosenPlan(QWidget* parent);

// Before the plan in memory is given up: asks "Plan <n> speichern?" when this
// program changed it, and whether to save a run's result (plan "0") under a
// number of its own. False when the user cancelled, the save failed, or
// `parent` was closed while the question or a box of the save was up. No
// optimisation may be running.
bool OfferToSavePlan(QWidget* parent);

// Tells the user what was wrong with the files of the plan loaded at start.
void TellStartPlanFaults();
