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
#include <utility>

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

// What the server shows of a file.
enum class Presence { There, Missing, Untold };

// Where the files of a page stand on the server: under the page's name, its
// incoming copy, and the published page set aside.
struct Stand {
    Presence name = Presence::Untold;
    Presence copy = Presence::Untold;
    Presence aside = Presence::Untold;
};

// The upload's commands, one after the other on one connection, each with
// the account of the order and each awaited.
class Upload {
public:
    Upload(Inet& inet, const UploadOrder& order, const UploadStops& stops, const QString& pageAside)
        : m_inet(inet), m_order(order), m_stops(stops), m_name(order.serverFolder + order.page.name),
          m_incoming(m_name + kIncoming), m_aside(m_name + kAside), m_leftAside(pageAside)
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
    // The published page as the upload left it set aside, if it did or may have.
    QString leftAside() const { return m_leftAside; }

    // Why the page is not, or may not be, published: `refusal` when the
    // upload came to its end, else the failure that stopped it; and what
    // that left on the server.
    QString failure(const QString& refusal) const
    {
        QString text = m_mayBePut          ? QStringLiteral("Das Hochladen ist womöglich fehlgeschlagen: ")
                       : refusal.isEmpty() ? QStringLiteral("Das Hochladen ist fehlgeschlagen: ")
                                           : QStringLiteral("Die Seite wurde nicht hochgeladen: ");
        text += refusal.isEmpty() ? m_inet.errorText() : refusal;
        if (!m_leftAside.isEmpty()) {
            const bool certain = m_asideSeen && !m_mayBePut;
            text += QStringLiteral("; die bisherige Seite liegt %1als %2 auf dem Server und fehlt dort, bis das "
                                   "nächste Hochladen sie zurücklegt")
                        .arg(certain ? QString() : QStringLiteral("womöglich "), m_leftAside);
        } else if (m_mayBePut) {
            text += QStringLiteral("; ob unter %1 schon die neue Seite steht, ließ sich nicht prüfen").arg(m_name);
        }
        return text + QLatin1Char('.');
    }

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
        if (!run(QStringLiteral("Put %1 %2").arg(probe, remoteProbe)))
            return false;
        m_probePut = done();
        return true;
    }
    // Clears what a broken or stopped upload of the page left: its incoming
    // copy goes, and a published page that it had set aside comes back onto
    // the name once that is seen free, or goes once a page is seen under the
    // name (the new one took its place after all). Where the server shows
    // neither, the page stays aside. Refusals are no reason to stop; false
    // when the upload cannot go on.
    bool tidy()
    {
        Stand stand;
        if (!run(QStringLiteral("DELETE ") + m_incoming) || !look(stand))
            return false;
        if (stand.aside == Presence::Missing || stand.name == Presence::There) {
            m_leftAside.clear();
            if (stand.aside != Presence::Missing && !remove(m_aside))
                return false;
            m_asideBefore = stand.aside == Presence::Missing || done() ? Presence::Missing : stand.aside;
            return true;
        }
        if (stand.aside != Presence::There || stand.name != Presence::Missing)
            return true;
        leaveAside(false);
        if (!run(rename(m_aside, m_name)))
            return false;
        if (!done())
            return refusedBack();
        m_leftAside.clear();
        m_asideBefore = Presence::Missing;
        return true;
    }
    // Puts a file under a name of its own, which takes the page's name only
    // when the server holds all of it: a connection that breaks leaves the
    // file that visitors see as it was. False when the upload cannot go on;
    // otherwise `refusal` tells why the file was not put, if it was not.
    bool replace(const QString& local, QString& refusal)
    {
        if (!run(QStringLiteral("Put %1 %2").arg(local, m_incoming)))
            return false;
        if (!done()) {
            refusal = m_inet.errorText();
            return remove(m_incoming);
        }
        // A server that cannot tell the size is trusted with its reply to the transfer.
        if (m_tellsSizes) {
            if (!run(QStringLiteral("SIZE ") + m_incoming))
                return false;
            const qint64 sent = QFileInfo(local).size();
            if (const qint64 arrived = m_inet.remoteSize(); arrived >= 0 && arrived != sent) {
                refusal = QStringLiteral("Auf dem Server kamen nur %1 von %2 Bytes an").arg(arrived).arg(sent);
                return remove(m_incoming);
            }
        }
        m_mayBePut = true;
        if (!run(rename(m_incoming, m_name)))
            return reopen(refusal);
        m_mayBePut = false;
        if (done()) {
            m_leftAside.clear();
            return true;
        }
        return replaceStepwise(m_inet.errorText(), refusal);
    }

