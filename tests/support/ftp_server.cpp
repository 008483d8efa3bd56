#include "tests/support/ftp_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kStartSeconds = 15;
constexpr int kPollMilliseconds = 10;
constexpr int kStopMilliseconds = 5000;
constexpr int kAttempts = 3;

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

bool accepts(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    const bool connected = s >= 0 && ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (s >= 0)
        ::close(s);
    return connected;
}
}

int FtpServer::freePort()
{
    int port = 0;
    const int s = boundSocket(port);
    if (s >= 0)
        ::close(s);
    return port;
}

bool FtpServer::start()
{
    // Another program may take the free port between the look and the start.
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        m_port = freePort();
        m_process.setProgram(QStringLiteral("/usr/bin/python3"));
        m_process.setArguments(QStringList{ORVQZ_FTP_SERVER_SCRIPT, "--port", QString::number(m_port), "--root", root(),
                                           "--user", kUser, "--password", kPassword}
                               + m_misbehaviour);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(m_logDir.filePath(QStringLiteral("ftp.log")));
        m_process.start();
        if (!m_process.waitForStarted())
            return false;
        const QDeadlineTimer deadline(kStartSeconds * 1000);
        while (m_process.state() == QProcess::Running && !deadline.hasExpired()) {
            if (accepts(m_port))
                return true;
            QThread::msleep(kPollMilliseconds);
        }
        m_process.kill();
        m_process.waitForFinished(kStopMilliseconds);
    }
    return false;
}

void FtpServer::stallAt(const QString& point, double seconds)
{
    m_misbehaviour << "--stall" << point << QString::number(seconds);
}

void FtpServer::hangUpAt(const QString& command, bool afterCarryingOut)
{
    m_misbehaviour << "--hang-up" << command << (afterCarryingOut ? "after" : "before");
}

void FtpServer::goneAfterHangingUp() { m_misbehaviour << "--gone-after-hang-up"; }

void FtpServer::breakUploadsAfter(int bytes) { m_misbehaviour << "--break-after" << QString::number(bytes); }

void FtpServer::refuseRenamingOver() { m_misbehaviour << "--no-rename-over"; }

void FtpServer::refuseRenaming() { m_misbehaviour << "--no-rename"; }

void FtpServer::refuseSize() { m_misbehaviour << "--no-size"; }

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

SilentServer::SilentServer()
{
    m_socket = boundSocket(m_port);
    if (m_socket >= 0)
        ::listen(m_socket, 4);
}

SilentServer::~SilentServer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}
