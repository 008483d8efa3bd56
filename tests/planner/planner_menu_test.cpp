#include "core/plan_files.h"
#include "core/timetable.h"
#include "planner/editor/hidden_mode.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/timetable_editor.h"
#include "planner/masterdata/class_insert_window.h"
#include "planner/masterdata/period_times_window.h"
#include "planner/masterdata/plan_deletion_window.h"
#include "planner/masterdata/school_data_window.h"
#include "planner/masterdata/tools_window.h"
#include "planner/masterdata/year_change_window.h"
#include "planner/plan_commands.h"
#include "planner/plan_dialogs.h"
#include "planner/planner_menu.h"
#include "planner/print/print_menu.h"
#include "planner/publish/publishing_windows.h"
#include "planner/substitution/cancellation_list.h"
#include "planner/substitution/substitution_database.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/disk_conditions.h"
#include "tests/support/queued_input.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <deque>
#include <map>

namespace {

// Stands for a planner window that saves when it closes, or refuses to.
struct SavingWindow : FormBase {
    static inline int saves = 0;
    static inline bool refuse = false;
    void Form_Unload(bool& cancel) override { saves += (cancel = refuse) ? 0 : 1; }
};
struct OtherWindow : SavingWindow {};

// The planner started on a copy of the demo school; its plan dialogs are
// filled from a script, as questions are answered.
class PlannerMenuTest : public PlannerTest {
protected:
    PlannerMenu* menu = nullptr;
    std::deque<std::function<bool(QDialog&)>> fills;

    void SetUp() override
    {
        PlannerTest::SetUp();
        SavingWindow::saves = 0;
        copyDemoSchool();
        plandialogs::setHandler([this](QDialog& d) {
            if (fills.empty()) {
                ADD_FAILURE() << "unanswered dialog " << d.windowTitle().toStdString();
                return false;
            }
            const auto fill = fills.front();
            fills.pop_front();
            return fill(d);
        });
        start();
    }
    void TearDown() override
    {
        SavingWindow::refuse = false;
        gPlanName.clear(); // a start window still open asks nothing at the end
        PlannerTest::TearDown();
        plandialogs::clearHandler();
        EXPECT_TRUE(fills.empty());
    }
    // As orvqz-planner starts in its data folder.
    void start()
    {
        startInDataFolder();
        menu = forms::show<PlannerMenu>();
    }
    bool quit()
    {
        menu->findChild<QAction*>("quit")->trigger();
        return !forms::isOpen<PlannerMenu>();
    }
    void click(const char* name) { menu->findChild<QPushButton*>(name)->click(); }
    void choosePlan(const QString& plan)
    {
        fills.push_back([plan](QDialog& d) {
            auto* list = d.findChild<ListBox*>("planList");
            for (int i = 0; i < list->ListCount(); ++i) {
                if (list->List(i).startsWith(plan + " - "))
                    list->setListIndex(i);
            }
            return true;
        });
    }
    void nameSave(const QString& number, const QString& title = QString())
    {
        fills.push_back([number, title](QDialog& d) {
            d.findChild<QLineEdit*>("planNumber")->setText(number);
            if (!title.isEmpty())
                d.findChild<QLineEdit*>("planTitle")->setText(title);
            return true;
        });
    }
    QStringList offeredPlans()
    {
        QStringList offered;
        fills.push_back([&offered](QDialog& d) {
            offered = d.findChild<ListBox*>("planList")->items();
            return false;
        });
        click("loadPlan");
        return offered;
    }
    // Another planner saves plan 1 with one lesson changed, as a program
    // that keeps no record of its saves writes the whole set.
    void anotherPlannerSavesPlanOne() const
    {
        for (const char* tag : {"T&E", "LFV", "KSP", "STU", "SPW", "LKN", "KOP"}) {
            QStringList lines = readLines(QString(tag) + "1.xxx");
            if (qstrcmp(tag, "KSP") == 0)
                lines[0] = lines[0] == " 1 " ? " 2 " : " 1 ";
            writeLines(QString(tag) + "1.xxx", lines);
        }
    }
    // As a restore or a sync client leaves a file: its own bytes, another time.
    void rewriteWithItsOwnBytes(const QString& name) const
    {
        writeBytes(name, readBytes(name));
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite)
                    && f.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
    }
    // The bytes of every plan file and of the plan list.
    QStringList planFiles() const
    {
        QStringList contents;
        for (const QString& name : QDir(m_dir.path()).entryList({"*.xxx", "Pläne.lst"}, QDir::Files))
            contents << name + ": " + QString::fromLatin1(readBytes(name).toHex());
        return contents;
    }
    // Half-lessons the grid in memory holds.
    static int placedHalves()
    {
        int n = 0;
        for (int d = 1; d <= timetable::days(); ++d)
            for (int p = 1; p <= timetable::periods(); ++p)
                for (int c = 1; c <= timetable::lastClass(); ++c)
                    for (int k = 0; k <= 1; ++k)
                        n += gTimetable(d, p, c, k) > 0 ? 1 : 0;
        return n;
    }
    // Starts a "Modus 0" run and calls `during` once, at the first turn of
    // pass `pass`, when the run has just emptied the grid but for the fixed
    // lessons; returns once the run and what it called back are done, with
    // the number of half-lessons the grid held at that turn.
    int duringAFillRun(int pass, const std::function<void()>& during)
    {
        click("openForm18");
        Form18* optimiser = forms::ifOpen<Form18>();
        int placedThen = -1;
        optimiser::setYieldHook([&] {
            if (placedThen >= 0 || optimiser->Label2->text() != QString::number(pass))
                return;
            placedThen = placedHalves();
            during();
            EXPECT_EQ(optimiser->Label1->text(), "Abbruch wurde eingeleitet");
        });
        optimiser->Option1[0]->setChecked(true);
        optimiser->Command2->click();
        optimiser::setYieldHook(nullptr);
        EXPECT_GE(placedThen, 0) << "the run reached pass " << pass;
        QTest::qWait(10);
        return placedThen;
    }
    // The first pass of a run then places more, and is kept.
    static void leaveOnlyFixedLessons()
    {
        FindLastUsedClass();
        ClearUnfixedLessons();
        RebuildTeacherTimetables();
    }
    static void stopRun() { forms::ifOpen<Form18>()->Command3->click(); }
    // Class 1's first lesson on Monday becomes another subject of the class.
    static int changeFirstLesson()
    {
        for (int s = 1; s <= 99; ++s) {
            if (s != gTimetable(1, 1, 1, 0) && gSubjectTeachers(1, s, 0) != 0 && gSubjectAttr(s, 6) == 0) {
                place(1, 1, 1, 0, s);
                return s;
            }
        }
        ADD_FAILURE() << "class 1 has no other subject";
        return 0;
    }
};

