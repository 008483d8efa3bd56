#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/runtime.h"
#include "register/content_reminder.h"
#include "tests/register/week_school.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// Today is Wednesday 11 March 2026: last week runs from Monday 2 to Saturday 7
// March. Class 4A has M on Monday, E on Tuesday and D on Wednesday; M got its
// content last week, E was entered last by ABC and D by XY before that week.
class ContentReminderTest : public WeekSchoolTest {
protected:
    const QDate lastMonday{2026, 3, 2};

    void SetUp() override
    {
        WeekSchoolTest::SetUp();
        const char* teachers[][2] = {{"ABC", "Anna Berger"}, {"XY", "Xaver Yilmaz"}, {"KV", "Karl Vogel"},
                                     {"ZZ", ""}};
        for (int t = 1; t <= 4; ++t) {
            gTeacherShort(t) = teachers[t - 1][0];
            gTeacherNames(t) = teachers[t - 1][1];
        }
        gFormTeacher(1) = 3;
        lesson(1, 1, M);
        lesson(2, 2, E);
        lesson(3, 3, D);
        writeDay(lastMonday, {content("M", "KV", "4a")});
        writeDay(QDate(2026, 2, 20), {content("E", "ABC")});
        writeDay(QDate(2026, 2, 25), {content("D", "XY")});
    }

    // The reminder run as the main window's timer runs it, for a user and class.
    Form11* remind(const QString& user, const QString& cls = QStringLiteral("4A"))
    {
        forms::unload<Form11>();
        typeIntoEntryWindow("11.03.2026", cls);
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
    EXPECT_EQ(f->windowTitle(), "Stoffeintrag fehlt");
    EXPECT_EQ(f->Label1->text(), "02.03.2026");
    EXPECT_EQ(f->Label2->text(), "06.03.2026");
    EXPECT_EQ(f->List2->items(), QStringList({"E  < --  ABC", "D  < --  XY"}));
    EXPECT_EQ(controls::backColor(f->List2), 0xC0C0FFu);
    EXPECT_EQ(gCheckOk, 1);
    EXPECT_EQ(gClassEntryCount, 1);
    f->Command10->click();
    EXPECT_FALSE(forms::isOpen<Form11>());
}

TEST_F(ContentReminderTest, NamesTheLastOwnGapAndGreetsByShortNameWithoutFullName)
{
    writeDay(QDate(2026, 2, 26), {content("D", "ZZ")});
    writeDay(QDate(2026, 2, 21), {content("E", "ZZ")});
    runtime::scriptRandom({0.0});
    Form11* f = remind("ZZ");
    ASSERT_TRUE(shown(f));
    EXPECT_EQ(f->Text1->toPlainText(), "Hallo ZZ, in der Vorwoche wäre noch Stoff für D 4A einzutragen.");
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
        const bool wednesdayOn = day >= 11;
        const bool fridayOn = day >= 13;
        SCOPED_TRACE(day);
        runtime::scriptRandom({0.0});
        EXPECT_TRUE(shown(remind("ABC")));
        Form11* f = remind("KV");
        EXPECT_EQ(shown(f), wednesdayOn);
        EXPECT_EQ(f->Text1->toPlainText(), wednesdayOn ? formTeacher : QString());
        f = remind("ZZ");
        EXPECT_EQ(shown(f), fridayOn);
        EXPECT_EQ(f->Text1->toPlainText(), fridayOn ? anybody : QString());
        EXPECT_EQ(f->Label1->text(), "02.03.2026");
    }
}

TEST_F(ContentReminderTest, TheFormTeacherIsFoundWhateverTheCaseAndOnlyWithinTheTeachersTable)
{
    Form11* f = remind("KV", "4a");
    EXPECT_TRUE(shown(f));
    EXPECT_TRUE(f->Text1->toPlainText().startsWith("Hallo Vogel, nachdem du KV in der 4a bist"));

    gFormTeacher(1) = 70;
    EXPECT_FALSE(shown(remind("KV")));
    setNow(QDateTime(QDate(2026, 3, 13), QTime(10, 0)));
    f = remind("KV");
    EXPECT_TRUE(shown(f));
    EXPECT_TRUE(f->Text1->toPlainText().startsWith("In diesem Klassenbuch"));
}

