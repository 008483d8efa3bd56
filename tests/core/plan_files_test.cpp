#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "platform/runtime.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <functional>

namespace {

class PlanFilesTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        teachEverySubject();
    }
    // From the subject file, which is no part of a plan: every subject is taught.
    static void teachEverySubject()
    {
        for (int s = 1; s <= 99; ++s)
            gSubjectAttr(s, 5) = 2;
    }

    // A plan with a value in every cell of the newest layout, six long days.
    static void fillFullPlan()
    {
        gDaysPerWeek = 6;
        gPeriodsPerDay = 11;
        gPlanTitle = QStringLiteral("Probeplan Ü");
        for (int c = 1; c <= 24; ++c) {
            for (int s = 1; s <= 99; ++s) {
                gCurriculumHours(c, s) = static_cast<short>((c + s) % 5);
                gClassSubjectHours(c, s) = Currency::fromUnits(((c * s) % 13) * 2500);
                for (int k = 0; k <= 8; ++k)
                    gSubjectTeachers(c, s, k) = static_cast<short>((c * 7 + s * 3 + k) % 61);
            }
        }
        gClassSubjectHours(1, 1) = Currency::fromUnits(25000);
        gClassSubjectHours(1, 2) = Currency::fromUnits(-2500);
        for (int d = 1; d <= 6; ++d)
            for (int p = 1; p <= 11; ++p)
                for (int c = 1; c <= 24; ++c)
                    for (int h = 0; h <= 1; ++h) {
                        gTimetable(d, p, c, h) = static_cast<short>(1 + (d * 11 + p + c * 3 + h) % 99);
                        gFixations(d, p, c, h) = static_cast<short>((d + p + c + h) % 6);
                    }
        for (int t = 1; t <= 60; ++t) {
            gTeacherPlanExtra(t) = t % 4;
            for (int d = 1; d <= 6; ++d)
                for (int p = 1; p <= 11; ++p)
                    gTeacherUnavailable(t, d, p) = static_cast<short>((t + d + p) % 11 == 0 ? 9 : 0);
        }
    }

    void save(const QString& plan)
    {
        gPlanName = plan;
        SavePlan();
    }
    void load(const QString& plan)
    {
        gPlanName = plan;
        LoadPlan();
    }

    // A plan file of `count` number lines, the i-th (from 0) holding value(i).
    void writeNumbers(const QString& name, int count, const std::function<int(int)>& value) const
    {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral(" %1 ").arg(value(i));
        writeLines(name, lines);
    }
    void writeHeader(const QString& plan, int days, int periods, const QString& version) const
    {
        writeLines("T&E" + plan + ".xxx", {QStringLiteral(" %1 ").arg(days), QStringLiteral(" %1 ").arg(periods),
                                           "Alter Plan", version});
    }

    QStringList planList() const { return readLines(QStringLiteral("Pläne.lst")); }
    void writePlanList(const QStringList& lines) const { writeLines(QStringLiteral("Pläne.lst"), lines); }
};

int countLessons()
{
    int n = 0;
    for (int d = 0; d <= 7; ++d)
        for (int p = 0; p <= 13; ++p)
            for (int c = 0; c <= 25; ++c)
                for (int h = 0; h <= 2; ++h)
                    n += gTimetable(d, p, c, h) != 0;
    return n;
}

