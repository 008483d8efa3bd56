#include "core/settings_file.h"
#include "planner/masterdata/school_data_window.h"
#include "planner/masterdata/school_files.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace {
bool bold(const QPushButton* b) { return b->font().bold(); }
}

class SchoolDataWindowTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 10;
        gLunchPeriod = 6;
        gVisibleColumns = 9;
        for (int p = 1; p <= 11; ++p) {
            gPeriodLabels(p) = QStringLiteral("%1.Eh.").arg(p);
            gPeriodTimes(p) = QStringLiteral("%1:00 - %1:45").arg(p + 7);
        }
    }
    Form9* open() { return f = forms::show<Form9>(); }
    // The settings as this planner read them at its start, plan 1 named for
    // the start; the plan in memory is `plan`.
    void startWithSettings(const QString& plan)
    {
        writeLines("vorda.ver", ours);
        ReadSettingsFile();
        gPlanName = plan;
    }

    Form9* f = nullptr;
    const QStringList ours{" 5 ", " 10 ", " 9 ", " 0 ", " 0 ", " 1 ", "1",
                           "1.28a", "2026/27", " 0 ", " 0 ", " 0 ", " 0 "};
};

TEST_F(SchoolDataWindowTest, NumberButtonsShowTheirValueAndMarkTheChosenOneBold)
{
    open();
    EXPECT_EQ(f->Label5->text(), "10");
    EXPECT_TRUE(bold(f->Command5) && !bold(f->Command4) && !bold(f->Command6)) << "the value in force opens bold";
    EXPECT_TRUE(bold(f->command2) && bold(f->Command8));

    f->Command6->click();
    EXPECT_TRUE(f->Label5->text() == "11" && gPeriodsPerDay == 11);
    f->Command4->click();
    EXPECT_EQ(f->Label5->text(), " 9");
    EXPECT_TRUE(bold(f->Command4) && !bold(f->Command5) && !bold(f->Command6));
    f->Command3->click();
    f->Command9->click();
    EXPECT_TRUE(gDaysPerWeek == 6 && f->Label2->text() == "6");
    EXPECT_TRUE(gLunchPeriod == 7 && f->Label6->text() == "7");
    f->Option3->click();
    EXPECT_EQ(gOverlapPeriod, 6);
}

TEST_F(SchoolDataWindowTest, TheAutoloadTextShowsAtOpeningOrOnlyAfterATick)
{
    gAutoLoadPlan = 1;
    gPlanName = QStringLiteral("12");
    open();
    EXPECT_EQ(f->Label10->text(), "Plan 12 wird bei Programmstart automatisch geladen.");
    f->unload();

    gAutoLoadPlan = 0;
    open();
    EXPECT_EQ(f->Label10->text(), "");
    f->Check3->click();
    f->Check3->click();
    EXPECT_EQ(f->Label10->text(), "Bei Programmstart wird KEIN Plan geladen.");
    EXPECT_EQ(gAutoLoadPlan, 0);
}

TEST_F(SchoolDataWindowTest, AnAutoloadClickIsSavedByAFertigWaitingBehindIt)
{
    gAutoLoadPlan = 0;
    gPlanName = QStringLiteral("3");
    open();
    closeAtNextYield([this] { f->Command1->click(); });
    f->Check3->click();
    EXPECT_FALSE(forms::isOpen<Form9>());
    EXPECT_EQ(readLines("vorda.ver").value(5), " 1 ");
}

TEST_F(SchoolDataWindowTest, ATitleChangesOnlyAfterAPickAndTheListKeepsTenItems)
{
    gTitles(1) = QStringLiteral("StD");
    gTitles(3) = QStringLiteral("OStR");
    open();
    activateAgain<Form9>();
    ASSERT_EQ(f->List1->ListCount(), 10);
    EXPECT_TRUE(f->List1->List(0) == "StD" && f->List1->List(9) == "");
    EXPECT_FALSE(f->Text1->isEnabled());
    f->Text1->setText(QStringLiteral("Dr."));
    EXPECT_EQ(gTitles(1), "StD");

    f->List1->setListIndex(2);
    EXPECT_EQ(f->Text1->text(), "OStR");
    f->Text1->setText(QStringLiteral("StR"));
    EXPECT_EQ(gTitles(3), "StR") << "every keystroke";
    EXPECT_EQ(f->List1->List(2), "OStR");
    f->Text1_LostFocus();
    EXPECT_EQ(f->List1->List(2), "StR");
}

