#include "core/plan_files.h"
#include "planner/editor/editor_support.h"
#include "tests/planner/optimiser_school_fixture.h"

// The plans the optimiser saves on the generated school must pass the
// editor's error check in every cell.
class OptimiserPlanCheckTest : public OptimiserSchoolTest {
protected:
    // The error check's refusals over the week of plan "0" as read back.
    static QStringList refusalsOfPlanZero()
    {
        gPlanName = QStringLiteral("0");
        LoadPlan();
        RebuildTeacherTimetables();
        QStringList refusals;
        for (const editor::HalfCell& cell : editor::refusedLessons()) {
            editor::passesErrorCheck(cell);
            refusals << QStringLiteral("%1 day %2 period %3: %4 - %5")
                            .arg(gClassNames(cell.cls).toString())
                            .arg(cell.day)
                            .arg(cell.period)
                            .arg(gSubjectNames(gTimetable(cell.day, cell.period, cell.cls, cell.half), 1))
                            .arg(gText.toString());
        }
        return refusals;
    }
};

TEST_F(OptimiserPlanCheckTest, FillRunsSavePlansTheErrorCheckAccepts)
{
    for (const unsigned seed : {1u, 2u, 3u})
        for (const bool ai : {false, true}) {
            buildSchool(seed);
            generated_school::clearOpenLessons();
            run(kFill, seed, 4, ai);
            const QStringList refusals = refusalsOfPlanZero();
            EXPECT_TRUE(refusals.isEmpty()) << "seed " << seed << (ai ? " with ai\n" : "\n")
                                            << refusals.join(QLatin1Char('\n')).toStdString();
        }
}

TEST_F(OptimiserPlanCheckTest, SearchAndImprovementSavePlansTheErrorCheckAccepts)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        buildSchool(seed);
        generated_school::openOneDayOfThreeClasses(1 + seed % 5);
        run(kSearch, seed, 2000);
        QStringList refusals = refusalsOfPlanZero();
        EXPECT_TRUE(refusals.isEmpty()) << "Modus 1, seed " << seed << "\n"
                                        << refusals.join(QLatin1Char('\n')).toStdString();
        buildSchool(seed);
        run(kImprove, seed, 2000);
        refusals = refusalsOfPlanZero();
        EXPECT_TRUE(refusals.isEmpty()) << "Modus 2, seed " << seed << "\n"
                                        << refusals.join(QLatin1Char('\n')).toStdString();
    }
}
