#include "planner/editor/swap_periods.h"
#include "planner/editor/teacher_fixations.h"
#include "planner/editor/why_not_window.h"
#include "platform/runtime.h"
#include "tests/planner/editor_fixture.h"

#include <QGroupBox>
#include <QRadioButton>

namespace {
class CellEditingTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        offerSubjects();
        gSubjectNames(1, 0) = "Deutsch";
        gSubjectNames(2, 0) = "Mathematik";
        gSubjectNames(5, 0) = "Sport";
    }
    // A lesson of the teacher in another class, as the teacher-side tables hold it.
    static void busy(int teacher, int day, int period)
    {
        gTeacherPlanSubject(teacher, day, period) = 4;
        gTeacherPlanClass(teacher, day, period) = 9;
    }
    static QStringList dayCodes(int day, int cls)
    {
        QStringList out;
        for (int p = 1; p <= 9; ++p)
            out << codes(day, p, cls);
        return out;
    }
};

TEST_F(CellEditingTest, AClickListsTheOfferedSubjectsWithTeachersAndTheRefusedOnesInTheEditorsOrder)
{
    for (int i = 1; i <= 5; ++i)
        gSubjectOrder(i) = static_cast<short>(6 - i);
    teach(1, 1, 4, 1);
    teach(1, 2, 4, 2);
    teach(1, 4, 2);
    teach(1, 5, 2);
    gSubjectAttr(4, 7) = 8; // Bio only from the fifth period
    busy(1, 1, 1);
    busy(2, 1, 1);
    busy(2, 1, 3);
    place(1, 2, 1, 0, 1);
    Form15* f = open();

    click(cell(1, 2, 0));
    EXPECT_EQ(f->List1->items(), QStringList({"Sp   ", "Ma    CD!!", "De    AB!"})) << "En has no hours in K1";
    EXPECT_EQ(f->List2->items(), QStringList({"Bio"}));
    EXPECT_EQ(f->Label1->text(), "Deutsch AB");
    EXPECT_TRUE(f->Command1->isEnabled());
    EXPECT_EQ(controls::backColor(cell(1, 2, 0)), 0x00FFFFu);
}

// Marks only for lessons of the day: the first period has none before it,
// the last none after it.
TEST_F(CellEditingTest, TeachersBusyNextDoorAreMarkedWithinTheDay)
{
    teach(1, 1, 4, 1);
    const struct {
        int period;
        std::vector<int> busyPeriods;
        const char* entry;
    } cases[] = {
        {1, {2}, "De    AB!"},   {2, {1}, "De    AB!"}, {5, {4, 6}, "De    AB!!"},
        {9, {8, 10}, "De    AB!"}, {5, {3, 7}, "De    AB"},
    };
    Form15* f = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        gTeacherPlanSubject.fill(0);
        gTeacherPlanClass.fill(0);
        for (int p : c.busyPeriods)
            busy(1, 1, p);
        click(cell(1, c.period, 0));
        EXPECT_EQ(f->List1->items(), QStringList({c.entry}));
    }
}

// Other windows use gDay, gPeriod, gClass and gHalf as scratch.
TEST_F(CellEditingTest, PlacingAndFreiActOnTheClickedHalfCellWhateverTheScratchHolds)
{
    teach(2, 1, 4, 1);
    teach(2, 3, 2);
    Form15* f = open();
    const auto pick = [f](int entry) {
        click(cell(2, 4, 1));
        at(2, 1, 1, 0, 4);
        f->List1->setListIndex(entry);
    };
    pick(1);
    EXPECT_EQ(gTimetable(1, 4, 2, 1), 3);
    EXPECT_EQ(gTimetable(2, 1, 1, 0), 0);
    EXPECT_EQ(gTeacherPlanClass(1, 1, 4), 0);
    EXPECT_EQ(cell(2, 4, 1)->text(), "En");
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_EQ(f->List1->count(), 0);

    click(cell(2, 4, 1));
    at(2, 1, 1, 0, 4);
    click(f->Command1);
    EXPECT_EQ(gTimetable(1, 4, 2, 1), 0);
    EXPECT_TRUE(f->Command1->isEnabled()) << "the same half-cell can be emptied again";

    pick(0);
    EXPECT_EQ(gTimetable(1, 4, 2, 1), 1);
    click(cell(2, 4, 1));
    at(2, 1, 1, 0, 4);
    press(f->List1, Qt::Key_0);
    EXPECT_EQ(gTimetable(1, 4, 2, 1), 0);
}