TEST_F(SchoolDataWindowTest, ClosingWritesTheThreeFilesAsStartUpReadsThem)
{
    gBreakAfter(1) = 2;
    gBreakAfter(3) = 6;
    gPeriodLabels(4) = QStringLiteral(" 4. Eh ");
    open();
    f->List1->setListIndex(1);
    f->Text1->setText(QStringLiteral("Ref.\tL"));
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{f->Command3, f->Command6, f->Command7, f->Option2,
                                                                      f->Check1, f->Check2, f->Check3})
        b->click();
    f->Text2->setText(QStringLiteral("2026/27"));
    f->Command1->click();
    ASSERT_FALSE(forms::isOpen<Form9>());

    EXPECT_EQ(readLines("Time.txt").size(), 26) << "the breaks stay in the file";
    EXPECT_EQ(readLines("Time.txt")[6], " 4. Eh ") << "as held";
    EXPECT_EQ(readLines("Titel.txt").size(), 10);
    startAgain();
    EXPECT_EQ(QList<int>({gDaysPerWeek.toInt(), gPeriodsPerDay.toInt(), gLunchPeriod.toInt(), gOverlapPeriod.toInt(),
                          gNonCognitiveRule.toInt(), gFifthPeriodFlag, gAutoLoadPlan, gBreakAfter(1), gBreakAfter(3)}),
              QList<int>({6, 11, 5, 5, 1, 1, 1, 2, 6}));
    EXPECT_EQ(gSchoolYear, "2026/27");
    EXPECT_EQ(gPeriodTimes(11), "18:00 - 18:45");
    EXPECT_EQ(gTitles(2), "Ref. L") << "a control character would split the line";
}

TEST_F(SchoolDataWindowTest, AFailedWriteKeepsTheWindowOpenWithItsEditsOrTakesThemBack)
{
    open()->Command6->click();
    blockFile("vorda.ver");
    answer({false});
    f->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form9>());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("(vorda.ver: ")) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains("Die Datei vorda.ver wurde nicht geändert")) << messages()[0].toStdString();
    EXPECT_EQ(gPeriodsPerDay, 11);

    answer({true});
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form9>());
    EXPECT_EQ(gPeriodsPerDay, 10) << "closed without saving";
    unblockFile("vorda.ver");
}

// "Ja" to closing without saving takes the settings back in memory: the
// files must still hold them, so none is written when one cannot be.
TEST_F(SchoolDataWindowTest, WithOneFileNotWritableNoneIsAndJaKeepsWhatTheFilesHold)
{
    startWithSettings(QStringLiteral("1"));
    ASSERT_TRUE(SavePeriodFile(PeriodTexts::AsHeld));
    const QByteArray settings = readBytes("vorda.ver");
    const QByteArray periods = readBytes("Time.txt");
    blockFile("Titel.txt");
    open();
    f->Command6->click();
    f->Command7->click();
    f->Text2->setText(QStringLiteral("2027/28"));
    f->List1->setListIndex(0);
    f->Text1->setText(QStringLiteral("Dr."));
    answer({true});
    f->Command1->click();
    ASSERT_FALSE(forms::isOpen<Form9>());

    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Die Schuldaten konnten nicht gespeichert werden (Titel.txt: "))
        << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains("Keine der Dateien vorda.ver, Time.txt, Titel.txt wurde geändert"));
    EXPECT_EQ(readBytes("vorda.ver"), settings);
    EXPECT_EQ(readBytes("Time.txt"), periods);
    const auto held = [] {
        return QStringList{gSchoolYear.toString(), gPeriodsPerDay.toString(), gLunchPeriod.toString(),
                           gDaysPerWeek.toString()};
    };
    const QStringList inMemory = held();
    EXPECT_EQ(inMemory, (QStringList{"2026/27", "10", "6", "5"}));
    unblockFile("Titel.txt");
    startAgain();
    EXPECT_EQ(held(), inMemory) << "the next start reads what this one holds";
}

