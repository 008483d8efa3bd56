#include "register/absent_students.h"
#include "tests/register/register_fixture.h"

class AbsentStudentsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        const QStringList names = {"Eva Maier", "Max Muster", QString(55, 'L'), "Eva Maier", "Ayşe\tKaya"};
        for (int i = 0; i < names.size(); ++i)
            addStudent(names[i], i == 3 ? "3A" : "2B");
    }

    QList<short> absentAfter(const QStringList& lines)
    {
        writeLines("20260311.qz", lines);
        gDayFilePath = DayFilePath(today);
        LoadDayEntries();
        MarkAbsentStudents();
        return {gStudentAbsent(1), gStudentAbsent(2), gStudentAbsent(3), gStudentAbsent(4), gStudentAbsent(5)};
    }

    static QString line(const char* kind, const QString& student, const QString& cls = "2B")
    {
        return entryLine({.kind = kind, .cls = cls, .student = student});
    }
};

TEST_F(AbsentStudentsTest, TheLaterOfAbsenceAndReturnDecidesACancelledOneDoesNotAct)
{
    EXPECT_EQ(absentAfter({line("01", "Eva Maier"), line("02", "Eva Maier"), line("02", "Max Muster"),
                           line("01", "Max Muster")}),
              QList<short>({0, 1, 0, 0, 0}));
    EXPECT_EQ(absentAfter({line("01", "Eva Maier"), removalLine(1)}), QList<short>({0, 0, 0, 0, 0}));
    EXPECT_EQ(absentAfter({}), QList<short>({0, 0, 0, 0, 0}));
    // The class ignores case, the name does not; a name matches as a line holds it: long names by
    // their first 50 characters, characters beyond the code page as "?".
    EXPECT_EQ(absentAfter({line("01", "Eva Maier", "2b"), line("01", "max muster"), line("01", QString(55, 'L')),
                           line("01", "Ayşe\tKaya")}),
              QList<short>({1, 0, 1, 0, 1}));
}

class LessonContentLookupTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        gSearchClass = "4A";
        gSearchSubject = "M";
    }

    void writeDaysAgo(int days, const QStringList& lines) const { writeDay(today.addDays(-days), lines); }
};

TEST_F(LessonContentLookupTest, SearchesTheSixtyDaysBeforeToday)
{
    writeDaysAgo(0, {contentLine("M", "HEU")});
    writeDaysAgo(61, {contentLine("M", "ALT")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "");
    writeDaysAgo(60, {contentLine("M", "SECH")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "SECH");
}

TEST_F(LessonContentLookupTest, NewestDayAndFirstLineWinSubstitutesArePassedOver)
{
    writeDaysAgo(1, {contentLine("M", "SUB", "4A", "Supplierung"), contentLine("M", "XX", "4B"), contentLine("D", "YY"),
                     contentLine("M", "ERS", "4a"), contentLine("M", "ZWE")});
    writeDaysAgo(2, {contentLine("M", "ALT")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "ERS");
    EXPECT_EQ(gDayFilePath, path("20260310.qz"));
}
