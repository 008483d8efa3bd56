#include "core/model.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/forms.h"
#include "register/class_day_view.h"
#include "register/entry_window.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "register/school_week.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
const std::uint32_t kGrey = 0xE0E0E0;
const std::uint32_t kGreen = 0xC0FFC0;

void enter(TextBox* field, const QString& text)
{
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

// A timer's handler runs only while the timer runs.
void tick(Timer* timer, Form1* f, void (Form1::*handler)())
{
    if (timer->isEnabled())
        (f->*handler)();
}

bool green(const QWidget* w) { return controls::backColor(w) == kGreen; }
}

class EntryWindowTest : public ModelTest {
protected:
    // Starts the program in `folder` (the temporary data folder by default) and
    // points the data path back at the temporary folder afterwards.
    Form1* start(const QString& folder = QString())
    {
        const QString here = QDir::currentPath();
        QDir::setCurrent(folder.isEmpty() ? m_dir.path() : folder);
        Form1* f = forms::show<Form1>();
        QDir::setCurrent(here);
        gDataPath = m_dir.path() + QLatin1Char('/');
        return f;
    }

    // A small school, filled in after start-up.
    Form1* startSchool()
    {
        Form1* f = start();
        gTeacherShort(1) = "MÜL";
        gTeacherShort(2) = "ABC";
        gClassNames(1) = "4A";
        gClassNames(2) = "3B";
        gSubjectNames(1, 2) = "M";
        gSubjectNames(2, 2) = "DEU";
        gRoomCount = 2;
        gRoomNames(1) = "Turnsaal";
        gRoomNames(2) = "EDV 1";
        f->FillRoomList();
        return f;
    }

    Form1* loggedIn()
    {
        Form1* f = startSchool();
        enter(f->Text1, "mül");
        return f;
    }
};

TEST_F(EntryWindowTest, StartsOnAnEmptyDataFolder)
{
    Form1* f = start();
    EXPECT_EQ(f->windowTitle(), "ORV-qz V1.28a");
    EXPECT_EQ(f->Label2->text(), "ORV-qz V1.28a");
    EXPECT_EQ(f->List1->ListCount(), 0);
    EXPECT_EQ(f->Text2->text(), "11.03.2026");
    EXPECT_TRUE(green(f->Text2));
    EXPECT_EQ(gWorkDate, "11.03.2026");
    EXPECT_EQ(f->Label8->text(), "Mittwoch");
    EXPECT_EQ(f->Label12->text(), "13");
    EXPECT_EQ(controls::backColor(f->Text1), kGrey);
    EXPECT_FALSE(f->Text3->isEnabled());
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_FALSE(f->Command17->isEnabled());
    EXPECT_TRUE(f->Command16->isHidden());
    EXPECT_TRUE(f->List1->isHidden());
    EXPECT_TRUE(f->Text7->isHidden());
    EXPECT_TRUE(f->Timer1->isEnabled());
    EXPECT_TRUE(f->Timer2->isEnabled());
    EXPECT_EQ(f->Option1[8]->text(), "Raumreservierung");
    EXPECT_EQ(f->Option1[8]->objectName(), "Option1_8");
}

TEST_F(EntryWindowTest, StartsOnTheDemoFolder)
{
    const QDir demo(ORVQZ_DEMO_DIR);
    const QStringList students = datafile::readLines(demo.filePath("schüler.dat")).value_or(QStringList{});
    QStringList rooms = datafile::readLines(demo.filePath("Raeume-qz.dat")).value_or(QStringList{});
    while (!rooms.isEmpty() && rooms.last().trimmed().isEmpty())
        rooms.removeLast();
    ASSERT_FALSE(students.isEmpty());
    ASSERT_FALSE(rooms.isEmpty());

    Form1* f = start(demo.path());
    EXPECT_EQ(f->windowTitle(), "ORV-qz V1.28a");
    EXPECT_EQ(f->Label2->text(), QString::number(students.size() / 2));
    EXPECT_EQ(f->List1->items(), rooms);
    EXPECT_FALSE(f->Label1->text().isEmpty()) << "the school's name";
}

