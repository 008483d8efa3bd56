#include "core/school_structure.h"
#include "core/timetable.h"
#include "planner/editor/timetable_editor.h"
#include "planner/masterdata/class_insert_window.h"
#include "planner/masterdata/class_table.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <map>

namespace {
// Everything a class holds, read from the tables, to follow it to its new slot.
struct ClassData {
    QString name, printName;
    short flag, formTeacher, hours, teacher, lessonDay6, lessonPeriod11, fixation;
    Currency classHours;
    bool operator==(const ClassData&) const = default;
};

ClassData dataOf(int c)
{
    return {gClassNames(c).toString(), gClassPrintNames(c), gClassSkipFlag(c), gFormTeacher(c),
            gCurriculumHours(c, 99), gSubjectTeachers(c, 99, 9), gTimetable(6, 10, c, 1), gTimetable(1, 11, c, 0),
            gFixations(6, 11, c, 1), gClassSubjectHours(c, 99)};
}
}

// A school of ten classes "1x".."10x", each with a form teacher, a flag and
// lessons also on a sixth day and in periods 10 and 11 of a five-day week of
// nine periods.
class ClassInsertTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        for (int c = 1; c <= kClasses; ++c) {
            gClassNames(c) = QStringLiteral("%1x").arg(c);
            gClassPrintNames(c) = QStringLiteral("Klasse %1x").arg(c);
            gClassSkipFlag(c) = static_cast<short>(c % 2 ? 1 : -1);
            gFormTeacher(c) = static_cast<short>(c + 20);
            gCurriculumHours(c, 99) = static_cast<short>(c);
            gClassSubjectHours(c, 99) = Currency::fromDouble(c + 0.5);
            gSubjectTeachers(c, 99, 9) = static_cast<short>(c + 30);
            gTimetable(6, 10, c, 1) = static_cast<short>(c + 40);
            gTimetable(1, 11, c, 0) = static_cast<short>(c + 50);
            gFixations(6, 11, c, 1) = 4;
        }
        FindLastUsedClass();
    }
    Form67* insertBefore(int position)
    {
        f = forms::show<Form67>();
        f->List1->setListIndex(position - 1);
        f->Command2->click();
        return f;
    }
    // Inserts before `position` and expects every class from there one slot on.
    void expectInsertMoves(int position)
    {
        std::vector<ClassData> before{ClassData{}};
        for (int c = 1; c <= kClasses; ++c)
            before.push_back(dataOf(c));
        insertBefore(position);
        for (int c = 1; c <= kClasses; ++c)
            EXPECT_EQ(dataOf(c < position ? c : c + 1), before[c]) << c;
        EXPECT_EQ(dataOf(position), (ClassData{"neu", "neu", 0, 0, 0, 0, 0, 0, 0, Currency()}));
        EXPECT_EQ(gLastClass, 11);
    }

    // The class files as they were before an insertion, "Kombi.dat" of
    // 800 bytes, larger than either of the others will be.
    void writeClassFiles(const QByteArray& classList = "alt\r\n") const
    {
        writeBytes("Klassen.txt", classList);
        writeLines("kv.dat", {"alt"});
        writeLines("Kombi.dat", QStringList(160, QStringLiteral(" 0 ")));
    }
    // Inserts before class 5 and expects that no class file and no class
    // changed, and that the message says so and why.
    void expectNothingInsertedOn(const QString& reason)
    {
        const QByteArray classList = readBytes("Klassen.txt"), formTeachers = readBytes("kv.dat");
        const QByteArray combinations = readBytes("Kombi.dat");
        std::vector<ClassData> before;
        for (int c = 1; c <= kClasses + 1; ++c)
            before.push_back(dataOf(c));
        const qsizetype told = messages().size();
        insertBefore(5);
        ASSERT_EQ(messages().size(), told + 1);
        EXPECT_EQ(messages().last(), "Die Klassen konnten nicht gespeichert werden (" + reason
                                     + "). Keine der Dateien Klassen.txt, kv.dat, Kombi.dat wurde geändert.\nEs "
                                       "wurde keine Klasse eingefügt.");
        EXPECT_EQ(f->Label3->text(), "Es wurde keine Klasse eingefügt.");
        EXPECT_TRUE(readBytes("Klassen.txt") == classList && readBytes("kv.dat") == formTeachers);
        EXPECT_EQ(readBytes("Kombi.dat"), combinations);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"Klassen.txt", "Kombi.dat", "kv.dat"}))
            << "no temporary file";
        for (int c = 1; c <= kClasses + 1; ++c)
            EXPECT_EQ(dataOf(c), before[c - 1]) << c;
        EXPECT_EQ(f->List1->List(4), "5x");
    }

    static constexpr int kClasses = 10;
    Form67* f = nullptr;
};

