#include "platform/codepage.h"
#include "platform/datafile.h"
#include "tests/support/disk_conditions.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>
#include <QProcess>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

using DataFileTest = ModelTest;

TEST_F(DataFileTest, EveryByteValueSurvivesAReadAndAWrite)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all += static_cast<char>(b);
    }
    writeBytes("bytes.dat", all + "\r\n");
    const QStringList lines = readLines("bytes.dat");
    ASSERT_EQ(lines.size(), 1);
    ASSERT_TRUE(datafile::rewrite(path("copy.dat"), lines));
    EXPECT_EQ(readBytes("copy.dat"), all + "\r\n");
}

TEST_F(DataFileTest, UmlautsAndEuroAreWindows1252)
{
    ASSERT_TRUE(datafile::rewrite(path("t.dat"), {QStringLiteral("Müller ÄÖÜß €")}));
    EXPECT_EQ(readBytes("t.dat"), QByteArray("M\xFCller \xC4\xD6\xDC\xDF \x80\r\n"));
    EXPECT_EQ(readLines("t.dat"), QStringList{QStringLiteral("Müller ÄÖÜß €")});
}

TEST_F(DataFileTest, LineEndsOnReading)
{
    writeBytes("mixed.dat", "eins\r\nzwei\ndrei");
    EXPECT_EQ(readLines("mixed.dat"), (QStringList{"eins", "zwei", "drei"}));
    writeBytes("empty-last.dat", "a\r\n\r\n");
    EXPECT_EQ(readLines("empty-last.dat"), (QStringList{"a", ""}));
    writeBytes("empty.dat", "");
    EXPECT_TRUE(readLines("empty.dat").isEmpty());
}

TEST_F(DataFileTest, ReaderKeepsTheVariableAtTheEnd)
{
    writeBytes("r.dat", " 5 \r\nText\r\n");
    datafile::Reader r(path("r.dat"));
    ASSERT_TRUE(r.isOpen());
    short n = 0;
    QString s = "vorher";
    EXPECT_TRUE(r.numberInput(n));
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(r.lineInput(s));
    EXPECT_EQ(s, "Text");
    EXPECT_TRUE(r.atEnd());
    s = "bleibt";
    n = 9;
    EXPECT_FALSE(r.lineInput(s));
    EXPECT_FALSE(r.numberInput(n));
    EXPECT_EQ(s, "bleibt");
    EXPECT_EQ(n, 9);
}

TEST_F(DataFileTest, NumberInputStopsAtCommaOrBlankAndKeepsWhatDoesNotFit)
{
    writeBytes("n.dat", "  12,7\r\n-3 4\r\n2,5\r\nabc\r\n70000\r\n2.5\r\n");
    datafile::Reader r(path("n.dat"));
    short a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 11;
    r.numberInput(a);
    r.numberInput(b); // the 7 after the comma on the same line
    r.numberInput(c); // "-3", the rest of the line after the blank is dropped
    r.numberInput(d); // "2" of "2,5" ...
    r.numberInput(e); // ... and "5"
    r.numberInput(f); // no number reads as 0
    r.numberInput(g); // too big for 16 bits: unchanged
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(c, -3);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(e, 5);
    EXPECT_EQ(f, 0);
    EXPECT_EQ(g, 11);
    double h = 0;
    r.numberInput(h);
    EXPECT_DOUBLE_EQ(h, 2.5);
}

TEST_F(DataFileTest, WriterUsesThePrintFormAndCrLf)
{
    datafile::Writer w;
    w.number(5);
    w.number(-5);
    w.number(0);
    w.line("Text");
    ASSERT_TRUE(w.commit(path("w.dat")));
    EXPECT_EQ(readBytes("w.dat"), QByteArray(" 5 \r\n-5 \r\n 0 \r\nText\r\n"));
}

TEST_F(DataFileTest, LookUpIgnoresCaseAndHidesDotFiles)
{
    writeLines("KLASSEN.TXT", {"5a"});
    writeLines(".hidden", {"x"});
    EXPECT_EQ(datafile::find(path("Klassen.txt")), path("KLASSEN.TXT"));
    EXPECT_FALSE(datafile::exists(path(".hidden")));
    EXPECT_FALSE(datafile::exists(path("fehlt.dat")));
    // A rewrite keeps the name as it is on disk.
    ASSERT_TRUE(datafile::rewrite(path("Klassen.txt"), {"6b"}));
    EXPECT_EQ(readBytes("KLASSEN.TXT"), QByteArray("6b\r\n"));
}

