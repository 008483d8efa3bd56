#include "planner/masterdata/printer_choice.h"
#include "planner/substitution/substitution_statistics.h"
#include "tests/planner/substitution/substitution_fixture.h"

namespace {

class StatisticsTest : public SubstitutionPrintTest {
protected:
    static Form41* evaluate(const QString& first, const QString& last)
    {
        Form41* f = forms::show<Form41>();
        f->Text1->setText(first);
        f->Text2->setText(last);
        f->Command2->click();
        return f;
    }
    // The 8-pt texts printed at a height, in order.
    QStringList lineAt(int document, double y) const { return textsAt(document, y, 8); }
    // Teachers 1..n named, each away for one lesson on the day.
    static void manyAbsentTeachers(int n)
    {
        std::vector<Record> records;
        for (int t = 1; t <= n; ++t) {
            gTeacherNames(t) = QStringLiteral("Lehrer %1").arg(t, 2, 10, QLatin1Char('0'));
            records.push_back({t, 1, 1, 1, 0, 0});
        }
        saveDay("10.09.2026", records);
    }
};

TEST_F(StatisticsTest, TheRangeIncludesBothEndsAndPaymentFollowsTheAbsentTeachersDay)
{
    saveDay("09.09.2026", {{1, 1, 1, 1, 2, 0}});
    saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0}, {1, 2, 1, 1, 3, 1}, {1, 3, 1, 1, -2, 0}}, {1});
    saveDay("11.09.2026", {{4, 1, 1, 2, 2, 1}, {4, 2, 1, 2, 0, 0}});
    saveDay("14.09.2026", {{5, 1, 1, 2, 3, 0}});
    saveDay("15.09.2026", {{1, 1, 1, 1, 2, 0}});
    // The absence window's day, the one its next save writes, stays as it was.
    gTeacherPaid(4) = 1;
    gSubstRowCount = 1;
    gSubstRows(1, 4) = 6;
    gSubstRowTexts(1) = "heute";

    evaluate("10.9.2026", "14.09.2026");
    EXPECT_TRUE(gTeacherPaid(1) == 0 && gTeacherPaid(4) == 1);
    EXPECT_TRUE(gSubstRowCount == 1 && gSubstRows(1, 4) == 6);
    EXPECT_EQ(gSubstRowTexts(1), "heute");
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->texts().mid(0, 5), (QStringList{"Supplierstatistik:  10.9.2026 - 14.09.2026  Muster-Schule", "Name",
                                                    "gefehlt", "bez.Sup.", "unbez."}));
    EXPECT_EQ(lineAt(1, 28), (QStringList{"Anna Berger", " 3 "})) << "only missed lessons";
    EXPECT_EQ(lineAt(1, 34), (QStringList{"Bernd Cramer", " 1 ", " 1 "}))
        << "paid on teacher 1's paid day, unpaid on teacher 4's whatever the record says";
    EXPECT_EQ(columnsAt(34), (QList<double>{15, 120, 150}));
    EXPECT_EQ(lineAt(1, 40), (QStringList{"Carla Dietz", " 1 ", " 1 "}));
    EXPECT_EQ(lineAt(1, 46), (QStringList{"Dora Engel", " 2 "}));
    EXPECT_EQ(lineAt(1, 52), (QStringList{"Emil Fuchs", " 1 "}));
    const QList<PrintRecorder::Op> rules = lines();
    ASSERT_EQ(rules.size(), 2);
    EXPECT_EQ(rules[0].y, 27);
    EXPECT_EQ(rules[0].state.penWidth, 5);
    EXPECT_EQ(rules[0].state.colour, 1u) << "colour number 1";
    EXPECT_EQ(rules[1].y, 6 * 3 + 26) << "the third line is underlined";
    EXPECT_EQ(rules[1].state.penWidth, 1);
    EXPECT_EQ(rec->ops.last().state.colour, 0u);
}

TEST_F(StatisticsTest, ALongSchoolNameSetsTheTitleSmallerToEndInsideThePaper)
{
    gSchoolName = QStringLiteral("Bundesrealgymnasium und Oberstufenrealgymnasium Lindenhof");
    saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0}});
    evaluate("10.09.2026", "14.09.2026");
    const PrintRecorder::Op& title = printedText(*rec, rec->texts().value(0));
    EXPECT_TRUE(title.text.endsWith(gSchoolName.toString()));
    EXPECT_LT(title.state.font.size, 16);
    EXPECT_NEAR(rightEdge(*rec, title), paperWidth(*rec, title) - title.x, 1e-6) << "as far from the edge as it begins";
}

