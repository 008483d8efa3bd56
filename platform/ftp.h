#pragma once
// The FTP side of the original's Internet Transfer control, on libcurl. A
// window sets the server and the account, executes one command text at a time
// and yields to the event loop while StillExecuting() says the command runs,
// so the program's other windows stay usable during an upload.
//
// Each command runs on a thread of its own: libcurl waits inside some of its
// calls (for the reply after a transfer, for the answer to "QUIT") for as
// long as the server takes, and the windows must not wait with it. Cancel()
// shuts the connection's sockets down, so a command stops at once even while
// the server says nothing; the thread then tidies up on its own.
//
// The commands, operands separated by blanks: "Get <remote file> <local file>",
// "Put <local file> <remote file>", "MKDIR <remote folder>",
// "SIZE <remote file>", "LS <remote folder>" (the names in the folder),
// "RENAME <remote file> <new remote name>", "DELETE <remote file>", "CLOSE",
// "QUIT".
// A local path may contain blanks (it takes the rest of the line); a remote
// path may not. Remote paths count from the server's root: no command changes
// the server's current folder. All commands up to "CLOSE" share one
// connection, so the account logs in once.
//
// Unlike the original control, every reply is checked: outcome() tells
// whether the last command was done, refused by the server, or whether the
// connection itself failed (unreachable, login refused, no answer in time,
// aborted), and errorText() says why in German.
#include <QString>
#include <QStringList>
#include <memory>
#include <thread>

class Inet {
public:
    Inet();
    ~Inet();
    Inet(const Inet&) = delete;
    Inet& operator=(const Inet&) = delete;

    QString RemoteHost;
    QString UserName;
    QString Password;
    int RemotePort = 21;
    // Seconds a command may wait for the connection, a reply of the server or
    // the next byte of a transfer before it fails.
    int RequestTimeout = 60;

    // Starts a command; it runs on while StillExecuting() is called. A
    // command given while another one runs fails.
    void Execute(const QString& operation);
    // Moves the running command on, waiting a few tens of milliseconds at
    // most; true while it still runs.
    bool StillExecuting();
    // Stops the running command and drops the connection, without waiting
    // for the server.
    void Cancel();
    // After a "SIZE": the size the server gave for the file; -1 when it could
    // not tell.
    qint64 remoteSize() const { return m_remoteSize; }
    // After a refused "Get" or "SIZE": the server said that the file to fetch
    // or measure is not there (reply 550).
    bool remoteFileMissing() const { return m_remoteFileMissing; }
    // After an "LS": the names of the files and folders in the folder, as
    // far as the server's listing gives them in a form understood (bare, or
    // at the end of a long line).
    QStringList remoteNames() const { return m_remoteNames; }
    // After an "LS": a line of the listing gave no name (a form not
    // understood, or a name with a blank), so remoteNames() may lack files
    // that are there.
    bool remoteNamesPartial() const { return m_remoteNamesPartial; }

    enum class Outcome {
        Done,
        // The command failed (the server refused it, or the local file could
        // not be read or written); the connection is good for the next one.
        Refused,
        // No connection, a refused login, no answer in time, or cancelled.
        ConnectionFailed,
    };
    Outcome outcome() const { return m_outcome; }
    QString errorText() const { return m_errorText; }

private:
    struct Transfer;
    struct Session;
    void start(const QString& operation);
    void launch(void (*job)(Session&));
    void finish();
    void fail(Outcome outcome, const QString& text);
    void dropConnection();

    std::shared_ptr<Session> m_session;
    std::thread m_worker;
    Outcome m_outcome = Outcome::Done;
    QString m_errorText;
    qint64 m_remoteSize = -1;
    bool m_remoteFileMissing = false;
    QStringList m_remoteNames;
    bool m_remoteNamesPartial = false;
};

namespace ftp {
// Tests: every connection goes to this port of the host instead of the one
// the window sets (0 ends the redirection).
void redirectPort(int port);
}
