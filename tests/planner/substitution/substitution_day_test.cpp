#include "planner/substitution/substitution_day.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <QFile>

namespace {

class SubstitutionDayTest : public SubstitutionTest {
protected:
    // Three records: a substitute, the codes "???" and "entf.".
    static void fillDay()
    {
        gTeacherAbsence(1) = 1;
        gTeacherAbsence(2) = 0;
        gTeacherAbsenceReason(1) = "Fortbildung Größen";
        gTeacherPaid(1) = 1;
        gClassAbsence(4) = 1;
        gClassAbsenceReason(4) = "Exkursion Wien";
        for (int p = 1; p <= 11; ++p) {
            gTeacherAbsentPeriods(1, p) = p <= 3 ? 1 : 0;
            gClassAbsentPeriods(4, p) = 1;
        }
        const short rows[][6] = {{1, 1, 12, 2, 5, 1}, {1, 2, 3, 1, -1, 0}, {1, 3, 7, 4, -2, 0}};
        gSubstRowCount = 3;
        for (int r = 1; r <= 3; ++r) {
            for (int f = 0; f <= 5; ++f)
                gSubstRows(r, f) = rows[r - 1][f];
        }
        gSubstRowTexts(1) = "Übung";
        gSubstRowTexts(3) = "fällt aus";
    }
    // A fresh run on the same data folder.
    static void forgetDay()
    {
        const QString folder = gDataPath;
        resetModel();
        gDataPath = folder;
        gPeriodsPerDay = 9;
    }
    // The line of the record count: after the counts, the teachers' and the
    // classes' status and reason, and the paid flags.
    static constexpr int kCountLine = 2 + 2 * 60 + 2 * 24 + 60;
    QString key() const { return "20260914"; }
};

TEST_F(SubstitutionDayTest, ADayReadsBackAsItWasSaved)
{
    fillDay();
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(gText4, "20260914");
    EXPECT_EQ(gFileName, path("date.sup"));
    EXPECT_TRUE(gCheckOk == 0);

    forgetDay();
    ASSERT_TRUE(ReadSubstitutionDay(key()));
    EXPECT_TRUE(gTeacherAbsence(1) == 1);
    EXPECT_TRUE(gTeacherAbsence(2).isNumber() && gTeacherAbsence(2) == 0) << "a status 0 stays 0";
    EXPECT_TRUE(gTeacherAbsence(3).isEmpty()) << "a status never set stays empty";
    EXPECT_EQ(gTeacherAbsenceReason(1), "Fortbildung Größen");
    EXPECT_EQ(gTeacherPaid(1), 1);
    EXPECT_TRUE(gClassAbsence(4) == 1);
    EXPECT_EQ(gClassAbsenceReason(4), "Exkursion Wien");
    EXPECT_TRUE(gTeacherAbsentPeriods(1, 3) == 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(1, 4) == 0);
    EXPECT_TRUE(gClassAbsentPeriods(4, 9) == 1);
    EXPECT_TRUE(gClassAbsentPeriods(4, 10).isEmpty()) << "periods beyond the day are not in the file";
    ASSERT_EQ(gSubstRowCount, 3);
    EXPECT_EQ(gSubstRows(1, 4), 5);
    EXPECT_EQ(gSubstRows(2, 4), -1);
    EXPECT_EQ(gSubstRows(3, 4), -2);
    EXPECT_EQ(gSubstRows(3, 2), 7);
    EXPECT_EQ(gSubstRows(1, 5), 1);
    EXPECT_EQ(gSubstRowTexts(1), "Übung");
    EXPECT_EQ(gSubstRowTexts(2), "");
    EXPECT_EQ(gSubstRowTexts(3), "fällt aus");
}

TEST_F(SubstitutionDayTest, TheFileHoldsOneValueALineInItsOrder)
{
    fillDay();
    gSubstRows(2, 4) = -3;
    gSubstRows(3, 4) = -4;
    ASSERT_TRUE(SaveSubstitutionDay());
    const QByteArray bytes = readBytes("20260914.sup");
    EXPECT_TRUE(bytes.startsWith(" 60 \r\n 24 \r\n 1 \r\nFortbildung Gr\xF6\xDF" "en\r\n 0 \r\n\r\n\r\n\r\n"))
        << "Windows-1252, CR LF, numbers in print form, an empty status as an empty line";
    const QStringList lines = readLines("20260914.sup");
    const int records = kCountLine + 1;
    EXPECT_EQ(lines[kCountLine], " 3 ");
    EXPECT_EQ(lines.mid(records, 5), (QStringList{" 1 ", " 1 ", " 12 ", " 2 ", " 5 "}));
    EXPECT_EQ(lines[records + 5 + 4], "-3 ");
    EXPECT_EQ(lines[records + 10 + 4], "-4 ");
    EXPECT_EQ(lines.mid(records + 15, 3), (QStringList{"Übung", "", "fällt aus"}));
    EXPECT_EQ(lines.mid(records + 18, 3), (QStringList{" 1 ", " 0 ", " 0 "}));
    EXPECT_EQ(lines.mid(records + 21, 4), (QStringList{" 1 ", " 1 ", " 1 ", " 0 "})) << "teacher 1's marks follow";
}

TEST_F(SubstitutionDayTest, LineCountFollowsPeriodsAndRecords)
{
    struct Case {
        int periods, records, lines;
    };
    for (const Case& c : {Case{9, 0, 987}, Case{9, 3, 987 + 21}, Case{11, 0, 1155}, Case{11, 200, 1155 + 1400}}) {
        gPeriodsPerDay = c.periods;
        gSubstRowCount = static_cast<short>(c.records);
        ASSERT_TRUE(SaveSubstitutionDay());
        const QStringList lines = readLines("20260914.sup");
        EXPECT_EQ(lines.size(), c.lines) << c.periods << " periods, " << c.records << " records";
        EXPECT_EQ(lines.size(), dayFileLines(c.periods, c.records));
        if (c.records == 0) {
            EXPECT_EQ(lines[kCountLine], " 0 ") << "no records: the marks follow the count at once";
        }
    }
}

TEST_F(SubstitutionDayTest, ControlCharactersInTextsBecomeBlanks)
{
    gTeacherAbsenceReason(2) = "krank\r\nbis Freitag";
    gClassAbsenceReason(1) = "Ausflug\tMuseum";
    gSubstRowCount = 1;
    gSubstRowTexts(1) = "Buch\nS. 12";
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readLines("20260914.sup").size(), dayFileLines(9, 1)) << "no line break shifts the lines";

