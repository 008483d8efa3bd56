#include "platform/datafile.h"

#include "platform/codepage.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <variant>

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

namespace {
// A file's bytes, or why there are none: it is missing, or it is there and
// cannot be read.
struct Content {
    FileRead::State state = FileRead::State::Missing;
    QByteArray bytes;
    QString reason;
};

Content contentOf(const QString& path)
{
    Content content;
    const QString real = find(path);
    if (real.isEmpty()) {
        content.reason = whyNotAFile(path);
        if (!content.reason.isEmpty())
            content.state = FileRead::State::Unreadable;
        return content;
    }
    QFile f(real);
    errno = 0;
    bool ok = f.open(QIODevice::ReadOnly);
    const QByteArray bytes = ok ? f.readAll() : QByteArray();
    ok = ok && f.error() == QFileDevice::NoError;
    if (!ok) {
        content.state = FileRead::State::Unreadable;
        content.reason = failureOf(f, errno);
        return content;
    }
    content.state = FileRead::State::Read;
    content.bytes = bytes;
    return content;
}
}

FileRead readFile(const QString& path)
{
    const Content content = contentOf(path);
    FileRead read{content.state, {}, content.reason};
    if (content.state == FileRead::State::Read)
        read.lines = splitLines(content.bytes);
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

namespace {
// Names that one write gets for its temporary file before it gives up: each
// is tried afresh, another PC may have taken it.
constexpr int kTemporaryNameTries = 8;

// A temporary file lies beside its target, so that the rename stays within
// one folder and one drive; its leading "." keeps find() from taking it for
// a data file while it is written.
QString temporaryNameFor(const QString& target)
{
    const QFileInfo info(target);
    return info.dir().filePath(QStringLiteral(".%1.%2.tmp")
                                   .arg(info.fileName())
                                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}
}

bool openTemporary(QFile& file, const QString& target, QIODevice::OpenMode mode,
                   std::optional<QFile::Permissions> permissions)
{
    mode |= QIODevice::WriteOnly | QIODevice::NewOnly;
    for (int tries = 0; tries < kTemporaryNameTries && !file.isOpen(); ++tries) {
        file.setFileName(temporaryNameFor(target));
        errno = 0;
        if (!(permissions ? file.open(mode, *permissions) : file.open(mode)) && errno != EEXIST)
            break;
    }
    return file.isOpen();
}

namespace {

// Links are followed, as far as a chain of them may go: the file a link
// points to is replaced and the link stays, so that the temporary file lies
// on the drive of that file.
constexpr int kLinksFollowed = 128;

QString linkedFile(const QString& target)
{
    QFileInfo info(target);
    for (int links = 0; links < kLinksFollowed && info.isSymLink(); ++links)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? target : info.filePath();
}

constexpr mode_t kPermissionBits = 0777;

// Off only while a benchmark measures what the syncs cost.
bool gSyncing = true;

int syncToDisk(int fd) { return gSyncing ? ::fsync(fd) : 0; }

// Only with its folder synced is a rename itself on the disk. The file
// holds its new bytes by then, so a folder that cannot be synced (some
// network file systems refuse it) fails no write: a set would give back
// files that are whole.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    syncToDisk(fd);
    ::close(fd);
}

thread_local FolderSync* gAction = nullptr;
}

FolderSync::FolderSync()
{
    if (gAction == nullptr)
        gAction = this;
}

FolderSync::~FolderSync()
{
    if (gAction != this)
        return;
    gAction = nullptr;
    for (const QString& folder : std::as_const(m_folders))
        syncFolder(folder);
}

void FolderSync::entryChanged(const QString& file)
{
    const QString folder = QFileInfo(file).path();
    if (gAction == nullptr)
        syncFolder(folder);
    else if (!gAction->m_folders.contains(folder))
        gAction->m_folders << folder;
}

void setSyncing(bool on) { gSyncing = on; }

namespace {
// The new bytes of a file, written to a temporary file beside it and read
// back before they are renamed over it: Qt's QSaveFile::commit() reports a
// file written whose bytes did not fit on the disk (a file smaller than
// Qt's buffer reaches the disk only in its flush, whose failure it drops),
// and the rename then cut the file. The temporary file goes with the object
// unless it was renamed.
class Replacement {
public:
    Replacement(const QString& target, const QByteArray& bytes);
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement()
    {
        if (m_writer >= 0)
            ::close(m_writer);
        if (!m_temporary.isEmpty())
            QFile::remove(m_temporary);
    }

    const QString& target() const { return m_target; }
    // Why the target may not be replaced, the bytes are not all on the disk
    // in the temporary file, or the rename failed; empty otherwise.
    const QString& failure() const { return m_failure; }
    // Syncs the temporary file to the disk, and only then gives it the
    // target's group and mode. The files of a set are synced together,
    // before their renames: their bytes went on their way to the disk as
    // they were written, so that the syncs overlap.
    bool sync();
    // Renames the synced temporary file over the target in one step: the
    // target holds either its old bytes or all the new ones.
    bool putInPlace();

private:
    QString m_target;
    QString m_temporary;
    QString m_failure;
    // The mode and the group of the file it replaces.
    std::optional<mode_t> m_mode;
    std::optional<gid_t> m_group;
    bool m_synced = false;
    // The description that wrote the bytes, kept for their sync: a share's
    // client sends the server no flush for one open for reading, and one
    // opened anew for writing may be refused by the mode the folder gave.
    int m_writer = -1;
};

Replacement::Replacement(const QString& target, const QByteArray& bytes) : m_target(linkedFile(target))
{
    // A rename asks only the folder: a file a user of the share made
    // read-only, or another user's, would be replaced all the same and
    // belong to the saver afterwards. Asked for the effective user, whom the
    // write itself would be checked for.
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(m_target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    errno = 0;
    if (replacing && ::faccessat(AT_FDCWD, QFile::encodeName(m_target).constData(), W_OK, AT_EACCESS) != 0) {
        m_failure = systemReason(errno);
        return;
    }
    QFile f;
    // Unbuffered: the write reaches the system at once, and a disk that
    // takes only part of it says why in errno. One that replaces a file is
    // readable by this user alone until it takes that file's mode: the file
    // may be a password file. A new one is made as any new file of the
    // folder, so that it gets the mode and the ACL the folder gives it.
    if (!openTemporary(f, m_target, QIODevice::Unbuffered,
                       replacing ? std::optional(QFile::ReadOwner | QFile::WriteOwner) : std::nullopt)) {
        m_failure = failureOf(f, errno);
        return;
    }
    m_temporary = f.fileName();
    errno = 0;
    if (f.write(bytes) != bytes.size()) {
        m_failure = failureOf(f, errno);
        return;
    }
    // Its bytes set out for the disk now, to be waited for by the sync.
    if (gSyncing)
        ::sync_file_range(f.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
    errno = 0;
    m_writer = ::fcntl(f.handle(), F_DUPFD_CLOEXEC, 0);
    if (m_writer < 0) {
        m_failure = systemReason(errno);
        return;
    }
    // A network drive may tell a write it could not keep only at the close.
    errno = 0;
    f.close();
    if (f.error() != QFileDevice::NoError) {
        m_failure = failureOf(f, errno);
        return;
    }
    QFile written(m_temporary);
    errno = 0;
    const bool read = written.open(QIODevice::ReadOnly);
    const QByteArray back = read ? written.readAll() : QByteArray();
    if (!read || written.error() != QFileDevice::NoError) {
        m_failure = failureOf(written, errno);
        return;
    }
    if (back != bytes) {
        m_failure = QStringLiteral("Die Datei kam nicht vollständig auf dem Datenträger an");
        return;
    }
    if (replacing) {
        m_mode = old.st_mode & kPermissionBits;
        m_group = old.st_gid;
    }
}

bool Replacement::sync()
{
    if (!m_failure.isEmpty())
        return false;
    if (m_synced)
        return true;
    // On the disk before the rename: after a power cut the file would
    // otherwise come back empty or cut.
    const int fd = std::exchange(m_writer, -1);
    errno = 0;
    const bool synced = syncToDisk(fd) == 0;
    const int code = errno;
    if (synced) {
        // In a folder without the setgid bit the new file has this user's
        // group, and an account that shares the file through its group could
        // save it no more. A user may give only a group of its own, and a
        // file system that keeps no modes (a Windows server's share, a stick)
        // may refuse both; it gave the temporary file none of its own either.
        if (m_group)
            std::ignore = ::fchown(fd, static_cast<uid_t>(-1), *m_group);
        if (m_mode)
            ::fchmod(fd, *m_mode);
    }
    ::close(fd);
    if (!synced) {
        m_failure = systemReason(code);
        return false;
    }
    m_synced = true;
    return true;
}

bool Replacement::putInPlace()
{
    if (!sync())
        return false;
    errno = 0;
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0) {
        m_failure = systemReason(errno);
        return false;
    }
    m_temporary.clear();
    FolderSync::entryChanged(m_target);
    return true;
}

WriteResult putInPlace(Replacement& file)
{
    if (file.putInPlace())
        return {};
    return {false, file.failure()};
}

WriteResult replace(const QString& target, const QByteArray& bytes)
{
    Replacement file(target, bytes);
    return putInPlace(file);
}
}

WriteResult rewriteBytes(const QString& path, const QByteArray& bytes) { return replace(targetOf(path), bytes); }

WriteResult rewrite(const QString& path, const QStringList& lines) { return rewriteBytes(path, withLineEnds(lines)); }

QByteArray bytesOf(const QStringList& lines) { return withLineEnds(lines); }

namespace {
// Of several files, the user must learn which one failed.
QString naming(const QString& path, const QString& reason)
{
    return QFileInfo(path).fileName() + QStringLiteral(": ") + reason;
}
}

FileBefore fileBefore(const QString& path)
{
    const QString target = targetOf(path);
    FileBefore before;
    // Nothing stands there to give back; a folder in its place fails the
    // rename, so never needs it.
    if (!QFileInfo(target).isFile())
        return before;
    before.existed = true;
    QFile f(target);
    errno = 0;
    const bool read = f.open(QIODevice::ReadOnly);
    before.bytes = read ? f.readAll() : QByteArray();
    if (!read || f.error() != QFileDevice::NoError)
        before.unreadable = failureOf(f, errno);
    return before;
}

bool giveBack(const QString& path, const FileBefore& before, const QByteArray& written)
{
    const QString target = targetOf(path);
    const Content now = contentOf(target);
    // A file that cannot be read (the share dropped after the rename) may
    // well hold this program's bytes: it is not given back.
    if (now.state == FileRead::State::Unreadable)
        return false;
    // Another PC that saved or deleted the file meanwhile keeps what it did:
    // only this program's bytes are taken back.
    if (now.state == FileRead::State::Missing || now.bytes != written)
        return true;
    if (!before.existed)
        return QFile::remove(target);
    return static_cast<bool>(replace(target, before.bytes));
}

WriteResult rewriteSet(const std::vector<FileBytes>& given)
{
    std::vector<FileBytes> files = given;
    std::vector<std::unique_ptr<Replacement>> written(files.size());
    std::vector<FileBefore> before(files.size());
    const auto write = [&](std::size_t i) {
        const QString target = targetOf(files[i].path);
        // The last file is never given back: no rename comes after its own.
        if (i + 1 < files.size()) {
            before[i] = fileBefore(target);
            if (!before[i].unreadable.isEmpty())
                return WriteResult{false, naming(target, before[i].unreadable)};
        }
        written[i] = std::make_unique<Replacement>(target, files[i].bytes);
        if (!written[i]->failure().isEmpty())
            return WriteResult{false, naming(target, written[i]->failure())};
        return WriteResult{};
    };
    const auto sync = [&](std::size_t i) {
        if (written[i]->sync())
            return WriteResult{};
        return WriteResult{false, naming(targetOf(files[i].path), written[i]->failure())};
    };
    // All are synced together, as their bytes went on their way to the disk
    // while the next ones were written.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (const WriteResult done = write(i); !done)
            return done;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (const WriteResult done = sync(i); !done)
            return done;
    }
    // Bytes made at the last moment are written again only where they came
    // out other than given: another PC changed the file meanwhile.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].makeBytes)
            continue;
        const QByteArray given = files[i].bytes;
        if (const WriteResult made = files[i].makeBytes(files[i].bytes); !made)
            return {false, naming(targetOf(files[i].path), made.reason)};
        if (files[i].bytes == given)
            continue;
        if (const WriteResult done = write(i); !done)
            return done;
        if (const WriteResult done = sync(i); !done)
            return done;
    }
    const FolderSync action;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i]->putInPlace())
            continue;
        // A folder may let a file be written but not be replaced (a sticky
        // folder, a share that grants no deleting): the files renamed before
        // get their old bytes back, so that the set stays whole.
        WriteResult failed{false, naming(targetOf(files[i].path), written[i]->failure())};
        for (std::size_t j = 0; j < i; ++j) {
            if (!giveBack(written[j]->target(), before[j], files[j].bytes))
                failed.changed << files[j].path;
        }
        return failed;
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
// How long an append waits for the others to end: each holds the lock for
// the few milliseconds of its write and sync, a share's round trips
// included. It looks often, as a PC that appends line after line would
// otherwise take the lock again each time before a waiting one looks.
constexpr int kMsForLock = 5000;
constexpr int kMsBetweenLockTries = 2;

