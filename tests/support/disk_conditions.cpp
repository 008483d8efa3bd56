#include "tests/support/disk_conditions.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uid_t kRoot = 0;
// Written and entered by everyone; in a sticky one, files are replaced only
// by their owners.
constexpr mode_t kSharedFolderMode = 0777;
constexpr mode_t kStickyFolderMode = 01777;
constexpr mode_t kOwnFileMode = 0644;
constexpr mode_t kEveryonesFileMode = 0666;
constexpr mode_t kReadOnlyFileMode = 0444;
constexpr mode_t kModeBits = 07777;

bool setAppendOnly(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool set = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (set) {
        flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
        set = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return set;
}
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_before);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_before;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_before);
    std::signal(SIGXFSZ, m_handler);
}

AppendOnlyFile::AppendOnlyFile(const QString& path) : m_path(path), m_active(setAppendOnly(path, true)) {}

AppendOnlyFile::~AppendOnlyFile()
{
    if (m_active)
        setAppendOnly(m_path, false);
}

bool runsAsRoot() { return geteuid() == kRoot; }

FolderUser::FolderUser(const QString& folder, mode_t folderMode, const std::function<FileMode(const QString&)>& file)
{
    if (chmod(QFile::encodeName(folder).constData(), folderMode) != 0)
        return;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        const FileMode wanted = file(name);
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        if (chown(path.constData(), wanted.owner, static_cast<gid_t>(-1)) != 0
            || chmod(path.constData(), wanted.mode) != 0)
            return;
    }
    // The saved user stays root, so that root can be taken on again.
    m_active = setresuid(kUser, kUser, kRoot) == 0;
}

FolderUser::~FolderUser()
{
    if (m_active)
        setresuid(kRoot, kRoot, kRoot);
}

StickyFolderUser::StickyFolderUser(const QString& folder, const QStringList& foreign)
    : FolderUser(folder, kStickyFolderMode, [&foreign](const QString& name) {
          return foreign.contains(name) ? FileMode{kOwner, kEveryonesFileMode} : FileMode{kUser, kOwnFileMode};
      })
{
}

ReadOnlyFilesUser::ReadOnlyFilesUser(const QString& folder, const QStringList& readOnly)
    : FolderUser(folder, kSharedFolderMode, [&readOnly](const QString& name) {
          return FileMode{kUser, readOnly.contains(name) ? kReadOnlyFileMode : kOwnFileMode};
      })
{
}

namespace {
QString pathOf(int fd) { return QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd)); }

SyncWatch::AtSyncOf* gAtSync = nullptr;

using SyncCall = int (*)(int);

// The program's syncs come here, as this definition takes the place of the
// system's in the test program, which is called through `real`.
int watched(int fd, SyncCall real)
{
    if (gAtSync != nullptr) {
        const QString path = pathOf(fd);
        struct stat status {};
        fstat(fd, &status);
        const int access = fcntl(fd, F_GETFL) & O_ACCMODE;
        if (const int code = (*gAtSync)({path, status.st_mode & kModeBits, access != O_RDONLY}); code != 0) {
            errno = code;
            return -1;
        }
    }
    return real(fd);
}

ReadWatch::AtRead* gAtRead = nullptr;

bool gLocksRefused = false;
}

extern "C" int fsync(int fd)
{
    static const auto real = reinterpret_cast<SyncCall>(dlsym(RTLD_NEXT, "fsync"));
    return watched(fd, real);
}

extern "C" int fdatasync(int fd)
{
    static const auto real = reinterpret_cast<SyncCall>(dlsym(RTLD_NEXT, "fdatasync"));
    return watched(fd, real);
}

extern "C" ssize_t pread(int fd, void* into, size_t count, off_t at)
{
    using Read = ssize_t (*)(int, void*, size_t, off_t);
    static const auto real = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "pread"));
    if (gAtRead != nullptr)
        (*gAtRead)(pathOf(fd));
    return real(fd, into, count, at);
}

// Every command's argument is an int or a pointer, which the system's fcntl
// takes as a pointer too.
extern "C" int fcntl(int fd, int command, ...)
{
    using Control = int (*)(int, int, ...);
    static const auto real = reinterpret_cast<Control>(dlsym(RTLD_NEXT, "fcntl"));
    va_list arguments;
    va_start(arguments, command);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    const bool lock = command == F_SETLK || command == F_SETLKW || command == F_OFD_SETLK || command == F_OFD_SETLKW;
    if (gLocksRefused && lock) {
        errno = ENOLCK;
        return -1;
    }
    return real(fd, command, argument);
}

SyncWatch::SyncWatch(AtSync atSync)
    : SyncWatch([atSync = std::move(atSync)](const Sync& sync) { return atSync(sync.path, sync.mode); })
{
}

SyncWatch::SyncWatch(AtSyncOf atSync) : m_atSync(std::move(atSync)) { gAtSync = &m_atSync; }

SyncWatch::~SyncWatch() { gAtSync = nullptr; }

ReadWatch::ReadWatch(AtRead atRead) : m_atRead(std::move(atRead)) { gAtRead = &m_atRead; }

ReadWatch::~ReadWatch() { gAtRead = nullptr; }

LocklessShare::LocklessShare() { gLocksRefused = true; }

LocklessShare::~LocklessShare() { gLocksRefused = false; }
