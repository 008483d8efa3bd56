#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_standings.h"
#include "tests/planner/substitution/substitution_fixture.h"
#include "tests/support/disk_conditions.h"

#include <memory>
#include <optional>

namespace {

const QByteArray kHeader = "\"Nr\";\"Schluessel\";\"SuDatum\";\"Std\";\"Fach\";\"Kl\";\"Vertr\";\"Text\";\"StdZahl\";"
                           "\"bu\";\"Abwes\";\"unb\"\r\n";

class ExportTest : public SubstitutionTest {
protected:
    void SetUp() override
    {
        SubstitutionTest::SetUp();
        gSubjectNames(1, 2) = "M";
        gSubjectNames(2, 2) = "D";
    }
    // Key date 10.09.2026; teacher 2 has held 7 unpaid substitutions.
    static void writeStandings(const QString& keyDate = "10.09.2026")
    {
        SubstitutionCounts counts;
        counts(2, kUnpaidColumn) = 7;
        ASSERT_TRUE(WriteStandings(keyDate, counts));
    }
    static bool exportDay(int day)
    {
        return static_cast<bool>(ExportSubstitutionRecords(QDate(2026, 9, day), QDate(2026, 9, day)));
    }
};

TEST_F(ExportTest, TheLinesCarryTheNumberTheDayAndTheUnpaidCountBeforeThem)
{
    writeStandings();
    saveDay("09.09.2026", {{1, 1, 1, 1, 2, 0}});
    saveDay("10.09.2026", {{1, 2, 1, 1, 2, 0}, {1, 3, 2, 2, 0, 0}});
    saveDay("11.09.2026", {{4, 1, 2, 3, 2, 1, "Heft \"blau\" mitnehmen"}, {4, 5, 1, 3, 2, 0}});
    saveDay("14.09.2026", {{1, 1, 1, 1, 2, 0}});

    ASSERT_TRUE(exportDay(11));
    EXPECT_EQ(readBytes("MDL.txt"),
              kHeader
                  + "1000;\"abc\";11.09.2026;\"1\";\"D\";\"6a\";\"CRA\";\"Heft \"blau\" mitnehmen\";1,00;\"b\";"
                    "\"ENG\";8,00\r\n"
                  + "1001;\"abc\";11.09.2026;\"5\";\"M\";\"6a\";\"CRA\";\"\";1,00;\"u\";\"ENG\";8,00\r\n")
        << "the key date counts before von; a paid record leaves the unpaid count";
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1001 \r\n");
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 7 + 2);
    EXPECT_EQ(gSubstCounts(2, kPaidColumn), 1);
    EXPECT_EQ(readLines("stand.sup")[6], " 7 ") << "the file keeps the key-date counts";

    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 10)));
    EXPECT_EQ(readBytes("MDL.txt"),
              kHeader + "1002;\"abc\";10.09.2026;\"2\";\"M\";\"5a\";\"CRA\";\"\";1,00;\"u\";\"BER\";7,00\r\n")
        << "nothing before the key date, the numbering continues";
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1002 \r\n");
}

TEST_F(ExportTest, RecordsOutsideTheTablesAreLeftOutAndAnOddPaidFlagCountsNowhere)
{
    writeStandings();
    saveDay("10.09.2026", {{1, 2, 1, 1, 61, 0}, {1, 2, 1, 25, 2, 0}, {1, 2, 101, 1, 2, 0}, {0, 2, 1, 1, 2, 0},
                           {1, 2, 1, 1, 2, 7}, {1, 3, 1, 0, 2, 0}});
    ASSERT_TRUE(exportDay(10));
    const QStringList lines = readLines("MDL.txt");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], "1000;\"abc\";10.09.2026;\"2\";\"M\";\"5a\";\"CRA\";\"\";1,00;\"u\";\"\";7,00")
        << "a record without absent teacher counts";
    EXPECT_EQ(lines[2], "1001;\"abc\";10.09.2026;\"2\";\"M\";\"5a\";\"CRA\";\"\";1,00;\"\";\"BER\";8,00")
        << "the odd flag's field stays empty";
    EXPECT_EQ(lines[3], "1002;\"abc\";10.09.2026;\"3\";\"M\";\"\";\"CRA\";\"\";1,00;\"u\";\"BER\";8,00")
        << "a record without class counts";
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1002 \r\n");
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 7 + 2);
}