// The look at the file, the write and the cut-back of a piece are one step
// against every other writer of the file that takes the lock. An open file
// description lock: NFS and SMB pass record locks on to the server, so the
// other PCs of the share see it (flock stays on the client with many SMB
// mounts), and unlike a classic record lock it belongs to this open file,
// not to the process, so two threads' appends exclude each other too. The
// lock goes with the file's close.
enum class Lock { Held, Impossible, Taken };

// Impossible where the file system cannot lock the file at all (a share
// mounted without the server's locks), Taken when another writer holds the
// lock beyond the wait.
Lock lockForAppend(int fd)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const QDeadlineTimer deadline(kMsForLock);
    while (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno != EAGAIN && errno != EACCES)
            return Lock::Impossible;
        if (deadline.hasExpired())
            return Lock::Taken;
        QThread::msleep(kMsBetweenLockTries);
    }
    return Lock::Held;
}

// The bytes of the file from `at` on, `count` of them or fewer where it ends
// before; nullopt when they cannot be read, errno telling why.
std::optional<QByteArray> bytesAt(int fd, off_t at, qint64 count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    qint64 got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, bytes.data() + got, static_cast<size_t>(count - got), at + got);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

// What the next line must start with so that it does not join the file's last
// line: nothing after a line end (or in an empty file), CR LF after a last
// line without one (a write cut off on the share, a hand edit), LF after a
// lone CR.
QByteArray lineStartFor(int fd, off_t size)
{
    const QByteArray last = size > 0 ? bytesAt(fd, size - 1, 1).value_or(QByteArray()) : QByteArray();
    return last.isEmpty() || last == "\n" ? QByteArray() : last == "\r" ? QByteArray("\n") : QByteArray("\r\n");
}

