#include "tests/support/disk_conditions.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QDir>
#include <QFileInfo>

class PrinterTest : public ModelTest {
    PrinterReset m_printer;
};

TEST_F(PrinterTest, RecordsInMillimetresFromEitherScaleAndAnExplicitColourServesOneLineOrBox)
{
    PrintRecorder& rec = recordPrinting();
    EXPECT_EQ(printer().scaleMode(), Printer::Scale::Twips);
    printer().setCurrentX(1440); // an inch
    printer().setCurrentY(567);
    printer().print("A");
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setColour(0xFF0000);
    printer().line(10, 20, 30, 40, 0x0000FF);
    EXPECT_EQ(printer().currentX(), 30) << "a line leaves the position at its end";
    printer().filledBox(5, 6, 7, 8, 0x00C000);
    printer().box(1, 2, 3, 4);
    ASSERT_EQ(rec.ops.size(), 4);
    EXPECT_NEAR(rec.ops[0].x, 25.4, 1e-9);
    EXPECT_NEAR(rec.ops[0].y, 10.0, 0.01);
    EXPECT_EQ(rec.ops[1].kind, PrintRecorder::Kind::Line);
    EXPECT_EQ(QList<double>({rec.ops[1].x, rec.ops[1].y, rec.ops[1].x2, rec.ops[1].y2}), QList<double>({10, 20, 30, 40}));
    EXPECT_EQ(rec.ops[1].state.colour, 0x0000FFu);
    EXPECT_EQ(rec.ops[2].kind, PrintRecorder::Kind::FilledBox);
    EXPECT_EQ(rec.ops[2].state.colour, 0x00C000u);
    EXPECT_EQ(rec.ops[3].kind, PrintRecorder::Kind::Box);
    EXPECT_EQ(rec.ops[3].state.colour, 0xFF0000u) << "the fore colour stays";
    // A4 portrait and landscape, in both scales.
    EXPECT_NEAR(printer().pageHeight(), 297, 0.5);
    printer().setOrientation(QPageLayout::Landscape);
    EXPECT_NEAR(printer().pageWidth(), 297, 0.5);
    printer().setScaleMode(Printer::Scale::Twips);
    EXPECT_NEAR(printer().pageHeight(), 210 * 1440 / 25.4, 5);
}

TEST_F(PrinterTest, TextEndsMoveThePositionByTheFixedMetrics)
{
    PrintRecorder& rec = recordPrinting();
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setFontSize(72 / 25.4 * 10); // 10 mm: a character 5 mm wide, a line 12 mm high
    printer().setCurrentX(20);
    printer().setCurrentY(30);
    printer().print("ab", Printer::End::Continue);
    EXPECT_NEAR(printer().currentX(), 30, 1e-9);
    printer().print("c", Printer::End::NextZone); // zones of 14 characters: 70 mm
    EXPECT_NEAR(printer().currentX(), 70, 1e-9);
    EXPECT_NEAR(printer().textWidth("abcd"), 20, 1e-9);
    printer().print("d");
    EXPECT_NEAR(printer().currentX(), 0, 1e-9);
    EXPECT_NEAR(printer().currentY(), 42, 1e-9);
    EXPECT_EQ(rec.texts(), QStringList({"ab", "c", "d"}));
    EXPECT_NEAR(rec.ops[2].x, 70, 1e-9);
}

TEST_F(PrinterTest, DocumentsStartWithOutputAndKeepTheProperties)
{
    PrintRecorder& rec = recordPrinting();
    printer().endDoc(); // nothing printed: nothing sent
    EXPECT_EQ(rec.documents, 0);

    printer().setFontName("Courier New");
    printer().setFontBold(true);
    printer().setFontItalic(true);
    printer().setPenWidth(3);
    printer().print("1");
    printer().newPage();
    printer().print("2");
    printer().endDoc();
    printer().print("3");
    printer().endDoc();
    EXPECT_EQ(rec.documents, 2);
    EXPECT_EQ(rec.pagesSent, 3);
    ASSERT_EQ(rec.ops.size(), 3);
    EXPECT_EQ(rec.ops[1].page, 2);
    EXPECT_EQ(rec.ops[2].document, 2);
    EXPECT_EQ(rec.ops[2].page, 1);
    // After a page or a document the position is the corner again.
    EXPECT_EQ(rec.ops[1].y, 0);
    const PrintState& s = rec.ops[2].state;
    EXPECT_EQ(s.font.name, "Courier New");
    EXPECT_TRUE(s.font.bold && s.font.italic);
    EXPECT_EQ(s.penWidth, 3);
}

