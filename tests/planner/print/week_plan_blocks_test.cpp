#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/planner/print/print_fixture.h"

#include <QListWidgetItem>

namespace {
constexpr double kMmPerPoint = 25.4 / 72;
constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr int kDe = 1;
constexpr int kMa = 2; // with ability groups
constexpr int kLong = 3;
constexpr std::uint32_t kRed = 0x0000FF;

double mm(double twips) { return twips / kTwipsPerMm; }
}

class WeekPlanBlocksTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        for (int column = 0; column <= 2; ++column)
            gSubjectNames(0, column) = QStringLiteral("=");
        gSubjectNames(kDe, 2) = QStringLiteral("D");
        gSubjectAttr(kDe, 1) = 2;
        gSubjectNames(kMa, 2) = QStringLiteral("MA");
        gSubjectAttr(kMa, 1) = 2;
        gSubjectAttr(kMa, 4) = 1;
        gSubjectNames(kLong, 2) = QStringLiteral("Werkerziehung");
        for (int k = 1; k <= 5; ++k)
            gClassPrintNames(k) = gClassNames(k).toString();
        gClassPrintNames(0) = QString();
        gShortNote = QStringLiteral("Stand 11.3.");
    }
    Form14* menu()
    {
        if (!m_menu)
            m_menu = forms::show<Form14>();
        return m_menu;
    }
    // Selects the teachers (by number) in the teacher list.
    void selectTeachers(const QList<int>& teachers)
    {
        Form14* f = menu();
        for (int i = 0; i < f->List1->ListCount(); ++i) {
            if (teachers.contains(f->List1->List(i).right(3).trimmed().toInt()))
                f->List1->item(i)->setSelected(true);
        }
    }
    void tickClasses(const QList<int>& classes)
    {
        for (int k : classes)
            menu()->List2->item(k - 1)->setSelected(true);
    }
    // Document, x and y in twips of every text that starts with `start`.
    QStringList placesOf(const QString& start) const
    {
        QStringList places;
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && op.text.startsWith(start))
                places << QStringLiteral("%1: %2, %3").arg(op.document).arg(qRound(op.x * kTwipsPerMm)).arg(
                    qRound(op.y * kTwipsPerMm));
        }
        return places;
    }
    const PrintRecorder::Op* textAt(double xTwips, double yTwips) const
    {
        for (const PrintRecorder::Op& op : rec->ops) {
            if (op.kind == PrintRecorder::Kind::Text && qAbs(op.x - mm(xTwips)) < 1e-6
                && qAbs(op.y - mm(yTwips)) < 1e-6)
                return &op;
        }
        return nullptr;
    }

    Form14* m_menu = nullptr;
};

TEST_F(WeekPlanBlocksTest, ThreeTeachersFillAPageAndTheFourthStartsTheNextDocument)
{
    gTeacherNames(20) = QStringLiteral("Dorn Dora");
    selectTeachers({1, 3, 12, 20});
    menu()->Command4_Click();
    EXPECT_EQ(placesOf("Abel") + placesOf("Berg") + placesOf("Corn") + placesOf("Dorn"),
              QStringList({"1: 1500, 900", "1: 1500, 5900", "1: 1500, 10900", "2: 1500, 900"}));
    EXPECT_EQ(rec->documents, 2);
    for (const PrintRecorder::Document& d : rec->begun)
        EXPECT_EQ(d.orientation, QPageLayout::Portrait);
    const PrintRecorder::Op* title = textAt(1500, 900);
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->state.font.bold && title->state.font.italic);
    EXPECT_EQ(title->state.font.size, 22);
    EXPECT_EQ(placesOf("Stand 11.3.").first(), "1: 1500, 1470");
    EXPECT_EQ(placesOf("Montag").first(), "1: 1500, 1900");
}

TEST_F(WeekPlanBlocksTest, TwelvePerPageFillTheLeftColumnFirstAndTheThirteenthStartsAPage)
{
    QList<int> all;
    for (int t = 1; t <= 13; ++t) {
        gTeacherNames(t) = QStringLiteral("Lehrer%1").arg(t, 2, 10, QLatin1Char('0'));
        all << t;
    }
    selectTeachers(all);
    menu()->Command20_Click();
    QStringList expected;
    for (int i = 0; i < 12; ++i)
        expected << QStringLiteral("1: %1, %2").arg(5000 * (i / 6) + 765).arg(2500 * (i % 6) + 600);
    expected << "2: 765, 600";
    EXPECT_EQ(placesOf("Lehrer"), expected);
    EXPECT_EQ(rec->documents, 2);
}