// Writes all of `bytes` at the end of the file, counting in `sent` those
// written; errno tells why not all.
bool writeAll(int fd, const QByteArray& bytes, qint64& sent)
{
    sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

// Takes out the first `sent` of `bytes`, written at the end of a file that
// was `size` long, where they are known to be this write's alone: the file
// ends within them and holds them from `size` on. A writer that does not see
// the lock (an older version of the program, a share without the server's
// locks) may have appended meanwhile; its line stays, and so does this one's
// piece. Such a writer could still append between the look and the cut: the
// look is one read, right before it. False when a piece stays.
bool cutBack(int fd, off_t size, const QByteArray& bytes, qint64 sent)
{
    if (sent == 0)
        return true;
    const std::optional<QByteArray> after = bytesAt(fd, size, sent + 1);
    if (!after || after->size() > sent || *after != bytes.left(after->size()))
        return false;
    // Bytes written at the end lie beyond the old size: in a file no longer
    // than that, someone else cut them away.
    return after->isEmpty() || ::ftruncate(fd, size) == 0;
}

// Removes a file this append made and that stayed empty, under the lock: a
// writer of the program that opened it meanwhile finds it removed once it
// has the lock, and opens the path anew. Only while the path still names it.
void removeEmptyMade(int fd, const QByteArray& name)
{
    struct stat file {};
    struct stat atPath {};
    if (::fstat(fd, &file) == 0 && file.st_size == 0 && ::stat(name.constData(), &atPath) == 0
        && atPath.st_dev == file.st_dev && atPath.st_ino == file.st_ino)
        ::unlink(name.constData());
}

// Opens of a file to append to before an append gives up: each is tried
// afresh where another writer made the file, or removed the empty one it
// made, meanwhile.
constexpr int kOpenTries = 8;

// Opens the file to append to, making it where it is missing; `made` tells
// whether this open made it.
int openToAppend(const QByteArray& name, bool& made)
{
    made = false;
    for (int tries = 0; tries < kOpenTries; ++tries) {
        errno = 0;
        const int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int madeFd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        // Another writer made it meanwhile: it is opened as it is.
        if (madeFd >= 0 || errno != EEXIST) {
            made = madeFd >= 0;
            return madeFd;
        }
    }
    errno = EBUSY;
    return -1;
}

// How an append went on a file opened for it; `removed` when the file was
// found removed once the append had the lock (another writer's empty new
// file), so that the path is to be opened anew.
struct Appended {
    WriteResult result;
    bool removed = false;
};

Appended appendTo(int fd, const QByteArray& name, bool made, const QByteArray& line, const Listed& listed)
{
    const Lock lock = lockForAppend(fd);
    if (lock == Lock::Taken)
        return {{false, QStringLiteral("Die Datei ist von einem anderen Arbeitsplatz gesperrt")}};
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return {{false, systemReason(errno)}};
    if (status.st_nlink == 0)
        return {{}, true};
    if (listed) {
        const std::optional<QByteArray> bytes = bytesAt(fd, 0, status.st_size);
        if (!bytes)
            return {{false, systemReason(errno)}};
        if (listed(splitLines(*bytes)))
            return {};
    }
    const QByteArray bytes = lineStartFor(fd, status.st_size) + line;
    // Synced before it counts as written: after a power cut the register
    // must not miss an entry it took as written.
    qint64 sent = 0;
    if (writeAll(fd, bytes, sent) && syncToDisk(fd) == 0)
        return {};
    WriteResult failed{false, systemReason(errno)};
    // A line that is not written is taken out again: one cut short by a full
    // disk would count as a line of its own on every PC (a removal line cut
    // from "22" to "2" blanks another teacher's entry).
    if (!cutBack(fd, status.st_size, bytes, sent)) {
        failed.reason += QStringLiteral("; ein Stück der Zeile ist in der Datei stehen geblieben");
        return {failed};
    }
    // Without the lock another writer may be writing to the new file: it
    // stays, empty.
    if (made && lock == Lock::Held)
        removeEmptyMade(fd, name);
    return {failed};
}
}

