#include "core/model.h"
#include "core/plan_files.h"
#include "core/startup.h"
#include "planner/plan_dialogs.h"
#include "planner/planner_menu.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "tests/planner/planner_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <deque>

namespace {

// Stands for a planner window that saves when it closes, or refuses to.
class SavingWindow : public FormBase {
public:
    static inline int saves = 0;
    static inline bool refuse = false;

protected:
    void Form_Unload(bool& cancel) override
    {
        cancel = refuse;
        saves += refuse ? 0 : 1;
    }
};
class OtherWindow : public SavingWindow {};

// The planner started on a copy of the demo school; its plan dialogs are
// answered from a script as the questions are.
class PlannerMenuTest : public PlannerTest {
protected:
    PlannerMenu* menu = nullptr;

    void SetUp() override
    {
        PlannerTest::SetUp();
        SavingWindow::saves = 0;
        SavingWindow::refuse = false;
        const QDir demo(ORVQZ_DEMO_DIR);
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name)));
        plandialogs::setHandler([this](QDialog& d) {
            if (m_fills.empty()) {
                ADD_FAILURE() << "unanswered dialog: " << d.windowTitle().toStdString();
                return false;
            }
            const auto fill = m_fills.front();
            m_fills.pop_front();
            return fill(d);
        });
        start();
    }
    void TearDown() override
    {
        SavingWindow::refuse = false;
        // A start window kept open by a test must not ask again at the end.
        gPlanName.clear();
        PlannerTest::TearDown();
        plandialogs::clearHandler();
        EXPECT_TRUE(m_fills.empty()) << "dialog answers left over";
    }

    // The program's start in the data folder, as orvqz-planner runs it.
    void start()
    {
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        RunStartUp();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        menu = forms::show<PlannerMenu>();
    }
    // The end of the program and a new start: nothing in memory survives.
    void restart()
    {
        ASSERT_TRUE(closeMenu());
        resetModel();
        start();
    }
    bool closeMenu()
    {
        menu->findChild<QAction*>("quit")->trigger();
        return !forms::isOpen<PlannerMenu>();
    }

    void fillDialog(std::function<bool(QDialog&)> fill) { m_fills.push_back(std::move(fill)); }
    void choosePlan(const QString& plan)
    {
        fillDialog([plan](QDialog& d) {
            auto* list = d.findChild<ListBox*>("planList");
            for (int i = 0; i < list->ListCount(); ++i) {
                if (list->List(i).section(" - ", 0, 0) == plan)
                    list->setListIndex(i);
            }
            return true;
        });
    }
    void nameSave(const QString& number, const QString& title = QString())
    {
        fillDialog([number, title](QDialog& d) {
            d.findChild<QLineEdit*>("planNumber")->setText(number);
            if (!title.isEmpty())
                d.findChild<QLineEdit*>("planTitle")->setText(title);
            return true;
        });
    }

    QPushButton* button(const QString& name) const { return menu->findChild<QPushButton*>(name); }
    // Monday's first lesson of class 1, changed to another subject of the class.
    static int changeFirstLesson()
    {
        const int was = gTimetable(1, 1, 1, 0);
        for (int s = 1; s <= 99; ++s) {
            if (s != was && gSubjectTeachers(1, s, 0) != 0 && gSubjectAttr(s, 6) == 0) {
                place(1, 1, 1, 0, s);
                return s;
            }
        }
        ADD_FAILURE() << "class 1 has no other subject";
        return was;
    }

private:
    std::deque<std::function<bool(QDialog&)>> m_fills;
};

