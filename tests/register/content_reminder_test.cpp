#include "platform/clock.h"
#include "platform/runtime.h"
#include "register/content_reminder.h"
#include "tests/register/register_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

// Today is Wednesday 11 March 2026: last week runs from Monday 2 to Saturday 7
// March. Class 4A has M on Monday, E on Tuesday and D on Wednesday; M got its
// content last week, E was entered last by ABC and D by XY before that week.
class ContentReminderTest : public WeekSchoolTest {
protected:
    void SetUp() override
    {
        WeekSchoolTest::SetUp();
        const char* teachers[][2] = {{"ABC", "Anna Berger"}, {"XY", "Xaver Yilmaz"}, {"KV", "Karl Vogel"}, {"ZZ", ""}};
        for (int t = 1; t <= 4; ++t) {
            gTeacherShort(t) = teachers[t - 1][0];
            gTeacherNames(t) = teachers[t - 1][1];
        }
        gFormTeacher(1) = 3;
        lesson(1, 1, M);
        lesson(2, 2, E);
        lesson(3, 3, D);
        writeDay(QDate(2026, 3, 2), {contentLine("M", "KV", "4a")});
        writeDay(QDate(2026, 2, 20), {contentLine("E", "ABC")});
        writeDay(QDate(2026, 2, 25), {contentLine("D", "XY")});
    }

    // The reminder as the main window's timer runs it; null when it closed the window.
    Form11* remind(const QString& user, const QString& cls = QStringLiteral("4A"))
    {
        forms::unload<Form11>();
        typeIntoEntryWindow("20.03.2026", cls);
        gUserShort = user;
        forms::get<Form11>();
        RemindMissingLessonContent();
        return forms::ifOpen<Form11>();
    }

    static bool shown(const Form11* f) { return f && f->isVisible(); }
};

TEST_F(ContentReminderTest, ListsLastWeeksGapsWithTheirTeachersAndAsksTheUserInOneOfThreeWays)
{
    const char* phrasings[] = {
        "Hallo Berger, in der Vorwoche wäre noch Stoff für E 4A einzutragen.",
        "Hallo Berger, mir ist aufgefallen, dass in der Vorwoche noch ein Stoffeintrag für E 4A fehlt.",
        "Berger, ich würde mich freuen, wenn du in der Vorwoche noch einen Stoffeintrag für E 4A machen könntest.",
    };
    const double draws[] = {0.0, 0.34, 0.99};
    for (int i = 0; i < 3; ++i) {
        runtime::scriptRandom({draws[i]});
        Form11* f = remind(i == 1 ? "ABC     " : "ABC");
        ASSERT_TRUE(shown(f));
        EXPECT_EQ(f->Text1->toPlainText(), phrasings[i]);
    }
    Form11* f = forms::ifOpen<Form11>();
    EXPECT_EQ(f->Label1->text() + " " + f->Label2->text(), "02.03.2026 06.03.2026");
    EXPECT_EQ(f->List2->items(), QStringList({"E  < --  ABC", "D  < --  XY"}));
    EXPECT_TRUE(red(f->List2));
    EXPECT_EQ(gClassEntryCount, 1);
    EXPECT_EQ(gWorkDate, "20.03.2026") << "the working date stays";
    f->Command10->click();
    EXPECT_FALSE(forms::isOpen<Form11>());

    // Of two own gaps the later one is named; no full name greets by short name.
    writeDay(QDate(2026, 2, 26), {contentLine("D", "ZZ")});
    writeDay(QDate(2026, 2, 21), {contentLine("E", "ZZ")});
    runtime::scriptRandom({0.0});
    EXPECT_EQ(remind("ZZ")->Text1->toPlainText(), "Hallo ZZ, in der Vorwoche wäre noch Stoff für D 4A einzutragen.");
}

TEST_F(ContentReminderTest, WhoHearsOnWhichWeekday)
{
    const QString formTeacher = "Hallo Vogel, nachdem du KV in der 4A bist, möchte ich dir zeigen, wer in der Vorwoche "
                                "noch keinen Stoff eingetragen hat. Eventuell findest du die Zeit, die säumigen "
                                "KollegInnen darauf anzusprechen :)";
    const QString anybody = "In diesem Klassenbuch wäre noch ein wenig Stoff in der Vorwoche einzutragen. Du bist "
                            "meine letzte Hoffnung, die säumigen KollegInnen darauf anzusprechen :)";
    // Sunday 8 to Saturday 14 March: last week is always 2 to 7 March.
    for (int day = 8; day <= 14; ++day) {
        setNow(QDateTime(QDate(2026, 3, day), QTime(10, 0)));
        SCOPED_TRACE(day);
        EXPECT_TRUE(shown(remind("ABC")));
        Form11* f = remind("KV");
        EXPECT_EQ(shown(f), day >= 11);
        EXPECT_EQ(f->Text1->toPlainText(), day >= 11 ? formTeacher : QString());
        f = remind("ZZ");
        EXPECT_EQ(shown(f), day >= 13);
        EXPECT_EQ(f->Text1->toPlainText(), day >= 13 ? anybody : QString());
        EXPECT_EQ(f->Label1->text(), "02.03.2026");
    }
}