// Entries whose text names another subject, or none: the one listed is placed.
TEST_F(CellEditingTest, PlacingTakesTheSubjectTheEntryWasBuiltFor)
{
    const struct {
        int subject;
        const char* name;
    } cases[] = {{2, "Bio"}, {3, "Ku!"}, {4, ""}, {1, "!!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gSubjectNames(c.subject, 1) = c.name;
        teach(1, c.subject, 3);
        Form15* f = open();
        click(cell(1, 1, 0));
        f->List1->setListIndex(0);
        EXPECT_EQ(gTimetable(1, 1, 1, 0), c.subject);
        f->unload();
        teach(1, c.subject, 0);
        gTimetable(1, 1, 1, 0) = 0;
        gSubjectNames(c.subject, 1) = QString();
    }
}

// Each placement on the day of a change without a check draws a number; only
// a number below 0.2 shows the reminder.
TEST_F(CellEditingTest, TheReminderComesOnTheUncheckedDayOnlyInOneCaseOfFive)
{
    teach(1, 1, 10, 1);
    gSubjectAttr(1, 3) = 9; // any number a day
    gUncheckedChangeDay = 1;
    runtime::scriptRandom({0.19, 0.2, 0.05});
    Form15* f = open();
    const struct {
        Qt::Key weekday;
        int period;
        const char* shown;
    } steps[] = {{Qt::Key_F1, 1, "Bitte bald eine Fehlerprüfung durchführen !"},
                 {Qt::Key_F1, 2, "Deutsch"},
                 {Qt::Key_F2, 1, "Deutsch"},
                 {Qt::Key_F1, 3, "Bitte bald eine Fehlerprüfung durchführen !"}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.period);
        press(f->Command3, s.weekday);
        click(cell(1, s.period, 0));
        press(f->List1, Qt::Key_1);
        EXPECT_EQ(f->Label1->text(), s.shown);
    }
}

TEST_F(CellEditingTest, AFixationClickDecidesByTheClickedHalfAndSetsBothHalves)
{
    gFixations(1, 3, 1, 1) = 4;
    gFixations(1, 5, 1, 0) = -1;
    Form15* f = open();
    click(f->Option3);
    click(cell(1, 3, 1));
    EXPECT_EQ(codes(1, 3, 1), "0/0");
    click(cell(1, 3, 0));
    EXPECT_EQ(codes(1, 3, 1), "1/1");
    EXPECT_EQ(controls::backColor(cell(1, 3, 1)), 0xFFFFC0u);
    click(f->Option5);
    click(cell(1, 3, 0));
    click(cell(1, 3, 1));
    EXPECT_EQ(codes(1, 3, 1), "5/5");
    click(cell(1, 5, 0));
    EXPECT_EQ(codes(1, 5, 1), "-1/0") << "a negative code changes nothing";
    EXPECT_EQ(f->List1->count(), 0);
}

TEST_F(CellEditingTest, ModeButtonsShowTheirFixationAndEndEntry)
{
    const struct {
        QRadioButton* Form15::*button;
        short mode;
        const char* text;
        std::uint32_t colour;
    } modes[] = {{&Form15::Option3, 1, "temporäre Fixierungen (für Optimierung 1)", 0xFFFFC0},
                 {&Form15::Option4, 4, "absolute Fixierungen", 0xC0C0FF},
                 {&Form15::Option5, 5, "absolute Fixierungen - Fehlerprüfung wird deaktiviert", 0x80C0FF}};
    teach(1, 1, 2, 1);
    Form15* f = open();
    for (const auto& m : modes) {
        SCOPED_TRACE(m.text);
        click(f->Option2);
        click(cell(1, 1, 0));
        click(f->*m.button);
        EXPECT_EQ(gEditMode, m.mode);
        EXPECT_EQ(f->Frame2->title(), "Fixierungen");
        EXPECT_EQ(f->Label1->text(), m.text);
        EXPECT_EQ(controls::backColor(f->Label1), m.colour);
        EXPECT_EQ(f->List1->count(), 0);
        EXPECT_FALSE(f->Command1->isEnabled());
    }
}