TEST_F(StatisticsTest, TheFortySecondLineStartsPageTwoAndTheUnderliningRunsOn)
{
    manyAbsentTeachers(45);
    evaluate("10.09.2026", "10.09.2026");
    ASSERT_EQ(rec->documents, 2) << "each page a document of its own";
    EXPECT_EQ(lineAt(1, 6 * 41 + 22), (QStringList{"Lehrer 41", " 1 "}));
    EXPECT_EQ(lineAt(2, 28), (QStringList{"Lehrer 42", " 1 "}));
    EXPECT_EQ(rec->texts().count("Name"), 2) << "the header on each page";
    QList<double> underlined;
    for (const PrintRecorder::Op& o : lines()) {
        if (o.document == 2 && o.y != 27)
            underlined << o.y;
    }
    EXPECT_EQ(underlined, (QList<double>{6 * 1 + 26, 6 * 4 + 26})) << "lines 42 and 45 of the run";
}

TEST_F(StatisticsTest, WithoutDaysInTheRangeOnlyTheHeaderIsPrintedAndWithoutDatesNothing)
{
    Form41* f = evaluate("01.09.2026", "30.09.2026");
    EXPECT_EQ(rec->documents, 0) << "no date list";
    saveDay("10.09.2026", {{1, 1, 1, 1, 2, 0}});
    evaluate("01.09.2026", "30.9.");
    EXPECT_EQ(controls::backColor(f->Text2), 0xC0u);
    EXPECT_EQ(rec->documents, 0) << "a box that is no date";
    evaluate("01.10.2026", "31.10.2026");
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->texts().size(), 5);
}

TEST_F(StatisticsTest, TheCountSkipsWhatIsNoDayOrOutsideTheTablesAndStopsAtAnEmptyLine)
{
    saveDay("10.09.2026", {{1, 1, 1, 1, 61, 0}, {1, 1, 1, 0, 2, 0}, {0, 1, 1, 1, 3, 0}, {1, 1, 1, 1, 2, 0}});
    ASSERT_TRUE(datafile::appendLine(path("date.sup"), "Unsinn"));
    saveDay("11.09.2026", {{4, 1, 1, 1, 2, 0}});
    ASSERT_TRUE(datafile::appendLine(path("date.sup"), ""));
    saveDay("14.09.2026", {{5, 1, 1, 1, 2, 0}});
    const StatisticsTallies tallies = CountSubstitutionStatistics(QDate(2026, 9, 1), QDate(2026, 9, 30)).tallies;
    EXPECT_EQ(tallies[1].missed, 2) << "a record without class counts";
    EXPECT_EQ(tallies[4].missed, 1);
    EXPECT_EQ(tallies[5].missed, 0);
    EXPECT_EQ(tallies[2].unpaid, 3);
    EXPECT_EQ(tallies[3].unpaid, 0) << "a record without absent teacher counts nothing";
}

TEST_F(StatisticsTest, TheWindowNormalisesDatesAndShowsThePrinter)
{
    Form41* f = forms::show<Form41>();
    EXPECT_EQ(texts(f->Text1, f->Text2, f->Label3), (QStringList{"01.01.1997", "11.03.2026", printer().deviceName()}));
    for (const auto& [typed, shown] : {std::pair{" 3.9.26 ", "03.09.2026"}, std::pair{"3.9.", "3.9."}}) {
        f->Text1->setText(typed);
        f->Text1_LostFocus();
        EXPECT_EQ(f->Text1->text(), shown) << "a text that is no date is kept to be corrected";
    }
    f->Command3->click();
    EXPECT_TRUE(forms::isOpen<Form28>());
    EXPECT_TRUE(forms::isOpen<Form41>());
}

TEST_F(StatisticsTest, ThePdfFileHoldsBothPages)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    manyAbsentTeachers(45);
    evaluate("10.09.2026", "10.09.2026");
    const QString file = path("Ausdrucke/Supplierstatistik 2026-03-11 09-30-00.pdf");
    EXPECT_EQ(messages(), QStringList{"Der Ausdruck steht in der Datei\n" + file});
    EXPECT_EQ(pdfPageCount(file), 2);
    const QString text = pdfText(file).simplified();
    EXPECT_TRUE(text.contains("Supplierstatistik: 10.09.2026 - 10.09.2026 Muster-Schule")) << text.toStdString();
    EXPECT_TRUE(text.contains("Lehrer 42 1"));
}
}
