#include "tests/planner/substitution/substitution_fixture.h"
#include "tests/support/disk_conditions.h"

namespace {

// Records 1..5: a substitute, then the codes "???", "entf.", "vor.", "zus.".
const short kRows[][6] = {{1, 1, 12, 2, 5, 1}, {1, 2, 3, 1, -1, 0}, {1, 3, 7, 4, -2, 0}, {1, 4, 7, 4, -3, 0},
                          {1, 5, 7, 4, -4, 1}};
// The record count's line: after the counts, status and reason of 60
// teachers and 24 classes, and the paid flags.
constexpr int kCountLine = 2 + 2 * 60 + 2 * 24 + 60;
const QString kKey = "20260914";

class SubstitutionDayTest : public SubstitutionTest {
protected:
    static void fillDay()
    {
        gTeacherAbsence(1) = 1;
        gTeacherAbsence(2) = 0;
        gTeacherAbsenceReason(1) = "Fortbildung Größen";
        gTeacherAbsenceReason(3) = "krank\r\nbis Freitag";
        gTeacherPaid(1) = 1;
        gClassAbsence(4) = 1;
        gClassAbsenceReason(4) = "Exkursion\tWien";
        for (int p = 1; p <= 11; ++p) {
            gTeacherAbsentPeriods(1, p) = p <= 3 ? 1 : 0;
            gClassAbsentPeriods(4, p) = 1;
        }
        gSubstRowCount = 5;
        for (int r = 1; r <= 5; ++r)
            for (int f = 0; f <= 5; ++f)
                gSubstRows(r, f) = kRows[r - 1][f];
        gSubstRowTexts(1) = "Übung\nS. 12";
    }
    // A fresh run on the same data folder.
    static void forgetDay()
    {
        const QString folder = gDataPath;
        resetModel();
        gDataPath = folder;
        gPeriodsPerDay = 9;
    }
};

TEST_F(SubstitutionDayTest, ADayReadsBackAsItWasSavedWithControlCharactersAsBlanks)
{
    fillDay();
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(gText4, kKey);
    EXPECT_EQ(gFileName, path("date.sup"));
    EXPECT_TRUE(gCheckOk == 0);
    EXPECT_TRUE(readBytes("20260914.sup").startsWith(" 60 \r\n 24 \r\n 1 \r\nFortbildung Gr\xF6\xDF" "en\r\n 0 \r\n\r\n\r\n"))
        << "Windows-1252, CR LF, numbers in print form, an empty status as an empty line";
    const QStringList lines = readLines("20260914.sup");
    EXPECT_EQ(lines.size(), 987 + 7 * 5) << "no line break shifts the lines";
    EXPECT_EQ(lines.mid(kCountLine, 6), (QStringList{" 5 ", " 1 ", " 1 ", " 12 ", " 2 ", " 5 "}));

    // The record block alone goes into the caller's tables.
    forgetDay();
    decltype(Model::gTeacherPaid) paid;
    short count = 0;
    decltype(Model::gSubstRows) rows;
    decltype(Model::gSubstRowTexts) rowTexts;
    ASSERT_TRUE(ReadSubstitutionRecords(kKey, {paid, count, rows, rowTexts}));
    EXPECT_EQ(paid(1), 1);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(rows(3, 4), -2);
    EXPECT_EQ(rows(5, 5), 1);
    EXPECT_EQ(rowTexts(1), "Übung S. 12");
    EXPECT_EQ(gSubstRowCount, 0) << "the day in memory is not touched";

    ASSERT_TRUE(ReadSubstitutionDay(kKey));
    EXPECT_TRUE(gTeacherAbsence(1) == 1);
    EXPECT_TRUE(gTeacherAbsence(2).isNumber() && gTeacherAbsence(2) == 0);
    EXPECT_TRUE(gTeacherAbsence(3).isEmpty()) << "a status never set stays empty";
    EXPECT_EQ(gTeacherAbsenceReason(1), "Fortbildung Größen");
    EXPECT_EQ(gTeacherAbsenceReason(3), "krank  bis Freitag");
    EXPECT_EQ(gTeacherPaid(1), 1);
    EXPECT_EQ(gClassAbsenceReason(4), "Exkursion Wien");
    EXPECT_TRUE(gTeacherAbsentPeriods(1, 3) == 1 && gTeacherAbsentPeriods(1, 4) == 0);
    EXPECT_TRUE(gClassAbsentPeriods(4, 9) == 1);
    EXPECT_TRUE(gClassAbsentPeriods(4, 10).isEmpty()) << "periods beyond the day are not in the file";
    ASSERT_EQ(gSubstRowCount, 5);
    for (int r = 1; r <= 5; ++r)
        for (int f = 0; f <= 5; ++f)
            EXPECT_EQ(gSubstRows(r, f), kRows[r - 1][f]) << "record " << r << " field " << f;
    EXPECT_EQ(gSubstRowTexts(1), "Übung S. 12");
    EXPECT_EQ(gSubstRowTexts(2), "");
}

TEST_F(SubstitutionDayTest, LineCountFollowsPeriodsAndRecords)
{
    for (const auto& [periods, records, lines] : {std::tuple{9, 0, 987}, std::tuple{9, 3, 987 + 21},
                                                   std::tuple{11, 0, 1155}, std::tuple{11, 200, 1155 + 1400}}) {
        gPeriodsPerDay = periods;
        gSubstRowCount = static_cast<short>(records);
        ASSERT_TRUE(SaveSubstitutionDay());
        EXPECT_EQ(readLines("20260914.sup").size(), lines) << periods << " periods, " << records << " records";
    }
}

TEST_F(SubstitutionDayTest, AKeyIsListedOnceWhateverItsForm)
{
    ASSERT_TRUE(SaveSubstitutionDay());
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readBytes("date.sup"), "20260914\r\n");