// "Titel.txt" cannot be replaced, and "vorda.ver", replaced before it, no
// longer fits on the disk with its old bytes: the message names it as
// changed, and "Ja" keeps the settings it holds, as the next start reads them.
TEST_F(SchoolDataWindowTest, AFileAFailedSaveLeftChangedIsNamedAndItsSettingsStay)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    constexpr rlim_t kDiskRoom = 4096;
    startWithSettings(QStringLiteral("1"));
    writeLines("vorda.ver", ours + QStringList(1000, "alt"));
    writeLines("Titel.txt", QStringList(10, QString()));
    open();
    f->Command3->click();
    f->Text2->setText(QStringLiteral("2027/28"));
    f->List1->setListIndex(0);
    f->Text1->setText(QStringLiteral("Dr."));
    {
        const StickyFolderUser user(m_dir.path(), {"Titel.txt"});
        ASSERT_TRUE(user.active());
        const FileSizeLimit full(kDiskRoom);
        answer({true});
        f->Command1->click();
    }
    ASSERT_FALSE(forms::isOpen<Form9>());
    EXPECT_EQ(messages(), QStringList{"Die Schuldaten konnten nicht gespeichert werden (Titel.txt: Zugriff "
                                      "verweigert). Dennoch geändert: vorda.ver; unverändert: Titel.txt. Ohne "
                                      "Speichern schließen?"});
    EXPECT_EQ(readLines("vorda.ver").value(8), "2027/28");
    EXPECT_EQ(readLines("Titel.txt"), QStringList(10, QString()));
    const auto held = [] { return QStringList{gSchoolYear.toString(), gDaysPerWeek.toString(), gTitles(1)}; };
    EXPECT_EQ(held(), (QStringList{"2027/28", "6", ""}));
    startAgain();
    EXPECT_EQ(held(), (QStringList{"2027/28", "6", ""})) << "the next start reads what this one holds";
}

// Two planners on one folder. While the plan in memory is the optimiser's
// plan "0", the plan to load is read from "vorda.ver" as it stands: the other
// planner's plan and school year, written while the window was open, stay.
TEST_F(SchoolDataWindowTest, ClosedUnchangedItLeavesWhatAnotherPlannerWroteMeanwhile)
{
    QStringList theirs = ours;
    theirs[6] = "5";
    theirs[8] = "2027/28";
    const struct {
        const char* plan;
        bool autoloadClickedTwice;
    } cases[] = {{"0", false}, {"0", true}, {"1", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.plan << c.autoloadClickedTwice);
        startWithSettings(c.plan);
        open();
        writeLines("vorda.ver", theirs);
        if (c.autoloadClickedTwice) {
            f->Check3->click();
            f->Check3->click();
        }
        const QByteArray written = readBytes("vorda.ver");
        f->Command1->click();
        ASSERT_FALSE(forms::isOpen<Form9>());
        EXPECT_EQ(readBytes("vorda.ver"), written);
    }
}

// A change saved while "vorda.ver" is gone or cannot be read names the plan
// this planner read for the next start, not none.
TEST_F(SchoolDataWindowTest, AChangeSavedWhileTheFileCannotBeReadKeepsThePlanToLoad)
{
    const std::pair<const char*, std::function<void()>> unreadable[] = {
        {"gone", [] {}},
        {"a link to nothing", [this] { ASSERT_TRUE(QFile::link(path("nirgends"), path("vorda.ver"))); }},
    };
    for (const auto& [how, makeUnreadable] : unreadable) {
        SCOPED_TRACE(how);
        startWithSettings(QStringLiteral("0"));
        open()->Check1->click();
        ASSERT_TRUE(QFile::remove(path("vorda.ver")));
        makeUnreadable();
        f->Command1->click();
        ASSERT_FALSE(forms::isOpen<Form9>());
        EXPECT_EQ(readLines("vorda.ver").value(6), "1");
        EXPECT_EQ(readLines("vorda.ver").value(10), " 1 ") << "the change is saved";
        QFile::remove(path("vorda.ver"));
        QFile::remove(path("nirgends"));
    }
}
