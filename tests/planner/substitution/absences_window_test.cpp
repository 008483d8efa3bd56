#include "planner/publish/web_pages.h"
#include "planner/substitution/cancellation_list.h"
#include "planner/substitution/presence_grid.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_standings.h"
#include "planner/substitution/substitution_statistics.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <QTest>
#include <functional>
#include <tuple>

namespace {

class AbsencesWindowTest : public SubstitutionTest {
protected:
    static Form20* open() { return openAbsences(); }
    static void selectTeacher(Form20* f, int t) { f->List1->setListIndex(t - 1); }
    static void selectClass(Form20* f, int c) { f->List2->setListIndex(c - 1); }
    static void clickPeriods(PresenceGrid* grid, std::initializer_list<int> periods)
    {
        for (int p : periods)
            grid->Check1[p]->click();
    }
    static QStringList captions(Form20* f) { return texts(f->Command2, f->Command10, f->Command3); }
    static QStringList classCaptions(Form20* f) { return texts(f->Command7, f->Command11, f->Command6); }
    // "suppl.dat" with teacher 1 away, of `periods` periods a day, mark 10
    // (teacher 1's tenth or, at 9 periods, teacher 2's first) set; with 0
    // periods, cut before its paid flags.
    static QStringList presetOf(int periods)
    {
        QStringList preset{" 60 ", " 24 "};
        for (int slot = 1; slot <= 60 + 24; ++slot)
            preset << (slot == 1 ? " 1 " : " 0 ") << "";
        if (periods > 0) {
            preset << QStringList(60, " 0 ");
            for (int mark = 1; mark <= 84 * periods; ++mark)
                preset << (mark == 10 ? " 1 " : " 0 ");
        }
        return preset;
    }
    // Saves the day the window shows through "Entfallsliste Woche", for its
    // date up to `last` (its date alone unless named), and closes the window.
    static void saveThroughCancellationList(Form20* f, const QString& last = QString())
    {
        f->Command4->click();
        Form60* list = forms::ifOpen<Form60>();
        list->Text1->setText(last.isEmpty() ? f->Text2->text() : last);
        for (QPushButton* b : {list->Command5, list->Command6, list->Command4})
            b->click();
        f->Command9->click();
    }
    // The day of 14.09.2026 made in the window at the school's periods, with
    // no day file or preset before: teacher 12 away all day, teacher 3 in the
    // second and the last period, class 2 all day. Every other mark was never
    // set and is saved as an empty line.
    void makeDay(int periods)
    {
        for (const char* file : {"20260914.sup", "suppl.dat"})
            QFile::remove(path(file));
        gPeriodsPerDay = periods;
        gWorkDate = "14.09.2026";
        Form20* f = open();
        selectTeacher(f, 12);
        f->Command2->click();
        selectTeacher(f, 3);
        f->Command10->click();
        clickPeriods(forms::ifOpen<Form46>(), {2, periods});
        f->activate();
        selectClass(f, 2);
        f->Command7->click();
        saveThroughCancellationList(f);
        ASSERT_EQ(readLines("20260914.sup").size(), 3 + 3 * 60 + 2 * 24 + 7 * gSubstRowCount + 84 * periods);
    }
    // The marks of that day, as allMarks() gives them.
    static QList<int> madeMarks(int periods)
    {
        QList<int> marks;
        for (int row = 1; row <= 84; ++row) {
            for (int p = 1; p <= 11; ++p) {
                const bool away = p <= periods && (row == 12 || row == 60 + 2 || (row == 3 && (p == 2 || p == periods)));
                marks << (away ? 1 : -1);
            }
        }
        return marks;
    }
    // A record from a day read before, carried on by every day saved:
    // teacher 4 substitutes teacher 3, paid.
    static void carryRecord()
    {
        gSubstRowCount = 1;
        const short record[] = {3, 2, 1, 1, 4, 1};
        for (int f = 0; f < 6; ++f)
            gSubstRows(1, f) = record[f];
    }
    // The statistics, the standings and the export of September read only
    // the records before the marks: each counts the carried record on each
    // of `days` days and tells nothing, however the marks after it look.
    void expectRecordsCounted(int days)
    {
        ASSERT_TRUE(WriteStandings("01.09.2026", SubstitutionCounts()));
        const QDate first(2026, 9, 1), last(2026, 9, 30);
        const SubstitutionStatistics counted = CountSubstitutionStatistics(first, last);
        EXPECT_EQ(counted.tallies[4].total(), days) << "statistics";
        EXPECT_EQ(counted.unreadable, QStringList{});
        gWorkDate = "30.09.2026";
        EXPECT_EQ(LoadSubstitutionTotals().unreadable, QStringList{});
        EXPECT_EQ(gSubstCounts(4, 2), days) << "standings";
        EXPECT_EQ(ExportSubstitutionRecords(first, last).reason, "");
        EXPECT_EQ(readLines("MDL.txt").size(), 1 + days) << "export";
    }
    static void forgetMarks()
    {
        gTeacherAbsentPeriods = {};
        gClassAbsentPeriods = {};
        gSubstDayPeriods = 0;
    }
    // A day file with teacher 4 ("ENG") and class 3 ("6a") away.
    static void writeDay(const QString& date, const QString& reason)
    {
        gWorkDate = date;
        gTeacherAbsence(4) = 1;
        gTeacherAbsenceReason(4) = reason;
        gClassAbsence(3) = 1;
        ASSERT_TRUE(SaveSubstitutionDay());
        gTeacherAbsence(4) = gClassAbsence(3) = gTeacherAbsenceReason(4) = Variant();
    }
};

TEST_F(AbsencesWindowTest, OpeningWithoutFilesShowsTodayAndEmptyLists)
{
    gWorkDate = Variant();
    gTeacherAbsence(2) = gClassAbsence(1) = 1;
    gTeacher = 9;
    Form20* f = open();
    ASSERT_EQ(f->List1->ListCount(), 60);
    EXPECT_EQ(f->List1->List(1), "Bernd Cramer");
    EXPECT_EQ(f->List1->List(59), "-") << "empty slots are listed, so position + 1 is the number";
    EXPECT_EQ(f->List2->ListCount(), 24);
    EXPECT_EQ(texts(f->Text2, f->Label8, f->Label5, f->Label10), (QStringList{"11.03.2026", "Mittwoch", "", ""}))
        << "opening resets every status";
    EXPECT_TRUE(f->Command4->isHidden());
    EXPECT_EQ(gTeacher, 0);
    EXPECT_FALSE(f->Command2->isEnabled());
    EXPECT_EQ(f->Check1->checkState(), Qt::PartiallyChecked);
    for (QPushButton* b : {f->Command1, f->Command12, f->Command4})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();

    for (const auto& [date, enabled] : {std::pair{"19.09.2026", true}, std::pair{"20.09.2026", false}}) {
        f->Text2->setText(date);
        EXPECT_EQ(f->Command5->isEnabled(), enabled) << date;
    }
    f->Command9->click();
    EXPECT_FALSE(forms::isOpen<Form20>());
}

TEST_F(AbsencesWindowTest, TheStatusButtonsFillTheListsAndMarkTheirCaptions)
{
    Form20* f = open();
    selectTeacher(f, 5);
    f->Command2->click();
    selectTeacher(f, 3);
    EXPECT_EQ(captions(f), (QStringList{"fehlt ganztägig", "fehlt einige Stunden", "> ist da <"}));
    f->Command2->click();
    EXPECT_EQ(captions(f), (QStringList{"> fehlt ganztägig <", "fehlt einige Stunden", "ist da"}));
    EXPECT_TRUE(gTeacherAbsentPeriods(3, 10).isEmpty()) << "only the periods of the day";
    EXPECT_EQ(f->Label5->text(), "  DIE  FUC");

    f->Command10->click();
    clickPeriods(forms::ifOpen<Form46>(), {1, 2, 3, 4, 5, 6});
    f->activate();
    EXPECT_FALSE(forms::isOpen<Form46>()) << "coming back to the window closes the grid";
    EXPECT_EQ(captions(f), (QStringList{"fehlt ganztägig", "> fehlt 3 Stunden <", "ist da"}));
    f->Command10->click();
    clickPeriods(forms::ifOpen<Form46>(), {7, 8});
    f->activate();
    EXPECT_EQ(f->Command10->text(), "> fehlt eine Einheit <");
    selectTeacher(f, 5);
    f->Command3->click();
    EXPECT_EQ(f->Label5->text(), "  DIE");

    selectClass(f, 4);
    f->Command7->click();
    selectClass(f, 2);
    f->Command11->click();
    clickPeriods(forms::ifOpen<Form48>(), {4});
    f->activate();
    EXPECT_EQ(f->Label10->text(), "  5b  7a");
    EXPECT_FALSE(f->Command4->isHidden());
    EXPECT_EQ(classCaptions(f), (QStringList{"ist nicht da", "> fehlt eine Einheit <", "ist da"}));
    f->Command7->click();
    EXPECT_EQ(classCaptions(f), (QStringList{"> ist nicht da <", "ist einige Std. nicht da", "ist da"}));
    f->Command6->click();
    EXPECT_EQ(classCaptions(f), (QStringList{"ist nicht da", "ist einige Std. nicht da", "> ist da <"}));
    EXPECT_EQ(f->Label10->text(), "  7a");
}

TEST_F(AbsencesWindowTest, AnotherDateLoadsItsDayFileOrKeepsTheAbsences)
{
    writeDay("01.01.2027", "Neujahrskurs");
    writeDay("14.09.2026", "krank");
    gWorkDate = "31.12.2026";
    Form20* f = open();
    selectTeacher(f, 6);
    f->Command2->click();
    f->Text1->setText("krank");
    leave(f->Text1);
    f->Command13->click();
    EXPECT_EQ(texts(f->Text2, f->Label8), (QStringList{"01.01.2027", "Freitag"})) << "plus on New Year's Eve";
    EXPECT_EQ(f->Label5->text(), "  ENG") << "the day file's statuses replace those on screen";
    EXPECT_EQ(f->Label10->text(), "  6a");
    EXPECT_EQ(f->Text1->text(), "") << "the selected teacher shows what the loaded day holds";
    selectTeacher(f, 4);
    EXPECT_EQ(f->Text1->text(), "Neujahrskurs");
    f->Command13->click();
    EXPECT_EQ(f->Label5->text(), "  ENG") << "no day file: the absences stay for the new date";
    f->Command14->click();
    f->Command14->click();
    EXPECT_EQ(f->Text2->text(), "31.12.2026");

    f->Command3->click();
    f->Text2->setText("15.09.2026");
    f->Text2->setText("14.09.");
    EXPECT_EQ(texts(f->Label5, f->Label8), (QStringList{"", "Dienstag"})) << "no date: nothing loaded, the weekday stays";
    f->Command13->click();
    EXPECT_EQ(f->Text2->text(), "14.09.") << "no date to step from";
    f->Text2->setText("14.09.2026");
    EXPECT_EQ(f->Label5->text(), "  ENG");
}

// A day file that is there but cannot be read is no day without absences:
// the window says so once for the date, and again when the date comes back.
TEST_F(AbsencesWindowTest, AnUnreadableDayFileIsToldForItsDate)
{
    writeDay("14.09.2026", "krank");
    blockFile("20260915.sup");
    Form20* f = open();
    f->Text2->setText("15.09.2026");
    const QString notice =
        "Die Tagesdatei 20260915.sup konnte nicht gelesen werden: An Stelle der Datei steht ein Ordner.";
    EXPECT_EQ(messages(), QStringList{notice});
    f->Command14->click();
    EXPECT_EQ(f->Label5->text(), "  ENG");
    f->Command13->click();
    EXPECT_EQ(messages(), (QStringList{notice, notice}));
    unblockFile("20260915.sup");
}

TEST_F(AbsencesWindowTest, ThePresetReplacesTheDayFileAndClearingEmptiesBothOnYes)
{
    gSubstRowCount = 2;
    writeDay("14.09.2026", "krank");
    QStringList preset{" 60 ", " 24 "};
    for (int t = 1; t <= 60; ++t)
        preset << (t == 1 ? " 1 " : " 0 ") << "";
    writeLines("suppl.dat", preset << "0");
    Form20* f = open();
    EXPECT_EQ(f->Label5->text(), "  BER") << "teacher 4 of the day file is reset by the preset";
    EXPECT_EQ(f->Label10->text(), "  6a") << "a preset that ends early leaves the day file's classes";
    EXPECT_FALSE(f->Command4->isHidden());
    selectTeacher(f, 2);
    f->Command2->click();
    f->Text1->setText("krank");
    leave(f->Text1);
    f->Check1->click();
    selectClass(f, 1);
    f->Command7->click();

    answer({false});
    f->Command8->click();
    EXPECT_EQ(messages(), QStringList{"Soll die aktuelle Voreinstellung\n(wer fehlt) gelöscht werden ?\n"});
    EXPECT_EQ(f->Label5->text(), "  BER  CRA");
    EXPECT_TRUE(QFile::exists(path("suppl.dat")));

    answer({true});
    f->Command8->click();
    EXPECT_FALSE(QFile::exists(path("suppl.dat")));
    EXPECT_TRUE(gTeacherAbsence(2) == 0 && gTeacherAbsentPeriods(2, 11) == 0 && gClassAbsence(1) == 0);
    EXPECT_EQ(gTeacherAbsenceReason(2), "");
    EXPECT_EQ(gTeacherPaid(2), 0);
    EXPECT_EQ(gSubstRowCount, 2) << "the records stay";
    EXPECT_EQ(texts(f->Label5, f->Label10, f->Label2, f->Label7, f->Label11, f->Text1), QStringList(6));
    for (QPushButton* b : {f->Command2, f->Command3, f->Command10, f->Command6, f->Command7, f->Command11})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(f->Check1->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(captions(f), (QStringList{"fehlt ganztägig", "fehlt einige Stunden", "ist da"}));

    f->Text3->setText("Skikurs");
    f->Text1->setText("Kur");
    leave(f->Text1);
    EXPECT_EQ(gClassAbsenceReason(1), "") << "no class is selected any more";
    EXPECT_EQ(gTeacherAbsenceReason(2), "") << "nor a teacher";
}

// A preset cut before its marks is not loaded (teacher 1 would be listed
// without a period), one whole for 11 periods is read so at a school of 10;
// either is told once the window is up.
TEST_F(AbsencesWindowTest, APresetCutOrOfAnotherSizeIsToldOnOpening)
{
    const struct {
        const char* kind;
        int marks;
        QString notice;
        QStringList absent;
        QList<int> marked;
    } cases[] = {
        {"cut before its marks", 0,
         "Die Voreinstellung suppl.dat konnte nicht gelesen werden: Sie ist beschädigt und endet nach Zeile 170.",
         {"  ENG", "  6a"}, {}},
        {"of 11 periods", 11,
         "Die Voreinstellung suppl.dat enthält Abwesenheiten für 11 Stunden am Tag, die Schule hat jetzt 10 "
         "(Abwesenheiten nach der 10. Stunde werden nicht gezeigt); wurde die Datei nicht mit 11 Stunden am Tag "
         "gespeichert, ist sie beschädigt, und ihre Abwesenheiten können an falscher Stelle stehen.",
         {"  BER", ""}, {10}},
    };
    gPeriodsPerDay = 10;
    writeDay("14.09.2026", "krank");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        writeLines("suppl.dat", presetOf(c.marks));
        const qsizetype told = messages().size();
        Form20* f = forms::show<Form20>();
        EXPECT_EQ(messages().size(), told) << "nothing told while the window loads";
        QCoreApplication::sendPostedEvents(f, QEvent::MetaCall);
        EXPECT_EQ(messages().mid(told), QStringList{c.notice});
        EXPECT_EQ(texts(f->Label5, f->Label10), c.absent);
        EXPECT_EQ(markedPeriods(1), c.marked);
        f->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(AbsencesWindowTest, ReasonsAndPaidFlagsLandOnTheSelectedTeacherAndClass)
{
    gTeacherPaid(3) = 1;
    Form20* f = open();
    f->Check1->click();
    EXPECT_EQ(gTeacherPaid(0), 0) << "no teacher chosen: nothing stored";
    selectTeacher(f, 3);
    EXPECT_EQ(f->Check1->checkState(), Qt::Checked);
    selectTeacher(f, 2);
    EXPECT_EQ(texts(f->Label2, f->Label7, f->Label14), (QStringList{"Bernd Cramer", "CRA", "2"}));
    EXPECT_EQ(f->Check1->checkState(), Qt::Unchecked);
    f->Text1->setText("Arzttermin");
    gTeacher = 7;
    f->Check1->click();
    leave(f->Text1);
    selectTeacher(f, 3);
    EXPECT_EQ(gTeacherAbsenceReason(2), "Arzttermin");
    EXPECT_EQ(gTeacherPaid(2), 1);
    EXPECT_TRUE(gTeacherAbsenceReason(7).isEmpty() && gTeacherPaid(7) == 0) << "gTeacher was moved by another window";
    f->Check1->click();
    EXPECT_EQ(f->Check1->checkState(), Qt::Unchecked) << "a click never greys the box";

    selectClass(f, 2);
    gClass = 4;
    f->Text3->setText("Projekttag");
    EXPECT_EQ(gClassAbsenceReason(2), "Projekttag");
    EXPECT_EQ(gClassAbsenceReason(4), "");
}

TEST_F(AbsencesWindowTest, TheCancellationListButtonShowsWhetherTheLastLoadedDayHasAnAbsentClass)
{
    writeDay("15.09.2026", "krank");
    gWorkDate = "16.09.2026";
    ASSERT_TRUE(SaveSubstitutionDay());
    Form20* f = open();
    for (const auto& [date, hidden] : {std::pair{"15.09.2026", false}, std::pair{"16.09.2026", true},
                                       std::pair{"15.09.2026", false}, std::pair{"17.09.2026", false}}) {
        f->Text2->setText(date);
        EXPECT_EQ(f->Command4->isHidden(), hidden) << date << ": a date without day file keeps the 15th";
    }
}

// Opening the window zeroes every status but keeps the marks, so teacher 3,
// away on the 14th, keeps them on the 15th, where only teacher 5 is listed.
// Saved at 9 periods, both days are read whole at 9 by every reader once the
// school has 10 or 11. The window says so; the statistics, the standings and
// the export, which count only the records before the marks, need not.
TEST_F(AbsencesWindowTest, DaysSavedThroughTheWindowAreReadWholeAfterTheSchoolChangesItsPeriods)
{
    gPeriodsPerDay = 9;
    carryRecord();
    gWorkDate = "14.09.2026";
    for (const int t : {3, 5}) {
        Form20* f = open();
        selectTeacher(f, t);
        f->Command2->click();
        saveThroughCancellationList(f);
        gWorkDate = "15.09.2026";
    }
    ASSERT_EQ(readLines("date.sup"), (QStringList{"20260914", "20260915"}));

    for (const int school : {10, 11}) {
        SCOPED_TRACE(school);
        gPeriodsPerDay = school;
        const QString holds = " Abwesenheiten für 9 Stunden am Tag, die Schule hat jetzt %1 (nach der 9. Stunde ist "
                              "niemand abwesend eingetragen); wurde die Datei nicht mit 9 Stunden am Tag gespeichert, "
                              "ist sie beschädigt, und ihre Abwesenheiten können an falscher Stelle stehen.";
        const qsizetype told = messages().size();
        const QList<int> nine{1, 2, 3, 4, 5, 6, 7, 8, 9};
        gWorkDate = "14.09.2026";
        Form20* f = open();
        EXPECT_EQ(f->Label5->text(), "  DIE");
        EXPECT_EQ(markedPeriods(3), nine);
        EXPECT_EQ(markedPeriods(5), QList<int>{});
        f->Command13->click();
        EXPECT_EQ(f->Label5->text(), "  FUC");
        EXPECT_EQ(markedPeriods(3), nine) << "left from the 14th";
        EXPECT_EQ(markedPeriods(5), nine);
        EXPECT_EQ(messages().mid(told),
                  (QStringList{"Die Tagesdatei 20260914.sup enthält" + holds.arg(school),
                               "Die Tagesdatei 20260915.sup enthält" + holds.arg(school)}));
        f->Command9->click();
        expectRecordsCounted(2);
    }
}

// Never-set marks are empty lines, so a day or preset cut by more than half
// a period's block looks like one of fewer periods with empty lines added,
// and one with as many empty lines added like one of more periods, cut.
// Made in the window with 9, 10 and 11 periods, cut or lengthened by 43 or
// 64 lines and opened at a school of each size, each keeps every mark in
// place or is named in the notice of "wer fehlt ?": read with the periods it
// names and its lines missing or too many, or not read at all.
TEST_F(AbsencesWindowTest, ADayOrPresetCutOrLengthenedIsReadWithItsMarksInPlaceOrTold)
{
    for (const int made : {9, 10, 11}) {
        forgetMarks();
        makeDay(made);
        const QStringList day = readLines("20260914.sup");
        QStringList preset = day;
        preset.removeAt(2 + 3 * 60 + 2 * 24); // the record count: no records
        QFile::remove(path("20260914.sup"));
        for (const int change : {-64, -43, 43, 64}) {
            for (const int school : {9, 10, 11}) {
                for (const auto& [file, lines, named] :
                     {std::tuple{"20260914.sup", day, "Die Tagesdatei 20260914.sup "},
                      std::tuple{"suppl.dat", preset, "Die Voreinstellung suppl.dat "}}) {
                    SCOPED_TRACE(QString("%1 of %2 periods, %3 lines, read with %4")
                                     .arg(file)
                                     .arg(made)
                                     .arg(change)
                                     .arg(school)
                                     .toStdString());
                    writeLines(file, change < 0 ? lines.mid(0, lines.size() + change)
                                                : lines + QStringList(change, QString()));
                    gPeriodsPerDay = school;
                    forgetMarks();
                    const qsizetype told = messages().size();
                    open()->Command9->click();
                    QFile::remove(path(file));
                    const QString notice = messages().mid(told).join("\n");
                    if (notice.isEmpty()) {
                        EXPECT_EQ(allMarks(), madeMarks(made));
                        continue;
                    }
                    EXPECT_TRUE(notice.startsWith(named)) << notice.toStdString();
                    if (!notice.contains("konnte nicht gelesen werden")) {
                        const QString readWith = "Sie wurde mit %1 Stunden am Tag gelesen";
                        EXPECT_TRUE(notice.contains(readWith.arg(gSubstDayPeriods))) << notice.toStdString();
                        EXPECT_NE(notice.contains("endet nach Zeile"), notice.contains("Zeilen zu viel"));
                    }
                }
            }
        }
    }
}

// A day made in the window is read silently with its marks in place when
// its length fits a size, also with its last line break gone (the last line
// is a never-set mark, an empty line, which goes with it) or one or two
// empty lines after it (told when the size is not the school's). Any other
// length is told with the periods the day was read with and whether lines
// are missing or too many; or, equally near two sizes, the day is damaged.
// The statistics, the standings and the export count the day's record
// whatever its marks, also once the cancellation list saved it again.
TEST_F(AbsencesWindowTest, ADayMadeInTheWindowIsReadSilentlyOnlyWhenItsLengthFitsASize)
{
    const QString day = "Die Tagesdatei 20260914.sup ";
    const QString mayBeMoved = "; ihre Abwesenheiten können an falscher Stelle stehen.";
    const QString nineAtEleven = ", die Schule hat jetzt 11 (nach der 9. Stunde ist niemand abwesend eingetragen)";
    const auto emptyLines = [](int lines) {
        return [lines](const QByteArray& b) { return b + QByteArray("\r\n").repeated(lines); };
    };
    const auto cut = [](int lines) {
        return [lines](const QByteArray& b) {
            qsizetype lastBreak = b.size() - 2;
            for (int l = 0; l < lines; ++l)
                lastBreak = b.lastIndexOf("\r\n", lastBreak - 1);
            return b.left(lastBreak + 2);
        };
    };
    const struct {
        const char* kind;
        int made;
        int school;
        std::function<QByteArray(const QByteArray&)> change;
        QString notice; // "": read silently
        bool inPlace = true;
    } cases[] = {
        {"as saved", 10, 10, emptyLines(0), ""},
        {"no last line break", 10, 10, [](const QByteArray& b) { return b.chopped(2); }, ""},
        {"an empty line", 10, 10, emptyLines(1), ""},
        {"2 empty lines", 11, 11, emptyLines(2), ""},
        {"2 empty lines, of fewer periods", 9, 11, emptyLines(2),
         day + "enthält Abwesenheiten für 9 Stunden am Tag, die Schule hat jetzt 11 (nach der 9. Stunde ist niemand "
               "abwesend eingetragen); wurde die Datei nicht mit 9 Stunden am Tag gespeichert, ist sie beschädigt, "
               "und ihre Abwesenheiten können an falscher Stelle stehen."},
        {"3 empty lines", 10, 10, emptyLines(3),
         day + "ist beschädigt, nach Zeile 1078 stehen 3 Zeilen zu viel. Sie wurde mit 10 Stunden am Tag gelesen"
             + mayBeMoved},
        {"its last line gone, an empty mark", 10, 10, cut(1), ""},
        {"cut by two lines", 10, 10, cut(2),
         day + "ist beschädigt und endet nach Zeile 1076. Sie wurde mit 10 Stunden am Tag gelesen" + mayBeMoved},
        {"20 empty lines, of fewer periods", 9, 11, emptyLines(20),
         day + "ist beschädigt, nach Zeile 994 stehen 20 Zeilen zu viel. Sie wurde mit 9 Stunden am Tag gelesen"
             + nineAtEleven + mayBeMoved},
        {"cut by 43 lines, at a school of 9", 10, 9, cut(43),
         day + "ist beschädigt, nach Zeile 994 stehen 41 Zeilen zu viel. Sie wurde mit 9 Stunden am Tag gelesen"
             + mayBeMoved,
         false},
        {"43 empty lines, at a school of 10", 9, 10, emptyLines(43),
         day + "ist beschädigt und endet nach Zeile 1037. Sie wurde mit 10 Stunden am Tag gelesen" + mayBeMoved,
         false},
        {"42 empty lines, equally near 9 and 10 periods", 9, 10, emptyLines(42),
         day + "konnte nicht gelesen werden: Sie ist beschädigt, ihre Zeilen ab Zeile 239 passen zu keinem Tag von 9 "
               "bis 11 Stunden.",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        forgetMarks();
        carryRecord();
        makeDay(c.made);
        writeBytes("20260914.sup", c.change(readBytes("20260914.sup")));
        gPeriodsPerDay = c.school;
        forgetMarks();
        const qsizetype told = messages().size();
        gWorkDate = "14.09.2026";
        Form20* f = open();
        EXPECT_EQ(messages().mid(told).join("\n").toStdString(), c.notice.toStdString());
        if (c.inPlace) {
            EXPECT_EQ(allMarks(), madeMarks(c.made));
        }
        // Emptied, a damaged day offers no cancellation list to be saved
        // over its file by; a day read is saved as the user was shown it,
        // whole, and read again silently.
        const bool damaged = c.notice.contains("konnte nicht gelesen werden");
        EXPECT_EQ(f->Command4->isHidden(), damaged);
        if (damaged) {
            f->Command9->click();
        } else {
            const QList<int> shown = allMarks();
            saveThroughCancellationList(f);
            forgetMarks();
            const qsizetype saved = messages().size();
            open()->Command9->click();
            EXPECT_EQ(messages().size(), saved);
            EXPECT_EQ(allMarks(), shown);
        }
        expectRecordsCounted(1);
    }
}

// Saved with 10 periods, opened after the school went down to 9 and saved
// again by the cancellation list, a day keeps period 10 of every teacher and
// class; a teacher marked away all day meanwhile is away in it too. Its
// provisional copy for the next day is a new day of the school's 9 periods.
TEST_F(AbsencesWindowTest, ADaySavedAgainAfterThePeriodsWereLoweredKeepsItsLaterPeriods)
{
    makeDay(10);
    gPeriodsPerDay = 9;
    Form20* f = open();
    EXPECT_EQ(messages().size(), 1) << "told as a day of 10 periods";
    selectTeacher(f, 5);
    f->Command2->click();
    saveThroughCancellationList(f, "15.09.2026");
    EXPECT_EQ(readLines("20260915.sup").size(), 3 + 3 * 60 + 2 * 24 + 7 * gSubstRowCount + 84 * 9);
    gPeriodsPerDay = 10;
    forgetMarks();
    const SubstitutionFileRead read = ReadSubstitutionDay("20260914");
    ASSERT_TRUE(read);
    EXPECT_EQ(read.otherPeriods, 0);
    QList<int> expected = madeMarks(10);
    for (int p = 1; p <= 10; ++p)
        expected[(5 - 1) * 11 + p - 1] = 1;
    EXPECT_EQ(allMarks(), expected);
}

// "+" from a day read with 10 periods at a school of 9 comes to a date
// without a day file: a new day, whose absences are those of the day before
// in the school's 9 periods. It is saved and read back so, with nothing to
// tell.
TEST_F(AbsencesWindowTest, ANewDayAfterADayOfMorePeriodsTakesTheSchoolsPeriods)
{
    makeDay(10);
    gPeriodsPerDay = 9;
    Form20* f = open();
    ASSERT_EQ(messages().size(), 1) << "the 14th, told as a day of 10 periods";
    f->Command13->click();
    EXPECT_TRUE(gTeacherAbsentPeriods(12, 10).isEmpty() && gClassAbsentPeriods(2, 10).isEmpty())
        << "no period 10 carried along";
    saveThroughCancellationList(f);
    EXPECT_EQ(readLines("20260915.sup").size(), 3 + 3 * 60 + 2 * 24 + 84 * 9);
    forgetMarks();
    gWorkDate = "15.09.2026";
    open()->Command9->click();
    EXPECT_EQ(messages().size(), 1) << "read back with no notice";
    QList<int> expected = madeMarks(10);
    for (int row = 1; row <= 84; ++row)
        expected[(row - 1) * 11 + 10 - 1] = -1;
    EXPECT_EQ(allMarks(), expected);
}

// A close waiting in the queue runs under the first notice the window tells
// as it comes up, that of a day of another size; the preset of another size
// it would tell next is not told, and nothing of the deleted window is
// touched.
TEST_F(AbsencesWindowTest, AWindowClosedUnderTheNoticeOfItsDayTellsNothingMore)
{
    gPeriodsPerDay = 9;
    writeDay("14.09.2026", "krank");
    gPeriodsPerDay = 10;
    writeLines("suppl.dat", presetOf(11));
    closeAtNextMessage([] { forms::unload<Form20>(); });
    ASSERT_NE(forms::show<Form20>(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_FALSE(forms::isOpen<Form20>());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Die Tagesdatei 20260914.sup enthält"));
}

// Closed while it asks whether to clear, the window clears nothing.
TEST_F(AbsencesWindowTest, AWindowClosedWhileItAsksWhetherToClearLeavesTheDayAndThePreset)
{
    writeLines("suppl.dat", presetOf(9));
    Form20* f = open();
    answer({true});
    closeAtNextMessage([] { forms::unload<Form20>(); });
    f->Command8->click();
    EXPECT_FALSE(forms::isOpen<Form20>());
    EXPECT_TRUE(gTeacherAbsence(1) == 1);
    EXPECT_TRUE(QFile::exists(path("suppl.dat")));
}

// Typing "09.11.2026" passes "09.11.20", a damaged day of 2020 the folder
// keeps: each key that makes a date loads its day, so the day in memory is
// always the working date's, but a notice waits until the user stops at the
// date, by Enter, by leaving the field or by a pause. It is told once, and
// not at all when the date has moved to another day before it comes.
TEST_F(AbsencesWindowTest, ADateBeingTypedIsLoadedAtEveryKeyAndToldOnlyWhereTheUserStops)
{
    writeDay("14.09.2026", "krank");
    writeLines("20201109.sup", {" 60 "});
    const QString damaged = "Die Tagesdatei 20201109.sup konnte nicht gelesen werden: Sie ist beschädigt und endet "
                            "nach Zeile 1.";
    const std::pair<const char*, std::function<void(Form20*)>> stops[] = {
        {"Enter", [](Form20* f) { QTest::keyClick(f->Text2, Qt::Key_Return); }},
        {"leaving the field", [](Form20* f) { leave(f->Text2); }},
        {"a pause", [](Form20* f) { emit f->findChild<Timer*>()->Tick(); }},
    };
    const struct {
        const char* typed;
        bool thenPlus; // "+" before the notice comes
        QStringList notices;
    } cases[] = {{"09.11.20", false, {damaged}}, {"09.11.2026", false, {}}, {"09.11.20", true, {}}};
    for (const auto& [stop, stopAt] : stops) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.typed) + " and " + stop + (c.thenPlus ? ", then +" : ""));
            gWorkDate = "14.09.2026";
            Form20* f = open();
            f->Text2->selectAll();
            const qsizetype told = messages().size();
            for (const char key : std::string(c.typed)) {
                QTest::keyClick(f->Text2, key);
                EXPECT_EQ(messages().size(), told) << "between the keys";
                if (f->Text2->text() == "09.11.20") {
                    EXPECT_EQ(gText4, "20201109");
                    EXPECT_EQ(f->Label5->text(), "") << "the damaged day is loaded, empty, at its key";
                }
            }
            EXPECT_EQ(gWorkDate, c.typed);
            EXPECT_TRUE(f->findChild<Timer*>()->isActive()) << "the notice of 09.11.20 waits for a pause";
            stopAt(f);
            leave(f->Text2);
            EXPECT_EQ(messages().size(), told) << "told from the event loop";
            if (c.thenPlus)
                f->Command13->click();
            QCoreApplication::sendPostedEvents(f, QEvent::MetaCall);
            EXPECT_EQ(messages().mid(told), c.notices);
            f->unload();
        }
    }
}

// Closed before the pause, the window leaves the typed date's day in memory,
// which the web page of that date shows, not the day the window opened on.
TEST_F(AbsencesWindowTest, AWindowClosedRightAfterADateIsTypedLeavesThatDateInMemory)
{
    saveDay("14.09.2026", {{1, 1, 0, 1, -4, 0}});
    saveDay("15.09.2026", {{4, 2, 0, 3, -2, 0}});
    Form20* f = open();
    ASSERT_EQ(gSubstRows(1, 3), 1);
    f->Text2->selectAll();
    QTest::keyClicks(f->Text2, "15.09.2026");
    f->Command9->click();
    ASSERT_FALSE(forms::isOpen<Form20>());
    EXPECT_EQ(gWorkDate, "15.09.2026");
    EXPECT_EQ(gText4, "20260915");
    EXPECT_EQ(gSubstRowCount, 1);
    EXPECT_EQ(gSubstRows(1, 3), 3) << "the record of the 15th";
    const WrittenPage page = WriteSubstitutionPage("", "", "");
    ASSERT_TRUE(page) << page.failure.toStdString();
    const QString html = QString::fromLatin1(readBytes(page.name));
    EXPECT_TRUE(html.contains("Dienstag, den 15.09.2026"));
    EXPECT_TRUE(html.contains("6a") && html.contains("entf."));
    EXPECT_FALSE(html.contains("5a") || html.contains("zus."));
}

// The window closed under the notice of a typed date: the field's Enter and
// Qt's move of the focus by Tab are over before the box comes, so neither
// goes on with the deleted window.
TEST_F(AbsencesWindowTest, AWindowClosedUnderTheNoticeOfATypedDateRunsClean)
{
    writeLines("20201109.sup", {" 60 "});
    const std::pair<const char*, std::function<void(Form20*)>> stops[] = {
        {"Enter", [](Form20* f) { QTest::keyClick(f->Text2, Qt::Key_Return); }},
        {"Tab", [](Form20* f) { QTest::keyClick(f->Text2, Qt::Key_Tab); }},
        {"a pause", [](Form20* f) { emit f->findChild<Timer*>()->Tick(); }},
    };
    for (const auto& [stop, stopAt] : stops) {
        SCOPED_TRACE(stop);
        gWorkDate = "14.09.2026";
        const qsizetype told = messages().size();
        Form20* f = open();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
        f->Text2->setFocus();
        f->Text2->selectAll();
        QTest::keyClicks(f->Text2, "09.11.20");
        closeAtNextMessage([] { forms::unload<Form20>(); });
        stopAt(f);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        EXPECT_FALSE(forms::isOpen<Form20>());
        ASSERT_EQ(messages().size(), told + 1);
        EXPECT_TRUE(messages().back().startsWith("Die Tagesdatei 20201109.sup"));
        EXPECT_EQ(gWorkDate, "09.11.20");
    }
}
}
