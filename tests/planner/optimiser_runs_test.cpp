#include "core/plan_list_file.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/open_positions.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/timetable_rating.h"
#include "platform/clock.h"
#include "platform/runtime.h"
#include "tests/planner/optimiser_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QDir>
#include <QTimer>
#include <limits>

namespace {

class OptimiserRunTest : public OptimiserTest {
protected:
    // Every filling of the open cells, in the order the search meets them (cell
    // by cell, subjects ascending): the first of the lowest score, and that score.
    static std::pair<QList<int>, double> bruteForceBest(int days, int periods)
    {
        const int cells = days * periods;
        QList<int> best, filling(cells, 0);
        double bestScore = std::numeric_limits<double>::max();
        std::function<void(int)> fill = [&](int i) {
            if (i == cells) {
                RateTimetable();
                if (gQualityRatio.toDouble() < bestScore) {
                    bestScore = gQualityRatio.toDouble();
                    best = filling;
                }
                return;
            }
            for (int s = 1; s <= 3; ++s) {
                at(i / periods + 1, i % periods + 1, 1, 0, s);
                if (!RunOptimiserChain())
                    continue;
                SetTimetableCell();
                filling[i] = s;
                fill(i + 1);
                place(i / periods + 1, i % periods + 1, 1, 0, 0);
            }
        };
        fill(0);
        ClearUnfixedLessons();
        RebuildTeacherTimetables();
        return {best, bestScore};
    }
    static void unavailable(int teacher, int days, int periods)
    {
        for (int d = 1; d <= days; ++d)
            for (int p = 1; p <= periods; ++p)
                gTeacherUnavailable(teacher, d, p) = 9;
    }
    bool savedByComputer() const { return planTitle("0").startsWith(QStringLiteral("Computerplan ")); }
};

}

// A run stopped before any filling ends with the backup of plan "0" loaded.
TEST_F(OptimiserRunTest, BackupInPlanZeroIsLoadedWhenStoppedAtOnce)
{
    week(2, 3);
    hours(2, 2, 2);
    place(1, 1, 1, 0, 2);
    stopAtYield(1);
    run(1);
    EXPECT_EQ(planTitle("0"), QStringLiteral("Plan vor Optimierung 11.03.2026"));
    EXPECT_EQ(ListedPlans(), (std::vector<short>{0}));
    EXPECT_EQ(gPlanName, QStringLiteral("0"));
    EXPECT_EQ(grid(), (QList<int>{2, 0, 0, 0, 0, 0})) << "the backup loaded";
    EXPECT_EQ(status(), QStringLiteral("Optimierung wurde beendet"));
    EXPECT_EQ(m_yields, 1) << "seen at the first forward step";
}

TEST_F(OptimiserRunTest, NoOpenCellSavesTheRatedPlan)
{
    week(1, 2);
    hours(1, 1, 0);
    place(1, 1, 1, 0, 1);
    place(1, 2, 1, 0, 2);
    FixAllCells();
    run(1);
    EXPECT_EQ(planTitle("0"), QStringLiteral("Computerplan 11.03.2026 09:30:00"));
    EXPECT_EQ(grid(), (QList<int>{1, 2}));
    EXPECT_EQ(window()->Label2->text(), QStringLiteral("1"));
}

TEST_F(OptimiserRunTest, ModeOneFindsTheFirstBestFilling)
{
    week(2, 4);
    hours(3, 3, 2);
    gTeacherUnavailable(1, 1, 2) = 9;
    gTeacherUnavailable(2, 2, 1) = 11;
    const auto [best, score] = bruteForceBest(2, 4);
    run(1);
    EXPECT_EQ(grid(), best);
    EXPECT_FLOAT_EQ(gSavedQualityRatio, static_cast<float>(score));
    EXPECT_TRUE(savedByComputer());
    EXPECT_TRUE(window()->Label19->text().isEmpty());
}

TEST_F(OptimiserRunTest, EveryModeStopsAtTheNextYield)
{
    week(5, 9);
    hours(12, 12, 11);
    for (short mode : {1, 2, 3}) {
        SCOPED_TRACE(mode);
        ClearUnfixedLessons();
        for (int c = 0; mode == 2 && c < 45; ++c)
            place(c / 9 + 1, c % 9 + 1, 1, 0, c < 12 ? 1 : c < 24 ? 2 : c < 35 ? 3 : 0);
        stopAtYield(20);
        run(mode);
        EXPECT_LE(m_yields, 22);
        EXPECT_EQ(status(), QStringLiteral("Optimierung wurde beendet"));
        EXPECT_EQ(gPlanName, QStringLiteral("0"));
    }
}

