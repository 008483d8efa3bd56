#include "planner/print/print_procedures.h"
#include "tests/planner/print/print_fixture.h"

class PresenceChartTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        gPlanName = QStringLiteral("7");
        gTeacherShort(1) = QStringLiteral("ABELA");
        gTeacherShort(3) = QStringLiteral("BER");
        gTeacherShort(12) = QStringLiteral("COR");
        for (int s = 0; s <= 99; ++s)
            gSubjectNames(s, 2) = QStringLiteral("=");
        for (int d = 1; d <= 6; ++d)
            gDayNames(d) = QStringList({"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"})[d - 1];
    }
    static void lesson(int t, int day, int period, int subject, int cls)
    {
        gTeacherPlanSubject(t, day, period) = static_cast<short>(subject);
        gTeacherPlanClass(t, day, period) = static_cast<short>(cls);
    }
    // The lines drawn from (x1, y1) to (x2, y2), in twips.
    qsizetype linesFrom(double x1, double y1, double x2, double y2, int document = 1) const
    {
        const auto at = [](double mmValue, double twips) { return std::abs(mmValue - mm(twips)) < 1e-6; };
        return opsWhere([&](const Op& l) {
                   return l.kind == Kind::Line && l.document == document && at(l.x, x1) && at(l.y, y1) && at(l.x2, x2)
                       && at(l.y2, y2);
               })
            .size();
    }
};

TEST_F(PresenceChartTest, ListsTheStaffWithElevenPeriodsADayAndLeavesFreeTextsOut)
{
    gTeacherNames(5) = QStringLiteral("entfällt");
    gTeacherNames(6) = QStringLiteral("Entenhaus Ede");
    gTeacherShort(6) = QStringLiteral("ENT");
    gTeacherNames(7) = QStringLiteral("X");
    gSubjectNames(4, 2) = QStringLiteral("Deu");
    gSubjectAttr(4, 1) = 2;
    gSubjectNames(6, 2) = QStringLiteral("=x");
    gClassPrintNames(1) = QStringLiteral("1A");
    gClassPrintNames(2) = QStringLiteral("1B");
    gClassPrintNames(3) = QStringLiteral("=");
    lesson(1, 1, 10, 4, 2);
    lesson(1, 2, 11, 5, 3);
    lesson(1, 3, 1, 6, 1);
    menu()->Command3->click();

    QStringList captions;
    for (const Op& op : opsWhere([](const Op& op) { return op.kind == Kind::Text && std::abs(op.x - mm(10)) < 1e-9; }))
        captions << op.text;
    EXPECT_EQ(captions, QStringList({"ABEL", "BER", "ENT", "COR"})) << "\"ent\" left out, \"Ent\" listed";
    EXPECT_EQ(text("ENT").y, mm(1900));
    const Op& subject = text("De");
    EXPECT_NEAR(subject.x, mm(600 + 155 * 10), 1e-9) << "period 10 of a plan with nine";
    EXPECT_NEAR(subject.y, mm(1300), 1e-9);
    EXPECT_EQ(subject.state.colour, PrintColour(2));
    EXPECT_NEAR(text("1B").x, subject.x, 1e-9);
    EXPECT_NEAR(text("1B").y, mm(1420), 1e-9);
    EXPECT_EQ(text("1B").state.colour, PrintColour(2));
    EXPECT_NEAR(text("=x").x, mm(600 + 155 * 23), 1e-9);
    EXPECT_NEAR(text("1A").x, mm(600 + 155 * 23), 1e-9);
    EXPECT_FALSE(printed("=")) << "subject 5 and class 3 print \"=\", which is nothing";

    const double bottom = 1300 + 300 * 4;
    EXPECT_EQ(linesFrom(600 + 155 * 11, 1300, 600 + 155 * 11, 1350), 1) << "the tick of period 11";
    EXPECT_EQ(linesFrom(755 + 1705, 900, 755 + 1705, bottom), 4) << "a day's separator for every row";
    EXPECT_EQ(linesFrom(1, 900, 10990, 900), 1) << "the chart's frame";
    EXPECT_EQ(linesFrom(1, 1300 - 30, 11000, 1300 - 30), 1) << "the first row's line";
}

TEST_F(PresenceChartTest, GapsAndTaughtPeriodsEndTheRowAfterTheLastDay)
{
    for (int day = 1; day <= 3; ++day) {
        for (const int period : {1, 2, 4, 5, 6})
            lesson(3, day, period, 4, 1);
    }
    for (int period = 1; period <= 5; ++period) {
        if (period < 5)
            lesson(3, 4, period, 4, 1);
        lesson(3, 5, period, 4, 1);
    }
    menu()->Command3->click();
    EXPECT_NEAR(text(" 3 / 24").x, mm(10385), 1e-9);
    EXPECT_NEAR(text(" 3 / 24").y, mm(1600 + 50), 1e-9);
    EXPECT_TRUE(printed(" 0 / 0")) << "a teacher without lessons";

    gDaysPerWeek = 6;
    rec = &recordPrinting();
    menu()->Command3->click();
    EXPECT_NEAR(text(" 3 / 24").x, mm(12090), 1e-9) << "beside the frame with six days";
    EXPECT_TRUE(printed("Samstag"));
}

TEST_F(PresenceChartTest, WithoutStaffTheHeaderTitleAndAnEmptyFrameArePrinted)
{
    for (int t = 1; t <= 60; ++t)
        gTeacherNames(t) = QStringLiteral("-");
    menu()->Text1->setText(QStringLiteral("Stand März"));
    menu()->Command3->click();
    EXPECT_EQ(rec->texts(), QStringList({"Druckdatum:", "11.03.2026", "Montag", "Dienstag", "Mittwoch", "Donnerstag",
                                         "Freitag", "Anwesenheitsplan 7 Muster-Schule ", "Stand März"}));
    EXPECT_EQ(linesFrom(10990, 900, 10990, 1300), 1) << "a frame 400 high";
    EXPECT_EQ(opsOf(Kind::Line).size(), 4);
    const Op& title = text("Anwesenheitsplan 7 Muster-Schule ");
    EXPECT_GT(text("Stand März").x, title.x) << "continuing the title's line";
    EXPECT_NEAR(text("Stand März").y, title.y, 1e-9);
}

TEST_F(PresenceChartTest, SixtyTeachersContinueOnASecondPageWithItsOwnHeaderAndFrames)
{
    staff(60);
    menu()->Command3->click();
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(text("K51").document, 1);
    EXPECT_NEAR(text("K51").y, mm(1300 + 50 * 300), 1e-6) << "fifty-one rows on an A4 page";
    EXPECT_EQ(text("K52").document, 2);
    EXPECT_NEAR(text("K52").y, mm(1300), 1e-9);
    EXPECT_EQ(text("K60").document, 2);
    EXPECT_EQ(rec->texts().count("Anwesenheitsplan 7 Muster-Schule "), 2);
    EXPECT_EQ(linesFrom(10990, 1300 + 51 * 300, 1, 1300 + 51 * 300, 1), 1) << "the first page's frame";
    EXPECT_EQ(linesFrom(10990, 1300 + 9 * 300, 1, 1300 + 9 * 300, 2), 1) << "the second page's frame";
    EXPECT_EQ(linesFrom(755 + 1705, 900, 755 + 1705, 1300 + 9 * 300, 2), 9);
}