TEST_F(DataFileTest, AFailedRewriteSaysWhyAndLeavesNoFileBehind)
{
    blockFile("belegt.dat");
    const auto written = datafile::rewrite(path("belegt.dat"), {"eins"});
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason, "An Stelle der Datei steht ein Ordner");
    unblockFile("belegt.dat");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(DataFileTest, ASetIsRenamedIntoPlaceOnlyWhenEveryFileOfItIsWritten)
{
    writeLines("a.dat", {"alt"});
    writeLines("B.DAT", {"alt"});
    blockFile("c.dat");
    const std::vector<datafile::FileBytes> set{
        {path("a.dat"), "neu\r\n"}, {path("b.dat"), "neu\r\n"}, {path("c.dat"), "neu\r\n"}};
    const auto written = datafile::rewriteSet(set);
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.reason.isEmpty());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.dat", "B.DAT"}));
    EXPECT_TRUE(readBytes("a.dat") == "alt\r\n" && readBytes("B.DAT") == "alt\r\n");

    unblockFile("c.dat");
    ASSERT_TRUE(datafile::rewriteSet(set));
    EXPECT_TRUE(readBytes("a.dat") == "neu\r\n" && readBytes("B.DAT") == "neu\r\n" && readBytes("c.dat") == "neu\r\n");
}

// A write that cannot be completed leaves every file as it was, no
// temporary file behind, and says why: a disk too full for a file smaller
// than Qt's write buffer (it reaches the disk only when flushed), a sync the
// disk refuses, a file the user may not write (a rename asks only the
// folder). A refused sync of the folder after the rename, or a read-only
// mark the program clears first, fails no write.
TEST_F(DataFileTest, AWriteThatCannotBeCompletedLeavesEveryFileAsItWasAndSaysWhy)
{
    const QString folder = QFileInfo(m_dir.path()).canonicalFilePath();
    const QByteArray old(3000, 'a');
    const QByteArray big = QByteArray(4998, 'n') + "\r\n";
    // Each holds its condition while it lives.
    using During = std::function<std::shared_ptr<void>()>;
    const auto asAnotherUser = [this](const QStringList& readOnly) {
        auto user = std::make_shared<ReadOnlyFilesUser>(m_dir.path(), readOnly);
        EXPECT_TRUE(user->active());
        return user;
    };
    const auto refusingSyncs = [&](bool ofTheFolder) {
        return std::make_shared<SyncWatch>(
            [&folder, ofTheFolder](const QString& file, mode_t) { return (file == folder) == ofTheFolder ? EIO : 0; });
    };
    const struct {
        const char* what;
        During during;
        QString reason;
        bool needsRoot;
    } conditions[] = {
        {"the disk full", [] { return std::make_shared<FileSizeLimit>(4096); }, "Die Datei ist zu groß", false},
        {"the sync refused", [&] { return refusingSyncs(false); }, "Ein- oder Ausgabefehler des Datenträgers", false},
        {"the file read-only", [&] { return asAnotherUser({"ziel.dat"}); }, "Zugriff verweigert", true},
    };
    const struct {
        const char* what;
        std::function<datafile::WriteResult()> write;
        QString prefix; // the file a set names
    } writers[] = {
        {"rewrite", [&] { return datafile::rewriteBytes(path("ZIEL.DAT"), big); }, ""},
        {"rewriteSet", [&] { return datafile::rewriteSet({{path("ziel.dat"), big}, {path("a.dat"), "neu\r\n"}}); },
         "ziel.dat: "},
        {"copy", [&] { return datafile::copy(path("quelle.dat"), path("ziel.dat")); }, ""},
    };
    const auto prepare = [&] {
        writeBytes("a.dat", "alt\r\n");
        writeBytes("quelle.dat", big);
        writeBytes("ziel.dat", old);
    };
    for (const auto& c : conditions) {
        if (c.needsRoot && !runsAsRoot())
            continue;
        for (const auto& w : writers) {
            SCOPED_TRACE(std::string(c.what) + ", " + w.what);
            prepare();
            datafile::WriteResult written;
            {
                const std::shared_ptr<void> holding = c.during();
                written = w.write();
            }
            EXPECT_FALSE(written.ok);
            EXPECT_EQ(written.reason, w.prefix + c.reason);
            EXPECT_TRUE(written.changed.isEmpty());
            EXPECT_TRUE(readBytes("ziel.dat") == old && readBytes("a.dat") == "alt\r\n");
            EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                      (QStringList{"a.dat", "quelle.dat", "ziel.dat"}))
                << "no temporary file";
        }
    }
    prepare();
    {
        const std::shared_ptr<void> holding = refusingSyncs(true);
        EXPECT_TRUE(datafile::rewriteBytes(path("ziel.dat"), big));
    }
    if (runsAsRoot()) {
        const std::shared_ptr<void> holding = asAnotherUser({"a.dat"});
        datafile::clearAttributes(path("a.dat"));
        EXPECT_TRUE(datafile::rewriteBytes(path("a.dat"), "neu\r\n"));
    }
}

