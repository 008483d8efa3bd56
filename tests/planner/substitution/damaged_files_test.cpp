#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_standings.h"
#include "planner/substitution/substitution_statistics.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <functional>

namespace {

// A file cut off or overwritten is no shorter good one: what its readers
// would make of it (substitutions left unnumbered, a paid one unpaid, a day
// nobody misses) is told, in the planner's boxes, and nothing is written.
class DamagedFilesTest : public SubstitutionPrintTest {
protected:
    const QByteArray lastExport = "1034;\"abc\";09.09.2026\r\n";
    const QByteArray lastNumber = " 1034 \r\n";
    std::vector<dialogs::Shown> shown;
    // The absent teachers "wer fehlt ?" shows behind each box.
    QStringList absentBehind;

    void SetUp() override
    {
        SubstitutionPrintTest::SetUp();
        dialogs::setHandler([this](const dialogs::Shown& s) -> dialogs::Reply {
            shown.push_back(s);
            const Form20* absences = forms::ifOpen<Form20>();
            absentBehind << (absences ? absences->Label5->text() : QString());
            return true;
        });
        ASSERT_TRUE(WriteStandings("01.09.2026", SubstitutionCounts()));
        gTeacherAbsence(4) = 1;
        saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0, "Folie"}});
        gTeacherAbsence(4) = Variant();
        saveDay("11.09.2026", {{1, 2, 1, 1, 3, 1, "Verlegt"}}, {1});
        writeBytes("MDL.txt", lastExport);
        writeBytes("MDLNr.dat", lastNumber);
    }
    // The texts shown, each with the box's title.
    QStringList boxes() const
    {
        QStringList texts;
        for (const dialogs::Shown& s : shown)
            texts << s.title + ": " + s.text;
        return texts;
    }
    // The message of an export of September through its window; the last
    // export and its numbering stay as they were.
    QString failedExport()
    {
        Form50* f = forms::show<Form50>();
        f->Text1->setText("01.09.2026");
        f->Text2->setText("30.09.2026");
        shown.clear();
        f->Command2->click();
        EXPECT_EQ(readBytes("MDL.txt"), lastExport);
        EXPECT_EQ(readBytes("MDLNr.dat"), lastNumber) << "nothing numbered";
        return boxes().value(0);
    }
    static constexpr const char* kNotExported =
        "Stundenplaner: Der Export wurde nicht geschrieben, die Nummerierung bleibt unverändert.\n";
};

// The bytes up to the end of line `line`, and `more` bytes of the next.
QByteArray upToLine(const QByteArray& bytes, int line, int more = 0)
{
    qsizetype at = 0;
    for (int l = 1; l <= line; ++l)
        at = bytes.indexOf("\r\n", at) + 2;
    return bytes.left(at + more);
}

QByteArray replaceLine(QByteArray bytes, int line, const QByteArray& by)
{
    const qsizetype from = upToLine(bytes, line - 1).size();
    return bytes.replace(from, upToLine(bytes, line).size() - 2 - from, by);
}

QByteArray garbage(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((i * 151 + 7) % 256);
    return bytes;
}

