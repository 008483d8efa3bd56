#include "admin/time_up_window.h"
#include "core/plan_list_file.h"
#include "planner/editor/free_period_rules.h"
#include "planner/editor/hidden_mode.h"
#include "planner/print/print_menu.h"
#include "planner/publish/publishing_windows.h"
#include "planner/substitution/cancellation_list.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "tests/planner/optimiser_fixture.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class OptimiserWindowTest : public OptimiserTest {
protected:
    static Form18* shown() { return forms::show<Form18>(); }
    static QString checkMessage()
    {
        const Form59* m = forms::ifOpen<Form59>();
        return m ? m->Label1->text() : QString();
    }
    static void start(int option)
    {
        Form18* f = shown();
        if (option >= 0)
            f->Option1[option]->setChecked(true);
        f->Command2->click();
    }
};

}

// Each mode's start check refuses with its message in Form59, and no run
// starts; without a mode only the status line speaks.
TEST_F(OptimiserWindowTest, StartChecksRefuseWithTheirMessages)
{
    hours(2, 2, 2);
    start(-1);
    EXPECT_EQ(status(), QStringLiteral("bitte Modus wählen !"));
    EXPECT_EQ(gOptimizerMode, 0);

    gClassNames(2) = QStringLiteral("-");
    start(0);
    EXPECT_TRUE(checkMessage().startsWith(QStringLiteral("Zum Start von Planungsmodus 0 muss")));
    EXPECT_TRUE(forms::ifOpen<Form59>()->Label1->wordWrap()) << "the whole message shows";
    forms::unload<Form59>();

    place(1, 1, 1, 1, 1);
    start(2);
    EXPECT_TRUE(checkMessage().startsWith(QStringLiteral("Zum Start von Planungsmodus 2 muss ein fertiger Plan")));
    forms::unload<Form59>();

    start(1);
    EXPECT_EQ(checkMessage(),
              QStringLiteral("Problem(e) in der/den Klasse(n):5a . Planungsmodus 1 kann nicht ausgeführt werden. Es gibt "
                             "in diesem Plan zuviele graue Felder. Setzen Sie mehr Fixierungen. Es dürfen nicht mehr "
                             "leere Plätze (graue Felder) im Plan sein,  als zu verplanende Stunden vorhanden sind."));
    EXPECT_TRUE(shown()->Command2->isEnabled());
    EXPECT_FALSE(ListedPlans().size()) << "no plan written";
}

// A passed check runs the mode inside the start and leaves the window idle
// with the end blinking; the list of missing lessons stays out of sight.
TEST_F(OptimiserWindowTest, StartRunsTheModeAndEnds)
{
    week(1, 3);
    hours(1, 1, 0);
    shown()->Check6->setChecked(true);
    start(0);
    Form18* f = shown();
    EXPECT_EQ(status(), QStringLiteral("Optimierung wurde beendet"));
    EXPECT_TRUE(f->Command2->isEnabled());
    EXPECT_FALSE(f->Command3->isEnabled());
    EXPECT_TRUE(f->Timer1->isEnabled());
    EXPECT_FALSE(f->Command8->isVisibleTo(f));
    EXPECT_EQ(f->Command8->text(), QStringLiteral("Command8"));
    f->Timer1_Timer();
    EXPECT_EQ(controls::backColor(f->Label1), 0x0000C0u);
}

// "hide" is offered during a run of "Modus 2" only.
TEST_F(OptimiserWindowTest, HideIsOfferedDuringAnImprovementRun)
{
    week(1, 3);
    hours(1, 1, 1);
    for (int s = 1; s <= 3; ++s)
        place(1, s, 1, 0, s);
    bool offered = false;
    optimiser::setYieldHook([&] {
        offered = shown()->Command7->isVisibleTo(shown());
        gOptimizerRunning = 0;
    });
    start(2);
    EXPECT_EQ(status(), QStringLiteral("Optimierung wurde beendet"));
    EXPECT_TRUE(offered);
}

