#include "core/model.h"
#include "planner/print/print_menu.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

// The week grids of the whole school printed from the demo school's plan into
// PDF files, A3 on "PDF-Datei A3" and reduced on "PDF-Datei".
class DemoGridsTest : public ModelTest {
protected:
    PrinterReset m_printer;

    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        startInDataFolder();
    }

    // Prints through the button into a PDF file on the device; its path.
    QString printToPdf(const char* device, QPushButton* Form14::*button)
    {
        EXPECT_TRUE(printer().choosePrinter(QString::fromLatin1(device)));
        Form14* f = forms::show<Form14>();
        f->Command31->click();
        (f->*button)->click();
        const QString report = f->Label5->text();
        const QString prefix = QStringLiteral("Der Ausdruck steht in der Datei\n");
        EXPECT_TRUE(report.startsWith(prefix)) << report.toStdString();
        return report.mid(prefix.size());
    }
};

TEST_F(DemoGridsTest, EveryGridReachesItsPdfFileOnItsPaper)
{
    struct Case {
        const char* device;
        QPushButton* Form14::*button;
        const char* paper;
        bool landscape;
        const char* title;
    };
    const Case cases[] = {
        {"PDF-Datei A3", &Form14::Command13, "A3", true, "Personalstundenplan"},
        {"PDF-Datei", &Form14::Command29, "A4", true, "Personalstundenplan"},
        {"PDF-Datei A3", &Form14::Command14, "A3", true, "Gesamtstundenplan und Lehrfächerverteilung"},
        {"PDF-Datei", &Form14::Command28, "A4", true, "Gesamtstundenplan und Lehrfächerverteilung"},
        {"PDF-Datei A3", &Form14::Command15, "A3", false, "Stundenplan - Lindenhof"},
        {"PDF-Datei", &Form14::Command30, "A4", false, "Stundenplan - Lindenhof"},
    };
    for (const Case& c : cases) {
        const QString file = printToPdf(c.device, c.button);
        ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
        const QString info = runTool(QStringLiteral("pdfinfo"), {file});
        const QRegularExpressionMatch size
            = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts \\((\\w+)\\)")).match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        EXPECT_EQ(size.captured(3), c.paper) << file.toStdString();
        EXPECT_EQ(size.captured(1).toDouble() > size.captured(2).toDouble(), c.landscape) << file.toStdString();
        // The text as pdftotext lays it out, blanks run together.
        const QString text = pdfText(file).simplified();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.title))) << text.left(300).toStdString();
        EXPECT_TRUE(text.contains("Programm: VORDA V1.28a")) << file.toStdString();
    }
    EXPECT_TRUE(messages().isEmpty());
}
