#include "platform/ftp.h"

#include "platform/datafile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <curl/curl.h>
#include <mutex>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
// Long enough to keep the processor idle, short enough that a click in
// another window is answered without a noticeable delay.
constexpr int kPollMilliseconds = 25;
// The longest a command's thread sleeps in libcurl before it looks whether
// the command was cancelled; a cancel wakes it at once anyway.
constexpr int kWorkerWaitMilliseconds = 1000;
// How long a cancel waits for the command's thread to tidy up.
constexpr int kCancelGraceMilliseconds = 100;
// A transfer slower than one byte a second for RequestTimeout seconds has stalled.
constexpr long kLowestBytesPerSecond = 1;
// FTP replies from 400 on refuse a command.
constexpr long kFirstRefusal = 400;

int gRedirectedPort = 0;

// Get and Put move a file, Size asks for one's size, List for the names in a
// folder; Commands sends plain FTP commands, of which the first refusal or
// else the last reply tells the outcome.
enum class Kind { Get, Put, Size, List, Commands };

// The URL of a server path: each part percent-encoded, a leading "/" as "%2F"
// so that libcurl addresses it from the root instead of the login folder.
QByteArray urlOf(const QString& host, int port, const QString& remote)
{
    const QString bracketed = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    QByteArray url = "ftp://" + bracketed.toUtf8() + ':' + QByteArray::number(port) + '/';
    QStringList parts = remote.split(QLatin1Char('/'));
    if (remote.startsWith(QLatin1Char('/'))) {
        url += "%2F";
        parts.removeFirst();
    }
    QByteArrayList encoded;
    for (const QString& p : parts)
        encoded << QUrl::toPercentEncoding(p);
    return url + encoded.join('/');
}

// The name a line of a folder's listing gives. Servers answer "NLST" with
// bare names, some with the folder's path in front, and some with the long
// lines of "LIST", the name at the end: Unix style ("-rw-r--r-- 1 owner
// group 45 Dec 08 10:00 Stundenplan.htm", a link's name followed by " -> "
// and its target) or DOS style ("12-08-24  10:00AM  45 Stundenplan.htm").
// Empty for a line in none of these forms: remote names hold no blanks.
QString listedName(const QString& line)
{
    static const QRegularExpression longLine(QStringLiteral(
        R"(^(?:([-bcdlps])[-rwxsStT]{9}\S*\s+(?:\S+\s+){1,3}\d+\s+(?:\S+\s+\d{1,2}\.?|\d{1,2}\.?\s+\S+)\s+)"
        R"((?:\d{1,2}:\d{2}|\d{4})|\d{2}-\d{2}-\d{2,4}\s+\d{1,2}:\d{2}(?:[AP]M)?\s+(?:<DIR>|\d+))\s+(.+)$)"));
    QString name = line;
    if (const QRegularExpressionMatch match = longLine.match(line); match.hasMatch()) {
        name = match.captured(2);
        if (match.captured(1) == QLatin1String("l"))
            name = name.section(QStringLiteral(" -> "), 0, 0);
    }
    name = name.section(QLatin1Char('/'), -1);
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSpace(); }) ? QString() : name;
}

// A line of a listing that is no file's: blank, or the total that long
// listings in the form of "ls -l" begin with.
bool namesNoFile(const QString& line)
{
    static const QRegularExpression total(QStringLiteral(R"(^total \d+$)"));
    return line.trimmed().isEmpty() || total.match(line).hasMatch();
}

