#include "register/class_timetable_view.h"
#include "tests/register/entry_window_start.h"

#include <QLabel>

class ClassTimetableTest : public EntryWindowFieldsTest {
protected:
    void SetUp() override
    {
        EntryWindowFieldsTest::SetUp();
        typeIntoEntryWindow("11.03.2026", " 4a ");
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        for (int p = 1; p <= 11; ++p)
            gPeriodLabels(p) = QStringLiteral("%1.").arg(p);
        gClassNames(3) = QStringLiteral("4A");
        gSubjectNames(0, 2) = QStringLiteral("=");
        gSubjectNames(7, 1) = QStringLiteral("Mathe");
        gSubjectNames(7, 2) = QStringLiteral("M");
        gSubjectNames(8, 2) = QStringLiteral("D");
    }
    static QString cell(Form16* f, int day, int period) { return f->Label1[(day - 1) * 11 + period - 1]->text(); }
};

TEST_F(ClassTimetableTest, HidesTheDaysAndPeriodsTheSchoolDoesNotHave)
{
    Form16* f = forms::show<Form16>();
    EXPECT_TRUE(f->Label2[5]->isHidden());
    EXPECT_FALSE(f->Label2[4]->isHidden());
    EXPECT_FALSE(f->Label1[4 * 11 + 8]->isHidden());  // Friday, period 9
    EXPECT_TRUE(f->Label1[5 * 11]->isHidden());       // Saturday, period 1
    EXPECT_TRUE(f->Label1[9]->isHidden());            // Monday, period 10
    EXPECT_TRUE(f->Label4[9]->isHidden());
    EXPECT_TRUE(f->Label4[10]->isHidden());
    EXPECT_EQ(f->Label4[8]->text(), "9.");
    EXPECT_EQ(f->Label4[10]->text(), "11.");
    f->unload();

    gDaysPerWeek = 6;
    gPeriodsPerDay = 11;
    f = forms::show<Form16>();
    EXPECT_FALSE(f->Label2[5]->isHidden());
    EXPECT_FALSE(f->Label1[65]->isHidden());
    EXPECT_FALSE(f->Label4[10]->isHidden());
}

TEST_F(ClassTimetableTest, ShowsBothGroupRowsByTheirPrintShortNames)
{
    gTimetable(1, 1, 3, 0) = 7;
    gTimetable(1, 1, 3, 1) = 8;
    gTimetable(2, 3, 3, 0) = 7;
    gTimetable(6, 11, 3, 1) = 8;  // hidden, but filled all the same
    gTimetable(1, 2, 4, 0) = 8;   // another class
    Form16* f = forms::show<Form16>();
    EXPECT_EQ(f->windowTitle(), "Stundenplan 4a");
    EXPECT_EQ(gEntryClass, "4a");
    EXPECT_EQ(cell(f, 1, 1), "M D");
    EXPECT_EQ(cell(f, 2, 3), "M ");
    EXPECT_EQ(cell(f, 1, 2), " ");
    EXPECT_EQ(cell(f, 6, 11), " D");
}

TEST_F(ClassTimetableTest, AnUnknownOrEmptyClassKeepsTheDesignTexts)
{
    gTimetable(1, 1, 3, 0) = 7;
    for (const char* cls : {"4b", "  "}) {
        typeIntoEntryWindow("11.03.2026", QString::fromLatin1(cls));
        Form16* f = forms::show<Form16>();
        EXPECT_EQ(f->windowTitle(), "Stundenplan der XY");
        for (QLabel* l : f->Label1)
            EXPECT_EQ(l->text(), "-");
        EXPECT_EQ(f->Label4[0]->text(), "1.");
        f->unload();
    }
}

TEST_F(ClassTimetableTest, ASubjectNumberBeyondTheSubjectTableIsMarked)
{
    gTimetable(1, 1, 3, 0) = 140;
    EXPECT_EQ(cell(forms::show<Form16>(), 1, 1), "? ");
}

TEST_F(ClassTimetableTest, AcceptingAClassOpensItAfreshAndTheLogoutClosesIt)
{
    gTeacherShort(1) = QStringLiteral("ABC");
    Form1* entry = entryWindow();
    enter(entry->Text1, "abc");
    gTimetable(1, 1, 3, 0) = 7;
    enter(entry->Text3, "4a");
    Form16* first = forms::ifOpen<Form16>();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cell(first, 1, 1), "M ");

    gTimetable(1, 1, 3, 1) = 8;
    enter(entry->Text3, "4A");
    Form16* second = forms::ifOpen<Form16>();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->windowTitle(), "Stundenplan 4A");
    EXPECT_EQ(cell(second, 1, 1), "M D");

    enter(entry->Text3, "4b");
    EXPECT_FALSE(forms::isOpen<Form16>()) << "an unknown class closes the timetable and opens none";
    enter(entry->Text3, "4a");
    setNow(QDateTime(QDate(2026, 3, 11), QTime(11, 0, 0)));
    entry->Timer1_Timer();
    EXPECT_FALSE(forms::isOpen<Form16>());
}
