#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_export.h"
#include "platform/bounds.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <functional>

namespace {

class StandingsTest : public SubstitutionTest {
protected:
    // "stand.sup" with this key date, teacher 2 at quota 10, 1 unpaid, 2
    // paid held, and teacher 3 at quota 2.5.
    static void writeStandings(const QString& keyDate)
    {
        SubstitutionCounts counts;
        counts(2, kQuotaColumn) = 10;
        counts(2, kUnpaidColumn) = 1;
        counts(2, kPaidColumn) = 2;
        counts(3, kQuotaColumn) = 2.5f;
        ASSERT_TRUE(WriteStandings(keyDate, counts));
    }
    // Substitutions by teacher 2 on days around a key date of 10.09.2026,
    // records outside the tables, records without an absent teacher or
    // class, and a date line that is no day.
    void saveWeek() const
    {
        saveDay("09.09.2026", {{1, 1, 1, 1, 2, 0}});
        saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0}, {1, 2, 1, 1, 2, 1}, {1, 3, 1, 1, 0, 0}});
        saveDay("11.09.2026", {{4, 1, 1, 2, 2, 0}, {4, 2, 1, 2, 3, 7}, {1, 1, 1, 1, 61, 0}, {1, 1, 1, 25, 2, 0},
                               {0, 1, 1, 1, 2, 0}, {4, 3, 1, 0, 2, 1}});
        saveDay("14.09.2026", {{1, 1, 1, 1, 2, 0}});
        ASSERT_TRUE(datafile::appendLine(path("date.sup"), "kein Tag"));
    }
};

TEST_F(StandingsTest, TotalsCountFromTheKeyDateUpToTheDayBeforeTheWorkingDate)
{
    writeStandings("10.09.2026");
    const QStringList lines = readLines("stand.sup");
    ASSERT_EQ(lines.size(), 182);
    EXPECT_EQ(lines.mid(0, 2), (QStringList{"1.28a", "10.09.2026"}));
    EXPECT_EQ(lines.mid(5, 4), (QStringList{" 10 ", " 1 ", " 2 ", " 2,5 "})) << "three counters per teacher";

    saveWeek();
    gWorkDate = "14.09.2026";
    LoadSubstitutionTotals();
    EXPECT_EQ(gKeyDate, Variant("10.09.2026"));
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 1 + 3)
        << "the key date and a record without absent teacher count, the day before it, the working date and "
           "records outside the tables not";
    EXPECT_EQ(bounds::violations(), 0);
    EXPECT_EQ(gSubstCounts(2, kPaidColumn), 2 + 2) << "a record without class counts";
    EXPECT_EQ(gSubstCounts(3, kUnpaidColumn), 0) << "a paid flag of 7 counts nowhere";
    EXPECT_EQ(gSubstCounts(3, kQuotaColumn), 2.5f) << "a fraction reads back whole";
    EXPECT_EQ(gSubstCounts(1, kUnpaidColumn), 0) << "the absent teacher's counts stay";
    LoadSubstitutionTotals();
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 4) << "a second run starts again from the file";

    setNow(QDateTime(QDate(2026, 9, 12), QTime(8, 0)));
    gWorkDate = "morgen";
    LoadSubstitutionTotals();
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 4) << "a working date that is no date counts as today";

    writeStandings("irgendwann");
    gKeyDate = "01.01.2026";
    EXPECT_EQ(LoadSubstitutionTotals().unreadable, QStringList{MissingKeyDateNotice()}) << "told: no day counts";
    EXPECT_TRUE(gKeyDate.isEmpty());
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 1) << "a key date that is no date: the key-date counts alone";

    QFile::remove(path("stand.sup"));
    gSubstCounts(2, kUnpaidColumn) = 5;
    LoadSubstitutionTotals();
    EXPECT_EQ(gSubstCounts(2, kUnpaidColumn), 5) << "without a file nothing changes";
}

TEST_F(StandingsTest, TheViewListsNamedTeachersInFixedColumns)
{
    SubstitutionCounts counts;
    counts(1, kPaidColumn) = 1000;
    counts(2, kUnpaidColumn) = 3;
    counts(2, kQuotaColumn) = 2.5f;
    counts(60, kQuotaColumn) = 12345;
    ASSERT_TRUE(WriteStandings("10.09.2026", counts));
    gTeacherNames(3) = "Carla Dietz mit einem sehr langen Namen";
    Form49* f = forms::show<Form49>();
    EXPECT_EQ(f->windowTitle(), "Stand der Supplierungen am 14.09.2026 vor U.-Beginn");
    EXPECT_EQ(f->Label1->text(), "Name.......................... bez unb von");
    ASSERT_EQ(f->List1->ListCount(), 7) << "the slots named \"-\" are left out";
    EXPECT_EQ(f->List1->items().mid(0, 3), (QStringList{"Anna Berger                   1000   0   0",
                                                         "Bernd Cramer                     0   3 2.5",
                                                         "Carla Dietz mit einem sehr lan   0   0   0"}));
    // The columns line up only in a fixed-pitch font, installed or not.
    EXPECT_EQ(f->List1->fontMetrics().horizontalAdvance("iiii"), f->List1->fontMetrics().horizontalAdvance("WWWW"));
}

