#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "platform/runtime.h"
#include "tests/support/disk_conditions.h"
#include "tests/support/fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>
#include <map>

namespace {

const char* const kTags[] = {"T&E", "LFV", "KSP", "STU", "SPW", "LKN", "KOP"};

class PlanFilesTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        teachEverySubject();
    }
    // From the subject file, which is no part of a plan.
    static void teachEverySubject()
    {
        for (int s = 1; s <= 99; ++s)
            gSubjectAttr(s, 5) = 1;
    }
    // A value in every cell of the newest layout, six long days.
    static void fillFullPlan()
    {
        gDaysPerWeek = 6;
        gPeriodsPerDay = 11;
        gPlanTitle = "Probeplan\nÜ";
        for (int c = 1; c <= 24; ++c)
            for (int s = 1; s <= 99; ++s) {
                gCurriculumHours(c, s) = static_cast<short>((c + s) % 5);
                gClassSubjectHours(c, s) = Currency::fromUnits((c * s) % 13 * 2500);
                for (int k = 0; k <= 8; ++k)
                    gSubjectTeachers(c, s, k) = static_cast<short>((c * 7 + s * 3 + k) % 61);
            }
        gClassSubjectHours(1, 1) = Currency::fromUnits(25000);
        gClassSubjectHours(1, 2) = Currency::fromUnits(-2500);
        for (int d = 1; d <= 6; ++d)
            for (int p = 1; p <= 11; ++p) {
                for (int c = 1; c <= 24; ++c)
                    for (int h = 0; h <= 1; ++h) {
                        gTimetable(d, p, c, h) = static_cast<short>(1 + (d * 11 + p + c * 3 + h) % 99);
                        gFixations(d, p, c, h) = static_cast<short>((d + p + c + h) % 6);
                    }
                for (int t = 1; t <= 60; ++t)
                    gTeacherUnavailable(t, d, p) = static_cast<short>((t + d + p) % 11 == 0 ? 9 : 0);
            }
        for (int t = 1; t <= 60; ++t)
            gTeacherPlanExtra(t) = t % 4;
    }
    void save(const QString& plan)
    {
        gPlanName = plan;
        SavePlan();
    }
    void load(const QString& plan)
    {
        gPlanName = plan;
        LoadPlan();
    }
    // A plan file of `count` number lines, line i (from 0) holding value(i).
    void writeNumbers(const QString& name, int count, const std::function<int(int)>& value) const
    {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral(" %1 ").arg(value(i));
        writeLines(name, lines);
    }
    void writeHeader(const QString& plan, int days, int periods, const QString& version) const
    {
        writeLines("T&E" + plan + ".xxx", {QString(" %1 ").arg(days), QString(" %1 ").arg(periods), "Alt", version});
    }
    QStringList planList() const { return readLines("Pläne.lst"); }
    static inline const QDateTime kLongAgo{QDate(2001, 1, 1), QTime(12, 0)};
    // Dates a file back, as a restore or a sync client may leave it.
    void backdate(const QString& name) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
    }
};

TEST_F(PlanFilesTest, RoundTripReproducesThePlan)
{
    fillFullPlan();
    save("12");
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(readLines("T&E12.xxx"), (QStringList{" 6 ", " 11 ", "Probeplan Ü", "9.0"}));
    const int lines[] = {4, 21384, 6 * 11 * 24 * 2 * 2, 2376, 2376, 60 * 6 * 11, 180};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(readLines(QString(kTags[i]) + "12.xxx").size(), lines[i]) << kTags[i];
    EXPECT_EQ(readLines("SPW12.xxx").mid(0, 2), (QStringList{" 2,5 ", "-0,25 "}));

    resetModel();
    InitialiseConstants();
    gDataPath = m_dir.path() + "/";
    teachEverySubject();
    load("12");
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(runtime::beepCount(), 0);
    EXPECT_TRUE(gDaysPerWeek == 6 && gPeriodsPerDay == 11);
    EXPECT_EQ(gPlanTitle, "Probeplan Ü");
    const int s = gTimetable(6, 11, 24, 1);
    EXPECT_EQ(gTeacherPlanSubject(gSubjectTeachers(24, s, 0), 6, 11), s) << "teacher-side tables rebuilt";

    // Saved again, every file is the same, byte for byte.
    save("13");
    for (const char* tag : kTags)
        EXPECT_EQ(readBytes(QString(tag) + "13.xxx"), readBytes(QString(tag) + "12.xxx")) << tag;
}