    writeLines("date.sup", {"20260911", " 20260914 "});
    ASSERT_TRUE(SaveSubstitutionDay());
    gWorkDate = "15-9-26";
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readLines("date.sup"), (QStringList{"20260911", " 20260914 ", "20260915"}));
}

// Two PCs save the same new day at once: the other one lists its key while
// this one writes the day file. Listed twice, each substitution of the day
// would get two record numbers in the export.
TEST_F(SubstitutionDayTest, ADaySavedOnTwoPCsAtOnceIsListedOnce)
{
    writeLines("date.sup", {"20260911"});
    bool listedElsewhere = false;
    {
        const SyncWatch otherPC([&](const QString& file, mode_t) {
            if (!listedElsewhere && QFileInfo(file).fileName().startsWith(".20260914.sup")) {
                QFile list(path("date.sup"));
                listedElsewhere = list.open(QIODevice::Append) && list.write(" 20260914 \r\n") == 12 && list.flush();
            }
            return 0;
        });
        ASSERT_TRUE(SaveSubstitutionDay());
    }
    EXPECT_TRUE(listedElsewhere);
    EXPECT_EQ(readLines("date.sup"), (QStringList{"20260911", " 20260914 "}));
}

TEST_F(SubstitutionDayTest, ASaveThatFailsSaysSo)
{
    gWorkDate = "kein Datum";
    EXPECT_FALSE(SaveSubstitutionDay());
    gWorkDate = "14.09.2026";
    blockFile("20260914.sup");
    EXPECT_FALSE(SaveSubstitutionDay());
    EXPECT_FALSE(QFile::exists(path("date.sup"))) << "no key without its day";
    unblockFile("20260914.sup");
    blockFile("date.sup");
    EXPECT_FALSE(SaveSubstitutionDay()) << "the day could not be listed";
    EXPECT_TRUE(gCheckOk == 0);
    unblockFile("date.sup");
}

// A day a user of the share made read-only stays as it is: a rename asks
// only the folder.
TEST_F(SubstitutionDayTest, AReadOnlyDayIsNotReplaced)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    ASSERT_TRUE(SaveSubstitutionDay());
    const QByteArray day = readBytes("20260914.sup");
    fillDay();
    SubstitutionDaySave saved;
    {
        const ReadOnlyFilesUser user(m_dir.path(), {"20260914.sup"});
        ASSERT_TRUE(user.active());
        saved = SaveSubstitutionDay();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.reason, "20260914.sup: Zugriff verweigert");
    EXPECT_EQ(readBytes("20260914.sup"), day);
    EXPECT_EQ(readBytes("date.sup"), "20260914\r\n");
}