    gTeacherAbsenceReason(2) = QString();
    ASSERT_TRUE(ReadSubstitutionDay(key()));
    EXPECT_EQ(gTeacherAbsenceReason(2), "krank  bis Freitag");
    EXPECT_EQ(gClassAbsenceReason(1), "Ausflug Museum");
    EXPECT_EQ(gSubstRowTexts(1), "Buch S. 12");
}

TEST_F(SubstitutionDayTest, AKeyIsListedOnceWhateverItsForm)
{
    ASSERT_TRUE(SaveSubstitutionDay());
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readBytes("date.sup"), "20260914\r\n");

    writeLines("date.sup", {"20260911", " 20260914 "});
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readLines("date.sup"), (QStringList{"20260911", " 20260914 "})) << "the key as a number matches";

    gWorkDate = "15-9-26";
    ASSERT_TRUE(SaveSubstitutionDay());
    EXPECT_EQ(readLines("date.sup"), (QStringList{"20260911", " 20260914 ", "20260915"}));
    EXPECT_EQ(gText4, "20260915");
}

TEST_F(SubstitutionDayTest, ASaveThatFailsSaysSo)
{
    gWorkDate = "kein Datum";
    EXPECT_FALSE(SaveSubstitutionDay());
    EXPECT_FALSE(QFile::exists(path("date.sup")));

    gWorkDate = "14.09.2026";
    blockFile("20260914.sup");
    EXPECT_FALSE(SaveSubstitutionDay());
    EXPECT_TRUE(gCheckOk == 0);
    EXPECT_FALSE(QFile::exists(path("date.sup"))) << "no key without its day";
    unblockFile("20260914.sup");

    blockFile("date.sup");
    EXPECT_FALSE(SaveSubstitutionDay()) << "the day was written, but not listed";
    EXPECT_TRUE(QFile::exists(path("20260914.sup")));
    unblockFile("date.sup");
}

TEST_F(SubstitutionDayTest, AShortFileLeavesWhatItDoesNotReach)
{
    gTeacherAbsence(2) = 1;
    gTeacherAbsenceReason(2) = "alt";
    gTeacherPaid(1) = 1;
    gSubstRowCount = 7;
    writeLines("20260914.sup", {" 60 ", " 24 ", " 1 ", "krank", " 0 "});
    ASSERT_TRUE(ReadSubstitutionDay(key()));
    EXPECT_TRUE(gTeacherAbsence(1) == 1);
    EXPECT_EQ(gTeacherAbsenceReason(1), "krank");
    EXPECT_TRUE(gTeacherAbsence(2) == 0);
    EXPECT_EQ(gTeacherAbsenceReason(2), "alt");
    EXPECT_EQ(gTeacherPaid(1), 1);
    EXPECT_EQ(gSubstRowCount, 7);

    EXPECT_FALSE(ReadSubstitutionDay("20260915")) << "no day file";
}