TEST_F(PlanFilesTest, OlderLayouts)
{
    // 8.5: six teacher slots per subject.
    gSubjectTeachers(1, 1, 7) = 33;
    writeHeader("1", 5, 9, "8.5");
    writeNumbers("LFV1.xxx", 24 * 99 * 6, [](int i) { return i % 60 + 1; });
    load("1");
    EXPECT_TRUE(gSubjectTeachers(1, 1, 5) == 6 && gSubjectTeachers(1, 2, 0) == 7 && gSubjectTeachers(1, 1, 7) == 0);
    EXPECT_EQ(gSubjectTeachers(24, 99, 5), (24 * 99 * 6 - 1) % 60 + 1);

    // 5.03: 20 classes and 72 subjects.
    gCurriculumHours(21, 1) = 4;
    writeHeader("2", 5, 9, "5.03");
    writeNumbers("STU2.xxx", 20 * 72, [](int i) { return i % 7; });
    writeNumbers("KSP2.xxx", 5 * 9 * 20 * 4, [](int i) { return i % 2 == 0 ? 3 : 0; });
    load("2");
    EXPECT_TRUE(gCurriculumHours(1, 2) == 1 && gCurriculumHours(2, 1) == 72 % 7 && gCurriculumHours(21, 1) == 0);
    EXPECT_EQ(gCurriculumHours(20, 72), (20 * 72 - 1) % 7);
    EXPECT_TRUE(gTimetable(5, 9, 20, 0) == 3 && gTimetable(5, 9, 20, 1) == 3 && gTimetable(5, 9, 20, 2) == 0);

    // 4.0: no class data, 52 teachers of availability.
    writeHeader("3", 5, 9, "4.0");
    writeNumbers("LKN3.xxx", 52 * 5 * 9, [](int) { return 9; });
    writeNumbers("KSP3.xxx", 100, [](int) { return 3; });
    load("3");
    EXPECT_TRUE(gTeacherUnavailable(52, 5, 9) == 9 && gTeacherUnavailable(53, 1, 1) == 0);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 0) << "no class data";
}

TEST_F(PlanFilesTest, ASmallerPlanKeepsNothingOfTheFullOne)
{
    fillFullPlan();
    save("1");
    gPlanSspTable(60, 6, 11) = 5;
    writeHeader("2", 5, 9, "5.03");
    writeNumbers("LFV2.xxx", 20 * 72 * 6, [](int i) { return i == 12 ? 4 : 0; });
    writeNumbers("KSP2.xxx", 5 * 9 * 20 * 4, [](int i) { return i == 0 ? 3 : 0; });
    for (const char* tag : {"STU2.xxx", "SPW2.xxx"})
        writeNumbers(tag, 20 * 72, [](int) { return 0; });
    writeNumbers("LKN2.xxx", 60 * 5 * 9, [](int) { return 0; });
    writeNumbers("KOP2.xxx", 180, [](int) { return 0; });
    writeNumbers("SSP2.xxx", 660, [](int) { return 0; });
    load("1");
    const int teacher = gSubjectTeachers(24, 99, 0);
    load("2");

    // Cells beyond the smaller week, classes, subjects and slots are empty too.
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_TRUE(gTimetable(1, 1, 1, 0) == 3 && gTimetable(1, 1, 1, 1) == 0 && gTimetable(5, 9, 20, 0) == 0);
    EXPECT_TRUE(gTimetable(6, 11, 24, 1) == 0 && gTimetable(5, 9, 21, 0) == 0 && gFixations(6, 1, 1, 0) == 0);
    EXPECT_TRUE(gSubjectTeachers(1, 3, 0) == 4 && gSubjectTeachers(1, 1, 0) == 0 && gSubjectTeachers(24, 99, 8) == 0);
    EXPECT_EQ(gTeacherPlanSubject(4, 1, 1), 3);
    EXPECT_TRUE(gTeacherPlanSubject(teacher, 6, 11) == 0 && gTeacherPlanSubject(teacher, 1, 1) == 0);
    EXPECT_TRUE(gCurriculumHours(24, 99) == 0 && gClassSubjectHours(24, 99) == Currency{});
    EXPECT_TRUE(gTeacherUnavailable(60, 6, 11) == 0 && gPlanSspTable(60, 6, 11) == 0);
    EXPECT_TRUE(gTeacherPlanExtra(3) == 0);
}