TEST_F(ExportTest, WithoutStandingsOnlyTheHeaderIsWrittenAndWithoutAKeyDateNothing)
{
    saveDay("10.09.2026", {{1, 2, 1, 1, 2, 0}});
    writeBytes("MDLNr.dat", " 1500 \r\n");
    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_EQ(readBytes("MDL.txt"), kHeader);
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1500 \r\n");

    writeBytes("MDL.txt", kHeader + "1500;\"abc\"\r\n");
    writeStandings("kein Datum");
    EXPECT_EQ(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)).reason,
              "Der Export wurde nicht geschrieben, die Nummerierung bleibt unverändert.\n" + MissingKeyDateNotice());
    EXPECT_EQ(readBytes("MDL.txt"), kHeader + "1500;\"abc\"\r\n") << "the last export stays";
}

// The number and the export are written all or none: a failed export leaves
// "MDLNr.dat" as it was, also where there was none.
TEST_F(ExportTest, AFailedExportLeavesTheNumberFileAsItWas)
{
    writeStandings();
    saveDay("10.09.2026", {{1, 2, 1, 1, 2, 0}});
    const struct {
        const char* what;
        std::function<std::shared_ptr<void>()> make;
    } conditions[] = {
        {"a folder in the place of MDL.txt",
         [this] { return blockedWhileHeld("MDL.txt"); }},
        {"a file-size limit that only the number fits",
         []() -> std::shared_ptr<void> { return std::make_shared<FileSizeLimit>(50); }},
    };
    const std::optional<QByteArray> numberFiles[] = {std::nullopt, QByteArray(" 1200 \r\n")};
    for (const auto& c : conditions) {
        for (const std::optional<QByteArray>& numberFile : numberFiles) {
            SCOPED_TRACE(std::string(c.what) + (numberFile ? ", a number on record" : ", no number on record"));
            QFile::remove(path("MDLNr.dat"));
            if (numberFile)
                writeBytes("MDLNr.dat", *numberFile);
            datafile::WriteResult written;
            {
                const std::shared_ptr<void> holding = c.make();
                written = ExportSubstitutionRecords(QDate(2026, 9, 10), QDate(2026, 9, 10));
            }
            EXPECT_FALSE(written.ok);
            EXPECT_TRUE(written.reason.startsWith("Der Export wurde nicht geschrieben, die Nummerierung bleibt "
                                                  "unverändert.\nMDL.txt: "))
                << written.reason.toStdString();
            EXPECT_EQ(QFile::exists(path("MDLNr.dat")), numberFile.has_value());
            if (numberFile) {
                EXPECT_EQ(readBytes("MDLNr.dat"), *numberFile);
            }
            EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 0) << "the counts stay";
        }
    }
}

TEST_F(ExportTest, TheWindowOffersTheKeyDateToYesterdayAndExportsOnlyTwoDates)
{
    writeStandings();
    Form50* f = forms::show<Form50>();
    EXPECT_EQ(texts(f->Text1, f->Text2), (QStringList{"10.09.2026", "10.03.2026"}));
    EXPECT_EQ(gKeyDate, Variant("10.09.2026"));
    EXPECT_EQ(gRangeTo, Variant("10.03.2026"));
    EXPECT_TRUE(green(f->Text2));
    EXPECT_TRUE(f->Command2->isEnabled());

    f->Text1->setText("1.9.26");
    EXPECT_EQ(gRangeFrom.date(), QDate(2026, 9, 1));
    f->Text2->setText("bald");
    EXPECT_EQ(controls::backColor(f->Text2), 0xC0u);
    EXPECT_FALSE(f->Command2->isEnabled()) << "a red box would export an old range";
    f->Command2_Click();
    EXPECT_FALSE(datafile::exists(path("MDL.txt")));
    f->Text2->setText("30.9.2026");
    f->Command2->click();
    EXPECT_EQ(readBytes("MDL.txt"), kHeader);

    saveDay("10.09.2026", {{1, 2, 1, 1, 2, 0}});
    writeBytes("MDLNr.dat", " 1200 \r\n");
    blockFile("MDL.txt");
    f->Command2->click();
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().value(0).contains("MDL.txt")) << "a failed write is shown";
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1200 \r\n") << "and the numbering does not advance";
}
}