TEST_F(EntryWindowTest, LoginByShortName)
{
    Form1* f = startSchool();
    enter(f->Text1, "xyz");
    EXPECT_FALSE(green(f->Text1));
    EXPECT_FALSE(f->Text3->isEnabled());

    f->Command16->setVisible(true);
    enter(f->Text1, "   ");
    EXPECT_TRUE(f->Command16->isHidden());

    enter(f->Text1, "  mül ");
    EXPECT_EQ(f->Text1->text(), "MÜL");
    EXPECT_EQ(gUserShort, "MÜL");
    EXPECT_TRUE(green(f->Text1));
    EXPECT_TRUE(f->Text3->isEnabled());
    EXPECT_TRUE(f->Command8->isEnabled());
    EXPECT_TRUE(f->Command17->isEnabled());

    f->Text1->setText("MÜL");
    EXPECT_FALSE(green(f->Text1)) << "any change ends the login for the checks";

    gTeacherShort(3) = "-";
    enter(f->Text1, "-");
    EXPECT_FALSE(green(f->Text1)) << "a free slot is nobody's name";
}

TEST_F(EntryWindowTest, ANameWithAPasswordFileIsNotLoggedInWithoutIt)
{
    Form1* f = startSchool();
    writeLines("ABC.pw", {" 4711 ", "geheim"});
    enter(f->Text1, "abc");
    EXPECT_EQ(f->Text1->text(), "ABC");
    EXPECT_FALSE(green(f->Text1));
    EXPECT_FALSE(f->Text3->isEnabled());
}

TEST_F(EntryWindowTest, FieldsTurnGreenWhenAccepted)
{
    Form1* f = loggedIn();
    enter(f->Text3, "4b");
    EXPECT_FALSE(green(f->Text3));
    EXPECT_FALSE(f->Command10->isEnabled());
    enter(f->Text3, "4a");
    EXPECT_TRUE(green(f->Text3));
    EXPECT_EQ(f->Text3->text(), "4a");
    EXPECT_TRUE(f->Command10->isEnabled());
    EXPECT_TRUE(f->Command14->isEnabled());

    for (const char* bad : {"12", "0", "a", ""}) {
        enter(f->Text4, bad);
        EXPECT_FALSE(green(f->Text4)) << bad;
    }
    enter(f->Text4, "3a");
    EXPECT_TRUE(green(f->Text4));
    EXPECT_EQ(f->Text4->text(), "3a");
    enter(f->Text4, "3.");
    EXPECT_TRUE(green(f->Text4));
    EXPECT_EQ(f->Text4->text(), "3");
    enter(f->Text4, "11");
    EXPECT_TRUE(green(f->Text4));

    gSubjectNames(3, 1) = "Englisch";
    enter(f->Text5, "englisch");
    EXPECT_FALSE(green(f->Text5)) << "the long name does not count";
    enter(f->Text5, " deu ");
    EXPECT_TRUE(green(f->Text5));
    EXPECT_EQ(f->Text5->text(), "DEU");

    f->Text6->setText("Bruchrechnen");
    EXPECT_TRUE(green(f->Text6));
    f->Text6->setText("");
    EXPECT_FALSE(green(f->Text6));
}

TEST_F(EntryWindowTest, KindsShowTheirExtraFields)
{
    Form1* f = startSchool();
    f->Option1[2]->click();
    EXPECT_FALSE(f->Option1[2]->isChecked()) << "no kind before a login";

    enter(f->Text1, "ABC");
    f->Option1[0]->click();
    EXPECT_TRUE(f->Option1[0]->isChecked());
    EXPECT_FALSE(f->Text7->isHidden());
    EXPECT_TRUE(f->List1->isHidden());
    f->Option1[8]->click();
    EXPECT_TRUE(f->Text7->isHidden());
    EXPECT_FALSE(f->List1->isHidden());
    EXPECT_TRUE(forms::isOpen<Form10>());
    f->List1->setListIndex(1);
    EXPECT_TRUE(green(f->List1));
    EXPECT_TRUE(forms::isOpen<Form26>());
    f->Option1[3]->click();
    EXPECT_FALSE(forms::isOpen<Form10>());
    EXPECT_FALSE(f->Text7->isHidden());
    EXPECT_FALSE(green(f->List1));
    EXPECT_EQ(f->List1->ListIndex(), -1);

    enter(f->Text3, "4a");
    EXPECT_TRUE(forms::isOpen<Form6>()) << "an accepted class opens its day view";
    f->Option1[8]->click();
    EXPECT_FALSE(forms::isOpen<Form6>());
    f->List1->setListIndex(0);
    f->Option1[2]->click();
    EXPECT_TRUE(forms::isOpen<Form6>());
    EXPECT_FALSE(forms::isOpen<Form26>());
}

