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
        gPeriodsPerDay = 10;
        gTeacherAbsence(4) = 1;
        saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0, "Folie"}});
        gTeacherAbsence(4) = Variant();
        // Teacher 1 and class 14 away all day: read at another size, their
        // marks would land on others.
        gTeacherAbsence(1) = gClassAbsence(14) = 1;
        for (int p = 1; p <= 10; ++p)
            gTeacherAbsentPeriods(1, p) = gClassAbsentPeriods(14, p) = 1;
        saveDay("11.09.2026", {{1, 2, 1, 1, 3, 1, "Verlegt"}}, {1});
        gTeacherAbsence = {};
        gClassAbsence = {};
        gTeacherAbsentPeriods = {};
        gClassAbsentPeriods = {};
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
    // The statistics of September printed, both days counted, and the
    // standings shown; then the working date is the damaged day's.
    void printStatisticsAndShowStandings()
    {
        Form41* statistics = forms::show<Form41>();
        statistics->Text1->setText("01.09.2026");
        statistics->Text2->setText("30.09.2026");
        const int documents = rec->documents;
        statistics->Command2->click();
        EXPECT_EQ(rec->documents, documents + 1) << "printed, both days counted";
        gWorkDate = "14.09.2026";
        forms::show<Form49>();
        gWorkDate = "11.09.2026";
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

constexpr int kEmptyMark = -1;
int markIn(const Variant& mark) { return mark.isEmpty() ? kEmptyMark : mark.toInt(); }

QByteArray garbage(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((i * 151 + 7) % 256);
    return bytes;
}

// The record block of a day with one record: its count at line 231, the
// record's fields at 232 to 236, its text at 237 and its paid flag at 238;
// then 84 rows of 10 marks, one row for each teacher and class.
constexpr int kLastRecordLine = 238;
constexpr int kMarkRows = 84;
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

// A day damaged among its marks is told by "wer fehlt ?", which shows it
// empty; the statistics, the standings and the export, which read only the
// records before the marks, count it whole and tell nothing. Cut, it ends
// early; with a mark after a whole block or more lines than half a row, its
// lines fit no day.
TEST_F(DamagedFilesTest, ADayDamagedAmongItsMarksIsToldByTheAbsenceWindowAloneAndCountedByTheOthers)
{
    const QByteArray good = readBytes("20260911.sup");
    const QString fitsNone = "Sie ist beschädigt, ihre Zeilen ab Zeile 239 passen zu keinem Tag von 9 bis 11 Stunden";
    const struct {
        const char* kind;
        std::function<QByteArray(const QByteArray&)> damage;
        QString reason;
    } cases[] = {
        {"cut half-way, among the marks", [](const QByteArray& b) { return upToLine(b, 600); },
         "Sie ist beschädigt und endet nach Zeile 600"},
        {"cut after whole rows of marks, as a day of 5 periods",
         [](const QByteArray& b) { return upToLine(b, kLastRecordLine + 5 * kMarkRows); },
         "Sie ist beschädigt und endet nach Zeile 658"},
        {"cut after 9 rows of marks, a mark after them",
         [](const QByteArray& b) { return upToLine(b, kLastRecordLine + 9 * kMarkRows) + " 0 \r\n"; }, fitsNone},
        {"a line after the marks", [](const QByteArray& b) { return b + " 0 \r\n"; }, fitsNone},
        {"a line and an empty one after the marks", [](const QByteArray& b) { return b + " 0 \r\n\r\n"; }, fitsNone},
        {"a row of marks and a line more",
         [](const QByteArray& b) { return b + QByteArray(" 0 \r\n").repeated(kMarkRows + 1); }, fitsNone},
        {"marks whole for 12 periods",
         [](const QByteArray& b) { return b + QByteArray(" 0 \r\n").repeated(2 * kMarkRows); }, fitsNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        writeBytes("20260911.sup", c.damage(good));
        shown.clear();
        printStatisticsAndShowStandings();
        Form20* absences = openAbsences();
        EXPECT_EQ(absences->Label5->text(), "");
        EXPECT_EQ(boxes(), QStringList{"Stundenplaner: Die Tagesdatei 20260911.sup konnte nicht gelesen werden: "
                                       + c.reason + "."});
        forms::unloadAll();
        shown.clear();
        ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
        EXPECT_EQ(readLines("MDL.txt").size(), 3) << "both days exported";
        EXPECT_EQ(boxes(), QStringList{});
    }
}

// A day whose marks are whole for another number of periods a day than the
// school has (saved before the school changed them) is read at that size:
// told by "wer fehlt ?", counted whole by the statistics, the standings and
// the export, which read only its records, and each mark stays with its
// teacher or class and period, also with empty lines after the marks, when
// the last of them are empty marks, and with a mark left on a teacher the day
// does not list. Empty lines after a day of the school's own periods are no
// damage.
TEST_F(DamagedFilesTest, ADayOfAnotherNumberOfPeriodsIsToldByEveryReaderAndNoEmptyLineAfterTheMarksMovesOne)
{
    const QString hidden = "Abwesenheiten nach der %1. Stunde werden nicht gezeigt";
    const QString empty = "nach der %1. Stunde ist niemand abwesend eingetragen";
    const QString unlessSaved = "; wurde die Datei nicht mit %1 Stunden am Tag gespeichert, ist sie beschädigt, und "
                                "ihre Abwesenheiten können an falscher Stelle stehen.";
    const struct {
        int saved;
        int school;
        int emptyLines;     // after the marks
        bool classMarks;    // else every class mark is an empty line
        bool leftoverMark = false; // teacher 5, present, keeps a mark from earlier
    } cases[] = {{11, 10, 0, true}, {11, 9, 0, true},  {10, 9, 0, true},  {9, 11, 0, true},
                 {10, 11, 0, true}, {10, 10, 1, true}, {9, 10, 1, true},  {11, 10, 2, false},
                 {10, 10, 1, true, true}, {11, 10, 0, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1 periods and %2 empty lines read with %3")
                         .arg(c.saved)
                         .arg(c.emptyLines)
                         .arg(c.school)
                         .toStdString());
        gPeriodsPerDay = c.saved;
        gSubstDayPeriods = 0; // a new day, not the one read before
        // Teacher 2 away in the day's last period, teacher 3 in its first and
        // class 24 in its last; every other teacher and class present.
        const auto savedMark = [&](int slot, int period, int away) {
            return (slot == away && period == c.saved) || (away == 2 && slot == 3 && period == 1)
                           || (c.leftoverMark && away == 2 && slot == 5 && period == 2)
                       ? 1
                       : 0;
        };
        // What is read: a period of the day keeps its mark, also one the
        // school no longer has; any other stays empty (-1).
        const auto readMark = [&](int slot, int period, int away) {
            return period <= c.saved ? savedMark(slot, period, away) : kEmptyMark;
        };
        gTeacherAbsence(2) = gTeacherAbsence(3) = 1;
        gClassAbsence(24) = c.classMarks ? 1 : 0;
        for (int p = 1; p <= c.saved; ++p) {
            for (int t = 1; t <= 60; ++t)
                gTeacherAbsentPeriods(t, p) = savedMark(t, p, 2);
            for (int k = 1; k <= 24; ++k)
                gClassAbsentPeriods(k, p) = c.classMarks ? Variant(savedMark(k, p, 24)) : Variant();
        }
        saveDay("10.09.2026", {{3, 1, 1, 1, 4, 0, "Folie"}});
        saveDay("11.09.2026", {{2, c.saved, 1, 1, 4, 1, "Verlegt"}}, {1});
        for (const char* day : {"20260910.sup", "20260911.sup"})
            writeBytes(day, readBytes(day) + QByteArray("\r\n").repeated(c.emptyLines));
        gTeacherAbsence = {};
        gClassAbsence = {};
        gTeacherAbsentPeriods = {};
        gClassAbsentPeriods = {};
        gPeriodsPerDay = c.school;
        const QString read = QString(" Abwesenheiten für %1 Stunden am Tag, die Schule hat jetzt %2 (")
                                 .arg(c.saved)
                                 .arg(c.school)
                             + (c.saved > c.school ? hidden.arg(c.school) : empty.arg(c.saved)) + ")";
        const QStringList oneDay = c.saved == c.school ? QStringList()
                                                       : QStringList{"Stundenplaner: Die Tagesdatei 20260911.sup enthält"
                                                                     + read + unlessSaved.arg(c.saved)};
        shown.clear();

        printStatisticsAndShowStandings();
        openAbsences();
        EXPECT_EQ(boxes(), oneDay);
        QList<int> teacherMarks, expectedTeachers, classMarks, expectedClasses;
        for (int p = 1; p <= 11; ++p) {
            for (int t = 1; t <= 60; ++t) {
                teacherMarks << markIn(gTeacherAbsentPeriods(t, p));
                expectedTeachers << readMark(t, p, 2);
            }
            for (int k = 1; k <= 24; ++k) {
                classMarks << markIn(gClassAbsentPeriods(k, p));
                expectedClasses << (c.classMarks ? readMark(k, p, 24) : kEmptyMark);
            }
        }
        EXPECT_EQ(teacherMarks, expectedTeachers);
        EXPECT_EQ(classMarks, expectedClasses);
        forms::unloadAll();
        shown.clear();
        Form50* f = forms::show<Form50>();
        f->Text2->setText("30.09.2026");
        f->Command2->click();
        EXPECT_EQ(boxes(), QStringList{});
        EXPECT_EQ(readLines("MDL.txt").size(), 3) << "both days exported";
        forms::unloadAll();
    }
}

// Deleting the file would hand out 1000 and on a second time: the notice
// asks for the last number instead. September's export numbers two records.
TEST_F(DamagedFilesTest, ANumberFileTheNumberingCannotGoOnFromIsToldAndOnlyAMissingOneStartsAt1000)
{
    const QString noNumber = "Sie enthält keine gültige Nummer";
    const QString noRoom = "Nach ihrer Nummer %1 reichen die Nummern nicht für die 2 Vertretungen dieses Exports";
    const QString askFor = ". Bitte die zuletzt vergebene Nummer in die Datei schreiben";
    const struct {
        QByteArray number;
        QString reason;
    } cases[] = {
        {{}, noNumber},
        {"\r\n", noNumber},
        {"Nummer\r\n", noNumber},
        {garbage(300), noNumber},
        {" -5 \r\n", noNumber},
        {" 2147483647 \r\n", noRoom.arg(2147483647)},
        {" 2147483646 \r\n", noRoom.arg(2147483646)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number.left(12).toHex().toStdString());
        for (const QByteArray& exported : {lastExport, QByteArray("\"Nr\";\"Schluessel\"\r\n")}) {
            writeBytes("MDL.txt", exported);
            writeBytes("MDLNr.dat", c.number);
            Form50* f = forms::show<Form50>();
            f->Text2->setText("30.09.2026");
            shown.clear();
            f->Command2->click();
            const QString highest = exported == lastExport ? ", die höchste Nummer in MDL.txt ist 1034" : "";
            EXPECT_EQ(boxes(), QStringList{kNotExported + QString("Die Datei MDLNr.dat konnte nicht gelesen werden: ")
                                           + c.reason + askFor + highest + "."});
            EXPECT_EQ(readBytes("MDL.txt"), exported);
            EXPECT_EQ(readBytes("MDLNr.dat"), c.number);
        }
    }
    writeBytes("MDLNr.dat", " 2147483645 \r\n");
    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 1), QDate(2026, 9, 30)));
    EXPECT_TRUE(readLines("MDL.txt").value(2).startsWith("2147483647;"));
    EXPECT_EQ(readBytes("MDLNr.dat"), " 2147483647 \r\n");
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
