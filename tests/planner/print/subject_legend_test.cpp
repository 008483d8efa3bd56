#include "planner/print/print_procedures.h"
#include "tests/planner/print/list_printouts_fixture.h"

class SubjectLegendTest : public ListPrintoutTest {
protected:
    static void subject(int s, const QString& longName, const QString& shortName, const QString& abbreviation,
                        short colour = 0)
    {
        gSubjectNames(s, 0) = longName;
        gSubjectNames(s, 1) = shortName;
        gSubjectNames(s, 2) = abbreviation;
        gSubjectAttr(s, 1) = colour;
    }
};

TEST_F(SubjectLegendTest, OnlySubjectsWithBothShortNamesGetALineAndTheLinesCloseUp)
{
    subject(1, "Deutsch", "D", "De", 2);
    subject(2, "leer", "-", "X");
    subject(3, "frei", "=", "X");
    subject(4, "ohne", "", "X");
    subject(5, "kein Kürzel", "K", "");
    subject(6, "Mathematik", "M", "Ma");
    gBlackWhiteOnly = -1;
    f->Command32->click();

    EXPECT_EQ(rec->texts(),
              QStringList({"Lehrfächer - Legende - Muster-Schule", "D", "De", "Deutsch", "M", "Ma", "Mathematik"}));
    EXPECT_EQ(text("D").y, 26);
    EXPECT_EQ(text("M").y, 32) << "no gap for the subjects left out";

    EXPECT_EQ(text("De").state.colour, PrintColour(2)) << "in colour also with \"nur SW\"";
    EXPECT_NE(PrintColour(2), 0u);
    EXPECT_EQ(text("D").state.colour, 0u);
    EXPECT_EQ(text("Deutsch").state.colour, 0u);
    EXPECT_EQ(text("Ma").state.colour, 0u) << "colour index 0 is black";
}

TEST_F(SubjectLegendTest, FortyTwoSubjectsFillAPageAndTheFortyThirdStartsASecondJob)
{
    for (int s = 1; s <= 43; ++s)
        subject(s + 10, QStringLiteral("Fach %1").arg(s), QStringLiteral("F%1").arg(s), QStringLiteral("f%1").arg(s));
    f->Combo1->setListIndex(5);
    f->Command32->click();

    EXPECT_EQ(rec->documents, 2);
    const Op& last = text("F42");
    EXPECT_EQ(last.document, 1);
    EXPECT_EQ(last.y, 272);
    const Op& next = text("F43");
    EXPECT_EQ(next.document, 2);
    EXPECT_EQ(next.y, 26);
    EXPECT_EQ(rec->texts().count("Lehrfächer - Legende - Muster-Schule"), 2);
    EXPECT_EQ(next.state.font.name, "Optima");
}
