#include "platform/currency.h"
#include "tests/planner/print/list_printouts_fixture.h"

class AssignmentListTest : public ListPrintoutTest {
protected:
    void SetUp() override
    {
        ListPrintoutTest::SetUp();
        gPlanName = QStringLiteral("3");
        gTeacherShort(1) = QStringLiteral("ABE");
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gSubjectNames(4, 2) = QStringLiteral("D");
        gSubjectNames(5, 2) = QStringLiteral("D");
        gSubjectNames(6, 2) = QStringLiteral("M");
    }
    static void assign(int cls, int subject, int slot, int teacher, short hours, double bracketed)
    {
        gSubjectTeachers(cls, subject, slot) = static_cast<short>(teacher);
        gCurriculumHours(cls, subject) = hours;
        gClassSubjectHours(cls, subject) = Currency::fromDouble(bracketed);
    }
    // The assignment text printed on the line of the short name `shortName`.
    const Op& lineOf(const QString& shortName) const
    {
        const Op& name = text(shortName);
        for (const Op& op : rec->ops) {
            if (op.kind == Kind::Text && op.y == name.y && op.document == name.document && op.x == 27)
                return op;
        }
        ADD_FAILURE() << "no line for " << shortName.toStdString();
        return name;
    }
};

TEST_F(AssignmentListTest, ALineGivesEachAbbreviationBeforeItsClassesAndTheHourTotals)
{
    assign(1, 4, 0, 1, 4, 2.3);  // slot 0: the lesson's first teacher
    assign(2, 5, 9, 1, 3, 1.1);  // the same abbreviation: not repeated
    assign(5, 6, 1, 1, 2, 0);
    assign(5, 6, 2, 1, 2, 0);    // two slots of one lesson count twice
    assign(2, 6, 10, 1, 5, 5);   // beyond the slots read
    gTeacherShort(3) = QStringLiteral("BER");
    f->Command18->click();

    EXPECT_EQ(lineOf("ABE").text, "Abel Anna  >  D 1A,1B, M 2A,2A  =  11 ( 3.4 )");
    EXPECT_EQ(lineOf("BER").text, "Berg Bernd  >   =  0 ( 0 )");
    const Op& shortName = text("ABE");
    EXPECT_EQ(shortName.x, 15);
    EXPECT_EQ(shortName.y, 26);
    EXPECT_EQ(text("BER").y, 32) << "the slot between holds \"-\" and takes no line";
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(AssignmentListTest, AClassOfAbilityGroupsLosesTheAOfItsNameForSuchASubject)
{
    gSubjectAttr(4, 4) = 1;
    assign(1, 4, 0, 1, 1, 1);
    assign(2, 4, 0, 1, 1, 1);
    f->Command18->click();
    EXPECT_EQ(lineOf("ABE").text, "Abel Anna  >  D 1,1B  =  2 ( 2 )");
}

TEST_F(AssignmentListTest, TheTextShrinksDownTheLadderToFourPointsAndNoFurther)
{
    const struct {
        int nameLength;
        double points;
    } cases[] = {{80, 9}, {110, 7}, {400, 4}};
    for (const auto& c : cases) {
        gTeacherNames(1) = QString(c.nameLength, QLatin1Char('x'));
        rec = &recordPrinting();
        f->Command18->click();
        // The recorder's character is half the size wide: 165 mm hold 103 at 9 pt.
        EXPECT_EQ(lineOf("ABE").state.font.size, c.points) << c.nameLength;
    }
}

TEST_F(AssignmentListTest, TheFortyThirdTeacherStartsTheSecondPageUnderANewHeader)
{
    staff(43);
    f->Combo1->setListIndex(3);
    f->Command18->click();
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(text("K42").document, 1);
    EXPECT_EQ(text("K42").y, 272);
    EXPECT_EQ(text("K43").document, 2);
    EXPECT_EQ(text("K43").y, 26);
    EXPECT_EQ(rec->texts().count("Lehrfächerverteilung  -  Muster-Schule / 3"), 2);
    EXPECT_EQ(text("K43").state.font.name, "Times New Roman");
}