// A pass without a placement never yields, so the fill run must see a stop
// that the event loop delivers while it picks cells in vain.
TEST_F(OptimiserRunTest, FillRunSeesAStopBetweenItsYields)
{
    week(2, 3);
    hours(3, 3, 0);
    unavailable(1, 2, 3);
    unavailable(2, 2, 3);
    // Queued by an event that the pass start's turn handles, the stop arrives at the turn after.
    int yieldsAtStop = 0;
    optimiser::setYieldHook([this, &yieldsAtStop] {
        if (++m_yields == 1)
            QTimer::singleShot(0, [this, &yieldsAtStop] {
                QTimer::singleShot(0, [this, &yieldsAtStop] {
                    yieldsAtStop = m_yields;
                    gOptimizerRunning = 0;
                });
            });
    });
    run(3);
    EXPECT_EQ(yieldsAtStop, 1) << "the stop came within the first pass";
    EXPECT_EQ(window()->Label2->text(), QStringLiteral("2")) << "the stopped pass counts as any other";
}

TEST_F(OptimiserRunTest, NoRunWithoutBackup)
{
    week(2, 3);
    hours(2, 2, 2);
    place(1, 2, 1, 0, 3);
    blockFile(QStringLiteral("KSP0.xxx"));
    for (short mode : {1, 3}) {
        runtime::resetBeeps();
        run(mode);
        EXPECT_EQ(grid(), (QList<int>{0, 3, 0, 0, 0, 0}));
        EXPECT_GE(runtime::beepCount(), 1);
        EXPECT_TRUE(optimiser::lastFailure().contains(QStringLiteral("nicht gestartet")));
        EXPECT_EQ(status(), optimiser::lastFailure());
        EXPECT_EQ(gPlanName, QStringLiteral("3"));
    }
    unblockFile(QStringLiteral("KSP0.xxx"));
    // Nor without its entry in the plan list: plan "0" is not written at all.
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    writeLines(QStringLiteral("Pläne.lst"), {QStringLiteral(" 3 ")});
    {
        const StickyFolderUser user(m_dir.path(), {QStringLiteral("Pläne.lst")});
        ASSERT_TRUE(user.active());
        run(1);
    }
    EXPECT_EQ(grid(), (QList<int>{0, 3, 0, 0, 0, 0}));
    EXPECT_EQ(optimiser::lastFailure(),
              QStringLiteral("Plan 0 konnte nicht gespeichert werden - die Optimierung wurde nicht gestartet "
                             "(Pläne.lst: Zugriff verweigert). Keine der Dateien T&E0.xxx, LFV0.xxx, KSP0.xxx, "
                             "STU0.xxx, SPW0.xxx, LKN0.xxx, KOP0.xxx, Pläne.lst, SUM0.xxx wurde geändert"));
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*0.xxx")}, QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(readLines(QStringLiteral("Pläne.lst")), QStringList{QStringLiteral(" 3 ")});
}

// A better plan that cannot be saved does not become the best, and when plan
// "0" cannot be loaded at the end the teacher tables follow the grid left.
TEST_F(OptimiserRunTest, FailedSaveAndLoadKeepTheGridConsistent)
{
    week(1, 3);
    hours(1, 1, 1);
    optimiser::setYieldHook([this] {
        if (!QFileInfo(path(QStringLiteral("KSP0.xxx"))).isDir())
            blockFile(QStringLiteral("KSP0.xxx"));
    });
    run(1);
    EXPECT_EQ(gSavedQualityRatio, 0) << "no saved plan, no saved figures";
    EXPECT_TRUE(optimiser::lastFailure().contains(QStringLiteral("nicht geladen")));
    EXPECT_NE(status(), QStringLiteral("Optimierung wurde beendet"));
    for (int p = 1; p <= 3; ++p) {
        const int s = gTimetable(1, p, 1, 0);
        EXPECT_TRUE(s <= 0 || gTeacherPlanSubject(s, 1, p) == s) << "period " << p;
    }
}

// The improvement passes go back to the best plan without reading plan "0"
// again; once a save failed, what the files hold decides, as it would have
// without the copy: here plan "0" cannot be read, and the run ends after the
// pass.
TEST_F(OptimiserRunTest, AfterAFailedSaveThePassGoesBackToTheFiles)
{
    week(1, 3);
    hours(1, 1, 1);
    place(1, 1, 1, 0, 1);
    place(1, 2, 1, 0, 2);
    place(1, 3, 1, 0, 3);
    optimiser::setYieldHook([this] {
        if (!QFileInfo(path(QStringLiteral("KSP0.xxx"))).isDir())
            blockFile(QStringLiteral("KSP0.xxx"));
        if (++m_yields == 500)
            gOptimizerRunning = 0;
    });
    run(2);
    EXPECT_EQ(gOptFactor, 2) << "one pass";
    EXPECT_TRUE(optimiser::lastFailure().contains(QStringLiteral("nicht geladen")));
}