size_t writeToBuffer(char* data, size_t size, size_t count, void* buffer)
{
    static_cast<QByteArray*>(buffer)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

size_t ignore(char*, size_t size, size_t count, void*) { return size * count; }

size_t readFromFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 read = static_cast<QFile*>(file)->read(buffer, static_cast<qint64>(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(read);
}

// The reply that tells how our plain commands went, picked out of the
// conversation: libcurl's own reply code is that of whatever it sends after.
// The first refusal says why (a refused "RNFR" is followed by an "RNTO" that
// is only out of sequence), else the reply to the last command.
struct CommandReply {
    QByteArrayList verbs;
    // The verb whose reply comes next, empty for none.
    QByteArray awaited;
    long code = 0;
};

int watchCommandReply(CURL*, curl_infotype type, char* data, size_t size, void* reply)
{
    auto* r = static_cast<CommandReply*>(reply);
    const QByteArray line(data, static_cast<qsizetype>(size));
    if (r->code >= kFirstRefusal)
        return 0;
    if (type == CURLINFO_HEADER_OUT) {
        const auto verb = std::find_if(r->verbs.cbegin(), r->verbs.cend(), [&line](const QByteArray& v) {
            return line.startsWith(v);
        });
        r->awaited = verb == r->verbs.cend() ? QByteArray() : *verb;
    } else if (type == CURLINFO_HEADER_IN && !r->awaited.isEmpty()) {
        r->code = line.left(3).toLong();
        r->awaited.clear();
    }
    return 0;
}

// The server said no to a transfer; the connection itself is good.
bool refusedByServer(CURLcode code)
{
    switch (code) {
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_REMOTE_FILE_EXISTS:
        return true;
    default:
        return false;
    }
}

QString connectionFailure(CURLcode code, const QString& host)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("Den Server %1 gibt es nicht").arg(host);
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Keine Verbindung zum Server %1").arg(host);
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("Der Server %1 hat die Anmeldung abgelehnt: Benutzername oder Passwort falsch").arg(host);
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("Der Server %1 antwortet nicht mehr").arg(host);
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return QStringLiteral("Die Verbindung zum Server %1 ist abgerissen").arg(host);
    case CURLE_WEIRD_SERVER_REPLY:
        return QStringLiteral("Der Server %1 antwortet nicht wie ein FTP-Server").arg(host);
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_PORT_FAILED:
        return QStringLiteral("Zum Server %1 kam keine Verbindung für die Datei zustande").arg(host);
    default:
        // libcurl's own texts are English; its number lets a technician look the cause up.
        return QStringLiteral("Die Verbindung zum Server %1 ist gestört (Fehler %2 der Übertragung)")
            .arg(host)
            .arg(static_cast<int>(code));
    }
}
}

struct Inet::Transfer {
    Kind kind = Kind::Get;
    QString remote;
    QString local;
    // What the error text says when the server refuses the command.
    QString refusal;
    // What a Get received, written to the local file when all arrived.
    QByteArray fetched;
    std::unique_ptr<QFile> sent;
    // What a List received: one name a line.
    QByteArray listing;
    curl_slist* commands = nullptr;
    CommandReply reply;

    ~Transfer() { curl_slist_free_all(commands); }
};

// The connection and the command running on it, shared by the window's
// thread and the thread that runs the command. Only one of them uses the
// libcurl handles at a time; the sockets are shared under the mutex, so that
// a cancel can shut them down while libcurl waits on them.
struct Inet::Session {
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    std::unique_ptr<Transfer> transfer;
    CURLcode result = CURLE_OK;
    std::atomic<bool> cancelled{false};

    std::mutex mutex;
    std::condition_variable ended;
    bool running = false;
    std::vector<curl_socket_t> sockets;

    ~Session() { disconnect(); }

    // Runs the transfer to its end or to a cancel.
    static void perform(Session& s)
    {
        CURLcode code = CURLE_ABORTED_BY_CALLBACK;
        while (!s.cancelled) {
            int active = 0;
            curl_multi_perform(s.multi, &active);
            int left = 0;
            const CURLMsg* msg = curl_multi_info_read(s.multi, &left);
            if (msg && msg->msg == CURLMSG_DONE) {
                code = msg->data.result;
                break;
            }
            curl_multi_poll(s.multi, nullptr, 0, kWorkerWaitMilliseconds, nullptr);
        }
        curl_multi_remove_handle(s.multi, s.easy);
        s.result = code;
    }

    // Logs off and closes the connection.
    static void logOff(Session& s) { s.disconnect(); }

