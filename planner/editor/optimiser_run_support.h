#pragma once
// What the optimiser's runs share: the frame every run keeps (status line,
// plan "0", yields to the event loop), what a run knows of the grid between
// its own placements, and the error check over the cells it fills. For the
// run files of this folder only; callers use optimiser_runs.h.
#include "core/model.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/grid_figures.h"
#include "planner/editor/rule_support.h"

#include <QList>
#include <QString>

class Form18;

namespace optimiser::runs {

// Colours of the status line (entries of gBackColours).
constexpr int kFailedColour = 4;
constexpr int kRunningColour = 6;

extern const QString kOptimiserPlan;

Form18* window();
bool running();
void showStatus(const QString& text, int colour);
// A random value 1..n.
int randomUpTo(int n);
// A number as the system's locale writes it on its own.
QString asText(double value);
QString asText(const Variant& value);

// The run's start and end around its passes: the backup of the plan in
// memory as plan "0" first, plan "0" loaded at the end.
void startRun();
bool saveBackup();
// A better plan counts as found only once it is in plan "0": the end of the
// run loads it from there.
bool saveResult();
void endRun();

void yieldToEvents();
// Between the yields of a run the event loop still gets its turn, so that
// "beende Optimierung" reaches the run flag: a pass of the fill run can spend
// half a second picking cells without placing anything, hence without
// yielding. Not a yield of the run: the yield hook is not called.
void keepResponsive();

// What the run knows of the grid. It holds while the grid changes through the
// run's own placements only; anything else, a turn of the event loop above
// all, may have changed the grid, the fixations or the tables.
struct GridKnowledge {
    rules::GridFigures figures;
    bool counted = false;
    // Changes with every change that the rules' answers may depend on.
    long version = 0;
};
extern GridKnowledge gKnown;

void forgetGrid();

// ---- The cells of the grid as the runs read them.

int subjectAt(int day, int period, int cls);
bool abilityGroup(int subject);
void setCell(const Variant& day, const Variant& cls, const Variant& period);
void takeRow(int row);
int days();
int periods();
int classes();

// The rules as a run asks them: whether a subject fits, without the texts of
// their refusals, counting from what the run knows of the grid.
class RunRules {
public:
    RunRules() : m_figures(countedFigures()) {}

private:
    static const rules::GridFigures& countedFigures();
    rules::QuietRefusals m_quiet;
    rules::UsingFigures m_figures;
};

// gSubjectWork(1..n) := the subjects of the class's curriculum (and, for the
// fill run, chosen for optimisation) that pass the optimiser chain in the
// current cell, ascending; returns n.
int collectCandidates(bool onlyChosen);

void place(int subject);

// ---- The error check over the cells a run fills.

// The lessons in the open cells, those the run placed, that a saved plan must
// not hold: those the error check refuses, and halves of coupled lessons.
QList<editor::HalfCell> refusedOpenLessons();

// Takes those lessons out of the open cells until none is left there; taking
// one out may leave its partner refused or alone.
void removeRefusedLessons();

}
