#pragma once
// Reading and writing the data files of the shared data folder: Windows-1252,
// lines ended by CR LF (a lone LF accepted on reading), numbers in the
// original's print form and number input.
#include "platform/numbers.h"
#include "platform/variant.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace datafile {

// Looks `path` (folder prefix and file name) up case-insensitively in its
// folder, as data folders come from Windows PCs. A name starting with "."
// counts as hidden, so as missing. Returns the path as it is on disk, or "".
QString find(const QString& path);
bool exists(const QString& path);

// Makes the file writable (clears read-only, hidden and system attributes).
void clearAttributes(const QString& path);

// Every line of a file; CR LF or LF end a line, a last line without end counts.
// nullopt when the file is missing or cannot be read.
std::optional<QStringList> readLines(const QString& path);

// A read that tells a missing file from one that is there but cannot be read
// (a folder in its place, no permission, the share gone): for files such as
// the day files, where a missing file is a normal state and an unreadable one
// must not pass for it.
struct FileRead {
    enum class State { Read, Missing, Unreadable };
    State state = State::Missing;
    QStringList lines;
    QString reason; // why it could not be read, for the user; empty otherwise
};
FileRead readFile(const QString& path);

// What a window tells of a file that is there but cannot be read, naming the
// file by the kind the user knows it as (`what`: "Tagesdatei", "Datei") and
// the system's reason: "Die Tagesdatei 20260311.qz konnte nicht gelesen
// werden: An Stelle der Datei steht ein Ordner." Empty without a reason (the
// file was read, or is missing).
QString unreadableNotice(const QString& what, const QString& path, const QString& reason);

// The reasons for unreadableNotice of a file that is damaged: it ends before
// the lines its layout calls for, after `lines` lines (none: it is empty), or
// holds no number on line `line` where its layout has one.
QString endsEarlyReason(long lines);
QString notANumberReason(long line);

// How a write went: done, or why not, in words for the user (German).
struct WriteResult {
    bool ok = true;
    QString reason;
    // Of a set that failed (rewriteSet): the files, by their paths as given,
    // that hold their new bytes all the same, as their old ones could not be
    // put back. Empty when the failure changed no file.
    QStringList changed = {};
    explicit operator bool() const { return ok; }
};

// The system's reason for a failed file operation (an errno value), in German.
QString systemReason(int code);

// A control character becomes a blank, a character outside Windows-1252 "?":
// a field pasted with a line break must never split a line of a data file.
QString sanitizeField(const QString& text);

// Opens a new file beside `target` under a temporary name, to write it
// there until it is whole; the name starts with "." (hidden: find() never
// takes it for a data file). A few names are tried, as another PC may take
// one meanwhile. False when none could be made, errno then telling why. It
// gets `permissions`, less the umask, or without them those of any new file.
bool openTemporary(QFile& file, const QString& target, QIODevice::OpenMode mode = {},
                   std::optional<QFile::Permissions> permissions = std::nullopt);

// Rewrites a whole file through a temporary file beside it and a rename, so a
// crash, a power cut or a full disk never leaves it half written: the
// temporary file is read back, synced to the disk through a descriptor open
// for writing, and renamed only when it holds every byte, and its folder is
// synced after the rename. One that replaces a file is readable by this user
// alone until it takes the file's group (where the user may give it) and
// mode; a new one gets what any new file of the folder gets. A file the user
// may not write (read-only) is not replaced. On a failure the file is as it
// was and no temporary file is left. Each line gets CR LF.
WriteResult rewrite(const QString& path, const QStringList& lines);
// The same with the bytes as they are.
WriteResult rewriteBytes(const QString& path, const QByteArray& bytes);

// True when the file holds exactly the bytes that rewrite would write for
// these lines; false when it differs, is missing or cannot be read.
bool holds(const QString& path, const QStringList& lines);
bool holds(const QString& path, const QByteArray& bytes);

// As rewrite, but a file that holds these lines already is left untouched,
// its time stamp too: the other PCs of the school see no change where none is.
WriteResult rewriteChanged(const QString& path, const QStringList& lines);

// The bytes rewrite writes for these lines.
QByteArray bytesOf(const QStringList& lines);

// Rewrites files that belong together, all of them or none. Every file is
// written to a temporary file and checked as rewrite does; only when all are
// complete, and none is a file the user may not write, are they renamed over
// their targets, in the order given. When a file cannot be replaced (a folder
// that lets a file be written but not be replaced), the files renamed before
// it get their old bytes back, and those that did not exist before are
// removed. Bytes as bytesOf gives them. The reason of a failure starts with
// the name of the file it failed on; a file whose old bytes could not be put
// back is named in `changed`, and only then is any file of the set changed.
// The folder is synced once, after the last rename.
struct FileBytes {
    QString path;
    QByteArray bytes;
    // Of a file other PCs add to (a list), makes its bytes from what it holds
    // at the last moment: after every file of the set is written and synced,
    // just before the renames. Where they come out other than `bytes`, the
    // file is written again. A failure it returns fails the set.
    std::function<WriteResult(QByteArray& bytes)> makeBytes = {};
};
WriteResult rewriteSet(const std::vector<FileBytes>& files);

