#include "planner/masterdata/period_times_window.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QLabel>
#include <QPushButton>

class PeriodTimesWindowTest : public MasterDataTest {
protected:
    Form27* open() { return f = forms::show<Form27>(); }
    Form27* f = nullptr;
};

TEST_F(PeriodTimesWindowTest, ABreakIsTakenAsANumberWithinZeroToTen)
{
    const struct {
        const char* typed;
        short stored;
        const char* shown;
    } cases[] = {{"12", 10, "12"},   {"-2", 0, "-2"},   {"abc", 0, ""},   {"0", 0, ""},
                 {"4,5", 4, "4,5"}, {"2.5", 2, "2.5"}, {"3.5", 4, "3.5"}, {" 7", 7, " 7"}};
    open();
    for (const auto& c : cases) {
        f->Text4->setText(QString::fromUtf8(c.typed));
        f->Text4_LostFocus();
        EXPECT_EQ(gBreakAfter(2), c.stored) << c.typed;
        EXPECT_EQ(f->Text4->text(), QString::fromUtf8(c.shown)) << c.typed;
    }
}

TEST_F(PeriodTimesWindowTest, EditsApplyToThePeriodPicked)
{
    gPeriodTimes(3) = QStringLiteral("09:40 - 10:25");
    gBreakAfter(1) = 4;
    open();
    EXPECT_EQ(f->List1->ListCount(), 11);
    EXPECT_TRUE(f->Text3->text() == "4" && f->Text4->text() == "");
    f->Text1->setText(QStringLiteral("nichts"));
    EXPECT_EQ(gPeriodLabels(1), Variant()) << "no period picked";

    f->List1->setListIndex(2);
    EXPECT_EQ(f->Label1->text(), "3");
    EXPECT_EQ(f->Text2->text(), "09:40 - 10:25");
    f->Text2->setText(QStringLiteral("09:45 - 10:30"));
    f->Text2_LostFocus();
    EXPECT_EQ(f->List1->List(2), "09:45 - 10:30");
    f->Text1->setText(QStringLiteral("3.Eh."));
    EXPECT_EQ(gPeriodLabels(3), "3.Eh.") << "the period stays picked after the list is refilled";
}

TEST_F(PeriodTimesWindowTest, ClosingWritesTwentySixLinesTrimmed)
{
    gBreakAfter(2) = 6;
    open();
    f->List1->setListIndex(0);
    f->Text1->setText(QStringLiteral("  1.Eh.  "));
    f->Text2->setText(QStringLiteral(" 07:45 - 08:30 "));
    f->Command1->click();
    ASSERT_FALSE(forms::isOpen<Form27>());

    const QStringList lines = readLines("Time.txt");
    ASSERT_EQ(lines.size(), 26);
    EXPECT_EQ(lines.mid(0, 3), QStringList({"1.Eh.", "07:45 - 08:30", ""})) << "never set: an empty line";
    EXPECT_EQ(lines[22], "") << "no lunch period chosen";
    EXPECT_EQ(lines.mid(23), QStringList({" 0 ", " 6 ", " 0 "}));
    EXPECT_EQ(gPeriodLabels(1), "1.Eh.");
}

TEST_F(PeriodTimesWindowTest, AFailedWriteKeepsTheWindowOpenWithItsEditsAndTheCloseBoxTakesABreakTypedLast)
{
    open();
    f->Text5->setText(QStringLiteral("8"));
    f->Text5_LostFocus();
    blockFile("Time.txt");
    answer({false});
    f->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form27>());
    EXPECT_EQ(gBreakAfter(3), 8);
    unblockFile("Time.txt");
    f->Text3->setText(QStringLiteral("3"));
    f->close();
    EXPECT_FALSE(forms::isOpen<Form27>());
    EXPECT_EQ(readLines("Time.txt").value(23), " 3 ");
    EXPECT_EQ(readLines("Time.txt").value(25), " 8 ");
}
