#include "platform/ftp.h"
#include "tests/support/disk_conditions.h"
#include "tests/support/fixture.h"
#include "tests/support/ftp_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QThread>
#include <memory>
#include <utility>

namespace {

class FtpTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        ASSERT_TRUE(m_server.start()) << m_server.log().toStdString();
        ASSERT_TRUE(QDir(m_server.root()).mkdir("VORDA"));
        connectTo(m_server.port());
    }
    void TearDown() override
    {
        ftp::redirectPort(0);
        ModelTest::TearDown();
    }

    void connectTo(int port)
    {
        m_inet.RemoteHost = "127.0.0.1";
        m_inet.UserName = FtpServer::kUser;
        m_inet.Password = FtpServer::kPassword;
        ftp::redirectPort(port);
    }
    // Executes a command and waits for its end as the windows do.
    Inet::Outcome run(const QString& command)
    {
        m_inet.Execute(command);
        while (m_inet.StillExecuting()) {
        }
        return m_inet.outcome();
    }
    QByteArray onServer(const QString& file) const
    {
        QFile f(m_server.root() + file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    FtpServer m_server;
    Inet m_inet;
};

TEST_F(FtpTest, CommandsShareOneLoginAndAddressFilesFromTheServersRoot)
{
    const QByteArray bytes("Zeile 1\r\n\xE4\xF6\xFC\r\n\x00\xFF", 15);
    writeBytes("mit Blank.htm", bytes);
    EXPECT_EQ(run("MKDIR /VORDA/Bau-&-Kunst"), Inet::Outcome::Done);
    EXPECT_EQ(run("Put " + path("mit Blank.htm") + " /VORDA/Bau-&-Kunst/seite.htm"), Inet::Outcome::Done);
    EXPECT_EQ(onServer("/VORDA/Bau-&-Kunst/seite.htm"), bytes);
    EXPECT_EQ(run("Get /VORDA/Bau-&-Kunst/seite.htm " + path("zurück.htm")), Inet::Outcome::Done);
    EXPECT_EQ(readBytes("zurück.htm"), bytes);
    EXPECT_EQ(run("CLOSE"), Inet::Outcome::Done);
    EXPECT_EQ(run("QUIT"), Inet::Outcome::Done);
    EXPECT_EQ(m_server.received("USER"), 1);
    EXPECT_EQ(m_server.received("CWD"), 0);
    EXPECT_EQ(m_server.received("MKD /VORDA/Bau-&-Kunst"), 1);
}

TEST_F(FtpTest, ARefusedCommandLeavesNoLocalFileAndTheConnectionUsable)
{
    EXPECT_EQ(run("Get /VORDA/fehlt.dat " + path("fehlt.dat")), Inet::Outcome::Refused);
    EXPECT_EQ(m_inet.errorText(), "Die Datei /VORDA/fehlt.dat gibt es auf dem Server nicht");
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "not even a temporary file";
    EXPECT_EQ(run("MKDIR /NEU/Schule"), Inet::Outcome::Refused);
    EXPECT_TRUE(m_inet.errorText().startsWith("Der Server hat den Ordner /NEU/Schule nicht angelegt (Antwort 550"));
    writeBytes("a.htm", "a");
    EXPECT_EQ(run("Put " + path("a.htm") + " /NEU/Schule/a.htm"), Inet::Outcome::Refused);
    EXPECT_EQ(run("Put " + path("b.htm") + " /VORDA/b.htm"), Inet::Outcome::Refused);
    EXPECT_EQ(m_inet.errorText(), "Die Datei " + path("b.htm") + " lässt sich nicht lesen");
    EXPECT_EQ(run("Put " + path("a.htm") + " /VORDA/a.htm"), Inet::Outcome::Done);
    EXPECT_EQ(m_server.received("USER"), 1);
}

// A fetched file that does not fit on the disk leaves the local one as it was.
TEST_F(FtpTest, AFetchedFileThatDoesNotFitOnTheDiskKeepsTheLocalOneAndSaysWhy)
{
    constexpr rlim_t kDiskRoom = 4096;
    QFile remote(m_server.root() + "/VORDA/gross.htm");
    ASSERT_TRUE(remote.open(QIODevice::WriteOnly) && remote.write(QByteArray(5000, 'n')) == 5000);
    remote.close();
    writeBytes("gross.htm", "alt");
    Inet::Outcome outcome = Inet::Outcome::Done;
    {
        const FileSizeLimit full(kDiskRoom);
        outcome = run("Get /VORDA/gross.htm " + path("gross.htm"));
    }
    EXPECT_EQ(outcome, Inet::Outcome::Refused);
    EXPECT_EQ(m_inet.errorText(),
              "Die Datei " + path("gross.htm") + " lässt sich nicht schreiben: Die Datei ist zu groß");
    EXPECT_EQ(readBytes("gross.htm"), "alt");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"gross.htm"});
}

