#include "planner/print/print_procedures.h"
#include "platform/currency.h"
#include "tests/planner/print/print_fixture.h"

#include <QGuiApplication>
#include <cmath>

namespace {
// Notes whether the busy pointer showed while anything was printed.
class PointerWatch : public PrintRecorder {
public:
    bool busy = false;
    void text(double x, double y, const QString& text, const PrintState& state) override
    {
        busy = busy || QGuiApplication::overrideCursor() != nullptr;
        PrintRecorder::text(x, y, text, state);
    }
};
}

// The lists and small sheets of the menu, printed by clicking their buttons.
class ListPrintoutTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
    }
    static void subject(int s, const QString& longName, const QString& shortName, const QString& abbreviation,
                        short colour = 0)
    {
        gSubjectNames(s, 0) = longName;
        gSubjectNames(s, 1) = shortName;
        gSubjectNames(s, 2) = abbreviation;
        gSubjectAttr(s, 1) = colour;
    }
    static void className(int k, const QString& name)
    {
        gClassNames(k) = name;
        gClassPrintNames(k) = name;
    }
    static void assign(int cls, int subject, int slot, int teacher, short hours, double bracketed)
    {
        gSubjectTeachers(cls, subject, slot) = static_cast<short>(teacher);
        gCurriculumHours(cls, subject) = hours;
        gClassSubjectHours(cls, subject) = Currency::fromDouble(bracketed);
    }
    // The assignment text printed on the line of the short name `shortName`.
    const Op& assignmentOf(const QString& shortName) const
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

TEST_F(ListPrintoutTest, AnAssignmentLineGivesEachAbbreviationBeforeItsClassesAndTheHourTotals)
{
    gTeacherShort(1) = QStringLiteral("ABE");
    gTeacherShort(3) = QStringLiteral("BER");
    gSubjectNames(4, 2) = QStringLiteral("D");
    gSubjectNames(5, 2) = QStringLiteral("D");
    gSubjectNames(6, 2) = QStringLiteral("M");
    gSubjectAttr(4, 4) = 1;     // ability groups: 1A leads its grade and prints as "1"
    assign(1, 4, 0, 1, 4, 2.3); // slot 0: the lesson's first teacher
    assign(2, 5, 9, 1, 3, 1.1); // the same abbreviation: not repeated
    assign(5, 6, 1, 1, 2, 0);
    assign(5, 6, 2, 1, 2, 0);   // two slots of one lesson count twice
    assign(2, 6, 10, 1, 5, 5);  // beyond the slots read
    menu()->Command18->click();
    EXPECT_EQ(assignmentOf("ABE").text, "Abel Anna  >  D 1,1B, M 2A,2A  =  11 ( 3.4 )");
    EXPECT_EQ(assignmentOf("BER").text, "Berg Bernd  >   =  0 ( 0 )");
    EXPECT_EQ(text("BER").y, 32) << "the slot between holds \"-\" and takes no line";

    // The recorder's character is half the size wide: 165 mm hold 103 at 9 pt.
    for (const auto& [nameLength, points] : {std::pair{80, 9.0}, {110, 7.0}, {400, 4.0}}) {
        gTeacherNames(3) = QString(nameLength, QLatin1Char('x'));
        rec = &recordPrinting();
        menu()->Command18->click();
        EXPECT_EQ(assignmentOf("BER").state.font.size, points) << "down the ladder to 4 pt and no further";
    }
}