TEST_F(WeekPlanBlocksTest, OneClassFillsItsPageThreeTimesTwoClassesLeaveTheThirdPlaceEmpty)
{
    gFormTeacher(1) = 3;
    tickClasses({1});
    menu()->Command6_Click();
    EXPECT_EQ(placesOf("1A"), QStringList({"1: 1500, 900", "1: 1500, 5900", "1: 1500, 10900"}));
    const PrintRecorder::Op* title = textAt(1500, 900);
    ASSERT_TRUE(title);
    EXPECT_FALSE(title->state.font.italic);
    EXPECT_EQ(title->state.font.size, 30);
    // The form teacher stands at the title font's next print zone.
    const QStringList teacher = placesOf("Berg Bernd");
    ASSERT_EQ(teacher.size(), 3);
    EXPECT_EQ(teacher[0], QStringLiteral("1: %1, 900").arg(qRound(14 * 15 * kMmPerPoint * kTwipsPerMm)));

    rec->ops.clear();
    menu()->List2->clearSelection();
    tickClasses({2, 5});
    menu()->Command6_Click();
    EXPECT_EQ(placesOf("1B") + placesOf("2A"), QStringList({"2: 1500, 900", "2: 1500, 5900"}));
    EXPECT_EQ(rec->documents, 2);
}

TEST_F(WeekPlanBlocksTest, ALongClassCellSetsASmallerSizeThatTheFollowingCellsKeep)
{
    gSubjectNames(kLong, 2) = QStringLiteral("Werkstatt");
    gSubjectNames(kMa, 2) = QStringLiteral("Mus");
    gTimetable(1, 1, 1, 0) = kMa;   // 3 characters
    gTimetable(1, 1, 1, 1) = kLong; // and 9: 12 joined
    gTimetable(1, 2, 1, 0) = kDe;
    gTimetable(1, 2, 1, 1) = kMa; // 4 characters
    tickClasses({1, 2});
    menu()->Command6_Click();
    const PrintRecorder::Op* first = textAt(1540, 2230);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "Mus ");
    EXPECT_NEAR(first->state.font.size, 70.0 / 12, 1e-9);
    const PrintRecorder::Op* next = textAt(1540, 2530);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->text, "D ");
    EXPECT_NEAR(next->state.font.size, 70.0 / 12, 1e-9) << "the reduced size stays in force";
    const PrintRecorder::Op* nextBlock = textAt(1540, 5000 + 2230);
    ASSERT_TRUE(nextBlock);
    EXPECT_EQ(nextBlock->state.font.size, 10) << "the next block starts at 10 again";
}

TEST_F(WeekPlanBlocksTest, TeacherCellsShowSubjectAndClassAndMarkAbsenceAndSupervisionInFreePeriods)
{
    gTeacherPlanSubject(1, 1, 1) = kMa;
    gTeacherPlanClass(1, 1, 1) = 1; // 1A leads its grade: the class prints as "1"
    gTeacherPlanSubject(1, 1, 2) = kDe;
    gTeacherPlanClass(1, 1, 2) = 2;
    gTeacherUnavailable(1, 1, 3) = 9;
    gTeacherUnavailable(1, 1, 4) = 10;
    selectTeachers({1});
    menu()->Command4_Click();
    QStringList cells;
    for (int p = 1; p <= 5; ++p)
        cells << textAt(1540, 300 * p + 1930)->text;
    EXPECT_EQ(cells, QStringList({"MA 1", "D 1B", "X  ", "A  ", " "}));
    EXPECT_EQ(textAt(1540, 2230)->state.colour, kRed);
    EXPECT_EQ(textAt(1540, 2230)->state.font.size, 11);
    EXPECT_TRUE(textAt(50, 300 + 1960)) << "the period caption";
}

TEST_F(WeekPlanBlocksTest, BlackAndWhiteTurnsOnlyTwelvePerPageBlack)
{
    gTeacherPlanSubject(1, 1, 1) = kDe;
    gTeacherPlanClass(1, 1, 1) = 2;
    gBlackWhiteOnly = -1;
    selectTeachers({1});
    menu()->Command20_Click();
    const PrintRecorder::Op* small = textAt(770, 1115);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->text, "D 1B");
    EXPECT_EQ(small->state.colour, 0u);
    EXPECT_EQ(small->state.font.size, 6);

    rec->ops.clear();
    menu()->Command4_Click();
    EXPECT_EQ(textAt(1540, 2230)->state.colour, kRed);
}
