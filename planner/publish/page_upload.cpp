#include "planner/publish/page_upload.h"

#include "core/model.h"
#include "platform/clock.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/ftp.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

namespace {
const QString kProbe = QStringLiteral("test.dat");
// Added to a file's name on the server while the file is on its way.
const QString kIncoming = QStringLiteral(".neu");
// Added to the published page's name while the new one takes its place.
const QString kAside = QStringLiteral(".alt");
constexpr int kFtpPort = 21;

// The web host as a host name (and port), also when the line holds a whole address.
QString webHost()
{
    if (gWebHost.isEmpty())
        return gFtpHost.toString().trimmed();
    const QUrl url = QUrl::fromUserInput(gWebHost);
    return url.port() > 0 ? QStringLiteral("%1:%2").arg(url.host()).arg(url.port()) : url.host();
}

QStringList probeLines()
{
    QStringList lines{dates::shortText(Clock::today()), Clock::now().time().toString(QStringLiteral("HH:mm:ss"))};
    for (int t = 1; t <= gMaxTeachers.toInt(); ++t)
        lines << datafile::sanitizeField(gTeacherShort(t) + QStringLiteral(" = ") + gTeacherNames(t).toString());
    return lines;
}

// The upload's commands, one after the other on one connection, each with
// the account of the order and each awaited.
class Upload {
public:
    Upload(Inet& inet, const UploadOrder& order, const UploadStops& stops) : m_inet(inet), m_order(order), m_stops(stops)
    {
    }

    bool stopped() const { return m_stops.window || m_stops.program; }

    // Runs one command to its end; false when the upload cannot go on.
    bool run(const QString& command)
    {
        if (stopHeeded())
            return false;
        m_inet.RemoteHost = m_order.host;
        m_inet.UserName = m_order.user;
        m_inet.RemotePort = kFtpPort;
        m_inet.Password = m_order.password;
        m_inet.Execute(command);
        while (!stopHeeded() && m_inet.StillExecuting()) {
        }
        if (stopHeeded()) {
            m_inet.Cancel();
            return false;
        }
        return m_inet.outcome() != Inet::Outcome::ConnectionFailed;
    }
    bool done() const { return m_inet.outcome() == Inet::Outcome::Done; }
    QString error() const { return m_inet.errorText(); }
    // Why the upload could not go on, and what that left on the server.
    QString failure() const { return m_leftAside.isEmpty() ? error() : error() + missing(m_leftAside); }
    // The published page as the upload left it set aside, if it did.
    QString leftAside() const { return m_leftAside; }

