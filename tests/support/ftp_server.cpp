#include "tests/support/ftp_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Only a server that fails to come up waits this long.
constexpr int kStartSeconds = 60;
constexpr int kStopMilliseconds = 5000;

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A socket bound to a free port of 127.0.0.1; -1 when none could be had.
int boundSocket(int& port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (s >= 0)
            ::close(s);
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}
}

bool FtpServer::start()
{
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments(QStringList{ORVQZ_FTP_SERVER_SCRIPT, "--root", root(), "--user", kUser, "--password", kPassword}
                           + m_misbehaviour);
    m_process.setStandardErrorFile(m_logDir.filePath(QStringLiteral("ftp.log")));
    m_process.start();
    if (!m_process.waitForStarted())
        return false;
    // The server binds a port of its own choosing and prints it once it
    // listens: the port read from its output is its own, and nothing else
    // takes it while the server runs.
    const QDeadlineTimer deadline(kStartSeconds * 1000);
    while (!m_process.canReadLine() && m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    bool printed = false;
    m_port = m_process.canReadLine() ? m_process.readLine().trimmed().toInt(&printed) : 0;
    return printed && m_port > 0;
}

void FtpServer::stallAt(const QString& point, double seconds)
{
    m_misbehaviour << "--stall" << point << QString::number(seconds);
}

void FtpServer::hangUpAt(const QString& command, bool afterCarryingOut)
{
    m_misbehaviour << "--hang-up" << command << (afterCarryingOut ? "after" : "before");
}

void FtpServer::appearAt(const QString& command, const QString& file, const QString& text)
{
    m_misbehaviour << "--appear" << command << file << text;
}

void FtpServer::goneAfterHangingUp() { m_misbehaviour << "--gone-after-hang-up"; }

void FtpServer::breakUploadsAfter(int bytes) { m_misbehaviour << "--break-after" << QString::number(bytes); }

void FtpServer::refuseRenamingOver() { m_misbehaviour << "--no-rename-over"; }

void FtpServer::refuseRenaming() { m_misbehaviour << "--no-rename"; }

void FtpServer::refuseSize() { m_misbehaviour << "--no-size"; }

void FtpServer::listAs(Listing listing)
{
    const char* const options[] = {"names", "long", "blank-in-group", "dos", "nothing"};
    m_misbehaviour << "--listing" << options[static_cast<int>(listing)];
}

void FtpServer::serveConnectionsApart() { m_misbehaviour << "--threaded"; }

FtpServer::~FtpServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(kStopMilliseconds)) {
        m_process.kill();
        m_process.waitForFinished(kStopMilliseconds);
    }
}

QString FtpServer::log() const
{
    QFile f(m_logDir.filePath(QStringLiteral("ftp.log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

int FtpServer::received(const QString& command) const
{
    const QRegularExpression line(QStringLiteral("<- %1(\\s|$)").arg(QRegularExpression::escape(command)),
                                  QRegularExpression::MultilineOption);
    int count = 0;
    for (auto it = line.globalMatch(log()); it.hasNext(); it.next())
        ++count;
    return count;
}

bool FtpServer::stalling(const QString& point) const
{
    return log().contains(QStringLiteral("stalling at ") + point.toUpper());
}

ClosedPort::ClosedPort() : m_socket(boundSocket(m_port)) {}

ClosedPort::~ClosedPort()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

SilentServer::SilentServer()
{
    if (m_socket >= 0)
        ::listen(m_socket, 4);
}