TEST_F(FtpTest, FilesOnTheServerAreMeasuredListedRenamedAndDeleted)
{
    writeBytes("a.htm", "neu!!");
    ASSERT_EQ(run("Put " + path("a.htm") + " /VORDA/a.htm.neu"), Inet::Outcome::Done);
    QFile old(m_server.root() + "/VORDA/a.htm");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("alt") == 3);
    old.close();
    EXPECT_EQ(run("SIZE /VORDA/a.htm.neu"), Inet::Outcome::Done);
    EXPECT_EQ(m_inet.remoteSize(), 5);
    EXPECT_EQ(run("RENAME /VORDA/a.htm.neu /VORDA/a.htm"), Inet::Outcome::Done);
    EXPECT_EQ(onServer("/VORDA/a.htm"), "neu!!");
    EXPECT_EQ(run("LS /VORDA/fehlt"), Inet::Outcome::Refused);
    EXPECT_TRUE(m_inet.remoteNames().isEmpty());

    EXPECT_EQ(run("SIZE /VORDA/a.htm.neu"), Inet::Outcome::Refused);
    EXPECT_EQ(m_inet.remoteSize(), -1);
    EXPECT_TRUE(m_inet.remoteFileMissing());
    EXPECT_EQ(run("RENAME /VORDA/a.htm.neu /VORDA/b.htm"), Inet::Outcome::Refused);
    EXPECT_EQ(m_inet.errorText(),
              "Der Server hat die Datei /VORDA/a.htm.neu nicht in /VORDA/b.htm umbenannt (Antwort 550)");
    EXPECT_EQ(run("RENAME /VORDA/a.htm /NEU/a.htm"), Inet::Outcome::Refused);
    EXPECT_EQ(run("DELETE /VORDA/a.htm"), Inet::Outcome::Done);
    EXPECT_EQ(onServer("/VORDA/a.htm"), "(missing)");
    EXPECT_EQ(run("DELETE /VORDA/a.htm"), Inet::Outcome::Refused);
    EXPECT_EQ(m_inet.errorText(), "Der Server hat die Datei /VORDA/a.htm nicht gelöscht (Antwort 550)");
    EXPECT_EQ(m_server.received("USER"), 1);
}

// Servers list a folder by its names, or by long lines with the name at the
// end of each (a link's followed by its target). A line that gives no name
// tells that the names read are not all there are.
TEST_F(FtpTest, ANameIsReadFromEveryFormOfListing)
{
    const QSet<QString> everyName{"a.htm", "b.htm", "Ordner", "test.dat"};
    const struct {
        FtpServer::Listing listing;
        QSet<QString> names;
        bool partial;
    } listings[] = {{FtpServer::Listing::Names, everyName, false},
                    {FtpServer::Listing::Long, everyName, false},
                    {FtpServer::Listing::BlankInGroup, {"test.dat"}, true},
                    {FtpServer::Listing::Dos, everyName, false},
                    {FtpServer::Listing::Nothing, {}, false}};
    for (const auto& [listing, names, partial] : listings) {
        SCOPED_TRACE(static_cast<int>(listing));
        FtpServer server;
        server.listAs(listing);
        ASSERT_TRUE(server.start()) << server.log().toStdString();
        ASSERT_TRUE(QDir(server.root()).mkpath("VORDA/Ordner"));
        for (const QString file : {"a.htm", "test.dat"}) {
            QFile f(server.root() + "/VORDA/" + file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("seite") == 5);
        }
        ASSERT_TRUE(QFile::link("a.htm", server.root() + "/VORDA/b.htm"));
        connectTo(server.port());
        EXPECT_EQ(run("LS /VORDA/"), Inet::Outcome::Done);
        EXPECT_EQ(QSet<QString>(m_inet.remoteNames().cbegin(), m_inet.remoteNames().cend()), names);
        EXPECT_EQ(m_inet.remoteNamesPartial(), partial);
        EXPECT_EQ(run("CLOSE"), Inet::Outcome::Done);
    }
}

// A refused login and a closed port are told by the upload's tests.
TEST_F(FtpTest, AServerThatStopsAnsweringFailsAtTheTimeOutAndACancelStopsAtOnce)
{
    const SilentServer silent;
    connectTo(silent.port());
    m_inet.RequestTimeout = 1;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(run("MKDIR /VORDA/x"), Inet::Outcome::ConnectionFailed);
    EXPECT_EQ(m_inet.errorText(), "Der Server 127.0.0.1 antwortet nicht mehr");
    EXPECT_LT(clock.elapsed(), 5000);

    m_inet.Execute("Get /VORDA/test.dat " + path("test.dat"));
    EXPECT_TRUE(m_inet.StillExecuting());
    m_inet.Cancel();
    EXPECT_FALSE(m_inet.StillExecuting());
    EXPECT_EQ(m_inet.outcome(), Inet::Outcome::ConnectionFailed);
    EXPECT_EQ(m_inet.errorText(), "Die Übertragung wurde abgebrochen");
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no half file";
}

// libcurl's own failure texts are English; the user reads German only.
TEST_F(FtpTest, AConnectionThatBreaksIsToldInGerman)
{
    constexpr int kConnectMilliseconds = 300;
    auto silent = std::make_unique<SilentServer>();
    connectTo(silent->port());
    m_inet.Execute("MKDIR /VORDA/x");
    QThread::msleep(kConnectMilliseconds);
    ASSERT_TRUE(m_inet.StillExecuting()) << "waiting for the greeting";
    // Closing the listening socket resets the connection it has not accepted.
    silent.reset();
    while (m_inet.StillExecuting()) {
    }
    EXPECT_EQ(m_inet.outcome(), Inet::Outcome::ConnectionFailed);
    EXPECT_EQ(m_inet.errorText(), "Die Verbindung zum Server 127.0.0.1 ist abgerissen");
}
}