// The statistics, the standings and the export see only the days listed in
// "date.sup": a day whose key cannot be listed is not saved at all.
TEST_F(SubstitutionDayTest, ADayWhoseKeyCannotBeListedIsTakenBackAndListedOnceWhenItCanBe)
{
    fillDay();
    blockFile("date.sup");
    EXPECT_FALSE(SaveSubstitutionDay());
    EXPECT_FALSE(QFile::exists(path("20260914.sup"))) << "a new day is removed";

    const QByteArray earlier = " 0 \r\n 0 \r\n 0 \n";
    writeBytes("20260914.sup", earlier);
    const SubstitutionDaySave saved = SaveSubstitutionDay();
    EXPECT_FALSE(saved);
    EXPECT_FALSE(saved.dayFileChanged);
    EXPECT_EQ(readBytes("20260914.sup"), earlier) << "an earlier day keeps its bytes";

    unblockFile("date.sup");
    ASSERT_TRUE(SaveSubstitutionDay());
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readBytes("date.sup"), "20260914\r\n");
    EXPECT_EQ(readLines("20260914.sup").value(kCountLine), " 5 ");
}

TEST_F(SubstitutionDayTest, AShortFileIsDamagedAndLeavesNothingOfTheDayBefore)
{
    gTeacherAbsenceReason(2) = "alt";
    gTeacherPaid(1) = 1;
    gSubstRowCount = 7;
    writeLines("20260914.sup", {" 60 ", " 24 ", " 1 ", "krank", " 0 "});
    const SubstitutionFileRead read = ReadSubstitutionDay(kKey);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.unreadable,
              "Die Tagesdatei 20260914.sup konnte nicht gelesen werden: Sie ist beschädigt und endet nach Zeile 5.");
    EXPECT_EQ(gTeacherAbsenceReason(1), "") << "no half day";
    EXPECT_EQ(gTeacherAbsenceReason(2), "");
    EXPECT_EQ(gTeacherPaid(1), 0);
    EXPECT_EQ(gSubstRowCount, 0);

    gTeacherAbsenceReason(2) = "alt";
    const SubstitutionFileRead missing = ReadSubstitutionDay("20260915");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.unreadable, "");
    EXPECT_EQ(gTeacherAbsenceReason(2), "alt") << "no day file: the day stays";
}

// Without teachers and classes there are no marks: an empty line after the
// record count is left over by an editor, any other belongs to nothing and
// the file is damaged.
TEST_F(SubstitutionDayTest, ADayWithoutTeachersAndClassesEndsAtItsRecords)
{
    writeLines("20260914.sup", {" 0 ", " 0 ", " 0 ", ""});
    EXPECT_TRUE(ReadSubstitutionDay(kKey));
    writeLines("20260914.sup", {" 0 ", " 0 ", " 0 ", " 0 "});
    EXPECT_EQ(ReadSubstitutionDay(kKey).unreadable,
              "Die Tagesdatei 20260914.sup konnte nicht gelesen werden: Sie ist beschädigt, ihre Zeilen ab Zeile 4 "
              "passen zu keinem Tag von 9 bis 11 Stunden.");
}

// A day saved when the school had fewer periods a day holds fewer marks for
// each teacher and class: they are read as such, not shifted.
TEST_F(SubstitutionDayTest, ADaySavedWithFewerPeriodsReadsItsMarksInPlace)
{
    gTeacherAbsence(2) = gClassAbsence(24) = 1;
    gTeacherAbsentPeriods(2, 1) = 1;
    gClassAbsentPeriods(24, 9) = 1;
    gSubstRowCount = 1;
    gSubstRows(1, 4) = 3;
    ASSERT_TRUE(SaveSubstitutionDay());
    forgetDay();
    gPeriodsPerDay = 11;
    ASSERT_TRUE(ReadSubstitutionDay(kKey));
    EXPECT_TRUE(gTeacherAbsentPeriods(2, 1) == 1 && gTeacherAbsentPeriods(1, 10).isEmpty());
    EXPECT_TRUE(gClassAbsentPeriods(24, 9) == 1 && gClassAbsentPeriods(24, 10).isEmpty());
    decltype(Model::gTeacherPaid) paid;
    short count = 0;
    decltype(Model::gSubstRows) rows;
    decltype(Model::gSubstRowTexts) rowTexts;
    ASSERT_TRUE(ReadSubstitutionRecords(kKey, {paid, count, rows, rowTexts}));
    EXPECT_EQ(rows(1, 4), 3);
}

