#include "planner/masterdata/subject_window.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/printing.h"

#include <QPushButton>

class SubjectPrintTest : public MasterDataTest {
protected:
    PrinterReset m_printer;
    PrintRecorder* rec = nullptr;

    void SetUp() override
    {
        MasterDataTest::SetUp();
        rec = &recordPrinting();
        gSchoolName = "Muster-Schule";
    }

    void print() { forms::show<Form7>()->Command3->click(); }

    const PrintRecorder::Op& op(const QString& text) const { return printedText(*rec, text); }
    static QList<double> at(const PrintRecorder::Op& o) { return {o.x, o.y}; }
    // The texts of the property rows (8 pt), in the order printed.
    QStringList propertyRows() const
    {
        QStringList t;
        for (const PrintRecorder::Op& o : rec->ops) {
            if (o.kind == PrintRecorder::Kind::Text && o.state.font.size == 8)
                t << o.text;
        }
        return t;
    }
    // Subjects 1..n, each with the teacher count alone: one property row.
    static void oneRowSubjects(int n)
    {
        for (int s = 1; s <= n; ++s) {
            subject(s, QStringLiteral("F%1").arg(s));
            gSubjectAttr(s, 5) = 1;
        }
    }
};

TEST_F(SubjectPrintTest, ATableWithoutSubjectsPrintsTheTitleAloneAndAgainOnlyAfterTheNextActivation)
{
    subject(1, "");
    subject(2, "ent", "entfernt", "en");
    gSubjectAttr(2, 5) = 2;
    print();
    EXPECT_EQ(rec->texts(), QStringList({"Facheigenschaften - Muster-Schule"}));
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->runs, QStringList({"Facheigenschaften"}));
    EXPECT_EQ(op("Facheigenschaften - Muster-Schule").state.font.size, 24);
    EXPECT_FALSE(forms::ifOpen<Form7>()->Command3->isEnabled());

    gSchoolName = QString(60, 'S');
    activateAgain<Form7>()->Command3->click();
    EXPECT_EQ(rec->documents, 2);
    const PrintRecorder::Op& longTitle = rec->ops.last();
    EXPECT_LT(longTitle.state.font.size, 24) << "a long school name is set smaller to end inside the paper";
    EXPECT_NEAR(longTitle.x + rec->textWidth(longTitle.text, longTitle.state.font), 210 - 20, 1e-9);
}

TEST_F(SubjectPrintTest, TheHeadingRowShowsNumberNamesAndThePrinterNameInTheColourOfTheInputPosition)
{
    const char* names[] = {"L", "R", "B"};
    for (int s = 1; s <= 3; ++s) {
        subject(s * 2, names[s - 1], QStringLiteral("Fach %1").arg(s), QStringLiteral("P%1").arg(s));
        gSubjectAttr(s * 2, 2) = static_cast<short>(s - 1);
    }
    print();

    const auto& number = op(" 2 ");
    EXPECT_EQ(at(number) + at(op("L")) + at(op("P1")) + at(op("Fach 1")),
              QList<double>({20, 32, 35, 32, 65, 32, 95, 32}));
    EXPECT_EQ(number.state.colour + op("L").state.colour + op("Fach 1").state.colour, 0u);
    EXPECT_EQ(QList<std::uint32_t>({op("P1").state.colour, op("P2").state.colour, op("P3").state.colour}),
              QList<std::uint32_t>({0x000000, 0xFF0000, 0x0000FF}));
    EXPECT_EQ(rec->ops[1].kind, PrintRecorder::Kind::Line) << "a rule above each block";
    EXPECT_EQ(op(" 4 ").y, 32 + 4 * 3) << "a block without property rows takes three rows";
}

TEST_F(SubjectPrintTest, EveryPropertySetPrintsItsRowInTheOrderOfTheTable)
{
    subject(1, "M", "Mathematik", "Ma");
    subject(2, "D", "Deutsch", "De");
    for (const auto& [p, v] : std::map<int, short>{{3, 2},  {6, 2}, {7, 3}, {8, 1},  {18, 2}, {19, 0},
                                                   {20, 3}, {10, 0}, {11, 2}, {12, 3}, {9, 1},  {4, 1},
                                                   {13, 1}, {5, 3}, {14, 1}, {17, 2}})
        gSubjectAttr(1, p) = v;
    gSubjectAttr(2, 14) = 1; // without a block rule: not printed
    gSubjectAttr(2, 5) = 1;
    print();

    EXPECT_EQ(propertyRows(), QStringList({"Blockbildung: nur 2er-Blöcke", "Kombination mit: D  Deutsch",
                                           "Beschränkung: nur bis zur 5.Eh", "Raumnutzung: Raum 1",
                                           "Raumnutzung: Raum 2", "Nicht am gleichen Tag mit:  , D , =",
                                           "Sperre für Nachbartage = aktiviert", "Leistungsgruppen = JA",
                                           "nichtkognitives Fach = JA", "Anzahl der Lehrer max.: 3",
                                           "Fach nicht über Pause stecken = aktiv", "Verkettung mit: D",
                                           "Anzahl der Lehrer max.: 1"}));
    EXPECT_EQ(op("Verkettung mit: D").y, 40 + 4 * 11);
    EXPECT_EQ(op(" 2 ").y, 40 + 4 * 11 + 8) << "the next block starts two rows below";
}