// The record block of a day with one record: its count at line 231, the
// record's fields at 232 to 236, its text at 237 and its paid flag at 238.
TEST_F(DamagedFilesTest, ADamagedDayIsToldByEveryReaderAndNothingIsCountedOrExported)
{
    const QByteArray good = readBytes("20260911.sup");
    const struct {
        const char* kind;
        std::function<QByteArray(const QByteArray&)> damage;
        QString reason;
    } cases[] = {
        {"empty", [](const QByteArray&) { return QByteArray(); }, "Sie ist leer"},
        {"cut in the record text", [](const QByteArray& b) { return upToLine(b, 236, 3); },
         "Sie ist beschädigt und endet nach Zeile 237"},
        {"cut half-way, among the marks", [](const QByteArray& b) { return upToLine(b, 600); },
         "Sie ist beschädigt und endet nach Zeile 600"},
        {"a paid flag that is no number", [](const QByteArray& b) { return replaceLine(b, 238, "ja"); },
         "Sie ist beschädigt, in Zeile 238 steht keine gültige Zahl"},
        {"garbage bytes", [](const QByteArray&) { return garbage(4000); },
         "Sie ist beschädigt, in Zeile 1 steht keine gültige Zahl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        writeBytes("20260911.sup", c.damage(good));
        const QString notice = "Die Tagesdatei 20260911.sup konnte nicht gelesen werden: " + c.reason + ".";
        shown.clear();
        absentBehind.clear();

        Form41* statistics = forms::show<Form41>();
        statistics->Text1->setText("01.09.2026");
        statistics->Text2->setText("30.09.2026");
        statistics->Command2->click();
        EXPECT_EQ(rec->documents, 0) << "no printout that lacks the day";
        gWorkDate = "14.09.2026";
        forms::show<Form49>();
        gWorkDate = "10.09.2026";
        Form20* absences = forms::show<Form20>();
        EXPECT_EQ(absences->Label5->text(), "  ENG");
        absences->Text2->setText("11.09.2026");
        EXPECT_EQ(absences->Label5->text(), "") << "nothing of the day before passes for this one";
        EXPECT_EQ(absentBehind.value(2, "?"), "") << "not even behind the notice";
        EXPECT_EQ(gSubstRowCount, 0);
        EXPECT_EQ(boxes(), (QStringList{"Stundenplaner: Die Statistik wurde nicht gedruckt:\n" + notice,
                                        "Stundenplaner: Der Stand der Supplierungen ist unvollständig:\n" + notice,
                                        "Stundenplaner: " + notice}));
        EXPECT_EQ(failedExport(), kNotExported + notice);
        forms::unloadAll();
    }
    writeBytes("20260911.sup", good);
    EXPECT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_TRUE(readLines("MDL.txt").value(2).startsWith("1036;\"abc\";11.09.2026;\"2\";\"\";\"5a\";\"DIE\";\"Verlegt\";"
                                                          "1,00;\"b\""))
        << "the day read whole again";
}

TEST_F(DamagedFilesTest, ANumberFileWithoutANumberIsToldAndOnlyAMissingOneStartsAt1000)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n"), QByteArray("Nummer\r\n"), garbage(300)}) {
        SCOPED_TRACE(bytes.left(10).toHex().toStdString());
        writeBytes("MDLNr.dat", bytes);
        Form50* f = forms::show<Form50>();
        f->Text2->setText("30.09.2026");
        shown.clear();
        f->Command2->click();
        EXPECT_EQ(boxes(), QStringList{kNotExported
                                       + QString("Die Datei MDLNr.dat konnte nicht gelesen werden: Sie enthält keine "
                                                 "gültige Nummer. Wird sie gelöscht, beginnt die Nummerierung wieder "
                                                 "bei 1000.")});
        EXPECT_EQ(readBytes("MDL.txt"), lastExport);
        EXPECT_EQ(readBytes("MDLNr.dat"), bytes);
    }
    QFile::remove(path("MDLNr.dat"));
    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_TRUE(readLines("MDL.txt").value(1).startsWith("1000;"));
    EXPECT_EQ(readBytes("MDLNr.dat"), " 1001 \r\n");
}

// The counters of the days before the export go into each line's unpaid
// count: standings read in part would give wrong ones.
TEST_F(DamagedFilesTest, DamagedStandingsOrOnesWithoutAKeyDateAreToldAndKeepTheLastExport)
{
    const QString unreadable = "Die Datei stand.sup konnte nicht gelesen werden: ";
    const QByteArray good = readBytes("stand.sup");
    QStringList noDate = readLines("stand.sup");
    noDate[1] = "TT.MM.JJJJ";
    QStringList noNumber = readLines("stand.sup");
    noNumber[4] = "zwei";
    const struct {
        const char* kind;
        QByteArray bytes;
        QString notice;
    } cases[] = {
        {"empty", {}, unreadable + "Sie ist leer."},
        {"cut off", upToLine(good, 100), unreadable + "Sie ist beschädigt und endet nach Zeile 100."},
        {"a counter that is no number", datafile::bytesOf(noNumber),
         unreadable + "Sie ist beschädigt, in Zeile 5 steht keine gültige Zahl."},
        {"garbage bytes", garbage(3000), unreadable + "Sie ist beschädigt"},
        {"no key date", datafile::bytesOf(noDate),
         unreadable + "In Zeile 2 steht kein Stichtag. Bitte den Stichtag unter \"Stichtag festlegen\" neu eintragen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        writeBytes("stand.sup", c.bytes);
        EXPECT_TRUE(failedExport().startsWith(kNotExported + c.notice));
        shown.clear();
        forms::show<Form49>();
        EXPECT_TRUE(boxes().value(0).startsWith("Stundenplaner: Der Stand der Supplierungen ist unvollständig:\n"
                                                 + c.notice));
        forms::unloadAll();
    }
}
}
