#include "planner/planner_menu.h"
#include "planner/publish/publishing_windows.h"
#include "tests/planner/publish/publish_fixture.h"

#include <QFile>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <functional>

namespace {

const QString kGenerated =
    " liegt im aktuellen VORDA-Verzeichnis z.B. C:\\ORV\\SCHULE und kann nun ins Internet hochgeladen werden.";

class PublishingWindowsTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        useAccount(kAccount);
    }
    static inline const QStringList kAccount{"ftp.example.org", "ftp2740316", "k8wq3rm"};

    // Starts an upload that ends at once, closes the window before the event
    // loop hears of the end and opens the window again in the same turn.
    template <class F>
    static void closeAsTheUploadEnds(const std::function<void(PublishingWindow*)>& closing)
    {
        // Far more than a thread takes that has nothing to do.
        constexpr int kThreadEndMilliseconds = 200;
        F* f = forms::show<F>();
        f->Command11->click();
        f->Command1->click();
        QThread::msleep(kThreadEndMilliseconds);
        closing(f);
        ASSERT_FALSE(forms::isOpen<F>());
        F* again = forms::show<F>();
        again->Command11->click();
        again->Command1->click();
        waitForUpload(again);
        EXPECT_TRUE(again->Label1->text().startsWith("Es ist kein Server zum Hochladen eingetragen"));
        again->close();
    }
};

TEST_F(PublishingWindowsTest, TheTimetableWindowGeneratesOnceAndThenAllowsTheUpload)
{
    Form61* f = forms::show<Form61>();
    EXPECT_EQ(f->windowTitle(), "Stundenplan im Internet veröffenlichen");
    EXPECT_EQ(gPublishedUrl, "ftp.example.org/VORDA/Schule-am-Park/");
    EXPECT_EQ(f->Text1->text(), gPublishedUrl);
    EXPECT_TRUE(f->Command11->isEnabled());
    EXPECT_FALSE(f->Command1->isEnabled());

    f->Text2->setText("Wandertag");
    f->Command11->click();
    EXPECT_EQ(f->Label1->text(), "Die Datei Stundenplan.htm" + kGenerated);
    EXPECT_TRUE(readLines("Stundenplan.htm").contains("<p>" + kFace + "Wandertag</p>"));
    EXPECT_FALSE(f->Command11->isEnabled()) << "one generation per opening";
    EXPECT_TRUE(f->Command1->isEnabled());

    f->Command2->click();
    EXPECT_FALSE(forms::isOpen<Form61>());
    f = forms::show<Form61>();
    EXPECT_TRUE(f->Command11->isEnabled()) << "a new opening";
    EXPECT_EQ(f->Text2->text(), "") << "the message line is not kept";
}

TEST_F(PublishingWindowsTest, TheSubstitutionWindowShowsTheMessagesAndStoresThemBackTrimmed)
{
    gSubstPageMessages(1) = "Elternabend";
    gSubstPageMessages(3) = "Chor";
    Form62* f = forms::show<Form62>();
    EXPECT_EQ(f->windowTitle(), "Vertretungsplan im Internet veröffentlichen");
    EXPECT_EQ(gPublishedUrl, "http://ftp.example.org/VORDA/Schule-am-Park/");
    EXPECT_EQ(QStringList({f->Text2->text(), f->Text3->text(), f->Text4->text()}),
              QStringList({"Elternabend", "", "Chor"}));

    f->Text3->setText("  Sportfest  ");
    f->Command11->click();
    EXPECT_EQ(f->Label1->text(), "Die Datei Montag.htm" + kGenerated);
    EXPECT_TRUE(readLines("Montag.htm").contains("<p>" + kFace + "Sportfest</p>"));
    EXPECT_TRUE(f->Command1->isEnabled());
    f->close();
    EXPECT_EQ(gSubstPageMessages(2), "Sportfest");
    EXPECT_EQ(gSubstPageMessages(3), "Chor");
}

