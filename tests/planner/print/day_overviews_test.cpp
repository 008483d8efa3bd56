#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/planner/print/print_fixture.h"

namespace {
constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr int kDe = 1;
constexpr int kDash = 2;
constexpr std::uint32_t kRed = 0x0000FF;
}

class DayOverviewsTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        for (int column = 0; column <= 2; ++column)
            gSubjectNames(0, column) = QStringLiteral("=");
        gSubjectNames(kDe, 2) = QStringLiteral("D");
        gSubjectAttr(kDe, 1) = 2;
        gSubjectNames(kDash, 2) = QStringLiteral("-");
        gTeacherShort(0) = QStringLiteral("-");
        gTeacherShort(1) = QStringLiteral("AB");
        gTeacherShort(3) = QStringLiteral("BE");
        gTeacherShort(12) = QStringLiteral("=");
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gShortNote = QStringLiteral("Notiz");
    }
    void print(void (Form14::*handler)(), int day = 2)
    {
        Form14* f = forms::show<Form14>();
        f->List3->setListIndex(day - 1);
        (f->*handler)();
    }
    // Document and the texts at (x, y) in twips.
    QStringList textsAt(double x, double y) const
    {
        QStringList found;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && qRound(op.x * kTwipsPerMm) == x
                && qRound(op.y * kTwipsPerMm) == y)
                found << QStringLiteral("%1: %2").arg(op.document).arg(op.text);
        }
        return found;
    }
    const PrintRecorder::Op* textOp(const QString& text) const
    {
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text == text)
                return &op;
        }
        return nullptr;
    }
};

TEST_F(DayOverviewsTest, EveryClassUpToTheLastGetsARowEvenWithoutAName)
{
    print(&Form14::Command11_Click);
    EXPECT_EQ(textsAt(100, 50), QStringList({"1: Gesamtstundenplan - Dienstag - Muster-Schule"}));
    EXPECT_EQ(textsAt(100, 600), QStringList({"1: Notiz"}));
    QStringList headings;
    for (int r = 1; r <= 6; ++r)
        headings << textsAt(100, 700 * r + 600) + textsAt(100, 700 * r + 900);
    EXPECT_EQ(headings, QStringList({"1: 1A", "1: -", "1: 1B", "1: -", "1: ", "1: -", "1: -", "1: -", "1: 2A", "1: -"}))
        << "the form teacher 0 shows as -";
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(DayOverviewsTest, AClassCellPrintsBothSubjectsAndTheirTeachersLeavingOutEqualsAndDash)
{
    gTimetable(2, 1, 1, 0) = kDe;
    gTimetable(2, 1, 1, 1) = kDash;
    gSubjectTeachers(1, kDe, 0) = 1;
    gSubjectTeachers(1, kDe, 1) = 3;
    gSubjectTeachers(1, kDe, 2) = 12; // short name "="
    gSubjectTeachers(1, kDe, 3) = 1;
    gSubjectTeachers(1, kDe, 6) = 3;
    gSubjectTeachers(1, kDash, 0) = 3;
    gSubjectTeachers(1, kDash, 2) = 1;
    print(&Form14::Command11_Click);
    const double x = 900 + 100;
    EXPECT_EQ(textsAt(x, 1300), QStringList({"1: D"}));
    EXPECT_EQ(textOp("D")->state.colour, kRed);
    EXPECT_TRUE(textsAt(x + 450, 1300).isEmpty()) << "\"-\" is no abbreviation";
    EXPECT_EQ(textsAt(x, 1500), QStringList({"1: AB BE"}));
    EXPECT_EQ(textsAt(x, 1640), QStringList({"1: AB"}));
    EXPECT_EQ(textsAt(x, 1920), QStringList({"1: BE"}));
    EXPECT_EQ(textsAt(x + 450, 1500), QStringList({"1: BE"}));
    EXPECT_EQ(textsAt(x + 450, 1720), QStringList({"1: AB"}));
    EXPECT_EQ(textOp("AB BE")->state.font.size, 5);
}

TEST_F(DayOverviewsTest, TeachersWithoutANameAreSkippedWithoutAGap)
{
    gTeacherNames(2) = QStringLiteral("X");
    gTeacherPlanSubject(3, 2, 1) = kDe;
    gTeacherPlanClass(3, 2, 1) = 2;
    gTeacherUnavailable(1, 2, 2) = 9;
    gTeacherUnavailable(1, 2, 3) = 10;
    print(&Form14::Command12_Click);
    EXPECT_EQ(textsAt(50, 50), QStringList({"1: Personalstundenplan - Dienstag - Muster-Schule"}));
    EXPECT_EQ(textsAt(0, 1240) + textsAt(0, 1480) + textsAt(0, 1720) + textsAt(0, 1960),
              QStringList({"1: Abel Anna", "1: Berg Bernd", "1: Corn Clara"}));
    EXPECT_EQ(textsAt(2180, 1500), QStringList({"1: D 1B"}));
    EXPECT_EQ(textOp("D 1B")->state.colour, kRed);
    EXPECT_EQ(textsAt(2960, 1260) + textsAt(3740, 1260), QStringList({"1: X  ", "1: A  "}));
    EXPECT_EQ(textsAt(2180, 1000), QStringList({"1: "})) << "the period header";
}

TEST_F(DayOverviewsTest, RowsBelowThePapersFootContinueOnAFurtherPageWithTheHeads)
{
    for (int k = 1; k <= 24; ++k) {
        gClassNames(k) = QStringLiteral("K%1").arg(k);
        gClassPrintNames(k) = gClassNames(k).toString();
    }
    print(&Form14::Command11_Click);
    EXPECT_EQ(rec->documents, 2);
    EXPECT_EQ(textsAt(100, 700 * 22 + 600), QStringList({"1: K22"})) << "22 rows fit on A4";
    EXPECT_EQ(textsAt(100, 700 + 600), QStringList({"1: K1", "2: K23"}));
    EXPECT_EQ(textsAt(100, 1400 + 600), QStringList({"1: K2", "2: K24"}));
    EXPECT_EQ(textsAt(100, 50).size(), 2);
    EXPECT_EQ(textsAt(100, 600), QStringList({"1: Notiz", "2: Notiz"}));
    EXPECT_EQ(rec->begun[1].orientation, QPageLayout::Portrait);
}

TEST_F(DayOverviewsTest, ATitleTooWideForThePaperIsSetSmallerToEndInsideIt)
{
    print(&Form14::Command12_Click);
    EXPECT_EQ(textOp("Personalstundenplan - Dienstag - Muster-Schule")->state.font.size, 22);

    rec->ops.clear();
    gSchoolName = QStringLiteral("Bundesrealgymnasium und Oberstufenrealgymnasium Lindenhof");
    print(&Form14::Command12_Click);
    const PrintRecorder::Op* title = textOp("Personalstundenplan - Dienstag - " + gSchoolName.toString());
    ASSERT_TRUE(title);
    EXPECT_LT(title->state.font.size, 22);
    const double width = title->text.size() * title->state.font.size / 2 * 25.4 / 72;
    EXPECT_NEAR(title->x + width, 210 - title->x, 1e-6);
}
