#include "core/constants.h"
#include "core/model.h"
#include "tests/support/fixture.h"

using ModelStateTest = ModelTest;

TEST_F(ModelStateTest, ResetGivesTheStartState)
{
    gUserShort = "MÜL";
    gTimetable(5, 9, 24, 1) = 17;
    gStudentNames(1000) = "Zuletzt, Zoe";
    gCheckOk = 1;
    gLastActivity = 123.5f;
    resetModel();
    EXPECT_TRUE(gUserShort.isEmpty());
    EXPECT_EQ(gTimetable(5, 9, 24, 1), 0);
    EXPECT_TRUE(gStudentNames(1000).isEmpty());
    EXPECT_TRUE(gCheckOk.isEmpty());
    EXPECT_EQ(gLastActivity, 0.0f);
    EXPECT_TRUE(gProgramVersion.isEmpty());
}

TEST_F(ModelStateTest, DesignerColoursHoldBeforeStartUp)
{
    resetModel();
    EXPECT_EQ(BackColour(0), 0xE0E0E0u);
    EXPECT_EQ(BackColour(6), 0xC0FFC0u);
    InitialiseConstants();
    for (int i = 0; i <= 8; ++i)
        EXPECT_TRUE(gBackColours(i) == static_cast<double>(BackColour(i)));
}