    void disconnect()
    {
        CURLM* m = nullptr;
        CURL* e = nullptr;
        {
            const std::lock_guard lock(mutex);
            std::swap(m, multi);
            std::swap(e, easy);
        }
        if (e && m)
            curl_multi_remove_handle(m, e);
        if (e)
            curl_easy_cleanup(e);
        if (m)
            curl_multi_cleanup(m);
    }

    void markEnded()
    {
        const std::lock_guard lock(mutex);
        running = false;
        ended.notify_all();
    }

    // True when the command ended within `milliseconds`.
    bool waitForEnd(int milliseconds)
    {
        std::unique_lock lock(mutex);
        return ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return !running; });
    }

    // Stops whatever runs: a shut-down socket ends every wait of libcurl on
    // it, the wake-up ends its wait for the next event.
    void cancel()
    {
        cancelled = true;
        const std::lock_guard lock(mutex);
        for (const curl_socket_t socket : sockets)
            ::shutdown(socket, SHUT_RDWR);
        if (multi)
            curl_multi_wakeup(multi);
    }

    static curl_socket_t openSocket(void* session, curlsocktype, curl_sockaddr* address)
    {
        auto* s = static_cast<Session*>(session);
        const std::lock_guard lock(s->mutex);
        if (s->cancelled)
            return CURL_SOCKET_BAD;
        const curl_socket_t socket = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (socket != CURL_SOCKET_BAD)
            s->sockets.push_back(socket);
        return socket;
    }

    static int closeSocket(void* session, curl_socket_t socket)
    {
        auto* s = static_cast<Session*>(session);
        const std::lock_guard lock(s->mutex);
        std::erase(s->sockets, socket);
        return ::close(socket);
    }
};

namespace ftp {
void redirectPort(int port) { gRedirectedPort = port; }
}

Inet::Inet() : m_session(std::make_shared<Session>())
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Inet::~Inet() { Cancel(); }

void Inet::Execute(const QString& operation)
{
    m_outcome = Outcome::Done;
    m_errorText.clear();
    m_remoteSize = -1;
    m_remoteFileMissing = false;
    m_remoteNames.clear();
    m_remoteNamesPartial = false;
    if (m_worker.joinable()) {
        fail(Outcome::Refused, QStringLiteral("Es läuft noch ein anderer Befehl"));
        return;
    }
    start(operation.trimmed());
}

