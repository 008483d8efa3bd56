#include "planner/editor/optimiser_runs.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/grid_figures.h"
#include "planner/editor/open_positions.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_editor.h"
#include "planner/editor/timetable_rating.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/runtime.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <vector>

namespace {

// Colours of the status line (entries of gBackColours).
constexpr int kFailedColour = 4;
constexpr int kRunningColour = 6;

constexpr double kNoScoreYet = 99999999;
constexpr int kProgressEvery = 10000;
constexpr int kTemporary = 1;
constexpr int kAbilityGroupColumn = 4;
constexpr int kBlockColumn = 3;
constexpr int kMaxUnplacedClasses = 24;

// The fill run gives up a pass after this many empty cells in a row without
// a subject, and scans for an empty cell after this many picks of filled ones.
constexpr int kFailureLimit = 2500;
constexpr int kProbeLimit = 100;

// Progress estimate: the first open cells whose candidates it weighs.
constexpr int kEstimatedRows = 10;
constexpr double kMinProgressSeconds = 10;

const QString kBackupTitle = QStringLiteral("Plan vor Optimierung ");
const QString kResultTitle = QStringLiteral("Computerplan ");
const QString kOptimiserPlan = QStringLiteral("0");

std::function<void()> gYieldHook;
int gYieldIntervalMs = 5;
QElapsedTimer gSinceEvents;
QString gFailure;
optimiser::OptimisedPlan gOptimisedPlan;

Form18* window() { return forms::get<Form18>(); }

// What the run knows of the grid. It holds while the grid changes through the
// run's own placements only; anything else, a turn of the event loop above
// all, may have changed the grid, the fixations or the tables.
struct GridKnowledge {
    rules::GridFigures figures;
    bool counted = false;
    // Changes with every change that the rules' answers may depend on.
    long version = 0;
};
GridKnowledge gKnown;

void forgetGrid()
{
    gKnown.counted = false;
    ++gKnown.version;
}

void runEvents()
{
    DoEvents();
    gSinceEvents.restart();
    forgetGrid();
}

void yieldToEvents()
{
    if (gYieldHook)
        gYieldHook();
    if (gSinceEvents.isValid() && gSinceEvents.elapsed() < gYieldIntervalMs)
        return;
    runEvents();
}

// Between the yields of a run the event loop still gets its turn, so that
// "beende Optimierung" reaches the run flag: a pass of the fill run can spend
// half a second picking cells without placing anything, hence without
// yielding. Not a yield of the run: the yield hook is not called.
void keepResponsive()
{
    if (gSinceEvents.isValid() && gSinceEvents.elapsed() < gYieldIntervalMs)
        return;
    runEvents();
}

bool running() { return gOptimizerRunning != 0; }

std::uint32_t backColour(int index) { return static_cast<std::uint32_t>(gBackColours(index).toDouble()); }

void showStatus(const QString& text, int colour)
{
    Form18* f = window();
    f->Label1->setText(text);
    controls::setBackColor(f->Label1, backColour(colour));
}

// A random value 1..n.
int randomUpTo(int n) { return static_cast<int>(n * Rnd() + 1); }

// A number as the system's locale writes it on its own.
QString asText(double value) { return numbers::text(value); }
QString asText(const Variant& value) { return value.isNumber() ? numbers::text(value.toDouble()) : value.toString(); }

QString dateText() { return dates::shortText(Clock::now().date()); }
QString dateTimeText() { return dateText() + QLatin1Char(' ') + Clock::now().time().toString(QStringLiteral("HH:mm:ss")); }

void fail(const QString& why)
{
    gFailure = why;
    Beep();
    showStatus(why, kFailedColour);
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
        fail(QStringLiteral("Plan 0 konnte nicht gespeichert werden - die Optimierung wurde nicht gestartet"));
    return saved;
}

// A better plan counts as found only once it is in plan "0": the end of the
// run loads it from there.
bool saveResult()
{
    gPlanName = kOptimiserPlan;
    gPlanTitle = kResultTitle + dateTimeText();
    SavePlan();
    if (gCheckOk == 1)
        return true;
    fail(QStringLiteral("Plan 0 konnte nicht gespeichert werden - ein besserer Plan ging verloren"));
    return false;
}

void redrawOpenEditor()
{
    if (!forms::isOpen<Form15>())
        return;
    // The grid shows the editor's weekday; gDay is only the run's last cell.
    gDay = std::clamp<int>(gLastEditorDay, 1, timetable::days());
    RedrawTimetableGrid();
}

void endRun()
{
    gPlanName = kOptimiserPlan;
    LoadPlan();
    if (gCheckOk != 1) {
        // The teacher tables must describe the grid that stays, whatever part
        // of plan "0" was read.
        RebuildTeacherTimetables();
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
    gSinceEvents.invalidate();
}

// ---- The cells of the grid as the runs read them.

int subjectAt(int day, int period, int cls) { return gTimetable(day, period, cls, 0); }
bool abilityGroup(int subject) { return rules::property(subject, kAbilityGroupColumn) == 1; }

void setCell(const Variant& day, const Variant& cls, const Variant& period)
{
    gDay = day;
    gClass = cls;
    gPeriod = period;
}

void takeRow(int row)
{
    setCell(gOpenPositions(row, 0), gOpenPositions(row, 1), gOpenPositions(row, 2));
}

// The rules as a run asks them: whether a subject fits, without the texts of
// their refusals, counting from what the run knows of the grid.
class RunRules {
public:
    RunRules() : m_figures(countedFigures()) {}

private:
    static const rules::GridFigures& countedFigures()
    {
        if (!gKnown.counted) {
            gKnown.figures.recount();
            gKnown.counted = true;
        }
        return gKnown.figures;
    }
    rules::QuietRefusals m_quiet;
    rules::UsingFigures m_figures;
};

// gSubjectWork(1..n) := the subjects of the class's curriculum (and, for the
// fill run, chosen for optimisation) that pass the optimiser chain in the
// current cell, ascending; returns n.
int collectCandidates(bool onlyChosen)
{
    const RunRules asked;
    const int cls = gClass.toInt();
    for (int i = 0; i <= static_cast<int>(gSubjectWork.upper()); ++i)
        gSubjectWork(i) = 0;
    int n = 0;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (gCurriculumHours(cls, s) == 0 || (onlyChosen && gOptimizeSubjects(s).toDouble() == 0))
            continue;
        gSubject = s;
        gCheckOk = 1;
        if (RunOptimiserChain())
            gSubjectWork(++n) = static_cast<short>(s);
    }
    return n;
}

void place(int subject)
{
    gSubject = subject;
    gHalf = 0;
    gKnown.figures.beforeSetting(gDay.toInt(), gPeriod.toInt());
    SetTimetableCell();
    gKnown.figures.afterSetting();
    ++gKnown.version;
}

// ---- Whole blocks.

// Every half-cell of one period of a day and every teacher's entry in it, so
// that a block that does not fit leaves them exactly as they were.
class PeriodSnapshot {
public:
    PeriodSnapshot(int day, int period) : m_day(day), m_period(period)
    {
        for (int c = 0; c <= kClassesUpper; ++c)
            for (int half = 0; half <= 1; ++half)
                m_lessons[c][half] = gTimetable(day, period, c, half);
        for (int t = 0; t <= kTeachersUpper; ++t) {
            m_teacherSubjects[t] = gTeacherPlanSubject(t, day, period);
            m_teacherClasses[t] = gTeacherPlanClass(t, day, period);
        }
    }
    int period() const { return m_period; }
    void restore() const
    {
        for (int c = 0; c <= kClassesUpper; ++c)
            for (int half = 0; half <= 1; ++half)
                gTimetable(m_day, m_period, c, half) = m_lessons[c][half];
        for (int t = 0; t <= kTeachersUpper; ++t) {
            gTeacherPlanSubject(t, m_day, m_period) = m_teacherSubjects[t];
            gTeacherPlanClass(t, m_day, m_period) = m_teacherClasses[t];
        }
    }

private:
    using Grid = std::remove_reference_t<decltype(gTimetable)>;
    using TeacherTable = std::remove_reference_t<decltype(gTeacherPlanSubject)>;
    static constexpr int kClassesUpper = static_cast<int>(Grid::upper(2));
    static constexpr int kTeachersUpper = static_cast<int>(TeacherTable::upper(0));
    int m_day;
    int m_period;
    std::array<std::array<short, 2>, kClassesUpper + 1> m_lessons{};
    std::array<short, kTeachersUpper + 1> m_teacherSubjects{};
    std::array<short, kTeachersUpper + 1> m_teacherClasses{};
};

// The block's lessons go out the way they came in, last first; the snapshots
// then put back what taking out cannot know, such as a teacher's entry that
// the placement overwrote.
void takeOutAgain(int day, int cls, const std::vector<PeriodSnapshot>& before)
{
    for (auto it = before.rbegin(); it != before.rend(); ++it) {
        setCell(day, cls, it->period());
        place(0);
    }
    for (auto it = before.rbegin(); it != before.rend(); ++it) {
        gKnown.figures.beforeSetting(day, it->period());
        it->restore();
        gKnown.figures.afterSetting();
    }
}

// The period a block continues in after `period`: the next one, a fixed lunch
// period skipped as the block rules skip it; 0 after the last.
int nextBlockPeriod(int day, int period, int cls)
{
    int next = period + 1;
    if (next == gLunchPeriod.toInt() && gFixations(day, next, cls, 0) > 0)
        ++next;
    return next <= timetable::periods() ? next : 0;
}

// Whether the subject may follow in an open, empty cell.
bool mayFollow(int day, int period, int cls, int subject)
{
    if (period == 0 || gFixations(day, period, cls, 0) != 0 || subjectAt(day, period, cls) != 0)
        return false;
    setCell(day, cls, period);
    gHalf = 0;
    gSubject = subject;
    gCheckOk = 1;
    const RunRules asked;
    return RunOptimiserChain();
}

// ---- The error check over the cells a run fills.

// The lessons the error check refuses in the open cells, those the run placed.
QList<editor::HalfCell> refusedOpenLessons()
{
    const RunRules asked;
    QList<editor::HalfCell> refused = editor::refusedLessons();
    refused.removeIf([](const editor::HalfCell& c) { return gFixations(c.day, c.period, c.cls, 0) != 0; });
    return refused;
}

// An ability-group lesson goes out through the leading class that holds it.
int classToTakeOut(const editor::HalfCell& cell, int subject)
{
    if (!abilityGroup(subject))
        return cell.cls;
    const int grade = timetable::grade(cell.cls);
    for (int k = 1; k <= timetable::lastClass(); ++k) {
        gClass = k;
        SetClassTypeFlags();
        if (gClassFlagA == 1 && timetable::grade(k) == grade && subjectAt(cell.day, cell.period, k) == subject)
            return k;
    }
    return cell.cls;
}

// Takes the refused lessons out of the open cells until the error check
// refuses none there; taking one out may leave its partner refused.
void removeRefusedLessons()
{
    for (bool removed = true; removed;) {
        removed = false;
        for (const editor::HalfCell& cell : refusedOpenLessons()) {
            const int subject = gTimetable(cell.day, cell.period, cell.cls, cell.half);
            editor::enterCell({cell.day, cell.period, classToTakeOut(cell, subject), cell.half});
            gSubject = 0;
            SetTimetableCell();
            forgetGrid();
            removed = removed || gTimetable(cell.day, cell.period, cell.cls, cell.half) == 0;
        }
    }
}

// ---- The release methods of mode 2.

bool releaseTestPasses(int day, int period, int cls)
{
    gCheckOk = 0;
    const int s = subjectAt(day, period, cls);
    if (gFixations(day, period, cls, 0) != kTemporary || s == 0 || gCurriculumHours(cls, s) == 0)
        return false;
    gDay = day;
    gPeriod = period;
    gClass = cls;
    gSubject = s;
    gCheckOk = 1;
    const RunRules asked;
    return RunStandardChain();
}

void release(int day, int period, int cls)
{
    gFixations(day, period, cls, 0) = 0;
    gFixations(day, period, cls, 1) = 0;
}

bool fixedAbilityGroup(int day, int period, int cls)
{
    return gFixations(day, period, cls, 0) == kTemporary && abilityGroup(subjectAt(day, period, cls));
}

bool leadsAbilityGroups(int cls)
{
    gClass = cls;
    SetClassTypeFlags();
    return gClassFlagA == 1;
}

int days() { return timetable::days(); }
int periods() { return timetable::periods(); }
int classes() { return timetable::lastClass(); }

// "1T": one day, random classes with all their periods.
void releaseOneDay()
{
    const int day = randomUpTo(days());
    int attempts = 0;
    int released = 0;
    while (attempts <= 70 && released <= 12) {
        ++attempts;
        const int cls = randomUpTo(classes());
        for (int p = 1; p <= periods(); ++p) {
            if (abilityGroup(subjectAt(day, p, cls)))
                continue;
            if (releaseTestPasses(day, p, cls)) {
                release(day, p, cls);
                ++released;
            }
        }
    }
}

// "LG": the classes of one grade on random days, with their ability groups.
void releaseGrade()
{
    const QString grade = rules::className(randomUpTo(classes())).left(1);
    int attempts = 0;
    int released = 0;
    while (attempts <= 100) {
        ++attempts;
        const int day = randomUpTo(days());
        for (int cls = classes(); cls >= 1; --cls) {
            const QString name = rules::className(cls);
            if (name.isEmpty() || name.left(1) != grade)
                continue;
            if (released > 4)
                return;
            for (int p = 1; p <= periods(); ++p) {
                if (releaseTestPasses(day, p, cls))
                    release(day, p, cls);
                if (leadsAbilityGroups(cls)) {
                    if (fixedAbilityGroup(day, p, cls))
                        release(day, p, cls);
                    ++released;
                }
            }
        }
    }
}

// "Wa": one period of one day across all classes.
void releasePeriod()
{
    int attempts = 0;
    int released = 0;
    while (attempts <= 120 && released <= 38) {
        ++attempts;
        const int day = randomUpTo(days());
        const int period = randomUpTo(periods());
        for (int cls = 1; cls <= classes(); ++cls) {
            if (releaseTestPasses(day, period, cls)) {
                release(day, period, cls);
                ++released;
            } else if (leadsAbilityGroups(cls) && fixedAbilityGroup(day, period, cls)) {
                release(day, period, cls);
                ++released;
            }
        }
    }
}

// "1K" and "ZF": random cells of one class, or of any class.
void releaseCells(bool oneClass, int attemptLimit, int releaseLimit)
{
    const int fixedClass = oneClass ? randomUpTo(classes()) : 0;
    int attempts = 0;
    int released = 0;
    while (attempts <= attemptLimit) {
        ++attempts;
        const int cls = oneClass ? fixedClass : randomUpTo(classes());
        const int day = randomUpTo(days());
        const int period = randomUpTo(periods());
        if (gFixations(day, period, cls, 0) == 0 || abilityGroup(subjectAt(day, period, cls)))
            continue;
        if (releaseTestPasses(day, period, cls)) {
            release(day, period, cls);
            if (++released > releaseLimit)
                return;
        }
    }
}

void runMethod(int method)
{
    switch (method) {
    case 1:
        releaseOneDay();
        break;
    case 2:
        releaseGrade();
        break;
    case 3:
        releasePeriod();
        break;
    case 4:
        releaseCells(true, 200, 12);
        break;
    default:
        releaseCells(false, 400, 46);
        break;
    }
}

// The longest pass seen for the method used last.
void timeLastPass()
{
    gOptNow = Clock::secondsSinceMidnight();
    if (gOptStartTime == 0)
        return;
    gOptElapsed = gOptNow - gOptStartTime;
    if (gOptPhase >= 1 && gOptPhase <= Form18::kMethods) {
        QLabel* shown = window()->Label18[gOptPhase - 1];
        QString caption = shown->text().trimmed();
        if (caption.isEmpty() || caption == QLatin1String("x"))
            caption = QStringLiteral("0,001");
        if (numbers::val(caption.replace(QLatin1Char(','), QLatin1Char('.'))) < gOptElapsed)
            shown->setText(numbers::textSingle(static_cast<float>(gOptElapsed)));
    }
    yieldToEvents();
}

int chooseMethod()
{
    static constexpr double kBounds[Form18::kMethods] = {0.2, 0.4, 0.6, 0.8, 2};
    const auto checks = window()->methodChecks();
    const bool anyTicked = std::any_of(checks.begin(), checks.end(), [](QCheckBox* c) { return c->isChecked(); });
    for (;;) {
        gCalcA = Rnd();
        gOptStartTime = Clock::secondsSinceMidnight();
        for (int m = 0; m < Form18::kMethods; ++m) {
            if (checks[m]->isChecked() && gCalcA.toDouble() < kBounds[m])
                return m + 1;
        }
        // With no method ticked no draw could ever choose one.
        if (!anyTicked)
            return Form18::kMethods;
        yieldToEvents();
    }
}

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

// ---- Mode 0.

class FillRun {
public:
    void run()
    {
        CountPlacedLessons();
        m_best = numbers::toInt16(gPlacedCount.toDouble()).value_or(0);
        while (startPass()) {
            if (fillPass())
                endPass();
            else
                return saveFilledGrid();
            if (m_complete)
                return;
        }
    }

private:
    bool aiTicked() const { return window()->Check6->isChecked(); }

