#include "register/entry_removal.h"
#include "register/week_details.h"
#include "tests/register/register_fixture.h"

#include <QFontMetrics>
#include <QLabel>

using ClassDayViewTest = RegisterTest;

TEST_F(ClassDayViewTest, ListsEachKindOfTheClassIgnoringCaseAndSchoolWideKindsOfEveryClass)
{
    writeLines("20260311.qz", {
        entryLine({.kind = "03", .text = "Brüche", .period = "2"}),
        entryLine({.kind = "01", .cls = "3a", .text = "krank", .student = "Eva Maier"}),
        entryLine({.kind = "02", .period = "3", .student = "Eva Maier"}),
        entryLine({.kind = "04", .text = "stört", .shortName = "XY", .student = "Max Muster"}),
        entryLine({.kind = "05", .text = "Elternbrief"}),
        entryLine({.kind = "07", .text = "Test"}),
        entryLine({.kind = "09", .text = "Beamer", .room = "3"}),
        entryLine({.kind = "03", .cls = "3a1", .text = "andere Klasse"}),
        entryLine({.kind = "03", .text = "entfernt"}),
        removalLine(9),
        entryLine({.kind = "05", .cls = "4B", .text = "Info 4B"}),
        entryLine({.kind = "06", .cls = "4B", .text = "an alle"}),
        entryLine({.kind = "07", .cls = "4B", .text = "Termin 4B"}),
        entryLine({.kind = "08", .cls = "4B", .text = "Schulfest"}),
    });
    Form6* f = openDayView("11.03.2026", " 3a ");

    EXPECT_EQ(f->windowTitle(), "Infos zur Klasse");
    EXPECT_EQ(gEntryClass, "3a");
    EXPECT_EQ(f->Label1->text(), "3a");
    EXPECT_EQ(f->Label2->text(), "Mittwoch 11.03.2026");
    EXPECT_EQ(entry->Label8->text(), "Mittwoch");
    EXPECT_TRUE(f->Label8->isHidden());
    EXPECT_EQ(f->List1->items(), QStringList({"2  ABC      M        Brüche"}));
    EXPECT_EQ(f->List2->items(), QStringList({"1  Eva Maier fehlt. krank", "3  Eva Maier ist wieder da. "}));
    EXPECT_EQ(f->List4->items(), QStringList({"XY: Max Muster stört"}));
    EXPECT_EQ(f->List3->items(), QStringList({"ABC      Elternbrief", "ABC      an alle"}));
    EXPECT_EQ(f->List5->items(), QStringList({"ABC      Test", "ABC      Schulfest"}));
}

TEST_F(ClassDayViewTest, SortedListsOrderByTheirTextOthersKeepFileOrder)
{
    QStringList lines;
    for (const QString period : {"2", "11", "1", "10"})
        lines << entryLine({.kind = "03", .period = period});
    lines << entryLine({.kind = "05", .text = "zweite"}) << entryLine({.kind = "05", .text = "erste"});
    writeLines("20260311.qz", lines);
    Form6* f = openDayView("11.03.2026", "3A");
    QStringList periods;
    for (const QString& item : f->List1->items())
        periods << item.left(2);
    EXPECT_EQ(periods, QStringList({"1 ", "10", "11", "2 "}));
    EXPECT_EQ(f->List3->items(), QStringList({"ABC      zweite", "ABC      erste"}));
}