void Inet::start(const QString& operation)
{
    const QString verb = operation.section(QLatin1Char(' '), 0, 0).toUpper();
    const QString operands = operation.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("CLOSE") || verb == QLatin1String("QUIT")) {
        if (m_session->easy)
            launch(&Session::logOff);
        return;
    }
    auto t = std::make_unique<Transfer>();
    QStringList commands;
    if (verb == QLatin1String("GET")) {
        t->kind = Kind::Get;
        t->remote = operands.section(QLatin1Char(' '), 0, 0);
        t->local = operands.section(QLatin1Char(' '), 1);
        t->refusal = QStringLiteral("Der Server gibt die Datei %1 nicht heraus").arg(t->remote);
    } else if (verb == QLatin1String("PUT")) {
        t->kind = Kind::Put;
        t->local = operands.section(QLatin1Char(' '), 0, -2);
        t->remote = operands.section(QLatin1Char(' '), -1);
        t->refusal = QStringLiteral("Der Server hat die Datei %1 nicht angenommen").arg(t->remote);
    } else if (verb == QLatin1String("SIZE")) {
        t->kind = Kind::Size;
        t->remote = operands;
        t->refusal = QStringLiteral("Der Server nennt die Größe der Datei %1 nicht").arg(t->remote);
    } else if (verb == QLatin1String("LS")) {
        t->kind = Kind::List;
        t->remote = operands;
        t->refusal = QStringLiteral("Der Server zeigt den Inhalt des Ordners %1 nicht").arg(t->remote);
    } else if (verb == QLatin1String("MKDIR")) {
        t->kind = Kind::Commands;
        t->remote = operands;
        commands << QStringLiteral("MKD ") + t->remote;
        t->refusal = QStringLiteral("Der Server hat den Ordner %1 nicht angelegt").arg(t->remote);
    } else if (verb == QLatin1String("RENAME")) {
        t->kind = Kind::Commands;
        t->remote = operands.section(QLatin1Char(' '), 0, 0);
        const QString target = operands.section(QLatin1Char(' '), 1);
        if (!target.isEmpty())
            commands << QStringLiteral("RNFR ") + t->remote << QStringLiteral("RNTO ") + target;
        t->refusal = QStringLiteral("Der Server hat die Datei %1 nicht in %2 umbenannt").arg(t->remote, target);
    } else if (verb == QLatin1String("DELETE")) {
        t->kind = Kind::Commands;
        t->remote = operands;
        commands << QStringLiteral("DELE ") + t->remote;
        t->refusal = QStringLiteral("Der Server hat die Datei %1 nicht gelöscht").arg(t->remote);
    } else {
        fail(Outcome::Refused, QStringLiteral("Unbekannter Befehl \"%1\"").arg(operation));
        return;
    }
    const bool moving = t->kind == Kind::Get || t->kind == Kind::Put;
    if (t->remote.isEmpty() || (moving && t->local.isEmpty()) || (t->kind == Kind::Commands && commands.isEmpty())) {
        fail(Outcome::Refused, QStringLiteral("Dem Befehl \"%1\" fehlt eine Angabe").arg(operation));
        return;
    }
    if (RemoteHost.trimmed().isEmpty()) {
        fail(Outcome::ConnectionFailed, QStringLiteral("Es ist kein Server zum Hochladen eingetragen"));
        return;
    }

    Session& s = *m_session;
    if (!s.multi)
        s.multi = curl_multi_init();
    if (s.easy)
        curl_easy_reset(s.easy); // keeps the connection and its login
    else
        s.easy = curl_easy_init();
    CURL* e = s.easy;
    const int port = gRedirectedPort > 0 ? gRedirectedPort : RemotePort;
    const QString host = RemoteHost.trimmed();

    switch (t->kind) {
    case Kind::Get:
        // Kept until the whole file arrived, then written as the data files
        // are: a missing remote file leaves no local one, and a full disk
        // leaves the local file as it was.
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, t->remote).constData());
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, writeToBuffer);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, &t->fetched);
        break;
    case Kind::Put:
        t->sent = std::make_unique<QFile>(t->local);
        if (!t->sent->open(QIODevice::ReadOnly)) {
            fail(Outcome::Refused, QStringLiteral("Die Datei %1 lässt sich nicht lesen").arg(t->local));
            return;
        }
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, t->remote).constData());
        curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(e, CURLOPT_READFUNCTION, readFromFile);
        curl_easy_setopt(e, CURLOPT_READDATA, t->sent.get());
        curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(t->sent->size()));
        break;
    case Kind::Size:
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, t->remote).constData());
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
        break;
    case Kind::List: {
        // libcurl lists what the address names as a folder, by its closing "/".
        const QString folder = t->remote.endsWith(QLatin1Char('/')) ? t->remote : t->remote + QLatin1Char('/');
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, folder).constData());
        curl_easy_setopt(e, CURLOPT_DIRLISTONLY, 1L);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, writeToBuffer);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, &t->listing);
        break;
    }
    case Kind::Commands:
        // "*": a refusal does not make libcurl drop the connection (and log
        // in again for the next command); the reply code tells it instead.
        for (const QString& command : commands) {
            t->commands = curl_slist_append(t->commands, (QLatin1Char('*') + command).toUtf8().constData());
            t->reply.verbs << command.section(QLatin1Char(' '), 0, 0).toLatin1() + ' ';
        }
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, QString()).constData());
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(e, CURLOPT_QUOTE, t->commands);
        curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, watchCommandReply);
        curl_easy_setopt(e, CURLOPT_DEBUGDATA, &t->reply);
        curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
        break;
    }
    // libcurl tells sizes and the like as header lines and sends whatever no
    // file takes to standard output; the program prints nothing of a transfer.
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, ignore);
    if (t->kind != Kind::Get && t->kind != Kind::List)
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, ignore);
    curl_easy_setopt(e, CURLOPT_USERNAME, UserName.toUtf8().constData());
    curl_easy_setopt(e, CURLOPT_PASSWORD, Password.toUtf8().constData());
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, static_cast<long>(RequestTimeout));
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(RequestTimeout));
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, kLowestBytesPerSecond);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, static_cast<long>(RequestTimeout));
    curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &Session::openSocket);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, &s);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, &Session::closeSocket);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, &s);
    s.transfer = std::move(t);
    curl_multi_add_handle(s.multi, e);
    launch(&Session::perform);
}

