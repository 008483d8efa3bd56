#include "platform/clock.h"
#include "platform/input_guard.h"
#include "register/class_day_view.h"
#include "register/class_timetable_view.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "register/school_week.h"
#include "tests/register/register_fixture.h"
#include "tests/support/disk_conditions.h"
#include "tests/support/queued_input.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

namespace {
QString pad(const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' ')); }

// The date field's text of the day after `date`, as "+T" moves it.
std::string nextDay(const QString& date)
{
    return QDate::fromString(date, "dd.MM.yyyy").addDays(1).toString("dd.MM.yyyy").toStdString();
}

// What each kind of entry is written from, from empty fields, and its line.
struct KindCase {
    int option;
    QString cls, period, subject, student, text;
    int room; // position in the room list from 1, 0 for none
    QString line;
};

std::vector<KindCase> kindCases()
{
    const QString head = "202603110930MÜL     ";
    const QString anna = pad("Anna Berger", 50);
    const QString none = pad("", 8) + "  ";
    return {
        {0, "4a", "3", "", "Anna Berger", "", 0, head + "01" + pad("4a", 8) + pad("", 8) + "3 " + anna},
        {1, "4a", "3.", "", "Anna Berger", "8:20", 0, head + "02" + pad("4a", 8) + pad("", 8) + "3 " + anna + "8:20"},
        {2, "4a", "3", "deu", "", " Bruchrechnen ", 0, head + "03" + pad("4a", 8) + "DEU     3 Bruchrechnen"},
        {3, "4a", "", "", "Anna Berger", "stört", 0, head + "04" + pad("4a", 8) + none + anna + "stört"},
        {4, "4a", "", "", "", "Elternbrief", 0, head + "05" + pad("4a", 8) + none + "Elternbrief"},
        {5, "4a", "", "", "", "Feueralarm", 0, head + "06" + pad("4a", 8) + none + "Feueralarm"},
        {6, "4a", "", "", "", "Wandertag", 0, head + "07" + pad("4a", 8) + none + "Wandertag"},
        {7, "", "", "", "", "Konferenz", 0, head + "08" + pad("", 8) + none + "Konferenz"},
        {8, "4a", "11", "M", "", "Beamer", 2, head + "09" + pad("4a", 8) + pad("M", 8) + "11  2Beamer"},
    };
}
}

