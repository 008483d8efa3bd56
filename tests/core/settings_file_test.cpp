#include "core/model.h"
#include "core/settings_file.h"
#include "tests/support/fixture.h"

#include <QDir>

using SettingsFileTest = ModelTest;

TEST_F(SettingsFileTest, DefaultsAndValuesBroughtIntoRange)
{
    EXPECT_EQ(ReadSettingsFile(), 0);
    EXPECT_TRUE(gDaysPerWeek == 5 && gPeriodsPerDay == 9 && gVisibleColumns == 9 && gSchoolYear == "2014/15");

    writeLines("vorda.ver", {" 7 ", " 12 ", " 20 ", " 25 ", "-1 ", " 1 ", " 12 ", "10.5", "2026/27", " 7 ", " 1 ",
                             " 1 ", " 2 "});
    EXPECT_DOUBLE_EQ(ReadSettingsFile(), 10.5);
    EXPECT_TRUE(gDaysPerWeek == 6 && gPeriodsPerDay == 11 && gVisibleColumns == 16);
    EXPECT_TRUE(gEditorFontIndex == 0 && gFontIndex == 0 && gOverlapPeriod == 0);
    EXPECT_EQ(gPlanName, "12");
    EXPECT_TRUE(gProgramVersion == "1.28a") << "the version line is not taken";

    writeLines("vorda.ver", {" 4 ", " 8 ", "viele", " 19 ", " 3 ", " 2 ", " 32768 ", "", "", " 6 "});
    ReadSettingsFile();
    EXPECT_TRUE(gDaysPerWeek == 5 && gPeriodsPerDay == 9 && gVisibleColumns == 9);
    EXPECT_TRUE(gEditorFontIndex == 19 && gOverlapPeriod == 6 && gAutoLoadPlan == 0);
    EXPECT_EQ(gPlanName, "12") << "no plan is numbered above 32767";

    // Texts that a number parser could take for infinity or no-number are no numbers.
    writeLines("vorda.ver", {"nan", "inf", " 10 ", "NaN"});
    ReadSettingsFile();
    EXPECT_TRUE(gDaysPerWeek == 5 && gPeriodsPerDay == 9 && gEditorFontIndex == 0);
}

TEST_F(SettingsFileTest, AShortFileLeavesTheMissingSettingsAtTheirDefaults)
{
    writeLines("vorda.ver", {" 6 ", " 11 "});
    ReadSettingsFile();
    EXPECT_EQ(gVisibleColumns, 9);

    writeLines("vorda.ver", {" 6 ", " 11 ", " 10 ", " 2 ", " 3 ", " 1 "});
    ReadSettingsFile();
    EXPECT_TRUE(gAutoLoadPlan == 1 && gPlanName.isEmpty() && gSchoolYear == "2014/15");
    EXPECT_TRUE(gNonCognitiveRule == 0 && gFifthPeriodFlag == 0 && gTeacherSortMode == 0);
}

TEST_F(SettingsFileTest, WrittenSettingsReadBackTheSame)
{
    const QStringList written{" 6 ", " 10 ", " 12 ", " 3 ", " 7 ", " 1 ", "42", "0.9", "2026/27",
                              " 5 ", " 1 ", " 1 ", " 2 "};
    writeLines("vorda.ver", written);
    ReadSettingsFile();
    gProgramVersion = "0.9";
    QFile::remove(path("vorda.ver"));
    ASSERT_TRUE(SaveSettingsFile());
    EXPECT_EQ(readLines("vorda.ver"), written);
    EXPECT_TRUE(readBytes("vorda.ver").startsWith(" 6 \r\n 10 \r\n"));

    QDir(m_dir.path()).rename("vorda.ver", "alt");
    blockFile("vorda.ver");
    EXPECT_FALSE(SaveSettingsFile());
}