TEST_F(DataFileTest, ACopyThatCannotReadItsSourceNamesItAndOneOntoItselfIsRefused)
{
    writeBytes("ziel.dat", "alt\r\n");
    blockFile("quelle.dat");
    const datafile::WriteResult unread = datafile::copy(path("quelle.dat"), path("ziel.dat"));
    EXPECT_FALSE(unread.ok);
    EXPECT_EQ(unread.reason, "quelle.dat: An Stelle der Datei steht ein Ordner");
    unblockFile("quelle.dat");
    const datafile::WriteResult itself = datafile::copy(path("ziel.dat"), path("ZIEL.DAT"));
    EXPECT_FALSE(itself.ok);
    EXPECT_EQ(itself.reason, "Quelle und Ziel sind dieselbe Datei");
    EXPECT_EQ(readBytes("ziel.dat"), "alt\r\n");
}

// A shared folder may let a user write a file but not replace it. The files
// of the set replaced before it get their old bytes back, and one that was
// not there goes again; where the old bytes no longer fit on the disk, the
// result names the file that holds the new ones.
TEST_F(DataFileTest, ASetWithAFileThatCannotBeReplacedChangesNoFileOrNamesIt)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    constexpr rlim_t kDiskRoom = 4096;
    const struct {
        const char* what;
        QByteArray old;
        bool diskFull;
        QStringList changed;
        QByteArray after;
    } cases[] = {{"given back", "alt\r\n", false, {}, "alt\r\n"},
                 {"too large to give back", QByteArray(5000, 'a'), true, {"a.dat"}, "neu\r\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("b.dat"));
        writeBytes("a.dat", c.old);
        writeBytes("c.dat", "fremd\r\n");
        datafile::WriteResult written;
        {
            const StickyFolderUser user(m_dir.path(), {"c.dat"});
            ASSERT_TRUE(user.active());
            const std::optional<FileSizeLimit> full =
                c.diskFull ? std::optional<FileSizeLimit>(std::in_place, kDiskRoom) : std::nullopt;
            written = datafile::rewriteSet(
                {{path("A.DAT"), "neu\r\n"}, {path("b.dat"), "neu\r\n"}, {path("c.dat"), "neu\r\n"}});
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(written.reason, "c.dat: Zugriff verweigert");
        QStringList changed;
        for (const QString& file : written.changed)
            changed << QFileInfo(file).fileName().toLower();
        EXPECT_EQ(changed, c.changed);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.dat", "c.dat"}));
        EXPECT_TRUE(readBytes("a.dat") == c.after && readBytes("c.dat") == "fremd\r\n");
    }
}

namespace {
mode_t modeOf(const QString& file)
{
    struct stat status {};
    stat(QFile::encodeName(file).constData(), &status);
    return status.st_mode & 0777;
}

// The data file a temporary file ".a.dat.0123abcd.tmp" is written for, or "".
QString targetOfTemporary(const QString& name)
{
    return name.startsWith(QLatin1Char('.')) && name.endsWith(QStringLiteral(".tmp")) ? name.section('.', 1, -3)
                                                                                        : QString();
}

// Each way a file is replaced or made, writing "neu\r\n" to `target`; the
// copy's `source` holds those bytes.
using Writer = std::pair<const char*, std::function<bool()>>;
std::vector<Writer> everyWriter(const QString& source, const QString& target)
{
    return {
        {"rewrite", [=] { return datafile::rewriteBytes(target, "neu\r\n").ok; }},
        {"rewriteSet", [=] { return datafile::rewriteSet({{target, "neu\r\n"}}).ok; }},
        {"copy", [=] { return datafile::copy(source, target).ok; }},
    };
}
}

// After a power cut a file renamed into place before its bytes were on the
// disk can come back empty. Each file is synced, through a descriptor that
// may write it, while its target still holds the old bytes, one that
// replaces a file readable by this user alone (the old file may be a
// password file), and keeps the target's mode; the folder is synced once,
// after the last rename.
TEST_F(DataFileTest, EveryFileIsOnTheDiskBeforeItReplacesTheOldOne)
{
    const QByteArray newA = "neu a\r\n", newB = "neu b\r\n", newC = "neu c\r\n";
    const struct {
        const char* what;
        std::function<bool()> write;
        std::map<QString, QByteArray> written;
    } cases[] = {
        {"rewrite", [&] { return datafile::rewriteBytes(path("A.DAT"), newA).ok; }, {{"a.dat", newA}}},
        {"rewriteSet",
         [&] {
             return datafile::rewriteSet({{path("a.dat"), newA}, {path("b.dat"), newB}, {path("c.dat"), newC}}).ok;
         },
         {{"a.dat", newA}, {"b.dat", newB}, {"c.dat", newC}}},
        {"copy", [&] { return datafile::copy(path("quelle.dat"), path("a.dat")).ok; }, {{"a.dat", newA}}},
    };
    const QString folder = QFileInfo(m_dir.path()).canonicalFilePath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("c.dat"));
        writeBytes("quelle.dat", newA);
        const std::map<QString, QByteArray> old{{"a.dat", "alt a\r\n"}, {"b.dat", "alt b\r\n"}, {"c.dat", ""}};
        writeBytes("a.dat", old.at("a.dat"));
        writeBytes("b.dat", old.at("b.dat"));
        const mode_t newFile = modeOf(path("quelle.dat"));
        const std::map<QString, mode_t> modes{{"a.dat", 0640}, {"b.dat", 0600}, {"c.dat", newFile}};
        const std::map<QString, mode_t> syncedModes{{"a.dat", 0600}, {"b.dat", 0600}, {"c.dat", newFile}};
        QFile::setPermissions(path("a.dat"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QFile::setPermissions(path("b.dat"), QFile::ReadOwner | QFile::WriteOwner);
        struct Synced {
            mode_t mode;
            QByteArray bytes, target;
            bool forWriting;
        };
        std::map<QString, std::vector<Synced>> synced;
        std::vector<bool> folderSyncedWithNewFiles;
        bool written = false;
        {
            const SyncWatch watch([&](const SyncWatch::Sync& sync) {
                const QString& file = sync.path;
                const QFileInfo info(file);
                if (file == folder) {
                    bool allNew = true;
                    for (const auto& [name, bytes] : c.written)
                        allNew = allNew && readBytes(name) == bytes;
                    folderSyncedWithNewFiles.push_back(allNew);
                } else if (const QString target = targetOfTemporary(info.fileName());
                           info.path() == folder && !target.isEmpty()) {
                    synced[target].push_back(
                        {sync.mode & 0777, readBytes(info.fileName()), readBytes(target), sync.forWriting});
                }
                return 0;
            });
            written = c.write();
        }
        EXPECT_TRUE(written);
        EXPECT_EQ(synced.size(), c.written.size());
        for (const auto& [name, bytes] : c.written) {
            SCOPED_TRACE(name.toStdString());
            ASSERT_EQ(synced[name].size(), 1u);
            const Synced& sync = synced[name].front();
            EXPECT_EQ(sync.bytes, bytes);
            EXPECT_EQ(sync.target, old.at(name)) << "synced before the rename";
            EXPECT_EQ(sync.mode, syncedModes.at(name));
            EXPECT_TRUE(sync.forWriting) << "a share's client sends no flush for a file open for reading alone";
            EXPECT_EQ(readBytes(name), bytes);
            EXPECT_EQ(modeOf(path(name)), modes.at(name));
        }
        EXPECT_EQ(folderSyncedWithNewFiles, std::vector<bool>{true}) << "the folder synced once, after the last rename";
    }
}

// In a folder without the setgid bit a file another account saves would
// take that account's group, and the account that shared the file through
// its group could no longer save it.
TEST_F(DataFileTest, AReplacedFileKeepsItsGroup)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can give a file a group it is no member of";
    constexpr gid_t kSharingGroup = 65534;
    writeBytes("quelle.dat", "neu\r\n");
    for (const auto& [what, write] : everyWriter(path("quelle.dat"), path("a.dat"))) {
        SCOPED_TRACE(what);
        writeBytes("a.dat", "alt\r\n");
        ASSERT_EQ(chown(QFile::encodeName(path("a.dat")).constData(), static_cast<uid_t>(-1), kSharingGroup), 0);
        ASSERT_TRUE(write());
        struct stat status {};
        ASSERT_EQ(stat(QFile::encodeName(path("a.dat")).constData(), &status), 0);
        EXPECT_EQ(status.st_gid, kSharingGroup);
        EXPECT_EQ(readBytes("a.dat"), "neu\r\n");
    }
}