TEST_F(PlannerMenuTest, StartsOnTheDemoWithPlanOneAndItsClasses)
{
    EXPECT_EQ(menu->windowTitle(), "ORV-qz V1.28a - Stundenplaner");
    EXPECT_EQ(menu->pos(), QPoint(0, 0));
    EXPECT_TRUE(gPlanName == "1" && gCheckOk == 1 && gPlanTitle == "Stundenplan 2026/27");
    const QStringList classes = readLines("Klassen.txt");
    for (int c = 1; c <= 10; ++c) {
        EXPECT_TRUE(gClassNames(c) == classes.value(c - 1)) << c;
        EXPECT_NE(gTimetable(1, 1, c, 0), 0) << "a first lesson on Monday";
    }
}

TEST_F(PlannerMenuTest, ReachesEveryPlannerWindowByButtonAndMenu)
{
    const QStringList groups[] = {
        {"Stundenplan", "openForm15 Stundenplan - Bearbeitung", "openForm54 Pläne zeigen", "openForm18 Optimierung",
         "loadPlan Plan laden ...", "savePlan Plan speichern ..."},
        {"Stammdaten", "openForm7 Eigenschaften der Fächer", "openForm9 Schuldaten", "openForm27 Zeiten",
         "openForm29 Tools", "openForm23 Stundentafel - Gesamtübersicht", "openForm36 Gesamtübersicht",
         "openForm37 Reihenfolge bei Gruppenunterricht", "openForm45 Jahreswechsel", "openForm67 Klasse einfügen"},
        {"Vertretung", "openForm20 wer fehlt ?", "openForm38 Suplierstatistik / Datenbank", "openForm44 Nachricht",
         "openForm63 keine Supplierung nötig"},
        {"Drucken", "openForm14 Druckmenü", "openForm28 Drucker - Einstellung"},
        {"Internet", "openForm61 Stundenplan im Internet veröffenlichen",
         "openForm62 Vertretungsplan im Internet veröffentlichen"},
    };
    const QList<QAction*> menus = menu->menuBar->actions();
    ASSERT_EQ(menus.size(), 5);
    for (int g = 0; g < 5; ++g) {
        const auto* box = menu->findChild<QGroupBox*>(groups[g][0]);
        ASSERT_TRUE(box && box->title() == groups[g][0] && menus[g]->text() == groups[g][0]);
        QStringList buttons{groups[g][0]}, entries{groups[g][0]};
        for (QPushButton* b : box->findChildren<QPushButton*>()) {
            buttons << b->objectName() + " " + b->text();
            if (!b->objectName().startsWith("open"))
                continue;
            b->click();
            const QString form = b->objectName().mid(4);
            const FormBase* shown = forms::active();
            EXPECT_TRUE(shown && shown->objectName() == form && shown->isVisible()) << form.toStdString();
        }
        for (const QAction* a : menus[g]->menu()->actions()) {
            if (!a->isSeparator())
                entries << a->objectName() + " " + a->text();
        }
        EXPECT_EQ(buttons, groups[g]);
        EXPECT_EQ(entries, groups[g] + (g == 0 ? QStringList{"quit Beenden"} : QStringList{}));
    }
}

TEST_F(PlannerMenuTest, ClosingClosesEveryWindowAsTheUserWould)
{
    forms::show<SavingWindow>();
    forms::show<OtherWindow>();
    SavingWindow::refuse = true;
    EXPECT_FALSE(quit()) << "a window that cannot close keeps the program open";
    SavingWindow::refuse = false;
    EXPECT_TRUE(quit());
    EXPECT_TRUE(forms::all().isEmpty());
    EXPECT_EQ(SavingWindow::saves, 2);
}

// "Beenden", waiting in the queue, closes every window while a handler
// yields, the handler's own too; the handler then leaves it alone.
TEST_F(PlannerMenuTest, AWindowClosedWhileItsHandlerYieldsIsLeftAlone)
{
    writeLines("sup-old.dat", {"1", "14.09.2026"});
    writeLines("sup1.dat", {"60", "24"});
    const std::function<void()> handlers[] = {
        [] { forms::show<Form9>()->Check3->click(); },
        [] {
            ListBox* presets = forms::show<Form38>()->List1;
            const QPoint first = presets->visualItemRect(presets->item(0)).center();
            QTest::mouseClick(presets->viewport(), Qt::LeftButton, {}, first);
            QTest::mouseDClick(presets->viewport(), Qt::LeftButton, {}, first);
        },
    };
    for (const auto& run : handlers) {
        if (!forms::isOpen<PlannerMenu>())
            start();
        closeAtNextYield([this] { quit(); });
        run();
        EXPECT_TRUE(forms::all().isEmpty());
    }
}