// "beende Optimierung" hands the focus to the mode of the run, which an Enter
// next leaves alone, not to the button next in line.
TEST_F(OptimiserWindowTest, StoppingHandsTheFocusToTheModeOfTheRun)
{
    week(1, 3);
    hours(1, 1, 1);
    for (int s = 1; s <= 3; ++s)
        place(1, s, 1, 0, s);
    const QWidget* focused = nullptr;
    optimiser::setYieldHook([&] {
        Form18* f = shown();
        if (focused)
            return;
        f->Command3->setFocus();
        QTest::keyClick(f->Command3, Qt::Key_Return);
        focused = f->focusWidget();
    });
    start(2);
    EXPECT_EQ(focused, shown()->Option1[2]);
}

// The fixation test reports the last class short of fixations, skipping
// unnamed slots; the quality check shows the rating's figures.
TEST_F(OptimiserWindowTest, FixationTestAndQualityCheck)
{
    gClassNames(2) = QStringLiteral("5b");
    gClassNames(3) = QString();
    gClassNames(4) = QStringLiteral("5d");
    gCurriculumHours(2, 1) = 44;
    gCurriculumHours(4, 1) = 42;
    shown()->Command6->click();
    EXPECT_EQ(status(), QStringLiteral("5d: 3 Fixierungen zu wenig !"));
    gCurriculumHours(4, 1) = 45;
    shown()->Command6->click();
    EXPECT_EQ(status(), QStringLiteral("Klasse 5b: noch eine Fixierung setzen"));
    gCurriculumHours(2, 1) = 45;
    gCurriculumHours(1, 1) = 45;
    shown()->Command6->click();
    EXPECT_EQ(status(), QStringLiteral("Verteilung der Fixierungen = ok !"));

    place(1, 1, 1, 0, 1);
    place(1, 3, 1, 0, 1);
    shown()->Command4->click();
    EXPECT_EQ(shown()->Label11->text(), QStringLiteral("2"));
    EXPECT_EQ(shown()->Label4->text(), QStringLiteral(" 1 + 0 + 0 + 0 + 0 = 1"));
    gDaysPerWeek = 6;
    gSavedQualityRatio = 107773.203125f;
    gWishCount = 3;
    gWeightedGaps = -0.5f;
    ShowOptimisationStatus();
    EXPECT_EQ(shown()->Label4->text(), QStringLiteral(" 1 + 0 + 0 + 0 + 0 + 0 = 1"));
    // A Single shows its seven significant digits; no figure has a blank before it.
    EXPECT_EQ(shown()->Label3->text(), QStringLiteral("107773,2"));
    EXPECT_EQ(shown()->Label12->text(), QStringLiteral("3"));
    EXPECT_EQ(shown()->Label16->text(), QStringLiteral("-0,5"));
}

// Activation flags every subject when none is chosen; Form57 lists classes
// with missing lessons, a line of five characters or fewer left out.
TEST_F(OptimiserWindowTest, ActivationAndMissingLessons)
{
    for (int s = 1; s <= 3; ++s)
        gOptimizeSubjects(s) = 0;
    shown();
    EXPECT_EQ(gOptimizeSubjects(99), 1);
    gUnplacedHours(1, 1) = 2;
    gUnplacedHours(2, 2) = 1.5;
    gUnplacedHours(2, 3) = 3;
    gSubjectNames(1, 1) = QStringLiteral("M");
    shown()->Command8_Click();
    EXPECT_EQ(forms::ifOpen<Form57>()->List1->items(), QStringList{QStringLiteral("2 Ma1,5 En3")});
}

