#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/day_absences.h"
#include "planner/substitution/substitution_day.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_standings.h"
#include "tests/support/fixture.h"

#include <QCoreApplication>

namespace {

// The demo school's substitution days, read with its plan and ten periods.
class DemoSubstitutionTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        LoadMasterData();
        LoadPlan();
        ASSERT_TRUE(gCheckOk == 1);
    }
    // The one absent teacher of the day read.
    static int absentTeacher()
    {
        int away = 0;
        for (int t = 1; t <= 60; ++t) {
            if (gTeacherAbsence(t) == 1) {
                EXPECT_EQ(away, 0) << "a second absent teacher " << t;
                away = t;
            }
        }
        return away;
    }
    // Every record covers a lesson of the absent teacher in a period marked
    // absent, by a teacher free then or with a code; no lesson is left out.
    static void expectRecordsCoverTheLessons(int day, int absent)
    {
        int lessons = 0;
        for (int p = 1; p <= 10; ++p)
            lessons += gTeacherPlanSubject(absent, day, p) != 0 && gTeacherAbsentPeriods(absent, p) == 1;
        ASSERT_EQ(gSubstRowCount, lessons);
        for (int r = 1; r <= gSubstRowCount; ++r) {
            const int period = gSubstRows(r, 1);
            EXPECT_EQ(gSubstRows(r, 0), absent);
            EXPECT_EQ(gSubstRows(r, 3), gTeacherPlanClass(absent, day, period)) << "record " << r;
            const int standIn = gSubstRows(r, 4);
            EXPECT_TRUE(standIn < 0 || gTeacherPlanSubject(standIn, day, period) == 0) << "stand-in " << standIn;
        }
    }
};

TEST_F(DemoSubstitutionTest, TheWeekReadsBack)
{
    EXPECT_EQ(readLines("date.sup"), (QStringList{"20260914", "20260915", "20260917"}));

    ASSERT_TRUE(ReadSubstitutionDay("20260914"));
    const int ill = absentTeacher();
    EXPECT_EQ(CountAbsenceMarks(AbsenceSide::Teacher, ill).absent, 10) << "away all day";
    EXPECT_EQ(gTeacherPaid(ill), 1);
    expectRecordsCoverTheLessons(1, ill);
    int cancelled = 0;
    for (int r = 1; r <= gSubstRowCount; ++r)
        cancelled += gSubstRows(r, 4) == -2;
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(readLines("20260914.sup").size(), 1071 + 7 * gSubstRowCount);

    ASSERT_TRUE(ReadSubstitutionDay("20260915"));
    const int course = absentTeacher();
    EXPECT_EQ(CountAbsenceMarks(AbsenceSide::Teacher, course).absent, 2);
    EXPECT_TRUE(gTeacherAbsentPeriods(course, 3) == 1 && gTeacherAbsentPeriods(course, 4) == 1);
    expectRecordsCoverTheLessons(2, course);
    EXPECT_GT(gSubstRows(1, 4), 0);
    EXPECT_EQ(gSubstRows(1, 5), 0) << "unpaid";

    ASSERT_TRUE(ReadSubstitutionDay("20260917"));
    EXPECT_EQ(absentTeacher(), 0);
    EXPECT_EQ(AbsentClassList(), "  7a");
    EXPECT_EQ(gSubstRowCount, 0);
}

// The key date lies before the demo week, so the standings before Friday
// carry every substitution held that week, and the export lists them.
TEST_F(DemoSubstitutionTest, TheStandingsAndTheExportCarryTheWeek)
{
    LoadSubstitutionTotals();
    EXPECT_EQ(gKeyDate, Variant("07.09.2026"));
    SubstitutionCounts atKeyDate;
    std::optional<QDate> keyDate;
    ASSERT_TRUE(ReadStandings(keyDate, atKeyDate));
    int held = 0;
    for (const char* key : {"20260914", "20260915", "20260917"}) {
        ASSERT_TRUE(ReadSubstitutionDay(key));
        for (int r = 1; r <= gSubstRowCount; ++r)
            held += gSubstRows(r, 4) > 0;
    }
    gWorkDate = "18.09.2026";
    LoadSubstitutionTotals();
    double added = 0;
    for (int t = 1; t <= 60; ++t)
        added += gSubstCounts(t, 1) + gSubstCounts(t, 2) - atKeyDate(t, 1) - atKeyDate(t, 2);
    EXPECT_GT(held, 0);
    EXPECT_EQ(added, held);

    ASSERT_TRUE(ExportSubstitutionRecords(QDate(2026, 9, 14), QDate(2026, 9, 18)));
    EXPECT_EQ(readLines("MDL.txt").size(), 1 + held);
}

// Cut after 9 of its 10 rows of marks, the demo's Tuesday is whole as a day
// of 9 periods (its teacher away in periods 5 and 6), and is told as one.
TEST_F(DemoSubstitutionTest, ADayCutAfterNineOfItsRowsOfMarksIsToldAsADayOfNinePeriods)
{
    writeLines("20260915.sup", readLines("20260915.sup").mid(0, 1001));
    const QString notice = "Die Tagesdatei 20260915.sup enthält Abwesenheiten für 9 Stunden am Tag, die Schule hat "
                           "jetzt 10 (nach der 9. Stunde ist niemand abwesend eingetragen); wurde die Datei nicht "
                           "mit 9 Stunden am Tag gespeichert, ist sie beschädigt, und ihre Abwesenheiten können an "
                           "falscher Stelle stehen.";
    gWorkDate = "15.09.2026";
    QCoreApplication::sendPostedEvents(forms::show<Form20>(), QEvent::MetaCall);
    EXPECT_EQ(messages(), QStringList{notice});
    const int course = absentTeacher();
    EXPECT_TRUE(gTeacherAbsentPeriods(course, 5) == 1 && gTeacherAbsentPeriods(course, 6) == 1);
    const datafile::WriteResult exported = ExportSubstitutionRecords(QDate(2026, 9, 14), QDate(2026, 9, 18));
    EXPECT_TRUE(exported);
    EXPECT_EQ(exported.reason, "") << "the records come before the marks";
}
}