// A save that fails keeps the program open.
TEST_F(PlannerMenuTest, AsksToSaveThePlanOnlyWhenItChanged)
{
    EXPECT_TRUE(quit());
    EXPECT_TRUE(messages().isEmpty());

    start();
    const QByteArray lessons = readBytes("KSP1.xxx");
    const int changed = changeFirstLesson();
    answer({Answer::Cancel, false});
    EXPECT_FALSE(quit());
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages(), QStringList(2, "Plan 1 speichern?"));
    EXPECT_EQ(readBytes("KSP1.xxx"), lessons);

    start();
    changeFirstLesson();
    answer({true});
    EXPECT_TRUE(quit());
    start();
    EXPECT_EQ(gTimetable(1, 1, 1, 0), changed);

    // A file gone counts as changed by another program: saving over it is asked.
    changeFirstLesson();
    blockFile("KSP1.xxx");
    answer({true, true});
    EXPECT_FALSE(quit());
    EXPECT_TRUE(messages().last().startsWith("Plan 1 konnte nicht gespeichert werden (KSP1.xxx: "));
    unblockFile("KSP1.xxx");
    answer({true, true});
    EXPECT_TRUE(quit());
}

// The record of the set and the plan list belong to the save: where either
// cannot be replaced (a shared folder lets another user's file be read but
// not replaced), no file of the plan changes, a new plan's files go again,
// the message says so, and closing asks again.
TEST_F(PlannerMenuTest, ASaveWhoseRecordOrListCannotBeReplacedChangesNoFileAndSaysSo)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    nameSave("1");
    click("savePlan");
    changeFirstLesson();
    const struct {
        const char* foreign;
        const char* plan;
        QStringList list;
        const char* files;
    } cases[] = {
        {"SUM1.xxx", "1", {" 1 "}, "KSP1.xxx, SUM1.xxx"},
        {"Pläne.lst", "1", {" 9 "}, "KSP1.xxx, Pläne.lst, SUM1.xxx"},
        {"Pläne.lst", "3", {" 1 "},
         "T&E3.xxx, LFV3.xxx, KSP3.xxx, STU3.xxx, SPW3.xxx, LKN3.xxx, KOP3.xxx, Pläne.lst, SUM3.xxx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.foreign << " plan " << c.plan);
        writeLines("Pläne.lst", c.list);
        std::map<QString, QByteArray> before;
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            before[name] = readBytes(name);
        {
            const StickyFolderUser user(m_dir.path(), {c.foreign});
            ASSERT_TRUE(user.active());
            nameSave(c.plan);
            click("savePlan");
        }
        EXPECT_EQ(messages().last(), QString("Plan %1 konnte nicht gespeichert werden (%2: Zugriff verweigert). Keine "
                                             "der Dateien %3 wurde geändert. Bitte prüfen Sie, ob der Datenordner "
                                             "erreichbar und beschreibbar ist.")
                                         .arg(c.plan, c.foreign, c.files));
        QStringList names;
        for (const auto& [name, bytes] : before) {
            names << name;
            EXPECT_EQ(readBytes(name), bytes) << name.toStdString();
        }
        QStringList listed = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        listed.sort();
        EXPECT_EQ(listed, names) << "no file of a new plan, no temporary file";
        answer({Answer::Cancel});
        EXPECT_FALSE(quit());
        EXPECT_EQ(messages().last(), "Plan 1 speichern?");
    }
}

// On a share every sync of the folder is a round trip to the server: the
// plan's files and the settings naming it wait for it together.
TEST_F(PlannerMenuTest, APlanSavedUnderANewNumberSyncsTheDataFolderOnce)
{
    int folderSyncs = 0;
    {
        const SyncWatch watch([&](const QString& synced, mode_t) {
            if (QFileInfo(synced).canonicalFilePath() == QFileInfo(m_dir.path()).canonicalFilePath())
                ++folderSyncs;
            return 0;
        });
        nameSave("5", "Versuch");
        click("savePlan");
    }
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(readLines("vorda.ver").value(6), "5");
    EXPECT_TRUE(PlanTitle("5"));
    EXPECT_EQ(folderSyncs, 1);

    // Saved, but not named for the next start.
    const auto blocked = blockedWhileHeld("vorda.ver");
    nameSave("6");
    click("savePlan");
    EXPECT_TRUE(PlanTitle("6"));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Die Einstellungen (vorda.ver) konnten nicht gespeichert werden"));
}

TEST_F(PlannerMenuTest, SavedPlanSurvivesARestartAndLoadsBack)
{
    const int first = gTimetable(1, 1, 1, 0);
    const int changed = changeFirstLesson();
    nameSave("5", "Versuch");
    click("savePlan");
    EXPECT_EQ(readLines("Pläne.lst"), (QStringList{" 5 ", " 1 "}));
    ASSERT_TRUE(quit());
    start();
    EXPECT_TRUE(gPlanName == "5" && gPlanTitle == "Versuch" && gTimetable(1, 1, 1, 0) == changed);

    fills.push_back([](QDialog& d) {
        EXPECT_EQ(d.findChild<ListBox*>("planList")->items(), (QStringList{"5 - Versuch", "1 - Stundenplan 2026/27"}));
        return false;
    });
    click("loadPlan");
    click("openForm15");
    choosePlan("1");
    click("loadPlan");
    EXPECT_TRUE(gPlanName == "1" && gTimetable(1, 1, 1, 0) == first);
    EXPECT_EQ(forms::ifOpen<Form15>()->G[0]->text(), gSubjectNames(first, 1)) << "the open editor shows the plan loaded";
    EXPECT_EQ(readLines("vorda.ver").value(6), "1");

    changeFirstLesson();
    choosePlan("5");
    answer({Answer::Cancel});
    click("loadPlan");
    EXPECT_EQ(gPlanName, "1") << "changes are offered for saving first";

    // Saving over another plan asks first.
    nameSave("5");
    answer({false});
    click("savePlan");
    EXPECT_EQ(messages().last(), "Plan 5 gibt es schon. Soll er überschrieben werden?");
    EXPECT_EQ(PlanTitle("5"), "Versuch");
}