// A folder whose default ACL lets the group write: a new file gets what any
// new file of it gets, so that the other teachers' accounts may save it too.
TEST_F(DataFileTest, ANewFileGetsWhatTheFolderGivesAnyNewFile)
{
    QDir().mkdir(path("geteilt"));
    if (QProcess::execute("setfacl", {"-d", "-m", "g::rwx", path("geteilt")}) != 0)
        GTEST_SKIP() << "setfacl is missing, or the file system keeps no ACLs";
    writeBytes("quelle.dat", "neu\r\n");
    for (const auto& [what, write] : everyWriter(path("quelle.dat"), path("geteilt/a.dat"))) {
        SCOPED_TRACE(what);
        QFile::remove(path("geteilt/a.dat"));
        ASSERT_TRUE(write());
        EXPECT_EQ(modeOf(path("geteilt/a.dat")) & 0060, 0060u);
    }
}

// An action of many files syncs each folder once, at its end, also one
// where appends made new files; one begun inside it joins it.
TEST_F(DataFileTest, AnActionSyncsEachFolderOnceAfterItsLastRename)
{
    QDir().mkdir(path("sicherung"));
    // A folder where appends make new files.
    QDir().mkdir(path("tage"));
    const QString folders[] = {QFileInfo(m_dir.path()).canonicalFilePath(),
                               QFileInfo(path("sicherung")).canonicalFilePath(),
                               QFileInfo(path("tage")).canonicalFilePath()};
    writeBytes("quelle.dat", "neu\r\n");
    std::map<QString, int> synced;
    std::map<QString, int> syncedBeforeTheEnd;
    {
        const SyncWatch watch([&](const QString& file, mode_t) {
            ++synced[file];
            return 0;
        });
        {
            const datafile::FolderSync action;
            for (const QString name : {"a.dat", "b.dat", "c.dat"}) {
                ASSERT_TRUE(datafile::copy(path("quelle.dat"), path("sicherung/" + name)));
                ASSERT_TRUE(datafile::rewriteSet({{path(name), "neu\r\n"}, {path("d.dat"), "neu\r\n"}}));
                ASSERT_TRUE(datafile::appendLine(path("tage/" + name), "neu"));
            }
            syncedBeforeTheEnd = synced;
        }
    }
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_EQ(syncedBeforeTheEnd[folder], 0);
        EXPECT_EQ(synced[folder], 1);
    }
}