    // False when the run is to end.
    bool startPass()
    {
        ClearUnfixedLessons();
        RebuildTeacherTimetables();
        forgetGrid();
        CollectOpenPositions();
        m_candidates.assign(static_cast<std::size_t>(gOpenPositionCount) + 1, {});
        m_failures = 0;
        ++m_pass;
        window()->Label2->setText(asText(m_pass));
        showStatus(QStringLiteral("Optimierung 0 läuft"), kRunningColour);
        m_open = gOpenPositionCount;
        // A pass that places nothing would never yield: without this turn the
        // run could not be stopped with no open cell or no candidate.
        yieldToEvents();
        return running();
    }

    // One pass of picks; false when every open cell turned out filled.
    bool fillPass()
    {
        for (;;) {
            // A stop ends the pass at the next pick; the pass then counts as any other.
            keepResponsive();
            if (!running() || m_failures > kFailureLimit)
                return true;
            int row = randomUpTo(m_open);
            for (;;) {
                const auto outcome = tryRow(row);
                if (outcome == Outcome::AllFilled)
                    return false;
                if (outcome != Outcome::PlacedBlock || !running())
                    break;
                ++row;
            }
        }
    }

    enum class Outcome { Picked, AllFilled, Placed, PlacedBlock };

    // Row may move on to the empty cell that a scan finds.
    Outcome tryRow(int& row)
    {
        if (row > m_open) {
            ++m_failures;
            return Outcome::Picked;
        }
        takeRow(row);
        if (subjectAt(gDay.toInt(), gPeriod.toInt(), gClass.toInt()) != 0) {
            if (++m_probes <= kProbeLimit)
                return Outcome::Picked;
            row = scanForEmptyCell();
            if (row == 0)
                return Outcome::AllFilled;
        }
        return fill(row);
    }

