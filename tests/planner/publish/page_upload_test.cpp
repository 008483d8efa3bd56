#include "planner/publish/publishing_windows.h"
#include "platform/ftp.h"
#include "tests/planner/publish/publish_fixture.h"
#include "tests/support/ftp_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

const QString kFolder = QStringLiteral("/VORDA/Schule-am-Park/");
// The renames on a server that renames only onto a free name: the new page's
// try to take the published one's name, the published page stepping aside,
// then the new one taking its name.
const QString kSteppingAside = QStringLiteral("RNTO#2");
const QString kTakingTheName = QStringLiteral("RNTO#3");
const QByteArray kYesterdaysPage = "<html>die Seite von gestern</html>";

// Each command received from the tidying on, counted as the server does ("RNTO#3").
QStringList commandsFromTheTidyingOn(const QString& log)
{
    static const QRegularExpression received(QStringLiteral("<- ([A-Z]+)"));
    QHash<QString, int> times;
    QStringList points;
    for (auto it = received.globalMatch(log); it.hasNext();) {
        const QString command = it.next().captured(1);
        const QString point = QStringLiteral("%1#%2").arg(command).arg(++times[command]);
        if (point == QLatin1String("DELE#1") || !points.isEmpty())
            points << point;
    }
    return points;
}

struct ServerKind {
    bool renamesOver;
    bool tellsSizes;
    FtpServer::Listing listing = FtpServer::Listing::Names;
    friend void PrintTo(const ServerKind& k, std::ostream* out)
    {
        *out << (k.renamesOver ? "renames over a file, " : "renames onto a free name only, ")
             << (k.tellsSizes ? "tells sizes" : "tells no sizes")
             << (k.listing == FtpServer::Listing::Long           ? ", lists long lines"
                 : k.listing == FtpServer::Listing::BlankInGroup ? ", lists groups with a blank"
                                                                 : "");
    }
};
const ServerKind kEveryServer[] = {
    {true, true}, {true, false}, {false, true}, {false, false}, {false, false, FtpServer::Listing::Long}};

std::string serverName(const testing::TestParamInfo<ServerKind>& info)
{
    return std::string(info.param.renamesOver ? "RenamesOver" : "RenamesOntoAFreeName")
        + (info.param.tellsSizes ? "_TellsSizes" : "_TellsNoSizes")
        + (info.param.listing == FtpServer::Listing::Long           ? "_ListsLongLines"
           : info.param.listing == FtpServer::Listing::BlankInGroup ? "_ListsGroupsWithABlank"
                                                                    : "");
}

void serveAs(FtpServer& server, const ServerKind& kind)
{
    if (!kind.renamesOver)
        server.refuseRenamingOver();
    if (!kind.tellsSizes)
        server.refuseSize();
    server.listAs(kind.listing);
}

QStringList localAccount(const QString& password) { return {"127.0.0.1", FtpServer::kUser, password}; }

