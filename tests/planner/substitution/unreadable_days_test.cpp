#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_database.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_statistics.h"
#include "tests/planner/substitution/substitution_fixture.h"

namespace {

// A file that is there but cannot be read is no missing one: its counts
// would silently lack a day, or the numbering start again at 1000.
class UnreadableDaysTest : public SubstitutionPrintTest {
protected:
    const QString folder = QStringLiteral(" konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.");
    const QByteArray lastExport = "1000;\"abc\";09.09.2026\r\n";

    void SetUp() override
    {
        SubstitutionPrintTest::SetUp();
        ASSERT_TRUE(WriteStandings("01.09.2026", SubstitutionCounts()));
        saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0}});
        saveDay("11.09.2026", {{1, 2, 1, 1, 3, 0}});
        writeBytes("MDL.txt", lastExport);
        writeBytes("MDLNr.dat", " 1000 \r\n");
    }
    void evaluateStatistics()
    {
        Form41* f = forms::show<Form41>();
        f->Text1->setText("01.09.2026");
        f->Text2->setText("30.09.2026");
        f->Command2->click();
    }
    // The message of an export of September that writes nothing.
    QString failedExport()
    {
        const datafile::WriteResult result = ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30));
        EXPECT_EQ(readBytes("MDL.txt"), lastExport);
        return result.reason;
    }
};

TEST_F(UnreadableDaysTest, AListedDayThatCannotBeReadIsToldByEveryReaderAndNothingIsExported)
{
    QFile::remove(path("20260910.sup"));
    evaluateStatistics();
    EXPECT_TRUE(messages().isEmpty()) << "a listed day without a file is skipped silently";
    EXPECT_EQ(rec->documents, 1);

    blockFile("20260911.sup");
    const QString notice = "Die Tagesdatei 20260911.sup" + folder;
    evaluateStatistics();
    EXPECT_EQ(messages().value(0), "Die Statistik wurde nicht gedruckt:\n" + notice);
    EXPECT_EQ(rec->documents, 1) << "no printout that lacks the day";
    forms::show<Form49>()->activate();
    EXPECT_EQ(messages().mid(1), QStringList{"Der Stand der Supplierungen ist unvollständig:\n" + notice})
        << "told once, not at every activation";
    EXPECT_TRUE(failedExport().endsWith(notice));
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1000 \r\n") << "nothing numbered";
}

TEST_F(UnreadableDaysTest, AnUnreadableDateListNumberOrStandingsFileIsToldNotTakenAsMissing)
{
    for (const QString name : {"stand.sup", "MDLNr.dat", "date.sup"}) {
        const QByteArray bytes = readBytes(name);
        blockFile(name);
        EXPECT_TRUE(failedExport().endsWith("Die Datei " + name + folder)) << "no numbering from 1000 again";
        unblockFile(name);
        writeBytes(name, bytes);
    }
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1000 \r\n");

    blockFile("stand.sup");
    forms::show<Form47>();
    EXPECT_EQ(messages().value(0), "Die Datei stand.sup" + folder) << "no zeros to be saved over the counters";
    blockFile("date.sup");
    evaluateStatistics();
    EXPECT_EQ(messages().value(1), "Die Statistik wurde nicht gedruckt:\nDie Datei date.sup" + folder);
    EXPECT_EQ(rec->documents, 0);
    forms::show<Form38>();
    EXPECT_EQ(messages().value(2), "Die Datei date.sup" + folder) << "no finished day, rather than none listed";
}

// The number is recorded before "MDL.txt": an export whose number cannot be
// written would hand its numbers out again.
TEST_F(UnreadableDaysTest, AnExportWhoseNumberCannotBeWrittenWritesNothing)
{
    QFile::remove(path("MDLNr.dat"));
    // Readable and holding a number, but no file can be created beside it.
    ASSERT_TRUE(QFile::link("/proc/sys/kernel/pid_max", path("MDLNr.dat")));
    EXPECT_TRUE(failedExport().startsWith(
        "Der Export wurde nicht geschrieben, die Nummerierung bleibt unverändert.\nMDLNr.dat: "));
}
}
