#include "tests/planner/print/print_fixture.h"

class ClassWeekPageTest : public TimetablePrintTest {
protected:
    void SetUp() override
    {
        TimetablePrintTest::SetUp();
        gSchoolYear = QStringLiteral("2025/26");
        menu()->Text2->setText(QStringLiteral("Wien, 11.03.2026"));
    }
    void printA3(int k)
    {
        menu()->List4->setListIndex(k - 1);
        menu()->Command16_Click();
    }
    void printA4(const QList<int>& rows)
    {
        select(menu()->List2, rows);
        menu()->Command25_Click();
    }
    // The two parts of the A3 subject line of a cell: row 0 with its blank, row 1.
    QList<const PrintRecorder::Op*> subjectLine(int d, int p) const
    {
        for (qsizetype i = 0; i + 1 < rec->ops.size(); ++i) {
            const PrintRecorder::Op& op = rec->ops[i];
            if (op.kind == PrintRecorder::Kind::Text && op.x == 50 * d + 1 && op.y == 18 * p + 21)
                return {&op, &rec->ops[i + 1]};
        }
        ADD_FAILURE() << "no subject line";
        return {&rec->ops.last(), &rec->ops.last()};
    }
    // The largest x and y the lines reach that end inside the box up to (right, bottom).
    QPointF farthestLine(double right, double bottom) const
    {
        QPointF far;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Line && qMax(op.x, op.x2) < right && qMax(op.y, op.y2) < bottom)
                far = {qMax(far.x(), qMax(op.x, op.x2)), qMax(far.y(), qMax(op.y, op.y2))};
        }
        return far;
    }
};

TEST_F(ClassWeekPageTest, ACellWithBothGroupRowsPrintsEachSubjectInItsColourAndTheTeachersOfBoth)
{
    gTimetable(1, 1, 1, 0) = kDe;
    gTimetable(1, 1, 1, 1) = kEn;
    gSubjectTeachers(1, kDe, 0) = 1; // the first teacher of a lesson is in slot 0
    gSubjectTeachers(1, kDe, 1) = 3;
    gSubjectTeachers(1, kEn, 0) = 3;
    printA3(1);

    const QList<const PrintRecorder::Op*> line = subjectLine(1, 1);
    EXPECT_EQ(line[0]->text, "D ");
    EXPECT_EQ(line[0]->state.colour, kRed);
    EXPECT_EQ(line[0]->state.font.size, 28);
    EXPECT_TRUE(line[0]->state.font.bold);
    EXPECT_EQ(line[1]->text, "E");
    EXPECT_EQ(line[1]->state.colour, kBlue);
    EXPECT_NEAR(line[1]->x, 51 + 2 * 14 * kMmPerPoint, 1e-9) << "right after the blank";
    EXPECT_EQ(textsAt(51, 18 + 33), QStringList({"1: AB  BE  BE  "}));
    EXPECT_EQ(textStarting("AB  BE").state.colour, 0u);
    EXPECT_EQ(textStarting("AB  BE").state.font.size, 6);

    EXPECT_EQ(textsAt(354, 44) + textsAt(363, 44) + textsAt(354, 49) + textsAt(363, 49) + textsAt(354, 54),
              QStringList({"1: AB", "1: Abel Anna", "1: BE", "1: Berg Bernd"}))
        << "the legend lists each teacher once";
}

TEST_F(ClassWeekPageTest, OnlyTheSecondGroupRowStartsWithTheBlankAndAnEqualsSignPrintsNothingButItsTeachers)
{
    gTimetable(1, 1, 1, 1) = kEn;
    subject(kDe, "=", 2);
    gTimetable(2, 1, 1, 0) = kDe;
    gSubjectTeachers(1, kDe, 0) = 12;
    printA3(1);
    const QList<const PrintRecorder::Op*> onlySecond = subjectLine(1, 1);
    EXPECT_EQ(onlySecond[0]->text + onlySecond[1]->text, " E");
    EXPECT_EQ(onlySecond[0]->state.colour, 0u) << "the free row's colour is subject 0's";
    const QList<const PrintRecorder::Op*> equals = subjectLine(2, 1);
    EXPECT_EQ(equals[0]->text + equals[1]->text, " ");
    EXPECT_EQ(equals[0]->state.colour, kRed) << "its colour is still set";
    EXPECT_EQ(textsAt(101, 51), QStringList({"1: CO  "}));
}