private:
    // Learns what stands on the server. A server that does not tell the
    // sizes shows it by the names in the page's folder. False when the
    // upload cannot go on.
    bool look(Stand& stand)
    {
        if (m_tellsSizes) {
            const std::pair<const QString&, Presence&> files[] = {
                {m_name, stand.name}, {m_incoming, stand.copy}, {m_aside, stand.aside}};
            for (const auto& [file, presence] : files) {
                if (!measure(file, presence))
                    return false;
                m_tellsSizes = presence != Presence::Untold;
                if (!m_tellsSizes)
                    break;
            }
            if (m_tellsSizes)
                return true;
        }
        if (!run(QStringLiteral("LS ") + m_order.serverFolder))
            return false;
        const QStringList names = m_inet.remoteNames();
        // A listing shows a file missing only when it names the probe this
        // upload put and each of its lines gives a name: a server may list
        // some files or all in a form that is not understood, or leave files
        // out.
        const bool whole = done() && m_probePut && names.contains(kProbe) && !m_inet.remoteNamesPartial();
        const auto listed = [&](const QString& file) {
            if (done() && names.contains(file.section(QLatin1Char('/'), -1)))
                return Presence::There;
            return whole ? Presence::Missing : Presence::Untold;
        };
        stand = {listed(m_name), listed(m_incoming), listed(m_aside)};
        return true;
    }
    // False when the upload cannot go on.
    bool measure(const QString& remote, Presence& presence)
    {
        if (!run(QStringLiteral("SIZE ") + remote))
            return false;
        if (!done())
            presence = m_inet.remoteFileMissing() ? Presence::Missing : Presence::Untold;
        else
            presence = m_inet.remoteSize() >= 0 ? Presence::There : Presence::Untold;
        return true;
    }

    // A closed window stops the upload, except while a published page is away from its name.
    bool stopHeeded() const { return m_stops.program || (m_stops.window && !m_settling); }

    // For servers that rename only onto a free name: the published page steps
    // aside, the new one takes its name, and only then the old one goes. When
    // the new one cannot take its place the old one comes back.
    // `renameRefused` is why the new one could not take the name at once.
    bool replaceStepwise(const QString& renameRefused, QString& refusal)
    {
        if (stopHeeded())
            return false;
        // From here on until a page stands under the name again, a closed
        // window waits: even a cancelled rename may have been carried out.
        m_settling = true;
        if (!run(rename(m_name, m_aside)))
            return reopen(refusal);
        if (!done()) {
            m_settling = false;
            refusal = renameRefused + QStringLiteral("; eine schon veröffentlichte Seite bleibt, wie sie war");
            // A leftover aside that the server does not show as gone keeps
            // the published page from stepping aside, upload after upload:
            // it is named for the user to remove, unless an upload of ours
            // may have left the published page there, its only copy. Only
            // a server that showed it proves it is there.
            if (m_asideBefore != Presence::Missing && m_leftAside.isEmpty())
                refusal += QStringLiteral("; %1 auf dem Server noch %2 von einem früheren Hochladen, lässt sie "
                                          "sich erst ersetzen, wenn diese Datei gelöscht ist")
                               .arg(m_asideBefore == Presence::There ? QStringLiteral("liegt")
                                                                     : QStringLiteral("liegt womöglich"),
                                    m_aside);
            return remove(m_incoming);
        }
        return takeName(QString(), true, refusal);
    }
    // The name is free: the new page takes it, or else the published page
    // comes back from aside, if it stepped aside. `failed` is why the upload
    // failed if the new one does not take the name, empty for the refusal of
    // its rename.
    bool takeName(const QString& failed, bool aside, QString& refusal)
    {
        m_mayBePut = true;
        if (!run(rename(m_incoming, m_name)))
            return reopen(refusal);
        m_mayBePut = false;
        if (done())
            return settled(aside ? m_aside : QString());
        refusal = failed.isEmpty() ? m_inet.errorText() : failed;
        return aside ? putBack(refusal) : settled(m_incoming);
    }
    // The new page did not take the free name: the published one comes back.
    bool putBack(QString& refusal)
    {
        if (!run(rename(m_aside, m_name)))
            return reopen(refusal);
        if (done())
            return settled(m_incoming);
        m_settling = false;
        if (!refusedBack())
            return false;
        remove(m_incoming);
        return true;
    }
    // The published page set aside was refused its name: it is told as
    // missing there only when the server shows the name free. A page seen
    // under the name stays, and the one aside goes as a leftover. False when
    // the upload cannot go on.
    bool refusedBack()
    {
        Stand stand;
        if (!look(stand)) {
            leaveAside(false);
            return false;
        }
        if (stand.name == Presence::There) {
            m_leftAside.clear();
            remove(m_aside);
        } else {
            leaveAside(stand.name == Presence::Missing && stand.aside == Presence::There);
        }
        return true;
    }
    // The connection broke while the page's name was changing hands: it is
    // opened once more, and the server shows where the pages stand before
    // anything is told. A page under the name stays, the new one when its
    // copy is gone; else the new one takes the free name or the old one
    // comes back. A second break, or a server that shows nothing, leaves
    // the upload in doubt about the page, and the published one aside if it
    // may be.
    bool reopen(QString& refusal)
    {
        if (stopHeeded() || m_reopened) {
            if (m_settling)
                leaveAside(false);
            m_settling = false;
            return false;
        }
        m_reopened = true;
        const QString why = refusal.isEmpty() ? m_inet.errorText() : refusal;
        Stand stand;
        if (!look(stand))
            return reopen(refusal);
        if (stand.name == Presence::Untold) {
            refusal = why;
            if (m_settling)
                leaveAside(false);
            m_settling = false;
            return true;
        }
        if (stand.name == Presence::There && stand.copy != Presence::Missing) {
            // The new page's copy still there, it did not take the name; a
            // copy the server does not show leaves that in doubt.
            m_mayBePut = m_mayBePut && stand.copy == Presence::Untold;
            refusal = why;
            return settled(m_incoming);
        }
        m_mayBePut = false;
        if (stand.name == Presence::There) {
            refusal.clear();
            return settled(stand.aside == Presence::There ? m_aside : QString());
        }
        // Until a page stands under the name, a closed window waits.
        m_settling = stand.aside == Presence::There;
        if (stand.copy == Presence::There)
            return takeName(why, m_settling, refusal);
        refusal = why;
        return !m_settling || putBack(refusal);
    }
    // No published page is away from its name any more: whatever happens to
    // the leftover, which goes unless the window closed, the next upload
    // tidies it up.
    bool settled(const QString& leftover)
    {
        m_settling = false;
        m_leftAside.clear();
        if (!leftover.isEmpty())
            remove(leftover);
        return true;
    }
    // The published page is, or may be, aside when the upload ends.
    void leaveAside(bool seen)
    {
        m_leftAside = m_aside;
        m_asideSeen = seen;
    }
    // Removes a file the upload leaves; after a refusal the next upload tries again.
    bool remove(const QString& remote) { return run(QStringLiteral("DELETE ") + remote); }
    static QString rename(const QString& from, const QString& to) { return QStringLiteral("RENAME %1 %2").arg(from, to); }

    Inet& m_inet;
    const UploadOrder& m_order;
    const UploadStops& m_stops;
    // The page's name on the server, its incoming copy's and the published page's while it is aside.
    const QString m_name;
    const QString m_incoming;
    const QString m_aside;
    bool m_tellsSizes = true;
    // The probe arrived: a listing of the folder that does not name it lists only part of it.
    bool m_probePut = false;
    // Before the page was put, the name it steps aside to was seen free or
    // made free (Missing), or a leftover was seen there (There).
    Presence m_asideBefore = Presence::Untold;
    bool m_settling = false;
    bool m_reopened = false;
    // A rename of the new page onto its name was under way when the upload
    // lost sight of the server: the page may stand or not.
    bool m_mayBePut = false;
    // The published page as the upload left it set aside: the name was
    // refused to it, or a break or the program's end came while it may have
    // been aside; `m_asideSeen` when the server showed it there at the end.
    QString m_leftAside;
    bool m_asideSeen = false;
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

UploadResult UploadPage(Inet& inet, const UploadOrder& order, const UploadStops& stops, const QString& pageAside)
{
    if (order.host.isEmpty())
        return {false, QStringLiteral("Es ist kein Server zum Hochladen eingetragen: die Datei ftp.dat im Datenordner "
                                      "fehlt, oder ihre erste Zeile ist leer."),
                pageAside};
    QStringList notes;
    Upload upload(inet, order, stops, pageAside);
    QString refusal;
    const bool ended = upload.sendProbe(notes) && upload.tidy() && upload.replace(order.page.path, refusal);
    const bool pagePut = ended && refusal.isEmpty();
    // A closed window hears nothing of the aborted upload.
    if (!pagePut && !(upload.stopped() && !ended))
        notes.prepend(upload.failure(ended ? refusal : QString()));
    if (!upload.stopped() && upload.run(QStringLiteral("CLOSE")))
        upload.run(QStringLiteral("QUIT"));
    return {pagePut, notes.join(QLatin1Char(' ')), upload.leftAside()};
}