TEST_F(ContentReminderTest, TheResponsibleTeacherIsLookedForUpTo60DaysBack)
{
    gTimetable.fill(0);
    lesson(2, 2, E);
    const QDate today = Clock::today();
    for (const QString& f : QDir(m_dir.path()).entryList({"*.qz"}))
        QFile::remove(path(f));
    const struct {
        int daysBack;
        const char* item;
    } cases[] = {{1, "E  < --  XY"}, {60, "E  < --  XY"}, {61, "E"}};
    for (const auto& c : cases) {
        writeDay(today.addDays(-c.daysBack), {content("E", "XY")});
        SCOPED_TRACE(c.daysBack);
        EXPECT_EQ(remind("ABC", "4A")->List2->items(), QStringList({c.item}));
        QFile::remove(path(today.addDays(-c.daysBack).toString("yyyyMMdd") + ".qz"));
    }
    // The newest day decides; a substitute's lesson does not count.
    writeDay(today.addDays(-2), {content("E", "XY", "4A", "Supplierung")});
    writeDay(today.addDays(-3), {content("E", "KV", "4a")});
    writeDay(today.addDays(-30), {content("E", "ABC")});
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
    EXPECT_EQ(f->List2->ListCount(), 0);

    EXPECT_FALSE(shown(remind("ABC", "9Z")));

    // Every subject got its content: nothing to show, even to the form teacher.
    writeDay(lastMonday.addDays(1), {content("E")});
    writeDay(lastMonday.addDays(2), {content("D")});
    f = remind("KV");
    EXPECT_FALSE(shown(f));
    EXPECT_EQ(f->List2->ListCount(), 0);

    // No timetable: the window goes.
    gTimetable.fill(0);
    EXPECT_EQ(remind("ABC"), nullptr);
}

TEST_F(ContentReminderTest, LeavesTheWorkingDateAlone)
{
    typeIntoEntryWindow("20.03.2026", "4A");
    gWorkDate = "20.03.2026";
    gUserShort = "ABC";
    RemindMissingLessonContent();
    EXPECT_EQ(gWorkDate, "20.03.2026");
    EXPECT_EQ(entry->Text2->text(), "20.03.2026");
}

TEST_F(ContentReminderTest, TheMainWindowsTimerRemindsOncePerAcceptedNameAndClass)
{
    gSchoolYearStart = "7.9.2025";
    gSchoolYearEnd = QDateTime(QDate(2026, 7, 3), QTime());
    lesson(1, 1, E, 0, 2);
    writeDay(QDate(2026, 2, 19), {content("E", "ABC", "4B")});
    entry->Text1->setText("abc");
    QTest::keyClick(entry->Text1, Qt::Key_Return);
    entry->Text2->setText("11.03.2026");
    // A tick runs the handler only while the timer runs; whether the
    // reminder came up is seen, then it is read.
    const auto reminded = [this] {
        if (entry->Timer2->isEnabled())
            entry->Timer2_Timer();
        Form11* f = forms::ifOpen<Form11>();
        const bool shown = f && f->isVisible();
        forms::unload<Form11>();
        return shown;
    };
    const auto acceptClass = [this](const char* cls) {
        entry->Text3->setText(cls);
        QTest::keyClick(entry->Text3, Qt::Key_Return);
    };
    acceptClass("4A");
    EXPECT_TRUE(reminded());
    EXPECT_FALSE(reminded());
    acceptClass("4b");
    EXPECT_TRUE(reminded());

    acceptClass("4A");
    entry->Text2->setText("10.09.2025");
    EXPECT_FALSE(reminded()) << "first school week";
    entry->Text2->setText("11.03.2026");
    for (const QDate today : {QDate(2025, 9, 7), QDate(2026, 7, 3)}) {
        setNow(QDateTime(today, QTime(10, 0)));
        EXPECT_FALSE(reminded()) << "first or last school day";
    }
    setNow(QDateTime(QDate(2026, 3, 11), QTime(10, 0)));
    gSchoolYearStart = "kein Datum";
    EXPECT_FALSE(reminded()) << "no school year";
    gSchoolYearStart = "7.9.2025";
    EXPECT_TRUE(reminded());
    EXPECT_EQ(entry->cursor().shape(), Qt::ArrowCursor);
}