    // The next empty open cell after a random one, wrapping once; 0 when none.
    int scanForEmptyCell()
    {
        int row = randomUpTo(m_open);
        int wraps = 0;
        for (;;) {
            ++row;
            if (row > m_open) {
                row = 1;
                if (++wraps > 1)
                    return 0;
            }
            takeRow(row);
            if (subjectAt(gDay.toInt(), gPeriod.toInt(), gClass.toInt()) == 0)
                return row;
        }
    }

    Outcome fill(int row)
    {
        m_maxProbes = std::max(m_maxProbes, m_probes);
        m_probes = 0;
        gHalf = 0;
        if (!placeCandidate(candidatesOf(row))) {
            ++m_failures;
            return Outcome::Picked;
        }
        Form18* f = window();
        f->Label22->setText(asText(m_maxProbes));
        if (m_failures > m_maxFailures) {
            m_maxFailures = m_failures;
            f->Label23->setText(asText(m_maxFailures));
        }
        m_failures = 0;
        yieldToEvents();
        return rules::property(gSubject.toInt(), kBlockColumn) > 0 && row < m_open ? Outcome::PlacedBlock
                                                                                      : Outcome::Placed;
    }

    // A cell's candidates are tested again only when the grid changed since:
    // the picks that end a pass find nothing to place, pick after pick.
    int candidatesOf(int row)
    {
        Candidates& known = m_candidates[static_cast<std::size_t>(row)];
        if (known.version != gKnown.version) {
            const int n = collectCandidates(true);
            known.version = gKnown.version;
            known.subjects.clear();
            for (int i = 1; i <= n; ++i)
                known.subjects.push_back(gSubjectWork(i));
            return n;
        }
        for (int i = 0; i <= static_cast<int>(gSubjectWork.upper()); ++i)
            gSubjectWork(i) = 0;
        const int n = static_cast<int>(known.subjects.size());
        for (int i = 1; i <= n; ++i)
            gSubjectWork(i) = known.subjects[static_cast<std::size_t>(i - 1)];
        return n;
    }

