#pragma once
// The optimiser's runs: the random fill run of "Modus 0", the exhaustive
// search of "Modus 1" and the improvement passes of "Modus 2", with the status
// and progress they write into the optimiser window Form18. A run keeps the
// plan it started from and each better result in plan "0" and ends with plan
// "0" loaded. Like the other module procedures they take no arguments: the
// mode is gOptimizerMode and a run goes on while gOptimizerRunning is 1.
#include <QString>
#include <functional>

// Mode 1 (gOptimizerMode 1): every filling of the open cells, the best-rated
// kept. Mode 2 (gOptimizerMode 2): passes that release random cells of the
// finished plan and search them again, until stopped.
void RunTimetableOptimisation();

// Mode 0 (gOptimizerMode 3): random fillings of the open cells, pass after
// pass, the one with most lessons placed kept.
void RunFillOptimisation();

// Times the last pass of mode 2 into Label18 of its method, then releases a
// random set of temporarily fixed cells by one of the methods ticked in
// Check1..Check5 (method 5 when none is ticked). Writes no lesson.
void ReleaseRandomCells();

// Label19 and Label20: the share of the mode-1 search done and the time left.
void ShowOptimisationProgress();

// The figures of the last rating and of the best plan into Form18's labels.
void ShowOptimisationStatus();

namespace optimiser {
// A plan's number and title.
struct PlanName {
    QString number;
    QString title;
};

// The number and title the plan in memory is saved under unless the user
// gives others: plan "0" holding a run's result, or the backup a run left,
// goes back to the plan the last run started from; a grid a run left
// unfinished, or plan "0" without a run, is offered no number, so that it
// replaces no saved plan unasked.
PlanName planToSaveAs();

// Why the last run could not keep or load a plan, in German for Label1;
// empty when nothing failed.
QString lastFailure();

// Why the last run could not read plan "0" back at its end, naming the files;
// the grid then stays in the middle of a pass. Empty when it read it.
QString unreadResult();

// True when the plan in memory is a run's result in plan "0": not the backup
// of the plan a run started from, which holds nothing the run found, nor a
// grid a run left in the middle of a pass.
bool holdsRunResult();
// True when the plan in memory is the grid a run left in the middle of a pass.
bool holdsUnfinishedGrid();
// What a command that would make something from the plan in memory says
// instead while that is such a grid, `refused` telling what it does not do
// ("wird nicht gedruckt"); without the closing full stop. Empty otherwise.
QString unfinishedGridRefusal(const QString& refused);

// Tests and the benchmark: called at every point where a run yields to the
// event loop, before it does.
void setYieldHook(std::function<void()> hook);

// Puts gSubject into the current cell (group row 0) as the fill run places
// it: a subject that stands only in blocks comes with the rest of its block in
// the following periods of the day, each passing the optimiser chain, or not at
// all. False when the block does not fit; the grid and the teacher tables are
// then as they were. Leaves gDay, gPeriod and gClass at the block's first cell.
bool placeWhole();

// The event loop gets its turn at a yield only when it has not run for this
// many milliseconds: a search step takes microseconds, a turn of the event
// loop far longer. 0 gives it every turn.
void setYieldInterval(int milliseconds);
}
