#include "tests/register/register_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QProcess>
#include <QRegularExpression>

class DayFileTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDayFilePath = DayFilePath(today);
    }

    // Appends through the engine and returns the loaded store.
    QStringList appendAndLoad(const QStringList& lines)
    {
        for (const QString& l : lines)
            EXPECT_TRUE(AppendDayLine(l)) << l.toStdString();
        LoadDayEntries();
        QStringList out;
        for (int i = 1; i <= gDayLineCount; ++i)
            out << gDayLines(i);
        return out;
    }
};

TEST_F(DayFileTest, EveryKindIsWrittenColumnByColumn)
{
    const QString head = "202603030805ABC     ";
    const QString common = "4A      M       3 ";
    const QString student = QString("Anna Berger").leftJustified(50);
    QByteArray file;
    for (int k = 1; k <= 9; ++k) {
        const QString kind = "0" + QString::number(k);
        const QString fields = k == 9 ? "  7" : (k == 1 || k == 2 || k == 4) ? student : "";
        const QString expected = head + kind + common + fields + "krank";
        EXPECT_EQ(entryLine({.kind = kind, .cls = " 4A ", .text = "  krank ", .shortName = " ABC", .period = "3",
                             .student = " Anna Berger ", .room = "7", .stamp = "202603030805"}),
                  expected);
        EXPECT_TRUE(AppendDayLine(gText.toString()));
        file += expected.toLatin1() + "\r\n";
    }
    EXPECT_EQ(readBytes("20260311.qz"), file);
}

TEST_F(DayFileTest, FieldsAreCutOrPaddedAndLeftFittedInTheVariables)
{
    EXPECT_EQ(entryLine({.kind = "09", .cls = "ABCDEFGHIJKL", .text = "Beamer", .shortName = "LONGNAME99",
                         .subject = "INFORMATIK", .room = "100"}),
              "202603110930LONGNAME09ABCDEFGHINFORMAT1 100Beamer");
    EXPECT_EQ(gUserShort, "LONGNAME");
    EXPECT_EQ(gEntryPeriod, "1 ");
    EXPECT_EQ(gEntryStudent, "");
    entryLine({.kind = "01", .student = QString(60, 'n')});
    EXPECT_EQ(gEntryStudent, QString(50, 'n'));
    EXPECT_EQ(gEntryRoom, "");
}

TEST_F(DayFileTest, RemovalLinesHoldTheNumberInTheirLastFourCharacters)
{
    EXPECT_EQ(removalLine(7, "xy"), "202603111000xy      00    7");
    EXPECT_EQ(gUserShort, "xy      ");
    EXPECT_EQ(removalLine(1000), "202603111000ABC     00    1000");
    EXPECT_EQ(gText, removalLine(1000));
    for (int n : {0, -1, 10000})
        EXPECT_FALSE(AppendDayLine(removalLine(n)));
    EXPECT_FALSE(QFile::exists(gDayFilePath));
}

TEST_F(DayFileTest, PastedControlsAndForeignCharactersNeverSplitALine)
{
    const QString line = entryLine({.kind = "04", .text = "Zeile1\r\nZeile2\tEnde ✓ 😀 €", .shortName = "A\nB",
                                    .student = "Max\nMuster"});
    EXPECT_EQ(line, "202603110930A B     043A      M       1 " + QString("Max Muster").leftJustified(50) +
                        "Zeile1  Zeile2 Ende ? ? €");
    EXPECT_EQ(appendAndLoad({line, entryLine({.kind = "03"})}).size(), 2);
    EXPECT_EQ(readBytes("20260311.qz").count('\n'), 2);
}

TEST_F(DayFileTest, NothingButOneEntryOrRemovalLineIsWritten)
{
    for (const QString kind : {"00", "", "10", "3"})
        EXPECT_EQ(entryLine({.kind = kind, .text = "x"}), "") << kind.toStdString();
    EXPECT_EQ(gText, "");
    EXPECT_FALSE(AppendDayLine(""));
    EXPECT_FALSE(AppendDayLine("zwei\r\nZeilen"));
    EXPECT_FALSE(QFile::exists(gDayFilePath));
    // A folder in the file's place: the append fails and says so.
    blockFile("20260311.qz");
    EXPECT_FALSE(AppendDayLine(entryLine({.kind = "03", .text = "x"})));
}

TEST_F(DayFileTest, MissingAndEmptyFilesAreDaysWithoutEntriesAnUnreadableOneIsTold)
{
    for (int step = 0; step < 3; ++step) {
        if (step == 1) {
            writeBytes("20260311.qz", "");
        } else if (step == 2) {
            blockFile("20260311.qz");
        }
        gDayLineCount = 5;
        LoadDayEntries();
        EXPECT_EQ(gDayLineCount, 0) << step;
        EXPECT_EQ(UnreadableDayNotice().isEmpty(), step < 2) << step;
    }
    EXPECT_EQ(UnreadableDayNotice(),
              "Die Tagesdatei 20260311.qz konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.");
    EXPECT_EQ(LoadDay(gDayFilePath).unreadable, UnreadableDayNotice());
    // A data folder that is gone (a share no longer reachable) is no empty day either.
    EXPECT_FALSE(LoadDay(path("weg/20260311.qz")).unreadable.isEmpty());
}

