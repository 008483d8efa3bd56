#include "admin/students_present.h"
#include "tests/register/register_fixture.h"

#include <QPushButton>

class StudentsPresentTest : public RegisterTest {
protected:
    // Students "<cls> 1" .. "<cls> n".
    void addClass(const QString& cls, int n)
    {
        for (int i = 1; i <= n; ++i)
            addStudent(QStringLiteral("%1 %2").arg(cls).arg(i), cls);
    }
};

TEST_F(StudentsPresentTest, CountsEachClassUnderItsOwnSpellingAndListsTheAbsentByClassAndName)
{
    gClassNames(1) = "2b";
    gClassNames(2) = "2a";
    gClassNames(5) = "5C";
    addClass("2a", 25);
    addClass("2b", 24);
    addStudent("Zoe Alt", "5c");
    addStudent("Gast Kind", "9x");
    writeDay(today, {studentLine("2a", "2a 7"), studentLine("2a", "2a 12"), studentLine("2a", "2a 3"),
                     studentLine("5c", "Zoe Alt"), studentLine("9x", "Gast Kind"), studentLine("2b", "2b 1"),
                     studentLine("2b", "2b 1", "02")});
    writeDay(today.addDays(-1), {studentLine("2b", "2b 2")});

    Form12* f = forms::show<Form12>();
    EXPECT_EQ(f->List1->items(), (QStringList{"2b: 24", "2a: 25 - 3", "5C: 1 - 1"}));
    EXPECT_EQ(f->List2->items(),
              (QStringList{"2a - 2a 12", "2a - 2a 3", "2a - 2a 7", "5c - Zoe Alt", "9x - Gast Kind"}));
}

TEST_F(StudentsPresentTest, LastSlotOfANameWinsAndNoSlotHoldsStudentsWithoutAClass)
{
    gClassNames(1) = "7A";
    gClassNames(3) = "7a";
    addStudent("Ohne Klasse", "");
    addClass("7A", 999);
    gStudentCount = 1200; // beyond the table: what it holds counts
    Form12* f = forms::show<Form12>();
    EXPECT_EQ(f->List1->items(), QStringList{"7a: 999"});
    EXPECT_EQ(f->List2->ListCount(), 0);
}

TEST_F(StudentsPresentTest, TheMainWindowsButtonOpensItWithAbsencesEnteredSinceItsActivation)
{
    Form1* main = startEntryWindow();
    gClassNames(1) = "4A";
    addClass("4A", 3);
    gTeacherShort(1) = "ABC";
    enter(main->Text1, "ABC");
    main->Form_Activate();
    // Written since, by this PC or another, while the main window stayed active.
    appendToDay(today, studentLine("4A", "4A 2"));
    main->Command17->click();
    Form12* f = forms::ifOpen<Form12>();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->List1->items(), QStringList{"4A: 3 - 1"});
    EXPECT_EQ(f->List2->items(), QStringList{"4A - 4A 2"});

    appendToDay(today, studentLine("4A", "4A 3"));
    main->Command17->click();
    EXPECT_EQ(f->List1->items(), QStringList{"4A: 3 - 1"}) << "not refreshed while open";
    f->Command4->click();
    EXPECT_FALSE(forms::isOpen<Form12>());
    EXPECT_TRUE(QFile::exists(path("qzTopLeftABC.dat")));
    main->Command17->click();
    EXPECT_EQ(forms::ifOpen<Form12>()->List1->items(), QStringList{"4A: 3 - 2"});
}

TEST_F(StudentsPresentTest, AnUnreadableDayFileIsToldInsteadOfCountingEveryonePresent)
{
    gClassNames(1) = "2a";
    addClass("2a", 3);
    blockFile(dayFile(today));
    Form12* f = forms::show<Form12>();
    EXPECT_EQ(f->List2->items(), QStringList{"Die Tagesdatei 20260311.qz konnte nicht gelesen werden: "
                                             "An Stelle der Datei steht ein Ordner."});
}