TEST_F(ClassInsertTest, TheWindowListsEverySlotAndNamesTheChosenPosition)
{
    f = forms::show<Form67>();
    EXPECT_EQ(f->Label3->text(), "noch keine Position gewählt");
    EXPECT_FALSE(f->Command2->isEnabled());
    ASSERT_EQ(f->List1->ListCount(), 24);
    EXPECT_TRUE(f->List1->List(9) == "10x" && f->List1->List(10) == "");

    gClass = 2;
    f->List1->setListIndex(4);
    EXPECT_EQ(f->Label3->text(), "Gewählte Einfügeposition: vor der 5x");
    EXPECT_TRUE(f->Command2->isEnabled());
    EXPECT_EQ(gClass, 2) << "the editor's current class stays";
}

TEST_F(ClassInsertTest, InsertingBeforeSlot5MovesClassesAndTheirPlanAndWritesTheFiles)
{
    expectInsertMoves(5);
    const QStringList classes = readLines("Klassen.txt");
    ASSERT_EQ(classes.size(), 72);
    EXPECT_EQ(classes.mid(4, 3), QStringList({"neu", "5x", "6x"}));
    EXPECT_EQ(classes.mid(28, 2), QStringList({"neu", "Klasse 5x"}));
    EXPECT_EQ(classes.mid(52, 3), QStringList({" 0 ", " 1 ", "-1 "}));
    EXPECT_EQ(classes[11], "");
    const QStringList formTeachers = readLines("kv.dat");
    ASSERT_EQ(formTeachers.size(), 24);
    EXPECT_EQ(formTeachers.mid(3, 3), QStringList({" 24 ", " 0 ", " 25 "}));
    EXPECT_FALSE(QFile::exists(path("Kombi.dat"))) << "a school without combinations gets no file";

    EXPECT_EQ(f->Label3->text(), "Aktion abgeschlossen. Wenn Sie einen Plan geladen haben, können Sie diesen nun "
                                 "speichern.");
    EXPECT_FALSE(f->Command2->isEnabled());
    EXPECT_TRUE(f->List1->List(4) == "neu" && f->List1->List(10) == "10x");
}

// A power cut after an insertion must not leave a class file empty or cut:
// each is on the disk with its new bytes while the old file still stands.
TEST_F(ClassInsertTest, EveryClassFileIsOnTheDiskBeforeItReplacesTheOldOne)
{
    writeClassFiles();
    gClassCombinations(1, 2) = 6;
    const QStringList names{"Klassen.txt", "Kombi.dat", "kv.dat"};
    std::map<QString, QByteArray> old, synced;
    for (const QString& name : names)
        old[name] = readBytes(name);
    {
        const SyncWatch watch([&](const QString& file, mode_t) {
            // The temporary file of "kv.dat" is ".kv.dat.0123abcd.tmp".
            const QString name = QFileInfo(file).fileName().section('.', 1, -3);
            if (old.count(name) && readBytes(name) == old[name])
                synced[name] = readBytes(QFileInfo(file).fileName());
            return 0;
        });
        insertBefore(5);
    }
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_EQ(synced.size(), names.size());
    for (const QString& name : names) {
        EXPECT_NE(readBytes(name), old[name]) << name.toStdString();
        EXPECT_EQ(synced[name], readBytes(name)) << name.toStdString();
    }
}

