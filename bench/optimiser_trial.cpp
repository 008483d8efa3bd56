#include "bench/optimiser_trial.h"

#include "admin/time_up_window.h"
#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_rating.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/runtime.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>

namespace trial {
namespace {

// The option button of each mode in Form18.
int optionOf(short mode) { return mode == kFill ? 0 : mode == kSearch ? 1 : 2; }

}

Figures measure()
{
    Figures f;
    CountPlacedLessons();
    f.placed = gPlacedCount.toInt();
    f.required = gPlacedCount2;
    RateTimetable();
    f.rating = gQualityRatio.toDouble();
    for (int d = 1; d <= timetable::days(); ++d)
        f.teacherGaps += gDayCounts(d);
    f.refused = static_cast<int>(editor::refusedLessons().size());
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= timetable::lastClass(); ++c)
                f.loneHalves += rules::isLoneHalf(d, p, c) ? 1 : 0;
    return f;
}

void answerMessagesQuietly()
{
    dialogs::setHandler([](const dialogs::Shown& s) -> dialogs::Reply {
        std::fprintf(stderr, "message: %s\n", qPrintable(s.text));
        return false;
    });
}

namespace {

// A time limit of 0 or a step limit of 0 does not stop the run.
Result runUntil(short mode, int milliseconds, long steps, unsigned seed, unsigned methods, bool ai)
{
    Result r;
    Form18* window = forms::get<Form18>();
    const auto checks = window->methodChecks();
    for (int m = 0; m < Form18::kMethods; ++m)
        checks[m]->setChecked((methods >> m) & 1U);
    window->Check6->setChecked(ai);
    // As the window does when it comes up with no subject chosen.
    int chosen = 0;
    for (int s = 1; s <= gMaxSubjects; ++s)
        chosen += gOptimizeSubjects(s) == 1 ? 1 : 0;
    if (chosen == 0)
        for (int s = 1; s <= gMaxSubjects; ++s)
            gOptimizeSubjects(s) = 1;
    r.before = measure();

    long yields = 0;
    optimiser::setYieldHook([&yields, steps] {
        if (++yields == steps)
            gOptimizerRunning = 0;
    });
    QElapsedTimer clock;
    bool stopped = false;
    QTimer stop;
    stop.setSingleShot(true);
    stop.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stop, &QTimer::timeout, [&stopped] {
        stopped = true;
        gOptimizerRunning = 0;
    });

    Randomize(seed);
    window->Option1[optionOf(mode)]->setChecked(true);
    clock.start();
    if (milliseconds > 0)
        stop.start(milliseconds);
    window->Command2_Click();
    const double ended = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    stop.stop();
    gOptimizerRunning = 0;
    optimiser::setYieldHook(nullptr);

    r.seconds = ended / 1000;
    if (stopped)
        r.stopLatencyMs = ended - milliseconds;
    r.yields = yields;
    r.passes = mode == kImprove ? gOptFactor - 1 : window->Label2->text().toDouble();
    r.status = window->Label1->text();
    r.started = !forms::isOpen<Form59>();
    if (!r.started) {
        r.status = forms::get<Form59>()->Label1->text();
        forms::unload<Form59>(FormBase::Closing::Always);
    }
    r.after = measure();
    return r;
}

}

Result run(short mode, int milliseconds, unsigned seed, unsigned methods, bool ai)
{
    return runUntil(mode, milliseconds, 0, seed, methods, ai);
}

Result runSteps(short mode, long steps, unsigned seed, unsigned methods, bool ai)
{
    return runUntil(mode, 0, steps, seed, methods, ai);
}

bool loadFolderCopy(const QString& folder, const QString& copy)
{
    const QDir source(folder);
    if (!source.exists())
        return false;
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        if (!QFile::copy(source.filePath(name), copy + name))
            return false;
    }
    gDataPath = copy;
    LoadMasterData();
    LoadStartPlan();
    FindLastUsedClass();
    return true;
}

}