TEST_F(ClassDayViewTest, AppointmentsNamingAFreeDay)
{
    const struct {
        const char* kind;
        const char* cls;
        const char* text;
        bool free;
    } cases[] = {
        {"08", "4B", "Wandertag der Schule", true}, {"07", "3A", "Schikurs", true},
        {"07", "4B", "Schikurs", false},           {"08", "", "ostern", true},
        {"07", "3a", "unterrichtsfrei", true},     {"08", "", "Elternabend am Freitag", false},
        {"08", "", "FREITAGS frei", true},         {"05", "3A", "Wandertag", false},
    };
    for (const auto& c : cases) {
        writeLines("20260311.qz", {entryLine({.kind = "03"}), entryLine({.kind = c.kind, .cls = c.cls, .text = c.text})});
        Form6* f = openDayView("11.03.2026", "3A");
        SCOPED_TRACE(c.text);
        EXPECT_EQ(f->Label8->isVisibleTo(f), c.free);
        EXPECT_EQ(gLessonDay == 1, !c.free);
        EXPECT_EQ(f->List1->ListCount(), 1);
    }
    // Only kinds below "05" make a lesson day, removal lines among them.
    writeLines("20260311.qz", {entryLine({.kind = "05", .text = "Info"})});
    FillClassDayInfo();
    EXPECT_EQ(gLessonDay, 0);
    writeLines("20260311.qz", {entryLine({.kind = "05", .text = "Info"}), removalLine(3)});
    FillClassDayInfo();
    EXPECT_EQ(gLessonDay, 1);
}

TEST_F(ClassDayViewTest, AnInvalidDateLeavesTheViewAsItWas)
{
    writeLines("20260311.qz", {entryLine({.kind = "03", .text = "alt"})});
    writeLines("20260312.qz", {entryLine({.kind = "03", .text = "neu"})});
    Form6* f = openDayView("11.03.2026", "3A");
    typeIntoEntryWindow("31.02.2026", "4B");
    FillClassDayInfo();
    EXPECT_EQ(f->List1->items(), QStringList({"1  ABC      M        alt"}));
    EXPECT_EQ(f->Label2->text(), "Mittwoch 11.03.2026");
    EXPECT_EQ(gEntryClass, "3A");
    EXPECT_EQ(gDayFilePath, path("20260311.qz"));
}

TEST_F(ClassDayViewTest, AnEntryFromAnotherPcShowsAfterTheNextTick)
{
    writeLines("20260311.qz", {entryLine({.kind = "03", .text = "erste"})});
    Form6* f = openDayView("11.03.2026", "3A");
    EXPECT_TRUE(f->Timer1->isActive());
    appendToDay(today, entryLine({.kind = "07", .text = "Ausflug"}));
    appendToDay(today, removalLine(1));
    EXPECT_EQ(f->List5->ListCount(), 0);
    f->Timer1_Timer();
    EXPECT_EQ(f->List5->items(), QStringList({"ABC      Ausflug"}));
    EXPECT_EQ(f->List1->ListCount(), 0);
}

TEST_F(ClassDayViewTest, ADayWithoutFileShowsNothingOfAnEarlierLongerDay)
{
    writeLines("20260310.qz", {entryLine({.kind = "03"}), entryLine({.kind = "03"})});
    Form6* f = openDayView("10.03.2026", "3A");
    ASSERT_EQ(f->List1->ListCount(), 2);
    typeIntoEntryWindow("11.03.2026", "3A");
    FillClassDayInfo();
    EXPECT_EQ(f->List1->ListCount(), 0);
}

TEST_F(ClassDayViewTest, FillingWithoutTheViewOpenKeepsItsSideEffects)
{
    typeIntoEntryWindow("12.03.2026", " 4b ");
    FillClassDayInfo();
    EXPECT_FALSE(forms::isOpen<Form6>());
    EXPECT_EQ(gEntryClass, "4b");
    EXPECT_EQ(gDayFilePath, path("20260312.qz"));
    EXPECT_EQ(entry->Label8->text(), "Donnerstag");
}

// The items are built in fixed-width columns; a proportional stand-in for a
// missing fixed-pitch font would scatter them.
TEST_F(ClassDayViewTest, TheRegisterListsLineUpTheirColumns)
{
    typeIntoEntryWindow("11.03.2026", "3A");
    const QList<QWidget*> lists = {forms::show<Form6>()->List1, forms::show<Form13>()->List1,
                                   forms::show<Form68>()->List2};
    for (QWidget* list : lists) {
        const QFontMetrics m(list->font());
        EXPECT_EQ(m.horizontalAdvance("iiiiiiii"), m.horizontalAdvance("WWWWWWWW")) << list->objectName().toStdString();
    }
}