TEST_F(ClassInsertTest, InsertingBeforeClass1MovesEveryClass)
{
    expectInsertMoves(1);
    EXPECT_EQ(readLines("Klassen.txt").mid(0, 2), QStringList({"neu", "1x"}));
}

TEST_F(ClassInsertTest, CombinationsFollowTheirClassesAlsoAfterTheNextStart)
{
    writeLines("Kombi.dat", QStringList(160, QStringLiteral(" 0 ")));
    const QList<int> row1{12, 3, 13, 7};
    for (int field = 1; field <= 4; ++field) {
        gClassCombinations(1, field) = row1[field - 1];
        gClassCombinations(41, field) = row1[(field + 1) % 4];
    }
    gClassCombinations(2, 2) = 5;
    gClassCombinations(81, 2) = 7;
    gClassCombinations(84, 4) = 9;
    insertBefore(5);

    const auto expectMoved = [] {
        EXPECT_TRUE(gClassCombinations(1, 4) == 8 && gClassCombinations(41, 2) == 8);
    };
    expectMoved();
    EXPECT_EQ(gClassCombinations(1, 2), 3);
    EXPECT_EQ(gClassCombinations(1, 3), 13) << "subjects stay";
    EXPECT_EQ(gClassCombinations(41, 4), 3);
    EXPECT_EQ(gClassCombinations(2, 2), 6) << "the class chosen moves too";
    EXPECT_TRUE(gClassCombinations(81, 2) == 7 && gClassCombinations(84, 4) == 9);

    const QStringList kombi = readLines("Kombi.dat");
    ASSERT_EQ(kombi.size(), 160);
    EXPECT_EQ(kombi.mid(0, 6), QStringList({" 12 ", " 3 ", " 13 ", " 8 ", " 0 ", " 6 "}));
    resetModel();
    InitialiseConstants();
    gDataPath = m_dir.path() + QLatin1Char('/');
    ReadCombinations();
    expectMoved();
}

TEST_F(ClassInsertTest, AFullListIsRefusedAndNoClassLeavesTheTable)
{
    gClassNames(24) = QStringLiteral("24x");
    gFormTeacher(24) = 7;
    writeLines("Klassen.txt", {"alt"});
    insertBefore(5);

    EXPECT_EQ(f->Label3->text(), "Die Klassenliste ist voll: auf dem letzten Platz steht schon die Klasse 24x. Es "
                                 "kann keine Klasse mehr eingefügt werden.");
    EXPECT_TRUE(gClassNames(5) == "5x" && gClassNames(24) == "24x" && gFormTeacher(24) == 7);
    EXPECT_EQ(readLines("Klassen.txt"), QStringList({"alt"}));
    EXPECT_FALSE(f->Command2->isEnabled());
}

TEST_F(ClassInsertTest, TheTeacherSideAndAnOpenEditorFollowTheMovedClasses)
{
    for (int s = 1; s <= 3; ++s) {
        subject(s, QStringLiteral("F%1").arg(s));
        gSubjectAttr(s, 5) = 2;
    }
    gSubjectTeachers(5, 2, 0) = 12;
    gSubjectTeachers(7, 3, 1) = 14;
    gTimetable(1, 1, 7, 0) = 3;
    gTimetable(1, 2, 5, 0) = 2;
    RebuildTeacherTimetables();
    ASSERT_EQ(gTeacherPlanClass(14, 1, 1), 7);
    gDay = 1;
    gVisibleColumns = 9;
    forms::show<Form15>();
    RedrawTimetableGrid();
    gClass = 2;
    gSubject = 1;
    insertBefore(5);

    // Every lesson of the grid is where the teacher-side tables have it.
    EXPECT_TRUE(gTeacherPlanClass(14, 1, 1) == 8 && gTeacherPlanSubject(14, 1, 1) == 3);
    EXPECT_TRUE(gTeacherPlanClass(12, 1, 2) == 6 && gTimetable(1, 2, 6, 0) == 2);
    EXPECT_TRUE(gClass == 2 && gSubject == 1 && gDay == 1) << "the editor's cell stays";
    Form15* editor = forms::ifOpen<Form15>();
    EXPECT_TRUE(editor->Label3[4]->text() == "neu" && editor->Label3[5]->text() == "5x");
}