// The first ticked method that the drawn number reaches; with none ticked 5.
TEST_F(OptimiserRunTest, ReleaseMethodFollowsTheDrawnNumberAndTicks)
{
    week(5, 9);
    hours(1, 0, 0);
    const struct {
        const char* ticked;
        std::vector<double> draws;
        int method;
    } cases[] = {{"11111", {0.1}, 1},  {"11111", {0.39}, 2}, {"11111", {0.5}, 3},      {"11111", {0.7}, 4},
                 {"11111", {0.95}, 5}, {"00100", {0.3}, 3},  {"10000", {0.5, 0.1}, 1}, {"00000", {0.1}, 5}};
    for (const auto& c : cases) {
        tickMethods(c.ticked);
        std::vector<double> draws = c.draws;
        draws.insert(draws.end(), 10, 0.5);
        runtime::scriptRandom(draws);
        ReleaseRandomCells();
        EXPECT_EQ(gOptPhase, c.method) << c.ticked << " " << c.draws.front();
    }
}

// Release counts and attempts end each method; the cell methods skip
// ability-group lessons.
TEST_F(OptimiserRunTest, ReleaseMethodsKeepTheirLimits)
{
    week(5, 9);
    hours(15, 15, 15);
    for (int c = 0; c < 45; ++c)
        place(c / 9 + 1, c % 9 + 1, 1, 0, c % 3 + 1);
    gSubjectAttr(3, 4) = 1;
    const auto released = [](bool abilityGroupsOnly) {
        int n = 0;
        for (int d = 1; d <= 5; ++d)
            for (int p = 1; p <= 9; ++p)
                n += gFixations(d, p, 1, 0) == 0 && (!abilityGroupsOnly || gTimetable(d, p, 1, 0) == 3) ? 1 : 0;
        return n;
    };
    const struct {
        const char* ticked;
        int method, most;
    } cases[] = {{"00010", 4, 13}, {"00001", 5, 30}, {"10000", 1, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ticked);
        FixAllCells();
        tickMethods(c.ticked);
        ReleaseRandomCells();
        EXPECT_EQ(gOptPhase, c.method);
        EXPECT_LE(released(false), c.most) << "one class of 30 releasable cells; method 1 one day of it";
        EXPECT_GT(released(false), 0);
        EXPECT_EQ(released(true), 0);
    }
}

// The method used last shows its longest pass; "x" counts as 0,001 s.
TEST_F(OptimiserRunTest, PassTimesGoToTheMethodsLabel)
{
    week(5, 9);
    tickMethods("00010");
    ReleaseRandomCells();
    EXPECT_EQ(window()->Label18[3]->text(), QStringLiteral("x")) << "the first release only starts the clock";
    for (const double seconds : {2.5, 1.0}) {
        Clock::advance(seconds);
        ReleaseRandomCells();
        EXPECT_EQ(window()->Label18[3]->text(), QStringLiteral("2,5")) << "a shorter pass changes nothing";
    }
}

// Fewer than ten open cells or under 10 seconds show nothing.
TEST_F(OptimiserRunTest, ProgressTextsAtTheirBoundaries)
{
    week(2, 5);
    CollectOpenPositions();
    for (int k = 1; k <= 10; ++k) {
        gOpenPositions(k, 3) = 1;
        gFreeSubjectCounts(k) = 2;
    }
    gOpenPositions(1, 3) = 2;
    const auto show = [](double elapsed) {
        gOptStartDate = Clock::now().addSecs(-static_cast<qint64>(elapsed));
        ShowOptimisationProgress();
        return window()->Label20->text();
    };
    const struct {
        double elapsed;
        const char* left;
    } cases[] = {{119, "noch 119 Sekunden"}, {120, "noch 2 Minuten"},    {7199, "noch 119 Minuten"},
                 {7200, "noch 2 Stunden"},   {172440, "noch 47 Stunden"}, {172800, "noch 2 Tage"}};
    for (const auto& c : cases) {
        EXPECT_EQ(show(c.elapsed), QString::fromUtf8(c.left));
        EXPECT_EQ(window()->Label19->text(), QStringLiteral(" 50% erledigt"));
    }
    window()->Label20->setText(QStringLiteral("alt"));
    EXPECT_EQ(show(9), QStringLiteral("alt"));

    gFreeSubjectCounts(1) = 1000;
    EXPECT_EQ(show(20), QStringLiteral("noch 5 Stunden")) << "19980 s left";
    EXPECT_EQ(window()->Label19->text(), QStringLiteral(" 50% erledigt")) << "below 1 % the share stays";

    gOpenPositions(10, 1) = 0;
    window()->Label20->setText(QStringLiteral("alt"));
    EXPECT_EQ(show(20), QStringLiteral("alt"));
}