TEST_F(PlanFilesTest, MissingAndBrokenFiles)
{
    // No T&E: a beep, and nothing is read or rebuilt.
    gTimetable(1, 1, 1, 0) = gTeacherPlanSubject(9, 1, 1) = 5;
    load("7");
    EXPECT_TRUE(gCheckOk == 0 && runtime::beepCount() == 1);
    EXPECT_TRUE(gTimetable(1, 1, 1, 0) == 5 && gTeacherPlanSubject(9, 1, 1) == 5);

    // Every file but SPW: one beep, the hours follow the curriculum.
    fillFullPlan();
    save("8");
    ASSERT_TRUE(QFile::remove(path("SPW8.xxx")));
    gClassSubjectHours(25, 100) = Currency::fromUnits(70000);
    runtime::resetBeeps();
    load("8");
    EXPECT_TRUE(gCheckOk == 0 && runtime::beepCount() == 1);
    EXPECT_EQ(gClassSubjectHours(3, 4), Currency::fromDouble(gCurriculumHours(3, 4)));
    EXPECT_EQ(gClassSubjectHours(25, 100), Currency{});

    // A line of SPW that is no number counts as the curriculum hours too.
    // The set as a program leaves it that keeps no record of its saves.
    QFile::remove(path("SUM8.xxx"));
    writeLines("SPW8.xxx", QStringList{" 2,5 ", "viel", " 3 "} + QStringList(24 * 99 - 3, " 0 "));
    writeLines("SSP8.xxx", {" 1 ", " 2 ", " 3 "});
    runtime::resetBeeps();
    load("8");
    EXPECT_TRUE(gCheckOk == 1 && runtime::beepCount() == 0);
    EXPECT_EQ(gClassSubjectHours(1, 1), Currency::fromUnits(25000));
    EXPECT_EQ(gClassSubjectHours(1, 2), Currency::fromDouble(gCurriculumHours(1, 2)));
    EXPECT_EQ(gClassSubjectHours(1, 3), Currency::fromUnits(30000));
    EXPECT_TRUE(gPlanSspTable(1, 1, 3) == 3 && gPlanSspTable(1, 1, 4) == 0) << "a short SSP stops at its end";

    writeHeader("8", 7, 8, "9.0");
    load("8");
    EXPECT_TRUE(gDaysPerWeek == 6 && gPeriodsPerDay == 9);
}

TEST_F(PlanFilesTest, NumbersOutsideTheTablesAreKeptInTheFilesOnly)
{
    writeHeader("4", 5, 9, "9.0");
    writeNumbers("LFV4.xxx", 21384, [](int i) { return i == 0 ? 75 : i == 1 ? -2 : 0; });
    writeNumbers("KSP4.xxx", 5 * 9 * 24 * 4, [](int i) { return i == 0 ? 1 : i == 4 ? 150 : i == 8 ? -3 : 0; });
    load("4");
    EXPECT_TRUE(gSubjectTeachers(1, 1, 0) == 75 && gTimetable(1, 1, 2, 0) == 150);
    save("5");
    EXPECT_EQ(readLines("LFV5.xxx").mid(0, 2), (QStringList{" 75 ", "-2 "}));
    EXPECT_EQ(readLines("KSP5.xxx").mid(0, 9), (QStringList{" 1 ", " 0 ", " 0 ", " 0 ", " 150 ", " 0 ", " 0 ", " 0 ", "-3 "}));
}