class EntryWindowTest : public RegisterTest {
protected:
    // A small school, filled in after start-up.
    Form1* startSchool()
    {
        Form1* f = startEntryWindow();
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

    // Fills the fields the way a teacher does.
    Form1* compose(const KindCase& c)
    {
        Form1* f = loggedIn();
        if (!c.cls.isEmpty())
            enter(f->Text3, c.cls);
        if (!c.period.isEmpty())
            enter(f->Text4, c.period);
        if (!c.subject.isEmpty())
            enter(f->Text5, c.subject);
        f->Option1[c.option]->click();
        if (!c.student.isEmpty())
            chooseStudent(f, c.student);
        if (c.room > 0)
            f->List1->setListIndex(c.room - 1);
        f->Text6->setText(c.text);
        return f;
    }

    // What the student picker leaves in the entry window.
    static void chooseStudent(Form1* f, const QString& name)
    {
        f->Text7->setText(name);
        controls::setBackColor(f->Text7, 0xC0FFC0);
    }

    static void write(Form1* f)
    {
        f->Command9->click();
        f->Command1->click();
    }
};

TEST_F(EntryWindowTest, StartsOnAnEmptyDataFolder)
{
    Form1* f = startEntryWindow();
    EXPECT_EQ(f->windowTitle(), "ORV-qz V1.28a");
    EXPECT_EQ(f->Label2->text(), "ORV-qz V1.28a");
    EXPECT_EQ(f->List1->ListCount(), 0);
    EXPECT_EQ(f->Text2->text(), "11.03.2026");
    EXPECT_TRUE(green(f->Text2));
    EXPECT_EQ(f->Label8->text(), "Mittwoch");
    EXPECT_EQ(f->Command17->text(), "0 - 0");
}

TEST_F(EntryWindowTest, ControlsStandInTheirOrderFromTopToBottom)
{
    Form1* f = startEntryWindow();
    const QWidget* rows[] = {f->Label9, f->Label1,  f->Label2, f->Command3, f->Label3, f->Text1, f->Command8,
                             f->Label11, f->List1, f->Label10, f->Text7,   f->Label7, f->Text6, f->Shape1,
                             f->Command9};
    for (size_t i = 1; i < std::size(rows); ++i)
        EXPECT_GE(rows[i]->y(), rows[i - 1]->y() + rows[i - 1]->height()) << rows[i]->objectName().toStdString();
    for (int i = 0; i < 9; ++i) {
        EXPECT_GT(f->Option1[i]->x(), f->Shape1->geometry().right()) << "beside the date box";
        const QWidget* above = i == 0 ? static_cast<QWidget*>(f->Shape1) : f->Option1[i - 1];
        EXPECT_GE(f->Option1[i]->y(), i == 0 ? above->y() : above->y() + above->height());
    }
    EXPECT_LE(f->Option1[8]->y() + f->Option1[8]->height(), f->Command9->y());
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

    Form1* f = startEntryWindow(demo.path());
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

    writeLines("qzTopLeftMÜL.dat", QStringList(12, " 3000 "));
    enter(f->Text1, "  mül ");
    EXPECT_EQ(gWindowLeft(6), 0) << "only a password login brings the user's window positions";
    EXPECT_EQ(f->Text1->text(), "MÜL");
    EXPECT_EQ(gUserShort, "MÜL");
    EXPECT_TRUE(green(f->Text1));
    EXPECT_TRUE(f->Text3->isEnabled());
    EXPECT_TRUE(f->Command17->isEnabled());
    f->Text1->setText("MÜL");
    EXPECT_FALSE(green(f->Text1)) << "any change ends the login for the checks";

    gTeacherShort(3) = "-";
    enter(f->Text1, "-");
    EXPECT_FALSE(green(f->Text1)) << "a free slot is nobody's name";
    writeLines("ABC.pw", {" 4711 ", "geheim"});
    enter(f->Text1, "abc");
    EXPECT_FALSE(green(f->Text1)) << "a protected name needs its password";
}

TEST_F(EntryWindowTest, FieldsTurnGreenWhenAccepted)
{
    Form1* f = loggedIn();
    enter(f->Text3, "4b");
    EXPECT_FALSE(green(f->Text3));
    enter(f->Text3, "4a");
    EXPECT_TRUE(green(f->Text3));
    EXPECT_EQ(f->Text3->text(), "4a");
    EXPECT_TRUE(forms::isOpen<Form6>()) << "an accepted class opens its day view";

    for (const char* bad : {"12", "0", "a", ""}) {
        enter(f->Text4, bad);
        EXPECT_FALSE(green(f->Text4)) << bad;
    }
    enter(f->Text4, "3a");
    EXPECT_TRUE(green(f->Text4));
    enter(f->Text4, "3.");
    EXPECT_EQ(f->Text4->text(), "3");
    EXPECT_TRUE(green(f->Text4));

    gSubjectNames(3, 0) = "Englisch";
    enter(f->Text5, "englisch");
    EXPECT_FALSE(green(f->Text5)) << "the long name does not count";
    enter(f->Text5, " deu ");
    EXPECT_EQ(f->Text5->text(), "DEU");
    EXPECT_TRUE(green(f->Text5));
}

// Keys typed ahead while "4." is checked stay in the field for their own Enter.
TEST_F(EntryWindowTest, KeysTypedWhileThePeriodIsCheckedWaitForTheirOwnEnter)
{
    Form1* f = loggedIn();
    enter(f->Text3, "4a");
    enter(f->Text5, "M");
    f->Option1[2]->click();
    f->Text6->setText("Bruchrechnen");
    // An Enter typed ahead does not confirm, inside the check of "4.", the
    // period the keys before it made: no entry of period "4M" and the old subject.
    const struct {
        QString typedAhead;
        bool withEnter;
        QString held;
        bool accepted;
    } cases[] = {{"", false, "4", true}, {"ma", false, "4ma", false}, {"M", true, "4M", false}};
    for (const auto& c : cases) {
        QMetaObject::invokeMethod(
            qApp,
            [f, c] {
                QTest::keyClicks(f->Text4, c.typedAhead);
                if (c.withEnter)
                    QTest::keyClick(f->Text4, Qt::Key_Return);
            },
            Qt::QueuedConnection);
        enter(f->Text4, "4.");
        EXPECT_EQ(f->Text4->text(), c.held);
        EXPECT_EQ(green(f->Text4), c.accepted) << c.held.toStdString();
        f->Command9->click();
        EXPECT_EQ(f->Command1->isEnabled(), c.accepted) << "no entry of period " << c.held.left(2).toStdString();
        f->Command1->setEnabled(false);
    }
}

// The class's views open beside and leave the keyboard to "Einheit", even when activated as mapped.
TEST_F(EntryWindowTest, TheViewsOfAnAcceptedClassLeaveTheKeyboardInTheEntryWindow)
{
    Form1* f = loggedIn();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    enter(f->Text3, "4a");
    for (FormBase* view : std::initializer_list<FormBase*>{forms::ifOpen<Form6>(), forms::ifOpen<Form16>()}) {
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->testAttribute(Qt::WA_ShowWithoutActivating)) << view->windowTitle().toStdString();
        view->activateWindow();
    }
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeWindow(), f);
    ASSERT_EQ(QApplication::focusWidget(), f->Text4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(f->Text4->text(), "4");
    EXPECT_TRUE(green(f->Text4));
}

