#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/planner/print/print_fixture.h"

#include <QLabel>
#include <QListWidgetItem>

namespace {
constexpr double kMmPerPoint = 25.4 / 72;
constexpr int kDe = 1;
constexpr int kEn = 2;
constexpr int kMa = 3; // with ability groups
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00C000;
}

class ClassWeekPageTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        for (int column = 0; column <= 2; ++column)
            gSubjectNames(0, column) = QStringLiteral("=");
        subject(kDe, "D", 2);
        subject(kEn, "E", 1);
        subject(kMa, "M", 3);
        gSubjectAttr(kMa, 4) = 1;
        gTeacherShort(0) = QStringLiteral("-");
        gTeacherShort(1) = QStringLiteral("AB");
        gTeacherShort(3) = QStringLiteral("BE");
        gTeacherShort(12) = QStringLiteral("CO");
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gSchoolYear = QStringLiteral("2025/26");
        f = forms::show<Form14>();
        f->Text2->setText(QStringLiteral("Wien, 11.03.2026"));
    }
    static void subject(int s, const char* abbreviation, int colour)
    {
        gSubjectNames(s, 2) = QString::fromUtf8(abbreviation);
        gSubjectAttr(s, 1) = static_cast<short>(colour);
    }
    void printA3(int k)
    {
        f->List4->setListIndex(k - 1);
        f->Command16_Click();
    }
    void printA4(const QList<int>& classes)
    {
        for (int k : classes)
            f->List2->item(k - 1)->setSelected(true);
        f->Command25_Click();
    }
    // The first text printed that starts with `text`.
    const PrintRecorder::Op& text(const QString& start) const
    {
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text.startsWith(start))
                return op;
        }
        static const PrintRecorder::Op none{};
        ADD_FAILURE() << "no text " << start.toStdString();
        return none;
    }
    // The texts printed at (x, y), in order.
    QStringList textsAt(double x, double y) const
    {
        QStringList found;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && qAbs(op.x - x) < 1e-6 && qAbs(op.y - y) < 1e-6)
                found << op.text;
        }
        return found;
    }
    // The two parts of the A3 subject line of a cell.
    QList<const PrintRecorder::Op*> subjectLine(int d, int p) const
    {
        for (qsizetype i = 0; i + 1 < rec->ops.size(); ++i) {
            const PrintRecorder::Op& op = rec->ops[i];
            if (op.kind == PrintRecorder::Kind::Text && op.x == 50 * d + 1 && op.y == 18 * p + 21)
                return {&op, &rec->ops[i + 1]};
        }
        ADD_FAILURE() << "no subject line";
        return {};
    }
    // The largest x and y any line reaches.
    QPointF farthestLine() const
    {
        QPointF far;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Line)
                far = {qMax(far.x(), qMax(op.x, op.x2)), qMax(far.y(), qMax(op.y, op.y2))};
        }
        return far;
    }

    Form14* f = nullptr;
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
    ASSERT_EQ(line.size(), 2);
    EXPECT_EQ(line[0]->text, "D ");
    EXPECT_EQ(line[0]->state.colour, kRed);
    EXPECT_EQ(line[0]->state.font.size, 28);
    EXPECT_TRUE(line[0]->state.font.bold);
    EXPECT_EQ(line[1]->text, "E");
    EXPECT_EQ(line[1]->state.colour, kBlue);
    EXPECT_NEAR(line[1]->x, 51 + 2 * 14 * kMmPerPoint, 1e-9) << "right after the blank";
    EXPECT_DOUBLE_EQ(line[1]->y, 18 + 21);
    EXPECT_EQ(textsAt(51, 18 + 33), QStringList({"AB  BE  BE  "}));
    EXPECT_EQ(text("AB  BE").state.colour, 0u);
    EXPECT_EQ(text("AB  BE").state.font.size, 6);

    EXPECT_EQ(textsAt(354, 44), QStringList({"AB"})) << "the legend lists each teacher once";
    EXPECT_EQ(textsAt(363, 44), QStringList({"Abel Anna"}));
    EXPECT_EQ(textsAt(354, 49), QStringList({"BE"}));
    EXPECT_EQ(textsAt(363, 49), QStringList({"Berg Bernd"}));
    EXPECT_TRUE(textsAt(354, 54).isEmpty());
    EXPECT_EQ(gTeacherMarks(3), 1);
}