// Another PC or a sync client sees "vorda.ver" change only where a setting did.
TEST_F(PlannerMenuTest, LoadingThePlanInMemoryAgainLeavesTheSettingsFileUntouched)
{
    choosePlan("1");
    click("loadPlan");
    const QDateTime longAgo(QDate(2001, 1, 1), QTime(12, 0));
    {
        QFile settings(path("vorda.ver"));
        ASSERT_TRUE(settings.open(QIODevice::ReadWrite)
                    && settings.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    choosePlan("1");
    click("loadPlan");
    nameSave("1");
    click("savePlan");
    EXPECT_EQ(QFileInfo(path("vorda.ver")).lastModified(), longAgo);

    nameSave("5");
    click("savePlan");
    EXPECT_GT(QFileInfo(path("vorda.ver")).lastModified(), longAgo);
    EXPECT_EQ(readLines("vorda.ver").value(6), "5");
}

TEST_F(PlannerMenuTest, RefusesANumberThatNamesNoPlan)
{
    const char* const refused[] = {"0", "", "abc", "-3", "+4", "1.5", "32768", "4 2"};
    for (const char* number : refused) {
        nameSave(number);
        click("savePlan");
        EXPECT_TRUE(messages().last().startsWith("Die Plannummer muss eine ganze Zahl von 1 bis 32767 sein")) << number;
    }
    EXPECT_EQ(messages().size(), std::size(refused));
    nameSave("007");
    click("savePlan");
    EXPECT_EQ(readLines("Pläne.lst"), (QStringList{" 7 ", " 1 "}));
    EXPECT_EQ(gPlanName, "7");
}

// Two planners on one folder, both with plan 1 loaded.
TEST_F(PlannerMenuTest, ASaveOverAPlanAnotherPlannerSavedMeanwhileIsAskedFirst)
{
    changeFirstLesson();
    anotherPlannerSavesPlanOne();
    const QByteArray theirs = readBytes("KSP1.xxx");
    nameSave("1");
    answer({false});
    click("savePlan");
    const QString asked = "Plan 1 wurde inzwischen an einem anderen PC gespeichert. Trotzdem überschreiben?";
    EXPECT_EQ(messages(), QStringList{asked});
    EXPECT_EQ(readBytes("KSP1.xxx"), theirs);

    answer({true, true});
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages().mid(1), (QStringList{"Plan 1 speichern?", asked}));
    EXPECT_NE(readBytes("KSP1.xxx"), theirs);

    // The one that changed nothing closes without a word and writes nothing.
    start();
    anotherPlannerSavesPlanOne();
    const QByteArray second = readBytes("KSP1.xxx");
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages().size(), 3);
    EXPECT_EQ(readBytes("KSP1.xxx"), second);
}

TEST_F(PlannerMenuTest, ARunsResultIsSavedUnderThePlanItCameFromAndStaysLoadableAsPlanZero)
{
    leaveOnlyFixedLessons();
    duringAFillRun(2, stopRun);
    Form18* optimiser = forms::ifOpen<Form18>();
    ASSERT_TRUE(optimiser::holdsRunResult());
    const QString resultTitle = gPlanTitle;
    EXPECT_EQ(offeredPlans().last(), "0 - " + resultTitle);

    // A second run would write over the result: it starts only when the user says so.
    const QByteArray result = readBytes("KSP0.xxx");
    answer({false});
    optimiser->Command2->click();
    EXPECT_EQ(gOptimizerRunning, 0);
    EXPECT_EQ(readBytes("KSP0.xxx"), result);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Das Ergebnis der letzten Optimierung (Plan 0)"));
    EXPECT_EQ(titles()[0], "Stundenplaner");
    EXPECT_EQ(noPreselected(), messages()) << "Enter starts no run over the result";

    // The school data, changed and closed, keep the plan the next start loads.
    click("openForm9");
    Form9* schoolData = forms::ifOpen<Form9>();
    ASSERT_NE(schoolData, nullptr);
    schoolData->Check3->setChecked(false);
    schoolData->Check3->click();
    EXPECT_EQ(schoolData->Label10->text(), "Plan 1 wird bei Programmstart automatisch geladen.");
    schoolData->Command1->click();
    EXPECT_EQ(readLines("vorda.ver").value(6), "1") << "plan 0 is never the plan to load";
    // Nor is the plan another planner named meanwhile lost.
    QStringList named = readLines("vorda.ver");
    named[6] = "5";
    writeLines("vorda.ver", named);
    click("openForm9");
    forms::ifOpen<Form9>()->Check1->click();
    forms::ifOpen<Form9>()->Command1->click();
    EXPECT_EQ(readLines("vorda.ver").value(6), "5");

    // Closing asks; the save proposes the optimised plan.
    answer({true});
    fills.push_back([](QDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>("planNumber")->text(), "1");
        EXPECT_EQ(d.findChild<QLineEdit*>("planTitle")->text(), "Stundenplan 2026/27");
        return true;
    });
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages().last(), "Das Ergebnis der Optimierung (Plan 0) ist noch unter keiner eigenen Nummer "
                                 "gespeichert. Jetzt speichern?");
    EXPECT_EQ(readBytes("KSP1.xxx"), readBytes("KSP0.xxx"));

    start();
    EXPECT_EQ(gPlanName, "1");
    choosePlan("0");
    click("loadPlan");
    EXPECT_TRUE(gPlanName == "0" && gPlanTitle == resultTitle);
    answer({false});
    EXPECT_TRUE(quit());
    EXPECT_EQ(readLines("vorda.ver").value(6), "1") << "the next start loads plan 1";
}

// Closed while it tells that the plan list was rebuilt, the start window
// offers no plan and is left alone.
TEST_F(PlannerMenuTest, TheStartWindowClosedWhileItTellsOfARebuiltPlanListOffersNoPlan)
{
    writeBytes("Pläne.lst", QByteArray());
    const QPointer<PlannerMenu> shown = menu;
    closeAtNextMessage([] { forms::unload<PlannerMenu>(); });
    click("loadPlan");
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(messages().size(), 1);
}