WriteResult appendLine(const QString& path, const QString& line, const Listed& listed)
{
    const QString target = targetOf(path);
    const QByteArray name = QFile::encodeName(target);
    const QByteArray bytes = withLineEnds({line});
    for (int tries = 0; tries < kOpenTries; ++tries) {
        bool made = false;
        const int fd = openToAppend(name, made);
        if (fd < 0)
            return {false, systemReason(errno)};
        const Appended appended = appendTo(fd, name, made, bytes, listed);
        // The sync told whether the line is on the disk; the close only ends
        // the lock.
        ::close(fd);
        if (appended.removed)
            continue;
        // A file the line makes is on the disk with its folder's entry for it.
        if (appended.result && made)
            FolderSync::entryChanged(target);
        return appended.result;
    }
    return {false, systemReason(EBUSY)};
}

namespace {
// The copy's bytes written beside its target, or why not.
std::variant<WriteResult, std::unique_ptr<Replacement>> copyBeside(const Copy& c)
{
    QFile source(c.from);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return WriteResult{false, naming(c.from, failureOf(source, errno))};
    errno = 0;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return WriteResult{false, naming(c.from, failureOf(source, errno))};
    const QString target = targetOf(c.to);
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(c.from).canonicalFilePath())
        return WriteResult{false, QStringLiteral("Quelle und Ziel sind dieselbe Datei")};
    return std::make_unique<Replacement>(target, bytes);
}
}