TEST_F(PlanFilesTest, RoundTripReproducesThePlan)
{
    fillFullPlan();
    save("12");
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(runtime::beepCount(), 0);

    EXPECT_EQ(readLines("T&E12.xxx"), (QStringList{" 6 ", " 11 ", "Probeplan Ü", "9.0"}));
    EXPECT_EQ(readLines("LFV12.xxx").size(), 21384);
    EXPECT_EQ(readLines("KSP12.xxx").size(), 6 * 11 * 24 * 2 * 2);
    EXPECT_EQ(readLines("STU12.xxx").size(), 2376);
    EXPECT_EQ(readLines("LKN12.xxx").size(), 60 * 6 * 11);
    EXPECT_EQ(readLines("KOP12.xxx").size(), 180);
    const QStringList hours = readLines("SPW12.xxx");
    ASSERT_EQ(hours.size(), 2376);
    EXPECT_EQ(hours[0], " 2,5 ");
    EXPECT_EQ(hours[1], "-0,25 ");
    EXPECT_TRUE(readBytes("STU12.xxx").startsWith(" 2 \r\n 3 \r\n"));

    resetModel();
    InitialiseConstants();
    gDataPath = m_dir.path() + "/";
    teachEverySubject();
    load("12");
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(runtime::beepCount(), 0);
    EXPECT_TRUE(gDaysPerWeek == 6);
    EXPECT_TRUE(gPeriodsPerDay == 11);
    EXPECT_EQ(gPlanTitle, "Probeplan Ü");
    EXPECT_EQ(gClassSubjectHours(1, 1), Currency::fromUnits(25000));
    EXPECT_EQ(gSubjectTeachers(24, 99, 8), (24 * 7 + 99 * 3 + 8) % 61);
    EXPECT_EQ(gTimetable(6, 11, 24, 1), 1 + (6 * 11 + 11 + 24 * 3 + 1) % 99);
    const int teacher = gSubjectTeachers(24, gTimetable(6, 11, 24, 1), 0);
    EXPECT_EQ(gTeacherPlanSubject(teacher, 6, 11) != 0, true) << "teacher-side tables rebuilt";

    // Saved again, every file is the same byte for byte.
    save("13");
    for (const char* tag : {"T&E", "LFV", "KSP", "STU", "SPW", "LKN", "KOP"})
        EXPECT_EQ(readBytes(QString(tag) + "13.xxx"), readBytes(QString(tag) + "12.xxx")) << tag;
}

TEST_F(PlanFilesTest, OlderLayouts)
{
    // 8.5: six teacher slots per subject; the slots after them do not survive.
    gSubjectTeachers(1, 1, 7) = 33;
    writeHeader("1", 5, 9, "8.5");
    writeNumbers("LFV1.xxx", 24 * 99 * 6, [](int i) { return i % 60 + 1; });
    load("1");
    EXPECT_EQ(gSubjectTeachers(1, 1, 5), 6);
    EXPECT_EQ(gSubjectTeachers(1, 1, 7), 0);
    EXPECT_EQ(gSubjectTeachers(1, 2, 0), 7);
    EXPECT_EQ(gSubjectTeachers(24, 99, 5), (24 * 99 * 6 - 1) % 60 + 1);

    // 5.03: 20 classes and 72 subjects.
    gCurriculumHours(21, 1) = 4;
    writeHeader("2", 5, 9, "5.03");
    writeNumbers("STU2.xxx", 20 * 72, [](int i) { return i % 7; });
    writeNumbers("KSP2.xxx", 5 * 9 * 20 * 4, [](int i) { return i % 2 == 0 ? 3 : 0; });
    load("2");
    EXPECT_EQ(gCurriculumHours(1, 2), 1);
    EXPECT_EQ(gCurriculumHours(2, 1), 72 % 7);
    EXPECT_EQ(gCurriculumHours(20, 72), (20 * 72 - 1) % 7);
    EXPECT_EQ(gCurriculumHours(21, 1), 0);
    EXPECT_EQ(gTimetable(5, 9, 20, 0), 3);
    EXPECT_EQ(gTimetable(5, 9, 20, 1), 3);
    EXPECT_EQ(countLessons(), 5 * 9 * 20 * 2);

    // 4.0: no class data at all, 52 teachers of availability.
    writeHeader("3", 5, 9, "4.0");
    writeNumbers("LKN3.xxx", 52 * 5 * 9, [](int) { return 9; });
    writeNumbers("KSP3.xxx", 100, [](int) { return 3; });
    load("3");
    EXPECT_EQ(gTeacherUnavailable(52, 5, 9), 9);
    EXPECT_EQ(gTeacherUnavailable(53, 1, 1), 0);
    EXPECT_EQ(countLessons(), 0);
}

