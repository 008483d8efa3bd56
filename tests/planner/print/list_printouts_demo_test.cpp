#include "core/model.h"
#include "planner/print/print_menu.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QLabel>
#include <QPushButton>

// Each list and small sheet once into a real PDF file, on a copy of the demo
// school started as the planner starts.
class ListPrintoutsDemoTest : public ModelTest {
protected:
    PrinterReset m_printer;

    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        startInDataFolder();
        ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
        f = forms::show<Form14>();
    }

    // The PDF file the last printout went to, as the menu names it.
    QString printedFile() const
    {
        const QString report = f->Label5->text();
        return report.startsWith("Der Ausdruck steht in der Datei\n") ? report.section('\n', 1) : QString();
    }

    Form14* f = nullptr;
};

namespace {
// "595 x 842" from pdfinfo's page size of an A4 portrait page.
QString pageSize(const QString& file)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+) pts"))
                                          .match(runTool(QStringLiteral("pdfinfo"), {file}));
    return m.captured(1);
}

const QString kPortrait = QStringLiteral("595 x 842");
const QString kLandscape = QStringLiteral("842 x 595");
}

TEST_F(ListPrintoutsDemoTest, EachListAndSheetGoesIntoAPdfFileWithItsPagesAndTexts)
{
    const struct {
        QPushButton* button;
        int pages;
        QString size;
        QStringList texts;
    } cases[] = {
        {f->Command2, 1, kPortrait, {"Lindenhof-Gymnasium Talheim", "Thomas Brandt"}},
        {f->Command26, 1, kLandscape, {"Klassenlehrer Lindenhof-Gymnasium Talheim", "5a", "10a"}},
        {f->Command32, 1, kPortrait, {"Lehrfächer - Legende - Lindenhof-Gymnasium Talheim"}},
        {f->Command3, 1, kPortrait, {"Anwesenheitsplan 1 Lindenhof-Gymnasium Talheim", "Druckdatum:", "Freitag"}},
        {f->Command18, 1, kPortrait, {"Lehrfächerverteilung - Lindenhof-Gymnasium Talheim", "Thomas Brandt > Ma 5a,6b,8a, Ph 9a = 14 ( 14 )"}},
        {f->Command19, 1, kLandscape, {"Stundentafel - Lindenhof-Gymnasium Talheim", "5a >"}},
        {f->Command24, 1, kPortrait, {"Farbtest VORDA V1.28a PDF-Datei", "himmelblau", "ABCDEabcde"}},
        {f->Command5, 4, kLandscape, {"Sabine Krämer", "Thomas Brandt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->text().toStdString());
        c.button->click();
        const QString file = printedFile();
        ASSERT_FALSE(file.isEmpty()) << f->Label5->text().toStdString();
        EXPECT_EQ(pdfPageCount(file), c.pages);
        EXPECT_EQ(pageSize(file), c.size);
        // pdftotext's layout puts runs of blanks where the page has them.
        const QString text = pdfText(file).simplified();
        for (const QString& t : c.texts)
            EXPECT_TRUE(text.contains(t)) << t.toStdString() << "\n" << text.left(600).toStdString();
    }
}