// A file that holds other bytes than this program wrote, or is gone, is
// another PC's doing and stays so. One that cannot be read, as the share dropped after the
// rename, may hold this program's bytes: it counts as not given back.
TEST_F(DataFileTest, AFileThatCannotBeReadIsNotGivenBack)
{
    const QByteArray written = "neu\r\n";
    const datafile::FileBefore old{true, "alt\r\n", {}};
    const struct {
        const char* what;
        datafile::FileBefore before;
        std::function<void()> meanwhile;
        bool givenBack;
        std::optional<QByteArray> after;
    } cases[] = {
        {"this program's bytes", old, [] {}, true, "alt\r\n"},
        {"a file this program made", {}, [] {}, true, std::nullopt},
        {"another PC's save", old, [this] { writeBytes("ordner/a.dat", "fremd\r\n"); }, true, "fremd\r\n"},
        {"removed meanwhile", old, [this] { QFile::remove(path("ordner/a.dat")); }, true, std::nullopt},
        {"the share gone", old, [this] { QDir(m_dir.path()).rename("ordner", "weg"); }, false, std::nullopt},
        {"a folder in its place",
         old,
         [this] {
             QFile::remove(path("ordner/a.dat"));
             QDir().mkdir(path("ordner/a.dat"));
         },
         false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(path("ordner")).removeRecursively();
        QDir(path("weg")).removeRecursively();
        QDir().mkdir(path("ordner"));
        writeBytes("ordner/a.dat", written);
        c.meanwhile();
        EXPECT_EQ(datafile::giveBack(path("ordner/a.dat"), c.before, written), c.givenBack);
        const QFileInfo file(path("ordner/a.dat"));
        EXPECT_EQ(file.isFile() ? std::optional(readBytes("ordner/a.dat")) : std::nullopt, c.after);
    }
}

TEST_F(DataFileTest, AppendIsOneLineAndReportsFailure)
{
    ASSERT_TRUE(datafile::appendLine(path("a.dat"), "eins"));
    ASSERT_TRUE(datafile::appendLine(path("a.dat"), "zwei"));
    EXPECT_EQ(readBytes("a.dat"), QByteArray("eins\r\nzwei\r\n"));
    // A path that cannot be opened for appending (even by root): a folder.
    blockFile("ordner.dat");
    const datafile::WriteResult failed = datafile::appendLine(path("ordner.dat"), "drei");
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.reason, "An Stelle der Datei steht ein Ordner");
    EXPECT_EQ(datafile::appendLine(path("weg/a.dat"), "vier").reason, "Der Ordner ist nicht vorhanden");
}