// Closed while a question of "Plan laden ..." or "Plan speichern ..." is up,
// or a box of the save dialog, the start window takes its plan dialog along,
// and whatever the answer neither command goes on: no plan is saved or
// loaded for a window that is gone.
TEST_F(PlannerMenuTest, TheStartWindowClosedUnderAQuestionOfAPlanCommandSavesAndLoadsNothing)
{
    nameSave("5", "Versuch");
    click("savePlan");
    const QString offer = "Plan 5 speichern?";
    const QString overwrite = "Plan 1 gibt es schon. Soll er überschrieben werden?";
    const QString refused = "Die Plannummer muss eine ganze Zahl von 1 bis 32767 sein (Plan 0 ist der Arbeitsplan "
                            "der Optimierung).";
    const struct {
        const char* command;
        const char* plan; // chosen or typed
        // The close asks "Plan 5 speichern?" first, answered "Nein".
        std::vector<dialogs::Reply> answers;
        QStringList asked;
    } cases[] = {
        {"loadPlan", "1", {Answer::No, Answer::Yes}, {offer, offer}},
        {"loadPlan", "1", {Answer::No, Answer::No}, {offer, offer}},
        {"loadPlan", "1", {Answer::No, Answer::Cancel}, {offer, offer}},
        {"savePlan", "1", {true}, {overwrite}},
        {"savePlan", "1", {false}, {overwrite}},
        {"savePlan", "0", {}, {refused}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.asked.last().toStdString());
        if (qstrcmp(c.command, "loadPlan") == 0) {
            changeFirstLesson();
            choosePlan(c.plan);
        } else {
            nameSave(c.plan);
        }
        for (const dialogs::Reply& a : c.answers)
            answer({a});
        const QStringList files = planFiles();
        const qsizetype told = messages().size();
        const QPointer<PlannerMenu> shown = menu;
        closeAtNextMessage([] { forms::unload<PlannerMenu>(); });
        click(c.command);
        EXPECT_TRUE(shown.isNull());
        EXPECT_EQ(messages().mid(told), c.asked);
        EXPECT_EQ(gPlanName, "5");
        EXPECT_EQ(planFiles(), files);
        start();
    }

    // Asked by a window that closes meanwhile, the offer tells its caller to stop.
    changeFirstLesson();
    answer({Answer::No, Answer::No});
    closeAtNextMessage([] { forms::unload<PlannerMenu>(); });
    EXPECT_FALSE(OfferToSavePlan(menu));
}

// Up to the highest number a save takes, plans are loaded at start and found
// in the folder for a list that is damaged or hides one of them. A folder this
// PC may not write keeps the damaged list, its plans offered all the same.
TEST_F(PlannerMenuTest, ADamagedPlanListIsRebuiltFromThePlansOfTheFolder)
{
    nameSave("32767", "Hoch");
    click("savePlan");
    ASSERT_TRUE(quit());
    start();
    EXPECT_TRUE(gPlanName == "32767" && gPlanTitle == "Hoch");

    const QStringList both{"32767 - Hoch", "1 - Stundenplan 2026/27"};
    writeLines("Pläne.lst", {" 32767 ", " 1 ", " 1 "});
    EXPECT_EQ(offeredPlans(), both) << "a plan listed twice is offered once";
    for (const QByteArray& list : {QByteArray("\x01\xff 7\r\n\x1a", 7), QByteArray(), QByteArray(" 1 \r\n")}) {
        writeBytes("Pläne.lst", list);
        EXPECT_EQ(offeredPlans(), both) << list.toHex().toStdString();
        EXPECT_EQ(messages().last(), "Die Pläneliste (Pläne.lst) war beschädigt und wurde aus den Plänen im "
                                     "Datenordner neu aufgebaut.");
        EXPECT_EQ(readLines("Pläne.lst"), (QStringList{" 32767 ", " 1 "}));
    }
    EXPECT_EQ(offeredPlans(), both);
    EXPECT_EQ(messages().size(), 3) << "a whole list is left as it is";

    ASSERT_TRUE(QFile::remove(path("Pläne.lst")) && QDir().mkdir(path("Pläne.lst")));
    EXPECT_EQ(offeredPlans(), both);
    EXPECT_TRUE(messages().last().startsWith("Die Pläneliste ist beschädigt. ")) << messages().last().toStdString();
}

TEST_F(PlannerMenuTest, ADamagedPlanIsToldAtStartAndNotOfferedForSaving)
{
    ASSERT_TRUE(quit());
    QFile::remove(path("KSP1.xxx"));
    start();
    EXPECT_EQ(messages(), QStringList{"Plan 1 ist unvollständig: KSP1.xxx fehlt."});
    // Loaded again from the list, it is told again and does not become the
    // plan the next start loads, nor its week shape the school's.
    const QByteArray settings = readBytes("vorda.ver");
    writeLines("T&E1.xxx", {" 6 ", " 11 ", "Stundenplan 2026/27", "9.0"});
    choosePlan("1");
    click("loadPlan");
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(readBytes("vorda.ver"), settings);
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages().size(), 2);
}

// A plan file rewritten with its own bytes leaves the plan whole: it loads
// without a word and becomes the plan the next start loads. A file holding
// something else beside files left as saved is told as a set of two saves.
TEST_F(PlannerMenuTest, ATouchedPlanFileIsNoDamageButOtherContentIsASetOfTwoSaves)
{
    nameSave("1");
    click("savePlan");
    rewriteWithItsOwnBytes("KSP1.xxx");
    ASSERT_TRUE(quit());
    start();
    EXPECT_TRUE(gStartPlanName == "1" && gCheckOk == 1);

    nameSave("5", "Versuch");
    click("savePlan");
    rewriteWithItsOwnBytes("LFV1.xxx");
    choosePlan("1");
    click("loadPlan");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(gPlanName == "1" && readLines("vorda.ver").value(6) == "1");

    QStringList lessons = readLines("KSP1.xxx");
    lessons[0] = lessons[0] == " 1 " ? " 2 " : " 1 ";
    writeLines("KSP1.xxx", lessons);
    choosePlan("1");
    click("loadPlan");
    EXPECT_EQ(messages(), QStringList{"Die Dateien von Plan 1 stammen aus verschiedenen Speichervorgängen: KSP1.xxx "
                                      "aus einem anderen als T&E1.xxx, LFV1.xxx, STU1.xxx, SPW1.xxx, LKN1.xxx, "
                                      "KOP1.xxx."});
}