// What the program writes to its standard output while `run` runs.
template <class Run>
QByteArray printedDuring(Run run)
{
    QTemporaryFile capture;
    EXPECT_TRUE(capture.open());
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(capture.handle(), STDOUT_FILENO);
    run();
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    capture.seek(0);
    return capture.readAll();
}

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
    QByteArray onServer(const QString& file) const { return onServer(m_server, file); }
    static QByteArray onServer(const FtpServer& server, const QString& file)
    {
        QFile f(server.root() + kFolder + file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Starts a misbehaving server in place of the fixture's.
    static void useServer(FtpServer& server)
    {
        ASSERT_TRUE(server.start()) << server.log().toStdString();
        ASSERT_TRUE(QDir(server.root()).mkdir("VORDA"));
        ftp::redirectPort(server.port());
    }
    // Puts a page into the school's folder as an earlier upload left it.
    static void publishedBefore(const FtpServer& server, const QString& file, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir(server.root()).mkpath("." + kFolder));
        QFile f(server.root() + kFolder + file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    // Opens the window, generates its page and uploads it.
    template <class F>
    static F* publish(bool uploaded = true)
    {
        F* f = forms::show<F>();
        f->Command11->click();
        if (uploaded)
            upload(f);
        return f;
    }
    static void upload(PublishingWindow* f)
    {
        f->Command1->click();
        waitForUpload(f);
    }
    static bool onServerAtAll(const FtpServer& server, const QString& file)
    {
        return QFile::exists(server.root() + kFolder + file);
    }

    // Uploads a page onto a server that renames only onto a free name and
    // holds a published page, and closes the window while the server stalls
    // at `point`; returns how long the closing took.
    static qint64 closeWhileStalled(FtpServer& server, const QString& point, double seconds)
    {
        constexpr int kTurnMilliseconds = 10;
        server.refuseRenamingOver();
        server.stallAt(point, seconds);
        useServer(server);
        publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
        Form61* f = publish<Form61>(false);
        f->Command1->click();
        for (int turn = 0; turn < 1000 && !server.stalling(point); ++turn)
            QTest::qWait(kTurnMilliseconds);
        EXPECT_TRUE(server.stalling(point));
        QElapsedTimer closing;
        closing.start();
        f->close();
        return closing.elapsed();
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
    const ClosedPort closed;
    ftp::redirectPort(closed.port());
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
                                 "/VORDA/Schule-am-Park/Stundenplan.htm.neu nicht angenommen (Antwort 550).");
    EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/");
    EXPECT_EQ(m_server.received("STOR"), 2) << "the probe's failed put goes on to the page";
}

TEST_F(PageUploadTest, ClosingTheWindowDuringTheUploadAbortsIt)
{
    makeRoot();
    Form61* f = publish<Form61>(false);
    QTimer::singleShot(0, f, [f] { f->close(); });
    upload(f);
    EXPECT_FALSE(forms::isOpen<Form61>());
    EXPECT_EQ(m_server.received("STOR"), 0);
    EXPECT_EQ(gPublishedUrl, "127.0.0.1/VORDA/Schule-am-Park/");
}

// The report takes more lines than the status text was designed for: every
// one is shown, above the address box.
TEST_F(PageUploadTest, AProbeThatCannotBeWrittenIsReportedBesideTheSuccess)
{
    constexpr int kDesignedLines = 4;
    // A line longer than the random part of the path can shift the breaks by.
    const QString notAFolder = "Ordner für die temporären Dateien der Programme auf den Rechnern im Lehrerzimmer, "
                               "im Sekretariat, in der Bibliothek, im Konferenzraum und in den Klassenzimmern der "
                               "Schule am Park, wie der Schulträger sie eingerichtet hat";
    makeRoot();
    writeBytes(notAFolder, "");
    const QByteArray tempFolder = qgetenv("TMPDIR");
    qputenv("TMPDIR", path(notAFolder).toUtf8());
    Form61* f = publish<Form61>();
    qputenv("TMPDIR", tempFolder);
    EXPECT_TRUE(f->Label1->text().endsWith("aufgerufen werden. Die Datei test.dat ließ sich nicht anlegen: im Ordner "
                                           + path(notAFolder) + " kann das Programm keine Dateien anlegen."));
    const int needed = f->Label1->heightForWidth(f->Label1->width());
    EXPECT_GT(needed, kDesignedLines * f->Label1->fontMetrics().lineSpacing()) << f->Label1->text().toStdString();
    EXPECT_GE(f->Label1->height(), needed);
    EXPECT_LE(f->Label1->geometry().bottom(), f->Text1->y());
    EXPECT_LE(f->Text1->geometry().bottom(), f->height());
    EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm");
    EXPECT_EQ(onServer("Stundenplan.htm"), readBytes("Stundenplan.htm")) << "the folder was made all the same";
}

TEST_F(PageUploadTest, TheUploadPutsThePageOfItsOwnGeneration)
{
    makeRoot();
    Form62* f = publish<Form62>(false);
    gWorkDate = "15.09.2026";
    upload(f);
    EXPECT_EQ(f->Text1->text(), "http://127.0.0.1/VORDA/Schule-am-Park/Montag.htm");
    EXPECT_FALSE(onServer("Montag.htm").isEmpty());
}

// Whether published or set aside by an earlier broken upload, the page
// visitors find is the old one, whole.
TEST_F(PageUploadTest, AConnectionThatBreaksMidPageLeavesThePublishedPageWhole)
{
    for (const QString published : {"Stundenplan.htm", "Stundenplan.htm.alt"}) {
        SCOPED_TRACE(published.toStdString());
        FtpServer server;
        server.breakUploadsAfter(12 * 1024);
        useServer(server);
        publishedBefore(server, published, kYesterdaysPage);
        Form61* f = publish<Form61>(false);
        writeBytes("Stundenplan.htm", QByteArray(40 * 1024, 'n'));
        upload(f);
        EXPECT_EQ(f->Label1->text(),
                  "Die Seite wurde nicht hochgeladen: Auf dem Server kamen nur 12288 von 40960 Bytes an.");
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), kYesterdaysPage);
        EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.neu")) << "the broken copy is removed";
        EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.alt"));
        f->close();
    }
}