TEST_F(ClassWeekPageTest, OnlyTheSecondGroupRowStartsWithTheBlankAndAnEqualsSignPrintsNothingButItsTeachers)
{
    gTimetable(1, 1, 1, 1) = kEn;
    subject(kDe, "=", 2);
    gTimetable(2, 1, 1, 0) = kDe;
    gSubjectTeachers(1, kDe, 0) = 12;
    printA3(1);
    const QList<const PrintRecorder::Op*> onlySecond = subjectLine(1, 1);
    ASSERT_EQ(onlySecond.size(), 2);
    EXPECT_EQ(onlySecond[0]->text + onlySecond[1]->text, " E");
    EXPECT_EQ(onlySecond[0]->state.colour, 0u) << "the free row's colour is subject 0's";
    const QList<const PrintRecorder::Op*> equals = subjectLine(2, 1);
    ASSERT_EQ(equals.size(), 2);
    EXPECT_EQ(equals[0]->text + equals[1]->text, " ");
    EXPECT_EQ(equals[0]->state.colour, kRed) << "its colour is still set";
    EXPECT_EQ(textsAt(101, 51), QStringList({"CO  "}));
}

TEST_F(ClassWeekPageTest, AbilityGroupTeachersComeFromTheClassThatLeadsTheGrade)
{
    struct Case {
        QStringList names;
        int printed;
        QString teachers;
    };
    // Class k's assignment of the ability-group subject is teacher k's short name.
    const Case cases[] = {
        {{"3A", "3B"}, 2, "AB  "},
        {{"4A", "3B"}, 2, "BE  "},
        {{"3B", "3a"}, 1, "BE  "} /* the leading class may come later */,
        {{"3B", "3A", "3L"}, 3, "CO  "},
        {{"3A", "31", "3B"}, 2, "BE  "},
        {{"3B", "X1"}, 1, "AB  "} /* no digit: grade 0 */,
    };
    const int teacherOf[] = {1, 3, 12};
    for (const Case& c : cases) {
        rec->ops.clear();
        for (int k = 1; k <= 5; ++k)
            gClassNames(k) = k <= c.names.size() ? c.names[k - 1] : QString();
        for (int k = 1; k <= 3; ++k) {
            gTimetable(1, 1, k, 0) = kMa;
            gSubjectTeachers(k, kMa, 0) = static_cast<short>(teacherOf[k - 1]);
        }
        printA3(c.printed);
        EXPECT_EQ(textsAt(51, 51), QStringList({c.teachers})) << c.names.join(',').toStdString();
    }
}

TEST_F(ClassWeekPageTest, SixDaysAndElevenPeriodsStayInsideTheGridOnBothFormats)
{
    gDaysPerWeek = 6;
    gPeriodsPerDay = 11;
    printA3(1);
    const PrintRecorder::Op& saturday = text("Samstag");
    EXPECT_DOUBLE_EQ(saturday.x, 301);
    // The grid's own frame (4, 37)-(350, 236) is the farthest the cells go.
    QPointF cells;
    for (const PrintRecorder::Op& op : rec->ops) {
        if (op.kind == PrintRecorder::Kind::Line && op.y < 236 && op.y2 < 236 && op.x < 350 && op.x2 < 350)
            cells = {qMax(cells.x(), qMax(op.x, op.x2)), qMax(cells.y(), qMax(op.y, op.y2))};
    }
    EXPECT_DOUBLE_EQ(cells.x(), 349);
    EXPECT_DOUBLE_EQ(cells.y(), 235);
    EXPECT_EQ(textsAt(20, 265), QStringList({"Klassenvorstand"})) << "A3 keeps its signatures";

    rec->ops.clear();
    printA4({1});
    EXPECT_EQ(farthestLine(), QPointF(279, 187)) << "no signature line on A4";
    EXPECT_FALSE(rec->texts().contains("Klassenvorstand"));
    EXPECT_FALSE(rec->texts().contains("Wien, 11.03.2026"));
}

TEST_F(ClassWeekPageTest, TheA4SubjectLineShrinksBeyondSevenCharacters)
{
    subject(kDe, "Deutsch", 2);
    subject(kMa, "Mathemati", 3);
    subject(kEn, "Eng", 1);
    gTimetable(1, 1, 1, 0) = kDe; // 7 characters
    gTimetable(1, 2, 1, 0) = kEn;
    gTimetable(1, 2, 1, 1) = kDe; // 10 characters, joined without the blank
    gTimetable(1, 3, 1, 1) = kMa; // 9 characters after the leading blank
    printA4({1});
    EXPECT_EQ(text("Deutsch").state.font.size, 21);
    EXPECT_NEAR(text("Eng").state.font.size, 14.7, 1e-9);
    EXPECT_NEAR(text(" ").state.font.size, 147.0 / 9, 1e-9);
    EXPECT_DOUBLE_EQ(text("Deutsch").x, 41);
    EXPECT_DOUBLE_EQ(text("Deutsch").y, 14 + 21);
}