TEST_F(DayFileTest, AnEntryAfterALastLineWithoutLineEndStartsOnANewLine)
{
    const QString cut = entryLine({.kind = "03", .text = "abgeschnitt"});
    const QString next = entryLine({.kind = "03", .text = "neu"});
    for (const QByteArray& end : {QByteArray(), QByteArray("\r")}) {
        writeBytes("20260311.qz", cut.toLatin1() + end);
        EXPECT_EQ(appendAndLoad({next}), QStringList({cut, next})) << end.size();
        EXPECT_EQ(readBytes("20260311.qz"), cut.toLatin1() + "\r\n" + next.toLatin1() + "\r\n");
    }
}

// A share mounted without the server's locks takes every entry and removal
// all the same, the day's first one too.
TEST_F(DayFileTest, AShareThatCannotLockTakesEntriesAndRemovals)
{
    const QString a = entryLine({.kind = "03", .text = "a"});
    const QString b = entryLine({.kind = "03", .text = "b"});
    const LocklessShare share;
    EXPECT_EQ(appendAndLoad({a, b, removalLine(1)}), QStringList({"", b, removalLine(1)}));
}

// A day's first entry that is not written leaves no day file behind: an
// empty one would stand as a day without entries.
TEST_F(DayFileTest, ARefusedFirstEntryLeavesNoDayFile)
{
    const QString entry = entryLine({.kind = "03", .text = "a"});
    const std::pair<const char*, std::function<std::shared_ptr<void>()>> refusals[] = {
        {"the disk full", [] { return std::make_shared<FileSizeLimit>(0); }},
        {"the sync refused", [] { return std::make_shared<SyncWatch>([](const QString&, mode_t) { return EIO; }); }},
    };
    for (const auto& [what, refusal] : refusals) {
        SCOPED_TRACE(what);
        {
            const std::shared_ptr<void> refusing = refusal();
            EXPECT_FALSE(AppendDayLine(entry));
        }
        EXPECT_FALSE(QFileInfo::exists(gDayFilePath));
    }
    EXPECT_TRUE(AppendDayLine(entry));
    EXPECT_EQ(readLines("20260311.qz"), QStringList{entry});
}

TEST_F(DayFileTest, RemovalPassRunsOnceInFileOrder)
{
    const QString a = entryLine({.kind = "03", .text = "a"});
    const QString b = entryLine({.kind = "03", .text = "b"});
    const QString c = entryLine({.kind = "03", .text = "c"});
    EXPECT_EQ(appendAndLoad({a, b, c, removalLine(2)}), QStringList({a, "", c, removalLine(2)}));
    // The same line twice, then a removal of the earlier removal: line 2 stays cancelled.
    EXPECT_EQ(appendAndLoad({removalLine(2), removalLine(4)}), QStringList({a, "", c, "", removalLine(2), removalLine(4)}));

    // A removal line naming a later removal line stops it from acting.
    ASSERT_TRUE(QFile::remove(gDayFilePath));
    EXPECT_EQ(appendAndLoad({a, b, removalLine(4), removalLine(1)}), QStringList({a, b, removalLine(4), ""}));
}

TEST_F(DayFileTest, RemovalLinesNamingNoLineHaveNoEffect)
{
    const QString head = "202603111000ABC     00    ";
    const QStringList lines = {entryLine({.kind = "03"}), head + "0", head + "  -1", head + "abcd", head + "1.5",
                               head + "8", removalLine(9999)};
    EXPECT_EQ(appendAndLoad(lines), lines);
}

TEST_F(DayFileTest, BusyDayKeepsItsFirst9999LinesAndEveryRemoval)
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
    EXPECT_EQ(LoadDay(gDayFilePath).lines.size(), 10050);
}

// Several PCs append to one day file at once: every line arrives whole, and
// each entry exactly once.
TEST_F(DayFileTest, ConcurrentAppendsFromSeveralProcessesKeepEveryLine)
{
    constexpr int kWorkers = 8, kEntries = 500;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.push_back(std::make_unique<QProcess>());
        workers.back()->start(DAY_FILE_APPEND_WORKER, {gDayFilePath, QString::number(w), QString::number(kEntries)});
    }
    for (auto& p : workers) {
        ASSERT_TRUE(p->waitForFinished(60000)) << "a worker did not finish";
        ASSERT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0);
    }
    // A line end sent before an entry, when another append looked unfinished,
    // can leave an empty line, which no reader shows; nothing else may appear.
    QStringList lines = readLines("20260311.qz");
    EXPECT_EQ(readBytes("20260311.qz").count("\r\n"), lines.size());
    lines.removeAll(QString());
    ASSERT_EQ(lines.size(), kWorkers * kEntries);
    const QRegularExpression shape("^202603110930W(\\d)      034A      M       1 w\\1 n(\\d+) x{120}$");
    std::vector<int> seen(kWorkers * kEntries, 0);
    for (const QString& l : lines) {
        const auto m = shape.match(l);
        ASSERT_TRUE(m.hasMatch() && m.captured(2).toInt() < kEntries) << l.toStdString();
        ++seen[m.captured(1).toInt() * kEntries + m.captured(2).toInt()];
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), kWorkers * kEntries);
}
