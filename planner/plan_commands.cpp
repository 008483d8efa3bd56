#include "planner/plan_commands.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "core/plan_list_file.h"
#include "core/settings_file.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/timetable_editor.h"
#include "planner/masterdata/school_files.h"
#include "planner/plan_dialogs.h"
#include "platform/dialogs.h"
#include "platform/forms.h"

namespace {

bool loadedWhole() { return PlanLoadFaults().isEmpty() && PlanLoadMixedSaves().isEmpty(); }

void tellFaults(const QString& plan)
{
    QStringList told;
    if (!PlanLoadFaults().isEmpty())
        told << QStringLiteral("Plan %1 ist unvollständig: %2.").arg(plan, PlanLoadFaults().join(QStringLiteral("; ")));
    if (!PlanLoadMixedSaves().isEmpty())
        told << QStringLiteral("Die Dateien von Plan %1 stammen aus verschiedenen Speichervorgängen: %2.")
                    .arg(plan, PlanLoadMixedSaves());
    MsgBox(told.join(QLatin1Char(' ')), kPlannerDialogTitle);
}

void tellPlanNotRemembered()
{
    MsgBox(QStringLiteral("Die Einstellungen (vorda.ver) konnten nicht gespeichert werden; beim nächsten "
                          "Start wird der bisherige Plan geladen."),
           kPlannerDialogTitle);
}

// The plan in memory becomes the one the next start loads.
void rememberPlan()
{
    if (!SaveSettingsFile())
        tellPlanNotRemembered();
}

// Whether the files of `plan` may be written over. The plan in memory may
// replace its own files as this program last saw them; files another program
// saved since, and another plan's files, are written over only when the user
// says so, and not by a mere Enter, nor for a window closed while it asks.
bool mayWriteOver(const QWidget* asking, const QString& plan)
{
    const auto asLastSeen = PlanFilesAsLastSeen(plan);
    QString question;
    if (plan == optimiser::planToSaveAs().number && asLastSeen) {
        if (*asLastSeen)
            return true;
        question = QStringLiteral("Plan %1 wurde inzwischen an einem anderen PC gespeichert. Trotzdem überschreiben?");
    } else if (!PlanTitle(plan)) {
        return true;
    } else if (optimiser::holdsUnfinishedGrid()) {
        question = QStringLiteral(
            "Plan %1 gibt es schon. Soll er mit dem unfertigen Zwischenstand der Optimierung überschrieben werden?");
    } else {
        question = QStringLiteral("Plan %1 gibt es schon. Soll er überschrieben werden?");
    }
    bool yes = false;
    return forms::stillOpenAfter(asking,
                                 [&] { yes = AskYesNo(question.arg(plan), kPlannerDialogTitle, Preselected::No); })
        && yes;
}

// "Ja" saves, "Nein" goes on without saving, "Abbrechen" stops. So does a
// close of the asking window while the question, or a box of the save, is
// up: nothing goes on for a window that is gone.
template <typename Save>
bool goOn(const QWidget* asking, const QString& question, Save save)
{
    Answer answer = Answer::Cancel;
    if (!forms::stillOpenAfter(asking, [&] { answer = AskYesNoCancel(question, kPlannerDialogTitle); }))
        return false;
    bool saved = false;
    switch (answer) {
    case Answer::Yes:
        return forms::stillOpenAfter(asking, [&] { saved = save(); }) && saved;
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

// A damaged plan list, or one that misses plans of the folder, would hide
// them: it is rebuilt from the plan files found in the folder, as the tools
// window rebuilds it.
void rebuildDamagedPlanList()
{
    if (!PlanListIsDamaged())
        return;
    const datafile::WriteResult written = RebuildPlanList();
    if (written)
        MsgBox(QStringLiteral("Die Pläneliste (Pläne.lst) war beschädigt und wurde aus den Plänen im Datenordner neu "
                              "aufgebaut."),
               kPlannerDialogTitle);
    else
        MsgBox(QStringLiteral("Die Pläneliste ist beschädigt. ") + SaveFailure(QStringLiteral("Pläne.lst"), written)
                   + QLatin1Char('.'),
               kPlannerDialogTitle);
}

bool nameAndSave(QWidget* parent)
{
    const plandialogs::OverWindow<PlanSaveDialog> naming(parent);
    return plandialogs::run(*naming) && SavePlanUnder(parent, naming->number(), naming->title());
}

void chooseAndLoad(QWidget* parent)
{
    // The window that asks may be closed while a box is up.
    if (!forms::stillOpenAfter(parent, rebuildDamagedPlanList))
        return;
    const plandialogs::OverWindow<PlanLoadDialog> chooser(parent);
    if (chooser->isEmpty()) {
        MsgBox(QStringLiteral("Es ist noch kein Plan gespeichert."), kPlannerDialogTitle);
        return;
    }
    if (!plandialogs::run(*chooser) || !OfferToSavePlan(parent))
        return;
    const QString plan = *chooser->chosenPlan();
    // Another PC may have deleted it since the list was shown; loading a plan
    // without files would leave the old plan under the new number.
    if (!PlanTitle(plan)) {
        MsgBox(QStringLiteral("Plan %1 gibt es nicht mehr.").arg(plan), kPlannerDialogTitle);
        return;
    }
    gPlanName = plan;
    LoadPlan();
    const bool whole = gCheckOk == 1;
    if (!whole)
        tellFaults(plan);
    // Plan "0" names no plan for the settings: the next start keeps the last
    // plan. Nor does a damaged plan, whose week shape would go over the
    // school's.
    if (whole && plan != kOptimiserPlanName)
        rememberPlan();
    // An open editor would go on showing the plan it was drawn from.
    if (forms::isOpen<Form15>())
        RedrawTimetableGrid();
}

}

bool SavePlanUnder(const QWidget* asking, const QString& plan, const QString& title)
{
    if (!mayWriteOver(asking, plan))
        return false;
    const QString oldPlan = gPlanName;
    const QString oldTitle = gPlanTitle;
    gPlanName = plan;
    gPlanTitle = title;
    bool remembered = true;
    {
        // The plan's files and the settings that name it for the next start
        // are one action: the folder is synced once, after both.
        const datafile::FolderSync action;
        SavePlan();
        if (gCheckOk == 1 && plan != oldPlan)
            remembered = SaveSettingsFile().ok;
    }
    if (gCheckOk != 1) {
        const PlanSave saved = LastPlanSave();
        MsgBox(QStringLiteral("Plan %1 konnte nicht gespeichert werden (%2). %3. Bitte prüfen Sie, ob der Datenordner "
                              "erreichbar und beschreibbar ist.")
                   .arg(plan, saved.written.reason, datafile::setChanges(saved.written, saved.files)),
               kPlannerDialogTitle);
        gPlanName = oldPlan;
        gPlanTitle = oldTitle;
        return false;
    }
    if (!remembered)
        tellPlanNotRemembered();
    return true;
}

// A run fills the grid in steps and keeps its best plan in plan "0": saved
// or given up meanwhile, the plan would be a grid half filled.
void SavePlanAs(QWidget* parent)
{
    AfterOptimisationRun(parent, [parent] { nameAndSave(parent); });
}

bool OfferToSavePlan(QWidget* parent)
{
    // Without a plan name nothing was loaded or saved, so there is nothing to compare with.
    if (gPlanName.isEmpty())
        return true;
    // The next run writes over plan "0": what it holds is offered under a
    // number of its own. The backup as a run left it holds nothing new, and
    // the user was told of a grid a run left unfinished when the run ended;
    // edits made to either since are offered.
    if (gPlanName == kOptimiserPlanName) {
        const bool runResult = optimiser::holdsRunResult();
        if (!runResult && !PlanHasUnsavedChanges())
            return true;
        const QString unsaved = runResult ? QStringLiteral("Das Ergebnis der Optimierung (Plan 0) ist")
                                          : QStringLiteral("Die Änderungen an Plan 0 sind");
        return goOn(parent,
                    unsaved + QStringLiteral(" noch unter keiner eigenen Nummer gespeichert. Jetzt speichern?"),
                    [parent] { return nameAndSave(parent); });
    }
    if (!PlanHasUnsavedChanges())
        return true;
    return goOn(parent, QStringLiteral("Plan %1 speichern?").arg(gPlanName),
                [parent] { return SavePlanUnder(parent, gPlanName, gPlanTitle); });
}

void LoadChosenPlan(QWidget* parent)
{
    AfterOptimisationRun(parent, [parent] { chooseAndLoad(parent); });
}

void TellStartPlanFaults()
{
    if (!gStartPlanName.isEmpty() && !loadedWhole())
        tellFaults(gStartPlanName.toString());
}