// An earlier upload left the published page set aside. Before the next one
// puts anything, the page comes back under its name, or goes when a page
// stands there already: an older page never replaces a newer one, whether
// or not the server tells sizes or renames over a file.
TEST_F(PageUploadTest, APageSetAsideIsPutBackOrGoesOnceReplaced)
{
    const QByteArray todaysPage = "<html>die Seite von heute</html>";
    for (const ServerKind& kind : kEveryServer) {
        for (const bool replaced : {false, true}) {
            SCOPED_TRACE(testing::PrintToString(kind));
            SCOPED_TRACE(replaced ? "a page stands under the name" : "nothing stands under the name");
            FtpServer server;
            serveAs(server, kind);
            // The page itself never arrives: the probe is the first file put.
            server.hangUpAt("STOR#2", false);
            server.goneAfterHangingUp();
            useServer(server);
            publishedBefore(server, "Stundenplan.htm.alt", kYesterdaysPage);
            if (replaced)
                publishedBefore(server, "Stundenplan.htm", todaysPage);
            publish<Form61>()->close();
            EXPECT_EQ(onServer(server, "Stundenplan.htm"), replaced ? todaysPage : kYesterdaysPage);
            EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.alt"));
        }
    }
}

// Leftovers of a broken upload go first; a server that renames only onto a
// free name gets the old page set aside until the new one takes its place.
// None of it is printed.
TEST_F(PageUploadTest, AWholePageReplacesThePublishedOne)
{
    for (const bool renamesOver : {true, false}) {
        for (const bool setAside : {false, true}) {
            SCOPED_TRACE(renamesOver ? "renames over a file" : "renames onto a free name only");
            SCOPED_TRACE(setAside ? "an earlier upload broke with the page set aside" : "the page is published");
            FtpServer server;
            if (!renamesOver)
                server.refuseRenamingOver();
            useServer(server);
            publishedBefore(server, setAside ? "Stundenplan.htm.alt" : "Stundenplan.htm", "<html>alt</html>");
            publishedBefore(server, "Stundenplan.htm.neu", "<html>abgebr");
            Form61* f = publish<Form61>(false);
            EXPECT_EQ(printedDuring([f] { upload(f); }).toStdString(), "");
            EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm");
            EXPECT_EQ(onServer(server, "Stundenplan.htm"), readBytes("Stundenplan.htm"));
            EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.neu"));
            EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.alt"));
            f->close();
        }
    }
}

// However the server refuses to rename, visitors find the published page
// byte for byte, and the new one's copy is gone.
TEST_F(PageUploadTest, AServerThatCannotRenameKeepsThePublishedPage)
{
    for (const bool renamesNothing : {true, false}) {
        SCOPED_TRACE(renamesNothing ? "may delete but not rename" : "renames onto a free name only");
        FtpServer server;
        if (renamesNothing)
            server.refuseRenaming();
        else
            server.refuseRenamingOver();
        useServer(server);
        const QByteArray published = "<html>die Seite von gestern</html>";
        publishedBefore(server, "Stundenplan.htm", published);
        if (!renamesNothing) {
            // A folder by the name the page steps aside to: the page cannot step aside.
            ASSERT_TRUE(QDir(server.root()).mkpath("." + kFolder + "Stundenplan.htm.alt"));
        }
        Form61* f = publish<Form61>();
        EXPECT_TRUE(f->Label1->text().startsWith("Die Seite wurde nicht hochgeladen: Der Server hat die Datei "
                                                 "/VORDA/Schule-am-Park/Stundenplan.htm.neu nicht in "
                                                 "/VORDA/Schule-am-Park/Stundenplan.htm umbenannt (Antwort 550"))
            << f->Label1->text().toStdString();
        EXPECT_TRUE(f->Label1->text().endsWith("; eine schon veröffentlichte Seite bleibt, wie sie war."));
        EXPECT_EQ(f->Text1->text(), "127.0.0.1/VORDA/Schule-am-Park/");
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), published);
        EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.neu"));
        f->close();
    }
}