    // Fetches the probe, makes the school's folder when there is none, and
    // puts the probe with today's teachers. False when the upload cannot go on;
    // what went wrong locally is added to `notes`.
    bool sendProbe(QStringList& notes)
    {
        QString folder = m_order.serverFolder;
        if (folder.endsWith(QLatin1Char('/')))
            folder.chop(1);
        const QTemporaryDir scratch;
        if (!scratch.isValid()) {
            notes << QStringLiteral("Die Datei %1 ließ sich nicht anlegen: im Ordner %2 kann das Programm keine "
                                    "Dateien anlegen.")
                         .arg(kProbe, QDir::toNativeSeparators(QDir::tempPath()));
            // Without its probe the upload cannot tell whether the school's
            // folder is there; a folder that is there refuses the "MKD".
            return run(QStringLiteral("MKDIR ") + folder);
        }
        const QString probe = scratch.filePath(kProbe);
        const QString remoteProbe = m_order.serverFolder + kProbe;
        if (!run(QStringLiteral("Get %1 %2").arg(remoteProbe, probe)))
            return false;
        // Only a fetched probe proves the folder; a failed "MKD" (the folder is
        // there after all) is left to the puts, which report a missing folder.
        if (!done() && !run(QStringLiteral("MKDIR ") + folder))
            return false;
        // A probe that does not arrive only means that the next upload makes the folder again.
        if (const datafile::WriteResult written = datafile::rewrite(probe, m_order.probeLines); !written) {
            notes << QStringLiteral("Die Datei %1 ließ sich nicht schreiben: %2.").arg(kProbe, written.reason);
            return true;
        }
        return run(QStringLiteral("Put %1 %2").arg(probe, remoteProbe));
    }
    // Clears what a broken or stopped upload of `target` left: its incoming
    // copy goes, and a published page that it had set aside is put back, or
    // goes once a page is seen under the name (the new one took its place
    // after all). A server that tells no sizes shows that page by refusing
    // the name to the one put back. Refusals are no reason to stop; false
    // when the upload cannot go on.
    bool tidy(const QString& target)
    {
        const QString aside = target + kAside;
        Presence old = Presence::Untold;
        Presence name = Presence::Untold;
        if (!run(QStringLiteral("DELETE ") + target + kIncoming) || !look(aside, old))
            return false;
        if (old == Presence::Missing)
            return true;
        if (!look(target, name))
            return false;
        if (name == Presence::There)
            return remove(aside);
        if (!run(rename(aside, target)))
            return false;
        return name == Presence::Untold && nameRefused() ? remove(aside) : true;
    }
    // Puts a file under a name of its own, which takes the name `target` only
    // when the server holds all of it: a connection that breaks leaves the
    // file that visitors see as it was. False when the upload cannot go on;
    // otherwise `refusal` tells why the file was not put, if it was not.
    bool replace(const QString& local, const QString& target, QString& refusal)
    {
        const QString incoming = target + kIncoming;
        if (!run(QStringLiteral("Put %1 %2").arg(local, incoming)))
            return false;
        if (!done()) {
            refusal = error();
            return remove(incoming);
        }
        if (!run(QStringLiteral("SIZE ") + incoming))
            return false;
        // A server that cannot tell the size is trusted with its reply to the transfer.
        const qint64 sent = QFileInfo(local).size();
        if (const qint64 arrived = m_inet.remoteSize(); arrived >= 0 && arrived != sent) {
            refusal = QStringLiteral("Auf dem Server kamen nur %1 von %2 Bytes an").arg(arrived).arg(sent);
            return remove(incoming);
        }
        if (!run(rename(incoming, target)))
            return false;
        return done() || replaceStepwise(incoming, target, error(), refusal);
    }

private:
    // What the server shows of a file; a server that answers no "SIZE" tells nothing.
    enum class Presence { There, Missing, Untold };
    // False when the upload cannot go on.
    bool look(const QString& remote, Presence& presence)
    {
        if (!run(QStringLiteral("SIZE ") + remote))
            return false;
        if (!done())
            presence = m_inet.remoteFileMissing() ? Presence::Missing : Presence::Untold;
        else
            presence = m_inet.remoteSize() >= 0 ? Presence::There : Presence::Untold;
        return true;
    }
    // The last rename was refused its new name: a file holds it. (Refused
    // otherwise, the file to rename is not there.)
    bool nameRefused() const { return !done() && !m_inet.remoteFileMissing(); }

    // A closed window stops the upload, except while a published page is away from its name.
    bool stopHeeded() const { return m_stops.program || (m_stops.window && !m_settling); }