void Inet::launch(void (*job)(Session&))
{
    {
        const std::lock_guard lock(m_session->mutex);
        m_session->running = true;
    }
    // The thread keeps the session alive: after a cancel it finishes alone.
    m_worker = std::thread([session = m_session, job] {
        job(*session);
        session->markEnded();
    });
}

bool Inet::StillExecuting()
{
    if (!m_worker.joinable())
        return false;
    if (!m_session->waitForEnd(kPollMilliseconds))
        return true;
    m_worker.join();
    if (m_session->transfer)
        finish();
    return false;
}

void Inet::finish()
{
    Session& s = *m_session;
    const CURLcode code = s.result;
    long reply = 0;
    curl_easy_getinfo(s.easy, CURLINFO_RESPONSE_CODE, &reply);
    const std::unique_ptr<Transfer> t = std::move(s.transfer);
    if (t->kind == Kind::Commands && code == CURLE_OK)
        reply = t->reply.code;
    const QString answer = reply > 0 ? QStringLiteral(" (Antwort %1)").arg(reply) : QString();
    m_remoteFileMissing = code == CURLE_REMOTE_FILE_NOT_FOUND;

    if (code == CURLE_OK && reply < kFirstRefusal) {
        if (t->kind == Kind::Get) {
            if (const datafile::WriteResult written = datafile::rewriteBytes(t->local, t->fetched); !written)
                fail(Outcome::Refused,
                     QStringLiteral("Die Datei %1 lässt sich nicht schreiben: %2").arg(t->local, written.reason));
        }
        if (t->kind == Kind::Size) {
            curl_off_t size = -1;
            curl_easy_getinfo(s.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
            m_remoteSize = size;
        }
        for (const QByteArray& line : t->listing.split('\n')) {
            const QString text = QString::fromUtf8(line.endsWith('\r') ? line.chopped(1) : line);
            const QString name = listedName(text);
            if (name.isEmpty())
                m_remoteNamesPartial = m_remoteNamesPartial || !namesNoFile(text);
            else if (name != QLatin1String(".") && name != QLatin1String(".."))
                m_remoteNames << name;
        }
    } else if (code == CURLE_READ_ERROR) {
        fail(Outcome::Refused, QStringLiteral("Die Datei %1 lässt sich nicht lesen").arg(t->local));
    } else if (code == CURLE_REMOTE_FILE_NOT_FOUND) {
        fail(Outcome::Refused, QStringLiteral("Die Datei %1 gibt es auf dem Server nicht").arg(t->remote));
    } else if (refusedByServer(code) || code == CURLE_OK) {
        fail(Outcome::Refused, t->refusal + answer);
    } else {
        fail(Outcome::ConnectionFailed, connectionFailure(code, RemoteHost.trimmed()));
        // A connection in doubt is not used again; the next command connects anew.
        dropConnection();
    }
}

void Inet::fail(Outcome outcome, const QString& text)
{
    m_outcome = outcome;
    m_errorText = text;
}

void Inet::Cancel()
{
    if (m_worker.joinable()) {
        m_session->cancel();
        // The thread normally ends at once; one that does not ends on its own.
        if (m_session->waitForEnd(kCancelGraceMilliseconds))
            m_worker.join();
        else
            m_worker.detach();
        fail(Outcome::ConnectionFailed, QStringLiteral("Die Übertragung wurde abgebrochen"));
    }
    dropConnection();
}

void Inet::dropConnection()
{
    // The sockets go down first: logging off would wait for the server.
    m_session->cancel();
    m_session = std::make_shared<Session>();
}