TEST_F(ClassWeekPageTest, BlackAndWhitePrintsTheA3PageInBlackOnly)
{
    gTimetable(1, 1, 1, 0) = kDe;
    gBlackWhiteOnly = -1;
    printA3(1);
    EXPECT_EQ(text("D ").state.colour, 0u);
    rec->ops.clear();
    printA4({1});
    EXPECT_EQ(text("D ").state.colour, kRed);
}

TEST_F(ClassWeekPageTest, TheSignatureBlockNamesTheFormTeacherWithOnlyTheInitialOfACapitalisedFamilyName)
{
    struct Case {
        QString name;
        QString printed;
    };
    const Case cases[] = {
        {"MÜLLER Hans", "Müller Hans"},
        {"van BERG Jo", "van BERG Jo"},
        {"Abel", "Abel"},
        {" Hans", " Hans"} /* no family name before the blank: as it stands */,
    };
    gFormTeacher(1) = 3;
    for (const Case& c : cases) {
        rec->ops.clear();
        gTeacherNames(3) = c.name;
        printA3(1);
        const PrintRecorder::Op& op = text(c.printed);
        EXPECT_EQ(op.text, c.printed);
        EXPECT_EQ(op.state.font.name, "EnglischeSchT");
        EXPECT_EQ(op.state.font.size, 22);
        EXPECT_DOUBLE_EQ(op.y, 253);
    }
    EXPECT_EQ(text("2025/26").state.font.size, 24);
    EXPECT_EQ(text("Wien, 11.03.2026").state.font.size, 21);

    rec->ops.clear();
    printA4({1});
    EXPECT_EQ(text(" Hans").state.font.name, "Brush Script MT kursiv");
    EXPECT_EQ(textsAt(90, 178), QStringList({"2025/26"}));
    EXPECT_EQ(textsAt(130, 179), QStringList({"Wien, 11.03.2026"}));
}

TEST_F(ClassWeekPageTest, TheA3PageSaysWhatItDoesAndEndsWithItsFramesAndFooter)
{
    gPlanName = QStringLiteral("7");
    printA3(2);
    EXPECT_EQ(f->Label5->text(), "Druckauftrag erledigt");
    EXPECT_EQ(rec->documents, 1);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(text("Stundenplan").text, "Stundenplan  -  1B  -  Muster-Schule");
    EXPECT_EQ(text("Stundenplan").state.font.size, 38);
    EXPECT_EQ(textsAt(6, 13), QStringList({"Druckdatum: 11.03.2026  Plan:7"}));
    const PrintRecorder::Op& last = rec->ops.last();
    EXPECT_EQ(last.kind, PrintRecorder::Kind::Line);
    EXPECT_EQ(QPointF(last.x, last.y), QPointF(352, 236)) << "the legend frame closes the page";
    EXPECT_EQ(last.state.penWidth, 5);
    EXPECT_EQ(printer().font().name, "Arial");
}

TEST_F(ClassWeekPageTest, APlotterNeedsLandscapePaperAdvancesFirstAndEndsWithACodeZeroLine)
{
    rec = &recordPrinting(QStringLiteral("HP Plotter"), QPageSize(QPageSize::A3));
    f->SSCheck1_Click(-1);
    gDayNames(2) = QStringLiteral("Dienstag Üb");
    printer().setOrientation(QPageLayout::Portrait);
    printer().setPenWidth(7);
    printA3(1);
    EXPECT_EQ(f->Label5->text(), "Schalten Sie Ihren Plotter in der Druckerinstallation auf Querformat !");
    EXPECT_TRUE(rec->ops.isEmpty());
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

TEST_F(ClassWeekPageTest, KlassenEinsProSeitePrintsOneDocumentPerTickedClassInClassOrder)
{
    printA4({5, 2, 1});
    EXPECT_EQ(rec->documents, 3);
    QStringList titles;
    for (const PrintRecorder::Op& op : rec->ops) {
        if (op.text.startsWith("Stundenplan"))
            titles << QString::number(op.document) + ": " + op.text;
    }
    EXPECT_EQ(titles, QStringList({"1: Stundenplan  -  1A  -  Muster-Schule", "2: Stundenplan  -  1B  -  Muster-Schule",
                                   "3: Stundenplan  -  2A  -  Muster-Schule"}));
    for (const PrintRecorder::Document& d : rec->begun)
        EXPECT_EQ(d.orientation, QPageLayout::Landscape);
    EXPECT_EQ(text("Stundenplan").state.font.size, 28);
    EXPECT_FALSE(rec->texts().contains("Abel Anna")) << "no legend";
    EXPECT_EQ(printer().font().name, "Arial");
}