// Closed during a run the window hides and the run goes on; stopping from the
// start window ends the run first and then calls back.
TEST_F(OptimiserWindowTest, ClosingDuringARunHidesAndStopWaitsForTheRun)
{
    for (int d = 1; d <= 5; ++d)
        gFixations(d, 9, 1, 0) = 4;
    hours(12, 12, 12);
    bool ended = false;
    bool closedOnce = false;
    optimiser::setYieldHook([&] {
        Form18* f = forms::ifOpen<Form18>();
        if (!closedOnce && f && f->isVisible()) {
            closedOnce = true;
            f->close();
            EXPECT_FALSE(f->isVisible());
            EXPECT_TRUE(forms::isOpen<Form18>());
            EXPECT_TRUE(StopOptimisationRun([&] { ended = true; }));
        }
    });
    EXPECT_FALSE(StopOptimisationRun([] {}));
    start(0);
    EXPECT_FALSE(OptimisationRunInProgress());
    EXPECT_FALSE(ended) << "called once the start has returned";
    QTest::qWait(10);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(forms::isOpen<Form18>());
}

// A close or a stop waiting in the queue when "starte Optimierung" is
// clicked arrives in the start's one turn of the event loop: the window
// hides and outlives the run it shows, and a stop ends the run at once.
TEST_F(OptimiserWindowTest, CloseOrStopWaitingAsARunStarts)
{
    const std::pair<const char*, std::function<void(Form18*)>> waiting[] = {
        {"Exit", [](Form18* f) { f->Command1->click(); }},
        {"close box", [](Form18* f) { f->close(); }},
        {"beende Optimierung", [](Form18* f) { f->Command3->click(); }},
    };
    optimiser::setYieldHook([] { gOptimizerRunning = 0; });
    for (const auto& [name, give] : waiting) {
        SCOPED_TRACE(name);
        gPlanName = QStringLiteral("3");
        week(1, 3);
        hours(1, 1, 0);
        QPointer<Form18> f = shown();
        QMetaObject::invokeMethod(f, [f, give = give] { give(f); }, Qt::QueuedConnection);
        start(0);
        ASSERT_TRUE(f);
        EXPECT_FALSE(OptimisationRunInProgress());
        EXPECT_EQ(f->Label1->text(), QStringLiteral("Optimierung wurde beendet"));
        EXPECT_EQ(gPlanName, QStringLiteral("0")) << "the run ended with its plan loaded";
        forms::unload<Form18>();
        QTest::qWait(1);
    }
}

// What is drawn from the grid (a web page, a printout, the cancellation
// list, the provisional days) is drawn from the run's best plan once the run
// has returned, never from a grid the run is filling.
TEST_F(OptimiserWindowTest, PagesPrintoutsAndProvisionalDaysWaitForARun)
{
    struct Command {
        const char* name;
        std::function<void()> click;
        std::function<bool()> done;
    };
    PrintRecorder* printed = nullptr;
    const auto somethingPrinted = [&printed] { return !printed->texts().isEmpty(); };
    const auto cancellations = [] {
        Form60* f = forms::show<Form60>();
        f->Text2->setText(QStringLiteral("14.09.2026"));
        f->Text1->setText(QStringLiteral("14.09.2026"));
        return f;
    };
    const Command commands[] = {
        {"web page", [] { forms::show<Form61>()->Command11->click(); },
         [this] { return QFileInfo::exists(path("Stundenplan.htm")); }},
        // Two printouts given while the run stops are two commands, each printed.
        {"printouts",
         [] {
             Form14* f = forms::show<Form14>();
             f->Command2->click();
             f->Command26->click();
         },
         [&printed] { return printed->runs.size() == 2; }},
        {"cancellation list", [&] { cancellations()->Command1->click(); }, somethingPrinted},
        {"provisional days", [&] { cancellations()->Command6->click(); },
         [this] { return QFileInfo::exists(path("20260914.sup")); }},
    };
    for (const Command& command : commands) {
        SCOPED_TRACE(command.name);
        printed = &recordPrinting();
        gPlanName = QStringLiteral("3");
        week(1, 3);
        hours(1, 1, 0);
        bool given = false;
        optimiser::setYieldHook([&] {
            if (given)
                return;
            given = true;
            command.click();
            EXPECT_FALSE(command.done());
        });
        start(0);
        optimiser::setYieldHook(nullptr);
        QTest::qWait(10);
        EXPECT_TRUE(given);
        EXPECT_TRUE(command.done());
        forms::unloadAll();
    }
}

