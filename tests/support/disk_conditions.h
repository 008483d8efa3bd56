#pragma once
// States of a data folder that a test cannot make by writing files: a disk
// too full for a file, a shared folder whose user may not write or replace a
// file, and the syncs that put a file on the disk.
#include <QString>
#include <QStringList>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/types.h>

// While it lives, no file of the process may grow beyond `bytes`: a write
// past that fails with EFBIG as one on a full disk fails with ENOSPC. The
// signal the system sends with it is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    void (*m_handler)(int) = SIG_DFL;
};

// While it lives, the file can only grow: it takes appends, but cannot be
// opened for writing otherwise nor be cut, as a file that a share lets a user
// append to and nothing else. Needs the right to set the file's append-only
// attribute, and a file system that has it.
class AppendOnlyFile {
public:
    explicit AppendOnlyFile(const QString& path);
    ~AppendOnlyFile();
    AppendOnlyFile(const AppendOnlyFile&) = delete;
    AppendOnlyFile& operator=(const AppendOnlyFile&) = delete;

    // False when the attribute could not be set.
    bool active() const { return m_active; }

private:
    QString m_path;
    bool m_active = false;
};

// Only root can act as other users; the tests run as root here and in CI.
bool runsAsRoot();

// While it lives, the process acts as another user of a folder that everyone
// may write, real and effective user both (Qt and access() ask the real one).
// Needs root; acts as root again at its end.
class FolderUser {
public:
    static constexpr uid_t kUser = 65533;
    static constexpr uid_t kOwner = 65534;

    ~FolderUser();
    FolderUser(const FolderUser&) = delete;
    FolderUser& operator=(const FolderUser&) = delete;

    // False when the folder could not be prepared or the user not taken on.
    bool active() const { return m_active; }

protected:
    struct FileMode {
        uid_t owner;
        mode_t mode;
    };
    // Gives the folder `folderMode` and each file of it its owner and mode.
    FolderUser(const QString& folder, mode_t folderMode, const std::function<FileMode(const QString& name)>& file);

private:
    bool m_active = false;
};

// A folder as a school's share may be: everyone may write in it, only a
// file's owner may replace the file (a sticky folder). The user owns every
// file of it but those named in `foreign`, which belong to a third user and
// which everyone may write.
class StickyFolderUser : public FolderUser {
public:
    StickyFolderUser(const QString& folder, const QStringList& foreign);
};

// A share whose files everyone may replace: the user owns every file of it,
// and those named in `readOnly` are read-only.
class ReadOnlyFilesUser : public FolderUser {
public:
    ReadOnlyFilesUser(const QString& folder, const QStringList& readOnly);
};

// While it lives, every fsync and fdatasync of the process calls `atSync`
// first, with the path of the file or folder synced and its mode then. What
// it returns is an errno value the sync fails with, or 0 to let it be done.
class SyncWatch {
public:
    using AtSync = std::function<int(const QString& path, mode_t mode)>;
    // A sync as the disk is asked for it: also whether the descriptor synced
    // may write (a share's client sends no flush for one that may not).
    struct Sync {
        QString path;
        mode_t mode;
        bool forWriting;
    };
    using AtSyncOf = std::function<int(const Sync& sync)>;
    explicit SyncWatch(AtSync atSync);
    explicit SyncWatch(AtSyncOf atSync);
    ~SyncWatch();
    SyncWatch(const SyncWatch&) = delete;
    SyncWatch& operator=(const SyncWatch&) = delete;

private:
    AtSyncOf m_atSync;
};

// While it lives, every pread of the process calls `atRead` first, with the
// path of the file read: what another PC does to a file just after a writer
// looked at it.
class ReadWatch {
public:
    using AtRead = std::function<void(const QString& path)>;
    explicit ReadWatch(AtRead atRead);
    ~ReadWatch();
    ReadWatch(const ReadWatch&) = delete;
    ReadWatch& operator=(const ReadWatch&) = delete;

private:
    AtRead m_atRead;
};

// While it lives, every lock the process asks for on a file fails with
// ENOLCK, as on a share mounted without the server's locks.
class LocklessShare {
public:
    LocklessShare();
    ~LocklessShare();
    LocklessShare(const LocklessShare&) = delete;
    LocklessShare& operator=(const LocklessShare&) = delete;
};