// The fill run ends by itself once every required lesson is placed, counting
// "placed v required", or once every open cell is filled, saved without counting.
TEST_F(OptimiserRunTest, FillRunEndsWhenEveryLessonOrEveryCellIsPlaced)
{
    const struct {
        int days, de, ma, emptyCells;
        const char* count;
    } cases[] = {{2, 4, 1, 1, "5v5"}, {1, 3, 3, 0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        week(c.days, 3);
        hours(c.de, c.ma, 0);
        ClearUnfixedLessons();
        window()->Label11->clear();
        run(3);
        EXPECT_EQ(window()->Label11->text(), QString::fromUtf8(c.count));
        EXPECT_EQ(grid().count(0), c.emptyCells);
        EXPECT_TRUE(savedByComputer());
        EXPECT_EQ(window()->Label2->text(), QStringLiteral("1"));
    }
    EXPECT_EQ(window()->Label23->text(), QStringLiteral("---")) << "no failure before a placement";
}

// A pass that places no more than the plan held at the start is not saved;
// the run, which cannot do better, goes on until stopped.
TEST_F(OptimiserRunTest, FillRunSavesOnlyMoreLessons)
{
    week(1, 3);
    hours(1, 1, 1);
    for (int s = 1; s <= 3; ++s)
        place(1, s, 1, 0, s);
    unavailable(3, 1, 3);
    stopAtYield(30);
    run(3);
    EXPECT_EQ(planTitle("0"), QStringLiteral("Plan vor Optimierung 11.03.2026"));
    EXPECT_EQ(window()->Label11->text(), QString()) << "as the window's load left it";
    EXPECT_GT(window()->Label2->text().toInt(), 1);
}

// The same seed gives the same plan "0", byte for byte; "ai" prefers the
// subject missing most often, and without it gUnplacedHours stays 0.
TEST_F(OptimiserRunTest, FillRunIsRepeatableAndAiCountsMissingHours)
{
    week(2, 3);
    hours(3, 1, 2);
    unavailable(3, 2, 3);
    const auto fillRun = [this](int seed) {
        ClearUnfixedLessons();
        gPlanName = QStringLiteral("3");
        stopAtYield(60);
        if (seed)
            Randomize(seed);
        run(3);
        return readBytes(QStringLiteral("KSP0.xxx"));
    };
    const QByteArray first = fillRun(7);
    EXPECT_EQ(gUnplacedHours(1, 1), 0);
    EXPECT_EQ(fillRun(7), first);

    window()->Check6->setChecked(true);
    fillRun(0);
    const float missing = gUnplacedHours(1, 1) + gUnplacedHours(1, 2) + gUnplacedHours(1, 3);
    EXPECT_EQ(missing, 2 * (window()->Label2->text().toFloat() - 1)) << "En's 2 hours never fit, in every pass but the stopped one";
    EXPECT_GT(missing, 0);
}

// After a block subject the next open cell of the list is filled next.
TEST_F(OptimiserRunTest, BlockSubjectIsFollowedInTheNextCell)
{
    week(1, 4);
    hours(2, 0, 0);
    gSubjectAttr(1, 3) = 1;
    gFixations(1, 3, 1, 0) = gFixations(1, 4, 1, 0) = 4;
    runtime::scriptRandom({0.0, 0.0});
    run(3);
    EXPECT_EQ(grid(), (QList<int>{1, 1, 0, 0}));
}

// A subject that stands only in double periods is placed whole or not at all:
// the second half goes after the cell, or before it where the rules refuse
// the period after (across the break, teacher away); where neither fits, the
// grid and the teacher tables stay exactly as they were.
TEST_F(OptimiserRunTest, DoublePeriodIsPlacedWholeOrNotAtAll)
{
    week(4, 6);
    hours(8, 0, 0);
    gSubjectAttr(1, 3) = 2;
    gSubjectAttr(1, 14) = 1;
    gBreakAfter(1) = 2;
    const auto tables = [](int day) {
        QList<int> values;
        for (int p = 1; p <= 9; ++p) {
            for (int half = 0; half <= 1; ++half)
                values << gTimetable(day, p, 1, half);
            for (int t = 1; t <= 3; ++t)
                values << gTeacherPlanSubject(t, day, p) << gTeacherPlanClass(t, day, p);
        }
        return values;
    };
    const struct {
        int day, period;
        QList<int> periods;  // empty: the double does not fit
    } cases[] = {{1, 2, {1, 2}}, {2, 4, {3, 4}}, {3, 6, {}}, {4, 3, {3, 4}}};
    for (const auto& c : cases)
        gTeacherUnavailable(1, c.day, 5) = 9;
    for (const auto& c : cases) {
        const QList<int> before = tables(c.day);
        at(c.day, c.period, 1, 0, 1);
        EXPECT_EQ(optimiser::placeWhole(), !c.periods.isEmpty()) << c.period;
        if (c.periods.isEmpty()) {
            EXPECT_EQ(tables(c.day), before) << c.period;
            continue;
        }
        for (int p = 1; p <= 6; ++p) {
            const int expected = c.periods.contains(p) ? 1 : 0;
            EXPECT_EQ(gTimetable(c.day, p, 1, 0), expected) << c.period << " " << p;
            EXPECT_EQ(gTeacherPlanSubject(1, c.day, p), expected) << c.period << " " << p;
        }
    }
}

// Beside a half fixed before or after the open cell, the fill run places the
// one period the double lacks: the fixed half counts as part of it.
TEST_F(OptimiserRunTest, FillRunCompletesADoubleBesideAFixedHalf)
{
    hours(2, 0, 0);
    gSubjectAttr(1, 3) = 2;
    const struct {
        int fixedPeriod;
        QList<int> grid;
    } cases[] = {{1, {1, 1, 0}}, {3, {0, 1, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixedPeriod);
        week(1, 3);
        ClearUnfixedLessons();
        place(1, c.fixedPeriod, 1, 0, 1);
        gFixations(1, c.fixedPeriod, 1, 0) = kAbsolute;
        stopAtYield(100);
        run(3);
        EXPECT_EQ(grid(), c.grid);
        EXPECT_EQ(window()->Label11->text(), QStringLiteral("2v2"));
    }
}

// A run starts from the grid as it is: the lessons put in by hand after the
// last run count, here a subject over its weekly hours in every cell, which
// the release test of "Modus 2" refuses to release.
TEST_F(OptimiserRunTest, ModeTwoAfterAnEditSeesTheEdit)
{
    week(1, 3);
    hours(1, 1, 1);
    run(1);
    ASSERT_EQ(grid().count(0), 0);
    for (int p = 1; p <= 3; ++p)
        place(1, p, 1, 0, 1);
    tickMethods("00001");
    stopAtYield(200);
    run(2);
    EXPECT_EQ(grid(), (QList<int>{1, 1, 1})) << "nothing released, so nothing searched again";
}

// Ma of 5a is taught together with En of 5b ("Kombi.dat"); En's teacher cannot
// come in period 2. Whatever the seed, a saved plan holds the coupled lesson
// in both classes or in neither, never one half beside an empty cell.
TEST_F(OptimiserRunTest, FillRunNeverSavesALoneHalfOfACoupledLesson)
{
    constexpr int kMa = 2, kEn = 3;
    gClassNames(2) = QStringLiteral("5b");
    gLastClass = 2;
    gSubjectTeachers(2, kEn, 0) = kEn;
    gClassCombinations(1, 1) = kMa;
    gClassCombinations(1, 2) = 1;
    gClassCombinations(1, 3) = kEn;
    gClassCombinations(1, 4) = 2;
    gClassCombinations(41, 1) = kEn;
    gClassCombinations(41, 2) = 2;
    gClassCombinations(41, 3) = kMa;
    gClassCombinations(41, 4) = 1;
    week(1, 3);
    for (int d = 1; d <= gDaysPerWeek.toInt(); ++d)
        for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p)
            gFixations(d, p, 2, 0) = gFixations(d, p, 2, 1) = gFixations(d, p, 1, 0);
    hours(0, 3, 0);
    gCurriculumHours(2, kEn) = 3;
    gTeacherUnavailable(kEn, 1, 2) = 9;
    for (const int seed : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(seed);
        ClearUnfixedLessons();
        Randomize(seed);
        stopAtYield(40);
        run(3);
        EXPECT_TRUE(savedByComputer());
        for (int p = 1; p <= 3; ++p)
            EXPECT_EQ(gTimetable(1, p, 1, 0) == kMa, gTimetable(1, p, 2, 0) == kEn) << "period " << p;
        EXPECT_EQ(gTimetable(1, 1, 1, 0) + gTimetable(1, 3, 1, 0), 2 * kMa);
    }
}