// An appended line counts as written only once it is on the disk. One that
// cannot be synced, or whose file another PC holds locked beyond a few
// seconds, is not written and is told. A PC that does not see the lock may
// have appended its line meanwhile: that line stays, and so does this one.
TEST_F(DataFileTest, AnAppendIsOnTheDiskBeforeItCountsAsWritten)
{
    const QString file = path("t.dat");
    const auto appendedPlainly = [this] {
        QFile other(path("t.dat"));
        EXPECT_TRUE(other.open(QIODevice::Append) && other.write("fremd\r\n") == 7 && other.flush());
    };
    const auto lockedElsewhere = [&file] {
        auto other = std::make_shared<QFile>(file);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        EXPECT_TRUE(other->open(QIODevice::ReadWrite) && fcntl(other->handle(), F_OFD_SETLK, &lock) == 0);
        return std::shared_ptr<void>(other);
    };
    const struct {
        const char* what;
        int syncRefused;
        std::function<std::shared_ptr<void>()> during;
        std::function<void()> atSync;
        QString reason;
        std::vector<QByteArray> synced;
        QByteArray after;
    } cases[] = {
        {"written", 0, [] { return nullptr; }, [] {}, "", {"alt\r\nneu\r\n"}, "alt\r\nneu\r\n"},
        {"the sync refused", EIO, [] { return nullptr; }, [] {}, "Ein- oder Ausgabefehler des Datenträgers",
         {"alt\r\nneu\r\n"}, "alt\r\n"},
        {"the sync refused after another PC's line", EIO, [] { return nullptr; }, appendedPlainly,
         "Ein- oder Ausgabefehler des Datenträgers; ein Stück der Zeile ist in der Datei stehen geblieben",
         {"alt\r\nneu\r\nfremd\r\n"}, "alt\r\nneu\r\nfremd\r\n"},
        {"locked by another PC", 0, lockedElsewhere, [] {}, "Die Datei ist von einem anderen Arbeitsplatz gesperrt",
         {}, "alt\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes("t.dat", "alt\r\n");
        std::vector<QByteArray> synced;
        datafile::WriteResult written;
        {
            const std::shared_ptr<void> holding = c.during();
            const SyncWatch watch([&](const QString& syncedFile, mode_t) {
                if (QFileInfo(syncedFile).fileName() == "t.dat") {
                    c.atSync();
                    synced.push_back(readBytes("t.dat"));
                }
                return c.syncRefused;
            });
            written = datafile::appendLine(file, "neu");
        }
        EXPECT_EQ(synced, c.synced);
        EXPECT_EQ(written.ok, c.reason.isEmpty());
        EXPECT_EQ(written.reason, c.reason);
        EXPECT_EQ(readBytes("t.dat"), c.after);
    }
}

// Two PCs append to one file, the disk cutting the lines of one of them
// short: every line either was told written stays whole and in place, and
// no piece of a cut line is left, on its own or glued to another line.
TEST_F(DataFileTest, AppendsOfTwoPCsKeepEachOthersLinesWhole)
{
    constexpr int kRounds = 300;
    constexpr int kLineLength = 15; // "A 123 Eintrag" and its CR LF
    const QString file = path("tag.dat");
    // Each PC a process of its own, as the disk limit is one of the process;
    // it notes the lines it was told were written.
    const auto pc = [&](char name, bool cut) {
        const pid_t child = fork();
        if (child != 0)
            return child;
        QByteArray told;
        for (int round = 0; round < kRounds; ++round) {
            const QString line = QStringLiteral("%1 %2 Eintrag").arg(name).arg(round, 3, 10, QLatin1Char('0'));
            std::optional<FileSizeLimit> full;
            if (cut)
                full.emplace(QFileInfo(file).size() + 1 + round % (kLineLength + 5));
            if (datafile::appendLine(file, line))
                told += line.toLatin1() + "\r\n";
        }
        QFile notes(path(QStringLiteral("%1.txt").arg(name)));
        _exit(notes.open(QIODevice::WriteOnly) && notes.write(told) == told.size() && notes.flush() ? 0 : 1);
    };
    const pid_t cutPC = pc('A', true);
    const pid_t otherPC = pc('B', false);
    for (const pid_t child : {cutPC, otherPC}) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const QList<QByteArray> lines = readBytes("tag.dat").split('\n');
    std::map<QByteArray, QByteArray> inFile;
    for (const QByteArray& line : lines.mid(0, lines.size() - 1))
        inFile[line.left(1)] += line + "\n";
    EXPECT_EQ(inFile["B"], readBytes("B.txt"));
    EXPECT_EQ(inFile["A"], readBytes("A.txt"));
    EXPECT_EQ(inFile["B"].size() + inFile["A"].size(), readBytes("tag.dat").size()) << "no other line";
    EXPECT_GT(readBytes("A.txt").size(), 0);
    EXPECT_LT(readBytes("A.txt").size(), readBytes("B.txt").size()) << "lines of A were cut";
}

// A PC that does not see the lock (an older version of the program, a share
// mounted without the server's locks) appends its line just after this one
// looked at the file, and the disk cuts this one's line short: the other's
// line stays whole and in place, and so does the piece after it.
TEST_F(DataFileTest, AnAppendCutShortKeepsTheLineOfAWriterWithoutTheLock)
{
    writeBytes("t.dat", "alt\r\n");
    bool appended = false;
    datafile::WriteResult written;
    {
        const ReadWatch otherPC([&](const QString& file) {
            if (appended || QFileInfo(file).fileName() != "t.dat")
                return;
            QFile other(file);
            appended = other.open(QIODevice::Append) && other.write("fremd\r\n") == 7 && other.flush();
        });
        const FileSizeLimit full(5 + 7 + 3);
        written = datafile::appendLine(path("t.dat"), "neu 22");
    }
    EXPECT_TRUE(appended);
    EXPECT_EQ(written.reason, "Die Datei ist zu groß; ein Stück der Zeile ist in der Datei stehen geblieben");
    EXPECT_EQ(readBytes("t.dat"), "alt\r\nfremd\r\nneu");
}

TEST_F(DataFileTest, AnAppendAfterALastLineWithoutEndStartsANewLine)
{
    const std::pair<QByteArray, QByteArray> cases[] = {{"alt", "alt\r\nneu\r\n"},
                                                       {"alt\r", "alt\r\nneu\r\n"},
                                                       {"alt\n", "alt\nneu\r\n"},
                                                       {"", "neu\r\n"}};
    for (const auto& [before, after] : cases) {
        writeBytes("t.dat", before);
        ASSERT_TRUE(datafile::appendLine(path("t.dat"), "neu"));
        EXPECT_EQ(readBytes("t.dat"), after) << before.toStdString();
    }
}

// A line cut short by a full disk would count as a line of its own on every
// PC: the piece that went in is cut off again, wherever the disk cut; a file
// the append made goes again.
TEST_F(DataFileTest, AnAppendTheDiskCutsLeavesTheFileAsItWas)
{
    const struct {
        const char* what;
        std::optional<QByteArray> before; // none: no file yet
        rlim_t room; // bytes the disk takes beyond the file
    } cases[] = {
        {"within the line", "alt\r\n", 3},
        {"before its line end", "alt\r\n", 6},
        {"within its line end", "alt\r\n", 7},
        {"after the line start the last line lacked", "alt", 1},
        {"nothing", "alt\r\n", 0},
        {"a new file", std::nullopt, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("t.dat"));
        const QByteArray before = c.before.value_or(QByteArray());
        if (c.before)
            writeBytes("t.dat", before);
        datafile::WriteResult written;
        {
            const FileSizeLimit full(before.size() + c.room);
            written = datafile::appendLine(path("t.dat"), "neu 22");
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(written.reason, "Die Datei ist zu groß");
        EXPECT_EQ(readBytes("t.dat"), before);
        EXPECT_EQ(QFileInfo::exists(path("t.dat")), c.before.has_value()) << "no empty file the append made";
    }
}

// Where the piece cannot be cut off, the user must learn that it stays.
TEST_F(DataFileTest, APieceOfAnAppendThatCannotBeCutOffIsTold)
{
    writeBytes("t.dat", "alt\r\n");
    const AppendOnlyFile onlyGrows(path("t.dat"));
    if (!onlyGrows.active())
        GTEST_SKIP() << "the file system or the user cannot make a file append-only";
    datafile::WriteResult written;
    {
        const FileSizeLimit full(8);
        written = datafile::appendLine(path("t.dat"), "neu 22");
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason, "Die Datei ist zu groß; ein Stück der Zeile ist in der Datei stehen geblieben");
    EXPECT_EQ(readBytes("t.dat"), "alt\r\nneu");
}

TEST_F(DataFileTest, AReadTellsAMissingFileFromOneThatCannotBeRead)
{
    using State = datafile::FileRead::State;
    writeLines("da.dat", {"x"});
    blockFile("ordner.dat");
    EXPECT_EQ(datafile::readFile(path("DA.DAT")).state, State::Read);
    EXPECT_EQ(datafile::readFile(path("fehlt.dat")).state, State::Missing);
    const datafile::FileRead folder = datafile::readFile(path("ORDNER.dat"));
    EXPECT_EQ(folder.state, State::Unreadable);
    EXPECT_EQ(folder.reason, "An Stelle der Datei steht ein Ordner");
    EXPECT_EQ(datafile::readFile(path("weg/da.dat")).state, State::Unreadable);
    EXPECT_FALSE(datafile::readLines(path("ordner.dat")));
}

TEST_F(DataFileTest, FieldsLoseControlCharactersAndForeignLetters)
{
    EXPECT_EQ(datafile::sanitizeField(QStringLiteral("a\r\nb\tc")), QStringLiteral("a  b c"));
    EXPECT_EQ(datafile::sanitizeField(QStringLiteral("Łódź €")), QStringLiteral("?ód? €"));
    EXPECT_EQ(datafile::sanitizeField(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QStringLiteral("x?y"));
}