TEST_F(ContentReminderTest, TheFormTeacherIsFoundWhateverTheCaseAndOnlyWithinTheTeachersTable)
{
    EXPECT_TRUE(remind("KV", "4a")->Text1->toPlainText().startsWith("Hallo Vogel, nachdem du KV in der 4a bist"));
    gFormTeacher(1) = 70;
    EXPECT_FALSE(shown(remind("KV")));
    setNow(QDateTime(QDate(2026, 3, 13), QTime(10, 0)));
    EXPECT_TRUE(remind("KV")->Text1->toPlainText().startsWith("In diesem Klassenbuch"));
}

TEST_F(ContentReminderTest, TheResponsibleTeacherIsLookedForUpTo60DaysBack)
{
    gTimetable.fill(0);
    lesson(2, 2, E);
    QFile::remove(path("20260220.qz"));
    const struct {
        int daysBack;
        const char* item;
    } cases[] = {{1, "E  < --  XY"}, {60, "E  < --  XY"}, {61, "E"}};
    for (const auto& c : cases) {
        writeDay(today.addDays(-c.daysBack), {contentLine("E", "XY")});
        EXPECT_EQ(remind("ABC")->List2->items(), QStringList({c.item})) << c.daysBack;
        QFile::remove(path(dayFile(today.addDays(-c.daysBack))));
    }
    // The newest day decides; a substitute's lesson does not count.
    writeDay(today.addDays(-2), {contentLine("E", "XY", "4A", "Supplierung")});
    writeDay(today.addDays(-3), {contentLine("E", "KV", "4a")});
    writeDay(today.addDays(-30), {contentLine("E", "ABC")});
    EXPECT_EQ(remind("ABC")->List2->items(), QStringList({"E  < --  KV"}));
}

TEST_F(ContentReminderTest, StaysSilentWhereThereIsNothingToSay)
{
    gExceptionTeachers(2) = "ABC";
    EXPECT_EQ(remind("ABC"), nullptr);
    gExceptionTeachers(2).clear();

    gClassNames(3) = "5";
    lesson(1, 1, M, 0, 3);
    Form11* f = remind("ABC", "5");
    ASSERT_TRUE(f);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(shown(remind("ABC", "9Z")));

    // Every subject got its content: nothing to show, even to the form teacher.
    writeDay(QDate(2026, 3, 3), {contentLine("E")});
    writeDay(QDate(2026, 3, 4), {contentLine("D")});
    f = remind("KV");
    EXPECT_FALSE(shown(f));
    EXPECT_EQ(f->List2->ListCount(), 0);

    gTimetable.fill(0);
    EXPECT_EQ(remind("ABC"), nullptr);
}

TEST_F(ContentReminderTest, TheMainWindowsTimerRemindsOncePerAcceptedNameAndClass)
{
    gSchoolYearStart = "7.9.2025";
    gSchoolYearEnd = QDateTime(QDate(2026, 7, 3), QTime());
    lesson(1, 1, E, 0, 2);
    writeDay(QDate(2026, 2, 19), {contentLine("E", "ABC", "4B")});
    enter(entry->Text1, "abc");
    entry->Text2->setText("11.03.2026");
    // A tick runs the handler only while the timer runs; a reminder shown is read.
    const auto reminded = [this] {
        if (entry->Timer2->isEnabled())
            entry->Timer2_Timer();
        const bool wasShown = shown(forms::ifOpen<Form11>());
        forms::unload<Form11>();
        return wasShown;
    };
    enter(entry->Text3, "4A");
    EXPECT_TRUE(reminded());
    EXPECT_FALSE(reminded());
    enter(entry->Text3, "4b");
    EXPECT_TRUE(reminded());

    enter(entry->Text3, "4A");
    entry->Text2->setText("10.09.2025");
    EXPECT_FALSE(reminded()) << "first school week";
    entry->Text2->setText("11.03.2026");
    for (const QDate edge : {QDate(2025, 9, 7), QDate(2026, 7, 3)}) {
        setNow(QDateTime(edge, QTime(10, 0)));
        EXPECT_FALSE(reminded()) << "first or last school day";
    }
    setNow(QDateTime(today, QTime(10, 0)));
    gSchoolYearStart = "kein Datum";
    EXPECT_FALSE(reminded()) << "no school year";
    gSchoolYearStart = "7.9.2025";
    EXPECT_TRUE(reminded());
    EXPECT_EQ(entry->cursor().shape(), Qt::ArrowCursor);
}

// The reminder comes up by itself while the user types in the entry window:
// it stays above that window, which keeps the keyboard.
TEST_F(ContentReminderTest, TheReminderComesUpAboveTheEntryWindowWhichKeepsTheKeyboard)
{
    runtime::scriptRandom({0.0});
    Form11* f = remind("ABC");
    ASSERT_TRUE(shown(f));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    EXPECT_EQ(f->windowHandle()->transientParent(), entry->windowHandle());
    EXPECT_EQ(QApplication::activeWindow(), entry);
    EXPECT_EQ(forms::active(), entry);
}