TEST_F(ClassWeekPageTest, AbilityGroupTeachersComeFromTheClassThatLeadsTheGrade)
{
    struct Case {
        QStringList names;
        int printed;
        QString teachers; // class k's assignment holds teacher k's short name
    };
    const Case cases[] = {
        {{"3A", "3B"}, 2, "AB  "},
        {{"4A", "3B"}, 2, "BE  "},
        {{"3B", "3a"}, 1, "BE  "},
        {{"3B", "3A", "3L"}, 3, "CO  "},
        {{"3A", "31", "3B"}, 2, "BE  "},
        {{"3B", "X1"}, 1, "AB  "} /* no digit: grade 0 */,
    };
    const short teacherOf[] = {1, 3, 12};
    for (const Case& c : cases) {
        rec->ops.clear();
        for (int k = 1; k <= 5; ++k)
            gClassNames(k) = c.names.value(k - 1);
        for (int k = 1; k <= 3; ++k) {
            gTimetable(1, 1, k, 0) = kMa;
            gSubjectTeachers(k, kMa, 0) = teacherOf[k - 1];
        }
        printA3(c.printed);
        EXPECT_EQ(textsAt(51, 51).value(0).section(": ", 1), c.teachers) << c.names.join(',').toStdString();
    }
}

TEST_F(ClassWeekPageTest, SixDaysAndElevenPeriodsStayInsideTheGridOnA3AndDropTheSignaturesOnA4)
{
    gDaysPerWeek = 6;
    gPeriodsPerDay = 11;
    printA3(1);
    EXPECT_EQ(placesOf("Samstag"), QStringList({"1: 301, 28"}));
    EXPECT_EQ(farthestLine(350, 236), QPointF(349, 235)) << "inside the grid's frame (4, 37)-(350, 236)";
    EXPECT_TRUE(rec->texts().contains("Klassenvorstand"));

    rec->ops.clear();
    printA4({0});
    EXPECT_EQ(farthestLine(1000, 1000), QPointF(279, 187)) << "no signature line";
    EXPECT_FALSE(rec->texts().contains("Klassenvorstand"));
    EXPECT_FALSE(rec->texts().contains("Wien, 11.03.2026"));
}

TEST_F(ClassWeekPageTest, TheA4SubjectLineShrinksBeyondSevenCharacters)
{
    subject(kDe, "Deutsch", 2);
    subject(kEn, "Eng", 1);
    subject(kMa, "Mathemati", 3);
    gTimetable(1, 1, 1, 0) = kDe; // 7 characters
    gTimetable(1, 2, 1, 0) = kEn;
    gTimetable(1, 2, 1, 1) = kDe; // 10 characters, joined without the blank
    gTimetable(1, 3, 1, 1) = kMa; // 9 characters after the leading blank
    printA4({0});
    EXPECT_EQ(placesOf("Deutsch").first(), "1: 41, 35");
    EXPECT_EQ(textStarting("Deutsch").state.font.size, 21);
    EXPECT_NEAR(textStarting("Eng").state.font.size, 14.7, 1e-9);
    EXPECT_NEAR(textStarting(" ").state.font.size, 147.0 / 9, 1e-9);
}

TEST_F(ClassWeekPageTest, BlackAndWhitePrintsTheA3PageInBlackOnly)
{
    gTimetable(1, 1, 1, 0) = kDe;
    gBlackWhiteOnly = -1;
    printA3(1);
    EXPECT_EQ(textStarting("D ").state.colour, 0u);
    rec->ops.clear();
    printA4({0});
    EXPECT_EQ(textStarting("D ").state.colour, kRed);
}

TEST_F(ClassWeekPageTest, TheFormTeacherPrintsWithOnlyTheInitialOfACapitalisedFamilyName)
{
    const std::pair<QString, QString> cases[] = {
        {"MÜLLER Hans", "Müller Hans"},
        {"van BERG Jo", "van BERG Jo"},
        {"Abel", "Abel"},
        {" Hans", " Hans"} /* no family name before the blank: as it stands */,
    };
    gFormTeacher(1) = 3;
    for (const auto& [name, printed] : cases) {
        rec->ops.clear();
        gTeacherNames(3) = name;
        printA3(1);
        EXPECT_EQ(placesOf(printed).value(0).section(": ", 1), "20, 253");
        EXPECT_EQ(textStarting(printed).state.font.name, "EnglischeSchT");
        EXPECT_EQ(textStarting(printed).state.font.size, 22);
    }
    EXPECT_EQ(textStarting("2025/26").state.font.size, 24);
    EXPECT_EQ(textStarting("Wien, 11.03.2026").state.font.size, 21);

    rec->ops.clear();
    printA4({0});
    EXPECT_EQ(textStarting(" Hans").state.font.name, "Brush Script MT kursiv");
    EXPECT_EQ(placesOf("2025/26").last().section(": ", 1), "90, 178");
    EXPECT_EQ(placesOf("Wien, 11.03.2026").last().section(": ", 1), "130, 179");
}