WriteResult copy(const QString& from, const QString& to) { return copyEach({{from, to}}).front(); }

std::vector<WriteResult> copyEach(const std::vector<Copy>& copies)
{
    std::vector<std::variant<WriteResult, std::unique_ptr<Replacement>>> beside;
    for (const Copy& c : copies)
        beside.push_back(copyBeside(c));
    std::vector<WriteResult> results;
    for (auto& b : beside) {
        auto* file = std::get_if<std::unique_ptr<Replacement>>(&b);
        results.push_back(file ? putInPlace(**file) : std::get<WriteResult>(b));
    }
    return results;
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

QString setChanges(const WriteResult& failed, const QStringList& names)
{
    QStringList changed;
    QStringList unchanged;
    QStringList changedNames;
    for (const QString& path : failed.changed)
        changedNames << QFileInfo(path).fileName();
    for (const QString& name : names)
        (changedNames.contains(name, Qt::CaseInsensitive) ? changed : unchanged) << name;
    if (!changed.isEmpty())
        return QStringLiteral("Dennoch geändert: %1; unverändert: %2")
            .arg(changed.join(QStringLiteral(", ")), unchanged.join(QStringLiteral(", ")));
    if (unchanged.size() == 1)
        return QStringLiteral("Die Datei %1 wurde nicht geändert").arg(unchanged.first());
    return QStringLiteral("Keine der Dateien %1 wurde geändert").arg(unchanged.join(QStringLiteral(", ")));
}

}
