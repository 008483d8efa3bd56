#include "core/model.h"
#include "platform/clock.h"
#include "platform/dates.h"
#include "register/day_file.h"
#include "tests/register/day_lines.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <memory>
#include <vector>

class DayFileTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDayFilePath = DayFilePath(QDate(2026, 3, 11));
    }

    // Appends lines through the engine and loads the day back.
    void appendAndLoad(const QStringList& lines)
    {
        for (const QString& l : lines)
            ASSERT_TRUE(AppendDayLine(l)) << l.toStdString();
        LoadDayEntries();
    }

    QStringList store() const
    {
        QStringList out;
        for (int i = 1; i <= gDayLineCount; ++i)
            out << gDayLines(i);
        return out;
    }
};

TEST_F(DayFileTest, DayFileIsNamedByTheDateKey)
{
    EXPECT_EQ(DayFilePath(QDate(2015, 3, 10)), path("20150310.qz"));
}

TEST_F(DayFileTest, EveryKindIsWrittenColumnByColumn)
{
    const QString head = "202603030805ABC     ";
    const QString common = "4A      M       3 ";
    const QString student = QString("Anna Berger").leftJustified(50);
    const struct {
        QString kind;
        QString expected;
    } cases[] = {
        {"01", head + "01" + common + student + "krank"},
        {"02", head + "02" + common + student + "krank"},
        {"03", head + "03" + common + "krank"},
        {"04", head + "04" + common + student + "krank"},
        {"05", head + "05" + common + "krank"},
        {"06", head + "06" + common + "krank"},
        {"07", head + "07" + common + "krank"},
        {"08", head + "08" + common + "krank"},
        {"09", head + "09" + common + "  7" + "krank"},
    };
    QByteArray expectedFile;
    for (const auto& c : cases) {
        const QString line = entryLine({.kind = c.kind, .cls = " 4A ", .text = "  krank ", .shortName = " ABC",
                                        .period = "3", .student = " Anna Berger ", .room = "7",
                                        .stamp = "202603030805"});
        EXPECT_EQ(line, c.expected) << c.kind.toStdString();
        EXPECT_EQ(gText, c.expected);
        EXPECT_TRUE(AppendDayLine(line));
        expectedFile += c.expected.toLatin1() + "\r\n";
    }
    EXPECT_EQ(readBytes("20260311.qz"), expectedFile);
    // The text starts at column 91 after a student, 44 after a room, 41 otherwise.
    EXPECT_EQ(cases[0].expected.indexOf("krank"), 90);
    EXPECT_EQ(cases[8].expected.indexOf("krank"), 43);
    EXPECT_EQ(cases[4].expected.indexOf("krank"), 40);
}

TEST_F(DayFileTest, FieldsAreCutPaddedAndLeftFittedInTheVariables)
{
    const QString line = entryLine({.kind = "09", .cls = "ABCDEFGHIJKL", .text = "Beamer",
                                    .shortName = "LONGNAME99", .period = "1", .subject = "INFORMATIK",
                                    .room = "100"});
    EXPECT_EQ(line, "202603110930LONGNAME09ABCDEFGHINFORMAT1 100Beamer");
    EXPECT_EQ(gUserShort, "LONGNAME");
    EXPECT_EQ(gEntryClass, "ABCDEFGH");
    EXPECT_EQ(gEntryPeriod, "1 ");
    EXPECT_EQ(gEntryRoom, "100");
    EXPECT_EQ(gEntryStudent, "");

    const QString longName = QString(60, 'n');
    entryLine({.kind = "01", .student = longName});
    EXPECT_EQ(gEntryStudent, QString(50, 'n'));
    EXPECT_EQ(gEntryRoom, "");
}

TEST_F(DayFileTest, StampIsTheWritingDayInTheFileOfTheWorkingDay)
{
    setNow(QDateTime(QDate(2015, 3, 3), QTime(8, 5, 41)));
    gDayFilePath = DayFilePath(QDate(2015, 3, 10));
    ASSERT_TRUE(AppendDayLine(entryLine({.kind = "03", .text = "Brüche", .stamp = dates::timeStamp(Clock::now())})));
    const QStringList lines = readLines("20150310.qz");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("201503030805ABC     03"));
}

