#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "platform/runtime.h"
#include "tests/support/fixture.h"

namespace {

class DemoPlanTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDataPath = ORVQZ_DEMO_DIR;
        LoadMasterData();
        LoadPlan();
    }
};

bool isPartner(int s)
{
    for (int k = 1; k <= 99; ++k) {
        if (gSubjectAttr(k, 6) == s)
            return true;
    }
    return false;
}

int placed(int c, int s)
{
    int n = 0;
    for (int d = 1; d <= gDaysPerWeek.toInt(); ++d)
        for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p)
            n += gTimetable(d, p, c, isPartner(s) ? 1 : 0) == s;
    return n;
}

TEST_F(DemoPlanTest, LoadsCompleteAndWithoutClashes)
{
    EXPECT_TRUE(gCheckOk == 1);
    EXPECT_EQ(runtime::beepCount(), 0);
    int lessons = 0, partners = 0, abilityGroupCells = 0;
    for (int c = 1; c <= 24; ++c) {
        for (int s = 1; s <= 99; ++s) {
            EXPECT_EQ(placed(c, s), gCurriculumHours(c, s)) << "class " << c << " subject " << s;
            lessons += gCurriculumHours(c, s);
            partners += isPartner(s) ? gCurriculumHours(c, s) : 0;
            abilityGroupCells += gSubjectAttr(s, 4) == 1 ? gCurriculumHours(c, s) : 0;
        }
    }
    EXPECT_GT(lessons, 250);
    EXPECT_GT(partners, 0);
    EXPECT_GT(abilityGroupCells, 0);

    // A teacher booked twice in one period would have lost the first entry.
    for (int d = 1; d <= gDaysPerWeek.toInt(); ++d)
        for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p)
            for (int c = 1; c <= 24; ++c)
                for (int h = 0; h <= 1; ++h) {
                    const int s = gTimetable(d, p, c, h);
                    for (int slot = 0; s != 0 && slot <= 9; ++slot) {
                        const int t = gSubjectTeachers(c, s, slot);
                        if (t != 0) {
                            EXPECT_EQ(gTeacherPlanClass(t, d, p), c) << "teacher " << t << " day " << d << " period " << p;
                        }
                    }
                }
}

TEST_F(DemoPlanTest, IsWhatTheWriterWrites)
{
    const QString demo = gDataPath;
    gDataPath = m_dir.path() + "/";
    SavePlan();
    for (const char* tag : {"T&E", "LFV", "KSP", "STU", "SPW", "LKN", "KOP"}) {
        const QString name = QString(tag) + "1.xxx";
        QFile original(demo + name);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly)) << tag;
        EXPECT_EQ(readBytes(name), original.readAll()) << tag;
    }
}

}
