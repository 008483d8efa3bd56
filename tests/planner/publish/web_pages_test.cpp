#include "planner/publish/web_pages.h"
#include "tests/planner/publish/publish_fixture.h"

#include <QFile>

namespace {

class WebPagesTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        lesson(1, 1, 1, 0, 1);
        lesson(2, 1, 1, 0, 1);
        lesson(2, 1, 1, 1, 2);
        lesson(3, 2, 1, 1, 3);
        lesson(1, 1, 2, 0, 2);
        lesson(5, 2, 3, 0, 3);

        substitution(1, 1, 1, 2);
        substitution(1, 2, 1, -4);
        substitution(2, 1, 1, 0);
        substitution(1, 3, 2, -1);
        substitution(2, 2, 2, -2);
        substitution(2, 3, 2, -5);
        substitution(2, 3, 1, -3);
        substitution(1, 1, 3, 1);
    }
};

TEST_F(WebPagesTest, TheTimetablePageOfOrdinaryTextsIsWrittenLineForLine)
{
    const WrittenPage written = WriteTimetablePage("  Wandertag am Freitag ");
    ASSERT_TRUE(written) << written.failure.toStdString();
    EXPECT_EQ(written.name, "Stundenplan.htm");
    EXPECT_EQ(written.path, path("Stundenplan.htm"));
    EXPECT_EQ(readBytes("Stundenplan.htm"), page(R"(<html>
<head>
<meta http-equiv="Content-Type"
content="text/html; charset=iso-8859-1">
<meta name="generator" content="ORV-qz V1.28a">
<title>Stundenplan der Schule am Park</title>
</head>
<body bgcolor="#000000" text="#909090" link="#909090">
<p><font color="#909090" size="6">{F}<em><strong><u>Stundenplan der Schule am Park</u></strong></em></font></p>
<p>&nbsp;</p>
<p>{F}Wandertag am Freitag</p>
<p>&nbsp;</p>
<table border="2" cellpadding="2">
<tr>
<td><font size="6">{F}5a</td>
<td>{F}Montag</td>
<td>{F}Dienstag</td>
<td>{F}Mittwoch</td>
<td>{F}Donnerstag</td>
<td>{F}Freitag</td>
</tr>
<tr>
<td>{F}1.  <font size="1">8.00-8.45</td>
<td>{F}M</td>
<td>{F}M  D</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}</td>
</tr>
<tr>
<td>{F}2.  <font size="1">8.50-9.35</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}  Ku</td>
<td>{F}</td>
<td>{F}</td>
</tr>
</table>
<p>&nbsp;</p>
<table border="2" cellpadding="2">
<tr>
<td><font size="6">{F}6a</td>
<td>{F}Montag</td>
<td>{F}Dienstag</td>
<td>{F}Mittwoch</td>
<td>{F}Donnerstag</td>
<td>{F}Freitag</td>
</tr>
<tr>
<td>{F}1.  <font size="1">8.00-8.45</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}</td>
</tr>
<tr>
<td>{F}2.  <font size="1">8.50-9.35</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}</td>
<td>{F}Ku</td>
</tr>
</table>
<p>&nbsp;</p>
</body>
</html>
)"));
}

TEST_F(WebPagesTest, SixDaysGiveASaturdayColumnAndABlankMessageNoParagraph)
{
    gDaysPerWeek = 6;
    lesson(6, 2, 1, 0, 2);
    ASSERT_TRUE(WriteTimetablePage("   "));
    const QStringList lines = readLines("Stundenplan.htm");
    EXPECT_EQ(lines.mid(9, 3), QStringList({"<p>&nbsp;</p>", "<p>&nbsp;</p>", R"(<table border="2" cellpadding="2">)"}));
    const QString face = R"(<font color="#909090" font face="Comic Sans MS"> )";
    EXPECT_EQ(lines[18], "<td>" + face + "Freitag</td>");
    EXPECT_EQ(lines[19], "<td>" + face + "Samstag</td>");
    EXPECT_EQ(lines[20], "</tr>");
    EXPECT_EQ(lines.mid(36, 3), QStringList({"<td>" + face + "</td>", "<td>" + face + "D</td>", "</tr>"}))
        << "the second period ends with its Saturday";
}

