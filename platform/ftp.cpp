#include "platform/ftp.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QUrl>
#include <curl/curl.h>
#include <mutex>

namespace {
// Long enough to keep the processor idle, short enough that a click in
// another window is answered without a noticeable delay.
constexpr int kPollMilliseconds = 25;
// A transfer slower than one byte a second for RequestTimeout seconds has stalled.
constexpr long kLowestBytesPerSecond = 1;
// FTP replies from 400 on refuse a command.
constexpr long kFirstRefusal = 400;

int gRedirectedPort = 0;

CURLM* multiOf(void* m) { return static_cast<CURLM*>(m); }
CURL* easyOf(void* e) { return static_cast<CURL*>(e); }

enum class Kind { Get, Put, MakeFolder };

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

size_t writeToFile(char* data, size_t size, size_t count, void* file)
{
    const qint64 bytes = static_cast<qint64>(size * count);
    // Fewer bytes than offered make libcurl stop with a write error.
    return static_cast<QSaveFile*>(file)->write(data, bytes) == bytes ? size * count : 0;
}

size_t readFromFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 read = static_cast<QFile*>(file)->read(buffer, static_cast<qint64>(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(read);
}

// The reply to "MKD", picked out of the conversation: libcurl's own reply
// code is that of whatever it sends after the command.
struct FolderReply {
    bool awaited = false;
    long code = 0;
};

int watchFolderReply(CURL*, curl_infotype type, char* data, size_t size, void* reply)
{
    auto* r = static_cast<FolderReply*>(reply);
    const QByteArray line(data, static_cast<qsizetype>(size));
    if (type == CURLINFO_HEADER_OUT && line.startsWith("MKD ")) {
        r->awaited = true;
    } else if (type == CURLINFO_HEADER_IN && r->awaited) {
        r->code = line.left(3).toLong();
        r->awaited = false;
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
    default:
        return QStringLiteral("Die Verbindung zum Server %1 ist gestört (%2)")
            .arg(host, QString::fromUtf8(curl_easy_strerror(code)));
    }
}
}

struct Inet::Transfer {
    Kind kind = Kind::Get;
    QString remote;
    QString local;
    std::unique_ptr<QSaveFile> fetched;
    std::unique_ptr<QFile> sent;
    curl_slist* commands = nullptr;
    FolderReply folderReply;

    ~Transfer() { curl_slist_free_all(commands); }
};

namespace ftp {
void redirectPort(int port) { gRedirectedPort = port; }
}

Inet::Inet()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Inet::~Inet() { Cancel(); }

void Inet::Execute(const QString& operation)
{
    m_outcome = Outcome::Done;
    m_errorText.clear();
    if (m_transfer) {
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
        closeConnection();
        return;
    }
    auto t = std::make_unique<Transfer>();
    if (verb == QLatin1String("GET")) {
        t->kind = Kind::Get;
        t->remote = operands.section(QLatin1Char(' '), 0, 0);
        t->local = operands.section(QLatin1Char(' '), 1);
    } else if (verb == QLatin1String("PUT")) {
        t->kind = Kind::Put;
        t->local = operands.section(QLatin1Char(' '), 0, -2);
        t->remote = operands.section(QLatin1Char(' '), -1);
    } else if (verb == QLatin1String("MKDIR")) {
        t->kind = Kind::MakeFolder;
        t->remote = operands;
    } else {
        fail(Outcome::Refused, QStringLiteral("Unbekannter Befehl \"%1\"").arg(operation));
        return;
    }
    if (t->remote.isEmpty() || (t->kind != Kind::MakeFolder && t->local.isEmpty())) {
        fail(Outcome::Refused, QStringLiteral("Dem Befehl \"%1\" fehlt eine Angabe").arg(operation));
        return;
    }
    if (RemoteHost.trimmed().isEmpty()) {
        fail(Outcome::ConnectionFailed, QStringLiteral("Es ist kein Server zum Hochladen eingetragen"));
        return;
    }

    if (!m_multi)
        m_multi = curl_multi_init();
    if (m_easy)
        curl_easy_reset(easyOf(m_easy)); // keeps the connection and its login
    else
        m_easy = curl_easy_init();
    CURL* e = easyOf(m_easy);
    const int port = gRedirectedPort > 0 ? gRedirectedPort : RemotePort;
    const QString host = RemoteHost.trimmed();

    switch (t->kind) {
    case Kind::Get:
        // Fetched into a temporary file that becomes the local file only when
        // the whole file arrived: a missing remote file leaves no local one.
        t->fetched = std::make_unique<QSaveFile>(t->local);
        if (!t->fetched->open(QIODevice::WriteOnly)) {
            fail(Outcome::Refused, QStringLiteral("Die Datei %1 lässt sich nicht anlegen").arg(t->local));
            return;
        }
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, t->remote).constData());
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, writeToFile);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, t->fetched.get());
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
    case Kind::MakeFolder:
        // "*": a refusal does not make libcurl drop the connection (and log
        // in again for the next command); the reply code tells it instead.
        t->commands = curl_slist_append(nullptr, (QStringLiteral("*MKD ") + t->remote).toUtf8().constData());
        curl_easy_setopt(e, CURLOPT_URL, urlOf(host, port, QString()).constData());
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(e, CURLOPT_QUOTE, t->commands);
        curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, watchFolderReply);
        curl_easy_setopt(e, CURLOPT_DEBUGDATA, &t->folderReply);
        curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
        break;
    }
    curl_easy_setopt(e, CURLOPT_USERNAME, UserName.toUtf8().constData());
    curl_easy_setopt(e, CURLOPT_PASSWORD, Password.toUtf8().constData());
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, static_cast<long>(RequestTimeout));
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(RequestTimeout));
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, kLowestBytesPerSecond);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, static_cast<long>(RequestTimeout));
    m_transfer = std::move(t);
    curl_multi_add_handle(multiOf(m_multi), e);
}