TEST_F(PrinterTest, APdfRunIsOneFileOfItsPagesInItsFolderARunWithoutOutputNoneAndAFailureIsReported)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    const QString folder = path("Ausdrucke");
    printer().beginRun("Leer", folder);
    printer().endDoc();
    EXPECT_EQ(printer().endRun().file, QString());
    EXPECT_FALSE(QDir(folder).exists());

    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().beginRun("Probe", folder);
    // A page advance before anything is drawn makes no blank sheet.
    printer().newPage();
    printer().setCurrentX(20);
    printer().setCurrentY(20);
    printer().print("Erste Seite");
    printer().endDoc();
    printer().newPage();
    printer().setColour(0x0000FF);
    printer().filledBox(10, 10, 50, 50);
    printer().newPage();
    printer().print("Dritte Seite");
    printer().endDoc();
    const QString file = printer().endRun().file;
    EXPECT_EQ(file, folder + "/Probe 2026-03-11 09-30-00.pdf");
    EXPECT_EQ(pdfPageCount(file), 3);
    EXPECT_TRUE(runTool("pdftotext", {"-f", "1", "-l", "1", file, "-"}).contains("Erste Seite"));
    EXPECT_TRUE(runTool("pdftotext", {"-f", "3", "-l", "3", file, "-"}).contains("Dritte Seite"));
    EXPECT_TRUE(runTool("pdfinfo", {file}).contains("(A4)"));

    // The next run at the same moment gets a file of its own.
    printer().beginRun("Probe", folder);
    printer().print("x");
    EXPECT_EQ(printer().endRun().file, folder + "/Probe 2026-03-11 09-30-00 (2).pdf");
    // Another PC's printout that took the name during the run stays as it is.
    printer().beginRun("Andere", folder);
    printer().print("x");
    writeBytes("Ausdrucke/Andere 2026-03-11 09-30-00.pdf", "fremd");
    EXPECT_EQ(printer().endRun().file, folder + "/Andere 2026-03-11 09-30-00 (2).pdf");
    EXPECT_EQ(readBytes("Ausdrucke/Andere 2026-03-11 09-30-00.pdf"), "fremd");
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei A3"));
    printer().beginRun("Gross", folder);
    printer().print("A3");
    EXPECT_TRUE(runTool("pdfinfo", {printer().endRun().file}).contains("(A3)"));

    // A file where the folder should be.
    writeLines("Blockiert", {"x"});
    printer().beginRun("Probe", path("Blockiert"));
    printer().print("x");
    const PrintRun failed = printer().endRun();
    EXPECT_TRUE(failed.failed);
    EXPECT_EQ(failed.file, QString());
}

// Qt's PDF engine drops the writes a full disk refuses and ends the file as
// if it were whole; the limit stands for the full disk.
TEST_F(PrinterTest, APdfTheDiskCannotHoldIsToldAsFailedAndLeavesNoFile)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    const QString folder = path("Ausdrucke");
    const auto printThreePages = [&folder](const QString& title) {
        printer().beginRun(title, folder);
        for (const QString page : {"Erste Seite", "Zweite Seite", "Dritte Seite"}) {
            printer().print(page);
            printer().newPage();
        }
        return printer().endRun();
    };
    const QString whole = printThreePages("Ganz").file;
    const qint64 size = QFileInfo(whole).size();
    ASSERT_GT(size, 2048);
    ASSERT_TRUE(QFile::remove(whole));

    const struct {
        const char* cut;
        qint64 limit;
    } cases[] = {
        {"within the pages", 2048},
        {"in its trailer only", size - 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cut);
        PrintRun run;
        {
            const FileSizeLimit limit(static_cast<rlim_t>(c.limit));
            run = printThreePages("Voll");
        }
        EXPECT_TRUE(run.failed);
        EXPECT_EQ(run.file, QString());
        EXPECT_EQ(run.reason, "Die Datei Voll 2026-03-11 09-30-00.pdf im Ordner " + QDir::toNativeSeparators(folder)
                                  + " ließ sich nicht fertig schreiben (Die Datei ist zu groß).");
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }
}

TEST_F(PrinterTest, TheUserLearnsTheWholePathOfAPdfOrThatThePrintoutFailed)
{
    reportPrintRun({"Ausdrucke/Probe.pdf", false, {}});
    reportPrintRun({{}, true, "Der Drucker nahm den Auftrag nicht an."});
    reportPrintRun({});
    EXPECT_EQ(messages(), QStringList({"Der Ausdruck steht in der Datei\n" + QDir::current().absoluteFilePath("Ausdrucke/Probe.pdf"),
                                       "Der Ausdruck konnte nicht erstellt werden.\n"
                                       "Der Drucker nahm den Auftrag nicht an."}));
}