TEST_F(SubjectPrintTest, ACodeOutsideItsListPrintsAsTheBareNumber)
{
    subject(1, "X");
    for (const auto& [p, v] : std::map<int, short>{{3, 12}, {6, 150}, {7, 11}, {8, 17}, {10, 200}, {17, 101}})
        gSubjectAttr(1, p) = v;
    subject(2, "Y");
    gSubjectAttr(2, 5) = 2;
    print();
    EXPECT_EQ(propertyRows(), QStringList({"Blockbildung: 12", "Kombination mit: 150", "Beschränkung: 11",
                                           "Raumnutzung: 17", "Nicht am gleichen Tag mit: 200", "Verkettung mit: 101",
                                           "Anzahl der Lehrer max.: 2"}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SubjectPrintTest, EachPageIsADocumentWithItsTitleAndNoBlockIsSplit)
{
    oneRowSubjects(16);
    // Subject 14 with all 14 rows would begin above the threshold but end
    // below the paper's foot.
    subject(14, "Voll");
    for (int p : {3, 6, 7, 8, 18, 19, 20, 10, 9, 4, 13, 5, 14, 17})
        gSubjectAttr(14, p) = 1;
    print();

    EXPECT_TRUE(rec->documents == 2 && rec->pagesSent == 2);
    EXPECT_EQ(op("F13").document, 1);
    EXPECT_GT(op("F13").y, 200);
    EXPECT_EQ(op("Facheigenschaften  -  Seite 2").document, 2);
    for (const PrintRecorder::Op& o : rec->ops) {
        if (o.state.font.size == 8 && o.document == 2) {
            EXPECT_LT(o.y, 292);
        }
    }
    EXPECT_TRUE(op("Voll").document == 2 && op("Voll").y == 32);
    EXPECT_EQ(rec->texts().count("Facheigenschaften - Muster-Schule"), 1);
}

TEST_F(SubjectPrintTest, AFullPageGoesOnToTheNextWithTheNextPageNumber)
{
    oneRowSubjects(40);
    subject(20, "=");
    print();
    // A block of one row takes 16 mm: the 15th block finds the page past 240 mm.
    EXPECT_EQ(op("F14").document, 1);
    EXPECT_TRUE(op("F15").document == 2 && op("F15").y == 32);
    EXPECT_EQ(op("F30").document, 3) << "slot 20 is empty and takes no place";
    EXPECT_EQ(rec->documents, 3);
    EXPECT_EQ(op("Facheigenschaften  -  Seite 3").document, 3);
}

TEST_F(SubjectPrintTest, ThePdfFileHoldsEveryPageAndTheWindowSaysWhereOrThatItFailed)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    writeLines("Ausdrucke", {"eine Datei, wo der Ordner sein soll"});
    oneRowSubjects(20);
    gSubjectAttr(3, 3) = 2;
    subject(3, "Sp", "Sport", "Spo");
    print();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Der Ausdruck konnte nicht erstellt werden.\nDer Ordner "));
    QFile::remove(path("Ausdrucke"));

    activateAgain<Form7>()->Command3->click();
    const QString file = path("Ausdrucke/Facheigenschaften 2026-03-11 09-30-00.pdf");
    EXPECT_EQ(messages().last(), "Der Ausdruck steht in der Datei\n" + file);
    EXPECT_EQ(pdfPageCount(file), 2);
    const QString text = pdfText(file).simplified();
    EXPECT_TRUE(text.contains("Facheigenschaften - Muster-Schule")) << text.toStdString();
    EXPECT_TRUE(text.contains("3 Sp Spo Sport Blockbildung: nur 2er-Blöcke"));
    EXPECT_TRUE(text.contains("Facheigenschaften - Seite 2"));
}