// A plan saved after a class inserted in memory alone would hold its
// classes in other slots than its class files from the next start on.
TEST_F(ClassInsertTest, AFailedWriteChangesNoneOfTheClassFilesNorTheClassesAndIsShown)
{
    const QStringList kept = readLines("Klassen.txt");
    writeLines("Kombi.dat", {"alt"});
    gClassCombinations(1, 2) = 6;
    std::vector<ClassData> before;
    for (int c = 1; c <= kClasses + 1; ++c)
        before.push_back(dataOf(c));
    blockFile("kv.dat");
    insertBefore(5);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Die Klassen konnten nicht gespeichert werden (kv.dat: "))
        << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].endsWith("Keine der Dateien Klassen.txt, kv.dat, Kombi.dat wurde geändert.\nEs wurde "
                                       "keine Klasse eingefügt."));
    EXPECT_EQ(readLines("Klassen.txt"), kept);
    EXPECT_EQ(readLines("Kombi.dat"), QStringList({"alt"}));
    for (int c = 1; c <= kClasses + 1; ++c)
        EXPECT_EQ(dataOf(c), before[c - 1]) << c;
    EXPECT_EQ(gClassCombinations(1, 2).toInt(), 6);
    EXPECT_EQ(gLastClass, kClasses);
    EXPECT_EQ(f->List1->List(4), "5x");
    EXPECT_EQ(f->Label3->text(), "Es wurde keine Klasse eingefügt.");
}

// "Kombi.dat" does not fit on the disk, or the folder lets it be written but
// not replaced: "Klassen.txt" and "kv.dat" written alone would shift every
// class against its combinations.
TEST_F(ClassInsertTest, ACombinationFileThatCannotBeWrittenChangesNoFileAndNoClass)
{
    constexpr rlim_t kDiskRoom = 512;
    writeClassFiles();
    {
        SCOPED_TRACE("disk full");
        const FileSizeLimit full(kDiskRoom);
        expectNothingInsertedOn("Kombi.dat: Die Datei ist zu groß");
    }
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    SCOPED_TRACE("not replaceable");
    const StickyFolderUser user(m_dir.path(), {"Kombi.dat"});
    ASSERT_TRUE(user.active());
    expectNothingInsertedOn("Kombi.dat: Zugriff verweigert");
}

// A class list that cannot be given its old bytes back holds the new class:
// the classes stay as it has them, and the message names what changed.
TEST_F(ClassInsertTest, AClassListLeftChangedKeepsTheClassInserted)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    constexpr rlim_t kDiskRoom = 4096;
    writeClassFiles(QByteArray(5000, 'a'));
    const QByteArray formTeachers = readBytes("kv.dat");
    {
        const StickyFolderUser user(m_dir.path(), {"Kombi.dat"});
        ASSERT_TRUE(user.active());
        const FileSizeLimit full(kDiskRoom);
        insertBefore(5);
    }
    EXPECT_EQ(messages(), QStringList{"Die Klassen konnten nicht gespeichert werden (Kombi.dat: Zugriff verweigert). "
                                      "Dennoch geändert: Klassen.txt; unverändert: kv.dat, Kombi.dat.\nDie Klasse "
                                      "wurde eingefügt."});
    EXPECT_EQ(readLines("Klassen.txt").mid(4, 2), QStringList({"neu", "5x"}));
    EXPECT_EQ(readBytes("kv.dat"), formTeachers);
    EXPECT_TRUE(gClassNames(5) == "neu" && gClassNames(6) == "5x" && gLastClass == kClasses + 1);
    EXPECT_EQ(f->Label3->text(), "Die Klasse wurde eingefügt.");
}
