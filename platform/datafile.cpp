#include "platform/datafile.h"

#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <memory>

namespace datafile {

QString find(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return {};
    if (info.isFile())
        return path;
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    }
    return {};
}

bool exists(const QString& path) { return !find(path).isEmpty(); }

void clearAttributes(const QString& path)
{
    const QString real = find(path);
    if (real.isEmpty())
        return;
    QFile::setPermissions(real, QFile::permissions(real) | QFile::ReadOwner | QFile::WriteOwner);
}

namespace {
QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines = codepage::decode(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    return lines;
}

// Why a name that find() does not give as a file cannot be read, or "" when
// it is simply not there: its folder cannot be listed, or something other than
// a file stands in its place.
QString whyNotAFile(const QString& path)
{
    const QFileInfo info(path);
    const QDir dir = info.dir();
    if (!dir.exists() || !dir.isReadable())
        return QStringLiteral("Der Ordner %1 ist nicht erreichbar").arg(QDir::toNativeSeparators(dir.path()));
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        if (e.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return QStringLiteral("An Stelle der Datei steht ein Ordner");
    }
    return {};
}

// The reason of the failed operation on f, from errno as the failing call
// left it; Qt's own category where the system gave none.
QString failureOf(const QFileDevice& f, int code)
{
    if (code != 0)
        return systemReason(code);
    // A rename onto a folder leaves no errno behind it.
    if (QFileInfo(f.fileName()).isDir())
        return systemReason(EISDIR);
    switch (f.error()) {
    case QFileDevice::PermissionsError:
        return systemReason(EACCES);
    case QFileDevice::ResourceError:
        return systemReason(ENOSPC);
    case QFileDevice::ReadError:
        return QStringLiteral("Fehler beim Lesen");
    case QFileDevice::WriteError:
        return QStringLiteral("Fehler beim Schreiben");
    default:
        return QStringLiteral("Die Datei ließ sich nicht öffnen");
    }
}
}

QString systemReason(int code)
{
    switch (code) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Zugriff verweigert");
    case EROFS:
        return QStringLiteral("Das Laufwerk ist schreibgeschützt");
    case ENOSPC:
        return QStringLiteral("Der Datenträger ist voll");
    case EDQUOT:
        return QStringLiteral("Der zugeteilte Speicherplatz ist aufgebraucht");
    case ENOENT:
        return QStringLiteral("Der Ordner ist nicht vorhanden");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner");
    case EISDIR:
        return QStringLiteral("An Stelle der Datei steht ein Ordner");
    case EEXIST:
        return QStringLiteral("An dieser Stelle steht schon eine Datei");
    case EIO:
        return QStringLiteral("Ein- oder Ausgabefehler des Datenträgers");
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
        return QStringLiteral("Die Datei wird gerade von einem anderen Programm benutzt");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Zu viele Dateien geöffnet");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang");
    case EFBIG:
        return QStringLiteral("Die Datei ist zu groß");
    case ENOTCONN:
    case ESTALE:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ETIMEDOUT:
    case ECONNRESET:
    case ECONNABORTED:
        return QStringLiteral("Das Netzlaufwerk ist nicht erreichbar");
    default:
        return QStringLiteral("Systemfehler %1 (%2)").arg(code).arg(QString::fromLocal8Bit(std::strerror(code)));
    }
}

FileRead readFile(const QString& path)
{
    FileRead read;
    const QString real = find(path);
    if (real.isEmpty()) {
        read.reason = whyNotAFile(path);
        if (!read.reason.isEmpty())
            read.state = FileRead::State::Unreadable;
        return read;
    }
    QFile f(real);
    errno = 0;
    bool ok = f.open(QIODevice::ReadOnly);
    const QByteArray bytes = ok ? f.readAll() : QByteArray();
    ok = ok && f.error() == QFileDevice::NoError;
    if (!ok) {
        read.state = FileRead::State::Unreadable;
        read.reason = failureOf(f, errno);
        return read;
    }
    read.state = FileRead::State::Read;
    read.lines = splitLines(bytes);
    return read;
}

QString unreadableNotice(const QString& what, const QString& path, const QString& reason)
{
    if (reason.isEmpty())
        return {};
    return QStringLiteral("Die %1 %2 konnte nicht gelesen werden: %3.").arg(what, QFileInfo(path).fileName(), reason);
}

QString endsEarlyReason(long lines)
{
    return lines == 0 ? QStringLiteral("Sie ist leer")
                      : QStringLiteral("Sie ist beschädigt und endet nach Zeile %1").arg(lines);
}

QString notANumberReason(long line)
{
    return QStringLiteral("Sie ist beschädigt, in Zeile %1 steht keine gültige Zahl").arg(line);
}

std::optional<QStringList> readLines(const QString& path)
{
    FileRead read = readFile(path);
    if (read.state != FileRead::State::Read)
        return std::nullopt;
    return std::move(read.lines);
}

QString sanitizeField(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += QLatin1Char('?');
            ++i;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            out += QLatin1Char(' ');
        } else if (!codepage::representable(c)) {
            out += QLatin1Char('?');
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
QByteArray withLineEnds(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += codepage::encode(l);
        bytes += "\r\n";
    }
    return bytes;
}

