#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/day_absences.h"
#include "planner/substitution/substitution_day.h"
#include "platform/datafile.h"
#include "tests/support/fixture.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The demo school's week of substitution days, as make-demo-substitution
// writes them, read with the demo's own plan and ten periods.
class DemoSubstitutionTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDataPath = ORVQZ_DEMO_DIR;
        LoadMasterData();
        LoadPlan();
        ASSERT_TRUE(gCheckOk == 1);
    }
    static std::vector<int> absentTeachers()
    {
        std::vector<int> away;
        for (int t = 1; t <= 60; ++t) {
            if (gTeacherAbsence(t) == 1)
                away.push_back(t);
        }
        return away;
    }
    static int absentPeriods(int t)
    {
        return CountAbsenceMarks(AbsenceSide::Teacher, t).absent;
    }
    // Every record covers a lesson of the absent teacher in an absent period,
    // by a teacher who is free then, or carries a code.
    static void expectRecordsCoverTheLessons(int day, int absent)
    {
        int lessons = 0;
        for (int p = 1; p <= SubstitutionPeriods(); ++p)
            lessons += gTeacherPlanSubject(absent, day, p) != 0 && gTeacherAbsentPeriods(absent, p) == 1;
        ASSERT_EQ(gSubstRowCount, lessons);
        for (int r = 1; r <= gSubstRowCount; ++r) {
            const int period = gSubstRows(r, 1);
            EXPECT_EQ(gSubstRows(r, 0), absent);
            EXPECT_TRUE(gTeacherAbsentPeriods(absent, period) == 1) << "record " << r;
            EXPECT_EQ(gSubstRows(r, 2), gTeacherPlanSubject(absent, day, period));
            EXPECT_EQ(gSubstRows(r, 3), gTeacherPlanClass(absent, day, period));
            const int standIn = gSubstRows(r, 4);
            if (standIn > 0) {
                EXPECT_EQ(gTeacherPlanSubject(standIn, day, period), 0) << "stand-in " << standIn << " teaches then";
            }
        }
    }
};

TEST_F(DemoSubstitutionTest, TheWeekReadsBack)
{
    EXPECT_EQ(datafile::readLines(gDataPath + "date.sup").value_or(QStringList{}),
              (QStringList{"20260914", "20260915", "20260917"}));
    ASSERT_EQ(SubstitutionPeriods(), 10);

    ASSERT_TRUE(ReadSubstitutionDay("20260914"));
    ASSERT_EQ(absentTeachers().size(), 1u);
    const int ill = absentTeachers()[0];
    EXPECT_EQ(absentPeriods(ill), 10) << "away all day";
    EXPECT_EQ(gTeacherAbsenceReason(ill), "krank");
    EXPECT_EQ(gTeacherPaid(ill), 1);
    expectRecordsCoverTheLessons(1, ill);
    int cancelled = 0, paid = 0;
    for (int r = 1; r <= gSubstRowCount; ++r) {
        cancelled += gSubstRows(r, 4) == -2;
        paid += gSubstRows(r, 4) > 0 && gSubstRows(r, 5) == 1;
    }
    EXPECT_EQ(cancelled, 1);
    EXPECT_GE(paid, 1);
    EXPECT_EQ(datafile::readLines(SubstitutionDayFile("20260914"))->size(), 1071 + 7 * gSubstRowCount);

    ASSERT_TRUE(ReadSubstitutionDay("20260915"));
    ASSERT_EQ(absentTeachers().size(), 1u);
    const int course = absentTeachers()[0];
    EXPECT_EQ(absentPeriods(course), 2);
    EXPECT_TRUE(gTeacherAbsentPeriods(course, 3) == 1 && gTeacherAbsentPeriods(course, 4) == 1);
    EXPECT_EQ(gTeacherPaid(course), 0);
    expectRecordsCoverTheLessons(2, course);
    for (int r = 1; r <= gSubstRowCount; ++r) {
        EXPECT_GT(gSubstRows(r, 4), 0);
        EXPECT_EQ(gSubstRows(r, 5), 0) << "unpaid";
    }

    ASSERT_TRUE(ReadSubstitutionDay("20260917"));
    EXPECT_TRUE(absentTeachers().empty());
    EXPECT_EQ(AbsentClassList(), "  7a");
    EXPECT_EQ(gSubstRowCount, 0);
}

TEST_F(DemoSubstitutionTest, TheAbsencesWindowShowsTheDemoWeek)
{
    // The window saves its position on closing: it works on a copy of the days.
    for (const QString name : {"date.sup", "20260914.sup", "20260915.sup", "20260917.sup"})
        ASSERT_TRUE(datafile::copy(gDataPath + name, path(name)));
    gDataPath = path(QString());
    gWorkDate = "14.09.2026";
    Form20* f = forms::show<Form20>();
    EXPECT_FALSE(f->Label5->text().isEmpty());
    f->Command13->click();
    f->Command13->click();
    f->Command13->click();
    EXPECT_EQ(f->Label8->text(), "Donnerstag");
    EXPECT_EQ(f->Label5->text(), "");
    EXPECT_EQ(f->Label10->text(), "  7a");
}
}
