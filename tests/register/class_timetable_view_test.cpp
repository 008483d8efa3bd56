#include "register/class_timetable_view.h"
#include "tests/register/register_fixture.h"

#include <QLabel>

class ClassTimetableTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        for (int p = 1; p <= 11; ++p)
            gPeriodLabels(p) = QStringLiteral("%1.").arg(p);
        gClassNames(3) = QStringLiteral("4A");
        gSubjectNames(0, 2) = QStringLiteral("=");
        gSubjectNames(7, 2) = QStringLiteral("M");
        gSubjectNames(8, 2) = QStringLiteral("D");
        gTimetable(1, 1, 3, 0) = 7;
        gTimetable(1, 1, 3, 1) = 8;
        gTimetable(2, 3, 3, 0) = 7;
        gTimetable(6, 11, 3, 1) = 8;
        gTimetable(2, 1, 3, 0) = 140;
        gTimetable(1, 2, 4, 0) = 8;
    }
    static QString cell(Form16* f, int day, int period) { return f->Label1[(day - 1) * 11 + period - 1]->text(); }
};

TEST_F(ClassTimetableTest, ShowsTheSchoolsDaysAndPeriodsWithBothGroupRows)
{
    Form16* f = showFor<Form16>("11.03.2026", " 4a ");
    EXPECT_EQ(f->windowTitle(), "Stundenplan 4a");
    EXPECT_TRUE(f->Label2[5]->isHidden());
    EXPECT_TRUE(f->Label1[5 * 11]->isHidden());
    EXPECT_FALSE(f->Label1[4 * 11 + 8]->isHidden());
    EXPECT_TRUE(f->Label1[9]->isHidden());
    EXPECT_TRUE(f->Label4[9]->isHidden());
    EXPECT_EQ(f->Label4[10]->text(), "11.");
    EXPECT_EQ(cell(f, 1, 1), "M D");
    EXPECT_EQ(cell(f, 2, 3), "M ");
    EXPECT_EQ(cell(f, 1, 2), " ") << "a free cell, whatever other classes have";
    EXPECT_EQ(cell(f, 6, 11), " D") << "hidden cells are filled too";
    EXPECT_EQ(cell(f, 2, 1), "? ") << "a subject beyond the subject table";
    f->unload();

    gDaysPerWeek = 6;
    gPeriodsPerDay = 11;
    f = forms::show<Form16>();
    EXPECT_FALSE(f->Label2[5]->isHidden());
    EXPECT_FALSE(f->Label1[65]->isHidden());
    EXPECT_FALSE(f->Label4[10]->isHidden());
}

TEST_F(ClassTimetableTest, AnUnknownOrEmptyClassKeepsTheDesignTexts)
{
    for (const char* cls : {"4b", "  "}) {
        Form16* f = showFor<Form16>("11.03.2026", QString::fromLatin1(cls));
        EXPECT_EQ(f->windowTitle(), "Stundenplan der XY");
        for (QLabel* l : f->Label1)
            EXPECT_EQ(l->text(), "-");
        f->unload();
    }
}