TEST_F(PlanFilesTest, AFailedWriteIsSignalledWritesNothingAndIsNotListed)
{
    blockFile("KOP5.xxx");
    save("5");
    EXPECT_TRUE(gCheckOk == 0 && runtime::beepCount() == 1);
    EXPECT_TRUE(planList().isEmpty());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"KOP5.xxx"})
        << "no file of the plan and no temporary file";
}

// A folder that lets a file of the save be written but not replaced: the
// plan's last file, the record of the set, or the plan list. The files
// replaced before it get their old bytes back, a new plan's files go again,
// and the plan in memory still counts as unsaved.
TEST_F(PlanFilesTest, ASaveWithAFileThatCannotBeReplacedChangesNoFile)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    const struct {
        const char* foreign;
        const char* plan;
    } cases[] = {{"KOP1.xxx", "1"}, {"SUM1.xxx", "1"}, {"Pläne.lst", "1"}, {"Pläne.lst", "2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.foreign << " plan " << c.plan);
        fillFullPlan();
        const short lesson = gTimetable(1, 1, 1, 0);
        save("1");
        // The list does not name the plan yet: the save writes it too.
        writeLines("Pläne.lst", {" 9 "});
        gPlanCount = 7;
        std::map<QString, QByteArray> before;
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            before[name] = readBytes(name);
        gPlanTitle = "Neu";
        gTimetable(1, 1, 1, 0) = 42;
        gTeacherPlanExtra(1) = 2;
        runtime::resetBeeps();
        {
            const StickyFolderUser user(m_dir.path(), {c.foreign});
            ASSERT_TRUE(user.active());
            save(c.plan);
        }
        EXPECT_TRUE(gCheckOk == 0 && runtime::beepCount() == 1);
        EXPECT_EQ(LastPlanSave().written.reason, QString(c.foreign) + ": Zugriff verweigert");
        EXPECT_TRUE(LastPlanSave().written.changed.isEmpty());
        EXPECT_TRUE(PlanHasUnsavedChanges());
        EXPECT_EQ(gPlanCount, 7);
        QStringList names;
        for (const auto& [name, bytes] : before) {
            names << name;
            EXPECT_EQ(readBytes(name), bytes) << name.toStdString();
        }
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), names)
            << "no temporary file, no file of a new plan";
        load("1");
        EXPECT_TRUE(gCheckOk == 1 && PlanLoadMixedSaves().isEmpty());
        EXPECT_EQ(gTimetable(1, 1, 1, 0), lesson);
    }
}

// Where a file replaced before cannot be given its old bytes back (they no
// longer fit on the disk), the save names it, and the next load tells it as
// of another save than the rest of the set. This program holds the file as
// it wrote it: the next save does not take it for another PC's.
TEST_F(PlanFilesTest, AFileAFailedSaveCannotGiveBackIsNamedAndToldWhenLoaded)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    constexpr rlim_t kDiskRoom = 4096;
    for (const char* foreign : {"KOP1.xxx", "SUM1.xxx"}) {
        SCOPED_TRACE(foreign);
        QFile::remove(path("Pläne.lst"));
        fillFullPlan();
        save("1");
        writeLines("T&E1.xxx", readLines("T&E1.xxx") + QStringList(1000, "alt"));
        gPlanTitle = "Neu";
        gTeacherPlanExtra(1) = 2;
        const QByteArray extras = readBytes("KOP1.xxx");
        {
            const StickyFolderUser user(m_dir.path(), {foreign});
            ASSERT_TRUE(user.active());
            const FileSizeLimit full(kDiskRoom);
            save("1");
        }
        EXPECT_EQ(gCheckOk, 0);
        EXPECT_EQ(LastPlanSave().written.reason, QString(foreign) + ": Zugriff verweigert");
        EXPECT_EQ(LastPlanSave().written.changed, QStringList{path("T&E1.xxx")});
        EXPECT_EQ(LastPlanSave().files, (QStringList{"T&E1.xxx", "KOP1.xxx", "Pläne.lst", "SUM1.xxx"}));
        EXPECT_EQ(readBytes("KOP1.xxx"), extras);
        EXPECT_EQ(readBytes("Pläne.lst"), "1\r\n") << "the list as the first save created it";
        EXPECT_EQ(readLines("T&E1.xxx").value(2), "Neu");
        EXPECT_TRUE(PlanHasUnsavedChanges());
        EXPECT_EQ(PlanFilesAsLastSeen("1"), true);
        load("1");
        EXPECT_TRUE(PlanLoadMixedSaves().startsWith("T&E1.xxx aus einem anderen als "))
            << PlanLoadMixedSaves().toStdString();
    }
}

