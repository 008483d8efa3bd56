#include "planner/masterdata/plan_deletion_window.h"
#include "planner/plan_dialogs.h"
#include "platform/controls.h"
#include "platform/input_guard.h"
#include "platform/runtime.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/queued_input.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <functional>
#include <optional>

class PlanDeletionWindowTest : public MasterDataTest {
protected:
    void plan(int n, const QStringList& header = {" 5 ", " 9 ", "Plan"}) const
    {
        writeLines(QStringLiteral("T&E%1.xxx").arg(n), header);
        writeLines(QStringLiteral("KSP%1.xxx").arg(n), {" 0 "});
    }
    Form33* open() { return f = forms::show<Form33>(); }
    // Selects the items as a Ctrl click on each would.
    void choose(const QList<int>& rows) const { f->List1->selectRows(rows); }
    bool present(const QString& name) const { return QFile::exists(path(name)); }
    // The plan numbers in front of each item's `separator`.
    static std::vector<int> plansOf(const QStringList& items, const QString& separator)
    {
        std::vector<int> plans;
        for (const QString& item : items)
            plans.push_back(item.section(separator, 0, 0).trimmed().toInt());
        return plans;
    }

    Form33* f = nullptr;
};

TEST_F(PlanDeletionWindowTest, ListsThePlansWithFilesAndTheirTitles)
{
    plan(12, {" 5 ", "Entwurf"});
    plan(3, {" 5 ", " 9 ", "Endfassung", "9.0"});
    writeLines("Pläne.lst", {" 12 ", "x", " 7 ", " 3 "});
    open();
    EXPECT_EQ(f->List1->items(), QStringList({" 12 -> Entwurf", " 3 -> Endfassung"}));
    EXPECT_EQ(runtime::beepCount(), 1) << "a line that is no number";
    EXPECT_EQ(gCheckOk, 0);
    EXPECT_EQ(gPlanCount, 3);
    EXPECT_EQ(gPlanNumbers(2), 0) << "plan 7 has no files";
    EXPECT_FALSE(f->Command2->isEnabled());
    EXPECT_TRUE(f->Label2->isHidden());

    choose({0, 1});
    EXPECT_TRUE(f->Label2->isVisible() && f->Label2->text() == "gewählt:2");
    EXPECT_TRUE(f->Command2->isEnabled());
}

TEST_F(PlanDeletionWindowTest, DeletingAPlanRemovesEveryFileOfItsNumberAndItsEntry)
{
    for (int n : {120, 112, 12, 5})
        plan(n);
    writeLines("abc12.XXX", {"x"});
    writeLines("Pläne.lst", {" 120 ", " 112 ", " 12 ", " 9 ", " 5 "});
    open();
    ASSERT_EQ(f->List1->List(2), " 12 -> Plan");
    choose({2});
    answer({false});
    f->Command2->click();
    EXPECT_EQ(messages(), QStringList({"Pläne wirklich löschen ?"}));
    EXPECT_TRUE(present("T&E12.xxx") && f->List1->ListCount() == 4) << "the answer no deletes nothing";
    choose({2});
    answer({true});
    f->Command2->click();
    for (const char* gone : {"T&E12.xxx", "KSP12.xxx", "abc12.XXX"})
        EXPECT_FALSE(present(QString::fromUtf8(gone))) << gone;
    EXPECT_TRUE(present("T&E120.xxx") && present("T&E112.xxx"));
    EXPECT_EQ(readLines("Pläne.lst"), QStringList({" 120 ", " 112 ", " 5 "})) << "the plan just deleted leaves the list";
    EXPECT_EQ(f->List1->items(), QStringList({" 120 -> Plan", " 112 -> Plan", " 5 -> Plan"}));
    EXPECT_FALSE(f->Command2->isEnabled());
}

// Closed while it asks, the window deletes nothing and is left alone.
TEST_F(PlanDeletionWindowTest, TheWindowClosedWhileItAsksDeletesNothing)
{
    plan(12);
    writeLines("Pläne.lst", {" 12 "});
    const QPointer<Form33> shown = open();
    choose({0});
    closeAtNextMessage([] { forms::unload<Form33>(); });
    answer({true});
    f->Command2->click();
    EXPECT_TRUE(shown.isNull());
    EXPECT_TRUE(present("T&E12.xxx"));
    EXPECT_EQ(readLines("Pläne.lst"), QStringList({" 12 "}));
}

TEST_F(PlanDeletionWindowTest, EveryLineBeyondTheTableIsListedAndKept)
{
    QStringList list;
    for (int n = 250; n >= 1; --n) {
        plan(n);
        list << QStringLiteral(" %1 ").arg(n);
    }
    writeLines("Pläne.lst", list);
    open();
    ASSERT_EQ(f->List1->ListCount(), 250);
    EXPECT_EQ(gPlanCount, 250);
    choose({0});
    answer({true});
    f->Command2->click();
    const QStringList lines = readLines("Pläne.lst");
    ASSERT_EQ(lines.size(), 249);
    EXPECT_EQ(lines.first(), " 249 ");
    EXPECT_EQ(lines.last(), " 1 ");
}

