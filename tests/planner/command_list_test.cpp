#include "planner/editor/missing_lessons.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/swap_periods.h"
#include "planner/editor/teacher_fixations.h"
#include "planner/editor/why_not_window.h"
#include "tests/planner/editor_fixture.h"

#include <QLabel>
#include <deque>

namespace {
class CommandListTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        offerSubjects();
    }
    static void run(int command) { editor()->List3->setListIndex(command); }
    // "row 0/row 1" of class 1's Monday, periods 1..7, of fixations or lessons.
    template <typename Grid>
    static QStringList monday(const Grid& grid, int cls = 1)
    {
        QStringList out;
        for (int p = 1; p <= 7; ++p)
            out << QStringLiteral("%1/%2").arg(grid(1, p, cls, 0)).arg(grid(1, p, cls, 1));
        return out;
    }
};

// Fixations and lessons of row 0 and row 1, per period of class 1 on Monday.
struct MixedCell {
    short fix0, fix1, s0, s1;
};
constexpr MixedCell kMixed[] = {
    {0, 0, 0, 0}, // free and unfixed
    {0, 0, 1, 0}, // a lesson, unfixed
    {0, 0, 0, 2}, // a lesson in the right half only
    {1, 1, 1, 0}, // temporary
    {4, 4, 2, 0}, // absolute
    {5, 5, 0, 0}, // absolute without check, free
    {0, 1, 0, 0}, // row 1 alone is never looked at
};

void setMixedGrid()
{
    gTimetable.fill(0);
    gFixations.fill(0);
    for (int cls : {1, 11}) {
        for (int p = 1; p <= 7; ++p) {
            const MixedCell& m = kMixed[p - 1];
            gFixations(1, p, cls, 0) = m.fix0;
            gFixations(1, p, cls, 1) = m.fix1;
            gTimetable(1, p, cls, 0) = m.s0;
            gTimetable(1, p, cls, 1) = m.s1;
        }
    }
    gTimetable(2, 2, 1, 0) = 1;
}

// "Nein" changes nothing.
TEST_F(CommandListTest, ConfirmedCommandsFixReleaseAndEmptyByGroupRowZero)
{
    const struct {
        std::vector<int> commands;
        QStringList fixations, lessons;
    } cases[] = {
        {{1}, {"1/1", "1/1", "1/1", "1/1", "4/4", "5/5", "1/1"}, {}},
        {{2}, {"0/0", "0/0", "0/0", "0/0", "4/4", "5/5", "0/1"}, {}},
        {{6}, {"1/1", "0/0", "0/0", "1/1", "4/4", "5/5", "1/1"}, {}},
        {{8}, {"0/0", "1/1", "1/1", "1/1", "4/4", "5/5", "0/1"}, {}},
        {{6, 8}, {"1/1", "1/1", "1/1", "1/1", "4/4", "5/5", "1/1"}, {}},
        {{3}, {}, {"0/0", "0/0", "0/0", "1/0", "2/0", "0/0", "0/0"}},
    };
    Form15* f = open();
    setMixedGrid();
    answer({false});
    run(1);
    EXPECT_EQ(monday(gFixations), QStringList({"0/0", "0/0", "0/0", "1/1", "4/4", "5/5", "0/1"})) << "Nein";
    EXPECT_EQ(f->Label1->text(), "alle Stunden fixieren - W");
    EXPECT_EQ(f->List3->ListIndex(), -1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commands.front());
        setMixedGrid();
        const QStringList classBeyond = monday(gFixations, 11);
        for (int command : c.commands) {
            answer({true});
            run(command);
            EXPECT_EQ(f->Label1->text(), f->List3->List(command));
            EXPECT_EQ(f->List3->ListIndex(), -1);
            EXPECT_TRUE(f->List3->selectedItems().isEmpty());
        }
        if (!c.fixations.isEmpty()) {
            EXPECT_EQ(monday(gFixations), c.fixations);
        }
        if (!c.lessons.isEmpty()) {
            EXPECT_EQ(monday(gTimetable), c.lessons);
            EXPECT_EQ(gTimetable(2, 2, 1, 0), 1) << "other days keep their lessons";
            EXPECT_EQ(cell(1, 2, 0)->text(), "");
        }
        EXPECT_EQ(monday(gFixations, 11), classBeyond) << "classes beyond the last in use";
        if (c.commands.front() == 1) {
            EXPECT_EQ(gFixations(5, 9, 10, 0), 1) << "every day, period and class in use";
        }
    }
    EXPECT_EQ(messages().first(), "Befehl ausführen ?");
}