// The new page has its name: a break as the old one is deleted leaves it
// for the next upload and is no failure.
TEST_F(PageUploadTest, ABreakAsTheOldPageGoesIsNoFailure)
{
    FtpServer server;
    server.refuseRenamingOver();
    server.hangUpAt("DELE#2", false);
    server.goneAfterHangingUp();
    useServer(server);
    publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
    Form61* f = publish<Form61>();
    EXPECT_EQ(f->Label1->text(), "Der Stundenplan kann nun mit einem Browser unter "
                                 "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm aufgerufen werden.");
    EXPECT_EQ(onServer(server, "Stundenplan.htm"), readBytes("Stundenplan.htm"));
    f->close();
}

// A server gone while the published page is aside: the window says what
// may be so, as nobody could look.
TEST_F(PageUploadTest, APageThatMayNotHaveComeBackIsToldAsMaybeMissing)
{
    FtpServer server;
    server.refuseRenamingOver();
    server.hangUpAt(kTakingTheName, false);
    server.goneAfterHangingUp();
    useServer(server);
    publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
    Form61* f = publish<Form61>();
    // The reconnect finds the server gone, or still going.
    const QRegularExpression told("^Das Hochladen ist womöglich fehlgeschlagen: (Keine Verbindung zum Server 127.0.0.1|"
                                  "Die Verbindung zum Server 127.0.0.1 ist abgerissen); die bisherige Seite liegt "
                                  "womöglich als /VORDA/Schule-am-Park/Stundenplan.htm.alt auf dem Server und fehlt "
                                  "dort, bis das nächste Hochladen sie zurücklegt.$");
    EXPECT_TRUE(told.match(f->Label1->text()).hasMatch()) << f->Label1->text().toStdString();
    EXPECT_EQ(onServer(server, "Stundenplan.htm.alt"), kYesterdaysPage);
}

// A server that tells no sizes and lists nothing of the folder, not even the
// probe the upload put, shows nothing: a break as the new page takes its
// name, before or after the server renamed it, leaves the page in doubt.
TEST_F(PageUploadTest, AListingWithoutTheProbeProvesNothing)
{
    for (const bool afterCarryingOut : {false, true}) {
        SCOPED_TRACE(afterCarryingOut ? "after" : "before");
        FtpServer server;
        serveAs(server, {false, false, FtpServer::Listing::Nothing});
        server.hangUpAt(kTakingTheName, afterCarryingOut);
        useServer(server);
        publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
        Form61* f = publish<Form61>();
        const QString told = f->Label1->text();
        EXPECT_TRUE(told.startsWith("Das Hochladen ist womöglich fehlgeschlagen: ")) << told.toStdString();
        EXPECT_TRUE(told.endsWith("; die bisherige Seite liegt womöglich als /VORDA/Schule-am-Park/Stundenplan.htm.alt "
                                  "auf dem Server und fehlt dort, bis das nächste Hochladen sie zurücklegt."))
            << told.toStdString();
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), afterCarryingOut ? readBytes("Stundenplan.htm") : QByteArray());
        EXPECT_EQ(onServer(server, "Stundenplan.htm.alt"), kYesterdaysPage);
        f->close();
    }
}