TEST_F(EntryWindowTest, CheckEnablesWritingOnlyWhenTheKindsFieldsAreAccepted)
{
    Form1* f = loggedIn();
    enter(f->Text3, "4A");
    enter(f->Text4, "2");
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "no kind chosen";

    f->Option1[2]->click();
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "lesson content needs subject and text";

    f->Option1[0]->click();
    f->Text7->setText("Anna Berger");
    controls::setBackColor(f->Text7, kGreen);
    f->Command9->click();
    EXPECT_TRUE(f->Command1->isEnabled()) << "an absence needs no text";
    f->Command1->setEnabled(false);

    f->Option1[8]->click();
    enter(f->Text5, "M");
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "no room chosen";
    f->List1->setListIndex(0);
    f->Command9->click();
    EXPECT_TRUE(f->Command1->isEnabled());
    f->Command1->setEnabled(false);

    f->Option1[7]->click();
    f->Text6->setText("Elternsprechtag");
    f->Text2->setText("31.02.2026");
    EXPECT_FALSE(green(f->Text2));
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "no valid date";
}

TEST_F(EntryWindowTest, DateButtonsStepFromTheDateShown)
{
    Form1* f = start();
    Form6* view = forms::show<Form6>();
    f->Text2->setText("09.03.2026");
    gWorkDate = "01.01.2000";
    f->Command5->click();
    EXPECT_EQ(f->Text2->text(), "08.03.2026");
    EXPECT_EQ(view->Label2->text(), "Sonntag 08.03.2026") << "an open day view follows";
    EXPECT_EQ(gWorkDate, "08.03.2026");
    EXPECT_EQ(f->Label8->text(), "Sonntag");
    f->Command12->click();
    EXPECT_EQ(f->Label8->text(), "Montag");

    f->Text2->setText("28.12.2015");
    f->Command13->click();
    EXPECT_EQ(f->Text2->text(), "04.01.2016");
    EXPECT_EQ(f->Label8->text(), "Montag") << "weeks leave the weekday label";
    f->Command11->click();
    f->Command11->click();
    EXPECT_EQ(f->Text2->text(), "21.12.2015");

    f->Text2->setText("kein Datum");
    f->Command5->click();
    f->Command13->click();
    EXPECT_EQ(f->Text2->text(), "kein Datum");
    f->Command2->click();
    EXPECT_EQ(f->Text2->text(), "11.03.2026");
    EXPECT_TRUE(green(f->Text2));
    EXPECT_EQ(f->Label8->text(), "Mittwoch");
}

TEST_F(EntryWindowTest, SchoolWeekOfTheWorkingDate)
{
    const QDate first(2015, 9, 7);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 9, 7)), 1);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 9, 12)), 1);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 9, 13)), 2);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 9, 19)), 2);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 9, 6)), 1);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 9, 5)), 0);
    EXPECT_EQ(SchoolWeekNumber(first, QDate(2015, 8, 29)), -1);

    Form1* f = start();
    gSchoolYearStart = "7.9.2015";
    f->Text2->setText("14.09.2015");
    EXPECT_EQ(f->Label12->text(), "2");
    gSchoolYearStart = "kein Datum";
    f->Text2->setText("30.09.2015");
    EXPECT_EQ(f->Label12->text(), "2") << "no school year, no week number";
}