// A file of 62 teachers, 25 classes and 202 records: what fits is kept, the
// rest read past so that every later value stays in its place.
TEST_F(SubstitutionDayTest, CountsAboveTheCapacitiesKeepWhatFits)
{
    QStringList lines{" 62 ", " 25 "};
    for (int t = 1; t <= 62; ++t)
        lines << (t == 61 ? " 1 " : " 0 ") << QString("Lehrer %1").arg(t);
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
    for (int t = 1; t <= 62; ++t)
        for (int p = 1; p <= 9; ++p)
            lines << (t == 60 && p == 9 ? " 1 " : " 0 ");
    for (int c = 1; c <= 25; ++c)
        for (int p = 1; p <= 9; ++p)
            lines << (c == 24 && p == 1 ? " 1 " : " 0 ");
    writeLines("20260914.sup", lines);

    ASSERT_TRUE(ReadSubstitutionDay(key()));
    EXPECT_EQ(gTeacherAbsenceReason(60), "Lehrer 60");
    EXPECT_EQ(gClassAbsenceReason(24), "Klasse 24");
    EXPECT_EQ(gTeacherPaid(60), 1);
    EXPECT_EQ(gSubstRowCount, 200);
    EXPECT_EQ(gSubstRows(200, 4), 200);
    EXPECT_EQ(gSubstRowTexts(200), "Text 200");
    EXPECT_EQ(gSubstRows(200, 5), 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(60, 9) == 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(60, 8) == 0);
    EXPECT_TRUE(gClassAbsentPeriods(24, 1) == 1);
    EXPECT_TRUE(gClassAbsentPeriods(24, 2) == 0);
}

TEST_F(SubstitutionDayTest, TheRecordBlockGoesIntoTheCallersTables)
{
    fillDay();
    ASSERT_TRUE(SaveSubstitutionDay());
    forgetDay();

    decltype(Model::gTeacherPaid) paid;
    short count = 0;
    decltype(Model::gSubstRows) rows;
    decltype(Model::gSubstRowTexts) texts;
    ASSERT_TRUE(ReadSubstitutionRecords(key(), {paid, count, rows, texts}));
    EXPECT_EQ(paid(1), 1);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(rows(1, 2), 12);
    EXPECT_EQ(rows(3, 4), -2);
    EXPECT_EQ(rows(1, 5), 1);
    EXPECT_EQ(texts(3), "fällt aus");
    EXPECT_EQ(gSubstRowCount, 0) << "the day in memory is not touched";
    EXPECT_FALSE(ReadSubstitutionRecords("20260915", {paid, count, rows, texts}));
}

// "suppl.dat": the day file without its records, each status three characters.
class SubstitutionPresetTest : public SubstitutionTest {
protected:
    QStringList preset(const QString& teachers = " 60 ")
    {
        QStringList lines{teachers, " 24 "};
        for (int t = 1; t <= 60; ++t)
            lines << (t <= 3 ? " 1 " : " 0 ") << QString("Grund %1").arg(t);
        for (int c = 1; c <= 24; ++c)
            lines << (c == 2 ? " 1 " : " 0 ") << "";
        for (int t = 1; t <= 60; ++t)
            lines << (t == 2 ? " 1 " : " 0 ");
        for (int t = 1; t <= 60; ++t)
            for (int p = 1; p <= 9; ++p)
                lines << (t == 1 && p == 2 ? " 1 " : " 0 ");
        for (int c = 1; c <= 24; ++c)
            for (int p = 1; p <= 9; ++p)
                lines << (c == 2 ? " 1 " : " 0 ");
        return lines;
    }
};

TEST_F(SubstitutionPresetTest, AWholePresetLoads)
{
    writeLines("suppl.dat", preset());
    ASSERT_TRUE(ReadSubstitutionPreset());
    EXPECT_TRUE(gTeacherAbsence(3) == 1);
    EXPECT_EQ(gTeacherAbsenceReason(60), "Grund 60");
    EXPECT_TRUE(gClassAbsence(2) == 1);
    EXPECT_EQ(gTeacherPaid(2), 1);
    EXPECT_TRUE(gTeacherAbsentPeriods(1, 2) == 1);
    EXPECT_TRUE(gClassAbsentPeriods(2, 9) == 1);
}

TEST_F(SubstitutionPresetTest, APresetThatFailsItsChecksStopsThere)
{
    gTeacherAbsenceReason(1) = "vorher";
    writeLines("suppl.dat", preset(" 59 "));
    ASSERT_TRUE(ReadSubstitutionPreset());
    EXPECT_EQ(gTeacherAbsenceReason(1), "vorher") << "59 teachers: nothing is read";

    QStringList lines = preset();
    lines[2 + 2 * 2] = "1";
    writeLines("suppl.dat", lines);
    ASSERT_TRUE(ReadSubstitutionPreset());
    EXPECT_TRUE(gTeacherAbsence(2) == 1);
    EXPECT_EQ(gTeacherAbsenceReason(2), "Grund 2");
    EXPECT_TRUE(gTeacherAbsence(3).isEmpty()) << "a one-character status line ends the preset";
    EXPECT_EQ(gTeacherAbsenceReason(3), "");
    EXPECT_EQ(gTeacherPaid(2), 0);

    QFile::remove(path("suppl.dat"));
    EXPECT_FALSE(ReadSubstitutionPreset());
}
}
