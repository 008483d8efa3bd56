#include "planner/substitution/cancellation_list.h"
#include "platform/input_guard.h"
#include "tests/planner/substitution/substitution_fixture.h"
#include "tests/support/disk_conditions.h"
#include "tests/support/queued_input.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <optional>

namespace {

class CancellationListTest : public SubstitutionPrintTest {
protected:
    void SetUp() override
    {
        SubstitutionPrintTest::SetUp();
        for (int c = 1; c <= 4; ++c)
            gClassPrintNames(c) = gClassNames(c).toString();
    }
    static Form60* open() { return forms::show<Form60>(); }
    static void range(Form60* f, const QString& first, const QString& last)
    {
        f->Text2->setText(first);
        f->Text1->setText(last);
    }
    // Lists so many earlier days that date.sup outgrows a day file: a disk
    // that takes a day file may then be full within a line of date.sup.
    void writeListedDays() const
    {
        QStringList keys;
        for (int d = 0; d < 2000; ++d)
            keys << QDate(2020, 1, 1).addDays(d).toString("yyyyMMdd");
        writeLines("date.sup", keys);
    }
    // Writes the days of a range, confirming the question.
    static Form60* writeRange(const QString& first, const QString& last)
    {
        Form60* f = open();
        range(f, first, last);
        f->Command5->click();
        f->Command6->click();
        return f;
    }
};

TEST_F(CancellationListTest, LessonsOfAbsentClassesAreCountedPerWeekday)
{
    gClassAbsence(3) = 1;
    for (int p : {1, 2, 3})
        gTeacherPlanClass(2, 2, p) = 3;
    gTeacherPlanClass(2, 6, 11) = 3;
    gTeacherPlanClass(2, 1, 1) = 1;
    gTeacherPlanClass(1, 1, 1) = 3;
    gTeacherAbsence(1) = 1;
    const QList<CancelledLessons> lessons = CountCancelledLessons();
    ASSERT_EQ(lessons.size(), 1) << "an absent teacher is not listed";
    EXPECT_EQ(lessons[0].teacher, 2);
    EXPECT_EQ(lessons[0].perDay[2], 3);
    EXPECT_EQ(lessons[0].perDay[6], 1) << "Saturday and period 11 whatever the week";
    EXPECT_EQ(lessons[0].total, 4);

    open()->Command1->click();
    EXPECT_EQ(textsAt(1, 10), (QStringList{"Entfallsliste 6a  -  Muster-Schule"}));
    EXPECT_EQ(textsAt(1, 36), (QStringList{"Bernd Cramer", "OOO", "O", " 4 "}));
    EXPECT_EQ(columnsAt(36), (QList<double>{10, 80, 160, 180}));
    EXPECT_EQ(textsAt(1, 30), (QStringList{"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"}));
    const QList<PrintRecorder::Op> drawn = lines();
    EXPECT_EQ(std::ranges::count_if(drawn, [](const auto& o) { return o.x == 8 && o.y == 34.5 && o.x2 == 186; }), 1)
        << "the frame's top";
    EXPECT_EQ(std::ranges::count_if(drawn, [](const auto& o) { return o.x == 186 && o.y == 34.5 && o.y2 == 40.5; }), 1)
        << "the frame's right side";
    EXPECT_TRUE(forms::ifOpen<Form60>()->Command1->isHidden());
}

TEST_F(CancellationListTest, TheTitleNamesTheAbsentClassesOrTheSchoolAloneAndShrinksWhenWide)
{
    gTeacherPlanClass(2, 2, 1) = 3;
    open()->Command1->click();
    EXPECT_EQ(rec->texts(), (QStringList{"Entfallsliste -  Muster-Schule", "Montag", "Dienstag", "Mittwoch",
                                         "Donnerstag", "Freitag"}))
        << "without absent classes the days stand alone";
    EXPECT_EQ(rec->ops[0].state.font.size, 18);
    EXPECT_TRUE(rec->ops[0].state.font.bold);

    forms::ifOpen<Form60>()->unload();
    for (int c = 1; c <= 4; ++c) {
        gClassAbsence(c) = 1;
        gClassPrintNames(c) = QStringLiteral("Klasse %1 auf Skikurs").arg(c);
    }
    open()->Command1->click();
    EXPECT_EQ(textsAt(2, 10, 14).size(), 1);
}

TEST_F(CancellationListTest, AContinuationPageRepeatsTheWeekdaysAndCountsFromOne)
{
    gClassAbsence(1) = 1;
    for (int t = 1; t <= 45; ++t) {
        gTeacherNames(t) = QStringLiteral("Lehrer %1").arg(t);
        gTeacherPlanClass(t, 1, 1) = 1;
    }
    open()->Command1->click();
    ASSERT_EQ(rec->documents, 2);
    EXPECT_EQ(textsAt(1, 270).first(), "Lehrer 40");
    EXPECT_EQ(textsAt(1, 30).size(), 5);
    EXPECT_EQ(textsAt(2, 10), (QStringList{"Entfallsliste 5a  -  Muster-Schule"}));
    EXPECT_EQ(textsAt(2, 30).size(), 5);
    EXPECT_EQ(textsAt(2, 36).first(), "Lehrer 41");
    EXPECT_EQ(textsAt(2, 60).first(), "Lehrer 45");
}

TEST_F(CancellationListTest, TheRangeStartsOnTheWorkingDayOrTodayAndNeedsTwoDatesInOrder)
{
    gWorkDate = "14.9.26";
    Form60* f = open();
    EXPECT_EQ(texts(f->Text2, f->Text1, f->Label8, f->Label2),
              (QStringList{"14.09.2026", "18.09.2026", "Montag", "Freitag"}));
    EXPECT_TRUE(f->Command5->isEnabled());
    f->unload();

    gWorkDate = "13-12";
    f = open();
    EXPECT_EQ(texts(f->Text2, f->Text1), (QStringList{"11.03.2026", "15.03.2026"})) << "no working date: today";
    range(f, "18.09.2026", "14.09.2026");
    EXPECT_FALSE(f->Command1->isEnabled());
    f->Command3->click();
    f->Command13->click();
    EXPECT_EQ(f->Text2->text(), "19.09.2026");
    range(f, "14.09.2026", "irgendwann");
    EXPECT_FALSE(f->Command5->isEnabled());
    EXPECT_EQ(f->Label2->text(), "Sonntag") << "the last valid day, 13.09., stays";
    f->Text2->setText("15.09.2026");
    EXPECT_FALSE(f->Command5->isEnabled()) << "the other box is still no date";
    f->Command2->click();
    EXPECT_EQ(f->Text1->text(), "14.09.2026");
    EXPECT_FALSE(f->Command5->isEnabled());
    f->Command2->click();
    EXPECT_TRUE(f->Command5->isEnabled());
}

TEST_F(CancellationListTest, WritingARangeListsItsSchoolDaysWithTheDayInMemory)
{
    gWorkDate = "14.9.26";
    gTeacherAbsenceReason(4) = "Skikurs";
    struct Case {
        int days;
        const char* first;
        const char* last;
        QStringList written;
    };
    for (const Case& c : {Case{5, "18.09.2026", "21.09.2026", {"20260918", "20260921"}},
                          Case{6, "18.09.2026", "21.09.2026", {"20260918", "20260919", "20260921"}},
                          Case{5, "20.09.2026", "20.09.2026", {}}}) {
        QFile::remove(path("date.sup"));
        gDaysPerWeek = c.days;
        Form60* f = writeRange(c.first, c.last);
        EXPECT_EQ(readLines("date.sup"), c.written) << c.days << " days from " << c.first;
        EXPECT_EQ(datafile::exists(path("date.sup")), !c.written.isEmpty());
        EXPECT_TRUE(f->Command5->isVisible());
        EXPECT_FALSE(f->Command5->isEnabled());
        EXPECT_TRUE(f->Command6->isHidden());
        f->unload();
    }
    EXPECT_EQ(gWorkDate, Variant("14.9.26")) << "the working date is restored";
    EXPECT_TRUE(gWorkDate.isText());
    gTeacherAbsenceReason(4) = Variant();
    ASSERT_TRUE(ReadSubstitutionDay("20260921"));
    EXPECT_EQ(gTeacherAbsenceReason(4), Variant("Skikurs"));
}

TEST_F(CancellationListTest, NeinOrARangeMadeInvalidUnderTheQuestionWritesNothing)
{
    Form60* f = open();
    range(f, "21.09.2026", "22.09.2026");
    f->Command5->click();
    EXPECT_TRUE(f->Command5->isHidden());
    f->Command7->click();
    EXPECT_TRUE(f->Command5->isVisible());
    EXPECT_TRUE(f->Command6->isHidden());

    range(f, "15.09.2026", "16.09.2026");
    f->Command5->click();
    f->Text2->setText("17.09.2026");
    f->Command6->click();
    EXPECT_FALSE(datafile::exists(path("date.sup")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("nichts geschrieben"));
}

// "ja" reaches a pixel row into the button that shows it: the rest of a
// double or triple click there, or a second press 8 or 20 px lower, does
// not answer the question; a click once it has been up half a second does.
TEST_F(CancellationListTest, QuickPressesAfterTheFirstDoNotAnswerTheQuestionItShowed)
{
    using namespace queuedinput;
    const struct {
        const char* what;
        // After the first press at 1000: when each further press comes, and
        // how far lower.
        std::vector<quint64> at;
        int lower;
    } cases[] = {
        {"double click", {1150}, 0},
        {"triple click", {1210, 1420}, 0},
        {"second press 8 px lower", {1120}, 8},
        {"second press 20 px lower", {1140}, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Form60* f = open();
        range(f, "21.09.2026", "22.09.2026");
        f->activateWindow();
        deliver();
        const QPoint lowestRow(f->Command6->geometry().center().x() - f->Command5->x(), f->Command5->height() - 1);
        const QPoint mouse = f->Command5->mapToGlobal(lowestRow);
        click(f->Command5, mouse, 1000, lowestRow);
        deliver();
        ASSERT_TRUE(f->Command6->isVisible());
        const QPoint drifted = mouse + QPoint(0, c.lower);
        const QPoint onYes = f->Command6->mapFromGlobal(drifted);
        ASSERT_TRUE(f->Command6->rect().contains(onYes));
        for (const quint64 at : c.at)
            click(f->Command6, drifted, at, onYes);
        deliver();
        EXPECT_FALSE(datafile::exists(path("date.sup")));
        click(f->Command6, drifted, read(), onYes);
        deliver();
        EXPECT_TRUE(datafile::exists(path("date.sup")));
        forms::unloadAll();
        for (const char* file : {"date.sup", "20260921.sup", "20260922.sup"})
            QFile::remove(path(file));
        inputguard::install();
    }
}

TEST_F(CancellationListTest, ADayThatCannotBeWrittenStopsTheRunAndSaysWhatWasWritten)
{
    blockFile("20260916.sup");
    writeRange("15.09.2026", "18.09.2026");
    EXPECT_EQ(readLines("date.sup"), (QStringList{"20260915"}));
    EXPECT_FALSE(datafile::exists(path("20260917.sup")));
    EXPECT_EQ(messages(), QStringList{"Der Vertretungsplan für den 16.09.2026 konnte nicht geschrieben werden "
                                      "(20260916.sup: An Stelle der Datei steht ein Ordner); die Erstellung wurde "
                                      "abgebrochen.\nGeschrieben wurden: 15.09.2026"});
    EXPECT_EQ(gWorkDate, Variant("14.09.2026"));
}

// A date that cannot be listed in date.sup, not even its line end, must not
// stay listed while its day is taken back: the day is listed and written, or
// neither, as the message says. Where the date stays whole in date.sup (its
// piece cannot be cut off), its day stays with it.
TEST_F(CancellationListTest, ADayIsListedAndWrittenOrNeitherAsTheMessageSays)
{
    const QString notWritten = "Der Vertretungsplan für den 15.09.2026 konnte nicht geschrieben werden (date.sup: %1); "
                               "die Erstellung wurde abgebrochen.\nEs wurde kein Tag geschrieben.";
    const struct {
        const char* what;
        bool appendOnly;
        bool blocked;
        QByteArray added;
        QStringList messages;
    } cases[] = {
        {"a folder in its place", false, true, {}, {notWritten.arg("An Stelle der Datei steht ein Ordner")}},
        {"no room for its line end", false, false, {}, {notWritten.arg("Die Datei ist zu groß")}},
        {"its piece cannot be cut off", true, false, "20260915", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeListedDays();
        std::optional<AppendOnlyFile> onlyGrows;
        if (c.appendOnly && !onlyGrows.emplace(path("date.sup")).active())
            continue;
        if (c.blocked)
            blockFile("date.sup");
        const QByteArray before = readBytes("date.sup");
        const qsizetype shown = messages().size();
        {
            const std::optional<FileSizeLimit> full =
                c.blocked ? std::nullopt : std::optional<FileSizeLimit>(std::in_place, before.size() + 8);
            writeRange("15.09.2026", "15.09.2026");
        }
        if (c.blocked)
            unblockFile("date.sup");
        onlyGrows.reset();
        EXPECT_EQ(readBytes("date.sup"), before + c.added);
        EXPECT_EQ(datafile::exists(path("20260915.sup")), !c.added.isEmpty());
        EXPECT_EQ(messages().mid(shown), c.messages);
        forms::unloadAll();
        QFile::remove(path("20260915.sup"));
    }
}

TEST_F(CancellationListTest, ThePdfFileHoldsTheList)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    gClassAbsence(2) = 1;
    for (int p : {1, 2})
        gTeacherPlanClass(3, 4, p) = 2;
    open()->Command1->click();
    const QString file = path("Ausdrucke/Entfallsliste 2026-03-11 09-30-00.pdf");
    EXPECT_EQ(messages(), QStringList{"Der Ausdruck steht in der Datei\n" + file});
    EXPECT_EQ(pdfPageCount(file), 1);
    const QString text = pdfText(file).simplified();
    EXPECT_TRUE(text.contains("Entfallsliste 5b - Muster-Schule")) << text.toStdString();
    EXPECT_TRUE(text.contains("Carla Dietz OO 2"));
}

TEST_F(CancellationListTest, APdfFileTheDiskCannotHoldIsToldAsFailed)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    gClassAbsence(2) = 1;
    gTeacherPlanClass(3, 4, 1) = 2;
    const QString folder = path("Ausdrucke");
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        const FileSizeLimit fullDisk(2048);
        open()->Command1->click();
    }
    EXPECT_EQ(messages(), QStringList{"Der Ausdruck konnte nicht erstellt werden.\nDie Datei Entfallsliste 2026-03-11 "
                                      "09-30-00.pdf im Ordner " + folder
                                      + " ließ sich nicht fertig schreiben (Die Datei ist zu groß)."});
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}
}
