#include "planner/editor/optimiser_run_support.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/timetable_editor.h"
#include "planner/editor/timetable_rating.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/runtime.h"

#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <functional>

namespace optimiser::runs {

const QString kOptimiserPlan = QStringLiteral("0");

namespace {

const QString kBackupTitle = QStringLiteral("Plan vor Optimierung ");
const QString kResultTitle = QStringLiteral("Computerplan ");
// The title of a grid that a run left in the middle of a pass: the plan in
// memory is neither the backup nor a result.
const QString kUnfinishedTitle = QStringLiteral("Zwischenstand der Optimierung ");

std::function<void()> gYieldHook;
int gYieldIntervalMs = 5;
QElapsedTimer gSinceEvents;
QString gFailure;
QString gUnreadResult;
optimiser::PlanName gOptimisedPlan;

void runEvents()
{
    DoEvents();
    gSinceEvents.restart();
    forgetGrid();
}

std::uint32_t backColour(int index) { return static_cast<std::uint32_t>(gBackColours(index).toDouble()); }

QString dateText() { return dates::shortText(Clock::now().date()); }
QString dateTimeText() { return dateText() + QLatin1Char(' ') + Clock::now().time().toString(QStringLiteral("HH:mm:ss")); }

void fail(const QString& why)
{
    gFailure = why;
    Beep();
    showStatus(why, kFailedColour);
}

void redrawOpenEditor()
{
    if (!forms::isOpen<Form15>())
        return;
    // The grid shows the editor's weekday; gDay is only the run's last cell.
    gDay = std::clamp<int>(gLastEditorDay, 1, timetable::days());
    RedrawTimetableGrid();
}

}

Form18* window() { return forms::get<Form18>(); }

void yieldToEvents()
{
    if (gYieldHook)
        gYieldHook();
    if (gSinceEvents.isValid() && gSinceEvents.elapsed() < gYieldIntervalMs)
        return;
    runEvents();
}

void keepResponsive()
{
    if (gSinceEvents.isValid() && gSinceEvents.elapsed() < gYieldIntervalMs)
        return;
    runEvents();
}

bool running() { return gOptimizerRunning != 0; }

void showStatus(const QString& text, int colour)
{
    Form18* f = window();
    f->setStatus(text);
    controls::setBackColor(f->Label1, backColour(colour));
}

int randomUpTo(int n) { return static_cast<int>(n * Rnd() + 1); }

QString asText(double value) { return numbers::text(value); }
QString asText(const Variant& value) { return value.isNumber() ? numbers::text(value.toDouble()) : value.toString(); }

// A failed save of plan "0" names the file it failed on, the reason, and
// what it changed all the same.
QString failedSave(const QString& text)
{
    const PlanSave saved = LastPlanSave();
    return text
        + QStringLiteral(" (%1). %2").arg(saved.written.reason, datafile::setChanges(saved.written, saved.files));
}

// The plan being optimised goes to plan "0" first; its number and title stay
// those of the plan in memory, and are kept for saving the run's result.
bool saveBackup()
{
    const QString name = gPlanName;
    const QString title = gPlanTitle;
    if (name != kOptimiserPlan)
        gOptimisedPlan = {name, title};
    gPlanName = kOptimiserPlan;
    gPlanTitle = kBackupTitle + dateText();
    SavePlan();
    const bool saved = gCheckOk == 1;
    gPlanName = name;
    gPlanTitle = title;
    // Without the backup the run could not give the plan back: the grid stays
    // as it is and no run starts.
    if (!saved)
        fail(failedSave(
            QStringLiteral("Plan 0 konnte nicht gespeichert werden - die Optimierung wurde nicht gestartet")));
    return saved;
}

bool saveResult()
{
    gPlanName = kOptimiserPlan;
    gPlanTitle = kResultTitle + dateTimeText();
    SavePlan();
    if (gCheckOk == 1)
        return true;
    fail(failedSave(QStringLiteral("Plan 0 konnte nicht gespeichert werden - ein besserer Plan ging verloren")));
    return false;
}

// What the last LoadPlan found wrong, in one sentence's words.
QString loadFaults()
{
    QStringList faults = PlanLoadFaults();
    if (!PlanLoadMixedSaves().isEmpty())
        faults << QStringLiteral("Dateien aus verschiedenen Speichervorgängen: ") + PlanLoadMixedSaves();
    return faults.join(QStringLiteral("; "));
}

void endRun()
{
    gPlanName = kOptimiserPlan;
    LoadPlan();
    if (gCheckOk != 1) {
        gUnreadResult = loadFaults();
        // The teacher tables must describe the grid that stays, whatever part
        // of plan "0" was read; its title must not pass it off as the result.
        RebuildTeacherTimetables();
        gPlanTitle = kUnfinishedTitle + dateTimeText();
        // Edits the user makes to this grid are measured from here.
        RememberPlanInMemory();
        fail(QStringLiteral("Plan 0 konnte nicht geladen werden - es bleibt der Plan, wie die Optimierung ihn "
                            "hinterließ"));
    }
    Form18* f = window();
    if (gFailure.isEmpty())
        showStatus(QStringLiteral("Optimierung wurde beendet"), kFailedColour);
    else
        showStatus(gFailure, kFailedColour);
    f->Label19->clear();
    f->Label20->clear();
    redrawOpenEditor();
}

void startRun()
{
    gFailure.clear();
    gUnreadResult.clear();
    gSinceEvents.invalidate();
    // The user may have changed the grid since the last run ended.
    forgetGrid();
}

}