// Fenster.dat: the rules in print form, never-entered values as empty lines;
// entries are limited to their ranges and read with comma or point.
TEST_F(OptimiserWindowTest, FreePeriodRulesAreLimitedAndWritten)
{
    Form19* f = forms::show<Form19>();
    const struct {
        TextBox* box;
        const char* typed;
        double stored;
        const Variant* variant;
        const float* single;
    } cases[] = {
        {f->Text1, "50", 40, &gTeachingLoad, nullptr}, {f->Text1, "-5", 1, &gTeachingLoad, nullptr},
        {f->Text3, "60", 50, &gEarlyFinishPeriods, nullptr}, {f->Text2, "2,5", 2.5, nullptr, &gGapsForLoad},
        {f->Text8, "20", 16, nullptr, &gWishWeight},     {f->Text8, "-0.5", 0, nullptr, &gWishWeight},
        {f->Text8, "0.5", 0.5, nullptr, &gWishWeight},
    };
    for (const auto& c : cases) {
        c.box->setText(QString::fromUtf8(c.typed));
        emit c.box->LostFocus();
        EXPECT_EQ(c.variant ? c.variant->toDouble() : *c.single, c.stored) << c.typed;
    }
    gEarlyFinishPeriods = Variant();
    f->Check1->click();
    forms::unload<Form19>();
    f = forms::show<Form19>();
    EXPECT_EQ(f->Text2->text(), QStringLiteral("2,5"));
    EXPECT_EQ(f->Text3->text(), QString());
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form19>());
    QStringList expected(10, QStringLiteral(" 0 "));
    expected << QStringLiteral(" 1 ") << QStringLiteral(" 0,5 ") << QString() << QStringLiteral(" 1 ")
             << QStringLiteral(" 2,5 ");
    EXPECT_EQ(readLines(QStringLiteral("Fenster.dat")), expected);

    blockFile(QStringLiteral("Fenster.dat"));
    f = forms::show<Form19>();
    f->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form19>()) << "kept open when the file cannot be written";
    EXPECT_TRUE(messages().last().startsWith(QStringLiteral("Die Hohlstundenregeln konnten nicht")));
}

// The runs' failures are the longest texts of the status line: it wraps and
// grows to show them whole, what lies below moves down with the window's
// foot, and a shorter status gives the room back.
TEST_F(OptimiserWindowTest, TheStatusLineShowsAFailureWhole)
{
    const auto readWhole = [] {
        const QLabel* l = window()->Label1;
        const QRect area = l->contentsRect();
        const QRect needed
            = QFontMetrics(l->font()).boundingRect(area, static_cast<int>(l->alignment()) | Qt::TextWordWrap, l->text());
        return l->wordWrap() && needed.height() <= area.height() && needed.width() <= area.width();
    };
    // Every control below the line lies below it and inside the window.
    const auto nothingCovered = [] {
        const Form18* f = window();
        for (const QWidget* w : std::initializer_list<const QWidget*>{f->Label2, f->Label4, f->Label21, f->Check1,
                                                                      f->Label18[4]}) {
            if (w->y() <= f->Label1->geometry().bottom() || w->geometry().bottom() >= f->height())
                return false;
        }
        return true;
    };
    week(1, 3);
    hours(1, 1, 1);
    const QRect line = shown()->Label1->geometry();
    const int height = shown()->height();
    const struct {
        const char* failure;
        std::function<void()> prepare;
        QString told;
    } failures[] = {
        {"plan 0 not read back",
         [this] {
             optimiser::setYieldHook([this] {
                 if (!QFileInfo(path(QStringLiteral("KSP0.xxx"))).isDir())
                     blockFile(QStringLiteral("KSP0.xxx"));
             });
         },
         QStringLiteral("nicht geladen")},
        {"plan 0 not saved", [this] { blockFile(QStringLiteral("KSP0.xxx")); },
         QStringLiteral("konnte nicht gespeichert werden - die Optimierung wurde nicht gestartet (KSP0.xxx: ")},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.failure);
        c.prepare();
        start(1);
        ASSERT_TRUE(status().contains(c.told)) << status().toStdString();
        EXPECT_TRUE(readWhole()) << status().toStdString();
        EXPECT_TRUE(nothingCovered());
        optimiser::setYieldHook({});
        unblockFile(QStringLiteral("KSP0.xxx"));

        window()->setStatus(QStringLiteral("Optimierung läuft"));
        EXPECT_EQ(window()->Label1->geometry(), line);
        EXPECT_EQ(window()->height(), height);
        EXPECT_TRUE(nothingCovered());
    }
}

