#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_statistics.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <QDir>

namespace {

// A file that is there but cannot be read is no missing one: its counts
// would silently lack a day, or the numbering start again at 1000.
class UnreadableDaysTest : public SubstitutionPrintTest {
protected:
    const QString dayNotice
        = QStringLiteral("Die Tagesdatei 20260911.sup konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.");
    const QByteArray lastExport = "1000;\"abc\";09.09.2026\r\n";

    void SetUp() override
    {
        SubstitutionPrintTest::SetUp();
        SubstitutionCounts counts;
        ASSERT_TRUE(WriteStandings("01.09.2026", counts));
        saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0}});
        saveDay("11.09.2026", {{1, 2, 1, 1, 3, 0}});
        writeBytes("MDL.txt", lastExport);
        writeBytes("MDLNr.dat", " 1000 \r\n");
        gWorkDate = "14.09.2026";
    }
    void evaluateStatistics()
    {
        Form41* f = forms::show<Form41>();
        f->Text1->setText("01.09.2026");
        f->Text2->setText("30.09.2026");
        f->Command2->click();
    }
    // "MDL.txt" as it was, and the message says why.
    void expectNothingExported(const QString& notice)
    {
        Form50* f = forms::show<Form50>();
        f->Text1->setText("01.09.2026");
        f->Text2->setText("30.09.2026");
        f->Command2->click();
        EXPECT_EQ(readBytes("MDL.txt"), lastExport);
        ASSERT_FALSE(messages().isEmpty());
        EXPECT_TRUE(messages().last().contains(notice)) << messages().last().toStdString();
    }
};

TEST_F(UnreadableDaysTest, AListedDayThatCannotBeReadIsToldByEveryReaderAndNothingIsExported)
{
    QFile::remove(path("20260910.sup"));
    evaluateStatistics();
    EXPECT_TRUE(messages().isEmpty()) << "a listed day without a file is skipped silently";
    EXPECT_EQ(rec->documents, 1);

    blockFile("20260911.sup");
    evaluateStatistics();
    EXPECT_EQ(messages().value(0), "Die Statistik wurde nicht gedruckt:\n" + dayNotice);
    EXPECT_EQ(rec->documents, 1) << "no printout that lacks the day";

    Form49* standings = forms::show<Form49>();
    EXPECT_EQ(messages().value(1), "Der Stand der Supplierungen ist unvollständig:\n" + dayNotice);
    standings->activate();
    EXPECT_EQ(messages().size(), 2) << "told once, not at every activation";

    expectNothingExported(dayNotice);
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1000 \r\n") << "nothing numbered";
}

TEST_F(UnreadableDaysTest, AnUnreadableDateListNumberOrStandingsFileIsToldNotTakenAsMissing)
{
    QFile::remove(path("stand.sup"));
    blockFile("stand.sup");
    forms::show<Form47>();
    EXPECT_EQ(messages().value(0),
              "Die Datei stand.sup konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.");
    expectNothingExported("Die Datei stand.sup konnte nicht gelesen werden");
    forms::unload<Form47>();
    unblockFile("stand.sup");
    ASSERT_TRUE(WriteStandings("01.09.2026", SubstitutionCounts()));

    blockFile("MDLNr.dat");
    expectNothingExported("Die Datei MDLNr.dat konnte nicht gelesen werden");
    unblockFile("MDLNr.dat");
    writeBytes("MDLNr.dat", " 1000 \r\n");

    QFile::remove(path("date.sup"));
    blockFile("date.sup");
    const QString notice = "Die Datei date.sup konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.";
    evaluateStatistics();
    EXPECT_EQ(messages().last(), "Die Statistik wurde nicht gedruckt:\n" + notice);
    EXPECT_EQ(rec->documents, 0);
    expectNothingExported(notice);
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1000 \r\n");
}

// The new number is recorded before "MDL.txt" is written: a failed write of
// the number leaves both files as they were, a failed export puts it back.
TEST_F(UnreadableDaysTest, NoNumberOfAnExportIsHandedOutAgainWhenAWriteFails)
{
    // Readable, but no file can be created beside it.
    QFile::remove(path("MDLNr.dat"));
    ASSERT_TRUE(QFile::link("/proc/version", path("MDLNr.dat")));
    const datafile::WriteResult failed = ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30));
    EXPECT_TRUE(failed.reason.startsWith("Der Export wurde nicht geschrieben, die Nummerierung bleibt "
                                         "unverändert.\nMDLNr.dat: "))
        << failed.reason.toStdString();
    EXPECT_EQ(readBytes("MDL.txt"), lastExport) << "an export without its number is not written";
    QFile::remove(path("MDLNr.dat"));

    writeBytes("MDLNr.dat", " 1000 \r\n");
    blockFile("MDL.txt");
    EXPECT_FALSE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1000 \r\n") << "no file holds the numbers 1001 and 1002";
    unblockFile("MDL.txt");
    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_EQ(readLines("MDL.txt").value(1).left(5), "1001;");
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1002 \r\n");
}
}