TEST_F(DayFileTest, RemovalLinesHoldTheNumberInTheirLastFourCharacters)
{
    EXPECT_EQ(removalLine(7, "xy"), "202603111000xy      00    7");
    EXPECT_EQ(removalLine(1000).size(), 30);
    EXPECT_TRUE(removalLine(1000).endsWith("    1000"));
    EXPECT_EQ(removalLine(9999).right(4), "9999");
    EXPECT_EQ(gText, removalLine(9999));
    EXPECT_EQ(gUserShort, "ABC     ");
    // Numbers the four columns cannot hold are never written.
    for (int n : {0, -1, 10000}) {
        EXPECT_EQ(removalLine(n), "");
        EXPECT_FALSE(AppendDayLine(removalLine(n)));
    }
    EXPECT_FALSE(QFile::exists(path("20260311.qz")));
}

TEST_F(DayFileTest, PastedControlsAndForeignCharactersNeverSplitALine)
{
    const QString line = entryLine({.kind = "04", .text = "Zeile1\r\nZeile2\tEnde ✓ 😀 €",
                                    .shortName = "A\nB", .student = "Max\nMuster"});
    EXPECT_EQ(line, "202603110930A B     043A      M       1 " + QString("Max Muster").leftJustified(50) +
                        "Zeile1  Zeile2 Ende ? ? €");
    appendAndLoad({line, entryLine({.kind = "03", .text = "danach"})});
    EXPECT_EQ(gDayLineCount, 2);
    EXPECT_EQ(gDayLines(1), line);
    QByteArray bytes = readBytes("20260311.qz");
    EXPECT_EQ(bytes.count("\r\n"), 2);
    EXPECT_EQ(bytes.count('\n'), 2);
}

TEST_F(DayFileTest, OnlyTheNineKindsMakeEntryLines)
{
    for (const QString kind : {"00", "", "10", "3", "0x"}) {
        EXPECT_EQ(entryLine({.kind = kind, .text = "x"}), "") << kind.toStdString();
        EXPECT_EQ(gText, "");
    }
    EXPECT_FALSE(AppendDayLine(""));
    EXPECT_FALSE(AppendDayLine("zwei\r\nZeilen"));
    EXPECT_FALSE(QFile::exists(path("20260311.qz")));
}

TEST_F(DayFileTest, FailedAppendIsReported)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("20260311.qz"));
    EXPECT_FALSE(AppendDayLine(entryLine({.kind = "03", .text = "x"})));
    gDayFilePath = path("nirgends/20260311.qz");
    EXPECT_FALSE(AppendDayLine(entryLine({.kind = "03", .text = "x"})));
}

