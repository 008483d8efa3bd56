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

TEST_F(ModelStateTest, ConstantTables)
{
    EXPECT_EQ(ProgramCaption(), "ORV-qz V1.28a");
    EXPECT_TRUE(gMaxTeachers == 60);
    EXPECT_TRUE(gMaxClasses == 24);
    EXPECT_EQ(gMaxSubjects, 99);
    EXPECT_TRUE(gMaxTitles == 10);
    EXPECT_EQ(gFontNames(19), "Vagabond");
    EXPECT_EQ(gFontCount, 19);
    EXPECT_TRUE(gColourNames(3) == "grün");
    EXPECT_EQ(gColourValues(11), "&HEBCA70");
    EXPECT_EQ(gColourCount, 12);
    EXPECT_TRUE(gBackColours(6) == 0xC0FFC0);
    EXPECT_TRUE(gBackColours(0) == 0xE0E0E0);
    EXPECT_EQ(gBlockRuleTexts(9), "kein Blockzwang !!!");
    EXPECT_EQ(gTimeRuleTexts(10), "erst ab der 7.Eh");
    EXPECT_TRUE(gDayNames(1) == "Montag");
    EXPECT_EQ(gDayShortNames(7), "So");
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
