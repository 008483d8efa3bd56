#include "planner/publish/publishing_windows.h"
#include "platform/ftp.h"
#include "tests/planner/publish/publish_fixture.h"
#include "tests/support/ftp_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kFolder = QStringLiteral("/VORDA/Schule-am-Park/");

QStringList localAccount(const QString& password) { return {"127.0.0.1", FtpServer::kUser, password}; }

class PageUploadTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        ASSERT_TRUE(m_server.start()) << m_server.log().toStdString();
        useAccount(localAccount(FtpServer::kPassword));
        ftp::redirectPort(m_server.port());
    }
    void TearDown() override
    {
        EXPECT_FALSE(QFile::exists(path("test.dat"))) << "the probe never stays in the data folder";
        ftp::redirectPort(0);
        PublishTest::TearDown();
    }

    void makeRoot() const { ASSERT_TRUE(QDir(m_server.root()).mkdir("VORDA")); }
    QByteArray onServer(const QString& file) const
    {
        QFile f(m_server.root() + kFolder + file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Opens the window, generates its page and uploads it.
    template <class F>
    static F* publish(bool upload = true)
    {
        F* f = forms::show<F>();
        f->Command11->click();
        if (upload)
            f->Command1->click();
        return f;
    }

    FtpServer m_server;
};

TEST_F(PageUploadTest, TheFirstUploadMakesTheSchoolsFolderAndShowsTheAddress)
{
    makeRoot();
    Form61* f = publish<Form61>();
    EXPECT_EQ(f->Label1->text(), "Der Stundenplan kann nun mit einem Browser unter "
                                 "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm aufgerufen werden.");
    EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm");
    EXPECT_EQ(gPublishedUrl, f->Text1->text());
    EXPECT_FALSE(f->Command1->isEnabled()) << "one upload per opening";
    EXPECT_FALSE(f->Command11->isEnabled());

    EXPECT_EQ(onServer("Stundenplan.htm"), readBytes("Stundenplan.htm"));
    const QList<QByteArray> probe = onServer("test.dat").split('\n');
    ASSERT_EQ(probe.size(), 63) << "62 lines, each ended by CR LF";
    EXPECT_EQ(probe[0], "11.03.2026\r");
    EXPECT_EQ(probe[1], "09:30:00\r");
    EXPECT_EQ(probe[2], "BER = Anna Berger\r");
    EXPECT_EQ(probe[61], "- = -\r");
    EXPECT_EQ(m_server.received("MKD /VORDA/Schule-am-Park"), 1);
    EXPECT_EQ(m_server.received("USER"), 1) << "one login for the whole upload";
}

TEST_F(PageUploadTest, ALaterUploadFindsTheProbeAndMakesNoFolder)
{
    makeRoot();
    publish<Form61>()->close();
    setNow(QDateTime(today, QTime(10, 15, 0)));
    Form62* f = publish<Form62>();
    EXPECT_EQ(f->Text1->text(), "http://127.0.0.1/VORDA/Schule-am-Park/Montag.htm");
    EXPECT_TRUE(f->Label1->text().startsWith("Der Vertretungsplan kann nun mit einem Browser unter http://"));
    EXPECT_EQ(onServer("Montag.htm"), readBytes("Montag.htm"));
    EXPECT_TRUE(onServer("test.dat").contains("\r\n10:15:00\r\n"));
    EXPECT_EQ(m_server.received("MKD"), 1);
}

TEST_F(PageUploadTest, ARefusedLoginEndsTheUploadAndKeepsTheAddress)
{
    makeRoot();
    useAccount(localAccount("falsch"));
    Form61* f = publish<Form61>();
    EXPECT_EQ(f->Label1->text(), "Das Hochladen ist fehlgeschlagen: Der Server 127.0.0.1 hat die Anmeldung abgelehnt: "
                                 "Benutzername oder Passwort falsch.");
    EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/");
    EXPECT_EQ(gPublishedUrl, f->Text1->text());
    EXPECT_EQ(m_server.received("MKD"), 0) << "nothing after the refused login";
}

TEST_F(PageUploadTest, AClosedPortIsReportedWithinTheTimeOut)
{
    ftp::redirectPort(FtpServer::freePort());
    QElapsedTimer clock;
    clock.start();
    Form61* f = publish<Form61>();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(f->Label1->text(), "Das Hochladen ist fehlgeschlagen: Keine Verbindung zum Server 127.0.0.1.");
}

TEST_F(PageUploadTest, AServerWithoutTheRootFolderRefusesThePage)
{
    Form61* f = publish<Form61>();
    EXPECT_EQ(f->Label1->text(), "Die Seite wurde nicht hochgeladen: Der Server hat die Datei "
                                 "/VORDA/Schule-am-Park/Stundenplan.htm nicht angenommen (Antwort 550).");
    EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/");
    EXPECT_EQ(m_server.received("STOR"), 2) << "the probe's failed put goes on to the page";
}

TEST_F(PageUploadTest, ClosingTheWindowDuringTheUploadAbortsIt)
{
    makeRoot();
    Form61* f = publish<Form61>(false);
    QTimer::singleShot(0, f, [f] { f->close(); });
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form61>());
    EXPECT_EQ(m_server.received("STOR"), 0);
    EXPECT_EQ(gPublishedUrl, "127.0.0.1/VORDA/Schule-am-Park/");
}

TEST_F(PageUploadTest, AProbeThatCannotBeWrittenIsReportedBesideTheSuccess)
{
    makeRoot();
    blockFile("test.dat");
    Form61* f = publish<Form61>();
    EXPECT_TRUE(f->Label1->text().endsWith("aufgerufen werden. Die Datei test.dat im Datenordner ließ sich nicht "
                                           "schreiben: An Stelle der Datei steht ein Ordner."));
    EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm");
    unblockFile("test.dat");
}

TEST_F(PageUploadTest, TheUploadPutsThePageOfItsOwnGeneration)
{
    makeRoot();
    Form62* f = publish<Form62>(false);
    gWorkDate = "15.09.2026";
    f->Command1->click();
    EXPECT_EQ(f->Text1->text(), "http://127.0.0.1/VORDA/Schule-am-Park/Montag.htm");
    EXPECT_FALSE(onServer("Montag.htm").isEmpty());
}
}
