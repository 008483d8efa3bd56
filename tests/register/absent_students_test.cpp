#include "core/model.h"
#include "register/absent_students.h"
#include "register/day_file.h"
#include "tests/register/day_lines.h"
#include "tests/support/fixture.h"

class AbsentStudentsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        const QStringList names = {"Eva Maier", "Max Muster", QString(55, 'L'), "Eva Maier"};
        const QStringList classes = {"2B", "2B", "2B", "3A"};
        for (int i = 0; i < names.size(); ++i) {
            gStudentNames(i + 1) = names[i];
            gStudentClass(i + 1) = classes[i];
        }
        gStudentCount = static_cast<short>(names.size());
    }

    void loadToday(const QStringList& lines)
    {
        writeLines("20260311.qz", lines);
        gDayFilePath = DayFilePath(QDate(2026, 3, 11));
        LoadDayEntries();
    }

    QList<short> absent() const
    {
        QList<short> out;
        for (int i = 1; i <= gStudentCount; ++i)
            out << gStudentAbsent(i);
        return out;
    }

    static QString absence(const QString& student, const QString& cls = "2B")
    {
        return entryLine({.kind = "01", .cls = cls, .student = student});
    }
    static QString comeBack(const QString& student) { return entryLine({.kind = "02", .cls = "2B", .student = student}); }
};

TEST_F(AbsentStudentsTest, TheLaterOfAbsenceAndReturnDecides)
{
    loadToday({absence("Eva Maier"), comeBack("Eva Maier"), comeBack("Max Muster"), absence("Max Muster")});
    MarkAbsentStudents();
    EXPECT_EQ(absent(), QList<short>({0, 1, 0, 0}));
}

TEST_F(AbsentStudentsTest, CancelledAbsenceAndEmptyDayLeaveStudentsPresent)
{
    gStudentAbsent(1) = 1;
    loadToday({absence("Eva Maier"), removalLine(1)});
    MarkAbsentStudents();
    EXPECT_EQ(absent(), QList<short>({0, 0, 0, 0}));

    gStudentAbsent(2) = 1;
    gDayLineCount = 0;
    MarkAbsentStudents();
    EXPECT_EQ(absent(), QList<short>({0, 0, 0, 0}));
}

TEST_F(AbsentStudentsTest, ClassIgnoresCaseNameCountsCaseAndLongNamesMatchTheirFirst50)
{
    loadToday({absence("Eva Maier", "2b"), absence("max muster"), absence(QString(55, 'L'))});
    MarkAbsentStudents();
    EXPECT_EQ(absent(), QList<short>({1, 0, 1, 0}));
}

class LessonContentLookupTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gSearchClass = "4A";
        gSearchSubject = "M";
    }

    void writeDay(int daysAgo, const QStringList& lines) const
    {
        writeLines(DayFilePath(QDate(2026, 3, 11).addDays(-daysAgo)).section('/', -1), lines);
    }

    static QString content(const QString& shortName, const QString& text = "Brüche",
                           const QString& cls = "4A", const QString& subject = "M")
    {
        return entryLine({.kind = "03", .cls = cls, .text = text, .shortName = shortName, .subject = subject});
    }
};

TEST_F(LessonContentLookupTest, SearchesTheSixtyDaysBeforeToday)
{
    writeDay(0, {content("HEU")});
    writeDay(61, {content("ALT")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "");

    writeDay(60, {content("SECH")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "SECH");
    EXPECT_EQ(gDayFilePath, DayFilePath(QDate(2026, 1, 10)));
}

TEST_F(LessonContentLookupTest, NewestDayFirstFirstLineOfTheDayWins)
{
    writeDay(1, {content("XX", "x", "4B"), content("YY", "x", "4A", "D"), content("ERS"), content("ZWE")});
    writeDay(2, {content("ALT")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "ERS");
}

TEST_F(LessonContentLookupTest, SubstituteLessonsArePassedOverAndClassIgnoresCase)
{
    writeDay(1, {content("SUB", "Supplierung: Brüche")});
    writeDay(3, {content("ECH", "Brüche", "4a")});
    FindLessonContentEntry();
    EXPECT_EQ(gFoundContentShort, "ECH");
}
