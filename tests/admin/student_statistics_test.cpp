#include "admin/student_statistics.h"
#include "admin/students_present.h"
#include "platform/dates.h"
#include "tests/register/register_fixture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

class StudentStatisticsTest : public RegisterTest {
protected:
    static QString absence(const QString& cls, const QString& student, const QString& text = QStringLiteral("krank"),
                           const QString& shortName = QStringLiteral("KL"))
    {
        return entryLine({.kind = "01", .cls = cls, .text = text, .shortName = shortName, .student = student});
    }
    static QString disruption(const QString& cls, const QString& student, const QString& text = QStringLiteral("laut"))
    {
        return entryLine({.kind = "04", .cls = cls, .text = text, .shortName = "AB", .student = student});
    }

    Form21* run(const QString& start, const QString& cls = QString())
    {
        Form21* f = forms::show<Form21>();
        f->Text2->setText(start);
        f->Text3->setText(cls);
        f->Command9->click();
        return f;
    }
    static QStringList click(ListBox* counters, ListBox* wording, int index)
    {
        counters->setListIndex(index);
        return wording->items();
    }
};

TEST_F(StudentStatisticsTest, CountsPerStudentHighestFirstAndTheSchoolDaysWithLessons)
{
    const QDate monday = today.addDays(-2);
    writeDay(monday, {absence("3B", "Anna"), absence("3B", "Anna"), absence("3b", "Anna"), absence("3B", "Berta"),
                      disruption("3B", "Carl"), contentLine("M", "ABC", "3B")});
    writeDay(monday.addDays(1), {absence("3B", "Anna"), absence("3B", "Berta"), absence("3B", "Berta"),
                                 absence("3B", "Berta"), absence("3B", "Anna"), absence("4A", "Dora"),
                                 absence("3B", "Emil"), removalLine(7)});
    // Only information: no lesson day. A free day of the school: its entries do not count.
    writeDay(today, {entryLine({.kind = "06", .text = "Elternabend"})});
    writeDay(monday.addDays(-3), {entryLine({.kind = "08", .text = "schulfrei"}), absence("3B", "Anna")});

    Form21* f = run(dates::shortText(monday.addDays(-3)));
    EXPECT_EQ(f->Label8->text(), "2");
    EXPECT_EQ(f->List3->items(), (QStringList{"  4 --- 3B  Berta", "  4 --- 3B  Anna", "  1 --- 4A  Dora",
                                              "  1 --- 3b  Anna"}))
        << "equal counts by descending key; Emil's entry was removed";
    EXPECT_EQ(f->List4->items(), QStringList{"  1 --- 3B  Carl"});
    EXPECT_TRUE(!f->List1->isVisibleTo(f) && f->Command9->isEnabled() && !QGuiApplication::overrideCursor());

    f->Text3->setText(" 3b ");
    f->Command9->click();
    EXPECT_EQ(f->List3->items(), (QStringList{"  4 --- 3B  Berta", "  4 --- 3B  Anna", "  1 --- 3b  Anna"}));
    EXPECT_EQ(f->List4->items(), QStringList{"  1 --- 3B  Carl"});
}

TEST_F(StudentStatisticsTest, EvaluatesAtMost366DaysAndNeverADayAfterToday)
{
    const QDate start = today.addDays(-400);
    writeDay(start, {absence("3B", "Anna")});
    writeDay(start.addDays(365), {absence("3B", "Anna")});
    writeDay(start.addDays(366), {absence("3B", "Anna")});
    Form21* f = run(dates::shortText(start));
    EXPECT_EQ(f->List3->items(), QStringList{"  2 --- 3B  Anna"});
    EXPECT_EQ(f->Label8->text(), "2");

    writeDay(today.addDays(1), {absence("3B", "Anna")});
    f->Text2->setText(dates::shortText(today.addDays(1)));
    f->Command9->click();
    EXPECT_TRUE(gStatCount == 0 && f->List3->ListCount() == 0);
    EXPECT_EQ(f->Label8->text(), "2") << "no day evaluated, the count stays";
}

