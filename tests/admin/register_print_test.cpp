#include "admin/register_print.h"
#include "platform/dates.h"
#include "register/week_overview.h"
#include "tests/register/register_fixture.h"
#include "tests/support/printing.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

class RegisterPrintTest : public RegisterTest {
protected:
    const QDate monday{2026, 3, 9};
    PrinterReset m_printer;
    PrintRecorder* rec = nullptr;

    void SetUp() override
    {
        RegisterTest::SetUp();
        rec = &recordPrinting();
        gEntryClass = "4A";
        gSchoolName = "Muster-Schule";
    }

    // The print window as the week overview of school week `week` opens it.
    Form70* openPrint(const QString& week = QStringLiteral("12"))
    {
        startEntryWindow();
        entry->Label12->setText(week);
        Form17* overview = forms::get<Form17>();
        overview->Label1->setText(dates::shortText(monday));
        overview->Label2->setText(dates::shortText(monday.addDays(4)));
        overview->Command1->click();
        return forms::ifOpen<Form70>();
    }

    void print(const QString& first, const QString& last, bool entries = true, bool title = false)
    {
        Form70* f = openPrint();
        f->Text1->setText(first);
        f->Text2->setText(last);
        f->Check1->setChecked(entries);
        f->Check2->setChecked(title);
        f->Command1->click();
    }

    const PrintRecorder::Op& op(const QString& text) const { return printedText(*rec, text); }
    // Where and how large a text was printed: "x y size", "b" added when bold.
    QString placed(const QString& text) const
    {
        const PrintRecorder::Op& o = op(text);
        return QStringLiteral("%1 %2 %3%4").arg(o.x).arg(o.y).arg(o.state.font.size).arg(o.state.font.bold ? "b" : "");
    }
    // The page and the line's height on it: "page y".
    QString onPage(const QString& text) const { return QStringLiteral("%1 %2").arg(op(text).page).arg(op(text).y); }
    // The texts printed at `x` mm: 44 the lesson contents, 130 the right column.
    QStringList column(double x) const
    {
        QStringList t;
        for (const PrintRecorder::Op& o : rec->ops) {
            if (o.x == x)
                t << o.text;
        }
        return t;
    }
    QStringList rightColumn() const { return column(130); }
    static QString content(const QString& text, const QString& cls = QStringLiteral("4A"))
    {
        return contentLine("M", "ABC", cls, text);
    }
};

TEST_F(RegisterPrintTest, OpensOnTheWeekOfTheOverview)
{
    Form70* f = openPrint("12");
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Druckmenü - Klassenbuch");
    EXPECT_EQ(f->Label3->text() + " " + f->Label1->text() + " " + f->Label2->text(), "12 09.03.2026 13.03.2026");
    EXPECT_EQ(f->Text1->text() + "-" + f->Text2->text(), "12-12");
    EXPECT_TRUE(f->Check1->isChecked() && !f->Check2->isChecked() && green(f->Text1));
    f->Command2->click();
    EXPECT_FALSE(forms::isOpen<Form70>());
}

TEST_F(RegisterPrintTest, PrintsTheWeekShownWithEachKindOfEntryInItsPlace)
{
    writeDay(monday, {content("Bruchrechnung"),
                      entryLine({.kind = "01", .cls = "4a", .text = "krank", .period = "2", .student = "Max Muster"}),
                      entryLine({.kind = "02", .cls = "4A", .text = "", .period = "3", .student = "Eva Alt"}),
                      entryLine({.kind = "01", .cls = "4B", .student = "Anderer"}),
                      entryLine({.kind = "04", .cls = "4A", .text = "störte", .student = "Tim"}),
                      entryLine({.kind = "05", .cls = "4A", .text = " Elternbrief "}),
                      entryLine({.kind = "05", .cls = "4B", .text = "nicht hier"}),
                      entryLine({.kind = "06", .cls = "4B", .text = "an alle", .shortName = "XY"}),
                      entryLine({.kind = "07", .cls = "4A", .text = "Test"}),
                      entryLine({.kind = "08", .cls = "5C", .text = "Schulfest"}),
                      entryLine({.kind = "09", .cls = "4A", .text = "Raum", .room = "3"}),
                      content("anderer Stoff", "4B"), content("entfernt"), removalLine(13)});
    writeDay(monday.addDays(2), {content("weg"), removalLine(1)});
    writeDay(monday.addDays(3), {content("Brüche")});
    print("12", "12");

    EXPECT_FALSE(forms::isOpen<Form70>());
    EXPECT_EQ(QList<int>({rec->documents, rec->pagesSent}), QList<int>({1, 1}));
    const QString head = "Klassenbuch  -  4A  -  Muster-Schule";
    const QString week = "12. Woche vom 09.03.2026 bis zum 13.03.2026";
    EXPECT_EQ(rec->texts().mid(0, 6), QStringList({head, week, "Montag", "ABC     ", "M       ", "Bruchrechnung"}));
    EXPECT_EQ(op(head).state.font.name, "Arial");
    // Day headings on their day's line (Wednesday has only a removed entry,
    // Tuesday no file); a lesson content below it with its subject bold; the
    // right column from the heading's line on.
    for (const auto& [text, where] : {std::pair{head, "20 10 20b"}, {week, "20 20 18"}, {"Montag", "20 40 12b"},
                                      {"Mittwoch", "20 52 12b"}, {"Donnerstag", "20 58 12b"},
                                      {"ABC     ", "20 47 8"}, {"M       ", "32 47 8b"}, {"Bruchrechnung", "44 47 8"},
                                      {"Brüche", "44 65 8"}, {"2  Max Muster fehlt. krank", "130 47 8"},
                                      {"ABC      Schulfest", "130 83 8"}})
        EXPECT_EQ(placed(text), where) << text.toStdString();
    for (const char* left : {"Dienstag", "anderer Stoff", "entfernt"})
        EXPECT_FALSE(rec->texts().contains(left)) << left;

    EXPECT_EQ(rightColumn(), QStringList({"2  Max Muster fehlt. krank", "3  Eva Alt ist wieder da. ", "ABC: Tim störte",
                                          "ABC      Elternbrief", "XY       an alle", "ABC      Test",
                                          "ABC      Schulfest"}));
    for (const auto& [text, colour] : {std::pair{"3  Eva Alt ist wieder da. ", 0xFF0000u}, {"ABC: Tim störte", 0x0000FFu},
                                       {"ABC      Elternbrief", 0u}, {"ABC      Test", 0x00C000u}})
        EXPECT_EQ(op(text).state.colour, colour) << text;
    for (const PrintRecorder::Op& o : rec->ops)
        EXPECT_FALSE(o.state.font.italic);
}