    // For servers that rename only onto a free name: the published page steps
    // aside, the new one takes its name, and only then the old one goes. When
    // the new one cannot take its place the old one comes back.
    // `renameRefused` is why the new one could not take the name at once.
    bool replaceStepwise(const QString& incoming, const QString& target, const QString& renameRefused,
                         QString& refusal)
    {
        if (stopHeeded())
            return false;
        // From here on until a page stands under the name again, a closed
        // window waits: even a cancelled rename may have been carried out.
        m_settling = true;
        if (!run(rename(target, target + kAside)))
            return reopen(incoming, target, refusal);
        if (!done()) {
            m_settling = false;
            refusal = renameRefused + QStringLiteral("; eine schon veröffentlichte Seite bleibt, wie sie war");
            return remove(incoming);
        }
        return takeName(incoming, target, QString(), refusal);
    }
    // The published page stepped aside, or may have: the new one takes its
    // name, or else the old one comes back. What the server refuses tells
    // where the pages stand: a page whose copy is gone while the name is
    // refused to the old one has taken the name. `failed` is why the upload
    // failed if the new one does not take the name, empty for the refusal of
    // its rename.
    bool takeName(const QString& incoming, const QString& target, const QString& failed, QString& refusal)
    {
        const QString aside = target + kAside;
        if (!run(rename(incoming, target)))
            return reopen(incoming, target, refusal);
        if (done())
            return settled(aside);
        const bool copyGone = m_inet.remoteFileMissing();
        const QString why = failed.isEmpty() ? error() : failed;
        if (!run(rename(aside, target)))
            return reopen(incoming, target, refusal);
        if (copyGone && nameRefused())
            return settled(aside);
        refusal = why;
        if (nameRefused()) {
            m_leftAside = aside;
            refusal += missing(aside);
        }
        return settled(incoming);
    }
    // The connection broke while the published page may be away from its
    // name: it is opened once more, and the server shows where the pages
    // stand. A page under the name stays, the new one when its copy is gone;
    // else, or where the server tells no sizes, the new one takes the name or
    // the old one comes back. A second break leaves the page aside.
    bool reopen(const QString& incoming, const QString& target, QString& refusal)
    {
        const QString aside = target + kAside;
        if (m_reopened) {
            m_settling = false;
            m_leftAside = aside;
            return false;
        }
        m_reopened = true;
        const QString broke = error();
        Presence name = Presence::Untold;
        if (!look(target, name))
            return reopen(incoming, target, refusal);
        if (name != Presence::There)
            return takeName(incoming, target, broke, refusal);
        m_settling = false;
        Presence copy = Presence::Untold;
        if (!look(incoming, copy))
            return false;
        if (copy == Presence::Missing)
            return settled(aside);
        refusal = broke;
        return settled(incoming);
    }
    // A page stands under its name again: whatever happens to the leftover,
    // which goes unless the window closed, the next upload tidies it up.
    bool settled(const QString& leftover)
    {
        m_settling = false;
        remove(leftover);
        return true;
    }
    static QString missing(const QString& aside)
    {
        return QStringLiteral("; die bisherige Seite liegt als %1 auf dem Server und fehlt dort, bis das nächste "
                              "Hochladen sie zurücklegt")
            .arg(aside);
    }
    // Removes a file the upload leaves; after a refusal the next upload tries again.
    bool remove(const QString& remote) { return run(QStringLiteral("DELETE ") + remote); }
    static QString rename(const QString& from, const QString& to) { return QStringLiteral("RENAME %1 %2").arg(from, to); }

    Inet& m_inet;
    const UploadOrder& m_order;
    const UploadStops& m_stops;
    bool m_settling = false;
    bool m_reopened = false;
    // The published page as the upload left it set aside: the name was
    // refused to it, or a second break or the program's end came meanwhile.
    QString m_leftAside;
};
}

QString SchoolFolderAddress(bool withScheme)
{
    const QString host = webHost();
    if (host.isEmpty())
        return {};
    return (withScheme ? QStringLiteral("http://") : QString()) + host + gServerRoot + gSchoolNameDashed + QLatin1Char('/');
}

UploadOrder OrderUpload(const WrittenPage& page)
{
    return {gFtpHost.toString().trimmed(), gFtpUser.toString(), gFtpPassword.toString(), gServerFolder, probeLines(),
            page};
}

UploadResult UploadPage(Inet& inet, const UploadOrder& order, const UploadStops& stops)
{
    if (order.host.isEmpty())
        return {false, QStringLiteral("Es ist kein Server zum Hochladen eingetragen: die Datei ftp.dat im Datenordner "
                                      "fehlt, oder ihre erste Zeile ist leer."),
                QString()};
    QStringList notes;
    Upload upload(inet, order, stops);
    const auto end = [&](bool pagePut, const QString& report) {
        if (!upload.stopped() && upload.run(QStringLiteral("CLOSE")))
            upload.run(QStringLiteral("QUIT"));
        if (!report.isEmpty())
            notes.prepend(report);
        return UploadResult{pagePut, notes.join(QLatin1Char(' ')), upload.leftAside()};
    };
    // A closed window hears nothing of the aborted upload.
    const auto broken = [&] {
        return end(false, upload.stopped() ? QString()
                                           : QStringLiteral("Das Hochladen ist fehlgeschlagen: %1.").arg(upload.failure()));
    };

    const QString target = order.serverFolder + order.page.name;
    QString refusal;
    if (!upload.sendProbe(notes) || !upload.tidy(target) || !upload.replace(order.page.path, target, refusal))
        return broken();
    if (!refusal.isEmpty())
        return end(false, QStringLiteral("Die Seite wurde nicht hochgeladen: %1.").arg(refusal));
    return end(true, QString());
}