TEST_F(EntryWindowTest, KindsShowTheirFieldsAndViews)
{
    Form1* f = startSchool();
    f->Option1[2]->click();
    EXPECT_FALSE(f->Option1[2]->isChecked()) << "no kind before a login";

    enter(f->Text1, "ABC");
    f->Option1[0]->click();
    EXPECT_FALSE(f->Text7->isHidden());
    f->Option1[8]->click();
    EXPECT_TRUE(f->Text7->isHidden());
    EXPECT_FALSE(f->List1->isHidden());
    EXPECT_TRUE(forms::isOpen<Form10>());
    f->List1->setListIndex(1);
    EXPECT_TRUE(green(f->List1));
    EXPECT_TRUE(forms::isOpen<Form26>());
    f->Option1[3]->click();
    EXPECT_FALSE(forms::isOpen<Form10>());
    EXPECT_EQ(f->List1->ListIndex(), -1) << "the room is chosen again after every change of kind";

    enter(f->Text3, "4a");
    f->Option1[8]->click();
    EXPECT_FALSE(forms::isOpen<Form6>());
    f->List1->setListIndex(0);
    f->Option1[2]->click();
    EXPECT_TRUE(forms::isOpen<Form6>());
    EXPECT_FALSE(forms::isOpen<Form26>());
}

// A held arrow key walks through the kinds as far as it is held.
TEST_F(EntryWindowTest, AHeldDownKeyWalksThroughTheKinds)
{
    using namespace queuedinput;
    for (const bool marked : {true, false}) {
        SCOPED_TRACE(marked);
        Form1* f = loggedIn();
        f->activateWindow();
        f->Option1[0]->click();
        f->Option1[0]->setFocus();
        deliver();
        press(f, Qt::Key_Down, 1000);
        repeats(f, Qt::Key_Down, 1500, 4, marked);
        deliver();
        EXPECT_TRUE(f->Option1[5]->isChecked());
        EXPECT_TRUE(f->Option1[5]->hasFocus());
        forms::unloadAll();
    }
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
    chooseStudent(f, "Anna Berger");
    f->Command9->click();
    EXPECT_TRUE(f->Command1->isEnabled()) << "an absence needs no text";
    f->Command1->setEnabled(false);

    f->Option1[8]->click();
    enter(f->Text5, "M");
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "no room chosen";
    f->List1->setListIndex(0);
    f->Text2->setText("31.02.2026");
    f->Command9->click();
    EXPECT_FALSE(f->Command1->isEnabled()) << "no valid date";
}

TEST_F(EntryWindowTest, EachKindWritesItsLine)
{
    for (const KindCase& c : kindCases()) {
        SCOPED_TRACE(c.option);
        Form1* f = compose(c);
        write(f);
        EXPECT_EQ(readLines("20260311.qz").join('|').toStdString(), c.line.toStdString());
        EXPECT_EQ(readBytes("20260311.qz").right(2), "\r\n");
        EXPECT_EQ(f->Text6->text(), "");
        EXPECT_EQ(f->Text7->text(), "");
        EXPECT_FALSE(f->Command1->isEnabled());
        QFile::remove(path("20260311.qz"));
        forms::unloadAll();
    }
}