TEST_F(ListPrintoutTest, TheFortyThirdLineStartsTheSecondPageUnderANewHeaderInTheChosenFont)
{
    staff(43);
    for (int s = 1; s <= 43; ++s)
        subject(s + 10, QStringLiteral("Fach %1").arg(s), QStringLiteral("F%1").arg(s), QStringLiteral("f%1").arg(s));
    gPlanName = QStringLiteral("3");
    const struct {
        QPushButton* button;
        int font;
        const char* line;
        const char* heading;
    } cases[] = {
        {menu()->Command18, 3, "K", "Lehrfächerverteilung  -  Muster-Schule / 3"},
        {menu()->Command32, 5, "F", "Lehrfächer - Legende - Muster-Schule"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        rec = &recordPrinting();
        menu()->Combo1->setListIndex(c.font);
        c.button->click();
        EXPECT_EQ(rec->documents, 2);
        EXPECT_EQ(text(c.line + QString::number(42)).document, 1);
        EXPECT_EQ(text(c.line + QString::number(42)).y, 272);
        const Op& next = text(c.line + QString::number(43));
        EXPECT_EQ(next.document, 2);
        EXPECT_EQ(next.y, 26);
        EXPECT_EQ(next.state.font.name, gFontNames(c.font));
        EXPECT_EQ(rec->texts().count(c.heading), 2);
    }
}

TEST_F(ListPrintoutTest, ALongSchoolNameSetsTheAssignmentTitleSmallerToEndInsideThePaper)
{
    gSchoolName = QStringLiteral("Bundesrealgymnasium und Oberstufenrealgymnasium Lindenhof");
    gPlanName = QStringLiteral("12");
    menu()->Command18->click();
    const Op& title = textStarting("Lehrfächerverteilung");
    EXPECT_TRUE(title.text.endsWith(QStringLiteral(" / 12")));
    EXPECT_LT(title.state.font.size, 20);
    EXPECT_NEAR(rightEdge(*rec, title), paperWidth(*rec, title) - title.x, 1e-6) << "as far from the edge as it begins";
}

TEST_F(ListPrintoutTest, TheClassHoursListEachSubjectsHoursIncludingNegativeOnesWithoutTheBusyPointer)
{
    className(1, "5a");
    className(2, "X");
    className(5, "10b");
    gSubjectNames(3, 1) = QStringLiteral("D");
    gSubjectNames(7, 1) = QStringLiteral("M");
    gCurriculumHours(1, 3) = 4;
    gCurriculumHours(1, 7) = -1;
    gCurriculumHours(2, 3) = 5;
    auto watch = std::make_unique<PointerWatch>();
    PointerWatch& w = *watch;
    printer().setBackend(std::move(watch));
    menu()->Command19->click();
    EXPECT_EQ(w.texts(),
              QStringList({"Stundentafel  -  Muster-Schule", "5a  >    4 D,  -1 M   =  3", "10b  >    =  0"}))
        << "names of fewer than two characters take no line";
    EXPECT_EQ(printedText(w, "10b  >    =  0").y, 32);
    EXPECT_EQ(w.begun[0].orientation, QPageLayout::Landscape);
    EXPECT_FALSE(w.busy);
    menu()->Command2->click();
    EXPECT_TRUE(w.busy) << "the other lists print with it";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ListPrintoutTest, TheColourTestGivesEveryColourABlackNameASwatchAndFourSamplesSideBySide)
{
    rec = &recordPrinting(QStringLiteral("Farblaser 2"), QPageSize(QPageSize::A4));
    gBlackWhiteOnly = -1;
    printer().setColour(PrintColour(12));
    menu()->Command24->click();
    EXPECT_EQ(text("Farbtest  VORDA V1.28a  Farblaser 2").state.colour, 0u) << "not the colour the last printout left";
    const QList<Op> swatches = opsOf(Kind::FilledBox);
    const QList<Op> texts = opsOf(Kind::Text);
    ASSERT_EQ(swatches.size(), 13);
    ASSERT_EQ(texts.size(), 1 + 13 * 5);
    const double sampleWidth = 11 * 10 / 2.0 * kMmPerPoint; // "ABCDEabcde " at 10 pt on the recorder
    for (int i = 0; i <= 12; ++i) {
        const double y = 50 + 10 * i;
        const Op& name = texts[1 + 5 * i];
        EXPECT_EQ(name.text, gColourNames(i).toString());
        EXPECT_EQ(name.y, y);
        EXPECT_EQ(name.state.colour, 0u) << "names are black";
        EXPECT_EQ(QList<double>({swatches[i].x, swatches[i].y, swatches[i].x2, swatches[i].y2}),
                  QList<double>({60, y, 80, y + 6}));
        EXPECT_EQ(swatches[i].state.colour, PrintColour(i)) << "in colour also with \"nur SW\"";
        for (int n = 0; n < 4; ++n) {
            const Op& sample = texts[2 + 5 * i + n];
            EXPECT_EQ(sample.text, "ABCDEabcde ");
            EXPECT_EQ(sample.state.font.size, 10 - 2 * n);
            EXPECT_NEAR(sample.y, y + 2 + 0.5 * n, 1e-9);
            EXPECT_EQ(sample.state.colour, PrintColour(i));
        }
        EXPECT_EQ(texts[2 + 5 * i].x, 90);
        EXPECT_NEAR(texts[3 + 5 * i].x, 90 + sampleWidth, 1e-9) << "continuing the line";
    }
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Portrait);
}