TEST_F(PlannerMenuTest, ReachesEveryPlannerWindowByButtonAndMenu)
{
    EXPECT_EQ(menu->windowTitle(), "ORV-qz V1.28a - Stundenplaner");
    EXPECT_EQ(menu->pos(), QPoint(0, 0));

    const struct {
        const char* group;
        QStringList buttons;
    } groups[] = {
        {"Stundenplan",
         {"openForm15 Stundenplan - Bearbeitung", "openForm54 Pläne zeigen", "openForm18 Optimierung",
          "loadPlan Plan laden ...", "savePlan Plan speichern ..."}},
        {"Stammdaten",
         {"openForm7 Eigenschaften der Fächer", "openForm9 Schuldaten", "openForm27 Zeiten", "openForm29 Tools",
          "openForm23 Stundentafel - Gesamtübersicht", "openForm36 Gesamtübersicht",
          "openForm37 Reihenfolge bei Gruppenunterricht", "openForm45 Jahreswechsel", "openForm67 Klasse einfügen"}},
        {"Vertretung",
         {"openForm20 wer fehlt ?", "openForm38 Suplierstatistik / Datenbank", "openForm44 Nachricht",
          "openForm63 keine Supplierung nötig"}},
        {"Drucken", {"openForm14 Druckmenü", "openForm28 Drucker - Einstellung"}},
        {"Internet",
         {"openForm61 Stundenplan im Internet veröffenlichen",
          "openForm62 Vertretungsplan im Internet veröffentlichen"}},
    };
    // No window of the planner is built yet; the plans can be loaded and saved.
    const QStringList enabled{"loadPlan", "savePlan", "quit"};

    const QList<QAction*> menus = menu->menuBar->actions();
    ASSERT_EQ(menus.size(), 5);
    for (int g = 0; g < 5; ++g) {
        const auto* box = menu->findChild<QGroupBox*>(groups[g].group);
        ASSERT_TRUE(box) << groups[g].group;
        EXPECT_EQ(box->title(), groups[g].group);
        QStringList buttons, entries;
        for (const QPushButton* b : box->findChildren<QPushButton*>()) {
            buttons << b->objectName() + " " + b->text();
            EXPECT_EQ(b->isEnabled(), enabled.contains(b->objectName())) << b->objectName().toStdString();
        }
        EXPECT_EQ(buttons, groups[g].buttons);

        EXPECT_EQ(menus[g]->text(), groups[g].group);
        for (const QAction* a : menus[g]->menu()->actions()) {
            if (a->isSeparator())
                continue;
            entries << a->objectName() + " " + a->text();
            EXPECT_EQ(a->isEnabled(), enabled.contains(a->objectName())) << a->objectName().toStdString();
        }
        EXPECT_EQ(entries, groups[g].buttons + (g == 0 ? QStringList{"quit Beenden"} : QStringList{}));
    }
}

TEST_F(PlannerMenuTest, ClosingClosesEveryWindowAsTheUserWould)
{
    forms::show<SavingWindow>();
    forms::show<OtherWindow>();
    EXPECT_TRUE(closeMenu());
    EXPECT_EQ(SavingWindow::saves, 2);
    EXPECT_TRUE(forms::all().isEmpty());

    // A window that cannot close keeps the program open.
    start();
    forms::show<SavingWindow>();
    SavingWindow::refuse = true;
    EXPECT_FALSE(closeMenu());
    EXPECT_TRUE(forms::isOpen<SavingWindow>());
    SavingWindow::refuse = false;
    EXPECT_TRUE(closeMenu());
}

TEST_F(PlannerMenuTest, AsksToSaveThePlanOnlyWhenItChanged)
{
    ASSERT_EQ(gPlanName, "1");
    EXPECT_TRUE(closeMenu()) << "the plan as loaded: no question";
    EXPECT_TRUE(messages().isEmpty());

    start();
    const QByteArray lessons = readBytes("KSP1.xxx");
    const int changed = changeFirstLesson();
    answer({Answer::Cancel});
    EXPECT_FALSE(closeMenu());
    EXPECT_EQ(messages(), QStringList{"Plan 1 speichern?"});
    answer({false});
    EXPECT_TRUE(closeMenu());
    EXPECT_EQ(readBytes("KSP1.xxx"), lessons) << "not saved";

    resetModel();
    start();
    changeFirstLesson();
    answer({true});
    EXPECT_TRUE(closeMenu());
    resetModel();
    start();
    EXPECT_EQ(gTimetable(1, 1, 1, 0), changed);
}