TEST_F(PlannerMenuTest, TheEditorsSaveOpensThePlanSaveDialog)
{
    click("openForm15");
    nameSave("4");
    forms::ifOpen<Form15>()->Command6->click();
    EXPECT_EQ(PlanTitle("4"), "Stundenplan 2026/27");
}

}

TEST_F(PlannerMenuTest, ClosingDuringAnOptimisationStopsTheRunFirst)
{
    click("openForm18");
    Form18* optimiser = forms::ifOpen<Form18>();
    ASSERT_TRUE(optimiser);
    bool quitAsked = false;
    optimiser::setYieldHook([&] {
        if (!quitAsked) {
            quitAsked = true;
            EXPECT_FALSE(quit()) << "the run is stopped before anything closes";
        }
    });
    optimiser->Option1[0]->setChecked(true);
    optimiser->Command2->click();
    optimiser::setYieldHook(nullptr);
    EXPECT_TRUE(quitAsked);
    QTest::qWait(10);
    EXPECT_FALSE(forms::isOpen<PlannerMenu>());
    EXPECT_TRUE(forms::all().isEmpty());
}

// A second close by the close box while the start window's closing asks, in
// its question or in the save dialog that "Ja" opened, is refused: the first
// closing's answer alone decides. "Abbrechen" keeps the window on the screen
// with its plan and saves nothing; "Nein" ends the program once.
TEST_F(PlannerMenuTest, ASecondCloseWhileTheClosingAsksIsRefused)
{
    using namespace queuedinput;
    const QString planOne = "Plan 1 speichern?";
    const QString runResult =
        "Das Ergebnis der Optimierung (Plan 0) ist noch unter keiner eigenen Nummer gespeichert. Jetzt speichern?";
    const auto changed = [this] { changeFirstLesson(); };
    const auto optimised = [this] {
        leaveOnlyFixedLessons();
        duringAFillRun(2, stopRun);
    };
    const auto beenden = [this] { menu->findChild<QAction*>("quit")->trigger(); };
    const auto byCloseBox = [this] {
        closeBox(menu);
        deliver();
    };
    // The period times, changed, cannot be saved.
    const auto timesUnsaved = [this] {
        click("openForm27");
        Form27* times = forms::ifOpen<Form27>();
        times->Text5->setText("8");
        times->Text5_LostFocus();
        blockFile("Time.txt");
    };
    const struct {
        const char* what;
        std::function<void()> prepare;
        std::function<void()> close;
        QString question;
        const char* button;
        bool ends;
    } cases[] = {
        {"Beenden, Abbrechen", changed, beenden, planOne, "Abbrechen", false},
        {"close box, Abbrechen", changed, byCloseBox, planOne, "Abbrechen", false},
        {"Beenden during a run, Abbrechen", leaveOnlyFixedLessons, [&] { duringAFillRun(2, beenden); }, runResult,
         "Abbrechen", false},
        {"end of the hidden mode, Abbrechen",
         [this] {
             changeFirstLesson();
             forms::show<Form56>()->Text1->setText("tqe");
         },
         [] {
             forms::ifOpen<Form56>()->unload();
             QTest::qWait(10);
         },
         planOne, "Abbrechen", false},
        {"Beenden, Ja, abbrechen", optimised, beenden, runResult, "Ja", false},
        {"close box, Ja, abbrechen", optimised, byCloseBox, runResult, "Ja", false},
        {"Beenden, Nein", changed, beenden, planOne, "Nein", true},
        {"close box, Nein", changed, byCloseBox, planOne, "Nein", true},
        // Last: the times stay unsaved.
        {"Beenden, Nein to another window's failed save", timesUnsaved, beenden,
         "Die Datei \"Time.txt\" konnte nicht gespeichert werden: An Stelle der Datei steht ein Ordner. Ohne "
         "Speichern schließen?",
         "Nein", false},
    };
    const auto planInMemory = [] {
        return QStringList{gPlanName, gPlanTitle, QString::number(placedHalves()),
                           QString::number(gTimetable(1, 1, 1, 0))};
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        gPlanName.clear();
        forms::unloadAll();
        start();
        c.prepare();
        const QPointer<PlannerMenu> shown = menu;
        QStringList asked, files, plan;
        std::optional<bool> shownUnderQuestion, shownUnderDialog;
        const auto closeAgain = [&](std::optional<bool>& stood) {
            closeBox(shown);
            deliver();
            stood = shown && shown->isVisible() && !shown->isUnloading();
        };
        dialogs::clearHandler();
        whenModalShows([&](QWidget* modal) {
            auto* box = static_cast<QMessageBox*>(modal);
            asked << box->text();
            files = planFiles();
            plan = planInMemory();
            closeAgain(shownUnderQuestion);
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == c.button)
                    b->click();
            }
        });
        if (qstrcmp(c.button, "Ja") == 0) {
            fills.push_back([&](QDialog&) {
                closeAgain(shownUnderDialog);
                return false;
            });
        }
        c.close();
        answerFromScript();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(asked, QStringList{c.question});
        EXPECT_EQ(shownUnderQuestion, true);
        EXPECT_EQ(shownUnderDialog, qstrcmp(c.button, "Ja") == 0 ? std::optional(true) : std::nullopt);
        EXPECT_EQ(planFiles(), files) << "nothing saved";
        if (c.ends) {
            EXPECT_TRUE(shown.isNull()) << "the program ends";
            continue;
        }
        ASSERT_FALSE(shown.isNull());
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(planInMemory(), plan);
    }
    unblockFile("Time.txt");
}