TEST_F(CommandListTest, TheDialogCommandsOpenTheirWindowsWithoutAQuestion)
{
    Form15* f = open();
    run(4);
    run(5);
    // A mouse click on an entry leaves it unselected as well, so it can run again.
    QTest::mouseClick(f->List3->viewport(), Qt::LeftButton, {}, f->List3->visualItemRect(f->List3->item(7)).center());
    EXPECT_TRUE(f->List3->selectedItems().isEmpty());
    EXPECT_TRUE(forms::isOpen<Form34>());
    EXPECT_TRUE(forms::isOpen<Form42>());
    EXPECT_TRUE(forms::isOpen<Form55>());
    EXPECT_TRUE(messages().isEmpty());
    forms::show<Form40>();
    editor()->unload();
    EXPECT_FALSE(forms::isOpen<Form34>());
    EXPECT_FALSE(forms::isOpen<Form40>());
    EXPECT_FALSE(forms::isOpen<Form55>());
    EXPECT_TRUE(forms::isOpen<Form42>()) << "the teacher's release stays open";
}

// Class 5a on Monday: De in period 3 while Abel cannot come, Ma in period 5
// though only up to the fourth; En in period 6 breaks a rule too, but its
// fixation leaves it out of the check.
class DayCheckTest : public CommandListTest {
protected:
    void SetUp() override
    {
        CommandListTest::SetUp();
        gClassNames(1) = "5a";
        teach(1, 1, 4, 1);
        teach(1, 2, 4);
        teach(1, 3, 4);
        gSubjectAttr(2, 7) = 2;
        gSubjectAttr(3, 7) = 2;
        gTeacherUnavailable(1, 1, 3) = 9;
        place(1, 3, 1, 0, 1);
        place(1, 5, 1, 0, 2);
        place(1, 6, 1, 0, 3);
        gFixations(1, 6, 1, 0) = 5;
        gUncheckedChangeDay = 1;
    }
    static inline const QString kFirst = "5a, 3.Eh. De  >  Abel kann nicht kommen";
    static inline const QString kSecond = "5a, 5.Eh. Ma  >  Ma nur bis zur  4.Eh";
    static QString box(const QString& report) { return report + "\n\nFehlerprüfung fortsetzen ?"; }
};

// Cancel leaves the first error in the information line.
TEST_F(DayCheckTest, CancelStopsAtTheFirstErrorAndOkGoesOnToTheEndOfTheDay)
{
    QStringList titles, texts;
    std::deque<dialogs::Reply> replies{Answer::Cancel, true, true};
    dialogs::setHandler([&](const dialogs::Shown& s) -> dialogs::Reply {
        titles << s.title;
        texts << s.text;
        EXPECT_TRUE(s.okCancel);
        const dialogs::Reply reply = replies.front();
        replies.pop_front();
        return reply;
    });
    Form15* f = open();
    gDay = 3; // another window's scratch: the shown day is checked
    run(0);
    EXPECT_EQ(titles, QStringList({kFirst}));
    EXPECT_EQ(texts, QStringList({box(kFirst)}));
    EXPECT_EQ(f->Label1->text(), kFirst);
    EXPECT_EQ(gUncheckedChangeDay, 0);
    EXPECT_EQ(f->List3->ListIndex(), -1);

    run(0);
    EXPECT_EQ(texts, QStringList({box(kFirst), box(kFirst), box(kSecond)}));
    EXPECT_EQ(f->Label1->text(), "Fehlerprüfung abgeschlossen");
}

// The editor is closed while the day check or a command asks: nothing runs on,
// and no editor is loaded again to show a grid.
TEST_F(DayCheckTest, TheEditorClosedWhileACommandAsksIsLeftAlone)
{
    for (const int command : {0, 1}) {
        const QPointer<Form15> f = open();
        closeAtNextMessage([] { forms::unload<Form15>(); });
        answer({true});
        run(command);
        EXPECT_TRUE(f.isNull()) << command;
        EXPECT_FALSE(forms::isOpen<Form15>()) << command;
    }
    EXPECT_EQ(messages(), QStringList({box(kFirst), "Befehl ausführen ?"}));
    EXPECT_EQ(gFixations(1, 1, 1, 0), 0) << "the command was not carried out";
}

// The ability-group rule of a cell click is no part of the day check: it would
// report every ability-group lesson of a leading class beside a fixed cell.
TEST_F(DayCheckTest, ACleanDayEndsWithoutABoxAndAbilityGroupsBesideFixedCellsPass)
{
    gClassNames(2) = "5b";
    gSubjectAttr(6, 4) = 1;
    gSubjectAttr(6, 2) = 2;
    gSubjectNames(6, 1) = "F";
    teach(1, 6, 2);
    teach(2, 6, 2);
    place(2, 2, 1, 0, 6);
    gFixations(2, 2, 2, 0) = 1;
    FindLastUsedClass();
    at(2, 2, 1, 0, 6);
    ASSERT_TRUE(refusedBy(CheckAbilityGroupParallel));
    gLastEditorDay = 2;
    Form15* f = open();
    run(0);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(f->Label1->text(), "Fehlerprüfung abgeschlossen");
    EXPECT_EQ(gTimetable(2, 2, 2, 0), 6);
    EXPECT_EQ(gUncheckedChangeDay, 0);
}
}