// A long place and date is set smaller and ends before the line of the head
// of school, on both pages.
TEST_F(ClassWeekPageTest, ThePlaceAndDateStaysLeftOfTheHeadOfSchoolsLine)
{
    const QString place = QStringLiteral("Bundesrealgymnasium Lindenhof Talheim an der Murr, 11.03.2026");
    menu()->Text2->setText(place);
    for (const bool a3 : {true, false}) {
        SCOPED_TRACE(a3 ? "A3" : "A4");
        rec->ops.clear();
        if (a3)
            printA3(1);
        else
            printA4({0});
        const Op& printed = text(place);
        const double lineStart = text(QStringLiteral("Schulleiter")).x;
        EXPECT_LT(printed.state.font.size, a3 ? 21 : 14);
        EXPECT_LT(rightEdge(*rec, printed), lineStart);
        EXPECT_EQ(text(QStringLiteral("2025/26")).state.font.size, a3 ? 24 : 17.5) << "a short text keeps its size";
    }
}

TEST_F(ClassWeekPageTest, TheA3PageSaysWhatItDoesAndEndsWithItsFooterAndFrames)
{
    gPlanName = QStringLiteral("7");
    printA3(2);
    EXPECT_EQ(menu()->Label5->text(), "Druckauftrag erledigt");
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(textsAt(50, 8), QStringList({"1: Stundenplan  -  1B  -  Muster-Schule"}));
    EXPECT_EQ(textsAt(6, 13), QStringList({"1: Druckdatum: 11.03.2026  Plan:7"}));
    const PrintRecorder::Op& last = rec->ops.last();
    EXPECT_EQ(QPointF(last.x, last.y), QPointF(352, 236)) << "the legend's frame closes the page";
    EXPECT_EQ(last.state.penWidth, 5);
}

TEST_F(ClassWeekPageTest, APlotterNeedsLandscapePaperAdvancesFirstAndEndsWithACodeZeroLine)
{
    rec = &recordPrinting(QStringLiteral("HP Plotter"), QPageSize(QPageSize::A3));
    menu()->SSCheck1_Click(-1);
    gDayNames(2) = QStringLiteral("Dienstag Üb");
    printer().setOrientation(QPageLayout::Portrait);
    printer().setPenWidth(7);
    printA3(1);
    EXPECT_EQ(menu()->Label5->text(), "Schalten Sie Ihren Plotter in der Druckerinstallation auf Querformat !");
    EXPECT_TRUE(rec->begun.isEmpty());

    printer().setOrientation(QPageLayout::Landscape);
    printA3(1);
    ASSERT_EQ(rec->begun.size(), 1);
    EXPECT_EQ(rec->begun[0].pageAdvances, 1);
    EXPECT_EQ(rec->texts().last(), QString(QChar(0)));
    EXPECT_TRUE(rec->texts().contains("Dienstag Ub"));
    for (const PrintRecorder::Op& op : rec->ops)
        ASSERT_EQ(op.state.penWidth, 7) << "the pen keeps its own width";
}

TEST_F(ClassWeekPageTest, KlassenEinsProSeitePrintsOneLandscapeDocumentPerTickedClassInClassOrder)
{
    printA4({4, 1, 0});
    EXPECT_EQ(textsAt(40, 8), QStringList({"1: Stundenplan  -  1A  -  Muster-Schule",
                                           "2: Stundenplan  -  1B  -  Muster-Schule",
                                           "3: Stundenplan  -  2A  -  Muster-Schule"}));
    EXPECT_EQ(rec->documents, 3);
    for (const PrintRecorder::Document& d : rec->begun)
        EXPECT_EQ(d.orientation, QPageLayout::Landscape);
    EXPECT_EQ(textStarting("Stundenplan").state.font.size, 28);
    EXPECT_FALSE(rec->texts().contains("Abel Anna")) << "no legend";
}