TEST_F(EntryWindowTest, IdleLogoutAfterTenMinutes)
{
    Form1* f = loggedIn();
    enter(f->Text3, "4A");
    f->Text6->setText("angefangen");
    f->Command1->setEnabled(true);

    Clock::advance(599);
    f->Timer1_Timer();
    EXPECT_TRUE(green(f->Text1));
    EXPECT_EQ(f->Text3->text(), "4A");

    Clock::advance(1);
    f->Timer1_Timer();
    EXPECT_EQ(f->Text1->text(), "");
    EXPECT_EQ(f->Text3->text(), "");
    EXPECT_FALSE(green(f->Text1));
    EXPECT_FALSE(green(f->Text3));
    EXPECT_FALSE(f->Text3->isEnabled());
    EXPECT_FALSE(f->Command10->isEnabled());
    EXPECT_FALSE(f->Command17->isEnabled());
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_FALSE(f->Command8->isEnabled());
    EXPECT_EQ(f->Text6->text(), "angefangen");
    EXPECT_EQ(gUserShort, "MÜL");
    EXPECT_FALSE(forms::isOpen<Form6>());
}

TEST_F(EntryWindowTest, EndClosesTheViewsAndKeepsTheUsersPositions)
{
    Form1* f = loggedIn();
    enter(f->Text3, "4A");
    f->Command4->click();
    EXPECT_FALSE(forms::isOpen<Form6>());
    EXPECT_FALSE(forms::isOpen<Form1>());
    EXPECT_TRUE(QFile::exists(path("qzTopLeftMÜL.dat")));
}

TEST_F(EntryWindowTest, IdleTimeRunsOnDateAndTime)
{
    setNow(QDateTime(QDate(2026, 3, 11), QTime(23, 59, 30)));
    Form1* f = loggedIn();
    f->Text6->setText("x");
    Clock::advance(60);
    f->Timer1_Timer();
    EXPECT_TRUE(green(f->Text1)) << "one minute across midnight is no idle time";

    f->Text6->setText("y");
    Clock::advance(24 * 3600.0 + 10);
    f->Timer1_Timer();
    EXPECT_FALSE(green(f->Text1)) << "nobody stays logged in into the next day";
}

TEST_F(EntryWindowTest, ActivityNotedByAnotherWindowCounts)
{
    Form1* f = loggedIn();
    Clock::advance(500);
    gLastActivity = static_cast<float>(Clock::secondsSinceMidnight());
    Clock::advance(500);
    f->Timer1_Timer();
    EXPECT_TRUE(green(f->Text1));
    Clock::advance(100);
    f->Timer1_Timer();
    EXPECT_FALSE(green(f->Text1));
}

TEST_F(EntryWindowTest, ReminderIsDueOncePerAcceptedNameAndClass)
{
    Form1* f = loggedIn();
    gSchoolYearStart = "7.9.2025";
    gSchoolYearEnd = QDateTime(QDate(2026, 7, 3), QTime());
    f->Text2->setText("11.03.2026");
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    EXPECT_EQ(f->reminderCount(), 0) << "no class yet";
    enter(f->Text3, "4A");
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    EXPECT_EQ(f->reminderCount(), 1);
    EXPECT_FALSE(f->Timer2->isEnabled());
    enter(f->Text3, "3B");
    EXPECT_TRUE(f->Timer2->isEnabled());
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    EXPECT_EQ(f->reminderCount(), 2);

    f->Text2->setText("10.09.2025");
    enter(f->Text3, "4A");
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    EXPECT_EQ(f->reminderCount(), 2) << "first school week";

    f->Text2->setText("11.03.2026");
    for (const QDate today : {QDate(2025, 9, 7), QDate(2026, 7, 3)}) {
        setNow(QDateTime(today, QTime(10, 0)));
        tick(f->Timer2, f, &Form1::Timer2_Timer);
        EXPECT_EQ(f->reminderCount(), 2) << "first or last school day";
    }
    setNow(QDateTime(QDate(2026, 7, 2), QTime(10, 0)));
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    EXPECT_EQ(f->reminderCount(), 3);
    enter(f->Text3, "4A");
    gSchoolYearStart = "kein Datum";
    tick(f->Timer2, f, &Form1::Timer2_Timer);
    EXPECT_EQ(f->reminderCount(), 3) << "no school year";
}
