#include "platform/clock.h"
#include "register/class_day_view.h"
#include "register/week_overview.h"
#include "tests/register/register_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

class WeekOverviewTest : public WeekSchoolTest {
protected:
    const QDate monday{2026, 3, 9};

    Form17* overview(const QString& date = QStringLiteral("11.03.2026"), const QString& cls = QStringLiteral("4A"))
    {
        typeIntoEntryWindow(date, cls);
        FillWeekOverview();
        return forms::ifOpen<Form17>();
    }
};

TEST_F(WeekOverviewTest, ShowsTheMondayAndFridayOfTheWorkingDatesWeek)
{
    // A Saturday shows the week that ends, a Sunday the week that follows.
    const char* cases[][3] = {{"11.03.2026", "09.03.2026", "13.03.2026"},
                              {"14.03.2026", "09.03.2026", "13.03.2026"},
                              {"15.03.2026", "16.03.2026", "20.03.2026"}};
    for (const auto& c : cases) {
        Form17* f = overview(c[0]);
        EXPECT_EQ(f->Label1->text() + " " + f->Label2->text(), QString(c[1]) + " " + c[2]) << c[0];
    }
    EXPECT_FALSE(forms::ifOpen<Form17>()->isVisible());
}

TEST_F(WeekOverviewTest, ComparesTheTimetableWithTheLessonContentOfTheWeek)
{
    lesson(1, 1, M);
    lesson(1, 2, E, 1); // group row 1 alone
    lesson(2, 1, D);
    lesson(2, 1, M, 1);
    lesson(3, 1, 4); // a subject without abbreviation
    // Content counts for its class in any letter case; other classes and
    // subjects outside the timetable count for no subject.
    writeDay(monday, {contentLine("M"), contentLine("M", "XY", "4a")});
    writeDay(monday.addDays(5), {contentLine("Ph"), contentLine("E", "ABC", "4B")});

    Form17* f = overview("11.03.2026", " 4a ");
    EXPECT_EQ(f->windowTitle(), "Wochenübersicht 4a");
    EXPECT_EQ(f->List1->items(), QStringList({"2 x M"}));
    EXPECT_EQ(f->List2->items(), QStringList({"E", "D"}));
    EXPECT_TRUE(red(f->List2));
    EXPECT_EQ(gClassEntryCount, 3);
}

TEST_F(WeekOverviewTest, AFreeDaysLessonsAreNotExpectedButItsContentCounts)
{
    lesson(1, 1, M);
    lesson(3, 1, E);
    writeDay(monday.addDays(2), {entryLine({.kind = "08", .cls = "4B", .text = "Ferialtag"}), contentLine("M")});
    Form17* f = overview();
    EXPECT_EQ(f->List1->items(), QStringList({"1 x M"}));
    EXPECT_EQ(f->List2->items(), QStringList({"nichts fehlt!"}));
    EXPECT_TRUE(green(f->List2));

    // A class appointment frees the day only for its own class.
    writeDay(monday.addDays(2), {entryLine({.kind = "07", .cls = "4B", .text = "Schikurs"})});
    FillWeekOverview();
    EXPECT_EQ(f->List2->items(), QStringList({"M", "E"}));
}

TEST_F(WeekOverviewTest, ListsTheWeeksInformationAndAppointments)
{
    writeDay(monday, {entryLine({.kind = "05", .cls = "4a", .text = "  Elternbrief "}),
                      entryLine({.kind = "05", .cls = "4B", .text = "Info 4B"}),
                      entryLine({.kind = "06", .cls = "4B", .text = "an alle", .shortName = "XY"})});
    writeDay(monday.addDays(5), {entryLine({.kind = "07", .cls = "4a", .text = "Test"}),
                                 entryLine({.kind = "07", .cls = "4B", .text = "Ausflug 4B"}),
                                 entryLine({.kind = "08", .cls = "4B", .text = "Schulfest"}),
                                 entryLine({.kind = "08", .text = "entfernt"}), removalLine(4)});
    writeDay(monday.addDays(6), {entryLine({.kind = "08", .text = "Sonntag"})});
    Form17* f = overview();
    EXPECT_EQ(f->List3->items(), QStringList({"Mo ABC      Elternbrief", "Mo XY       an alle"}));
    EXPECT_EQ(f->List4->items(), QStringList({"Sa ABC      Test", "Sa ABC      Schulfest"}));
    // The short names line up only in a fixed-pitch font, installed or not.
    for (const ListBox* list : {f->List3, f->List4})
        EXPECT_EQ(list->fontMetrics().horizontalAdvance("iiii"), list->fontMetrics().horizontalAdvance("WWWW"));
}

TEST_F(WeekOverviewTest, AnUnknownClassOrInvalidDateLeavesTheResultsAsTheyWere)
{
    lesson(1, 1, M);
    writeDay(monday, {entryLine({.kind = "08", .text = "Elternabend"})});
    Form17* f = overview();
    overview("18.03.2026", "9Z");
    EXPECT_EQ(f->Label1->text(), "16.03.2026");
    EXPECT_EQ(f->List4->ListCount(), 0);
    EXPECT_EQ(f->List2->items(), QStringList({"M"}));
    EXPECT_EQ(f->windowTitle(), "Wochenübersicht 4A");

    overview();
    overview("31.02.2026");
    EXPECT_EQ(f->Label1->text(), "09.03.2026");
    EXPECT_EQ(f->List4->ListCount(), 1);
}

TEST_F(WeekOverviewTest, TheMainWindowOpensRefreshesAndClosesIt)
{
    gTeacherShort(1) = "ABC";
    lesson(1, 1, M);
    writeDay(monday.addDays(7), {contentLine("M")});
    enter(entry->Text1, "ABC");
    entry->Text2->setText("11.03.2026");
    enter(entry->Text3, "4A");
    entry->Command10->click();
    Form17* f = forms::ifOpen<Form17>();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_FALSE(forms::isOpen<Form6>());
    EXPECT_EQ(f->List2->items(), QStringList({"M"}));

    entry->Command13->click(); // "+W"
    EXPECT_EQ(f->List1->items(), QStringList({"1 x M"}));
    entry->Command12->click(); // "+T" leaves the week views alone
    EXPECT_EQ(f->Label1->text(), "16.03.2026");
    entry->Command2->click(); // "heute"
    EXPECT_EQ(f->Label1->text(), "09.03.2026");
    f->Command10->click();
    EXPECT_FALSE(forms::isOpen<Form17>());

    // Another kind, a confirmed class, the week details and the logout close it.
    const std::function<void()> closers[] = {[this] { entry->Option1[2]->click(); },
                                             [this] { entry->Command15->click(); },
                                             [this] { enter(entry->Text3, "4A"); },
                                             [this] {
                                                 Clock::advance(601);
                                                 entry->Timer1_Timer();
                                             }};
    for (const auto& close : closers) {
        entry->Command10->click();
        ASSERT_TRUE(forms::isOpen<Form17>());
        close();
        EXPECT_FALSE(forms::isOpen<Form17>());
    }
}