TEST_F(StudentStatisticsTest, ShowsTheWordingOfTheClickedStudentBrokenEvery40Characters)
{
    const QString wording55 = QStringLiteral("Kopfweh und Fieber, Attest folgt bald!!!");
    writeDay(today.addDays(-1), {absence("3B", "Max", wording55), absence("3B", "Maxi"), absence("3B", "Maxi"),
                                 disruption("3B", "Max", "schwätzt")});
    writeDay(today, {absence("3B", "Max", "Arzt", "ABC")});
    Form21* f = run("10.3.2026");
    ASSERT_EQ(f->List3->items(), (QStringList{"  2 --- 3B  Maxi", "  2 --- 3B  Max"}));
    EXPECT_TRUE(green(f->Text2)) << "an accepted date keeps the box as it was";
    EXPECT_EQ(click(f->List3, f->List5, 1),
              (QStringList{"3B  Max", "KL: 10.03.2026 Kopfweh und Fieber, Attes=", "t folgt bald!!!",
                           "ABC: 11.03.2026 Arzt"}))
        << "the key of Max, not the longer key of Maxi that starts with it";
    EXPECT_EQ(click(f->List3, f->List5, 0), (QStringList{"3B  Maxi", "KL: 10.03.2026 krank", "KL: 10.03.2026 krank"}));
    EXPECT_EQ(click(f->List4, f->List6, 0), (QStringList{"3B  Max", "AB: 10.03.2026 schwätzt"}));

    // A date that is not accepted evaluates nothing and keeps what the lists show.
    f->Text2->setText("31.02.2026");
    f->Command9->click();
    EXPECT_TRUE(red(f->Text2) && f->Command9->isEnabled());
    EXPECT_EQ(f->List3->ListCount(), 2);
    EXPECT_EQ(click(f->List3, f->List5, 1).size(), 4);
    f->Text2->setText("10.03.2026");
    f->Command9->click();
    EXPECT_TRUE(grey(f->Text2));
}

TEST_F(StudentStatisticsTest, CountsAbove999KeepTheirDigitsAndAStudentBeyondTheRowStoreIsNotCounted)
{
    QStringList lines(1000, absence("3B", "Viel"));
    for (int i = 1; i <= 1000; ++i)
        lines << absence("3B", QStringLiteral("Kind %1").arg(i));
    writeDay(today, lines);
    Form21* f = run("11.03.2026");
    EXPECT_EQ(gStatCount, 1000);
    ASSERT_EQ(f->List3->ListCount(), 1000);
    EXPECT_EQ(f->List3->items().mid(0, 2), QStringList({"1000 --- 3B  Viel", "   1 --- 3B  Kind 999"}));
    EXPECT_EQ(click(f->List3, f->List5, 0).first(), "3B  Viel");
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains("1000"));
}

TEST_F(StudentStatisticsTest, TheRunKeepsItsDayAndClassWhileOtherWindowsRunAndStopsWhenTheWindowCloses)
{
    gClassNames(1) = "3B";
    writeDay(today.addDays(-1), {contentLine("M", "ABC", "3B")});
    writeDay(today, {absence("3B", "Anna"), entryLine({.kind = "07", .cls = "3B", .text = "Wandertag"})});
    Form21* f = forms::show<Form21>();
    f->Text2->setText("10.03.2026");
    f->Text3->setText("");
    gEntryClass = "4A";
    // The main window's class as another window's refresh sets it while the run
    // yields after its first day.
    QMetaObject::invokeMethod(f, [] { gEntryClass = "3B"; }, Qt::QueuedConnection);
    f->Command9->click();
    EXPECT_EQ(f->List3->items(), QStringList{"  1 --- 3B  Anna"}) << "the appointment frees only class 3B";
    EXPECT_EQ(f->Label8->text(), "2");

    QMetaObject::invokeMethod(f, [f] { f->Command1->click(); }, Qt::QueuedConnection);
    f->Command9->click();
    EXPECT_TRUE(!forms::isOpen<Form21>() && !QGuiApplication::overrideCursor());
}

TEST_F(StudentStatisticsTest, OpensWithTheSchoolYearAndTheMainWindowsClassAndEnterSetsTheRegistersClass)
{
    gSchoolYearStart = QString();
    EXPECT_TRUE(green(forms::show<Form21>()->Text2)) << "no school year start: the box stays as designed";
    forms::unload<Form21>();

    Form1* main = typeIntoEntryWindow("11.03.2026", "5c");
    gSchoolYearStart = "01.09.2025";
    gClassNames(3) = "5C";
    forms::show<Form12>()->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form12>());
    Form21* f = forms::ifOpen<Form21>();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Text2->text() + " " + f->Text3->text(), "01.09.2025 5c");
    EXPECT_TRUE(grey(f->Text2));

    enter(f->Text3, " 5c ");
    EXPECT_TRUE(gEntryClass == "5c" && green(f->Text3));
    f->Text3->setText("9z");
    EXPECT_FALSE(green(f->Text3));
    enter(f->Text3, "9z");
    EXPECT_TRUE(gEntryClass == "9z" && !green(f->Text3)) << "an unknown class stays grey";
    EXPECT_EQ(main->Text3->text(), "5c");
}

TEST_F(StudentStatisticsTest, DaysThatCouldNotBeReadAreNamedAfterTheRun)
{
    writeDay(today.addDays(-1), {absence("3B", "Anna")});
    blockFile(dayFile(today));
    Form21* f = run(dates::shortText(today.addDays(-1)));
    EXPECT_EQ(f->List3->items(), QStringList{"  1 --- 3B  Anna"});
    EXPECT_EQ(messages(), QStringList{"Die Auswertung ist unvollständig.\nDie Tagesdatei 20260311.qz konnte nicht "
                                      "gelesen werden: An Stelle der Datei steht ein Ordner."});
}