    // Places one of the n candidates of the cell; a block that does not fit
    // leaves the candidates and another is chosen. False when none fits.
    bool placeCandidate(int n)
    {
        const Variant day = gDay;
        const Variant cls = gClass;
        const Variant period = gPeriod;
        while (n > 0) {
            const int chosen = chooseCandidate(n);
            setCell(day, cls, period);
            gSubject = gSubjectWork(chosen);
            if (optimiser::placeWhole())
                return true;
            for (int i = chosen; i < n; ++i)
                gSubjectWork(i) = gSubjectWork(i + 1);
            gSubjectWork(n--) = 0;
        }
        setCell(day, cls, period);
        return false;
    }

    // The place of the chosen subject in gSubjectWork(1..n).
    int chooseCandidate(int n)
    {
        int chosen = randomUpTo(n);
        if (!aiTicked())
            return chosen;
        chosen = randomUpTo(n);
        const int cls = gClass.toInt();
        float most = 0;
        for (int i = 1; i <= n; ++i) {
            if (gUnplacedHours(cls, gSubjectWork(i)) > most) {
                most = gUnplacedHours(cls, gSubjectWork(i));
                chosen = i;
            }
        }
        gLoopJ = most;
        return chosen;
    }

    void countUnplaced()
    {
        const int lastClass = std::min(gMaxClasses.toInt(), kMaxUnplacedClasses);
        for (int c = 1; c <= lastClass; ++c) {
            const QString name = rules::className(c);
            if (name.isEmpty() || name == QLatin1String("-"))
                continue;
            std::array<int, 101> held{};
            for (int d = 1; d <= days(); ++d)
                for (int p = 1; p <= periods(); ++p)
                    for (int k = 0; k <= 1; ++k) {
                        const int s = gTimetable(d, p, c, k);
                        if (s >= 1 && s <= gMaxSubjects)
                            ++held[s];
                    }
            for (int s = 1; s <= gMaxSubjects; ++s) {
                if (gCurriculumHours(c, s) > 0)
                    gUnplacedHours(c, s) += static_cast<float>(gCurriculumHours(c, s) - held[s]);
            }
        }
    }

