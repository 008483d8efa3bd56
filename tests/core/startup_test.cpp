#include "core/model.h"
#include "core/startup.h"
#include "core/text_procedures.h"
#include "platform/codepage.h"
#include "tests/support/fixture.h"

using StartupTest = ModelTest;

TEST_F(StartupTest, WorkDateIsToday)
{
    SetWorkDateToToday();
    EXPECT_TRUE(gWorkDate == "11.03.2026");
    EXPECT_EQ(gWorkWeekday, 3);
}

TEST_F(StartupTest, PublishingNamesAndAccount)
{
    gSchoolName = "Schule am  Park";
    PreparePublishing();
    EXPECT_EQ(gSchoolNameDashed, "Schule-am--Park");
    EXPECT_EQ(gServerRoot, "/VORDA/");
    EXPECT_EQ(gServerFolder, "/VORDA/Schule-am--Park/");
    EXPECT_TRUE(gFtpHost.toString().isEmpty());
    EXPECT_TRUE(gFtpPassword.toString().isEmpty());

    writeLines("ftp.dat", {"ftp.example.org", "ftp1234567"});
    PreparePublishing();
    EXPECT_TRUE(gFtpHost == "ftp.example.org");
    EXPECT_TRUE(gFtpUser == "ftp1234567");
    EXPECT_TRUE(gFtpPassword.toString().isEmpty());
    EXPECT_EQ(gWebHost, "");

    writeLines("ftp.dat", {"ftp.example.org", "ftp1234567", "k8wq3rm", " www.example.org "});
    PreparePublishing();
    EXPECT_EQ(gWebHost, "www.example.org");
}

TEST_F(StartupTest, KeywordFile)
{
    // No file, or an empty first line, leaves the program open.
    const struct {
        QStringList lines;
        bool open;
        const char* keyword;
    } cases[] = {{{}, true, ""}, {{"", "geheim"}, true, ""}, {{"geheim"}, false, "geheim"}};
    for (const auto& c : cases) {
        if (!c.lines.isEmpty())
            writeLines("code.dat", c.lines);
        ReadKeywordFile();
        EXPECT_EQ(gKeywordOpen == 1, c.open) << c.keyword;
        EXPECT_EQ(gKeyword, c.keyword);
    }
}

TEST(TextProcedures, DosUmlautsAndDoubleQuotes)
{
    gText = codepage::decode("T\x81r \x84\x94\x81\xE1\x8E\x99\x9A");
    ConvertDosUmlauts();
    EXPECT_TRUE(gText == "Tür äöüßÄÖÜ");

    gText = "\"Albers\";\"Lena\";\"5a\"";
    RemoveDoubleQuotes();
    EXPECT_TRUE(gText == "Albers;Lena;5a");
}