TEST_F(PlanFilesTest, ASmallerPlanKeepsNothingOfTheFullOne)
{
    fillFullPlan();
    save("1");
    gPlanSspTable(60, 6, 11) = 5;
    writeHeader("2", 5, 9, "5.03");
    writeNumbers("LFV2.xxx", 20 * 72 * 6, [](int i) { return i == 2 * 6 ? 4 : 0; });
    writeNumbers("KSP2.xxx", 5 * 9 * 20 * 4, [](int i) { return i == 0 ? 3 : 0; });
    for (const char* tag : {"STU2.xxx", "SPW2.xxx"})
        writeNumbers(tag, 20 * 72, [](int) { return 0; });
    writeNumbers("LKN2.xxx", 60 * 5 * 9, [](int) { return 0; });
    writeNumbers("KOP2.xxx", 180, [](int) { return 0; });
    writeNumbers("SSP2.xxx", 660, [](int) { return 0; });
    load("1");
    load("2");

    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(countLessons(), 1);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 3);
    int teacherEntries = 0, assignments = 0, hours = 0, unavailable = 0;
    for (int t = 0; t <= 61; ++t)
        for (int d = 0; d <= 7; ++d)
            for (int p = 0; p <= 13; ++p) {
                teacherEntries += t > 0 && gTeacherPlanSubject(t, d, p) != 0;
                unavailable += gTeacherUnavailable(t, d, p) != 0;
            }
    for (int c = 0; c <= 25; ++c)
        for (int s = 0; s <= 100; ++s) {
            hours += gCurriculumHours(c, s) != 0 || gClassSubjectHours(c, s) != Currency{};
            for (int k = 0; k <= 10; ++k)
                assignments += gSubjectTeachers(c, s, k) != 0;
        }
    EXPECT_EQ(teacherEntries, 1);
    EXPECT_EQ(gTeacherPlanSubject(4, 1, 1), 3);
    EXPECT_EQ(assignments, 1);
    EXPECT_EQ(hours, 0);
    EXPECT_EQ(unavailable, 0);
    EXPECT_EQ(gPlanSspTable(60, 6, 11), 0);
    EXPECT_TRUE(gTeacherPlanExtra(3) == 0);
}

TEST_F(PlanFilesTest, MissingAndBrokenFiles)
{
    // No T&E: a beep, and nothing is read or rebuilt.
    gTimetable(1, 1, 1, 0) = 5;
    gTeacherPlanSubject(9, 1, 1) = 5;
    load("7");
    EXPECT_TRUE(gCheckOk == 0);
    EXPECT_EQ(runtime::beepCount(), 1);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 5);
    EXPECT_EQ(gTeacherPlanSubject(9, 1, 1), 5);

    // Every file but SPW: one beep, the hours follow the curriculum.
    fillFullPlan();
    save("8");
    ASSERT_TRUE(QFile::remove(path("SPW8.xxx")));
    gClassSubjectHours(25, 100) = Currency::fromUnits(70000);
    runtime::resetBeeps();
    load("8");
    EXPECT_TRUE(gCheckOk == 0);
    EXPECT_EQ(runtime::beepCount(), 1);
    EXPECT_EQ(gClassSubjectHours(3, 4), Currency::fromDouble(gCurriculumHours(3, 4)));
    EXPECT_EQ(gClassSubjectHours(25, 100), Currency{});

    // A line of SPW that is no number also counts as the curriculum hours.
    writeLines("SPW8.xxx", {" 2,5 ", "viel", " 3 "});
    runtime::resetBeeps();
    load("8");
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(gClassSubjectHours(1, 1), Currency::fromUnits(25000));
    EXPECT_EQ(gClassSubjectHours(1, 2), Currency::fromDouble(gCurriculumHours(1, 2)));
    EXPECT_EQ(gClassSubjectHours(1, 3), Currency::fromUnits(30000));

    // A short SSP file stops at its end without a beep.
    writeLines("SSP8.xxx", {" 1 ", " 2 ", " 3 "});
    load("8");
    EXPECT_EQ(runtime::beepCount(), 0);
    EXPECT_EQ(gPlanSspTable(1, 1, 3), 3);
    EXPECT_EQ(gPlanSspTable(1, 1, 4), 0);

    // Days and periods outside the week's range are brought into it.
    writeHeader("8", 7, 8, "9.0");
    load("8");
    EXPECT_TRUE(gDaysPerWeek == 6);
    EXPECT_TRUE(gPeriodsPerDay == 9);
}

