#include "register/class_day_view.h"
#include "register/class_timetable_view.h"
#include "register/week_details.h"
#include "tests/register/register_fixture.h"

#include <QLabel>
#include <QPushButton>

class WeekDetailsTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        gClassNames(2) = QStringLiteral("3A");
        gClassNames(5) = QStringLiteral("4B");
        for (const QString day : {"08", "09", "14", "15", "16"})
            writeLines("202603" + day + ".qz", {entryLine({.kind = "07", .text = day})});
    }
};

TEST_F(WeekDetailsTest, ShowsMondayToSaturdayUnderAMondayToFridayHeading)
{
    Form68* f = showFor<Form68>("11.03.2026", " 3a ");
    EXPECT_EQ(f->windowTitle(), "Wochendetails 3a");
    EXPECT_EQ(f->Label1->text(), "09.03.2026");
    EXPECT_EQ(f->Label2->text(), "13.03.2026");
    EXPECT_EQ(f->Label10->text(), forms::get<Form1>()->Label12->text() + ". Schulwoche");
    EXPECT_EQ(f->List5->items(), QStringList({"Mo ABC      09", "Sa ABC      14"}));
    EXPECT_EQ(gWorkWeekday, 3) << "Monday = 1, as every other window reads it";
    EXPECT_EQ(gClass, 2);
    f->unload();

    f = showFor<Form68>("15.03.2026", "3A");
    EXPECT_EQ(f->Label1->text(), "16.03.2026");
    EXPECT_EQ(f->List5->items(), QStringList({"Mo ABC      16"}));
    EXPECT_EQ(gWorkWeekday, 7);
}

TEST_F(WeekDetailsTest, EachKindInItsListWithTheDayAbbreviation)
{
    writeLines("20260310.qz", {
        entryLine({.kind = "03", .text = "Brüche", .subject = "M"}),
        entryLine({.kind = "03", .cls = "3a", .text = "Aufsatz", .subject = "D"}),
        entryLine({.kind = "03", .cls = "4B", .text = "andere Klasse"}),
        entryLine({.kind = "01", .text = "krank", .period = "2", .student = "Eva Maier"}),
        entryLine({.kind = "04", .cls = "3a", .text = "stört", .shortName = "XY", .student = "Max Muster"}),
        entryLine({.kind = "05", .text = "Elternbrief"}),
        entryLine({.kind = "05", .cls = "4B", .text = "Info 4B"}),
        entryLine({.kind = "06", .cls = "4B", .text = "an alle"}),
        entryLine({.kind = "08", .cls = "4B", .text = "Schulfest"}),
        entryLine({.kind = "09", .text = "Beamer", .room = "3"}),
        entryLine({.kind = "07", .text = "entfernt"}),
        removalLine(11),
    });
    writeLines("20260312.qz", {
        entryLine({.kind = "03", .text = "Addition", .subject = "M"}),
        entryLine({.kind = "02", .cls = "3a", .period = "1", .student = "Eva Maier"}),
        entryLine({.kind = "07", .cls = "4B", .text = "Termin 4B"}),
    });
    Form68* f = showFor<Form68>("12.03.2026", "3A");
    EXPECT_EQ(f->List1->items(), QStringList({"D       Aufsatz", "M       Addition", "M       Brüche"}));
    EXPECT_EQ(f->List2->items(), QStringList({"Di 2  Eva Maier fehlt. krank", "Do 1  Eva Maier ist wieder da. "}));
    EXPECT_EQ(f->List4->items(), QStringList({"XY: Max Muster stört"}));
    EXPECT_EQ(f->List3->items(), QStringList({"Di ABC      Elternbrief", "Di ABC      an alle"}));
    EXPECT_EQ(f->List5->items(), QStringList({"Mo ABC      09", "Di ABC      Schulfest", "Sa ABC      14"}));
}

TEST_F(WeekDetailsTest, AnUnknownClassOrAnInvalidDateShowsNoEntries)
{
    for (const char* cls : {"9Z", "  "}) {
        Form68* f = showFor<Form68>("11.03.2026", QString::fromLatin1(cls));
        EXPECT_EQ(f->windowTitle(), "Wochendetails");
        EXPECT_EQ(f->Label1->text(), "09.03.2026");
        for (ListBox* l : {f->List1, f->List2, f->List3, f->List4, f->List5})
            EXPECT_EQ(l->ListCount(), 0);
        f->unload();
    }
    Form68* f = showFor<Form68>("11.03.2026", "3A");
    typeIntoEntryWindow("31.02.2026", "4B");
    FillWeekDetails();
    EXPECT_EQ(f->List5->ListCount(), 2) << "an invalid date leaves the details as they were";
    EXPECT_EQ(f->windowTitle(), "Wochendetails 3A");
    EXPECT_EQ(gWorkWeekday, 3);
}

TEST_F(WeekDetailsTest, DetailliertOpensItAndOnlyTheWeekButtonsRefillIt)
{
    startEntryWindow();
    gTeacherShort(1) = QStringLiteral("ABC");
    enter(entry->Text1, "ABC");
    enter(entry->Text3, "3a");
    ASSERT_TRUE(forms::isOpen<Form16>());
    entry->Command15->click();
    EXPECT_FALSE(forms::isOpen<Form6>());
    EXPECT_FALSE(forms::isOpen<Form16>());
    Form68* f = forms::ifOpen<Form68>();
    ASSERT_NE(f, nullptr);

    entry->Command13->click();
    EXPECT_EQ(f->Label1->text(), "16.03.2026");
    for (int i = 0; i < 7; ++i)
        entry->Command5->click();
    EXPECT_EQ(f->Label1->text(), "16.03.2026") << "a day step leaves the week as it was";
    entry->Command11->click();
    EXPECT_EQ(f->Label1->text(), "02.03.2026");
    entry->Command2->click();
    EXPECT_EQ(f->Label1->text(), "09.03.2026");
}