    void endPass()
    {
        if (aiTicked())
            countUnplaced();
        CountPlacedLessons();
        if (gPlacedCount.toInt() <= m_best)
            return;
        removeRefusedLessons();
        CountPlacedLessons();
        const int placed = gPlacedCount.toInt();
        if (placed <= m_best || !saveResult())
            return;
        m_best = placed;
        window()->Label11->setText(asText(placed) + QLatin1Char('v') + asText(gPlacedCount2));
        m_complete = placed == gPlacedCount2;
    }

    void saveFilledGrid()
    {
        removeRefusedLessons();
        saveResult();
    }

    struct Candidates {
        long version = -1;
        std::vector<short> subjects;
    };

    std::vector<Candidates> m_candidates;  // by row of the open cells
    int m_best = 0;
    double m_pass = 0;
    int m_open = 0;
    int m_probes = 0;
    int m_maxProbes = 0;
    int m_failures = 0;
    int m_maxFailures = 0;
    bool m_complete = false;
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

void RunFillOptimisation()
{
    startRun();
    for (int c = 0; c <= kMaxUnplacedClasses; ++c)
        for (int s = 0; s <= 99; ++s)
            gUnplacedHours(c, s) = 0;
    if (!saveBackup())
        return;
    FillRun().run();
    endRun();
}

void ReleaseRandomCells()
{
    timeLastPass();
    gHalf = 0;
    const int method = chooseMethod();
    gOptPhase = static_cast<short>(method);
    runMethod(method);
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
OptimisedPlan optimisedPlan() { return gOptimisedPlan; }
QString lastFailure() { return gFailure; }

bool placeWhole()
{
    const int subject = gSubject.toInt();
    const int day = gDay.toInt();
    const int first = gPeriod.toInt();
    const int cls = gClass.toInt();
    const int length = rules::requiredBlock(rules::blockCode(subject));
    if (length == 0) {
        place(subject);
        return true;
    }
    // Taken out again, the block leaves the grid as it found it: what the run
    // knew of it still holds.
    const long version = gKnown.version;
    std::vector<PeriodSnapshot> before{PeriodSnapshot(day, first)};
    place(subject);
    bool fits = true;
    for (int period = first; fits && static_cast<int>(before.size()) < length;) {
        period = nextBlockPeriod(day, period, cls);
        fits = mayFollow(day, period, cls, subject);
        if (fits) {
            before.emplace_back(day, period);
            place(subject);
        }
    }
    if (!fits) {
        takeOutAgain(day, cls, before);
        gKnown.version = version;
    }
    setCell(day, cls, first);
    gSubject = subject;
    return fits;
}

void setYieldHook(std::function<void()> hook) { gYieldHook = std::move(hook); }
void setYieldInterval(int milliseconds) { gYieldIntervalMs = milliseconds; }
}