TEST_F(EntryWindowTest, TheNextEntryOfTheLessonNeedsOnlyANewTextAndShowsInTheDayView)
{
    Form1* f = compose(kindCases()[2]);
    write(f);
    f->Text6->setText("Textaufgaben");
    write(f);
    const QStringList lines = readLines("20260311.qz");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith("DEU     3 Textaufgaben"));
    const Form6* view = forms::ifOpen<Form6>();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->List1->ListCount(), 2);
    EXPECT_TRUE(view->List1->List(1).endsWith("MÜL      DEU      Textaufgaben"));
}

// "eintragen!" disables itself: the keyboard goes to the field of the next
// entry, never on to "Ende", and a held Enter presses it once.
TEST_F(EntryWindowTest, EnterAgainOrHeldAfterWritingWritesOnceAndKeepsTheRegisterOpen)
{
    const struct {
        int kind;
        bool held;
    } cases[] = {{2, false}, {2, true}, {0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Form1* f = compose(kindCases()[c.kind]);
        f->Command9->click();
        f->Command1->setFocus();
        QTest::keyClick(f->Command1, Qt::Key_Return);
        EXPECT_EQ(f->focusWidget(), c.kind == 0 ? f->Text7 : f->Text6);
        for (int i = 0; i < (c.held ? 10 : 1) && forms::isOpen<Form1>(); ++i) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", c.held);
            QApplication::sendEvent(f->focusWidget(), &enter);
        }
        ASSERT_TRUE(forms::isOpen<Form1>());
        EXPECT_EQ(readLines("20260311.qz").size(), 1);
        QFile::remove(path("20260311.qz"));
        forms::unloadAll();
    }
}

// A teacher reserves one room for several periods: only the period changes
// between the entries.
TEST_F(EntryWindowTest, ARoomIsReservedPeriodAfterPeriod)
{
    Form1* f = compose(kindCases()[8]);
    for (const char* period : {"3", "4", "5"}) {
        enter(f->Text4, period);
        write(f);
    }
    const QStringList lines = readLines("20260311.qz");
    ASSERT_EQ(lines.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].mid(38, 5).toStdString(), QString("%1   2").arg(3 + i).toStdString());
}

// Shown beside the entry window the view is not activated: it shows the room
// clicked as it opens, and the next room clicked while it is open.
TEST_F(EntryWindowTest, TheReservationsViewShowsEachRoomClicked)
{
    writeLines("20260311.qz", {entryLine({.kind = "09", .text = "Turnen", .room = "1"}),
                               entryLine({.kind = "09", .text = "Beamer", .room = "2"})});
    Form1* f = loggedIn();
    f->Option1[8]->click();
    for (const auto& [room, name, text] : {std::tuple{1, "EDV 1", "Beamer"}, std::tuple{0, "Turnsaal", "Turnen"}}) {
        f->List1->setListIndex(room);
        const Form26* view = forms::ifOpen<Form26>();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->Label1->text(), name);
        EXPECT_EQ(view->Label2->text(), "Mittwoch 11.03.2026");
        ASSERT_EQ(view->List1->ListCount(), 1);
        EXPECT_TRUE(view->List1->List(0).endsWith(text)) << view->List1->List(0).toStdString();
    }
}

TEST_F(EntryWindowTest, GoesIntoTheFileOfTheWorkingDate)
{
    setNow(QDateTime(QDate(2015, 3, 3), QTime(8, 5, 42)));
    Form1* f = compose(kindCases()[2]);
    f->Text2->setText("10.3.15");
    write(f);
    ASSERT_EQ(readLines("20150310.qz").size(), 1);
    EXPECT_TRUE(readLines("20150310.qz")[0].startsWith("201503030805MÜL     03"));
    EXPECT_FALSE(QFile::exists(path("20150303.qz")));
}