TEST_F(ListPrintoutTest, NameSignsGoSixToAPageAndShrinkByTheReportedSizeAtMostNineTimes)
{
    staff(9);
    gTeacherNames(2) = QStringLiteral("entfällt");
    gTeacherNames(4) = QStringLiteral("Z");
    gTeacherNames(5) = QString();
    gTeacherNames(9) = QStringLiteral("Entenmann Eva");
    menu()->Combo1->setListIndex(6);
    menu()->Command5->click();
    const QList<Op> texts = opsOf(Kind::Text);
    QStringList names;
    for (const Op& t : texts)
        names << t.text;
    EXPECT_EQ(names, QStringList({"Name 1", "Name 3", "Name 6", "Name 7", "Name 8", "Entenmann Eva", "Corn Clara"}))
        << "no sign for \"ent\", empty or one-character names, and no gap";
    const QList<Op> cuts = opsOf(Kind::Line);
    ASSERT_EQ(cuts.size(), texts.size());
    for (int n = 0; n < texts.size(); ++n) {
        const double top = n < 6 ? 1800 * n : 0;
        EXPECT_EQ(texts[n].document, n < 6 ? 1 : 2);
        EXPECT_NEAR(texts[n].y, mm(top), 1e-9) << n;
        EXPECT_EQ(texts[n].state.font.size, 70);
        EXPECT_EQ(texts[n].state.font.name, "Courier");
        EXPECT_NEAR(cuts[n].y, mm(top + 1750), 1e-9) << "a cutting line under each";
    }
    EXPECT_EQ(rec->begun[1].orientation, QPageLayout::Landscape);

    // The recorder's character is half the size wide: 21 characters fit at 70 pt.
    rec = &recordPrinting();
    for (int t = 1; t <= 60; ++t)
        gTeacherNames(t) = QStringLiteral("-");
    gTeacherNames(1) = QString(22, QLatin1Char('w'));
    gTeacherNames(3) = QString(60, QLatin1Char('w'));
    gTeacherNames(12) = QString(21, QLatin1Char('w'));
    menu()->Command5->click();
    ASSERT_EQ(opsOf(Kind::Text).size(), 3);
    EXPECT_DOUBLE_EQ(opsOf(Kind::Text)[0].state.font.size, 70 * 0.95);
    EXPECT_NEAR(opsOf(Kind::Text)[1].state.font.size, 70 * std::pow(0.95, 9), 1e-9) << "printed over the edge";
    EXPECT_EQ(opsOf(Kind::Text)[2].state.font.size, 70) << "the next starts at 70 again";
}

TEST_F(ListPrintoutTest, TheSubjectLegendListsSubjectsWithBothShortNamesWithoutGaps)
{
    subject(1, "Deutsch", "D", "De", 2);
    subject(2, "leer", "-", "X");
    subject(3, "frei", "=", "X");
    subject(4, "ohne", "", "X");
    subject(5, "kein Kürzel", "K", "");
    subject(6, "Mathematik", "M", "Ma");
    gBlackWhiteOnly = -1;
    menu()->Command32->click();
    EXPECT_EQ(rec->texts(),
              QStringList({"Lehrfächer - Legende - Muster-Schule", "D", "De", "Deutsch", "M", "Ma", "Mathematik"}));
    EXPECT_EQ(text("M").y, 32) << "no gap for the subjects left out";
    EXPECT_EQ(text("De").state.colour, PrintColour(2)) << "in colour also with \"nur SW\"";
    EXPECT_EQ(text("D").state.colour + text("Deutsch").state.colour, 0u);
    EXPECT_EQ(text("Ma").state.colour, 0u) << "colour index 0 is black";
}