// An existing file keeps its name as it is on disk ("KLASSEN.TXT").
QString targetOf(const QString& path)
{
    const QString real = find(path);
    return real.isEmpty() ? path : real;
}
}

WriteResult rewrite(const QString& path, const QStringList& lines)
{
    QSaveFile f(targetOf(path));
    const QByteArray bytes = withLineEnds(lines);
    errno = 0;
    // A file that is not committed is dropped with its temporary file.
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return {};
    return {false, failureOf(f, errno)};
}

QByteArray bytesOf(const QStringList& lines) { return withLineEnds(lines); }

namespace {
// Of several files, the user must learn which one failed.
QString failureNaming(const QFileDevice& f, int code)
{
    return QFileInfo(f.fileName()).fileName() + QStringLiteral(": ") + failureOf(f, code);
}
}

WriteResult rewriteSet(const std::vector<FileBytes>& files)
{
    // A file that is not committed is dropped with its temporary file.
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const FileBytes& file : files) {
        auto f = std::make_unique<QSaveFile>(targetOf(file.path));
        errno = 0;
        if (!f->open(QIODevice::WriteOnly) || f->write(file.bytes) != file.bytes.size())
            return {false, failureNaming(*f, errno)};
        written.push_back(std::move(f));
    }
    for (const auto& f : written) {
        errno = 0;
        if (!f->commit())
            return {false, failureNaming(*f, errno)};
    }
    return {};
}

bool holds(const QString& path, const QByteArray& bytes)
{
    const QString real = find(path);
    if (real.isEmpty())
        return false;
    QFile f(real);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.size() == bytes.size() && f.readAll() == bytes;
}

bool holds(const QString& path, const QStringList& lines) { return holds(path, withLineEnds(lines)); }

WriteResult rewriteChanged(const QString& path, const QStringList& lines)
{
    return holds(path, lines) ? WriteResult{} : rewrite(path, lines);
}

namespace {
constexpr int kLooksAtLastByte = 3;
constexpr int kMsBetweenLooks = 5;

// What the next line must start with so that it does not join the file's last
// line: nothing after a line end (or in an empty or missing file), CR LF after
// a last line without one (a write cut off on the share, a hand edit), LF
// after a lone CR.
QByteArray lineStartFor(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray last;
    // Another PC's append may be under way, its line not yet whole; a line
    // cut off for good still lacks its end a moment later.
    for (int look = 0; look < kLooksAtLastByte; ++look) {
        if (look > 0)
            QThread::msleep(kMsBetweenLooks);
        if (f.size() == 0 || !f.seek(f.size() - 1))
            return {};
        last = f.read(1);
        if (last == "\n")
            return {};
    }
    return last == "\r" ? QByteArray("\n") : QByteArray("\r\n");
}
}

WriteResult appendLine(const QString& path, const QString& line)
{
    const QString target = targetOf(path);
    // Checked before the append and sent with it in the one write: another PC
    // appending in between can only leave an empty line, which every reader
    // skips, never two lines glued into one.
    const QByteArray bytes = lineStartFor(target) + withLineEnds({line});
    QFile f(target);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return {false, failureOf(f, errno)};
    errno = 0;
    const bool written = f.write(bytes) == bytes.size();
    const int code = errno;
    f.close();
    if (!written || f.error() != QFileDevice::NoError)
        return {false, failureOf(f, code != 0 ? code : errno)};
    return {};
}

bool copy(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    const QString target = targetOf(to);
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(from).canonicalFilePath())
        return false;
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

Reader::Reader(const QString& path)
{
    FileRead read = readFile(path);
    m_open = read.state == FileRead::State::Read;
    m_lines = std::move(read.lines);
    m_unreadable = std::move(read.reason);
}

Reader::Reader(QStringList lines) : m_lines(std::move(lines)), m_open(true) {}

bool Reader::atEnd() const { return m_line >= m_lines.size(); }

bool Reader::lineInput(QString& into)
{
    if (atEnd())
        return false;
    into = m_lines[m_line].mid(m_column);
    ++m_line;
    m_column = 0;
    return true;
}

bool Reader::lineInput(Variant& into)
{
    QString s;
    if (!lineInput(s))
        return false;
    into = s;
    return true;
}

std::optional<double> Reader::nextNumber()
{
    if (atEnd())
        return std::nullopt;
    const QString rest = m_lines[m_line].mid(m_column);
    int used = 0;
    const double d = numbers::numberInput(rest, &used);
    // A comma leaves the next value on the same line; otherwise the line is done.
    if (used > 0 && used <= rest.size() && rest[used - 1] == QLatin1Char(',') && used < rest.size()) {
        m_column += used;
    } else {
        ++m_line;
        m_column = 0;
    }
    return d;
}

bool Reader::numberInput(double& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    into = *d;
    return true;
}

bool Reader::numberInput(float& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    if (std::abs(*d) <= 3.4e38)
        into = static_cast<float>(*d);
    return true;
}

bool Reader::numberInput(short& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    if (auto v = numbers::toInt16(*d))
        into = *v;
    return true;
}

bool Reader::numberInput(int& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    if (auto v = numbers::toInt32(*d))
        into = *v;
    return true;
}

bool Reader::numberInput(Variant& into)
{
    auto d = nextNumber();
    if (!d)
        return false;
    into = *d;
    return true;
}

}
