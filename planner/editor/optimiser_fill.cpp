#include "planner/editor/optimiser_run_support.h"
#include "planner/editor/optimiser_runs.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/open_positions.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/timetable_editor.h"
#include "platform/numbers.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>
#include <array>
#include <type_traits>
#include <vector>

using namespace optimiser::runs;

namespace {

constexpr int kBlockColumn = 3;
constexpr int kMaxUnplacedClasses = 24;

// The fill run gives up a pass after this many empty cells in a row without
// a subject, and scans for an empty cell after this many picks of filled ones.
constexpr int kFailureLimit = 2500;
constexpr int kProbeLimit = 100;

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

// The period a block continues in after `period`: the next one, a fixed lunch
// period skipped as the block rules skip it; 0 after the last.
int nextBlockPeriod(int day, int period, int cls)
{
    int next = period + 1;
    if (next == gLunchPeriod.toInt() && gFixations(day, next, cls, 0) > 0)
        ++next;
    return next <= timetable::periods() ? next : 0;
}

// The period a block continues in before `period`, likewise; 0 before the first.
int previousBlockPeriod(int day, int period, int cls)
{
    int previous = period - 1;
    if (previous == gLunchPeriod.toInt() && previous >= 1 && gFixations(day, previous, cls, 0) > 0)
        --previous;
    return std::max(previous, 0);
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

// The periods of a day in which a class has the subject (group row 0), as the
// error check counts a block.
int lessonsOfDay(int day, int cls, int subject)
{
    int n = 0;
    for (int p = 1; p <= timetable::periods(); ++p)
        n += subjectAt(day, p, cls) == subject ? 1 : 0;
    return n;
}

// The lessons one placement of the fill run puts into one day: a block with
// its coupled lessons. Each period is kept as it was before its first lesson,
// so that a placement that does not fit leaves the grid exactly as it found it.
class DayPlacement {
public:
    explicit DayPlacement(int day) : m_day(day) {}

    void put(int period, int cls, int subject)
    {
        const auto kept = [period](const PeriodSnapshot& s) { return s.period() == period; };
        if (std::none_of(m_before.begin(), m_before.end(), kept))
            m_before.emplace_back(m_day, period);
        setCell(m_day, cls, period);
        place(subject);
        m_cells.push_back({period, cls});
    }

    // The lessons go out the way they came in, last first; the snapshots then
    // put back what taking out cannot know, such as a teacher's entry that the
    // placement overwrote.
    void takeOut() const
    {
        for (auto it = m_cells.rbegin(); it != m_cells.rend(); ++it) {
            setCell(m_day, it->cls, it->period);
            place(0);
        }
        for (auto it = m_before.rbegin(); it != m_before.rend(); ++it) {
            gKnown.figures.beforeSetting(m_day, it->period());
            it->restore();
            gKnown.figures.afterSetting();
        }
    }

    // The periods in which `cls` got a lesson, in the order placed.
    std::vector<int> periodsOf(int cls) const
    {
        std::vector<int> periods;
        for (const Cell& c : m_cells)
            if (c.cls == cls)
                periods.push_back(c.period);
        return periods;
    }

private:
    struct Cell {
        int period, cls;
    };
    int m_day;
    std::vector<PeriodSnapshot> m_before;
    std::vector<Cell> m_cells;
};

// Adds the periods that the block of the subject in `first` still lacks, after
// the lessons standing beside it first, before them where the day has no room
// after. A half fixed beside the cell counts as part of the block.
bool completeBlock(DayPlacement& placement, int day, int first, int cls, int subject)
{
    const int length = rules::requiredBlock(rules::blockCode(subject));
    int start = first;
    int end = first;
    while (lessonsOfDay(day, cls, subject) < length) {
        while (nextBlockPeriod(day, end, cls) != 0 && subjectAt(day, nextBlockPeriod(day, end, cls), cls) == subject)
            end = nextBlockPeriod(day, end, cls);
        while (previousBlockPeriod(day, start, cls) != 0
               && subjectAt(day, previousBlockPeriod(day, start, cls), cls) == subject)
            start = previousBlockPeriod(day, start, cls);
        if (const int after = nextBlockPeriod(day, end, cls); mayFollow(day, after, cls, subject)) {
            placement.put(after, cls, subject);
            end = after;
        } else if (const int before = previousBlockPeriod(day, start, cls); mayFollow(day, before, cls, subject)) {
            placement.put(before, cls, subject);
            start = before;
        } else {
            return false;
        }
    }
    return true;
}

// A coupled lesson stands in every class the combination table ties it to, in
// each period the placement gave it, or nowhere.
bool placeCoupled(DayPlacement& placement, int day, int cls, int subject)
{
    for (const int period : placement.periodsOf(cls))
        for (const rules::ClassLesson& partner : rules::coupledLessons(cls, subject)) {
            if (rules::holdsAt(day, period, partner.cls, partner.subject))
                continue;
            if (!mayFollow(day, period, partner.cls, partner.subject))
                return false;
            placement.put(period, partner.cls, partner.subject);
        }
    return true;
}

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

namespace optimiser {
bool placeWhole()
{
    const int subject = gSubject.toInt();
    const int day = gDay.toInt();
    const int first = gPeriod.toInt();
    const int cls = gClass.toInt();
    if (rules::requiredBlock(rules::blockCode(subject)) == 0 && rules::combinationPartners(cls, subject).empty()) {
        place(subject);
        return true;
    }
    // Taken out again, the placement leaves the grid as it found it: what the
    // run knew of it still holds.
    const long version = gKnown.version;
    DayPlacement placement(day);
    placement.put(first, cls, subject);
    const bool fits = completeBlock(placement, day, first, cls, subject) && placeCoupled(placement, day, cls, subject);
    if (!fits) {
        placement.takeOut();
        gKnown.version = version;
    }
    setCell(day, cls, first);
    gSubject = subject;
    return fits;
}
}
