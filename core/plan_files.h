#pragma once
// The plan file set: a numbered timetable plan with its teaching assignment,
// curriculum hours, teacher availability and fixations, stored as text files
// named by gPlanName in the data folder, and the plan list "Pläne.lst".
#include <QString>
#include <memory>
#include <optional>
#include <vector>

// Reads plan gPlanName into the model and rebuilds the teacher-side tables.
// gCheckOk = 1 when every file of the set was found; each missing file beeps.
void LoadPlan();

// A plan as LoadPlan reads it, kept beside the model: the optimiser goes back
// to its best plan pass after pass without reading the files every time.
class PlanContents {
public:
    PlanContents();
    ~PlanContents();
    PlanContents(const PlanContents&) = delete;
    PlanContents& operator=(const PlanContents&) = delete;

    // Reads plan gPlanName; false, with nothing kept and without a beep, when
    // a file of the set is missing. The model stays as it is.
    bool read();
    // Puts the plan kept into the model as LoadPlan would have read it, with
    // the teacher-side tables rebuilt and gCheckOk = 1.
    void load() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// Writes plan gPlanName (title gPlanTitle) and enters it into the plan list,
// which leaves gPlanNumbers and gPlanCount. A failed write beeps and leaves
// gCheckOk = 0.
void SavePlan();

// True when SavePlan would write the files of plan gPlanName otherwise than
// they are on disk (a file missing counts as different): the plan in memory
// holds changes that are not saved.
bool PlanDiffersFromFiles();

// The plan numbers of "Pläne.lst" as listed; empty without the list.
std::vector<short> ListedPlans();

// The title of plan `plan` (line 3 of its "T&E" file); nullopt when the plan
// has no such file.
std::optional<QString> PlanTitle(const QString& plan);

// At program start: loads plan gPlanName when the settings ask for it and
// remembers it in gStartPlanName.
void LoadStartPlan();
