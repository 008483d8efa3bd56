#include "planner/masterdata/data_folder_window.h"
#include "planner/masterdata/display_settings.h"
#include "planner/masterdata/plan_deletion_window.h"
#include "planner/masterdata/tools_window.h"
#include "planner/masterdata/web_colours.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

class ToolsWindowTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        gVisibleColumns = 12;
        gPlanCount = 15;
        gKeyword = QStringLiteral("geheim");
    }
    Form29* open() { return f = forms::show<Form29>(); }
    Form29* f = nullptr;
};

TEST_F(ToolsWindowTest, ActivationShowsTheSettingsAndTheKeywordIsWrittenOnlyByItsButton)
{
    gTeacherSortMode = 5;
    gEditorFontIndex = 1;
    open();
    EXPECT_EQ(f->Label1->text(), gDataPath);
    EXPECT_EQ(f->Label2->text(), "12");
    EXPECT_EQ(f->Label3->text(), "15 Pläne in der Liste");
    EXPECT_EQ(f->Label4->text(), gFontNames(1));
    EXPECT_EQ(f->Label7->text(), "nach Index");
    EXPECT_EQ(f->Label8->text(), "909090 / 000000") << "no colour file";
    EXPECT_EQ(f->Text1->text(), "geheim");
    EXPECT_EQ(controls::backColor(f->Text1), BackColour(6));
    EXPECT_FALSE(f->Command1->isEnabled()) << "it has no action";

    writeLines("ifarben.dat", {"FF00"});
    activateAgain<Form29>();
    EXPECT_EQ(f->Label8->text(), "FF00 / 000000") << "a missing line keeps its default";
    f->Text1->setText(QString());
    EXPECT_EQ(gKeyword, "");
    EXPECT_TRUE(readBytes("code.dat").isEmpty());
    f->Command3->click();
    EXPECT_EQ(readBytes("code.dat"), QByteArray("\r\n"));
    EXPECT_EQ(controls::backColor(f->Text1), BackColour(4));
}

TEST_F(ToolsWindowTest, TheCleanUpSaysItIsDone)
{
    gPeriodsPerDay = 9;
    gClassNames(1) = QStringLiteral("5a");
    gTimetable(1, 11, 1, 0) = 3;
    open()->Command10->click();
    EXPECT_EQ(f->Label5->text(), "erledigt !");
    EXPECT_EQ(gTimetable(1, 11, 1, 0), 0);
}

TEST_F(ToolsWindowTest, TheDialogsCloseTheToolsExceptPlanDeletion)
{
    open()->Command8->click();
    EXPECT_TRUE(forms::isOpen<Form33>() && forms::isOpen<Form29>());
    f->Command2->click();
    EXPECT_TRUE(forms::isOpen<Form24>() && !forms::isOpen<Form29>());
    open()->Command9->click();
    EXPECT_TRUE(forms::isOpen<Form32>() && !forms::isOpen<Form29>());
    open()->Command11->click();
    EXPECT_TRUE(forms::isOpen<Form65>());
    open()->Command6->click();
    EXPECT_FALSE(forms::isOpen<Form29>());
}

TEST_F(ToolsWindowTest, TheRebuildCountsEveryPlanFoundAndWritesThemHighestFirst)
{
    for (int plan = 1; plan <= 250; ++plan)
        writeLines(plan == 12 ? QStringLiteral("t&e12.XXX") : QStringLiteral("T&E%1.xxx").arg(plan), {"Plan"});
    writeLines("KSP300.xxx", {" 0 "});
    writeLines("T&E0.xxx", {"Plan"});
    open()->Command5->click();
    const QStringList lines = readLines("Pläne.lst");
    ASSERT_EQ(lines.size(), 250) << "beyond the table every plan is kept";
    EXPECT_EQ(lines.mid(0, 2), QStringList({" 250 ", " 249 "}));
    EXPECT_EQ(lines[250 - 12], " 12 ");
    EXPECT_EQ(lines.last(), " 1 ");
    EXPECT_EQ(f->Label3->text(), "250 Pläne in der Liste");
    EXPECT_EQ(gPlanCount, 250);
    EXPECT_TRUE(gPlanNumbers(1) == 1 && gPlanNumbers(200) == 200);
}

TEST_F(ToolsWindowTest, WhileTheRebuildRunsTheWindowIgnoresItsButtonsAndStaysOpen)
{
    open();
    int tried = 0;
    // Runs inside the rebuild, when it yields.
    QTimer::singleShot(0, f, [&] {
        ++tried;
        EXPECT_TRUE(f->isRebuilding());
        f->Command5->click();
        f->Command6->click();
        f->Command2->click();
        f->close();
        EXPECT_TRUE(f->isRebuilding()) << "no second run";
    });
    f->Command5->click();
    EXPECT_EQ(tried, 1);
    EXPECT_TRUE(forms::isOpen<Form29>());
    EXPECT_FALSE(forms::isOpen<Form24>());
    EXPECT_FALSE(f->isRebuilding());
    EXPECT_EQ(f->Label3->text(), "0 Pläne in der Liste");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ToolsWindowTest, AFailedWriteOfThePlanListIsShown)
{
    blockFile("Pläne.lst");
    open()->Command5->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("Pläne.lst"));
    unblockFile("Pläne.lst");
}
