#include "planner/editor/optimiser_run_support.h"
#include "planner/editor/optimiser_runs.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "planner/editor/open_positions.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/timetable_editor.h"
#include "planner/editor/timetable_rating.h"
#include "platform/clock.h"
#include "platform/numbers.h"

#include <QLabel>

#include <cmath>

using namespace optimiser::runs;

namespace {

constexpr double kNoScoreYet = 99999999;
constexpr int kProgressEvery = 10000;

// Progress estimate: the first open cells whose candidates it weighs.
constexpr int kEstimatedRows = 10;
constexpr double kMinProgressSeconds = 10;

// ---- Mode 1 and mode 2.

enum class Step { Forward, Examine, Backtrack, PassEnd, End };

class Search {
public:
    explicit Search(bool improving) : m_improving(improving) {}

    void run()
    {
        if (m_improving)
            preparePass();
        startPass();
        Step step = Step::Forward;
        while (step != Step::End) {
            switch (step) {
            case Step::Forward:
                step = forward();
                break;
            case Step::Examine:
                step = examine();
                break;
            case Step::Backtrack:
                step = backtrack();
                break;
            case Step::PassEnd:
                step = passEnd();
                break;
            case Step::End:
                break;
            }
        }
    }

private:
    void preparePass()
    {
        FixAllCells();
        ReleaseRandomCells();
        RateTimetable();
        forgetGrid();
    }

    void startPass()
    {
        ClearUnfixedLessons();
        RebuildTeacherTimetables();
        forgetGrid();
        CollectOpenPositions();
        if (!m_improving)
            CountFreeSubjectsPerPosition();
        showStatus(QStringLiteral("Optimierung läuft"), kRunningColour);
        m_depth = 0;
    }

    Step forward()
    {
        if (!m_improving) {
            if (++m_steps > kProgressEvery) {
                m_steps = 0;
                ShowOptimisationProgress();
            }
            if (gStealthMode == 1)
                yieldToEvents();
        }
        yieldToEvents();
        if (!running())
            return Step::End;
        ++m_depth;
        if (gOpenPositions(m_depth, 0) == 0) {
            rateFilling();
            gHalf = 0;
            return Step::Backtrack;
        }
        return Step::Examine;
    }

    void rateFilling()
    {
        RateTimetable();
        // Kept apart from gQualityRatio: the yields below may let the user's
        // quality check rate the grid again.
        const Variant score = gQualityRatio;
        const Variant seriesGaps = gSumSeriesGaps;
        if (!(score < gOptRunValueA) || !refusedOpenLessons().isEmpty())
            return;
        if (m_improving)
            ReleaseFixedCells();
        yieldToEvents();
        if (m_improving)
            FixEmptyCells();
        forgetGrid();
        yieldToEvents();
        // Saved or not, the files now decide what the pass goes back to.
        m_bestKept = false;
        if (!saveResult())
            return;
        gOptRunValueA = score;
        gSavedQualityRatio = static_cast<float>(score.toDouble());
        gSavedSeriesGaps = seriesGaps;
        ShowOptimisationStatus();
    }

    Step examine()
    {
        takeRow(m_depth);
        place(0);
        const int n = collectCandidates(false);
        if (n == 0)
            return Step::Backtrack;
        const int k = gOpenPositions(m_depth, 3).toInt() + 1;
        gOpenPositions(m_depth, 3) = k;
        if (k > n)
            return Step::Backtrack;
        takeRow(m_depth);
        place(gSubjectWork(k));
        return Step::Forward;
    }

    Step backtrack()
    {
        gOpenPositions(m_depth, 3) = 0;
        --m_depth;
        return m_depth == 0 ? Step::PassEnd : Step::Examine;
    }

    Step passEnd()
    {
        if (!m_improving)
            return Step::End;
        gOptFactor += 1;
        gPlanName = kOptimiserPlan;
        if (!m_bestKept)
            m_bestKept = m_best.read();
        if (m_bestKept)
            m_best.load();
        else
            LoadPlan();
        forgetGrid();
        if (gCheckOk != 1)
            return Step::End;
        ShowOptimisationStatus();
        preparePass();
        startPass();
        return Step::Forward;
    }

    bool m_improving;
    // Plan "0" as its files hold it, so that a pass goes back to it without
    // reading them; read again after a save.
    PlanContents m_best;
    bool m_bestKept = false;
    int m_depth = 0;
    long m_steps = 0;
};

}

void RunTimetableOptimisation()
{
    startRun();
    gOptRunValueA = kNoScoreYet;
    gOptFactor = 1;
    if (!saveBackup())
        return;
    Search(gOptimizerMode != 1).run();
    endRun();
}

void ShowOptimisationProgress()
{
    Form18* f = window();
    if (gOpenPositions(kEstimatedRows, 1) == 0 || gOpenPositions(kEstimatedRows, 3) == 0)
        return;
    double done = 0;
    for (int k = 1; k <= kEstimatedRows; ++k) {
        double term = (gOpenPositions(k, 3).toDouble() - 1) * 100;
        for (int j = 1; j <= k; ++j)
            term /= gFreeSubjectCounts(j);
        done += term;
    }
    if (done == 0)
        return;
    if (done >= 1)
        f->Label19->setText(numbers::strForm(std::floor(done)) + QStringLiteral("% erledigt"));
    const double elapsed = std::floor(gOptStartDate.secsTo(Clock::now()));
    if (elapsed < kMinProgressSeconds)
        return;
    // In floating point throughout: a share near 0 gives estimates far
    // beyond any integer.
    const double rest = elapsed / done * 100 - elapsed;
    if (rest < kMinProgressSeconds)
        return;
    const auto whole = [](double v) { return numbers::text(std::trunc(v)); };
    const double minutes = rest / 60;
    const double hours = minutes / 60;
    QString text;
    if (rest < 120)
        text = QStringLiteral("noch ") + whole(rest) + QStringLiteral(" Sekunden");
    else if (minutes < 120)
        text = QStringLiteral("noch ") + whole(minutes) + QStringLiteral(" Minuten");
    else if (hours < 48)
        text = QStringLiteral("noch ") + whole(hours) + QStringLiteral(" Stunden");
    else
        text = QStringLiteral("noch ") + whole(hours / 24) + QStringLiteral(" Tage");
    gText = text;
    f->Label20->setText(text);
}
