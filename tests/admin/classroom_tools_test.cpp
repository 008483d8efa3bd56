#include "admin/classroom_tools.h"
#include "admin/time_up_window.h"
#include "platform/runtime.h"
#include "register/class_day_view.h"
#include "register/class_timetable_view.h"
#include "register/week_details.h"
#include "register/week_overview.h"
#include "tests/register/register_fixture.h"

#include <QLabel>
#include <QPushButton>

class ClassroomToolsTest : public RegisterTest {
protected:
    const QList<std::pair<QString, QString>> threeOf4A{{"Anna", "4A"}, {"Berta", "4A"}, {"Carl", "4A"}};

    // Students as (name, class), in the order of the student list.
    Form39* open(const QString& cls, const QList<std::pair<QString, QString>>& students)
    {
        typeIntoEntryWindow(QStringLiteral("12.03.2026"), cls);
        for (const auto& [name, studentClass] : students)
            addStudent(name, studentClass);
        return forms::show<Form39>();
    }
    static QStringList selected(const Form39* f)
    {
        QStringList out;
        for (int i = 0; i < f->List1->count(); ++i)
            if (f->List1->item(i)->isSelected())
                out << f->List1->List(i);
        return out;
    }
    // The first two of the thousand swaps with position 1 take positions 3
    // and 2, the others position 1.
    static void drawSwaps()
    {
        std::vector<double> draws(1000, 0.0);
        draws[0] = 0.7;
        draws[1] = 0.4;
        runtime::scriptRandom(draws);
    }
};

TEST_F(ClassroomToolsTest, ListsTheClassWithTheStudentsPresentOnTheEntryWindowsDateSelected)
{
    writeDay(QDate(2026, 3, 12), {studentLine("2A", "Berta")});
    writeDay(today, {studentLine("2A", "Anna")});
    Form39* f = open(" 2a ", {{"Anna", "2A"}, {"Berta", "2a"}, {"Carl", "12A"}, {"Dora", "3B"}});
    EXPECT_EQ(gEntryClass, "2A");
    EXPECT_EQ(f->List1->items(), (QStringList{"Anna", "Berta", "Carl"}));
    EXPECT_EQ(selected(f), (QStringList{"Anna", "Carl"}));
    EXPECT_EQ(f->Label1->text(), "2");
    EXPECT_TRUE(f->Command1->isEnabled() && f->Command2->isEnabled());

    // A click toggles an entry; a manual choice lasts until the next activation.
    QTest::mouseClick(f->List1->viewport(), Qt::LeftButton, {}, f->List1->visualItemRect(f->List1->item(0)).center());
    EXPECT_EQ(selected(f), QStringList{"Carl"});
    EXPECT_EQ(f->Label1->text(), "1");
    EXPECT_FALSE(f->Command1->isEnabled() || f->Command2->isEnabled());

    // Without a class everybody takes part; without a date, today's absences count.
    entry->Text3->setText("");
    entry->Text2->setText("kein Datum");
    entry->activate();
    f->activate();
    EXPECT_EQ(selected(f), (QStringList{"Berta", "Carl", "Dora"}));
}

TEST_F(ClassroomToolsTest, ShuffleAndGroupsFollowTheDrawsAndListGroupOneFirst)
{
    Form39* f = open("4A", threeOf4A);
    drawSwaps(); // Anna Berta Carl -> Carl Berta Anna -> Berta Carl Anna
    f->Command1->click();
    EXPECT_EQ(f->List2->items(), (QStringList{" 1 Berta", " 2 Carl", " 3 Anna"}));
    drawSwaps();
    f->Command2->click();
    EXPECT_EQ(f->List2->items(), (QStringList{" 1 Anna", " 1 Berta", " 2 Carl"}));
}

