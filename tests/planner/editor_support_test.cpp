#include "planner/editor/editor_support.h"
#include "tests/planner/editor_fixture.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QPushButton>
#include <QRadioButton>

using EditorSupportTest = EditorTest;

// Eleven periods of sixteen columns use every grid label.
TEST_F(EditorSupportTest, LayoutWidensTheWindowAndTheGridByColumnAndPeriod)
{
    const struct {
        short columns, periods;
        int windowTwips, infoWidth, doneLeft, lastRightHalfLeft;
    } cases[] = {{9, 9, 9960, 541, 585, 620}, {16, 9, 17520, 1045, 1089, 1124}, {16, 11, 17520, 1045, 1089, 1124}};
    nameClasses(24);
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columns << " " << c.periods);
        gVisibleColumns = c.columns;
        gPeriodsPerDay = c.periods;
        Form15* f = open();
        // A window wider than the screen is made as wide as the screen, frame included.
        const int frame = f->frameGeometry().width() - f->width();
        EXPECT_EQ(widthTwips(f), std::min(c.windowTwips, static_cast<int>(units::pixelsToTwips(screenWidth - frame))));
        EXPECT_EQ(f->Label1->width(), c.infoWidth);
        EXPECT_EQ(f->Command2->x(), c.doneLeft);
        EXPECT_EQ(cell(c.columns, c.periods, 1)->geometry(), QRect(c.lastRightHalfLeft, 18 * c.periods + 60, 36, 18));
        EXPECT_EQ(cell(1, 1, 0)->pos(), QPoint(8, 78));
        EXPECT_EQ(headers().size(), c.columns);
        const int last = c.columns * c.periods * 2 - 1;
        EXPECT_TRUE(gGridCellMap(last, 0) == c.periods && gGridCellMap(last, 1) == c.columns && gGridCellMap(last, 2) == 1);
        EXPECT_EQ(std::count_if(f->G.begin(), f->G.end(), [](QLabel* l) { return !l->isHidden(); }), last + 1);
        f->unload();
    }
}

TEST_F(EditorSupportTest, GridLabelsTakeTheEditorFontOfTheSettings)
{
    for (const auto& [index, family] : {std::pair{0, "Arial"}, std::pair{3, "Times New Roman"}}) {
        gEditorFontIndex = index;
        Form15* f = open();
        const QFont font = cell(9, 9, 1)->font();
        EXPECT_EQ(font.family(), family);
        EXPECT_EQ(font.pointSizeF(), 8);
        EXPECT_TRUE(font.bold());
        f->unload();
    }
}

TEST_F(EditorSupportTest, FindsTheSubjectOfAListLine)
{
    gSubjectNames(7, 1) = "M";
    gSubjectNames(40, 1) = "Ma";
    const struct {
        const char* line;
        const char* name;
        int subject;
    } cases[] = {
        {"M   AB!", "M", 7},         // one letter, three blanks, a teacher busy before
        {"De!!", "De", 1},           // both marks go
        {"  Ma   AB CD!!", "Ma", 40}, // the later of two subjects named Ma
        {"Sp    XY", "Sp", 5},
        {"Xy   AB", "Xy", 99},       // no subject of that name: unchanged
        {"!", "!", 99},              // too short to lose its mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        gSubject = 99;
        gText = c.line;
        FindSubjectByShortName();
        EXPECT_EQ(gText, c.name);
        EXPECT_EQ(gSubject, c.subject);
    }
}

TEST_F(EditorSupportTest, KeyZeroFreesTheSelectedHalfCellOnlyWhileFreiIsEnabled)
{
    place(1, 2, 1, 0, 1);
    Form15* f = open();
    ASSERT_EQ(cell(1, 2, 0)->text(), "De");

    press(f->List3, Qt::Key_0);
    EXPECT_EQ(gTimetable(1, 2, 1, 0), 1) << "frei is disabled after opening";

    QTest::mouseClick(cell(1, 2, 0), Qt::LeftButton);
    at(3, 5, 2, 1, 1); // another window's scratch
    press(f->List3, Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(gTimetable(1, 2, 1, 0), 0);
    EXPECT_EQ(cell(1, 2, 0)->text(), "");
}

// A digit is the editor's alone: it never also moves the list it is typed in.
TEST_F(EditorSupportTest, DigitKeysPickAnEntryOfThePlacementListWhenItHasOne)
{
    Form15* f = open();
    QTest::mouseClick(cell(1, 1, 0), Qt::LeftButton);
    // Placing redraws and so empties the list: the rows picked are taken as they are picked.
    QList<int> picked;
    QObject::connect(f->List1, &QListWidget::currentRowChanged, [&](int row) {
        if (row >= 0)
            picked << row;
    });
    const auto fill = [f](const QStringList& entries) {
        f->List1->Clear();
        f->List1->addItems(entries);
    };
    fill({"De   AB", "Ma   CD", "9x   EF"});
    for (Qt::Key key : {Qt::Key_5, Qt::Key_9})
        press(f->List1, key);
    EXPECT_TRUE(picked.isEmpty());
    fill({"De   AB", "Ma   CD", "9x   EF", "Bio   GH", "Sp   IJ"});
    press(f->List3, Qt::Key_5);
    EXPECT_EQ(picked.value(0), 4);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 5);
    fill({"De   AB", "Ma   CD"});
    press(f->List3, Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(picked.value(1), 1);
    fill({"De   AB", "Ma   CD", "9x   EF"});
    picked.clear();
    press(f->List1, Qt::Key_Down);
    EXPECT_EQ(picked, QList<int>({0})) << "other keys still reach the list";
}

TEST_F(EditorSupportTest, CountsPlacedLessonsOfTheSubjectsChosenForOptimisation)
{
    gLastClass = 2;
    gOptimizeSubjects(1) = 1;
    gOptimizeSubjects(3) = 1;
    gCurriculumHours(1, 1) = 4;
    gCurriculumHours(2, 3) = 2;
    gCurriculumHours(2, 2) = 5; // not chosen
    gCurriculumHours(3, 1) = 6; // class not in use
    gTimetable(1, 1, 1, 0) = 1;
    gTimetable(2, 3, 1, 1) = 1;
    gTimetable(5, 9, 2, 0) = 3;
    gTimetable(1, 2, 2, 0) = 2;
    gTimetable(1, 1, 3, 0) = 1;   // class not in use
    gTimetable(1, 10, 1, 0) = 1;  // beyond the day's periods
    gTimetable(1, 4, 1, 0) = 300; // a number of no subject

    CountPlacedLessons();
    EXPECT_EQ(gPlacedCount, 3);
    EXPECT_EQ(gPlacedCount2, 6);

    // The count of required lessons is a 16-bit number in the plan's variables.
    gLastClass = 24;
    for (int c = 1; c <= 24; ++c)
        gCurriculumHours(c, 1) = 30000;
    CountPlacedLessons();
    EXPECT_EQ(gPlacedCount2, 32767);
}
