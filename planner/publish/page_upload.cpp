#include "planner/publish/page_upload.h"

#include "core/model.h"
#include "platform/clock.h"
#include "platform/datafile.h"
#include "platform/dates.h"
#include "platform/ftp.h"
#include "platform/runtime.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace {
const QString kProbe = QStringLiteral("test.dat");
// Added to a file's name on the server while the file is on its way.
const QString kIncoming = QStringLiteral(".neu");
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

// Removes the local probe; false when it is there and stays.
bool removeProbe(const QString& probe)
{
    const QString real = datafile::find(probe);
    return real.isEmpty() || QFile::remove(real);
}

// The upload's commands, one after the other on one connection, each with
// the account of "ftp.dat" and each awaited while the windows stay usable.
class Upload {
public:
    Upload(Inet& inet, const std::function<bool()>& stopped) : m_inet(inet), m_stopped(stopped) {}

    // Runs one command to its end; false when the upload cannot go on.
    bool run(const QString& command)
    {
        m_inet.RemoteHost = gFtpHost.toString().trimmed();
        m_inet.UserName = gFtpUser.toString();
        m_inet.RemotePort = kFtpPort;
        m_inet.Password = gFtpPassword.toString();
        m_inet.Execute(command);
        DoEvents();
        while (!m_stopped() && m_inet.StillExecuting())
            DoEvents();
        if (m_stopped()) {
            m_inet.Cancel();
            return false;
        }
        return m_inet.outcome() != Inet::Outcome::ConnectionFailed;
    }
    // Puts a file under a name of its own, which takes the name `target` only
    // when the server holds all of it: a connection that breaks leaves the
    // file that visitors see as it was, and what came of the new one is
    // overwritten next time. False when the upload cannot go on; otherwise
    // `refusal` tells why the file was not put, if it was not.
    bool replace(const QString& local, const QString& target, QString& refusal)
    {
        const QString incoming = target + kIncoming;
        if (!run(QStringLiteral("Put %1 %2").arg(local, incoming)))
            return false;
        if (!done()) {
            refusal = error();
            return true;
        }
        if (!run(QStringLiteral("SIZE ") + incoming))
            return false;
        // A server that cannot tell the size is trusted with its reply to the transfer.
        const qint64 sent = QFileInfo(local).size();
        if (const qint64 arrived = m_inet.remoteSize(); arrived >= 0 && arrived != sent) {
            refusal = QStringLiteral("Auf dem Server kamen nur %1 von %2 Bytes an").arg(arrived).arg(sent);
            return run(QStringLiteral("DELETE ") + incoming);
        }
        const QString rename = QStringLiteral("RENAME %1 %2").arg(incoming, target);
        if (!run(rename))
            return false;
        // Some servers rename only onto a free name: the old file goes just
        // before the new one takes its place.
        if (!done() && !(run(QStringLiteral("DELETE ") + target) && run(rename)))
            return false;
        if (!done())
            refusal = error();
        return true;
    }
    bool done() const { return m_inet.outcome() == Inet::Outcome::Done; }
    QString error() const { return m_inet.errorText(); }

private:
    Inet& m_inet;
    const std::function<bool()>& m_stopped;
};
}

QString SchoolFolderAddress(bool withScheme)
{
    const QString host = webHost();
    if (host.isEmpty())
        return {};
    return (withScheme ? QStringLiteral("http://") : QString()) + host + gServerRoot + gSchoolNameDashed + QLatin1Char('/');
}

UploadResult UploadPage(Inet& inet, const WrittenPage& page, const std::function<bool()>& stopped)
{
    if (gFtpHost.toString().trimmed().isEmpty())
        return {false, QStringLiteral("Es ist kein Server zum Hochladen eingetragen: die Datei ftp.dat im Datenordner "
                                      "fehlt, oder ihre erste Zeile ist leer.")};
    const QString probe = gDataPath + kProbe;
    QStringList notes;
    Upload upload(inet, stopped);
    const auto end = [&](bool pagePut, const QString& report) {
        if (!stopped() && upload.run(QStringLiteral("CLOSE")))
            upload.run(QStringLiteral("QUIT"));
        if (!removeProbe(probe))
            notes << QStringLiteral("Die Datei %1 im Datenordner ließ sich nicht löschen.").arg(kProbe);
        if (!report.isEmpty())
            notes.prepend(report);
        return UploadResult{pagePut, notes.join(QLatin1Char(' '))};
    };
    // A closed window hears nothing of the aborted upload.
    const auto broken = [&] {
        return end(false, stopped() ? QString() : QStringLiteral("Das Hochladen ist fehlgeschlagen: %1.").arg(upload.error()));
    };

    removeProbe(probe);
    if (!upload.run(QStringLiteral("Get %1%2 %3").arg(gServerFolder, kProbe, probe)))
        return broken();
    // Only a fetched probe proves the folder; a failed "MKD" (the folder is
    // there after all) is left to the puts, which report a missing folder.
    QString folder = gServerFolder;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (!upload.done() && !upload.run(QStringLiteral("MKDIR ") + folder))
        return broken();
    // A probe that does not arrive only means that the next upload makes the folder again.
    if (const datafile::WriteResult written = datafile::rewrite(probe, probeLines()); !written)
        notes << QStringLiteral("Die Datei %1 im Datenordner ließ sich nicht schreiben: %2.").arg(kProbe, written.reason);
    else if (!upload.run(QStringLiteral("Put %1 %2%3").arg(probe, gServerFolder, kProbe)))
        return broken();
    removeProbe(probe);

    QString refusal;
    if (!upload.replace(page.path, gServerFolder + page.name, refusal))
        return broken();
    if (!refusal.isEmpty())
        return end(false, QStringLiteral("Die Seite wurde nicht hochgeladen: %1.").arg(refusal));
    return end(true, QString());
}