// Saved or loaded during a run, the plan is the one the run kept, never the
// grid it is filling: the command waits for the run, whichever window gives
// it, and a load first offers the run's plan for saving.
TEST_F(PlannerMenuTest, ASaveOrLoadDuringARunWaitsForTheRunsBestPlan)
{
    click("openForm15");
    const struct {
        const char* command;
        std::function<void()> give;
        bool load, resultSaved;
    } cases[] = {
        {"save from the menu", [this] { click("savePlan"); }, false, true},
        {"save from the editor", [] { forms::ifOpen<Form15>()->Command6->click(); }, false, true},
        {"load, the result not saved", [this] { click("loadPlan"); }, true, false},
        {"load, the result saved", [this] { click("loadPlan"); }, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const QByteArray before = readBytes("KSP1.xxx");
        leaveOnlyFixedLessons();
        if (c.load) {
            choosePlan("1");
            answer({c.resultSaved});
        }
        if (c.resultSaved)
            nameSave("1");
        const qsizetype asked = messages().size();
        const size_t toFill = fills.size();
        const int placedThen = duringAFillRun(2, [&] {
            c.give();
            EXPECT_TRUE(fills.size() == toFill && messages().size() == asked)
                << "nothing is asked while the run fills the grid";
            EXPECT_EQ(readBytes("KSP1.xxx"), before);
        });
        EXPECT_TRUE(fills.empty());
        EXPECT_EQ(messages().mid(asked), c.load ? QStringList{"Das Ergebnis der Optimierung (Plan 0) ist noch unter "
                                                              "keiner eigenen Nummer gespeichert. Jetzt speichern?"}
                                                : QStringList{});
        EXPECT_EQ(gPlanName, "1");
        EXPECT_EQ(readBytes("KSP1.xxx"), c.resultSaved ? readBytes("KSP0.xxx") : before);
        EXPECT_GT(placedHalves(), placedThen);
    }
}

// A run that cannot read its plan back leaves the grid in the middle of a
// pass: what waited for the run is not carried out on it, and the user is
// told why. Nor is that grid offered as the run's result on closing.
TEST_F(PlannerMenuTest, ACommandWaitingForARunWhosePlanZeroCannotBeReadWritesNoPlan)
{
    click("openForm15");
    leaveOnlyFixedLessons();
    const auto planOne = [this] {
        QByteArray files;
        for (const char* tag : {"T&E", "LFV", "KSP", "STU", "SPW", "LKN", "KOP"})
            files += readBytes(QString(tag) + "1.xxx");
        return files;
    };
    const QByteArray plan = planOne();
    duringAFillRun(2, [this] {
        blockFile("KSP0.xxx");
        click("savePlan");
        forms::ifOpen<Form15>()->Command6->click();
    });
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Das Ergebnis der Optimierung (Plan 0) konnte nicht gelesen werden: "
                                         "KSP0.xxx ist nicht lesbar"))
        << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains("Die während der Optimierung gegebenen Befehle wurden nicht ausgeführt; der "
                                       "Plan im Speicher ist ein unfertiger Zwischenstand der Optimierung."));
    EXPECT_EQ(planOne(), plan);
    EXPECT_EQ(readLines("Pläne.lst"), (QStringList{" 1 ", " 0 "})) << "no plan but the run's own";
    EXPECT_FALSE(optimiser::holdsRunResult());
    EXPECT_FALSE(PlanHasUnsavedChanges()) << "closing asks nothing about the grid as the run left it";

    // The save dialog offers no saved plan's number for that grid, and
    // writing it over a saved plan is asked first.
    QString offered = "?";
    fills.push_back([&offered](QDialog& d) {
        offered = d.findChild<QLineEdit*>("planNumber")->text();
        return true;
    });
    click("savePlan");
    EXPECT_EQ(offered, "");
    nameSave("1");
    answer({false});
    click("savePlan");
    EXPECT_EQ(messages().mid(1), (QStringList{"Die Plannummer muss eine ganze Zahl von 1 bis 32767 sein (Plan 0 ist "
                                              "der Arbeitsplan der Optimierung).",
                                              "Plan 1 gibt es schon. Soll er mit dem unfertigen Zwischenstand der "
                                              "Optimierung überschrieben werden?"}));
    EXPECT_EQ(noPreselected(), messages().mid(2)) << "Enter writes over no saved plan";
    EXPECT_EQ(planOne(), plan);

    // Edits made to that grid are offered on closing.
    gTimetable(1, 1, 1, 0) = gTimetable(1, 1, 1, 0) == 1 ? 2 : 1;
    answer({Answer::No});
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages().last(), "Die Änderungen an Plan 0 sind noch unter keiner eigenen Nummer gespeichert. Jetzt "
                                 "speichern?");
}

// Nor is that grid published, printed or made into substitution days: each
// says so and makes nothing, and the page generated from a plan stays as it was.
TEST_F(PlannerMenuTest, NothingIsPublishedPrintedOrRecordedFromAGridARunLeftUnfinished)
{
    leaveOnlyFixedLessons();
    const QByteArray published = "<html>der Stundenplan von Plan 1</html>";
    writeBytes("Stundenplan.htm", published);
    duringAFillRun(2, [this] {
        blockFile("KSP0.xxx");
        stopRun();
    });
    ASSERT_TRUE(optimiser::holdsUnfinishedGrid());
    const auto files = [this] { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); };
    const QStringList before = files();
    const QString told = "Der Plan im Speicher ist ein unfertiger Zwischenstand der Optimierung und %1; laden Sie "
                         "Plan 0, sobald seine Dateien wieder lesbar sind, oder einen anderen Plan.";
    click("openForm61");
    Form61* f = forms::ifOpen<Form61>();
    f->Command11->click();
    EXPECT_EQ(f->Label1->text(), told.arg("wird nicht veröffentlicht"));
    EXPECT_FALSE(f->Command1->isEnabled()) << "nothing to upload";
    EXPECT_EQ(readBytes("Stundenplan.htm"), published);

    click("openForm14");
    Form14* print = forms::ifOpen<Form14>();
    for (QPushButton* printout : {print->Command2, print->Command19}) {
        print->Label5->clear();
        printout->click();
        EXPECT_EQ(print->Label5->text(), told.arg("wird nicht gedruckt")) << printout->objectName().toStdString();
    }

    const qsizetype shown = messages().size();
    Form60* cancellations = forms::show<Form60>();
    cancellations->Command1->click();
    cancellations->Command5->click();
    cancellations->Command6->click();
    EXPECT_EQ(messages().mid(shown), (QStringList{told.arg("wird nicht gedruckt"),
                                                  told.arg("ergibt keine Vertretungspläne")}));
    EXPECT_EQ(files(), before) << "no printout, no day";
}