// A pass time shows in the short form of a Single, not the digits of its double.
TEST_F(OptimiserWindowTest, PassTimesShowInTheShortFormOfASingle)
{
    week(5, 9);
    tickMethods("00010");
    ReleaseRandomCells();
    Clock::advance(0.168);
    ReleaseRandomCells();
    EXPECT_EQ(shown()->Label18[3]->text(), QStringLiteral("0,168"));
}

// The window opens with the focus in the empty load box; tabbing through the
// boxes and clicking "fertig / speichern" moves the focus as a user does and
// stores no load nor early finishes, while a value typed is stored.
TEST_F(OptimiserWindowTest, FreePeriodRulesLeaveUnenteredValuesUnset)
{
    Form19* f = forms::show<Form19>();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    f->Text1->setFocus();
    for (TextBox* box : {f->Text1, f->Text2, f->Text3, f->Text8}) {
        ASSERT_TRUE(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_FALSE(forms::isOpen<Form19>());
    EXPECT_TRUE(gTeachingLoad.isEmpty() && gEarlyFinishPeriods.isEmpty());
    const QStringList lines = readLines(QStringLiteral("Fenster.dat"));
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines.mid(12, 2), QStringList({QString(), QString()}));

    f = forms::show<Form19>();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    f->Text1->setFocus();
    QTest::keyClicks(f->Text1, QStringLiteral("18"));
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_EQ(gTeachingLoad.toDouble(), 18);
    EXPECT_EQ(readLines(QStringLiteral("Fenster.dat")).value(13), QStringLiteral(" 18 "));
}

// The access word hides the optimiser and the main window, typed again shows
// them; closing the hidden window ends the program through the main window.
TEST_F(OptimiserWindowTest, HiddenModeHidesAndShowsAgain)
{
    QPointer<FormBase> main = new FormBase;
    main->show();
    optimiser::setMainWindow(main);
    shown();
    Form56* h = forms::show<Form56>();
    QTest::keyClicks(h->Text1, QStringLiteral("tq"));
    EXPECT_EQ(gStealthMode, 0);
    QTest::keyClicks(h->Text1, QStringLiteral("e"));
    EXPECT_EQ(gStealthMode, 1);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(forms::ifOpen<Form18>()->isVisible());
    EXPECT_TRUE(h->Text2->isVisibleTo(h));
    h->Command1->click();
    EXPECT_FALSE(main->isVisible()) << "exit only minimises";
    h->Text2->setText(QStringLiteral("tqe"));
    EXPECT_EQ(gStealthMode, 0);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(forms::isOpen<Form56>());

    h = forms::show<Form56>();
    h->Text1->setText(QStringLiteral("tqe"));
    h->unload();
    QTest::qWait(10);
    EXPECT_TRUE(!main || !main->isVisible()) << "closed as the end of the program";
}