TEST_F(RegisterPrintTest, PrintsAnEarlierRangeOfWeeksOnePageEach)
{
    for (int back = 4; back >= 2; --back)
        writeDay(monday.addDays(-7 * back), {content(QStringLiteral("Stoff %1").arg(back))});
    Form70* f = openPrint("7");
    f->Text1->setText("3");
    f->Text2->setText("5");
    QStringList shown;
    QTimer::singleShot(0, f, [&] { shown << f->Label3->text() + " " + f->Label1->text(); });
    f->Command1->click();

    EXPECT_EQ(rec->documents, 3);
    EXPECT_EQ(shown, QStringList({"3 09.02.2026"}));
    const QStringList texts = rec->texts();
    EXPECT_TRUE(texts.contains("3. Woche vom 09.02.2026 bis zum 13.02.2026"));
    EXPECT_TRUE(texts.contains("5. Woche vom 23.02.2026 bis zum 27.02.2026"));
    EXPECT_EQ(op("Stoff 4").document, 1);
    EXPECT_EQ(op("Stoff 2").document, 3);
}

TEST_F(RegisterPrintTest, RejectsAWrongRangeWithoutPrintingOrAMessage)
{
    const char* ranges[][2] = {{"5", "3"}, {"1", "53"}, {"0", "2"}, {"2.5", "3"}, {"x", "3"}};
    for (const auto& r : ranges) {
        print(r[0], r[1], true, true);
        EXPECT_FALSE(forms::isOpen<Form70>()) << r[0];
    }
    EXPECT_TRUE(rec->ops.isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(RegisterPrintTest, TitlePageAloneReadsTheWeeksButPrintsOnlyTheTitle)
{
    gSchoolName = "Grundschule Musterdf"; // 20 characters
    writeDay(monday, {content("a", "10AB"), content("b", "10ab")});
    gEntryClass = "10AB";
    print("12", "12", false, true);

    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->texts(), QStringList({"10AB", "Grundschule Musterdf"}));
    EXPECT_EQ(placed("10AB"), "85 70 70b");
    EXPECT_EQ(placed("Grundschule Musterdf"), "73 100 16b");
    EXPECT_EQ(op("Grundschule Musterdf").state.colour, 0u);
    EXPECT_EQ(gClassEntryCount, 2);
}

TEST_F(RegisterPrintTest, BreaksLongTextsIntoLines)
{
    const QString fiftyNine(59, 'a');
    const QString withBlank = QString(49, 'b') + " " + QString(15, 'c');
    const QString noBlank = QString(150, 'd');
    const QString disruption = QString(120 - 9, 'e'); // "ABC: Tim " and the text
    const QString info = QString(111, 'f');             // "ABC      " and the text
    // Ten lines of 50 leave 60 characters for the "Abbruch" line.
    const QString tooLong = QString(560 - 9, 'x');
    writeDay(monday, {content(fiftyNine), content(withBlank), content(noBlank),
                      entryLine({.kind = "04", .cls = "4A", .text = disruption, .student = "Tim"}),
                      entryLine({.kind = "05", .cls = "4A", .text = info}),
                      entryLine({.kind = "04", .cls = "4A", .text = tooLong, .student = "Tim"})});
    print("12", "12");

    EXPECT_EQ(column(44), QStringList({fiftyNine, withBlank.left(50), QString(15, 'c'), QString(70, 'd'), QString(70, 'd'),
                                 QString(10, 'd')}));
    // Every piece repeats short name and subject.
    EXPECT_EQ(rec->texts().count("M       "), 6);

    const QString composed = "ABC: Tim " + disruption;
    const QString notice = "ABC      " + info;
    const QStringList right = rightColumn();
    EXPECT_EQ(right.mid(0, 6), QStringList({composed.left(50), composed.mid(50, 50), composed.mid(100), notice.left(50),
                                            notice.mid(50, 50), notice.mid(100)}));
    // Even the "Abbruch" line loses nothing: it goes on below.
    ASSERT_EQ(right.size(), 6 + 10 + 2);
    EXPECT_EQ(right[6 + 10], "Abbruch 60=" + QString(39, 'x'));
    EXPECT_EQ(right[6 + 11], QString(21, 'x'));
}

TEST_F(RegisterPrintTest, NarrowsTheLinesForAFullWeekAndCountsEveryCaseOfTheClass)
{
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << content("kurz", i % 2 ? "4a" : "4A");
    // A line of more than 111 characters counts twice.
    for (int i = 0; i < 5; ++i)
        lines << content(QString(100, 'y'));
    writeDay(monday, lines);
    print("12", "12");

    EXPECT_EQ(gClassEntryCount, 40);
    EXPECT_NEAR(op("Montag").y, 34 + 5.4, 1e-9);
    EXPECT_NEAR(rec->ops[3].y, 35 + 5.4 * 2, 1e-9);
}

TEST_F(RegisterPrintTest, AWeekBeyondThePageGoesOnOnAFurtherPageUnderTheSameHeads)
{
    QStringList lines;
    for (int i = 1; i <= 50; ++i)
        lines << entryLine({.kind = "05", .cls = "4A", .text = QString::number(i)});
    writeDay(monday, lines);
    writeDay(monday.addDays(1), {content("Dienstagsstoff")});
    print("12", "12");

    EXPECT_EQ(QList<int>({rec->documents, rec->pagesSent}), QList<int>({1, 2}));
    EXPECT_EQ(rightColumn().size(), 50);
    // A4: a line of 8 pt at 35 + 6 x 42 = 287 mm ends 3.4 mm further down, within
    // 5 mm of the edge; the next one goes on.
    EXPECT_EQ(QStringList({onPage("ABC      41"), onPage("ABC      42"), onPage("Dienstag")}),
              QStringList({"1 287", "2 41", "2 40"}));
    EXPECT_EQ(rec->texts().count("Klassenbuch  -  4A  -  Muster-Schule"), 2);
}

TEST_F(RegisterPrintTest, ClosingTheWindowWhileItYieldsStopsThePrint)
{
    writeDay(monday, {content("Stoff")});
    Form70* f = openPrint();
    f->Check2->setChecked(true);
    QTimer::singleShot(0, f, [] { forms::ifOpen<Form70>()->Command2->click(); });
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form70>());
    EXPECT_EQ(rec->documents, 0);
}