TEST_F(ClassroomToolsTest, AHundredParticipantsKeepTheirOrderAndMoreAreRefused)
{
    QList<std::pair<QString, QString>> school;
    for (int i = 1; i <= 101; ++i)
        school << std::pair{QStringLiteral("Kind %1").arg(i), QStringLiteral("1A")};
    Form39* f = open("", school);
    f->Command1->click();
    EXPECT_EQ(f->List2->ListCount(), 0);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("höchstens 100"));

    f->List1->item(0)->setSelected(false);
    f->Command1->click();
    ASSERT_EQ(f->List2->ListCount(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(f->List2->List(i).left(3), QString::number(i + 1).rightJustified(3));
}

TEST_F(ClassroomToolsTest, GroupCountIsConfirmedByEnterBetweenOneAndTen)
{
    Form39* f = open("4A", threeOf4A);
    for (const auto& [count, valid] : {std::pair{"0", false}, {"11", false}, {"2.5", false}, {"10", true}, {"1", true}}) {
        f->Text1->setText(count);
        EXPECT_FALSE(green(f->Text1) || f->Command2->isEnabled()) << count;
        QTest::keyClick(f->Text1, Qt::Key_Return);
        EXPECT_EQ(green(f->Text1), valid) << count;
        EXPECT_EQ(f->Command2->isEnabled(), valid) << count;
    }
    // A click in the list enables "Gruppen" again, but never for a count
    // Enter would refuse.
    f->Text1->setText("3");
    f->List1_Click();
    EXPECT_TRUE(f->Command2->isEnabled());
    f->Text1->setText("11");
    f->List1_Click();
    EXPECT_FALSE(f->Command2->isEnabled());
    f->List1->item(0)->setSelected(false);
    f->List1->item(1)->setSelected(false);
    enter(f->Text1, "2");
    EXPECT_FALSE(green(f->Text1)) << "one student cannot form groups";
}

TEST_F(ClassroomToolsTest, CountdownStepsEndsInTheSignalWindowAndStopsWhenClosed)
{
    Form39* f = open("4A", {});
    const auto step = [&](const char* minutes, const char* seconds) {
        f->Text2->setText(minutes);
        f->Text3->setText(seconds);
        f->Timer1_Timer();
        return f->Text2->text() + ":" + f->Text3->text();
    };
    f->Command3->click();
    EXPECT_EQ(step("5", "0"), "4:59");
    EXPECT_EQ(step("0", "1"), "0:0");
    EXPECT_FALSE(forms::isOpen<Form59>());
    EXPECT_EQ(step("1", "-5"), "0:59") << "negative seconds count as none";
    EXPECT_TRUE(f->Timer1->isEnabled());
    EXPECT_EQ(step("0", "0"), "0:0");
    EXPECT_FALSE(f->Timer1->isEnabled());

    Form59* signal = forms::ifOpen<Form59>();
    ASSERT_TRUE(signal && signal->Timer1->isEnabled());
    signal->Timer1_Timer();
    EXPECT_FALSE(forms::isOpen<Form59>());

    f->Command3->click();
    f->Command14->click();
    EXPECT_FALSE(f->Timer1->isEnabled());
    EXPECT_EQ(readLines("qzTopLeft.dat").size(), 140);
}

TEST_F(ClassroomToolsTest, ToolsButtonClosesTheClassViewsAndAKeywordOpensToolsAtStart)
{
    startEntryWindow();
    forms::show<Form6>();
    forms::show<Form16>();
    forms::show<Form17>();
    forms::show<Form68>();
    entry->Command14_Click();
    EXPECT_TRUE(forms::isOpen<Form39>());
    EXPECT_FALSE(forms::isOpen<Form6>() || forms::isOpen<Form16>() || forms::isOpen<Form17>() ||
                 forms::isOpen<Form68>());

    for (const auto& [keyword, opens] : {std::pair{"Sonne", true}, {"", false}}) {
        forms::unloadAll();
        writeLines("code.dat", {keyword, "Mond"});
        startEntryWindow();
        EXPECT_EQ(forms::isOpen<Form39>(), opens) << keyword;
    }
}

TEST_F(ClassroomToolsTest, AnUnreadableDayFileIsToldOnceAndNeverDrawnAsAStudent)
{
    blockFile("20260312.qz");
    Form39* f = open("2A", {{"Anna", "2A"}});
    forms::show<Form6>()->activate();
    f->activate();
    EXPECT_EQ(messages(), QStringList{"Die Tagesdatei 20260312.qz konnte nicht gelesen werden: "
                                      "An Stelle der Datei steht ein Ordner."});
    EXPECT_EQ(f->List1->items(), QStringList{"Anna"});
}

TEST_F(ClassroomToolsTest, AThousandStudentsAreListedAndThosePresentSelected)
{
    QList<std::pair<QString, QString>> school;
    QStringList absences, expectedSelected;
    for (int i = 1; i <= 1000; ++i) {
        const QString name = QStringLiteral("Müller-Lüdenscheidt %1 Anna-Katharina").arg(i);
        const QString cls = QStringLiteral("%1B").arg(5 + i % 6);
        school << std::pair{name, cls};
        if (i % 7 == 0)
            absences << studentLine(cls, name);
        else
            expectedSelected << name;
    }
    writeDay(QDate(2026, 3, 12), absences);
    Form39* f = open("", school);
    EXPECT_EQ(f->List1->ListCount(), 1000);
    EXPECT_EQ(selected(f), expectedSelected);
    EXPECT_EQ(f->Label1->text(), "858");
}
