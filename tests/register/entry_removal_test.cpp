#include "register/class_timetable_view.h"
#include "register/entry_removal.h"
#include "register/password_windows.h"
#include "tests/register/register_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

class EntryRemovalTest : public RegisterTest {
protected:
    Form13* openRemoval()
    {
        typeIntoEntryWindow("11.03.2026", "3a");
        gEntryClass = QStringLiteral("3a");
        gUserShort = QStringLiteral("ABC     ");
        return forms::show<Form13>();
    }

    static QString hidden(int lineNumber) { return QString(50, QLatin1Char(' ')) + QString::number(lineNumber); }

    static void remove(Form13* f, int item)
    {
        f->List1->setListIndex(item);
        f->Command1->click();
    }
};

TEST_F(EntryRemovalTest, ListsOnlyTheTeachersOwnEntriesThatStillStand)
{
    writeLines("20260311.qz", {entryLine({.kind = "03", .shortName = "XY"})});
    EXPECT_EQ(openRemoval()->List1->ListCount(), 0);
    EXPECT_FALSE(forms::ifOpen<Form13>()->Command1->isEnabled());
    forms::unload<Form13>();

    writeLines("20260311.qz", {
        entryLine({.kind = "03", .text = "Brüche", .period = "2"}),
        entryLine({.kind = "03", .text = "fremd", .shortName = "XY"}),
        entryLine({.kind = "05", .text = "entfernt"}),
        removalLine(3),
        entryLine({.kind = "01", .cls = "3A", .text = "krank", .student = "Eva Maier"}),
        entryLine({.kind = "02", .student = "Eva Maier"}),
        entryLine({.kind = "04", .text = "stört", .student = "Max Muster"}),
        entryLine({.kind = "05", .cls = "5B", .text = "andere Klasse"}),
        entryLine({.kind = "06", .cls = "5B", .text = "an alle"}),
        entryLine({.kind = "07", .cls = "5B", .text = "andere Klasse"}),
        entryLine({.kind = "08", .cls = "5B", .text = "Schulfest"}),
        entryLine({.kind = "09", .cls = "5B", .text = "Beamer", .period = "4", .room = "2"}),
        entryLine({.kind = "06", .text = "fremd", .shortName = "ABCD"}),
    });
    gRoomNames(2) = QStringLiteral("EDV 1");
    EXPECT_EQ(openRemoval()->List1->items(), QStringList({
                                                 "Stoff:   2  M        Brüche" + hidden(1),
                                                 "Absenz:  1  Eva Maier fehlt. krank" + hidden(5),
                                                 "zurück:  1  Eva Maier ist wieder da. " + hidden(6),
                                                 "Störung: Max Muster stört" + hidden(7),
                                                 "Info:    an alle" + hidden(9),
                                                 "Termin:  Schulfest" + hidden(11),
                                                 "Raumres.:EDV 1  4 .Eh M        Beamer" + hidden(12),
                                             }));
}

TEST_F(EntryRemovalTest, AppendsTheRemovalLineOfTheSelectedEntry)
{
    QStringList lines(6, entryLine({.kind = "03", .shortName = "XY"}));
    lines << entryLine({.kind = "03", .text = "weg damit"}) << entryLine({.kind = "08"});
    writeLines("20260311.qz", lines);
    Form6* view = openDayView("11.03.2026", "3A");
    ASSERT_EQ(view->List1->ListCount(), 7);

    Form13* f = openRemoval();
    ASSERT_EQ(f->List1->List(1), "Termin:  8") << "an entry without text";
    setNow(QDateTime(today, QTime(10, 6, 0)));
    f->List1->setListIndex(0);
    EXPECT_EQ(f->Label2->text(), "7");
    EXPECT_EQ(f->Label1->text(), "Stoff:   1  M        weg damit");
    f->Command1->click();
    EXPECT_EQ(readLines("20260311.qz").last(), "202603111006ABC     00    7");
    EXPECT_FALSE(forms::isOpen<Form13>());
    EXPECT_EQ(gLastActivity, 36360);
    EXPECT_EQ(view->List1->ListCount(), 6);

    remove(openRemoval(), 0);
    EXPECT_EQ(readLines("20260311.qz").last(), "202603111006ABC     00    8");
    lines = QStringList(999, entryLine({.kind = "05", .shortName = "XY"}));
    writeLines("20260311.qz", lines << entryLine({.kind = "05", .text = "meins"}));
    remove(openRemoval(), 0);
    EXPECT_EQ(readLines("20260311.qz").last(), "202603111006ABC     00    1000");
}