TEST_F(PublishingWindowsTest, AClickOnTheAddressShowsThePublishedAddressAgain)
{
    Form61* f = forms::show<Form61>();
    f->Text1->setText("weg");
    gPublishedUrl = "www.example.org/VORDA/Schule-am-Park/Stundenplan.htm";
    QTest::mouseClick(f->Text1, Qt::LeftButton);
    EXPECT_EQ(f->Text1->text(), gPublishedUrl);
}

TEST_F(PublishingWindowsTest, TheWebHostOfTheFourthLineMakesTheAddress)
{
    useAccount(kAccount + QStringList{"https://www.schule-am-park.de/"});
    forms::show<Form62>();
    EXPECT_EQ(gPublishedUrl, "http://www.schule-am-park.de/VORDA/Schule-am-Park/");
    useAccount(kAccount + QStringList{"localhost:8080"});
    EXPECT_EQ(forms::show<Form61>()->Text1->text(), "localhost:8080/VORDA/Schule-am-Park/");
}

TEST_F(PublishingWindowsTest, AReadOnlyPageIsReportedAndMayBeGeneratedAgain)
{
    writeBytes("Stundenplan.htm", "alt\r\n");
    QFile::setPermissions(path("Stundenplan.htm"), QFile::ReadOwner);
    Form61* f = forms::show<Form61>();
    f->Command11->click();
    EXPECT_EQ(f->Label1->text(), "Die Datei \"Stundenplan.htm\" konnte nicht gespeichert werden: Die Datei ist "
                                 "schreibgeschützt.");
    EXPECT_TRUE(f->Command11->isEnabled());
    EXPECT_FALSE(f->Command1->isEnabled()) << "nothing to upload";

    QFile::setPermissions(path("Stundenplan.htm"), QFile::ReadOwner | QFile::WriteOwner);
    f->Command11->click();
    EXPECT_TRUE(f->Command1->isEnabled());
}

TEST_F(PublishingWindowsTest, AWorkingDateThatIsNoDateAsksForOne)
{
    gWorkDate = "30.02.2026";
    Form62* f = forms::show<Form62>();
    f->Command11->click();
    EXPECT_EQ(f->Label1->text(), "Der Vertretungsplan braucht ein gültiges Datum: bitte im Fenster \"wer fehlt ?\" den "
                                 "Tag eingeben.");
    EXPECT_TRUE(f->Command11->isEnabled());
    EXPECT_FALSE(f->Command1->isEnabled());

    gWorkDate = "15.09.2026";
    f->Command11->click();
    EXPECT_EQ(f->Label1->text(), "Die Datei Dienstag.htm" + kGenerated);
}

TEST_F(PublishingWindowsTest, WithoutAnAccountTheUploadSaysWhatIsMissing)
{
    QFile::remove(path("ftp.dat"));
    PreparePublishing();
    Form61* f = forms::show<Form61>();
    EXPECT_EQ(f->Text1->text(), "");
    f->Command11->click();
    f->Command1->click();
    waitForUpload(f);
    EXPECT_TRUE(f->Label1->text().startsWith("Es ist kein Server zum Hochladen eingetragen"));
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_FALSE(QFile::exists(path("test.dat")));
}

// The end of an upload is queued for the window; a window closed before it
// arrives hears nothing of it, and neither does the same window opened anew.
TEST_F(PublishingWindowsTest, AWindowClosedInTheTurnItsUploadEndsHearsNothingOfIt)
{
    QFile::remove(path("ftp.dat"));
    PreparePublishing();
    const std::pair<const char*, std::function<void(PublishingWindow*)>> closings[] = {
        {"Exit", [](PublishingWindow* f) { f->Command2->click(); }},
        {"close box", [](PublishingWindow* f) { f->close(); }},
        {"Beenden", [](PublishingWindow*) { forms::show<PlannerMenu>()->findChild<QAction*>("quit")->trigger(); }},
        {"end of the program", [](PublishingWindow*) { forms::unloadAll(); }},
    };
    for (const auto& [how, closing] : closings) {
        SCOPED_TRACE(how);
        closeAsTheUploadEnds<Form61>(closing);
        closeAsTheUploadEnds<Form62>(closing);
    }
}
}
