#include "planner/editor/ruler_window.h"
#include "platform/runtime.h"
#include "register/entry_removal.h"
#include "tests/planner/editor_fixture.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

using TimetableEditorTest = EditorTest;

TEST_F(TimetableEditorTest, OpensOnTheLastDayInSubjectEntryWithTheCommandList)
{
    gLastEditorDay = 2;
    gEditMode = 4;
    Form15* f = open();
    EXPECT_EQ(f->Label2->text(), "Dienstag");
    EXPECT_TRUE(f->Option1[1]->isChecked());
    EXPECT_TRUE(f->Option2->isChecked());
    EXPECT_EQ(gEditMode, 0);
    EXPECT_EQ(f->Frame2->title(), "Eingabe");
    EXPECT_EQ(f->Label1->text(), "");
    EXPECT_TRUE(grey(f->Label1));
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_EQ(f->List3->items(),
              QStringList({"Fehlerprüfung - T", "alle Stunden fixieren - W", "alle Fixierungen lösen - W",
                           "Fächer entfernen - T", "tausche 2 Einheiten - T", "lehrerbez. Fix. lösen - W",
                           "fixiere Leerfelder - W", "fehlende Stunden ? - W", "fixiere Fächer - W"}));
    EXPECT_EQ(headers(), QStringList({"K1", "K2", "K3", "K4", "K5", "K6", "K7", "K8", "K9"}));
}

TEST_F(TimetableEditorTest, RedrawShowsTheShownDayOfTheBandWithItsFixationColours)
{
    gLastEditorDay = 3;
    gColumnOffset = 1;
    const struct {
        int cls, period, half;
        short subject, fixation;
        const char* caption;
        std::uint32_t colour;
    } cells[] = {
        {2, 1, 0, 1, 0, "De", 0xE0E0E0},  {2, 1, 1, 2, 1, "Ma", 0xFFFFC0}, {5, 4, 0, 3, 4, "En", 0xC0C0FF},
        {10, 9, 1, 4, 5, "Bio", 0x80C0FF}, {3, 2, 0, 0, 1, "", 0xFFFFC0},
    };
    for (const auto& c : cells) {
        gTimetable(3, c.period, c.cls, c.half) = c.subject;
        gFixations(3, c.period, c.cls, c.half) = c.fixation;
    }
    gTimetable(2, 1, 2, 0) = 5; // another day
    Form15* f = open();

    EXPECT_EQ(headers(), QStringList({"K2", "K3", "K4", "K5", "K6", "K7", "K8", "K9", "K10"}));
    EXPECT_TRUE(gGridCellMap(0, 0) == 1 && gGridCellMap(0, 1) == 2 && gGridCellMap(0, 2) == 0);
    EXPECT_TRUE(gGridCellMap(19, 0) == 1 && gGridCellMap(19, 1) == 3 && gGridCellMap(19, 2) == 1);
    for (const auto& c : cells) {
        SCOPED_TRACE(c.caption);
        QLabel* label = cell(c.cls - gColumnOffset, c.period, c.half);
        EXPECT_EQ(label->text(), c.caption);
        EXPECT_EQ(controls::backColor(label), c.colour);
    }
    EXPECT_EQ(gLastEditorDay, 3);

    f->List1->addItems({"De   AB"});
    f->List2->addItems({"Ma"});
    RedrawTimetableGrid();
    EXPECT_EQ(f->List1->count() + f->List2->count(), 0);
}

// The plan loader keeps any number it reads; the grid shows what names
// nothing as empty and unfixed, reading no table past its end.
TEST_F(TimetableEditorTest, NumbersOfNoSubjectOrFixationShowEmptyAndUnfixed)
{
    const struct {
        short subject, fixation;
    } cells[] = {{100, 21}, {-3, -1}, {32000, 999}};
    for (int p = 1; p <= 3; ++p) {
        gTimetable(1, p, 1, 0) = cells[p - 1].subject;
        gFixations(1, p, 1, 0) = cells[p - 1].fixation;
    }
    open();
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(cell(1, p, 0)->text(), "");
        EXPECT_TRUE(grey(cell(1, p, 0)));
    }
}