// Removals are listed and signed for the teacher logged in: a name typed over
// the login is no login and widens nothing; Enter on another name ends the
// login, and that name becomes the user only once its password is given, never
// with an empty password file.
TEST_F(EntryRemovalTest, OnlyAFinishedLoginListsAndSignsRemovals)
{
    writeLines("20260311.qz", {entryLine({.kind = "03", .text = "von ABC"}),
                               entryLine({.kind = "03", .text = "von MEI", .shortName = "MEI"}),
                               entryLine({.kind = "03", .text = "von LEER", .shortName = "LEER"}),
                               entryLine({.kind = "05", .text = "namenlos", .shortName = ""})});
    startEntryWindow();
    gTeacherShort(1) = "ABC";
    gTeacherShort(2) = "MEI";
    gTeacherShort(3) = "LEER";
    gClassNames(1) = "3A";
    writeLines("MEI.pw", {"geheim"});
    writeBytes("LEER.pw", "");
    entry->Text2->setText("11.03.2026");
    enter(entry->Text1, "abc");
    enter(entry->Text3, "3a");
    Form6* view = forms::ifOpen<Form6>();
    ASSERT_NE(view, nullptr);
    entry->Text1->setText("MEI");
    view->Command2->click();
    ASSERT_EQ(forms::ifOpen<Form13>()->List1->ListCount(), 1);
    remove(forms::ifOpen<Form13>(), 0);
    EXPECT_EQ(readLines("20260311.qz").last(), "202603110930ABC     00    1");
    view->Command2->click();
    EXPECT_EQ(forms::ifOpen<Form13>()->List1->ListCount(), 0);

    const QByteArray before = readBytes("20260311.qz");
    for (const char* name : {"mei", "leer"}) {
        enter(entry->Text1, name);
        EXPECT_FALSE(forms::isOpen<Form13>()) << "the list of the teacher before goes with the login";
        view->Command2->click();
        Form13* f = forms::ifOpen<Form13>();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->List1->ListCount(), 0) << name;
        remove(f, 0);
        EXPECT_EQ(readBytes("20260311.qz"), before) << name;
    }

    enter(entry->Text1, "mei");
    forms::ifOpen<Form5>()->Text1->setText("geheim");
    view->Command2->click();
    EXPECT_EQ(forms::ifOpen<Form13>()->List1->items(), QStringList{"Stoff:   1  M        von MEI" + hidden(2)});
}

TEST_F(EntryRemovalTest, TheListHidesTheLineNumbersItsItemsCarry)
{
    writeLines("20260311.qz", {entryLine({.kind = "08"}), entryLine({.kind = "03", .text = "Seite 12"}),
                               entryLine({.kind = "05", .text = "Raum 4"})});
    Form13* f = openRemoval();
    QStringList shown;
    for (int i = 0; i < f->List1->ListCount(); ++i)
        shown << f->List1->shownText(i);
    EXPECT_EQ(shown, QStringList({"Termin:", "Stoff:   1  M        Seite 12", "Info:    Raum 4"}));
    f->List1->setListIndex(0);
    EXPECT_EQ(f->Label1->text(), "Termin:");
    EXPECT_EQ(f->Label2->text(), "1");
    f->List1->setListIndex(2);
    EXPECT_EQ(f->Label2->text(), "3");
}