// A day of 11 periods, teacher 3 away in periods 3 and 4, unlisted teacher 4
// with a mark left from earlier, every class mark an empty line: read at 11,
// with or without an empty line after the marks, no mark moves.
TEST_F(SubstitutionDayTest, ADayWhoseLastRowsAreEmptyMarksIsReadAtTheSizeItIsWholeFor)
{
    gPeriodsPerDay = 11;
    gTeacherAbsence(3) = 1;
    for (int t = 1; t <= 60; ++t) {
        for (int p = 1; p <= 11; ++p)
            gTeacherAbsentPeriods(t, p) = (t == 3 && (p == 3 || p == 4)) || (t == 4 && p == 7) ? 1 : 0;
    }
    ASSERT_TRUE(SaveSubstitutionDay());
    const QByteArray saved = readBytes("20260914.sup");
    for (const QByteArray& after : {QByteArray(), QByteArray("\r\n")}) {
        SCOPED_TRACE(after.size());
        writeBytes("20260914.sup", saved + after);
        forgetDay();
        gPeriodsPerDay = 10;
        const SubstitutionFileRead read = ReadSubstitutionDay(kKey);
        EXPECT_EQ(read.otherPeriods, 11);
        EXPECT_EQ(markedPeriods(3), (QList<int>{3, 4}));
        EXPECT_EQ(markedPeriods(4), QList<int>{7});
        EXPECT_EQ(markedPeriods(5), QList<int>{});
    }
}

// A day of few teachers and classes, as one is made by hand, of 9 periods
// with two or three empty lines after its marks. A few lines make a period
// of such a day: they are an editor's, left out silently with every mark in
// place, only where no other size lies as near; otherwise the day is read
// at the size it is nearest to and told, or is damaged. A mark of its second
// row and one of its last show a block read at another size.
TEST_F(SubstitutionDayTest, AHandMadeDayOfFewTeachersAndClassesWithEmptyLinesAddedIsReadInPlaceOrTold)
{
    const struct {
        int teachers;
        int classes;
        int emptyLines;
        QString told; // what the notice says; "": read at 9 periods
    } cases[] = {
        {2, 1, 2, "ist beschädigt und endet nach Zeile"}, {3, 1, 2, "konnte nicht gelesen werden"},
        {3, 1, 3, "ist beschädigt und endet nach Zeile"}, {3, 2, 2, "stehen 2 Zeilen zu viel"},
        {3, 2, 3, "ist beschädigt und endet nach Zeile"}, {4, 2, 2, ""},
        {4, 2, 3, "konnte nicht gelesen werden"},
    };
    const Variant teachers = gMaxTeachers, classes = gMaxClasses;
    for (const auto& c : cases) {
        for (const int school : {9, 10}) {
            SCOPED_TRACE(QString("%1 teachers, %2 classes, %3 empty lines, read with %4")
                             .arg(c.teachers)
                             .arg(c.classes)
                             .arg(c.emptyLines)
                             .arg(school)
                             .toStdString());
            forgetDay();
            gWorkDate = "14.09.2026";
            gMaxTeachers = c.teachers;
            gMaxClasses = c.classes;
            const auto mark = [&](int row, int p) { return (row == 2 && p == 9) || (row == 60 + c.classes && p == 1); };
            QList<int> expected;
            for (int row = 1; row <= 84; ++row) {
                for (int p = 1; p <= 11; ++p) {
                    const bool counted = row <= c.teachers || (row > 60 && row <= 60 + c.classes);
                    expected << (counted && p <= 9 ? mark(row, p) : -1);
                    if (counted && p <= 9)
                        (row <= 60 ? gTeacherAbsentPeriods(row, p) : gClassAbsentPeriods(row - 60, p)) = mark(row, p);
                }
            }
            gTeacherAbsence(1) = 1;
            ASSERT_TRUE(SaveSubstitutionDay());
            writeBytes("20260914.sup", readBytes("20260914.sup") + QByteArray("\r\n").repeated(c.emptyLines));
            gMaxTeachers = teachers;
            gMaxClasses = classes;
            gTeacherAbsentPeriods = {};
            gClassAbsentPeriods = {};
            gPeriodsPerDay = school;
            const SubstitutionFileRead read = ReadSubstitutionDay(kKey);
            const QString notice = read ? DayReadNotice(kKey, read) : read.unreadable;
            if (c.told.isEmpty()) {
                EXPECT_EQ(allMarks(), expected);
                EXPECT_EQ(read.misfit, "");
                EXPECT_EQ(read.otherPeriods, school == 9 ? 0 : 9);
            } else {
                EXPECT_TRUE(notice.startsWith("Die Tagesdatei 20260914.sup ") && notice.contains(c.told))
                    << notice.toStdString();
            }
        }
    }
}