// A server that renames only onto a free name and shows nothing of an
// earlier upload's leftover aside: every upload fails as the published page
// cannot step aside, and the window names the leftover for the user to
// remove, after which the page is replaced.
TEST_F(PageUploadTest, ALeftoverAsideTheServerDoesNotShowIsNamedForRemoval)
{
    for (const FtpServer::Listing listing : {FtpServer::Listing::Nothing, FtpServer::Listing::BlankInGroup}) {
        SCOPED_TRACE(static_cast<int>(listing));
        FtpServer server;
        serveAs(server, {false, false, listing});
        useServer(server);
        publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
        publishedBefore(server, "Stundenplan.htm.alt", "<html>die Seite von vorgestern</html>");
        Form61* f = publish<Form61>();
        EXPECT_EQ(f->Label1->text(),
                  "Die Seite wurde nicht hochgeladen: Der Server hat die Datei /VORDA/Schule-am-Park/Stundenplan.htm.neu "
                  "nicht in /VORDA/Schule-am-Park/Stundenplan.htm umbenannt (Antwort 550); eine schon veröffentlichte "
                  "Seite bleibt, wie sie war; liegt womöglich auf dem Server noch /VORDA/Schule-am-Park/Stundenplan.htm.alt von "
                  "einem früheren Hochladen, lässt sie sich erst ersetzen, wenn diese Datei gelöscht ist.");
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), kYesterdaysPage);
        f->close();
        ASSERT_TRUE(QFile::remove(server.root() + kFolder + "Stundenplan.htm.alt"));
        f = publish<Form61>();
        EXPECT_TRUE(f->Label1->text().startsWith("Der Stundenplan kann nun")) << "removed by the user";
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), readBytes("Stundenplan.htm"));
        f->close();
    }
}

// Such a server that refuses every rename leaves it open whether there is a
// leftover at all: the window says it may be.
TEST_F(PageUploadTest, ALeftoverAsideTheServerCannotShowIsNamedAsAPossibility)
{
    FtpServer server;
    serveAs(server, {false, false, FtpServer::Listing::BlankInGroup});
    server.refuseRenaming();
    useServer(server);
    publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
    Form61* f = publish<Form61>();
    EXPECT_TRUE(f->Label1->text().endsWith("liegt womöglich auf dem Server noch /VORDA/Schule-am-Park/Stundenplan.htm.alt "
                                           "von einem früheren Hochladen, lässt sie sich erst ersetzen, wenn diese "
                                           "Datei gelöscht ist."))
        << f->Label1->text().toStdString();
    EXPECT_EQ(onServer(server, "Stundenplan.htm"), kYesterdaysPage);
}

// Another upload's page takes the name while the published one is aside:
// the new page and then the published one are refused the name, which is
// not missing, and the page aside goes.
TEST_F(PageUploadTest, ANameTakenMeanwhileIsNotToldMissing)
{
    const QString othersPage = "<html>die Seite eines anderen Hochladens</html>";
    for (const ServerKind& kind : kEveryServer) {
        if (kind.renamesOver)
            continue;
        SCOPED_TRACE(testing::PrintToString(kind));
        FtpServer server;
        serveAs(server, kind);
        server.appearAt(kTakingTheName, kFolder + "Stundenplan.htm", othersPage);
        useServer(server);
        publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
        Form61* f = publish<Form61>();
        EXPECT_EQ(f->Label1->text(), "Die Seite wurde nicht hochgeladen: Der Server hat die Datei "
                                     "/VORDA/Schule-am-Park/Stundenplan.htm.neu nicht in "
                                     "/VORDA/Schule-am-Park/Stundenplan.htm umbenannt (Antwort 550).");
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), othersPage.toUtf8());
        EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.alt"));
        EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.neu"));
        f->close();
    }
}

// Closing the window while the published page steps aside or is aside: the
// window goes at once, the upload puts a page under the name, and the end of
// the program waits for that.
TEST_F(PageUploadTest, ClosingTheWindowWhileThePageIsAsideLeavesAPageOnTheServer)
{
    constexpr double kStallSeconds = 2;
    constexpr int kClosingMilliseconds = 1000;
    for (const QString& point : {kSteppingAside, kTakingTheName}) {
        SCOPED_TRACE(point.toStdString());
        FtpServer server;
        EXPECT_LT(closeWhileStalled(server, point, kStallSeconds), kClosingMilliseconds);
        FinishUploadsOfClosedWindows(kLongestUpload);
        EXPECT_EQ(onServer(server, "Stundenplan.htm"), readBytes("Stundenplan.htm"));
        EXPECT_FALSE(onServerAtAll(server, "Stundenplan.htm.neu"));
    }
    EXPECT_EQ(messages(), QStringList()) << "nothing to tell at the end";
}

