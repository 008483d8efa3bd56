#include "planner/masterdata/printer_choice.h"
#include "planner/print/print_menu.h"
#include "tests/planner/print/print_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

class PrintJobTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        f = forms::show<Form14>();
    }
    // Runs `meanwhile` at the printout's next yield.
    static void atNextYield(const std::function<void()>& meanwhile) { QTimer::singleShot(0, meanwhile); }

    Form14* f = nullptr;
};

TEST_F(PrintJobTest, APrintoutIsOneRunNamedAfterItsButton)
{
    f->runPrintout(f->Command25, [](Form14&) {
        printer().print("1A");
        printer().endDoc();
        printer().print("1B");
        printer().endDoc();
    });
    f->runPrintout(f->Command15, [](Form14&) { printer().print("x"); });
    EXPECT_EQ(rec->runs, QStringList({"Klassen 1-S", "Gesamt-Stpl. - senkrecht  A3"}));
    EXPECT_EQ(rec->documents, 3);
    EXPECT_EQ(f->Label5->text(), "") << "a printer needs no word";
    EXPECT_FALSE(PrintoutRunning());
}

TEST_F(PrintJobTest, WhileAPrintoutYieldsNoOtherStartsAndThePrinterStays)
{
    int second = 0;
    f->runPrintout(f->Command13, [&](Form14& menu) {
        printer().print("erste");
        atNextYield([&] {
            menu.runPrintout(menu.Command28, [&](Form14&) { ++second; });
            menu.Command17->click();
        });
        ASSERT_TRUE(PrintYield());
        EXPECT_TRUE(PrintoutRunning());
        printer().print("noch erste");
    });
    EXPECT_EQ(second, 0);
    EXPECT_FALSE(forms::isOpen<Form28>());
    EXPECT_EQ(rec->runs.size(), 1);
    EXPECT_EQ(rec->texts(), QStringList({"erste", "noch erste"}));
    EXPECT_TRUE(f->Command28->isEnabled() && f->Command17->isEnabled()) << "they stay enabled";

    f->runPrintout(f->Command28, [&](Form14&) { ++second; });
    EXPECT_EQ(second, 1) << "the next click prints again";
}

TEST_F(PrintJobTest, ClosingTheWindowStopsThePrintoutAtItsNextYieldAndSendsThePagesDone)
{
    bool stopped = false;
    f->runPrintout(f->Command15, [&](Form14& menu) {
        printer().print("Seite 1");
        printer().endDoc();
        atNextYield([&] { menu.Command1->click(); });
        if (!PrintYield()) {
            stopped = true;
            return;
        }
        printer().print("Seite 2");
    });
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(forms::isOpen<Form14>());
    EXPECT_EQ(rec->texts(), QStringList({"Seite 1"}));
    EXPECT_EQ(rec->documents, 1);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PrintJobTest, APdfFileClosedUnderItsPrintoutIsStillNamed)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    f->runPrintout(f->Command13, [&](Form14& menu) {
        printer().print("Seite 1");
        atNextYield([&] { menu.Command1->click(); });
        PrintYield();
    });
    const QStringList files = QDir(path("Ausdrucke")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(messages(), QStringList({"Der Ausdruck steht in der Datei\n" + path("Ausdrucke/" + files[0])}));
}

TEST_F(PrintJobTest, AfterARunIntoAPdfFileTheStatusLineSaysWhereItIs)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    f->runPrintout(f->Command25, [](Form14& menu) {
        printer().print("Klasse 1A");
        menu.Label5->setText("Druckauftrag erledigt");
    });
    const QString file = path("Ausdrucke/Klassen 1-S 2026-03-11 09-30-00.pdf");
    EXPECT_EQ(f->Label5->text(), "Der Ausdruck steht in der Datei\n" + file);
    EXPECT_TRUE(pdfText(file).contains("Klasse 1A"));
    EXPECT_TRUE(messages().isEmpty()) << "the status line tells it, no box";
}

TEST_F(PrintJobTest, ARunWhoseOutputCouldNotBeMadeSaysSoInTheStatusLine)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    writeLines("Ausdrucke", {"keine Mappe"});
    f->runPrintout(f->Command14, [](Form14& menu) {
        printer().print("Gesamtplan");
        menu.Label5->setText("Druckauftrag erledigt");
    });
    EXPECT_TRUE(f->Label5->text().startsWith("Der Ausdruck konnte nicht erstellt werden.\n")) << f->Label5->text().toStdString();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(PrintoutRunning());
}

// The limit stands for a disk too full for the file.
TEST_F(PrintJobTest, APdfFileTheDiskCannotHoldIsToldAsFailedInTheStatusLine)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    const QString folder = path("Ausdrucke");
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        const FileSizeLimit limit(2048);
        f->runPrintout(f->Command25, [](Form14&) {
            printer().print("Klasse 1A");
            printer().newPage();
            printer().print("Klasse 1B");
        });
    }
    EXPECT_EQ(f->Label5->text(), "Der Ausdruck konnte nicht erstellt werden.\nDie Datei Klassen 1-S 2026-03-11 "
                                 "09-30-00.pdf im Ordner " + folder
                                     + " ließ sich nicht fertig schreiben (Die Datei ist zu groß).");
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PrintJobTest, APrinterChosenWhileAPrintoutYieldsTakesOverAfterIt)
{
    Form28* choice = forms::show<Form28>();
    f->runPrintout(f->Command13, [&](Form14&) {
        printer().print("A4");
        atNextYield([&] {
            choice->List1->setListIndex(choice->List1->items().indexOf("PDF-Datei A3"));
            choice->Command2->click();
        });
        PrintYield();
        EXPECT_EQ(printer().deviceName(), "Laserdrucker");
        printer().print("noch A4");
        EXPECT_EQ(rec->texts(), QStringList({"A4", "noch A4"}));
    });
    EXPECT_EQ(printer().deviceName(), "PDF-Datei A3");
    EXPECT_EQ(f->Label1->text(), "PDF-Datei A3");
    EXPECT_TRUE(f->Command13->isEnabled());
}