bool Inet::StillExecuting()
{
    if (!m_transfer)
        return false;
    int running = 0;
    curl_multi_perform(multiOf(m_multi), &running);
    int left = 0;
    while (const CURLMsg* msg = curl_multi_info_read(multiOf(m_multi), &left)) {
        if (msg->msg == CURLMSG_DONE) {
            finish(msg->data.result);
            return false;
        }
    }
    curl_multi_poll(multiOf(m_multi), nullptr, 0, kPollMilliseconds, nullptr);
    return true;
}

void Inet::finish(int curlCode)
{
    const auto code = static_cast<CURLcode>(curlCode);
    long reply = 0;
    curl_easy_getinfo(easyOf(m_easy), CURLINFO_RESPONSE_CODE, &reply);
    curl_multi_remove_handle(multiOf(m_multi), easyOf(m_easy));
    const std::unique_ptr<Transfer> t = std::move(m_transfer);
    if (t->kind == Kind::MakeFolder && code == CURLE_OK)
        reply = t->folderReply.code;
    const QString answer = reply > 0 ? QStringLiteral(" (Antwort %1)").arg(reply) : QString();
    const QString host = RemoteHost.trimmed();

    if (code == CURLE_OK && reply < kFirstRefusal) {
        if (t->fetched && !t->fetched->commit())
            fail(Outcome::Refused, QStringLiteral("Die Datei %1 lässt sich nicht schreiben").arg(t->local));
    } else if (code == CURLE_WRITE_ERROR) {
        fail(Outcome::Refused, QStringLiteral("Die Datei %1 lässt sich nicht schreiben").arg(t->local));
    } else if (code == CURLE_READ_ERROR) {
        fail(Outcome::Refused, QStringLiteral("Die Datei %1 lässt sich nicht lesen").arg(t->local));
    } else if (code == CURLE_REMOTE_FILE_NOT_FOUND) {
        fail(Outcome::Refused, QStringLiteral("Die Datei %1 gibt es auf dem Server nicht").arg(t->remote));
    } else if (refusedByServer(code) || code == CURLE_OK) {
        if (t->kind == Kind::MakeFolder)
            fail(Outcome::Refused, QStringLiteral("Der Server hat den Ordner %1 nicht angelegt%2").arg(t->remote, answer));
        else if (t->kind == Kind::Put)
            fail(Outcome::Refused, QStringLiteral("Der Server hat die Datei %1 nicht angenommen%2").arg(t->remote, answer));
        else
            fail(Outcome::Refused, QStringLiteral("Der Server gibt die Datei %1 nicht heraus%2").arg(t->remote, answer));
    } else {
        fail(Outcome::ConnectionFailed, connectionFailure(code, host));
        // A connection in doubt is not used again; the next command connects anew.
        closeConnection();
    }
}

void Inet::fail(Outcome outcome, const QString& text)
{
    m_outcome = outcome;
    m_errorText = text;
}

void Inet::Cancel()
{
    if (m_transfer) {
        curl_multi_remove_handle(multiOf(m_multi), easyOf(m_easy));
        m_transfer.reset();
        fail(Outcome::ConnectionFailed, QStringLiteral("Die Übertragung wurde abgebrochen"));
    }
    closeConnection();
}

void Inet::closeConnection()
{
    if (m_transfer) {
        curl_multi_remove_handle(multiOf(m_multi), easyOf(m_easy));
        m_transfer.reset();
    }
    // Closing the connection logs off from the server.
    if (m_easy)
        curl_easy_cleanup(easyOf(m_easy));
    if (m_multi)
        curl_multi_cleanup(multiOf(m_multi));
    m_easy = nullptr;
    m_multi = nullptr;
}
