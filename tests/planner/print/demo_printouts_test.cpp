#include "planner/masterdata/printer_choice.h"
#include "planner/print/print_procedures.h"
#include "tests/planner/print/print_fixture.h"

#include <QApplication>
#include <QFocusEvent>
#include <functional>

// The menu as a user meets it on a copy of the demo school, started the way
// the planner starts, printing into PDF files read back with poppler's tools.
class DemoPrintoutsTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        startInDataFolder();
        ASSERT_EQ(gPlanName, "1");
    }
    // The PDF file a click on `button` printed into, as the status line names it.
    static QString print(QPushButton* button)
    {
        button->click();
        const QString report = forms::get<Form14>()->Label5->text();
        const QString prefix = QStringLiteral("Der Ausdruck steht in der Datei\n");
        EXPECT_TRUE(report.startsWith(prefix)) << report.toStdString();
        return report.mid(prefix.size());
    }
    // "842 x 595" for A4 landscape: the first page's size in whole points.
    static QString pageSize(const QString& file)
    {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                                              .match(runTool(QStringLiteral("pdfinfo"), {file}));
        return QStringLiteral("%1 x %2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble()));
    }
    // The abbreviation of the first lesson of class k on Monday.
    static QString firstLesson(int k)
    {
        for (int p = 1; p <= gPeriodsPerDay.toInt(); ++p) {
            if (const int s = gTimetable(1, p, k, 0); s != 0)
                return gSubjectNames(s, 2);
        }
        return {};
    }
    static void choose(Form14* f, const QString& name)
    {
        f->Command17->click();
        Form28* choice = forms::ifOpen<Form28>();
        ASSERT_TRUE(choice);
        choice->List1->setListIndex(choice->List1->items().indexOf(name));
        choice->Command2->click();
        forms::show<Form14>();
    }

    PrinterReset m_printer;
};

