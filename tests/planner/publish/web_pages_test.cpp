#include "planner/publish/web_pages.h"
#include "tests/planner/publish/publish_fixture.h"

#include <QFile>

namespace {

// Pieces of the expected pages, in the lines page() takes.
const QString kBlank = QStringLiteral("<p>&nbsp;</p>\n");
const QString kTable = QStringLiteral("<table border=\"2\" cellpadding=\"2\">\n");
const QString kEnd = QStringLiteral("</body>\n</html>\n");

QString head(const QString& title)
{
    return "<html>\n<head>\n<meta http-equiv=\"Content-Type\"\ncontent=\"text/html; charset=iso-8859-1\">\n"
           "<meta name=\"generator\" content=\"ORV-qz V1.28a\">\n<title>"
           + title + "</title>\n</head>\n<body bgcolor=\"#000000\" text=\"#909090\" link=\"#909090\">\n";
}

QString row(const QStringList& cells)
{
    QString text = QStringLiteral("<tr>\n");
    for (const QString& cell : cells)
        text += "<td>" + cell + "</td>\n";
    return text + "</tr>\n";
}

QStringList faced(QStringList texts)
{
    for (QString& text : texts)
        text.prepend(QStringLiteral("{F}"));
    return texts;
}

QString classCell(const QString& name) { return "<font size=\"6\">{F}" + name; }

QString timetableTop()
{
    return head("Stundenplan der Schule am Park")
           + "<p><font color=\"#909090\" size=\"6\">{F}<em><strong><u>Stundenplan der Schule am Park"
             "</u></strong></em></font></p>\n";
}

// A class's week on the timetable page: its two periods' cells from Monday on.
QString week(const QString& cls, const QStringList& first, const QStringList& second)
{
    const QStringList days{"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    return kTable + row(QStringList{classCell(cls)} + faced(days.mid(0, first.size())))
           + row(faced(QStringList{"1.  <font size=\"1\">8.00-8.45"} + first))
           + row(faced(QStringList{"2.  <font size=\"1\">8.50-9.35"} + second)) + "</table>\n" + kBlank;
}

// A subject and its note in a cell of the substitution page.
QString entry(const QString& subject, const QString& note)
{
    return "<font size=\"4\"> {F} " + subject + "<font size=\"1\"> " + note;
}

// The substitution page of the working Monday down to its table's header
// row, with `blanks` blank paragraphs before the table.
QString mondaysTop(int blanks)
{
    return head("Vertretungsplan der Schule am Park")
           + "<p><em><strong><u><font size=\"6\">{F}Schule am Park</u></strong></em></p>\n" + kBlank
           + "<p><font size=\"5\">{F}Vertretungsplan für Montag, den 14.09.2026</p>\n" + kBlank.repeated(blanks)
           + kTable + row(faced({"<font size=\"1\">Klassen", "1.", "2."}));
}

class WebPagesTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        const int lessons[][5] = {{1, 1, 1, 0, 1}, {2, 1, 1, 0, 1}, {2, 1, 1, 1, 2},
                                  {3, 2, 1, 1, 3}, {1, 1, 2, 0, 2}, {5, 2, 3, 0, 3}};
        for (const auto& [day, period, cls, half, subject] : lessons)
            gTimetable(day, period, cls, half) = static_cast<short>(subject);
        // The day's substitution rows: used, period, subject, class, substitute.
        const short substitutions[][5] = {{1, 1, 1, 1, 2},  {1, 1, 2, 1, -4}, {1, 2, 1, 1, 0},  {1, 1, 3, 2, -1},
                                          {1, 2, 2, 2, -2}, {1, 2, 3, 2, -5}, {1, 2, 3, 1, -3}, {1, 1, 1, 3, 1}};
        for (const auto& values : substitutions) {
            ++gSubstRowCount;
            for (int column = 0; column < 5; ++column)
                gSubstRows(gSubstRowCount, column) = values[column];
        }
    }
};

TEST_F(WebPagesTest, TheTimetablePageOfOrdinaryTextsIsWrittenLineForLine)
{
    const WrittenPage written = WriteTimetablePage("  Wandertag am Freitag ");
    ASSERT_TRUE(written) << written.failure.toStdString();
    EXPECT_EQ(written.name, "Stundenplan.htm");
    EXPECT_EQ(written.path, path("Stundenplan.htm"));
    EXPECT_EQ(readBytes("Stundenplan.htm"),
              page(timetableTop() + kBlank + "<p>{F}Wandertag am Freitag</p>\n" + kBlank
                   + week("5a", {"M", "M  D", "", "", ""}, {"", "", "  Ku", "", ""})
                   + week("6a", {"", "", "", "", ""}, {"", "", "", "", "Ku"}) + kEnd));
}

TEST_F(WebPagesTest, SixDaysGiveASaturdayColumnAndABlankMessageNoParagraph)
{
    gDaysPerWeek = 6;
    gTimetable(6, 2, 1, 0) = 2;
    ASSERT_TRUE(WriteTimetablePage("   "));
    EXPECT_EQ(readBytes("Stundenplan.htm"),
              page(timetableTop() + kBlank + kBlank + week("5a", {"M", "M  D", "", "", "", ""}, {"", "", "  Ku", "", "", "D"})
                   + week("6a", {"", "", "", "", "", ""}, {"", "", "", "", "Ku", ""}) + kEnd));
}

TEST_F(WebPagesTest, TheSubstitutionPageListsEveryRowOfItsClassesInTheirCells)
{
    const WrittenPage written = WriteSubstitutionPage("Elternabend", "", "  Chor fällt aus ");
    ASSERT_TRUE(written) << written.failure.toStdString();
    EXPECT_EQ(written.name, "Montag.htm");
    EXPECT_EQ(readBytes("Montag.htm"),
              page(mondaysTop(3)
                   + row({classCell("5a"), entry("Ma", "CRA") + entry("De", "zus."),
                          entry("Ma", "nicht sup.") + entry("Ku", "vor.")})
                   + row({classCell("5b"), entry("Ku", "???"), entry("De", "entf.") + entry("Ku", "")})
                   + "</table>\n" + kBlank + "<p>{F}Elternabend</p>\n<p>{F}Chor fällt aus</p>\n" + kBlank + kEnd));
}

TEST_F(WebPagesTest, WithoutMessagesTheSubstitutionPageHasTwoBlankParagraphsBeforeTheTableAndNoneAfter)
{
    gSubstRowCount = 0;
    ASSERT_TRUE(WriteSubstitutionPage(" ", "", ""));
    EXPECT_EQ(readBytes("Montag.htm"),
              page(mondaysTop(2) + "</table>\n" + kBlank + kBlank + kEnd))
        << "an empty day: the header row alone";
}

TEST_F(WebPagesTest, TheWeekdayAndThePageNameComeFromTheWorkingDateItself)
{
    gWorkDate = "19.09.2026";
    gWorkWeekday = 1;
    EXPECT_EQ(WriteSubstitutionPage("", "", "").name, "Samstag.htm");
    EXPECT_EQ(readLines("Samstag.htm").value(10),
              "<p><font size=\"5\">" + kFace + "Vertretungsplan für Samstag, den 19.09.2026</p>");
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