// Loading tells every file that is missing, cut short, or of another save
// than the rest of the set, naming it.
TEST_F(PlanFilesTest, ASetOfTwoSavesOrOfDamagedFilesIsToldWhenLoaded)
{
    fillFullPlan();
    save("1");
    const QByteArray lessonsBefore = readBytes("KSP1.xxx");
    gTimetable(1, 1, 1, 0) = 42;
    save("1");
    // A save cut off half-way, or two saves crossing, leave lessons of the
    // one beside the other files of the other.
    writeBytes("KSP1.xxx", lessonsBefore);
    load("1");
    EXPECT_TRUE(gCheckOk == 0 && runtime::beepCount() == 1);
    EXPECT_TRUE(PlanLoadFaults().isEmpty()) << "every file is there and whole";
    EXPECT_EQ(PlanLoadMixedSaves(), "KSP1.xxx aus einem anderen als T&E1.xxx, LFV1.xxx, STU1.xxx, SPW1.xxx, "
                                    "LKN1.xxx, KOP1.xxx");

    // Rewritten whole by a program that keeps no record: one version again.
    for (const char* tag : kTags)
        writeBytes(QString(tag) + "1.xxx", readBytes(QString(tag) + "1.xxx"));
    load("1");
    EXPECT_TRUE(gCheckOk == 1 && PlanLoadFaults().isEmpty() && PlanLoadMixedSaves().isEmpty());

    writeLines("STU1.xxx", readLines("STU1.xxx").mid(0, 100));
    QFile::remove(path("KOP1.xxx"));
    load("1");
    EXPECT_EQ(PlanLoadFaults(), (QStringList{"STU1.xxx ist zu kurz", "KOP1.xxx fehlt"}));
}