TEST_F(PrinterTest, OnlyListedPrintersAreChosenAndTheirPaperHoldsInTwipsWhateverTheScale)
{
    const QStringList names = Printer::printerNames();
    EXPECT_EQ(names.mid(names.size() - 2), QStringList({"PDF-Datei A3", "PDF-Datei"}));
    EXPECT_FALSE(printer().choosePrinter("kein Drucker"));
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei A3"));
    EXPECT_EQ(printer().deviceName(), "PDF-Datei A3");
    EXPECT_EQ(printer().paperSize(), QPageSize::A3);
    printer().setScaleMode(Printer::Scale::Millimetres);
    EXPECT_EQ(printer().pageWidthTwips(), 16838);
    EXPECT_EQ(printer().pageHeightTwips(), 23811);
    printer().setOrientation(QPageLayout::Landscape);
    EXPECT_EQ(printer().pageWidthTwips(), 23811);
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    EXPECT_EQ(printer().paperSize(), QPageSize::A4);
    EXPECT_EQ(printer().pageWidthTwips() + printer().pageHeightTwips(), 11906 + 16838);
}

TEST_F(PrinterTest, ARecorderStandsForAnyDeviceAndKeepsEachDocumentsPaper)
{
    PrintRecorder& rec = recordPrinting("HP Plotter", QPageSize(QPageSize::A3));
    EXPECT_EQ(printer().deviceName(), "HP Plotter");
    EXPECT_EQ(printer().paperSize(), QPageSize::A3);
    printer().print("1");
    printer().endDoc();
    printer().setOrientation(QPageLayout::Landscape);
    printer().newPage();
    printer().print("2");
    printer().newPage();
    printer().endDoc();
    ASSERT_EQ(rec.begun.size(), 2);
    EXPECT_EQ(rec.begun[0].paper.id(), QPageSize::A3);
    EXPECT_EQ(rec.begun[0].orientation, QPageLayout::Portrait);
    EXPECT_EQ(rec.begun[0].pageAdvances, 0);
    EXPECT_EQ(rec.begun[1].orientation, QPageLayout::Landscape);
    EXPECT_EQ(rec.begun[1].pageAdvances, 2);
}

TEST_F(PrinterTest, ACodeZeroLineIsRecordedAndMovesOnButLeavesNoMarkOnPaper)
{
    const QString codeZero(QChar(0));
    PrintRecorder& rec = recordPrinting();
    printer().setScaleMode(Printer::Scale::Millimetres);
    printer().setCurrentY(10);
    printer().print(codeZero);
    EXPECT_EQ(rec.texts(), QStringList({codeZero}));
    EXPECT_GT(printer().currentY(), 10);

    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    printer().beginRun("Plotter", path("Ausdrucke"));
    printer().line(10, 10, 100, 10);
    printer().print(codeZero);
    const QString file = printer().endRun().file;
    ASSERT_EQ(pdfPageCount(file), 1);
    const QStringList fonts = runTool("pdffonts", {file}).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(fonts.size(), 2) << "only the table head: no text was set\n" << fonts.join('\n').toStdString();
}

TEST_F(PrinterTest, APrinterChosenDuringARunTakesOverWhenTheRunEnds)
{
    PrintRecorder& rec = recordPrinting("Laserdrucker", QPageSize(QPageSize::A4));
    printer().beginRun("Lauf", path("Ausdrucke"));
    printer().print("vorher");
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei A3"));
    printer().print("nachher");
    EXPECT_EQ(printer().deviceName(), "Laserdrucker");
    EXPECT_EQ(printer().paperSize(), QPageSize::A4);
    EXPECT_EQ(rec.texts(), QStringList({"vorher", "nachher"})) << "the run kept its printer";
    printer().endRun();
    EXPECT_EQ(printer().deviceName(), "PDF-Datei A3");
    EXPECT_EQ(printer().paperSize(), QPageSize::A3);
}

// The script faces of Windows are missing here; the installed script face is
// measured in their place, far narrower than the system's fallback.
TEST_F(PrinterTest, TheInstalledScriptFaceStandsInForTheMissingScriptFaces)
{
    const QString text = QStringLiteral("Lindenhof-Gymnasium Talheim, 07.12.2026");
    const auto width = [&](const char* face) {
        printer().setFontName(QString::fromLatin1(face));
        return printer().textWidth(text);
    };
    printer().setFontSize(14);
    const double standIn = width("Dancing Script");
    EXPECT_LT(standIn, width("DejaVu Sans") * 0.8) << "the face is installed";
    EXPECT_EQ(width("EnglischeSchT"), standIn);
    EXPECT_EQ(width("Brush Script MT kursiv"), standIn);
}