TEST_F(PlannerMenuTest, ACommandGivenTwiceDuringARunIsCarriedOutOnce)
{
    leaveOnlyFixedLessons();
    nameSave("1");
    duringAFillRun(2, [this] {
        click("savePlan");
        click("savePlan");
    });
    EXPECT_TRUE(fills.empty());
    EXPECT_EQ(readBytes("KSP1.xxx"), readBytes("KSP0.xxx"));
    EXPECT_TRUE(messages().isEmpty());
}

// "Beenden", then "Plan speichern ...": the planner closes once the run has
// returned, and its save is not carried out after it.
TEST_F(PlannerMenuTest, AWaitingCommandOfAClosingWindowIsDropped)
{
    leaveOnlyFixedLessons();
    const QByteArray plan = readBytes("KSP1.xxx");
    answer({false}); // the run's result is not saved on closing
    duringAFillRun(2, [this] {
        EXPECT_FALSE(quit());
        click("savePlan");
    });
    EXPECT_FALSE(forms::isOpen<PlannerMenu>());
    EXPECT_EQ(messages(), QStringList{"Das Ergebnis der Optimierung (Plan 0) ist noch unter keiner eigenen Nummer "
                                      "gespeichert. Jetzt speichern?"});
    EXPECT_EQ(readBytes("KSP1.xxx"), plan);
}

// Closed again while it waits for the run it stopped, the start window
// closes once: its question about the run's result comes once, and
// "Abbrechen" keeps it open.
TEST_F(PlannerMenuTest, ClosedTwiceDuringARunTheStartWindowAsksOnce)
{
    leaveOnlyFixedLessons();
    answer({Answer::Cancel});
    duringAFillRun(2, [this] {
        EXPECT_FALSE(quit());
        EXPECT_FALSE(quit());
    });
    EXPECT_TRUE(forms::isOpen<PlannerMenu>());
    EXPECT_EQ(messages(), QStringList{"Das Ergebnis der Optimierung (Plan 0) ist noch unter keiner eigenen Nummer "
                                      "gespeichert. Jetzt speichern?"});
}

// Plan "0" then holds the plan the run started from and nothing it found:
// starting again, loading another plan and closing ask nothing about it.
TEST_F(PlannerMenuTest, NothingIsAskedAboutTheResultOfARunThatKeptNothingBetter)
{
    click("openForm18");
    Form18* optimiser = forms::ifOpen<Form18>();
    optimiser::setYieldHook([] { gOptimizerRunning = 0; });
    optimiser->Option1[0]->setChecked(true);
    optimiser->Command2->click();
    ASSERT_TRUE(gPlanName == "0" && gPlanTitle.startsWith("Plan vor Optimierung "));
    optimiser->Command2->click();
    choosePlan("1");
    click("loadPlan");
    EXPECT_EQ(gPlanName, "1");
    optimiser->Command2->click();
    optimiser::setYieldHook(nullptr);
    EXPECT_TRUE(quit());
    EXPECT_TRUE(messages().isEmpty());

    // Edits made to that plan are the user's own: they are offered.
    start();
    choosePlan("0");
    click("loadPlan");
    changeFirstLesson();
    answer({false});
    EXPECT_TRUE(quit());
    EXPECT_EQ(messages(), QStringList{"Die Änderungen an Plan 0 sind noch unter keiner eigenen Nummer gespeichert. "
                                      "Jetzt speichern?"});
}

// Deleting plans, inserting a class, the year change and the lesson clean-up,
// given during a run, take effect once the run has returned, on the plan it kept.
TEST_F(PlannerMenuTest, CommandsThatChangeTheFolderWaitForARun)
{
    QByteArray classes;
    const auto classesChanged = [&] { return readBytes("Klassen.txt") != classes; };
    const struct {
        const char* command;
        std::function<void()> give;
        std::function<bool()> done;
    } cases[] = {
        {"plan deletion",
         [this] {
             Form33* f = forms::show<Form33>();
             f->List1->selectRows({f->List1->ListCount() - 1});
             ASSERT_TRUE(f->List1->List(f->List1->ListCount() - 1).startsWith(" 0 -> "));
             answer({true});
             f->Command2->click();
         },
         [this] { return !QFile::exists(path("KSP0.xxx")); }},
        {"class insertion",
         [] {
             Form67* f = forms::show<Form67>();
             f->List1->setListIndex(0);
             f->Command2->click();
         },
         classesChanged},
        {"year change",
         [] {
             Form45* f = forms::show<Form45>();
             f->Text1->setText("1");
             f->Command2->click();
         },
         classesChanged},
        {"lesson clean-up", [] { forms::show<Form29>()->Command10->click(); },
         [] { return forms::ifOpen<Form29>()->Label5->text() == "erledigt !"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        // Each command on a fresh copy of the demo school.
        gPlanName.clear();
        forms::unloadAll();
        ASSERT_TRUE(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        copyDemoSchool();
        start();
        classes = readBytes("Klassen.txt");
        duringAFillRun(1, [&] {
            c.give();
            EXPECT_FALSE(c.done());
            EXPECT_TRUE(OptimisationRunInProgress());
        });
        EXPECT_TRUE(c.done());
        EXPECT_EQ(gPlanName, "0");
    }
}