TEST_F(WebPagesTest, TheSubstitutionPageListsEveryRowOfItsClassesInTheirCells)
{
    const WrittenPage written = WriteSubstitutionPage("Elternabend", "", "  Chor fällt aus ");
    ASSERT_TRUE(written) << written.failure.toStdString();
    EXPECT_EQ(written.name, "Montag.htm");
    EXPECT_EQ(readBytes("Montag.htm"), page(R"(<html>
<head>
<meta http-equiv="Content-Type"
content="text/html; charset=iso-8859-1">
<meta name="generator" content="ORV-qz V1.28a">
<title>Vertretungsplan der Schule am Park</title>
</head>
<body bgcolor="#000000" text="#909090" link="#909090">
<p><em><strong><u><font size="6">{F}Schule am Park</u></strong></em></p>
<p>&nbsp;</p>
<p><font size="5">{F}Vertretungsplan für Montag, den 14.09.2026</p>
<p>&nbsp;</p>
<p>&nbsp;</p>
<p>&nbsp;</p>
<table border="2" cellpadding="2">
<tr>
<td>{F}<font size="1">Klassen</td>
<td>{F}1.</td>
<td>{F}2.</td>
</tr>
<tr>
<td><font size="6">{F}5a</td>
<td><font size="4"> {F} Ma<font size="1"> CRA<font size="4"> {F} De<font size="1"> zus.</td>
<td><font size="4"> {F} Ma<font size="1"> nicht sup.<font size="4"> {F} Ku<font size="1"> vor.</td>
</tr>
<tr>
<td><font size="6">{F}5b</td>
<td><font size="4"> {F} Ku<font size="1"> ???</td>
<td><font size="4"> {F} De<font size="1"> entf.<font size="4"> {F} Ku<font size="1"> </td>
</tr>
</table>
<p>&nbsp;</p>
<p>{F}Elternabend</p>
<p>{F}Chor fällt aus</p>
<p>&nbsp;</p>
</body>
</html>
)"));
}

TEST_F(WebPagesTest, WithoutMessagesTheSubstitutionPageHasTwoBlankParagraphsBeforeTheTableAndNoneAfter)
{
    gSubstRowCount = 0;
    ASSERT_TRUE(WriteSubstitutionPage(" ", "", ""));
    const QStringList lines = readLines("Montag.htm");
    EXPECT_EQ(lines.mid(11, 3), QStringList({"<p>&nbsp;</p>", "<p>&nbsp;</p>", R"(<table border="2" cellpadding="2">)"}));
    EXPECT_EQ(lines.mid(19), QStringList({"</table>", "<p>&nbsp;</p>", "<p>&nbsp;</p>", "</body>", "</html>"}))
        << "an empty day: the header row alone";
}

TEST_F(WebPagesTest, TheWeekdayAndThePageNameComeFromTheWorkingDateItself)
{
    gWorkDate = "19.09.2026";
    gWorkWeekday = 1;
    const WrittenPage saturday = WriteSubstitutionPage("", "", "");
    EXPECT_EQ(saturday.name, "Samstag.htm");
    EXPECT_EQ(readLines("Samstag.htm").value(10), QString(R"(<p><font size="5"><font color="#909090" font face="Comic Sans MS"> )"
                                                          "Vertretungsplan für Samstag, den 19.09.2026</p>"));
    gWorkDate = "26.9.26";
    ASSERT_TRUE(WriteSubstitutionPage("", "", ""));
    EXPECT_TRUE(readLines("Samstag.htm").value(10).endsWith("Samstag, den 26.9.26</p>")) << "next week's replaces it";

    for (const char* noDate : {"", "31.02.2026", "Montag"}) {
        gWorkDate = noDate;
        const WrittenPage none = WriteSubstitutionPage("", "", "");
        EXPECT_FALSE(none) << noDate;
        EXPECT_TRUE(none.failure.contains("gültiges Datum")) << noDate;
    }
}

TEST_F(WebPagesTest, InsertedTextsAreEscapedAndCharactersBeyondWindows1252Referenced)
{
    gSchoolName = "Bau & Kunst <Nord>";
    gClassNames(1) = "5\"a\"";
    gTeacherShort(2) = "ŁUK";
    ASSERT_TRUE(WriteTimetablePage("Fahrt nach Łódź 😀"));
    const QStringList timetable = readLines("Stundenplan.htm");
    EXPECT_EQ(timetable[5], "<title>Stundenplan der Bau &amp; Kunst &lt;Nord&gt;</title>");
    EXPECT_TRUE(timetable[10].endsWith("> Fahrt nach &#321;ód&#378; &#128512;</p>"));
    EXPECT_TRUE(timetable[14].endsWith("> 5&quot;a&quot;</td>"));
    EXPECT_EQ(readBytes("Stundenplan.htm").count("\xF3"), 1) << "ó stays the Windows-1252 byte";

    ASSERT_TRUE(WriteSubstitutionPage("<b>", "", ""));
    const QStringList substitution = readLines("Montag.htm");
    EXPECT_TRUE(substitution[8].endsWith("> Bau &amp; Kunst &lt;Nord&gt;</u></strong></em></p>"));
    EXPECT_TRUE(substitution[22].contains("<font size=\"1\"> &#321;UK<font size=\"4\">"));
    EXPECT_TRUE(substitution[32].endsWith("> &lt;b&gt;</p>"));
}

TEST_F(WebPagesTest, ColourLinesArePaddedToSixDigitsAndFallBackToTheirDefaults)
{
    const struct {
        QStringList file;
        const char* text;
        const char* background;
    } cases[] = {
        {{}, "909090", "000000"},
        {{"FF00", "0"}, "00FF00", "000000"},
        {{"FF00"}, "00FF00", "000000"},
        {{"xyz", "#FF0000"}, "909090", "000000"},
        {{" abc ", ""}, "000ABC", "000000"},
        {{"FFFFFFFF", "123456789a"}, "FFFFFF", "56789A"},
    };
    for (const auto& c : cases) {
        QFile::remove(path("ifarben.dat"));
        if (!c.file.isEmpty())
            writeLines("ifarben.dat", c.file);
        const PageColours colours = ReadPageColours();
        EXPECT_EQ(colours.text, c.text) << c.file.join('|').toStdString();
        EXPECT_EQ(colours.background, c.background) << c.file.join('|').toStdString();
    }

    writeLines("ifarben.dat", {"FF00", "0"});
    ASSERT_TRUE(WriteTimetablePage(""));
    const QStringList lines = readLines("Stundenplan.htm");
    EXPECT_EQ(lines[7], R"(<body bgcolor="#000000" text="#00FF00" link="#00FF00">)");
    EXPECT_EQ(lines[13], R"(<td><font size="6"><font color="#00FF00" font face="Comic Sans MS"> 5a</td>)");
}

TEST_F(WebPagesTest, APageThatCannotBeWrittenStaysAsItWas)
{
    writeBytes("Stundenplan.htm", "alt\r\n");
    QFile::setPermissions(path("Stundenplan.htm"), QFile::ReadOwner);
    const WrittenPage readOnly = WriteTimetablePage("");
    EXPECT_EQ(readOnly.failure,
              "Die Datei \"Stundenplan.htm\" konnte nicht gespeichert werden: Die Datei ist schreibgeschützt");
    EXPECT_EQ(readBytes("Stundenplan.htm"), "alt\r\n");

    blockFile("Montag.htm");
    EXPECT_FALSE(WriteSubstitutionPage("", "", ""));
    unblockFile("Montag.htm");
}
}