TEST_F(DemoPrintoutsTest, EveryPrintoutReachesItsPdfFileWithItsPagesPaperAndTexts)
{
    using Choice = std::function<QStringList(Form14*)>;
    const auto rows = [](ListBox* list, const QList<int>& selected) {
        list->clearSelection();
        for (int row : selected)
            list->item(row)->setSelected(true);
    };
    const QString a4 = "PDF-Datei", a3 = "PDF-Datei A3", portrait = "595 x 842", landscape = "842 x 595";
    const Choice nothing = [](Form14*) { return QStringList(); };
    const struct {
        QString device;
        QPushButton* Form14::*button;
        int pages;
        QString size;
        QStringList texts;
        Choice choice = {};
        std::pair<QString, qsizetype> counted = {};
    } cases[] = {
        {a4, &Form14::Command2, 1, portrait, {"Lindenhof-Gymnasium Talheim", "Thomas Brandt"}},
        {a4, &Form14::Command26, 1, landscape, {"Klassenlehrer Lindenhof-Gymnasium Talheim", "5a", "10a"}},
        {a4, &Form14::Command32, 1, portrait, {"Lehrfächer - Legende - Lindenhof-Gymnasium Talheim"}},
        {a4, &Form14::Command3, 1, portrait, {"Anwesenheitsplan 1 Lindenhof-Gymnasium Talheim", "Druckdatum:", "Freitag"}},
        {a4, &Form14::Command18, 1, portrait,
         {"Lehrfächerverteilung - Lindenhof-Gymnasium Talheim", "Thomas Brandt > Ma 5a,6b,8a, Ph 9a = 14 ( 14 )"}},
        {a4, &Form14::Command19, 1, landscape, {"Stundentafel - Lindenhof-Gymnasium Talheim", "5a >"}},
        {a4, &Form14::Command24, 1, portrait, {"Farbtest VORDA V1.28a PDF-Datei", "himmelblau", "ABCDEabcde"}},
        {a4, &Form14::Command5, 4, landscape, {"Sabine Krämer", "Thomas Brandt"}},
        {a3, &Form14::Command13, 1, "1191 x 842", {"Personalstundenplan", "Programm: VORDA V1.28a"}},
        {a4, &Form14::Command29, 1, landscape, {"Personalstundenplan", "Programm: VORDA V1.28a"}},
        {a3, &Form14::Command14, 1, "1191 x 842", {"Gesamtstundenplan und Lehrfächerverteilung"}},
        {a4, &Form14::Command28, 1, landscape, {"Gesamtstundenplan und Lehrfächerverteilung"}},
        {a3, &Form14::Command15, 1, "842 x 1191", {"Stundenplan - Lindenhof", "Programm: VORDA V1.28a"}},
        {a4, &Form14::Command30, 1, portrait, {"Stundenplan - Lindenhof", "Programm: VORDA V1.28a"}},
        {a4, &Form14::Command25, 2, landscape, {"Stundenplan - 5a -", "Stundenplan - 5b -", "Klassenvorstand"},
         [&](Form14* f) {
             rows(f->List2, {0, 1});
             return QStringList({firstLesson(1)});
         }},
        {a3, &Form14::Command16, 1, "1191 x 842", {"Stundenplan - 6a -", "Programm: VORDA V1.28a"},
         [](Form14* f) {
             f->List4->setListIndex(2);
             return QStringList();
         }},
        {a4, &Form14::Command4, 2, portrait, {"Montag"},
         [&](Form14* f) {
             rows(f->List1, {0, 1, 2, 3});
             return QStringList({gTeacherNames(ListItemTeacher(f->List1->List(3))).toString()});
         }},
        {a4, &Form14::Command20, 1, portrait, {}},
        {a4, &Form14::Command6, 1, portrait, {},
         [&](Form14* f) {
             rows(f->List2, {0});
             return QStringList({firstLesson(1)});
         },
         {"5a", 3}},
        {a4, &Form14::Command21, 3, portrait, {},
         [](Form14* f) {
             f->Command22->click();
             return QStringList({f->List5->selectedItems().value(0)->text()});
         }},
        {a4, &Form14::Command11, 1, portrait, {"Gesamtstundenplan - Montag - Lindenhof-Gymnasium Talheim", "10a"},
         [](Form14* f) {
             f->List3->setListIndex(0);
             return QStringList();
         }},
        {a4, &Form14::Command12, 1, portrait, {"Personalstundenplan - Montag -"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(printer().choosePrinter(c.device));
        Form14* f = forms::show<Form14>();
        f->Command31->click();
        QPushButton* button = f->*c.button;
        SCOPED_TRACE(button->text().toStdString());
        const QStringList texts = c.texts + (c.choice ? c.choice : nothing)(f);
        const QString file = print(button);
        EXPECT_EQ(pdfPageCount(file), c.pages);
        EXPECT_EQ(pageSize(file), c.size);
        // pdftotext's layout puts runs of blanks where the page has them.
        const QString text = pdfText(file).simplified();
        for (const QString& t : texts)
            EXPECT_TRUE(text.contains(t)) << t.toStdString() << "\n" << text.left(600).toStdString();
        if (!c.counted.first.isEmpty()) {
            EXPECT_EQ(text.count(c.counted.first), c.counted.second);
        }
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(DemoPrintoutsTest, TicksClassesSwitchesToTheA3PdfAndBackAndKeepsTheFontOverARestart)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    Form14* f = forms::show<Form14>();
    EXPECT_EQ(f->List2->items().mid(0, 10), QStringList({"5a", "5b", "6a", "6b", "7a", "7b", "8a", "8b", "9a", "10a"}));
    EXPECT_EQ(f->List1->ListCount(), 20);
    f->List2->item(0)->setSelected(true);
    f->List2->item(9)->setSelected(true);
    EXPECT_TRUE(f->Command25->isEnabled() && f->Command6->isEnabled());
    EXPECT_FALSE(f->Command13->isEnabled());

    choose(f, "PDF-Datei A3");
    EXPECT_EQ(f->Label1->text(), "PDF-Datei A3");
    EXPECT_TRUE(f->Command13->isEnabled() && f->Command14->isEnabled() && f->Command15->isEnabled());
    EXPECT_TRUE(f->List4->isEnabled());
    EXPECT_FALSE(f->Command25->isEnabled()) << "until the next click in the class list";
    EXPECT_EQ(f->List2->selectedItems().size(), 2);

    choose(f, "PDF-Datei");
    EXPECT_EQ(f->Label1->text(), "PDF-Datei");
    EXPECT_FALSE(f->Command13->isEnabled() || f->List4->isEnabled());

    f->Combo1->setListIndex(3);
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(f->Combo1, &out);
    f->Command1->click();
    startInDataFolder();
    EXPECT_EQ(gFontIndex.toInt(), 3);
    EXPECT_EQ(forms::show<Form14>()->Combo1->currentText(), "Times New Roman");
}