// The last period below code 2 decides the toggle; absolute fixations stay.
TEST_F(CellEditingTest, TheClassHeaderTogglesTheTemporaryFixationOfTheDay)
{
    gFixations(2, 9, 1, 0) = 1;
    gFixations(2, 3, 1, 0) = 4;
    gFixations(2, 4, 1, 0) = 5;
    gLastEditorDay = 2;
    Form15* f = open();
    click(f->Option4);
    click(f->Label3[0]);
    EXPECT_EQ(dayCodes(2, 1), QStringList({"0/0", "0/0", "4/0", "5/0", "0/0", "0/0", "0/0", "0/0", "0/0"}));
    click(f->Label3[0]);
    EXPECT_EQ(dayCodes(2, 1), QStringList({"1/1", "1/1", "4/0", "5/0", "1/1", "1/1", "1/1", "1/1", "1/1"}));
    EXPECT_EQ(codes(1, 1, 1), "0/0") << "only the shown day";
}

TEST_F(CellEditingTest, TheClassHeaderNamesTheMissingHoursOfTheWeek)
{
    teach(1, 1, 2);
    teach(1, 2, 3);
    teach(1, 3, 1);
    teach(2, 1, 1);
    place(3, 2, 1, 1, 1);
    place(1, 1, 1, 0, 3);
    place(2, 1, 1, 0, 3);
    place(5, 9, 2, 0, 1);
    Form15* f = open();
    click(cell(1, 1, 0));
    click(f->Label3[0]);
    EXPECT_EQ(f->Label1->text(), "fehlende Stunden in der Klasse K1: De  3xMa ");
    EXPECT_FALSE(f->Command1->isEnabled()) << "frei would empty a cell of another column";
    EXPECT_EQ(f->List1->count(), 0);
    click(f->Label3[1]);
    EXPECT_EQ(f->Label1->text(), "fehlende Stunden in der Klasse K2: KEINE");
    EXPECT_EQ(gClass, 2);
}

// The optimisation owns the grid until it loads its best plan at the end.
TEST_F(CellEditingTest, DuringAnOptimisationNothingHereChangesTheGrid)
{
    teach(1, 1, 4, 1);
    gTeacherUnavailable(2, 1, 1) = 9;
    teach(1, 2, 4, 2);
    Form15* f = open();
    click(cell(1, 1, 0));
    gOptimizerRunning = 1;
    f->List1->setListIndex(0);
    click(f->Command1);
    press(f->List1, Qt::Key_0);
    click(cell(1, 2, 0));
    EXPECT_EQ(runtime::beepCount(), 3);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 0);
    EXPECT_TRUE(grey(cell(1, 2, 0))) << "grid clicks are ignored";

    f->Option3->setChecked(true);
    f->Option3_Click();
    click(f->Label3[0]);
    EXPECT_EQ(codes(1, 9, 1), "0/0");

    gOptimizerRunning = 0;
    f->Option2_Click();
    click(cell(1, 1, 0));
    f->List2->setListIndex(0);
    gOptimizerRunning = 1;
    click(forms::ifOpen<Form40>()->Command2);
    gFixations(1, 1, 1, 0) = 1;
    Form42* release = forms::show<Form42>();
    release->List1->setListIndex(0);
    click(release->Command1);
    Form34* swap = forms::show<Form34>();
    swap->List1->setListIndex(0);
    swap->List2->setListIndex(1);
    click(swap->Command2);
    EXPECT_EQ(runtime::beepCount(), 7);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 0);
    EXPECT_EQ(gFixations(1, 1, 1, 0), 1);
    EXPECT_TRUE(forms::isOpen<Form40>() && forms::isOpen<Form42>() && forms::isOpen<Form34>());
}

// A colour kept from before a redraw would paint a cell fixed meanwhile back grey.
TEST_F(CellEditingTest, TheNextClickNeverPaintsACellBackInItsColourFromBeforeARedraw)
{
    Form15* f = open();
    click(cell(1, 1, 0));
    click(f->Option4);
    click(cell(1, 1, 0));
    click(f->Option2);
    click(cell(1, 2, 0));
    EXPECT_TRUE(red(cell(1, 1, 0)));
    EXPECT_EQ(controls::backColor(cell(1, 2, 0)), 0x00FFFFu);
}
}