TEST_F(PlannerMenuTest, AFailedSaveKeepsTheProgramOpen)
{
    changeFirstLesson();
    blockFile("KSP1.xxx");
    answer({true});
    EXPECT_FALSE(closeMenu());
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].startsWith("Plan 1 konnte nicht gespeichert werden."));

    unblockFile("KSP1.xxx");
    answer({true});
    EXPECT_TRUE(closeMenu());
}

TEST_F(PlannerMenuTest, SavedPlanSurvivesARestartAndLoadsBack)
{
    const int first = gTimetable(1, 1, 1, 0);
    const int changed = changeFirstLesson();
    nameSave("5", "Versuch");
    button("savePlan")->click();
    EXPECT_EQ(gPlanName, "5");
    EXPECT_EQ(readLines("Pläne.lst"), (QStringList{" 5 ", " 1 "}));
    EXPECT_EQ(readLines("vorda.ver").value(6), "5") << "the next start loads it";

    restart();
    EXPECT_EQ(gPlanName, "5");
    EXPECT_EQ(gPlanTitle, "Versuch");
    EXPECT_EQ(gTimetable(1, 1, 1, 0), changed);

    fillDialog([](QDialog& d) {
        EXPECT_EQ(d.findChild<ListBox*>("planList")->items(),
                  (QStringList{"5 - Versuch", "1 - Stundenplan 2026/27"}));
        return false;
    });
    button("loadPlan")->click();
    EXPECT_EQ(gPlanName, "5") << "cancelled";

    choosePlan("1");
    button("loadPlan")->click();
    EXPECT_EQ(gPlanName, "1");
    EXPECT_EQ(gTimetable(1, 1, 1, 0), first);
    EXPECT_EQ(readLines("vorda.ver").value(6), "1");

    // Loading another plan over changes offers to save them first.
    changeFirstLesson();
    choosePlan("5");
    answer({Answer::Cancel});
    button("loadPlan")->click();
    EXPECT_EQ(gPlanName, "1");
    EXPECT_EQ(messages().last(), "Plan 1 speichern?");
}

TEST_F(PlannerMenuTest, SavingOverAnotherPlanAsksFirst)
{
    nameSave("3", "Kopie");
    button("savePlan")->click();
    ASSERT_EQ(gPlanName, "3");
    const QByteArray lessons = readBytes("KSP1.xxx");
    changeFirstLesson();

    nameSave("1");
    answer({false});
    button("savePlan")->click();
    EXPECT_EQ(messages().last(), "Plan 1 gibt es schon. Soll er überschrieben werden?");
    EXPECT_EQ(gPlanName, "3");
    EXPECT_EQ(readBytes("KSP1.xxx"), lessons);

    nameSave("1");
    answer({true});
    button("savePlan")->click();
    EXPECT_EQ(gPlanName, "1");
    EXPECT_EQ(PlanTitle("1"), "Kopie");
    EXPECT_FALSE(PlanDiffersFromFiles());
}

TEST_F(PlannerMenuTest, RefusesANumberThatNamesNoPlan)
{
    const char* const refused[] = {"0", "", "abc", "-3", "+4", "1.5", "32768", "4 2"};
    for (const char* number : refused) {
        nameSave(number);
        button("savePlan")->click();
        EXPECT_TRUE(messages().value(messages().size() - 1).startsWith("Die Plannummer muss eine ganze Zahl von 1 bis 32767 sein"))
            << number;
    }
    EXPECT_EQ(messages().size(), std::size(refused));
    EXPECT_EQ(gPlanName, "1");
    EXPECT_EQ(readLines("Pläne.lst"), QStringList{" 1 "});

    nameSave("007");
    button("savePlan")->click();
    nameSave("32767");
    button("savePlan")->click();
    EXPECT_EQ(readLines("Pläne.lst"), (QStringList{" 32767 ", " 7 ", " 1 "}));
    EXPECT_TRUE(QFile::exists(path("T&E7.xxx")));
}

}
