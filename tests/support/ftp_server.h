#pragma once
// A real FTP server for the upload tests: Debian's pyftpdlib, started on a
// port of 127.0.0.1 that it chooses itself, with a temporary root folder and
// one account, and stopped by its process id when the object goes. Its debug
// log holds every command it received. Before it starts it can be told to
// misbehave as slow, broken or picky servers do (ftp_server.py).
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class FtpServer {
public:
    static inline const QString kUser = QStringLiteral("ftp2740316");
    static inline const QString kPassword = QStringLiteral("k8wq3rm");

    FtpServer() = default;
    ~FtpServer();
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    // The server does nothing at all for `seconds`, once, when it comes to
    // `point`: "greeting", a command such as "PASS", "MKD", "EPSV" or "QUIT"
    // before it carries it out, or the command's Nth time (counted over all
    // connections) as "RNTO#3", "read" (an upload, after its first 64 KB) or
    // "reply" (the reply that ends a transfer).
    void stallAt(const QString& point, double seconds);
    // Once, the server closes the connection at `command` ("RNTO" or "RNTO#3"
    // as for a stall): before it carries the command out, or after it, in
    // place of the reply.
    void hangUpAt(const QString& command, bool afterCarryingOut);
    // Once, at `command` ("RNTO" or "RNTO#3" as for a stall) and before the
    // server carries it out, `file` (a path under the root) appears holding
    // `text`, as another upload's page would.
    void appearAt(const QString& command, const QString& file, const QString& text);
    // When it hangs up the server stops: no connection comes any more.
    void goneAfterHangingUp();
    // The data connection of an upload ends after `bytes`, and the server
    // takes what came for the whole file.
    void breakUploadsAfter(int bytes);
    // Renaming a file onto one that exists is refused.
    void refuseRenamingOver();
    // The account may delete files but rename none.
    void refuseRenaming();
    // "SIZE" is answered with 502: the server tells no sizes.
    void refuseSize();
    // How the server answers "NLST": with the names, or as some servers do,
    // with the long lines of "LIST", Unix style after their total as "ls -l"
    // gives them ("total 8", "-rw-r--r-- 1 owner group 45 Dec 08 10:00
    // a.htm"), the same with a group name that has a blank for every file
    // but test.dat ("... owner Domain Users 45 ..."), as for files that
    // another account put, DOS style ("12-08-24  10:00AM  45 a.htm"), or
    // with an empty listing.
    enum class Listing { Names, Long, BlankInGroup, Dos, Nothing };
    void listAs(Listing listing);
    // Each connection is served on a thread of its own: a stall at a command
    // holds up only the connection that sent it.
    void serveConnectionsApart();

    // Starts the server and waits until it accepts connections; false when it
    // did not come up (the reason is in log()).
    bool start();
    int port() const { return m_port; }
    // The folder the server shows as its root.
    QString root() const { return m_root.path(); }
    // The server's log: "<- MKD /VORDA/..." for each command received.
    QString log() const;
    // How many times the server received this command (such as "MKD", "USER").
    int received(const QString& command) const;
    // True once the server began its stall at `point`.
    bool stalling(const QString& point) const;

private:
    QTemporaryDir m_root;
    QTemporaryDir m_logDir;
    QProcess m_process;
    QStringList m_misbehaviour;
    int m_port = 0;
};

// A port of 127.0.0.1 that refuses every connection. The test holds it
// while the object lives, so no server of another test takes it meanwhile.
class ClosedPort {
public:
    ClosedPort();
    ~ClosedPort();
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;
    int port() const { return m_port; }

protected:
    int m_port = 0;
    int m_socket = -1;
};

// A server that takes connections and never answers: every command waits
// for its time-out.
class SilentServer : public ClosedPort {
public:
    SilentServer();
};