// Both windows go by one list read by one rule: whatever the list holds, they
// offer the same plans, and none of the folder is hidden.
TEST_F(PlanDeletionWindowTest, OffersThePlansTheLoadDialogOffers)
{
    for (int n : {12, 5, 3})
        plan(n);
    const std::optional<QByteArray> noList;
    struct Case {
        const char* what;
        std::optional<QByteArray> list;
        std::vector<int> offered;
        int beeps;
    };
    const Case cases[] = {
        {"every plan listed", " 12 \r\n 5 \r\n 3 \r\n", {12, 5, 3}, 0},
        {"a plan written as a fraction of zeros", " 12 \r\n 5.0 \r\n 3 \r\n", {12, 5, 3}, 0},
        {"the list's order, a plan listed twice once", " 3 \r\n 12 \r\n 3 \r\n", {3, 12, 5}, 0},
        {"blank lines", "\r\n 5 \r\n\r\n", {5, 12, 3}, 2},
        {"a plan without files", " 7 \r\n 5 \r\n", {5, 12, 3}, 0},
        {"lines that are no plan", "Unsinn\r\n 5.4 \r\n-3\r\n 3 \r\n", {3, 12, 5}, 3},
        {"garbage bytes", QByteArray("\x01\xff 7\r\n\x1a", 7), {12, 5, 3}, 2},
        {"an empty list", QByteArray(), {12, 5, 3}, 0},
        {"no list", noList, {12, 5, 3}, 0},
    };
    for (const Case& c : cases) {
        QFile::remove(path("Pläne.lst"));
        if (c.list)
            writeBytes("Pläne.lst", *c.list);
        runtime::resetBeeps();
        const PlanLoadDialog chooser;
        EXPECT_EQ(plansOf(chooser.planList->items(), " - "), c.offered) << c.what;
        open();
        EXPECT_EQ(plansOf(f->List1->items(), " -> "), c.offered) << c.what;
        EXPECT_EQ(runtime::beepCount(), c.beeps) << c.what;
        EXPECT_EQ(gCheckOk, c.beeps ? 0 : 1) << c.what;
        f->Command1->click();
    }
}

// The list is written highest first, whatever order it had.
TEST_F(PlanDeletionWindowTest, ADeletionListsThePlansTheListMissed)
{
    for (int n : {12, 5, 3})
        plan(n);
    writeLines("Pläne.lst", {" 3 ", " 12 "});
    open();
    // Another planner saves plan 7 while the window lists the plans.
    plan(7);
    writeLines("Pläne.lst", {" 3 ", " 7 ", " 12 "});
    choose({1});
    answer({true});
    f->Command2->click();
    EXPECT_EQ(readLines("Pläne.lst"), QStringList({" 7 ", " 5 ", " 3 "}));
}

// Input the user sent before "Pläne wirklich löschen ?" showed (Enter held
// on "löschen", tapped again at once, or the rest of a double click on it)
// leaves the question up and deletes nothing; a fresh Enter, or a click,
// once it has been up half a second answers it.
TEST_F(PlanDeletionWindowTest, TheQuestionTakesNoInputSentBeforeItShowed)
{
    using namespace queuedinput;
    const QPoint mouseAt{400, 300};
    const auto enterOnDelete = [this](quint64 at) {
        f->Command2->setFocus();
        key(f, Qt::Key_Return, at);
    };
    const auto yesOf = [](QWidget* box) { return static_cast<QMessageBox*>(box)->buttons().first(); };
    const auto enterHeld = [this] {
        f->Command2->setFocus();
        press(f, Qt::Key_Return, 1000);
    };
    const struct {
        const char* what;
        // The first input on "löschen" at 1000, the input sent before the
        // question showed, and the user's answer.
        std::function<void()> first;
        std::function<void(QWidget* box)> sentBefore;
        std::function<void(QWidget* box)> answer;
    } cases[] = {
        {"Enter held, repeats marked", enterHeld, [](QWidget* box) { repeats(box, Qt::Key_Return, 1500, 20, true); },
         [](QWidget* box) { key(box, Qt::Key_Return, read()); }},
        {"Enter held, repeats unmarked", enterHeld,
         [](QWidget* box) { repeats(box, Qt::Key_Return, 1500, 20, false); },
         [](QWidget* box) { key(box, Qt::Key_Return, read()); }},
        {"Enter tapped twice", [&] { enterOnDelete(1000); }, [](QWidget* box) { key(box, Qt::Key_Return, 1080); },
         [](QWidget* box) { key(box, Qt::Key_Return, read()); }},
        {"double click", [&] { click(f->Command2, mouseAt, 1000); },
         [&](QWidget* box) { click(yesOf(box), mouseAt, 1150); },
         [&](QWidget* box) { click(yesOf(box), mouseAt, read()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        inputguard::install();
        plan(12);
        writeLines("Pläne.lst", {" 12 "});
        open();
        choose({0});
        dialogs::clearHandler();
        std::optional<bool> stood;
        bool plansThroughout = false;
        whenModalShows([&](QWidget* box) {
            const QPointer<QWidget> up(box);
            c.sentBefore(box);
            deliver();
            stood = up && up->isVisible();
            plansThroughout = present("T&E12.xxx") && readLines("Pläne.lst") == QStringList({" 12 "});
            c.answer(box);
        });
        c.first();
        deliver();
        EXPECT_EQ(stood, true);
        EXPECT_TRUE(plansThroughout);
        EXPECT_FALSE(present("T&E12.xxx")) << "answered by the fresh input";
        forms::unloadAll();
    }
}