TEST_F(SubstitutionDayTest, AFileOfAnotherSizeKeepsWhatFitsAndLeavesTheRest)
{

    // 62 teachers, 25 classes and 202 records: what fits is kept, the rest
    // read past so that every later value stays in its place.
    QStringList lines{" 62 ", " 25 "};
    for (int t = 1; t <= 62; ++t)
        lines << " 0 " << QString("Lehrer %1").arg(t);
    for (int c = 1; c <= 25; ++c)
        lines << " 0 " << QString("Klasse %1").arg(c);
    for (int t = 1; t <= 62; ++t)
        lines << (t == 60 ? " 1 " : " 0 ");
    lines << " 202 ";
    for (int r = 1; r <= 202; ++r)
        lines << " 1 " << " 2 " << " 3 " << " 4 " << QString(" %1 ").arg(r);
    for (int r = 1; r <= 202; ++r)
        lines << QString("Text %1").arg(r);
    for (int r = 1; r <= 202; ++r)
        lines << " 1 ";
    for (int mark = 1; mark <= (62 + 25) * 9; ++mark)
        lines << ((mark == 60 * 9 || mark == 62 * 9 + 23 * 9 + 1) ? " 1 " : " 0 ");
    writeLines("20260914.sup", lines);
    ASSERT_TRUE(ReadSubstitutionDay(kKey));
    EXPECT_EQ(gTeacherAbsenceReason(60), "Lehrer 60");
    EXPECT_EQ(gClassAbsenceReason(24), "Klasse 24");
    EXPECT_EQ(gTeacherPaid(60), 1);
    EXPECT_EQ(gSubstRowCount, 200);
    EXPECT_EQ(gSubstRows(200, 4), 200);
    EXPECT_EQ(gSubstRowTexts(200), "Text 200");
    EXPECT_EQ(gSubstRows(200, 5), 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(60, 9) == 1 && gTeacherAbsentPeriods(60, 8) == 0);
    EXPECT_TRUE(gClassAbsentPeriods(24, 1) == 1 && gClassAbsentPeriods(24, 2) == 0);
}

// A preset's mark: teacher 1 away in period 2, classes 2 to 23 all day.
int presetMark(int row, int period) { return (row == 1 && period == 2) || (row > 61 && row < 84) ? 1 : 0; }

// "suppl.dat": the day file without its records, each status three characters.
QStringList preset(const QString& teachers, int periods = 9)
{
    QStringList lines{teachers, " 24 "};
    for (int t = 1; t <= 60; ++t)
        lines << (t <= 3 ? " 1 " : " 0 ") << QString("Grund %1").arg(t);
    for (int c = 1; c <= 24; ++c)
        lines << (c >= 2 && c <= 23 ? " 1 " : " 0 ") << "";
    for (int t = 1; t <= 60; ++t)
        lines << (t == 2 ? " 1 " : " 0 ");
    for (int row = 1; row <= 84; ++row) {
        for (int p = 1; p <= periods; ++p)
            lines << QString(" %1 ").arg(presetMark(row, p));
    }
    return lines;
}

TEST_F(SubstitutionDayTest, ThePresetLoadsUnlessItFailsItsChecks)
{
    writeLines("suppl.dat", preset(" 60 "));
    ASSERT_TRUE(ReadSubstitutionPreset());
    EXPECT_EQ(gTeacherAbsenceReason(60), "Grund 60");
    EXPECT_TRUE(gClassAbsence(2) == 1);
    EXPECT_EQ(gTeacherPaid(2), 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(1, 2) == 1 && gClassAbsentPeriods(2, 9) == 1);

    gTeacherAbsenceReason(1) = "vorher";
    gTeacherAbsence(3) = Variant();
    gTeacherPaid(2) = 0;
    writeLines("suppl.dat", preset(" 59 "));
    ASSERT_TRUE(ReadSubstitutionPreset());
    EXPECT_EQ(gTeacherAbsenceReason(1), "vorher") << "59 teachers: nothing is read";

    QStringList lines = preset(" 60 ");
    lines[2 + 2 * 2] = "1";
    writeLines("suppl.dat", lines);
    ASSERT_TRUE(ReadSubstitutionPreset());
    EXPECT_EQ(gTeacherAbsenceReason(2), "Grund 2");
    EXPECT_TRUE(gTeacherAbsence(3).isEmpty()) << "a one-character status line ends the preset";
    EXPECT_EQ(gTeacherPaid(2), 0);

    QFile::remove(path("suppl.dat"));
    EXPECT_FALSE(ReadSubstitutionPreset());
}