TEST_F(ListPrintoutTest, ThirtyFourTeachersFillTheTeacherListInFortiethsOfThePageSelectedOrNot)
{
    staff(34);
    select(menu()->List1, {2, 7});
    menu()->Command2->click();
    const double height = 16838; // A4 portrait, in twips
    const double pitch = height / 40;
    for (int t = 1; t <= 34; ++t) {
        const Op& shortName = text(QStringLiteral("K%1").arg(t));
        EXPECT_NEAR(shortName.y, mm(2 * pitch + 100 + t * pitch), 1e-6) << t;
        EXPECT_NEAR(text(QStringLiteral("Name %1").arg(t)).y, shortName.y, 1e-9);
    }
    EXPECT_NEAR(text("K1").state.font.size, height / 1360, 1e-9);
    const QList<Op> lines = opsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 34 * 4) << "a framed row each";
    double lowest = 0;
    for (const Op& l : lines)
        lowest = std::max({lowest, l.y, l.y2});
    EXPECT_NEAR(lowest, mm(height - 3 * pitch), 1e-4) << "three pitches free at the foot";
    const Op& heading = text("Muster-Schule");
    EXPECT_NEAR(heading.y, mm(pitch), 1e-6);
    EXPECT_NEAR(heading.state.font.size, 1.5 * height / 1360, 1e-9);
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(ListPrintoutTest, AnEmptyTeacherListPrintsTheHeadingAloneInsteadOfDividingByNothing)
{
    for (int t = 1; t <= 60; ++t)
        gTeacherNames(t) = QStringLiteral("-");
    menu()->Command2->click();
    ASSERT_EQ(rec->ops.size(), 1);
    EXPECT_EQ(rec->ops[0].text, "Muster-Schule");
    EXPECT_NEAR(rec->ops[0].y, mm(16838.0 / 6), 1e-6);
    EXPECT_EQ(rec->ops[0].state.font.size, 18);
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(ListPrintoutTest, EachClassTeacherLineNamesItsTeachersOnceInArialAndBlankClassesTakeNoLine)
{
    gSchoolYear = QStringLiteral("2025/26");
    className(3, "   ");
    className(4, "3C");
    className(5, "");
    gTeacherShort(1) = QStringLiteral("ABE");
    gTeacherShort(3) = QStringLiteral("BER");
    gTeacherShort(12) = QStringLiteral("COR");
    gSubjectTeachers(1, 5, 0) = 12;
    gSubjectTeachers(1, 7, 9) = 3;
    gSubjectTeachers(1, 8, 2) = 12; // a second subject: still listed once
    gSubjectTeachers(4, 99, 1) = 1;
    gSubjectTeachers(4, 3, 10) = 3; // beyond the slots read
    menu()->Combo1->setListIndex(3);
    menu()->Command26->click();
    EXPECT_EQ(rec->texts(),
              QStringList({"Klassenlehrer Muster-Schule 2025/26", "1A ", "  BER", "  COR", "1B ", "3C ", "  ABE"}));
    EXPECT_EQ(text("1B ").y, 30.5);
    EXPECT_EQ(text("3C ").y, 38) << "the blank class leaves no gap";
    EXPECT_TRUE(text("3C ").state.font.bold);
    EXPECT_FALSE(text("  ABE").state.font.bold);
    EXPECT_EQ(text("  ABE").y, 38) << "on the class's line";
    for (const Op& op : rec->ops)
        EXPECT_EQ(op.state.font.name, "Arial") << op.text.toStdString();
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
}