// A closed window's upload that lost the server with the page aside is told
// at the end, unless a later upload saw to it.
TEST_F(PageUploadTest, APageAClosedWindowsUploadLeftAsideIsToldAtTheEnd)
{
    constexpr double kStallSeconds = 0.5;
    constexpr int kEndingMilliseconds = 1000;
    for (const bool uploadedAgain : {false, true}) {
        SCOPED_TRACE(uploadedAgain ? "uploaded again" : "not uploaded again");
        const qsizetype told = messages().size();
        FtpServer server;
        server.hangUpAt(kTakingTheName, false);
        server.goneAfterHangingUp();
        closeWhileStalled(server, kTakingTheName, kStallSeconds);
        while (!server.log().contains("hanging up"))
            QTest::qWait(kEndingMilliseconds / 10);
        // The upload finds the server gone and ends.
        QTest::qWait(kEndingMilliseconds);
        ASSERT_EQ(onServer(server, "Stundenplan.htm.alt"), kYesterdaysPage);
        FtpServer again;
        if (uploadedAgain) {
            useServer(again);
            publishedBefore(again, "Stundenplan.htm.alt", kYesterdaysPage);
            EXPECT_TRUE(publish<Form61>()->Label1->text().startsWith("Der Stundenplan kann nun"));
        }
        forms::unloadAll();
        FinishUploadsOfClosedWindows(kLongestUpload);
        EXPECT_EQ(messages().mid(told), uploadedAgain ? QStringList()
                                            : QStringList{"Das Hochladen von Stundenplan.htm ließ sich vor dem Beenden "
                                                          "nicht abschließen: die bisherige Seite liegt womöglich als "
                                                          "/VORDA/Schule-am-Park/Stundenplan.htm.alt auf dem Server "
                                                          "127.0.0.1 und fehlt dort, bis das nächste Hochladen sie "
                                                          "zurücklegt."});
    }
}

// The window opened anew uploads the same page while the closed one's upload
// still puts it back: the two share the page's copies on the server, so the
// new upload begins once the other one ended.
TEST_F(PageUploadTest, AnUploadOfThePageBeingPutBackWaitsForIt)
{
    constexpr double kStallSeconds = 1;
    FtpServer server;
    server.serveConnectionsApart();
    closeWhileStalled(server, kTakingTheName, kStallSeconds);
    Form61* f = publish<Form61>();
    EXPECT_TRUE(f->Label1->text().startsWith("Der Stundenplan kann nun mit einem Browser"));
    EXPECT_EQ(onServer(server, "Stundenplan.htm"), readBytes("Stundenplan.htm"));
    const QString log = server.log();
    const qsizetype stalled = log.indexOf("stalling at " + kTakingTheName);
    EXPECT_LT(log.indexOf("-> 250 Renaming ok.", stalled), log.indexOf("<- USER", stalled))
        << "the new page took its name before the second upload logged in";
}

// A server that stopped answering while the page is aside does not keep the
// program from ending.
TEST_F(PageUploadTest, TheEndOfTheProgramWaitsForAPageToComeBackOnlySoLong)
{
    constexpr double kNeverAnswers = 30;
    constexpr std::chrono::milliseconds kWaiting{300};
    constexpr int kEndedMilliseconds = 3000;
    FtpServer server;
    closeWhileStalled(server, kTakingTheName, kNeverAnswers);
    QElapsedTimer ending;
    ending.start();
    FinishUploadsOfClosedWindows(kWaiting);
    EXPECT_GE(ending.elapsed(), kWaiting.count());
    EXPECT_LT(ending.elapsed(), kEndedMilliseconds);
    EXPECT_EQ(messages(), QStringList({"Das Hochladen von Stundenplan.htm ließ sich vor dem Beenden nicht abschließen: "
                                       "die bisherige Seite liegt womöglich als "
                                       "/VORDA/Schule-am-Park/Stundenplan.htm.alt auf dem Server 127.0.0.1 und fehlt "
                                       "dort, bis das nächste Hochladen sie zurücklegt."}));
}