TEST_F(DayFileTest, MissingEmptyAndUnreadableFilesAreDaysWithoutEntries)
{
    gDayLineCount = 5;
    LoadDayEntries();
    EXPECT_EQ(gDayLineCount, 0);

    writeBytes("20260311.qz", "");
    gDayLineCount = 5;
    LoadDayEntries();
    EXPECT_EQ(gDayLineCount, 0);

    ASSERT_TRUE(QFile::remove(path("20260311.qz")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("20260311.qz"));
    gDayLineCount = 5;
    LoadDayEntries();
    EXPECT_EQ(gDayLineCount, 0);
    EXPECT_TRUE(LoadDay(gDayFilePath).isEmpty());
}

TEST_F(DayFileTest, RemovalPassCancelsInFileOrder)
{
    const QString a = entryLine({.kind = "03", .text = "a"});
    const QString b = entryLine({.kind = "03", .text = "b"});
    const QString c = entryLine({.kind = "03", .text = "c"});

    appendAndLoad({a, b, c, removalLine(2)});
    EXPECT_EQ(store(), QStringList({a, "", c, removalLine(2)}));

    // Two removals of one line: the second changes nothing more.
    appendAndLoad({removalLine(3), removalLine(3)});
    EXPECT_EQ(store(), QStringList({a, "", "", removalLine(2), removalLine(3), removalLine(3)}));
}

TEST_F(DayFileTest, RemovalLinesNamingRemovalLines)
{
    const QString a = entryLine({.kind = "03", .text = "a"});
    const QString b = entryLine({.kind = "03", .text = "b"});
    // An earlier removal line has acted already: line 1 stays cancelled.
    appendAndLoad({a, removalLine(1), removalLine(2)});
    EXPECT_EQ(store(), QStringList({"", "", removalLine(2)}));

    // A removal line naming a later removal line stops it from acting.
    ASSERT_TRUE(QFile::remove(gDayFilePath));
    appendAndLoad({a, b, removalLine(4), removalLine(1)});
    EXPECT_EQ(store(), QStringList({a, b, removalLine(4), ""}));
}

TEST_F(DayFileTest, RemovalLinesNamingNoLineHaveNoEffect)
{
    const QString a = entryLine({.kind = "03", .text = "a"});
    const QString head = "202603111000ABC     00    ";
    const QStringList lines = {a, head + "0", head + "  -1", head + "abcd", head + "1.5", head + "9", removalLine(9999)};
    appendAndLoad(lines);
    EXPECT_EQ(store(), lines);
}

TEST_F(DayFileTest, BusyDayKeepsItsFirst9999Lines)
{
    QStringList lines;
    for (int i = 1; i <= 10050; ++i)
        lines << entryLine({.kind = "03", .text = QString::number(i)});
    lines.last() = removalLine(5);
    writeLines("20260311.qz", lines);

    LoadDayEntries();
    EXPECT_EQ(gDayLineCount, 9999);
    EXPECT_EQ(gDayLines(9999), lines[9998]);
    EXPECT_EQ(gDayLines(5), "");
    EXPECT_EQ(gDayLines(6), lines[5]);
    EXPECT_EQ(LoadDay(gDayFilePath).size(), 10050);
}

TEST_F(DayFileTest, ColumnReadersTakeTheColumnsOfTheKind)
{
    const QString absence = entryLine({.kind = "01", .cls = "4a", .text = "krank", .period = "10",
                                       .student = "Eva Maier"});
    EXPECT_EQ(LineShortName(absence), "ABC     ");
    EXPECT_EQ(LineKind(absence), "01");
    EXPECT_EQ(LineClass(absence), "4a");
    EXPECT_EQ(LinePeriod(absence), "10");
    EXPECT_EQ(LineStudent(absence), "Eva Maier");
    EXPECT_EQ(LineText(absence), "krank");
    const QString booking = entryLine({.kind = "09", .text = "Beamer", .subject = "PH", .room = "12"});
    EXPECT_EQ(LineSubject(booking), "PH      ");
    EXPECT_EQ(LineRoomNumber(booking), 12);
    EXPECT_EQ(LineText(booking), "Beamer");
    EXPECT_TRUE(IsSameClass("4a", " 4A"));
    EXPECT_FALSE(IsSameClass("4a", "4a1"));
}

// Several PCs append to one day file at the same moment: every line arrives
// whole, and each entry exactly once.
TEST_F(DayFileTest, ConcurrentAppendsFromSeveralProcessesKeepEveryLine)
{
    constexpr int kWorkers = 8;
    constexpr int kEntries = 500;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int w = 0; w < kWorkers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->start(DAY_FILE_APPEND_WORKER, {gDayFilePath, QString::number(w), QString::number(kEntries)});
        workers.push_back(std::move(p));
    }
    for (auto& p : workers) {
        ASSERT_TRUE(p->waitForFinished(60000)) << "worker did not finish";
        ASSERT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0);
    }

    const QByteArray bytes = readBytes("20260311.qz");
    EXPECT_EQ(bytes.count("\r\n"), kWorkers * kEntries);
    const QStringList lines = readLines("20260311.qz");
    ASSERT_EQ(lines.size(), kWorkers * kEntries);
    const QRegularExpression shape("^202603110930W(\\d)      034A      M       1 w(\\d) n(\\d+) x{120}$");
    std::vector<int> seen(kWorkers * kEntries, 0);
    for (const QString& l : lines) {
        const auto m = shape.match(l);
        ASSERT_TRUE(m.hasMatch()) << l.toStdString();
        ASSERT_EQ(m.captured(1), m.captured(2));
        const int w = m.captured(2).toInt();
        const int n = m.captured(3).toInt();
        ASSERT_TRUE(w < kWorkers && n < kEntries);
        ++seen[w * kEntries + n];
    }
    for (int s : seen)
        EXPECT_EQ(s, 1);
}