// A file as it was before a write, to be given back when a later step of
// the same change fails.
struct FileBefore {
    bool existed = false;
    QByteArray bytes;
    // Why its bytes could not be read, so it could not be given back; empty
    // when they were.
    QString unreadable;
};
FileBefore fileBefore(const QString& path);
// Gives a file that holds the bytes `written` its old bytes back by the same
// checked write, or removes it when there was none; false when that failed,
// and when the file cannot be read. A file another program has saved or
// deleted since is left as that program left it.
bool giveBack(const QString& path, const FileBefore& before, const QByteArray& written);

// Appends one line with its CR LF: several PCs append to the same file. The
// look at the file (its last line: when it has no line end, the write starts
// with one), the write and its sync are one step under a lock on the file,
// which every writer of the program takes; a PC that cannot get the lock
// within seconds writes nothing and says so. On a share that cannot lock at
// all (mounted without the server's locks) the line is appended without it.
// A line counts as written once it is synced to the disk. One that is not
// is taken out again, a piece that a full disk let through too, but only
// where what follows the file's old end is known to be this write's own: a
// writer that does not see the lock (an older version of the program, a
// share without locks) may have appended meanwhile, and its line stays. Where
// a piece stays, the reason says so. A file the append made and that stays
// empty is removed again, where the lock was held: without it another PC may
// be writing to it.
// `listed`, where given, is asked with the file's lines as they are at the
// write, under the lock; where it finds the line there already, nothing is
// written and the append counts as done, so that a list two PCs add the same
// line to at once holds it once.
using Listed = std::function<bool(const QStringList& lines)>;
WriteResult appendLine(const QString& path, const QString& line, const Listed& listed = {});

// Copies a file byte for byte: the source is only read, and the target is
// replaced as rewrite replaces a file, so an earlier copy stays whole until
// the new one is complete. Fails when the target is the source itself
// (writing a file over itself would drop what another PC appends). The
// reason of a source that could not be read starts with the source's name.
WriteResult copy(const QString& from, const QString& to);
// Copies each file as copy does, each on its own, but their bytes go to the
// disk together, so that one wait for the disk serves them all. A result for
// each copy, in the order given.
struct Copy {
    QString from;
    QString to;
};
std::vector<WriteResult> copyEach(const std::vector<Copy>& copies);

// An action that replaces or copies many files (the backup, the passwords of
// all teachers) syncs each folder once, after its last rename, rather than
// after each file's: on a share every sync is a round trip to the server.
// While one lives, the folders of the renames are noted, and synced when it
// ends; one begun inside it joins it.
class FolderSync {
public:
    FolderSync();
    ~FolderSync();
    FolderSync(const FolderSync&) = delete;
    FolderSync& operator=(const FolderSync&) = delete;

    // Syncs the folder of a file just renamed into place or made, now or at
    // the end of the action under way.
    static void entryChanged(const QString& file);

private:
    QStringList m_folders;
};

// Only for measuring what the syncs cost (the benchmarks): while off, no
// file and no folder is synced.
void setSyncing(bool on);

// Sequential reading with the original's end-of-file semantics: a read past
// the end leaves the variable as it was and returns false.
class Reader {
public:
    explicit Reader(const QString& path);
    // Reads lines already read from a file (FileRead::lines).
    explicit Reader(QStringList lines);
    bool isOpen() const { return m_open; }
    // Why a file that is there could not be read; empty when it was read or
    // is missing.
    const QString& unreadable() const { return m_unreadable; }
    bool atEnd() const;

    // The rest of the current line (line input).
    bool lineInput(QString& into);
    bool lineInput(Variant& into);

    // Number input: skips blanks, ends at a comma, a blank or the line end.
    // A value that does not fit the variable leaves it as it was.
    bool numberInput(double& into);
    bool numberInput(float& into);
    bool numberInput(short& into);
    bool numberInput(int& into);
    bool numberInput(Variant& into);

    int lineNumber() const { return m_line; }

private:
    std::optional<double> nextNumber();

    QStringList m_lines;
    int m_line = 0;
    int m_column = 0;
    bool m_open = false;
    QString m_unreadable;
};

// Collects the lines of a whole-file rewrite.
class Writer {
public:
    void line(const QString& text) { m_lines << text; }
    // A number on a line of its own in print form: " 5 ".
    void number(double value) { m_lines << numbers::printForm(value); }
    // A single-precision value in its own print form: " 1,1 ".
    void numberSingle(float value) { m_lines << numbers::printFormSingle(value); }
    const QStringList& lines() const { return m_lines; }
    bool commit(const QString& path) const { return static_cast<bool>(rewrite(path, m_lines)); }

private:
    QStringList m_lines;
};

// What a set that failed (rewriteSet) changed, in words for the user: of the
// set's files `names` (as the user knows them, "Titel.txt"), those its
// `changed` names hold their new bytes. A sentence without its closing full
// stop: "Die Datei Titel.txt wurde nicht geändert", "Keine der Dateien
// vorda.ver, Titel.txt wurde geändert", or "Dennoch geändert: vorda.ver;
// unverändert: Titel.txt".
QString setChanges(const WriteResult& failed, const QStringList& names);
}