TEST_F(TimetableEditorTest, RedrawLoadsTheEditorWithoutShowingIt)
{
    gDay = 1;
    RedrawTimetableGrid();
    ASSERT_TRUE(forms::isOpen<Form15>());
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(headers().size(), 9);
}

namespace {
// A click on a scroll button: the offset after it, its beeps, and whether it
// forgot the highlighted label's colour.
struct Scroll {
    const char* button;
    int offsetAfter;
    long beeps;
    bool forgets;
};

void scroll(const std::vector<Scroll>& steps)
{
    for (const Scroll& s : steps) {
        SCOPED_TRACE(s.button);
        const long before = runtime::beepCount();
        gSelectedCellColour = "255";
        QTest::mouseClick(forms::ifOpen<Form15>()->findChild<QPushButton*>(s.button), Qt::LeftButton);
        EXPECT_EQ(gColumnOffset, s.offsetAfter);
        EXPECT_EQ(runtime::beepCount() - before, s.beeps);
        EXPECT_EQ(gSelectedCellColour.isEmpty(), s.forgets);
    }
}
}

// "-" and "+" forget the highlight on every click, "<" and ">" only when they move.
TEST_F(TimetableEditorTest, ScrollButtonsStopAtTheEndsOfTheClassesWithABeep)
{
    const struct {
        int classes;
        std::vector<Scroll> steps;
        QStringList shown;
    } cases[] = {
        {10,
         {{"Command7", 0, 1, true}, {"Command3", 0, 0, false}, {"Command4", 1, 0, true}, {"Command8", 1, 1, true},
          {"Command4", 1, 0, false}, {"Command7", 0, 0, true}, {"Command8", 1, 0, true}, {"Command3", 0, 0, true}},
         {"K1", "K2", "K3", "K4", "K5", "K6", "K7", "K8", "K9"}},
        {7,
         {{"Command4", 0, 0, false}, {"Command8", 0, 1, true}, {"Command7", 0, 1, true}},
         {"K1", "K2", "K3", "K4", "K5", "K6", "K7", "", ""}},
        {24, {{"Command4", 15, 0, true}, {"Command8", 15, 1, true}}, {"K16", "K17", "K18", "K19", "K20", "K21", "K22", "K23", "K24"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.classes);
        nameClasses(c.classes);
        open();
        scroll(c.steps);
        EXPECT_EQ(headers(), c.shown);
        EXPECT_EQ(gGridCellMap(0, 1), c.shown.first().mid(1).toInt());
        editor()->unload();
    }
}

// A stored Saturday opens a five-day week on Monday.
TEST_F(TimetableEditorTest, FunctionKeysChooseTheWeekdayAndAFiveDayWeekHasNoSaturday)
{
    const struct {
        int days;
        Qt::Key key;
        int day;
        const char* shown;
    } cases[] = {{5, Qt::Key_F3, 3, "Mittwoch"}, {5, Qt::Key_F6, 1, "Montag"}, {6, Qt::Key_F6, 6, "Samstag"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        gDaysPerWeek = c.days;
        gLastEditorDay = 6;
        Form15* f = open();
        EXPECT_EQ(f->Option1[5]->isHidden(), c.days == 5);
        press(f->Option2, c.key);
        EXPECT_EQ(f->Label2->text(), c.shown);
        EXPECT_EQ(gDay, c.day);
        EXPECT_TRUE(f->Option1[c.day - 1]->isChecked());
        f->unload();
    }
}

TEST_F(TimetableEditorTest, WeekdayButtonsChooseTheDayAndDisableFrei)
{
    gTimetable(4, 1, 1, 0) = 2;
    Form15* f = open();
    f->Command1->setEnabled(true);
    gSelectedCellColour = "255";
    QTest::mouseClick(f->Option1[3], Qt::LeftButton);
    EXPECT_EQ(gDay, 4);
    EXPECT_EQ(f->Label2->text(), "Donnerstag");
    EXPECT_EQ(cell(1, 1, 0)->text(), "Ma");
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_EQ(gSelectedCellColour, "");
}

TEST_F(TimetableEditorTest, ReopeningKeepsTheDayAndTheBand)
{
    Form15* f = open();
    press(f->Command3, Qt::Key_F4);
    QTest::mouseClick(f->Command4, Qt::LeftButton);
    QTest::mouseClick(f->Command2, Qt::LeftButton);
    ASSERT_FALSE(forms::isOpen<Form15>());
    gDay = 2;

    f = open();
    EXPECT_EQ(f->Label2->text(), "Donnerstag");
    EXPECT_TRUE(f->Option1[3]->isChecked());
    EXPECT_EQ(gColumnOffset, 1);
    EXPECT_EQ(headers().first(), "K2");
}

TEST_F(TimetableEditorTest, ActivationReturnsToTheShownDayAndLocksCommandsDuringARun)
{
    Form15* f = open();
    press(f->Command3, Qt::Key_F2);
    forms::show<Form35>();
    gDay = 5;
    gOptimizerRunning = 1;
    f->Command1->setEnabled(true);
    f->activate();
    EXPECT_EQ(gDay, 2);
    EXPECT_FALSE(f->Command1->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{f->List3, f->Option3, f->Option4, f->Option5})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

    gOptimizerRunning = 0;
    forms::ifOpen<Form35>()->activate();
    f->activate();
    EXPECT_FALSE(f->List3->isEnabled()) << "until the editor is opened again";
    f->unload();
    EXPECT_TRUE(open()->List3->isEnabled());
}

// The display settings may raise the columns while the band's offset is kept,
// and the school data may change the periods while the editor is open.
TEST_F(TimetableEditorTest, TheBandStaysInTheClassTableAndTheGridFollowsTheSettings)
{
    nameClasses(24);
    gColumnOffset = 20;
    Form15* f = open();
    EXPECT_EQ(gColumnOffset, 15);

    gVisibleColumns = 16;
    gPeriodsPerDay = 11;
    RedrawTimetableGrid();
    EXPECT_EQ(gColumnOffset, 8);
    EXPECT_EQ(widthTwips(f), 17520);
    EXPECT_EQ(headers().last(), "K24");

    gVisibleColumns = 9;
    gPeriodsPerDay = 9;
    RedrawTimetableGrid();
    int shown = 0;
    for (int n = 0; n < editor::kGridLabels; ++n) {
        QLabel* label = f->G[n];
        if (label->isHidden())
            continue;
        ++shown;
        const int column = gGridCellMap(n, 1) - gColumnOffset;
        EXPECT_EQ(label->pos(), QPoint(72 * column + 36 * gGridCellMap(n, 2) - 64, 18 * gGridCellMap(n, 0) + 60))
            << "label " << n;
    }
    EXPECT_EQ(shown, 9 * 9 * 2);
    EXPECT_EQ(headers().size(), 9);
}

TEST_F(TimetableEditorTest, SaveRunsTheSaveCommandHandedOverAndNothingElse)
{
    place(1, 1, 1, 0, 1);
    gWindowLeft(15) = 1500;
    Form15* f = open();
    QTest::mouseClick(f->Command6, Qt::LeftButton);
    EXPECT_TRUE(QDir(m_dir.path()).entryList({"*.xxx"}).isEmpty()) << "without a command nothing is saved";
    QWidget* savedFrom = nullptr;
    SetEditorSaveCommand([&](QWidget* parent) { savedFrom = parent; });
    QTest::mouseClick(f->Command6, Qt::LeftButton);
    SetEditorSaveCommand(nullptr);
    EXPECT_EQ(savedFrom, f);
    EXPECT_FALSE(forms::isOpen<Form13>());
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 1);

    QTest::mouseClick(f->Command5, Qt::LeftButton);
    ASSERT_TRUE(forms::isOpen<Form35>());
    f->move(300, 40);
    QTest::mouseClick(f->Command2, Qt::LeftButton);
    EXPECT_FALSE(forms::isOpen<Form15>());
    EXPECT_FALSE(forms::isOpen<Form35>()) << "the ruler closes with the editor";
    EXPECT_EQ(gWindowLeft(15), 4500);
}
