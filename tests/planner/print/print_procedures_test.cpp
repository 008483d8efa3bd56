#include "planner/print/print_procedures.h"
#include "tests/planner/print/print_fixture.h"

namespace {
constexpr double kMmPerPoint = 25.4 / 72;
// The recorder's line: 1.2 times the font size.
double lineMm(double points) { return points * 1.2 * kMmPerPoint; }
}

class PrintProceduresTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        printer().setScaleMode(Printer::Scale::Millimetres);
        printer().setFontName("Optima");
        gPlanName = QStringLiteral("12");
    }
};

TEST_F(PrintProceduresTest, TheFooterNamesThePrintDateThePlanAndTheVersionInTwoLinesAlsoReduced)
{
    gFooterX = 1;
    gFooterY = 8;
    PrintPageFooter();
    EXPECT_EQ(rec->texts(), QStringList({"Druckdatum: 11.03.2026  Plan:12", "Programm: VORDA V1.28a"}));
    ASSERT_EQ(rec->ops.size(), 2);
    EXPECT_EQ(rec->ops[0].x, 1);
    EXPECT_EQ(rec->ops[1].x, 1);
    EXPECT_NEAR(rec->ops[0].y, 8, 1e-9);
    EXPECT_NEAR(rec->ops[1].y - rec->ops[0].y, lineMm(4), 1e-9);
    EXPECT_EQ(rec->ops[1].state.font.size, 4);
    EXPECT_EQ(rec->ops[1].state.font.name, "Optima") << "the caller's font";
    EXPECT_EQ(printer().font().size, 4);
    EXPECT_EQ(gText.toString(), "Programm: VORDA V1.28a");

    rec->ops.clear();
    gFooterX = 237;
    gFooterY = 1;
    PrintPageFooterReduced();
    ASSERT_EQ(rec->ops.size(), 2);
    EXPECT_NEAR(rec->ops[0].x, 167.61, 0.01) << "the reduced footer divides by the side ratio";
    EXPECT_NEAR(rec->ops[0].y, 0.707, 0.001);
    EXPECT_NEAR(rec->ops[0].state.font.size, 2.829, 0.001);
    EXPECT_NEAR(rec->ops[1].x, 167.61, 0.01);
    EXPECT_NEAR(rec->ops[1].y - rec->ops[0].y, lineMm(4 / 1.414), 1e-6);
}

TEST_F(PrintProceduresTest, ARectangleIsFourLinesClockwiseInThePrintersColourAndPen)
{
    printer().setColour(0x0000FF);
    printer().setPenWidth(5);
    gRectX1 = 10;
    gRectY1 = 20;
    gRectX2 = 30;
    gRectY2 = 40;
    DrawPrinterRectangle();
    ASSERT_EQ(rec->ops.size(), 4);
    const QList<QList<double>> sides{{10, 20, 30, 20}, {30, 20, 30, 40}, {30, 40, 10, 40}, {10, 40, 10, 20}};
    for (int i = 0; i < 4; ++i) {
        const PrintRecorder::Op& op = rec->ops[i];
        EXPECT_EQ(op.kind, PrintRecorder::Kind::Line);
        EXPECT_EQ(QList<double>({op.x, op.y, op.x2, op.y2}), sides[i]) << i;
        EXPECT_EQ(op.state.colour, 0x0000FFu);
        EXPECT_EQ(op.state.penWidth, 5);
    }
}

TEST_F(PrintProceduresTest, TheSuffixAGoesOnlyInAClassThatLeadsItsGradeForAbilityGroups)
{
    struct Case {
        const char* className;
        short abilityGroups;
        const char* text;
        const char* printed;
    };
    const Case cases[] = {
        {"4A", 1, "MA", "M"}, {"4B", 1, "MA", "MA"}, {"4A", 1, "A", "A"},  {"3L", 1, "Ea", "E"},
        {"3L", 0, "Ea", "Ea"}, {"4a", 1, "DA", "D"}, {"21", 1, "EA", "E"}, {"4A", 1, "MAB", "MAB"},
    };
    for (const Case& c : cases) {
        gClassNames(7) = QString::fromUtf8(c.className);
        gSubjectAttr(9, 4) = c.abilityGroups;
        gClass = 7;
        gSubject = 9;
        gText = QString::fromUtf8(c.text);
        StripSubjectSuffixA();
        EXPECT_EQ(gText.toString(), QString::fromUtf8(c.printed)) << c.className << " " << c.text;
    }
    gClassNames(7) = QStringLiteral("4RA");
    StripSubjectSuffixA();
    EXPECT_TRUE(gClassFlagA == 1 && gClassFlagR == 1) << "the flags of the class are set";

    gClassNames(7) = QStringLiteral("4A");
    gSubjectAttr(9, 4) = 1;
    for (auto [cls, subject] : {std::pair{25, 9}, {-1, 9}, {7, 100}, {7, -3}}) {
        gClass = cls;
        gSubject = subject;
        gText = QStringLiteral("MA");
        StripSubjectSuffixA();
        EXPECT_EQ(gText.toString(), "MA") << "numbers outside their tables: " << cls << " " << subject;
    }
}

TEST_F(PrintProceduresTest, UmlautsAreFoldedForAPlotterOnly)
{
    const std::pair<const char*, const char*> folds[] = {
        {"Größe", "Grosse"}, {"Übung", "Ubung"}, {"ÄÖÜäöü", "AOUaou"}, {"ß", "ss"}, {"Mathematik", "Mathematik"},
        {"Çé", "Çé"},
    };
    gPlotterMode = -1;
    for (const auto& [text, folded] : folds) {
        gText = QString::fromUtf8(text);
        ReplaceUmlautsForPlotter();
        EXPECT_EQ(gText.toString(), QString::fromUtf8(folded));
    }
    gPlotterMode = 0;
    gText = QStringLiteral("Größe");
    ReplaceUmlautsForPlotter();
    EXPECT_EQ(gText.toString(), "Größe");
}

TEST_F(PrintProceduresTest, NumbersOutsideTheirTablesNameNoTeacherAndPrintBlack)
{
    const QString blanks(41, ' ');
    EXPECT_EQ(ListItemTeacher(" 3 Berg Bernd" + blanks + "3"), 3);
    EXPECT_EQ(ListItemTeacher("Corn Clara" + blanks + "12"), 12);
    EXPECT_EQ(ListItemTeacher("Niemand" + blanks + "61"), 0);
    EXPECT_EQ(ListItemTeacher("Niemand" + blanks + "0"), 0);
    EXPECT_EQ(ListItemTeacher(QString()), 0);
    EXPECT_EQ(PrintColour(2), 0x0000FFu);
    EXPECT_EQ(PrintColour(11), 0xEBCA70u);
    EXPECT_EQ(PrintColour(13), 0u) << "an unused entry";
    EXPECT_EQ(PrintColour(21), 0u);
    EXPECT_EQ(PrintColour(-1), 0u);
}