TEST_F(StandingsTest, TheKeyDateWindowShowsTheFileAndWritesItOnClosing)
{
    writeStandings("10.09.2026");
    gTeacher = 5;
    Form47* f = forms::show<Form47>();
    EXPECT_EQ(gTeacher, 0);
    ASSERT_EQ(f->List1->ListCount(), 60);
    EXPECT_EQ(f->List1->List(59), "-");
    EXPECT_EQ(texts(f->Text1, f->Label8), (QStringList{"10.09.2026", "Do"}));
    EXPECT_TRUE(green(f->Text1));
    EXPECT_FALSE(f->Text2->isEnabled());

    f->List1->setListIndex(2);
    EXPECT_EQ(gTeacher, 3);
    EXPECT_EQ(texts(f->Label2, f->Label7, f->Text2), (QStringList{"Carla Dietz", "DIE", "2,5"}));
    EXPECT_TRUE(f->Text2->isEnabled());
    f->Text2->setText("4");
    f->Text4->setText("x");
    f->Text4->setText("7");
    f->Text3->setText("kein");
    leave(f->Text2);
    leave(f->Text3);
    f->Text1->setText(" 01.09.2026 ");
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form47>());
    EXPECT_TRUE(forms::isOpen<Form20>());

    const QStringList lines = readLines("stand.sup");
    EXPECT_EQ(lines[1], "01.09.2026");
    EXPECT_EQ(lines.mid(8, 3), (QStringList{" 4 ", " 0 ", " 7 "}));
    EXPECT_EQ(gKeyDate, Variant("01.09.2026"));
    EXPECT_EQ(gSubstCounts(3, kPaidColumn), 7);
}

TEST_F(StandingsTest, TheKeyDateWindowWritesNothingWithoutAKeyDateAndStaysOpenOnAFailedWrite)
{
    Form47* f = forms::show<Form47>();
    EXPECT_EQ(f->Text1->text(), "TT.MM.JJJJ");
    f->Command1->click();
    EXPECT_FALSE(datafile::exists(path("stand.sup")));
    EXPECT_TRUE(messages().isEmpty());

    f = forms::show<Form47>();
    f->List1->setListIndex(1);
    f->Text4->setText("3");
    answer({false});
    f->Command1->click();
    ASSERT_TRUE(forms::isOpen<Form47>()) << "\"Nein\" keeps the edits";
    EXPECT_TRUE(messages().last().contains("Ohne Speichern schließen?"));
    answer({true});
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form47>());
    EXPECT_FALSE(datafile::exists(path("stand.sup")));
    EXPECT_EQ(gSubstCounts(2, kPaidColumn), 0) << "the dropped edits do not reach the standings";

    f = forms::show<Form47>();
    f->Text1->setText("10.09.2026");
    blockFile("stand.sup");
    answer({false});
    f->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form47>());
    EXPECT_TRUE(messages().last().contains("stand.sup"));
    unblockFile("stand.sup");
    f->Command1->click();
    EXPECT_TRUE(datafile::exists(path("stand.sup")));
}

// Windows closed while the notice of damaged standings is up are left
// alone, and counters held from an earlier view are not saved over the file.
TEST_F(StandingsTest, AWindowClosedWhileItTellsOfDamagedStandingsIsLeftAloneAndSavesNothing)
{
    writeBytes("stand.sup", " 1.28a \r\n10.09.2026\r\n 3 \r\n");
    gSubstCounts(2, kPaidColumn) = 4;
    const std::function<FormBase*()> opens[] = {[] { return forms::show<Form47>(); },
                                                [] { return forms::show<Form49>(); }};
    for (const auto& open : opens) {
        closeAtNextMessage([] { forms::unloadAll(); });
        EXPECT_EQ(open(), nullptr);
    }
    EXPECT_EQ(messages().size(), 2) << "nothing asked about saving";
    EXPECT_EQ(readBytes("stand.sup"), " 1.28a \r\n10.09.2026\r\n 3 \r\n");
}

// The view and the export add the finished days to gSubstCounts and other
// windows change gTeacher; the key-date window keeps its own counters.
TEST_F(StandingsTest, AViewOrAnExportWhileTheKeyDateWindowIsOpenLeavesItsEditsAlone)
{
    writeStandings("10.09.2026");
    saveWeek();
    Form47* f = forms::show<Form47>();
    f->List1->setListIndex(1);
    f->Text2->setText("12");
    leave(f->Text2);
    forms::show<Form49>();
    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 10), QDate(2026, 9, 14)));
    gTeacher = 6;
    f->activate();
    f->Text4->setText("5");
    f->Command1->click();
    const QStringList lines = readLines("stand.sup");
    EXPECT_EQ(lines.mid(5, 3), (QStringList{" 12 ", " 1 ", " 5 "})) << "key-date counts, not running totals";
    EXPECT_EQ(lines.mid(20, 3), (QStringList{" 0 ", " 0 ", " 0 "})) << "teacher 6 untouched";
}

// The counters are single-precision values: shown and written with the
// digits a Single holds, not those of its double.
TEST_F(StandingsTest, FractionalCountersAreShownAndWrittenInTheirShortForm)
{
    for (const auto& [typed, written, column] : {std::tuple{"1,1", " 1,1 ", " 1.1"}, std::tuple{"0,5", " 0,5 ", "  .5"},
                                                 std::tuple{"12", " 12 ", "  12"}, std::tuple{"2,25", " 2,25 ", "2.25"}}) {
        Form47* f = forms::show<Form47>();
        f->Text1->setText("10.09.2026");
        f->List1->setListIndex(1);
        f->Text2->setText(typed);
        leave(f->Text2);
        f->Command1->click();
        EXPECT_EQ(readLines("stand.sup").value(5), written);
        forms::show<Form47>()->List1->setListIndex(1);
        EXPECT_EQ(forms::show<Form47>()->Text2->text(), typed) << "read back and shown";
        forms::unload<Form47>();
        EXPECT_EQ(forms::show<Form49>()->List1->List(1).right(4), column);
    }
}
}