using namespace optimiser::runs;

void ShowOptimisationStatus()
{
    Form18* f = window();
    f->Label2->setText(numbers::textSingle(gOptFactor));
    f->Label3->setText(numbers::textSingle(gSavedQualityRatio));
    QString gaps;
    long total = 0;
    const int lastDay = std::min<int>(days(), static_cast<int>(gDayCounts.upper()));
    for (int d = 1; d <= lastDay; ++d) {
        total += gDayCounts(d);
        gaps += numbers::strForm(gDayCounts(d)) + (d < lastDay ? QStringLiteral(" +") : QStringLiteral(" ="));
    }
    f->Label4->setText(gaps + numbers::strForm(static_cast<double>(total)));
    f->Label5->setText(asText(gSavedSeriesGaps));
    f->Label11->setText(asText(gSumHours));
    f->Label15->setText(asText(gSumWishes));
    f->Label12->setText(asText(gWishCount));
    f->Label16->setText(numbers::textSingle(gWeightedGaps));
}

namespace optimiser {
PlanName planToSaveAs()
{
    if (gPlanName != kOptimiserPlan)
        return {gPlanName, gPlanTitle};
    if (holdsUnfinishedGrid() || gOptimisedPlan.number.isEmpty())
        return {QString(), gPlanTitle};
    return gOptimisedPlan;
}
QString lastFailure() { return gFailure; }
QString unreadResult() { return gUnreadResult; }
bool holdsRunResult() { return gPlanName == kOptimiserPlan && gPlanTitle.startsWith(kResultTitle); }
bool holdsUnfinishedGrid() { return gPlanName == kOptimiserPlan && gPlanTitle.startsWith(kUnfinishedTitle); }
QString unfinishedGridRefusal(const QString& refused)
{
    if (!holdsUnfinishedGrid())
        return {};
    return QStringLiteral("Der Plan im Speicher ist ein unfertiger Zwischenstand der Optimierung und %1; laden Sie "
                          "Plan 0, sobald seine Dateien wieder lesbar sind, oder einen anderen Plan")
        .arg(refused);
}
void setYieldHook(std::function<void()> hook) { gYieldHook = std::move(hook); }
void setYieldInterval(int milliseconds) { gYieldIntervalMs = milliseconds; }
}