// A file rewritten with its own bytes is still of the recorded save, whatever
// its time; older program versions on other PCs find the time they compare in
// the record.
TEST_F(PlanFilesTest, AFileRewrittenWithItsOwnBytesBelongsToItsSet)
{
    fillFullPlan();
    save("1");
    const QStringList record = readLines("SUM1.xxx");
    ASSERT_EQ(record.size(), 7);
    for (const QString& line : record)
        EXPECT_TRUE(QRegularExpression("^\\S+ [0-9a-f]{40} -?[0-9]+$").match(line).hasMatch()) << line.toStdString();

    for (const QString name : {"KSP1.xxx", "LFV1.xxx"}) {
        writeBytes(name, readBytes(name));
        backdate(name);
        runtime::resetBeeps();
        load("1");
        EXPECT_TRUE(gCheckOk == 1 && runtime::beepCount() == 0) << name.toStdString();
        EXPECT_TRUE(PlanLoadFaults().isEmpty() && PlanLoadMixedSaves().isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(PlanFilesAsLastSeen("1"), true);
}

TEST_F(PlanFilesTest, PlanList)
{
    save("4");
    EXPECT_EQ(readBytes("Pläne.lst"), "4\r\n");
    EXPECT_EQ(gPlanCount, 1);
    save("6");
    EXPECT_EQ(planList(), (QStringList{" 6 ", " 4 "}));

    writeLines("Pläne.lst", {" 15 ", " 9 ", " 3 "});
    save("12");
    EXPECT_EQ(planList(), (QStringList{" 15 ", " 12 ", " 9 ", " 3 "}));
    EXPECT_TRUE(gPlanCount == 4 && gPlanNumbers(2) == 12);
    save("9");
    EXPECT_EQ(planList(), (QStringList{" 15 ", " 12 ", " 9 ", " 3 "}));

    writeLines("Pläne.lst", {" 3 ", " 9 ", "", "Unsinn", " 5.0 ", "5.4", " 9 "});
    save("3");
    EXPECT_EQ(planList(), (QStringList{" 9 ", " 5 ", " 3 "}));

    // Another PC listed plan 20 after this one counted the list at start-up.
    writeLines("Pläne.lst", {" 9 ", " 3 ", " 20 "});
    gPlanCount = 2;
    save("1");
    EXPECT_EQ(planList(), (QStringList{" 20 ", " 9 ", " 3 ", " 1 "}));

    QStringList many;
    for (int n = 250; n >= 1; --n)
        many << QStringLiteral(" %1 ").arg(n);
    writeLines("Pläne.lst", many);
    save("300");
    EXPECT_EQ(planList().size(), 251) << "no plan is dropped";
    EXPECT_TRUE(gPlanCount == 251 && gPlanNumbers(1) == 300 && gPlanNumbers(200) == 52);
}

// Another PC may list a plan while this one's save writes its files, which
// takes seconds on a share: the list is read again just before the renames.
TEST_F(PlanFilesTest, APlanAnotherPCListsWhileASaveWritesItsFilesStaysListed)
{
    writeLines("Pläne.lst", {" 3 "});
    bool listed = false;
    {
        const SyncWatch watch([&](const QString& file, mode_t) {
            if (!listed && QFileInfo(file).fileName().contains(".xxx.")) {
                writeLines("Pläne.lst", {" 7 ", " 3 "});
                listed = true;
            }
            return 0;
        });
        save("5");
    }
    ASSERT_TRUE(listed);
    EXPECT_EQ(gCheckOk, 1);
    EXPECT_EQ(planList(), (QStringList{" 7 ", " 5 ", " 3 "}));
    EXPECT_TRUE(gPlanCount == 3 && gPlanNumbers(1) == 7);
}

TEST_F(PlanFilesTest, StartPlanLoadsWhenTheSettingsAskForIt)
{
    fillFullPlan();
    save("7");
    gTimetable(1, 1, 1, 0) = 0;
    LoadStartPlan();
    EXPECT_TRUE(gTimetable(1, 1, 1, 0) == 0 && gStartPlanName.isEmpty());
    gAutoLoadPlan = 1;
    LoadStartPlan();
    EXPECT_TRUE(gTimetable(1, 1, 1, 0) != 0 && gStartPlanName == "7");
}

// Two programs on one folder: what this one changed is unsaved, what another
// one saved is not this one's change but tells that its files moved on.
TEST_F(PlanFilesTest, ChangedOnlyByThisProgramAndMovedOnOnlyByAnother)
{
    fillFullPlan();
    save("7");
    EXPECT_FALSE(PlanHasUnsavedChanges());
    EXPECT_EQ(PlanFilesAsLastSeen("7"), true);
    EXPECT_EQ(PlanFilesAsLastSeen("8"), std::nullopt) << "never loaded or saved here";
    gPlanTitle = "Neu";
    EXPECT_TRUE(PlanHasUnsavedChanges());
    save("7");
    gFixations(6, 11, 24, 1) = 5;
    EXPECT_TRUE(PlanHasUnsavedChanges()) << "the last cell of the grid";
    gFixations(6, 11, 24, 1) = 0;
    EXPECT_FALSE(PlanHasUnsavedChanges()) << "changed back";

    // Another program saves plan 7: this one's plan is not changed by that.
    writeLines("KSP7.xxx", readLines("KSP7.xxx").replaceInStrings(QRegularExpression("^ 0 $"), " 1 "));
    EXPECT_FALSE(PlanHasUnsavedChanges());
    EXPECT_EQ(PlanFilesAsLastSeen("7"), false);
    load("7");
    EXPECT_EQ(PlanFilesAsLastSeen("7"), true);
    QFile::remove(path("LKN7.xxx"));
    EXPECT_EQ(PlanFilesAsLastSeen("7"), false) << "a file deleted";
    load("7");
    EXPECT_FALSE(PlanHasUnsavedChanges()) << "a plan loaded with a file missing is as loaded";
}

}

TEST_F(PlanFilesTest, ACreatedListCountsItsOneLineWhateverThePlanIsCalled)
{
    for (const QString name : {"4a", "Entwurf"}) {
        QFile::remove(path("Pläne.lst"));
        gPlanCount = 0;
        save(name);
        EXPECT_EQ(readBytes("Pläne.lst"), name.toLatin1() + "\r\n");
        EXPECT_EQ(gPlanCount, 1) << name.toStdString();
    }
}

// A plan kept beside the model goes into it as loading its files would put
// it; reading it leaves the model alone, and a plan with a file missing is not
// kept.
TEST_F(PlanFilesTest, AKeptPlanLoadsAsItsFilesWould)
{
    fillFullPlan();
    save("12");
    load("12");
    save("13");

    gTimetable(2, 3, 4, 1) = 77;
    gPlanTitle = "Im Speicher";
    gDaysPerWeek = 5;
    gPlanName = "12";
    PlanContents kept;
    ASSERT_TRUE(kept.read());
    EXPECT_TRUE(gTimetable(2, 3, 4, 1) == 77 && gPlanTitle == "Im Speicher" && gDaysPerWeek == 5);

    gTeacherPlanSubject.fill(0);
    gCheckOk = 0;
    kept.load();
    EXPECT_TRUE(gCheckOk == 1);
    save("14");
    for (const char* tag : kTags)
        EXPECT_EQ(readBytes(QString(tag) + "14.xxx"), readBytes(QString(tag) + "13.xxx")) << tag;
    const int s = gTimetable(6, 11, 24, 1);
    EXPECT_EQ(gTeacherPlanSubject(gSubjectTeachers(24, s, 0), 6, 11), s) << "teacher-side tables rebuilt";

    ASSERT_TRUE(QFile::remove(path("LKN12.xxx")));
    gPlanName = "12";
    gTimetable(2, 3, 4, 1) = 77;
    runtime::resetBeeps();
    EXPECT_FALSE(kept.read());
    EXPECT_TRUE(gTimetable(2, 3, 4, 1) == 77 && gCheckOk == 1 && runtime::beepCount() == 0);
}

// Saving again rewrites only the files whose lines changed; the others, the
// plan list among them, stay as they are on disk.
TEST_F(PlanFilesTest, ASaveLeavesFilesThatHoldItsLinesAlready)
{
    fillFullPlan();
    save("5");
    save("5");
    for (const QString name : {"LFV5.xxx", "KSP5.xxx", "Pläne.lst"})
        backdate(name);
    gTimetable(1, 1, 1, 0) = static_cast<short>(gTimetable(1, 1, 1, 0) % 99 + 1);
    const QString first = QStringLiteral(" %1 ").arg(gTimetable(1, 1, 1, 0));
    save("5");
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(QFileInfo(path("LFV5.xxx")).lastModified(), kLongAgo);
    EXPECT_EQ(QFileInfo(path("Pläne.lst")).lastModified(), kLongAgo);
    EXPECT_GT(QFileInfo(path("KSP5.xxx")).lastModified(), kLongAgo);
    EXPECT_EQ(readLines("KSP5.xxx").value(0), first);
}

// A record cut off or overwritten with garbage names no file falsely: the
// files it no longer records, or records half, are no set of two saves.
TEST_F(PlanFilesTest, ADamagedSetRecordTellsNoSetOfTwoSaves)
{
    fillFullPlan();
    save("1");
    const QByteArray record = readBytes("SUM1.xxx");
    const QByteArray damaged[] = {{}, record.left(record.size() / 2), QByteArray("\x8f\x01 KSP \xff\r\n\xfe", 11)};
    for (const QByteArray& bytes : damaged) {
        writeBytes("SUM1.xxx", bytes);
        backdate("KSP1.xxx");
        backdate("STU1.xxx");
        load("1");
        EXPECT_TRUE(gCheckOk == 1 && PlanLoadMixedSaves().isEmpty()) << bytes.size();
    }
}