TEST_F(EntryWindowTest, AFieldChangedAfterTheCheckWritesNothing)
{
    Form1* f = compose(kindCases()[2]);
    f->Command9->click();
    f->Text5->setText("DE");
    f->Command1->click();
    enter(f->Text5, "DEU");
    f->Command9->click();
    f->Option1[3]->click();
    f->Command1->click();
    f->Option1[2]->click();
    f->Command9->click();
    f->Text1->setText("ABC");
    f->Option1[4]->click();
    f->Command1->click();
    EXPECT_FALSE(QFile::exists(path("20260311.qz")));
    EXPECT_EQ(f->Text6->text(), kindCases()[2].text);
}

// A line cut short by a full disk would stand as an entry of its own, and the
// retry the message asks for would write it a second time: the entry goes in
// whole or not at all, and stays checked, so that "eintragen!" alone writes
// it once the file takes it. A line the disk does not sync is not written:
// a power cut would lose it.
TEST_F(EntryWindowTest, AFailedAppendLeavesNothingAndEintragenWritesTheEntryOnce)
{
    KindCase fraction = kindCases()[2];
    fraction.text = "Bruchrechnen Kapitel drei bis fünf";
    fraction.line += " Kapitel drei bis fünf";
    const struct {
        const char* what;
        KindCase entry;
        // The bytes of the line the disk takes; none: a folder stands in
        // place of the day file.
        std::optional<qsizetype> room;
        QString reason;
        bool syncRefused = false;
    } cases[] = {
        {"a folder in place of the day file", kindCases()[3], std::nullopt, "An Stelle der Datei steht ein Ordner"},
        {"a disk full within the text", fraction, fraction.line.indexOf("bis") + 3, "Die Datei ist zu groß"},
        {"a sync the disk refuses", kindCases()[2], 1000, "Ein- oder Ausgabefehler des Datenträgers", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const qsizetype told = messages().size();
        const QString other = entryLine({.kind = "03", .text = "fremd", .shortName = "XY"});
        const QByteArray before = c.room ? (other + "\r\n").toLatin1() : QByteArray();
        QFile::remove(path("20260311.qz"));
        if (c.room)
            writeBytes("20260311.qz", before);
        else
            blockFile("20260311.qz");
        Form1* f = compose(c.entry);
        {
            const std::optional<FileSizeLimit> full =
                c.room ? std::optional<FileSizeLimit>(std::in_place, before.size() + *c.room) : std::nullopt;
            const std::optional<SyncWatch> refusing =
                c.syncRefused ? std::optional<SyncWatch>(std::in_place, [](const QString&, mode_t) { return EIO; })
                              : std::nullopt;
            write(f);
        }
        if (!c.room)
            unblockFile("20260311.qz");
        EXPECT_EQ(readBytes("20260311.qz"), before) << "no piece of the line";
        EXPECT_EQ(messages().mid(told), QStringList{"Der Eintrag wurde nicht geschrieben: Die Datei " +
                                                    QDir::toNativeSeparators(path("20260311.qz")) +
                                                    " ließ sich nicht beschreiben (" + c.reason +
                                                    "). Bitte später noch einmal versuchen."});
        EXPECT_EQ(f->Text6->text(), c.entry.text);
        EXPECT_EQ(f->Text7->text(), c.entry.student);
        EXPECT_TRUE(green(f->Text6));
        f->Command1->click();
        EXPECT_EQ(readBytes("20260311.qz"), before + (c.entry.line + "\r\n").toLatin1());
        EXPECT_EQ(messages().size(), told + 1);
    }
}

TEST_F(EntryWindowTest, DateButtonsStepFromTheDateShown)
{
    Form1* f = startEntryWindow();
    Form6* view = forms::show<Form6>();
    f->Text2->setText("09.03.2026");
    gWorkDate = "01.01.2000";
    f->Command5->click();
    EXPECT_EQ(f->Text2->text(), "08.03.2026");
    EXPECT_EQ(f->Label8->text(), "Sonntag");
    EXPECT_EQ(view->Label2->text(), "Sonntag 08.03.2026") << "an open day view follows";

    forms::unload<Form6>();
    f->Text2->setText("28.12.2015");
    f->Command13->click();
    EXPECT_EQ(f->Text2->text(), "04.01.2016");
    EXPECT_EQ(f->Label8->text(), "Sonntag") << "weeks leave the weekday label";
    f->Command11->click();
    f->Command12->click();
    EXPECT_EQ(f->Text2->text(), "29.12.2015");

    f->Text2->setText("kein Datum");
    f->Command5->click();
    EXPECT_EQ(f->Text2->text(), "kein Datum");
    f->Command2->click();
    EXPECT_EQ(f->Text2->text(), "11.03.2026");
    EXPECT_TRUE(green(f->Text2));
}

TEST_F(EntryWindowTest, SchoolWeekOfTheWorkingDate)
{
    const QDate first(2015, 9, 7);
    const std::pair<QDate, int> weeks[] = {
        {{2015, 9, 12}, 1}, {{2015, 9, 13}, 2}, {{2015, 9, 6}, 1}, {{2015, 9, 5}, 0}, {{2015, 8, 29}, -1}};
    for (const auto& [date, week] : weeks)
        EXPECT_EQ(SchoolWeekNumber(first, date), week) << date.toString().toStdString();

    Form1* f = startEntryWindow();
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

    Clock::advance(1);
    f->Timer1_Timer();
    EXPECT_EQ(f->Text1->text() + f->Text3->text(), "");
    EXPECT_FALSE(f->Text3->isEnabled());
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_FALSE(f->Command8->isEnabled());
    EXPECT_FALSE(forms::isOpen<Form6>());
    EXPECT_EQ(f->Text6->text(), "angefangen");
}

TEST_F(EntryWindowTest, IdleTimeRunsOnDateAndTime)
{
    setNow(QDateTime(today, QTime(23, 55)));
    Form1* f = loggedIn();
    Clock::advance(240);
    gLastActivity = static_cast<float>(Clock::secondsSinceMidnight()); // another window, at 23:59
    Clock::advance(540);
    f->Timer1_Timer();
    EXPECT_TRUE(green(f->Text1)) << "nine minutes across midnight";
    f->Text6->setText("y");
    Clock::advance(24 * 3600.0 + 10);
    f->Timer1_Timer();
    EXPECT_FALSE(green(f->Text1)) << "nobody stays logged in into the next day";
}

TEST_F(EntryWindowTest, ActivationCountsTodaysAbsentStudents)
{
    Form1* f = startEntryWindow();
    addStudent("Anna Berger", "4A");
    addStudent("Ben Kurz", "4A");
    addStudent("Cem Ay", "3B");
    writeDay(today, {studentLine("4A", "Anna Berger"), studentLine("3B", "Cem Ay"), studentLine("3B", "Cem Ay", "02")});
    writeDay(today.addDays(-1), {studentLine("4A", "Ben Kurz")});
    f->Text2->setText("10.03.2026");
    gSchoolName = "Testschule am See";
    f->Form_Activate();
    EXPECT_EQ(f->Command17->text(), "3 - 1");
    EXPECT_EQ(f->Label1->text(), "Testschule am See");
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

// The class timetable's close box lay over "eintragen!": a double click on
// it writes nothing, also where the program is busy after the close and the
// second press waits behind it; a click after the double-click interval
// writes.
TEST_F(EntryWindowTest, TheRestOfADoubleClickOnACloseBoxWritesNothing)
{
    using namespace queuedinput;
    const struct {
        const char* what;
        unsigned long busyMs;
        quint64 later;
    } cases[] = {{"at once", 0, 1600}, {"waiting 0.6 s behind the close", 600, 2500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        inputguard::install();
        Form1* f = compose(kindCases()[0]);
        f->Command9->click();
        ASSERT_TRUE(f->Command1->isEnabled());
        Form16* view = forms::ifOpen<Form16>();
        ASSERT_NE(view, nullptr);
        // Both windows whole on the screen, so that neither moves itself
        // back onto it: the close box over the right end of "eintragen!".
        f->move(236, 0);
        view->resize(view->width(), 80);
        const QPoint onButton(f->Command1->width() - 6, f->Command1->height() / 2);
        const QPoint mouse = f->Command1->mapToGlobal(onButton);
        view->move(mouse - (buttonsOf(view) - view->pos()));
        deliver();
        ASSERT_TRUE(f->screen()->geometry().contains(view->frameGeometry()));
        Busy busy(c.busyMs);
        view->installEventFilter(&busy);
        closeBox(view);
        click(f->Command1, mouse, 1000, onButton);
        deliver();
        EXPECT_FALSE(forms::isOpen<Form16>());
        EXPECT_FALSE(datafile::exists(path("20260311.qz")));
        click(f->Command1, mouse, c.later, onButton);
        deliver();
        EXPECT_EQ(readLines("20260311.qz").size(), 1);
        forms::unloadAll();
        QFile::remove(path("20260311.qz"));
    }
}

// After the window manager closed the class timetable, maximised the entry
// window or brought it back from the task bar, a click on "+T" away from the
// window manager's buttons moves the date on, at once or waiting behind the
// change on a busy PC: beside the closed window or where it lay.
TEST_F(EntryWindowTest, AClickAwayFromTheWindowManagersButtonsActsAfterItsChange)
{
    using namespace queuedinput;
    enum Change { CloseBeside, CloseOver, Maximise, Restore };
    const struct {
        const char* what;
        Change change;
        quint64 after;
    } cases[] = {{"0.15 s after a close", CloseBeside, 150},
                 {"waiting 1 s behind a close", CloseBeside, 1000},
                 {"where the closed window lay, 0.15 s after", CloseOver, 150},
                 {"0.25 s after a maximise", Maximise, 250},
                 {"waiting 1 s behind a maximise", Maximise, 1000},
                 {"0.15 s after a restore from the task bar", Restore, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        inputguard::install();
        Form1* f = compose(kindCases()[0]);
        f->Command9->click();
        Form16* view = forms::ifOpen<Form16>();
        ASSERT_NE(view, nullptr);
        f->move(100, 30);
        f->activateWindow();
        deliver();
        QRect to = f->geometry();
        const QPoint plusDay = middleOf(f->Command12);
        if (c.change == Maximise) {
            to.moveTopLeft(QPoint(2, 2));
            maximiseButton(f, to);
        } else if (c.change == Restore) {
            minimiseButton(f);
            deliver();
            restoreButton(f, to);
        } else {
            view->move(c.change == CloseOver ? plusDay - view->rect().center() : plusDay + QPoint(40, 40));
            deliver();
            closeBox(view);
        }
        const QPoint onPlusDay = to.topLeft() + f->Command12->mapTo(f, f->Command12->rect().center());
        const QString date = f->Text2->text();
        mouse(f->Command12, onPlusDay, QEvent::MouseMove, 1000);
        click(f->Command12, onPlusDay, 1000 + c.after);
        deliver();
        ASSERT_EQ(middleOf(f->Command12), onPlusDay);
        EXPECT_EQ(f->Text2->text().toStdString(), nextDay(date));
        forms::unloadAll();
    }
}

// On a busy PC the keys and clicks of the next entry wait behind the write
// of this one: they go into the next entry alone, and nothing is written
// twice but what a teacher sends again.
TEST_F(EntryWindowTest, InputWaitingBehindTheWriteGoesIntoTheNextEntryAlone)
{
    using namespace queuedinput;
    const struct {
        int kind;
        const char* typed;
        int lines;
    } cases[] = {{2, "zweiter", 2}, {2, "", 1}, {5, "zweiter", 2}, {8, "", 2}, {8, "zweiter", 2}};
    for (const auto& c : cases) {
        const KindCase written = kindCases()[c.kind];
        SCOPED_TRACE(written.line.toStdString() + " then " + c.typed);
        Form1* f = compose(written);
        f->activateWindow();
        deliver();
        f->Command9->click();
        click(f->Command1, middleOf(f->Command1), 400);
        const quint64 typedUntil = typed(f, c.typed, 1000);
        click(f->Command9, middleOf(f->Command9), typedUntil + 600);
        click(f->Command1, middleOf(f->Command1), typedUntil + 1200);
        deliver();
        const QStringList lines = readLines("20260311.qz");
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines[0].toStdString(), written.line.toStdString());
        if (c.lines == 2) {
            EXPECT_EQ(lines[1].toStdString(), (written.line.chopped(written.text.trimmed().size()) + c.typed).toStdString());
        }
        QFile::remove(path("20260311.qz"));
        forms::unloadAll();
    }
}