TEST_F(PlanFilesTest, NumbersOutsideTheTablesAreKeptInTheFiles)
{
    writeHeader("4", 5, 9, "9.0");
    writeNumbers("LFV4.xxx", 21384, [](int i) { return i == 0 ? 75 : 0; });
    writeNumbers("KSP4.xxx", 5 * 9 * 24 * 4, [](int i) { return i == 0 ? 150 : i == 4 ? -3 : 0; });
    load("4");
    EXPECT_EQ(gSubjectTeachers(1, 1, 0), 75);
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 150);
    save("5");
    EXPECT_EQ(readLines("LFV5.xxx").first(), " 75 ");
    EXPECT_EQ(readLines("KSP5.xxx").mid(0, 5), (QStringList{" 150 ", " 0 ", " 0 ", " 0 ", "-3 "}));
}

TEST_F(PlanFilesTest, AFailedWriteIsSignalled)
{
    QDir(m_dir.path()).mkdir("KSP5.xxx");
    fillFullPlan();
    save("5");
    EXPECT_TRUE(gCheckOk == 0);
    EXPECT_EQ(runtime::beepCount(), 1);
    EXPECT_TRUE(planList().isEmpty()) << "an unwritten plan is not listed";
}

TEST_F(PlanFilesTest, PlanList)
{
    save("4");
    EXPECT_EQ(readBytes("Pläne.lst"), "4\r\n");
    EXPECT_EQ(gPlanCount, 1);
    save("6");
    EXPECT_EQ(planList(), (QStringList{" 6 ", " 4 "}));
    EXPECT_EQ(gPlanCount, 2);

    writePlanList({" 15 ", " 9 ", " 3 "});
    save("12");
    EXPECT_EQ(planList(), (QStringList{" 15 ", " 12 ", " 9 ", " 3 "}));
    EXPECT_EQ(gPlanCount, 4);
    EXPECT_EQ(gPlanNumbers(2), 12);
    save("9");
    EXPECT_EQ(planList(), (QStringList{" 15 ", " 12 ", " 9 ", " 3 "}));

    writePlanList({" 3 ", " 9 ", "", "Unsinn", " 9 "});
    save("3");
    EXPECT_EQ(planList(), (QStringList{" 9 ", " 3 "}));
    EXPECT_EQ(gPlanCount, 2);

    // Another PC listed plan 20 after this one counted the list at start-up.
    writePlanList({" 9 ", " 3 ", " 20 "});
    gPlanCount = 2;
    save("1");
    EXPECT_EQ(planList(), (QStringList{" 20 ", " 9 ", " 3 ", " 1 "}));
}

TEST_F(PlanFilesTest, APlanListOfMoreThan200PlansLosesNone)
{
    QStringList lines;
    for (int n = 250; n >= 1; --n)
        lines << QStringLiteral(" %1 ").arg(n);
    writePlanList(lines);
    save("300");
    const QStringList list = planList();
    ASSERT_EQ(list.size(), 251);
    EXPECT_EQ(list.first(), " 300 ");
    EXPECT_EQ(list.last(), " 1 ");
    EXPECT_EQ(gPlanCount, 251);
    EXPECT_EQ(gPlanNumbers(200), 52);
}

TEST_F(PlanFilesTest, StartPlanLoadsWhenTheSettingsAskForIt)
{
    fillFullPlan();
    save("7");
    gTimetable(1, 1, 1, 0) = 0;
    gAutoLoadPlan = 0;
    LoadStartPlan();
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 0);
    EXPECT_TRUE(gStartPlanName.isEmpty());

    gAutoLoadPlan = 1;
    LoadStartPlan();
    EXPECT_NE(gTimetable(1, 1, 1, 0), 0);
    EXPECT_TRUE(gStartPlanName == "7");

    gPlanName.clear();
    LoadStartPlan();
    EXPECT_EQ(runtime::beepCount(), 0);
}

}