// While one window's upload waits for a server that says nothing, the other
// window's upload runs to its end, and the waiting window says what it does.
TEST_F(PageUploadTest, TwoUploadsAtOnceEachEndOnTheirOwn)
{
    constexpr double kNeverAnswers = 30;
    constexpr int kTurnMilliseconds = 10;
    FtpServer server;
    server.serveConnectionsApart();
    server.stallAt("PASS", kNeverAnswers);
    useServer(server);
    Form61* timetable = publish<Form61>(false);
    Form62* substitution = publish<Form62>(false);
    timetable->Command1->click();
    for (int turn = 0; turn < 1000 && !server.stalling("PASS"); ++turn)
        QTest::qWait(kTurnMilliseconds);
    ASSERT_TRUE(server.stalling("PASS"));

    upload(substitution);
    EXPECT_TRUE(substitution->Label1->text().startsWith("Der Vertretungsplan kann nun mit einem Browser"));
    EXPECT_EQ(onServer(server, "Montag.htm"), readBytes("Montag.htm"));
    EXPECT_TRUE(timetable->uploading());
    EXPECT_EQ(timetable->Label1->text(), "Hochladen ...");
    EXPECT_EQ(timetable->cursor().shape(), Qt::BusyCursor);
    EXPECT_EQ(substitution->cursor().shape(), Qt::ArrowCursor);
    timetable->close();
}

// A server that stalls somewhere in the upload: the program's event loop
// turns on, and closing the window ends the upload at once.
struct Stall {
    const char* point;
    bool substitutionWindow;
    friend void PrintTo(const Stall& s, std::ostream* out)
    {
        *out << (s.substitutionWindow ? "Form62, " : "Form61, ") << s.point;
    }
};

class StalledUploadTest : public PageUploadTest, public testing::WithParamInterface<Stall> {
protected:
    static constexpr double kNeverAnswers = 30;
    static constexpr int kTickMilliseconds = 10;
    static constexpr int kTicksWhileStalled = 10;
    // Far below the stall, with room for a loaded machine.
    static constexpr int kAbortMilliseconds = 2000;
    // More than the sockets' buffers take, so that a server that stops
    // reading catches the program in the middle of sending.
    static constexpr int kLargePage = 8 * 1024 * 1024;
};

TEST_P(StalledUploadTest, TheProgramStaysUsableAndClosingTheWindowAbortsAtOnce)
{
    FtpServer server;
    server.stallAt(GetParam().point, kNeverAnswers);
    useServer(server);
    PublishingWindow* f = GetParam().substitutionWindow ? static_cast<PublishingWindow*>(publish<Form62>(false))
                                                        : publish<Form61>(false);
    writeBytes(GetParam().substitutionWindow ? "Montag.htm" : "Stundenplan.htm", QByteArray(kLargePage, 'x'));

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(kTickMilliseconds);
    int ticksAtStall = -1;
    qint64 closingMilliseconds = -1;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (ticksAtStall < 0 && server.stalling(GetParam().point)) {
            ticksAtStall = ticks;
        } else if (ticksAtStall >= 0 && ticks - ticksAtStall >= kTicksWhileStalled) {
            watcher.stop();
            QElapsedTimer closing;
            closing.start();
            f->close();
            closingMilliseconds = closing.elapsed();
        }
    });
    watcher.start(kTickMilliseconds);
    upload(f);

    ASSERT_GE(closingMilliseconds, 0) << "the window was closed while the server stalled";
    EXPECT_LT(closingMilliseconds, kAbortMilliseconds);
    EXPECT_FALSE(forms::isOpen<Form61>() || forms::isOpen<Form62>());
}

INSTANTIATE_TEST_SUITE_P(EveryPhase, StalledUploadTest,
                         testing::Values(Stall{"greeting", false}, Stall{"PASS", false}, Stall{"MKD", false},
                                         Stall{"EPSV", false}, Stall{"read", false}, Stall{"reply", false},
                                         Stall{"QUIT", false}, Stall{"reply", true}),
                         [](const testing::TestParamInfo<Stall>& info) {
                             return std::string(info.param.substitutionWindow ? "Form62_" : "Form61_")
                                 + info.param.point;
                         });

class BrokenUploadTest : public PageUploadTest, public testing::WithParamInterface<ServerKind> {};