TEST_F(RegisterPrintTest, APdfFileHoldsEveryPageOfTheRunAndTheWindowSaysWhereOrThatItFailed)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    writeLines("Ausdrucke", {"eine Datei, wo der Ordner sein soll"});
    print("12", "12");
    EXPECT_EQ(messages(), QStringList({"Der Ausdruck konnte nicht erstellt werden.\nDer Ordner " +
                                       QDir::toNativeSeparators(path("Ausdrucke")) +
                                       " ließ sich nicht anlegen (An Stelle des Ordners steht eine Datei)."}));
    QFile::remove(path("Ausdrucke"));

    writeDay(monday, {content("Bruchrechnung mit Nennern"),
                      entryLine({.kind = "01", .cls = "4A", .text = "krank", .period = "2", .student = "Max Muster"})});
    print("11", "12", true, true);

    const QString file = path("Ausdrucke/Klassenbuch 4A 2026-03-11 09-30-00.pdf");
    EXPECT_EQ(messages().last(), "Der Ausdruck steht in der Datei\n" + file);
    EXPECT_EQ(pdfPageCount(file), 3);
    const QString text = pdfText(file).simplified();
    EXPECT_EQ(text.count("Klassenbuch - 4A - Muster-Schule"), 2) << text.toStdString();
    EXPECT_TRUE(text.contains("11. Woche vom 02.03.2026 bis zum 06.03.2026"));
    EXPECT_TRUE(text.contains("Bruchrechnung mit Nennern"));
    EXPECT_TRUE(text.contains("2 Max Muster fehlt. krank"));
    EXPECT_TRUE(runTool("pdffonts", {file}).contains("LiberationSans"));
}

TEST_F(RegisterPrintTest, DaysThatCouldNotBeReadAreNamedAfterThePrint)
{
    writeDay(monday, {content("Stoff")});
    blockFile(dayFile(monday.addDays(1)));
    print("12", "12");
    EXPECT_EQ(column(44), QStringList{"Stoff"});
    EXPECT_EQ(messages(), QStringList{"Im Ausdruck fehlen Tage:\nDie Tagesdatei 20260310.qz konnte nicht gelesen "
                                      "werden: An Stelle der Datei steht ein Ordner."});
}