// A removal line of line 22 cut after its "2" would remove line 2, another
// teacher's entry, on every PC: it goes in whole or not at all, the failure
// is told, and the window stays for the retry.
TEST_F(EntryRemovalTest, AFailedAppendLeavesNothingIsToldAndTheRetryRemovesTheEntry)
{
    QStringList lines(21, entryLine({.kind = "03", .text = "fremd", .shortName = "XY"}));
    lines << entryLine({.kind = "03", .text = "weg damit"});
    const QString removal = "202603110930ABC     00    22";
    const struct {
        const char* what;
        bool diskFull; // else a folder stands in place of the day file
        QString reason;
    } cases[] = {
        {"a folder in place of the day file", false, "An Stelle der Datei steht ein Ordner"},
        {"a disk full before the last digit", true, "Die Datei ist zu groß"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const qsizetype told = messages().size();
        writeLines("20260311.qz", lines);
        const QByteArray before = readBytes("20260311.qz");
        Form13* f = openRemoval();
        if (!c.diskFull)
            blockFile("20260311.qz");
        {
            const std::optional<FileSizeLimit> full =
                c.diskFull ? std::optional<FileSizeLimit>(std::in_place, before.size() + removal.size() - 1)
                           : std::nullopt;
            remove(f, 0);
        }
        if (!c.diskFull) {
            unblockFile("20260311.qz");
            writeBytes("20260311.qz", before);
        }
        EXPECT_EQ(readBytes("20260311.qz"), before);
        ASSERT_EQ(messages().size(), told + 1);
        EXPECT_TRUE(messages().last().startsWith("Der Eintrag konnte nicht entfernt werden: Die Datei "));
        EXPECT_TRUE(messages().last().contains("20260311.qz ließ sich nicht beschreiben (" + c.reason + ")"));
        ASSERT_TRUE(forms::isOpen<Form13>());

        f->Command1->click();
        EXPECT_EQ(readBytes("20260311.qz"), before + removal.toLatin1() + "\r\n");
        const QStringList day = LoadDay(path("20260311.qz")).lines;
        EXPECT_EQ(day[1], lines[1]);
        EXPECT_TRUE(day[21].isEmpty());
        EXPECT_FALSE(forms::isOpen<Form13>());
    }
}

TEST_F(EntryRemovalTest, OpenedOnceByTheDayViewAndClosedByTheMainWindow)
{
    writeLines("20260311.qz", {entryLine({.kind = "03", .text = "Brüche"})});
    typeIntoEntryWindow("11.03.2026", "3A");
    gUserShort = QStringLiteral("ABC");
    Form6* view = forms::show<Form6>();
    view->Command2->click();
    Form13* f = forms::ifOpen<Form13>();
    ASSERT_NE(f, nullptr);
    f->List1->setListIndex(0);
    view->Command2->click();
    EXPECT_EQ(forms::ifOpen<Form13>(), f);
    EXPECT_EQ(f->List1->ListIndex(), 0) << "brought to the front, not refilled";

    entry->activate();
    EXPECT_FALSE(forms::isOpen<Form13>());
    forms::show<Form13>();
    forms::show<Form16>();
    setNow(QDateTime(today, QTime(11, 0, 0)));
    entry->Timer1_Timer();
    EXPECT_FALSE(forms::isOpen<Form13>());
    EXPECT_FALSE(forms::isOpen<Form16>());
}

TEST_F(EntryRemovalTest, OnTheDemoSchoolATeacherRemovesAnEntryJustWritten)
{
    startEntryWindow(QStringLiteral(ORVQZ_DEMO_DIR));
    enter(entry->Text1, "bra");
    enter(entry->Text3, "5a");
    enter(entry->Text3, "5A");
    ASSERT_TRUE(forms::isOpen<Form16>()) << "opened afresh by each accepted class";
    EXPECT_EQ(forms::ifOpen<Form16>()->windowTitle(), "Stundenplan 5A");
    EXPECT_NE(forms::ifOpen<Form16>()->Label1[0]->text().trimmed(), "") << "the demo plan is loaded at start";
    enter(entry->Text4, "2");
    enter(entry->Text5, "de");
    entry->Option1[2]->click();
    entry->Text6->setText("Gedichte");
    entry->Command9->click();
    entry->Command1->click();
    Form6* view = forms::ifOpen<Form6>();
    ASSERT_EQ(view->List1->items(), QStringList({"2  BRA      De       Gedichte"}));

    view->Command2->click();
    remove(forms::ifOpen<Form13>(), 0);
    EXPECT_EQ(readLines("20260311.qz").last(), "202603110930BRA     00    1");
    EXPECT_EQ(view->List1->ListCount(), 0);
}
