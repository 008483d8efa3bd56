#pragma once
// The plan file set: a numbered timetable plan with its teaching assignment,
// curriculum hours, teacher availability and fixations, stored as text files
// named by gPlanName in the data folder.
#include "platform/datafile.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// Plan numbers run from 1 to this (the plan list holds Integers).
constexpr int kHighestPlan = 32767;
// The optimiser's working plan, where a run keeps its backup and its result.
inline const QString kOptimiserPlanName = QStringLiteral("0");

// The file of plan `plan` with tag `tag` ("T&E", "KSP", ...) in the data folder.
QString PlanFilePath(const QString& tag, const QString& plan);

// Reads plan gPlanName into the model and rebuilds the teacher-side tables.
// gCheckOk = 1 when every file of the set was found whole and of one save;
// each fault beeps and is kept for PlanLoadFaults or PlanLoadMixedSaves.
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
    // a file of the set is missing or damaged. The model stays as it is.
    bool read();
    // Puts the plan kept into the model as LoadPlan would have read it, with
    // the teacher-side tables rebuilt and gCheckOk = 1.
    void load() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// What the last LoadPlan found wrong with single files, one text per fault
// naming its file ("KSP1.xxx fehlt"); empty when every file was found whole.
QStringList PlanLoadFaults();

// When the last LoadPlan found files of the set that hold another save than
// the rest, which ones ("KSP1.xxx aus einem anderen als T&E1.xxx, ..."); empty
// when the files hold one save.
QString PlanLoadMixedSaves();

// Writes plan gPlanName (title gPlanTitle) and enters it into the plan list,
// which leaves gPlanNumbers and gPlanCount. The files, the list and the
// record of the set are written as one, all of them or none: a save that
// fails leaves the plan's files and the list as they were (a new plan's files
// are gone), unless files already replaced could not be given their old
// bytes back (LastPlanSave); a set left half old, half new is told by the
// next LoadPlan. A failed save beeps and leaves gCheckOk = 0, and the plan in
// memory unsaved.
void SavePlan();

// How the last SavePlan went: `written` says why it failed, its reason
// naming the file, and which files (paths) it left changed all the same;
// `files` names the files it set out to write ("KSP1.xxx", "Pläne.lst",
// "SUM1.xxx"), for datafile::setChanges.
struct PlanSave {
    datafile::WriteResult written;
    QStringList files;
};
PlanSave LastPlanSave();

// True when SavePlan would now write plan gPlanName otherwise than this
// program last loaded or saved it: the plan in memory holds changes of this
// program. The optimiser's plan "0" always counts as changed.
bool PlanHasUnsavedChanges();

// What the plan in memory holds now is what a later change of plan
// gPlanName is measured from; its files count as never seen.
void RememberPlanInMemory();

// Whether the files of `plan` are still as this program last loaded or saved
// them (false: another program has saved it since); nullopt when this
// program never loaded or saved that plan.
std::optional<bool> PlanFilesAsLastSeen(const QString& plan);

// The title of plan `plan` (line 3 of its "T&E" file); nullopt when the plan
// has no such file.
std::optional<QString> PlanTitle(const QString& plan);

// At program start: loads plan gPlanName when the settings ask for it and
// remembers it in gStartPlanName. Otherwise the plan in memory (empty) is
// what a later change of plan gPlanName is measured from.
void LoadStartPlan();