// A break at any command from the tidying on: success is told only when the new
// page stands, certain failure only when the old one does, "womöglich" only
// when the server is gone; a page missing under its name lies aside.
TEST_P(BrokenUploadTest, ABreakAtAnyCommandLeavesAPageOnTheServerAndIsToldAsItStands)
{
    const QString success = "Der Stundenplan kann nun mit einem Browser unter "
                            "127.0.0.1/VORDA/Schule-am-Park/Stundenplan.htm aufgerufen werden.";
    FtpServer whole;
    serveAs(whole, GetParam());
    useServer(whole);
    publishedBefore(whole, "Stundenplan.htm", kYesterdaysPage);
    publish<Form61>()->close();
    const QStringList points = commandsFromTheTidyingOn(whole.log());
    ASSERT_TRUE(points.contains("RNTO#1")) << whole.log().toStdString();
    for (const QString& point : points) {
        for (const bool afterCarryingOut : {false, true}) {
            for (const bool gone : {false, true}) {
                SCOPED_TRACE((point + (afterCarryingOut ? " after" : " before")
                              + (gone ? ", server gone" : ", server stays"))
                                 .toStdString());
                FtpServer server;
                serveAs(server, GetParam());
                server.hangUpAt(point, afterCarryingOut);
                if (gone)
                    server.goneAfterHangingUp();
                useServer(server);
                publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
                Form61* f = publish<Form61>();
                const QString told = f->Label1->text();
                const QByteArray standing = onServer(server, "Stundenplan.htm");
                const bool newPage = standing == readBytes("Stundenplan.htm");
                const bool mayBe = told.contains("womöglich");
                if (told == success || !gone) {
                    EXPECT_EQ(told == success, newPage) << told.toStdString();
                }
                if (!gone) {
                    EXPECT_FALSE(mayBe) << told.toStdString();
                }
                if (told != success && !mayBe) {
                    EXPECT_EQ(standing, kYesterdaysPage) << told.toStdString();
                }
                if (standing.isEmpty()) {
                    EXPECT_EQ(onServer(server, "Stundenplan.htm.alt"), kYesterdaysPage);
                }
                f->close();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryServer, BrokenUploadTest, testing::ValuesIn(kEveryServer), serverName);

class UnreadListingTest : public PageUploadTest, public testing::WithParamInterface<ServerKind> {};

// The server tells no sizes, and its listing gives the probe in a form the
// upload reads but the pages' files in one it cannot: after a break at any
// rename the window cannot say where the pages stand and says so, naming
// where the published page may lie aside when it is not under its name.
TEST_P(UnreadListingTest, ABreakAtAnyRenameLeavesThePageInDoubt)
{
    FtpServer whole;
    serveAs(whole, GetParam());
    useServer(whole);
    publishedBefore(whole, "Stundenplan.htm", kYesterdaysPage);
    publish<Form61>()->close();
    const QStringList renames = commandsFromTheTidyingOn(whole.log()).filter(QRegularExpression("^RNTO#"));
    ASSERT_FALSE(renames.isEmpty()) << whole.log().toStdString();
    for (const QString& point : renames) {
        for (const bool afterCarryingOut : {false, true}) {
            SCOPED_TRACE((point + (afterCarryingOut ? " after" : " before")).toStdString());
            FtpServer server;
            serveAs(server, GetParam());
            server.hangUpAt(point, afterCarryingOut);
            useServer(server);
            publishedBefore(server, "Stundenplan.htm", kYesterdaysPage);
            Form61* f = publish<Form61>();
            const QString told = f->Label1->text();
            EXPECT_TRUE(told.startsWith("Das Hochladen ist womöglich fehlgeschlagen: ")
                        || told.contains("; die bisherige Seite liegt womöglich als "))
                << told.toStdString();
            if (onServer(server, "Stundenplan.htm").isEmpty()) {
                EXPECT_EQ(onServer(server, "Stundenplan.htm.alt"), kYesterdaysPage);
                EXPECT_TRUE(told.contains("womöglich als /VORDA/Schule-am-Park/Stundenplan.htm.alt"))
                    << told.toStdString();
            }
            f->close();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryServer, UnreadListingTest,
                         testing::Values(ServerKind{true, false, FtpServer::Listing::BlankInGroup},
                                         ServerKind{false, false, FtpServer::Listing::BlankInGroup}),
                         serverName);
}