// A preset's marks are read at the size they are whole for, one lacking its
// last line as far as it goes, an empty line after them left over; lacking
// more lines, fewer than half a row, or with more empty lines after them,
// as far as they go or without those lines, and told. A preset whose marks
// fit no size, or that leaves a teacher or class it lists as absent without
// its marks, is not loaded at all and is told: no mark lands on another
// teacher, class or period, and nobody stands on the list without the
// periods the preset gives.
TEST_F(SubstitutionDayTest, APresetsMarksAreReadWhereTheyStandOrThePresetIsToldAndNotLoaded)
{
    const int beforeMarks = 2 + 2 * 60 + 2 * 24 + 60;
    const QString damaged = "Sie ist beschädigt";
    const struct {
        const char* kind;
        QStringList lines;
        int school;
        int readAt;       // 0: not loaded
        int marksMissing; // at the end, left as they were
        QString reason;
        QString misfit = {};
    } cases[] = {
        {"saved with 11 periods, read with 9", preset(" 60 ", 11), 9, 11, 0, ""},
        {"saved with 9 periods, read with 10", preset(" 60 ", 9), 10, 9, 0, ""},
        {"an empty line after the marks", preset(" 60 ", 9) << "", 9, 9, 0, ""},
        {"one line short, of a class present", preset(" 60 ", 10).mid(0, beforeMarks + 84 * 10 - 1), 10, 10, 1, ""},
        {"two lines short, of a class present", preset(" 60 ", 10).mid(0, beforeMarks + 84 * 10 - 2), 10, 10, 2, "",
         "ist beschädigt und endet nach Zeile 1068"},
        {"three empty lines after the marks", preset(" 60 ", 9) << "" << "" << "", 9, 9, 0, "",
         "ist beschädigt, nach Zeile 986 stehen 3 Zeilen zu viel"},
        {"15 lines short, of an absent class", preset(" 60 ", 10).mid(0, beforeMarks + 84 * 10 - 15), 10, 0, 0,
         damaged + " und endet nach Zeile 1055"},
        {"a line after the marks", preset(" 60 ", 9) << " 0 ", 9, 0, 0,
         damaged + ", ihre Zeilen ab Zeile 231 passen zu keinem Tag von 9 bis 11 Stunden"},
        {"cut after 5 whole periods, before the marks of absent classes", preset(" 60 ", 9).mid(0, beforeMarks + 84 * 5),
         9, 0, 0, damaged + " und endet nach Zeile 650"},
        {"cut among the paid flags", preset(" 60 ", 9).mid(0, beforeMarks - 10), 9, 0, 0,
         damaged + " und endet nach Zeile 220"},
        {"empty", {}, 9, 0, 0, "Sie ist leer"},
        {"garbage, no count of teachers", {"\x01\xFE\x7F", "ÿ"}, 9, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        // What the day file gave before the preset.
        gTeacherAbsentPeriods = {};
        gClassAbsentPeriods = {};
        gTeacherAbsence = {};
        gTeacherAbsence(5) = 1;
        gTeacherAbsentPeriods(5, 1) = 1;
        gPeriodsPerDay = c.school;
        writeLines("suppl.dat", c.lines);
        const SubstitutionFileRead read = ReadSubstitutionPreset();
        EXPECT_EQ(bool(read), c.reason.isEmpty());
        EXPECT_EQ(read.otherPeriods, c.readAt == c.school ? 0 : c.readAt);
        EXPECT_EQ(read.misfit, c.misfit);
        EXPECT_EQ(read.unreadable, c.reason.isEmpty()
                                       ? QString()
                                       : "Die Voreinstellung suppl.dat konnte nicht gelesen werden: " + c.reason + ".");
        EXPECT_TRUE(gTeacherAbsence(3) == (c.readAt != 0 ? 1 : 0)) << "the absences with their marks or not at all";
        QList<int> expected;
        for (int row = 1; row <= 84; ++row) {
            for (int p = 1; p <= 11; ++p) {
                const bool missing = row == 84 && p > c.school - c.marksMissing && p <= c.school;
                if (c.readAt == 0)
                    expected << (row == 5 && p == 1 ? 1 : -1);
                else
                    expected << (p <= c.readAt && !missing ? presetMark(row, p) : -1);
            }
        }
        EXPECT_EQ(allMarks(), expected);
    }
}
}
