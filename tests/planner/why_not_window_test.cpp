#include "planner/editor/why_not_window.h"
#include "tests/planner/editor_fixture.h"

#include <QLabel>

namespace {
// Bio in class K1: taught by Abel, who cannot come on Monday's second period,
// only from the fifth period and only in the left half.
class WhyNotTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        offerSubjects();
        teach(1, 4, 2, 1);
        gSubjectAttr(4, 7) = 8;
        gSubjectAttr(4, 2) = 0;
        gTeacherUnavailable(1, 1, 2) = 9;
        teach(1, 1, 3);
    }
    // Clicks the half-cell and the refused subject: the report.
    static Form40* report(int period, int half)
    {
        Form15* f = open();
        click(cell(1, period, half));
        f->List2->setListIndex(0);
        return forms::ifOpen<Form40>();
    }
};

TEST_F(WhyNotTest, EveryRefusingRuleGivesALineInChainOrder)
{
    Form40* w = report(2, 1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Label1->text(), "Bio kann hier nicht eingebaut werden weil ...");
    EXPECT_EQ(w->List1->items(),
              QStringList({"Abel kann nicht kommen", "Bio erst ab der  5.Eh", "Bio nur links eingeben"}));
    click(w->Command1);
    EXPECT_FALSE(forms::isOpen<Form40>());
    EXPECT_EQ(gTimetable(1, 2, 1, 1), 0);
}

TEST_F(WhyNotTest, WithoutAChosenSubjectTheReportIsEmptyAndPlacesNothing)
{
    open();
    Form40* w = forms::show<Form40>();
    EXPECT_EQ(w->Label1->text(), "");
    EXPECT_EQ(w->List1->count(), 0);
    at(1, 1, 1, 0, 4);
    click(w->Command2);
    EXPECT_FALSE(forms::isOpen<Form40>());
    EXPECT_EQ(gTimetable(1, 1, 1, 0), 0);
}

// The report's cell and subject stay, whatever is clicked or used as scratch since.
TEST_F(WhyNotTest, ForcingPlacesTheReportedSubjectInTheReportedCellAndAsksForACheck)
{
    Form40* w = report(2, 1);
    Form15* f = editor();
    click(cell(3, 7, 0));
    at(4, 4, 4, 0, 1);
    click(w->Command2);
    EXPECT_EQ(gTimetable(1, 2, 1, 1), 4);
    EXPECT_EQ(gTimetable(1, 7, 3, 0), 0);
    EXPECT_EQ(cell(1, 2, 1)->text(), "Bio");
    EXPECT_FALSE(f->Command1->isEnabled());
    EXPECT_EQ(f->Label1->text(), "Bitte baldigst eine Fehlerprüfung durchführen !");
    EXPECT_EQ(gUncheckedChangeDay, 1);
    EXPECT_FALSE(forms::isOpen<Form40>());
}
}

// Abel also teaches Ma in K2 in that period: Bio forced into K1 shares him
// with Ma. However Bio leaves the cell, Ma has its teacher again, so the
// teacher's plan shows it and the rules see the clash.
TEST_F(WhyNotTest, AForcedLessonTakenOutGivesItsTeacherBackToTheOtherLesson)
{
    gTeacherUnavailable(1, 1, 2) = 0;
    teach(2, 2, 2, 1);
    const std::pair<const char*, void (*)(Form15*)> takingOut[] = {
        {"frei", [](Form15* f) { click(f->Command1); }},
        {"key 0", [](Form15* f) { press(f->List1, Qt::Key_0); }},
        {"another subject", [](Form15* f) { f->List1->setListIndex(0); }},
    };
    for (const auto& [way, takeOut] : takingOut) {
        SCOPED_TRACE(way);
        place(1, 2, 2, 0, 2);
        click(report(2, 1)->Command2);
        ASSERT_EQ(gTimetable(1, 2, 1, 1), 4);
        EXPECT_EQ(gTeacherPlanClass(1, 1, 2), 1) << "the forced lesson has the teacher";

        click(cell(1, 2, 1));
        takeOut(editor());
        EXPECT_NE(gTimetable(1, 2, 1, 1), 4);
        EXPECT_EQ(gTeacherPlanSubject(1, 1, 2), 2);
        EXPECT_EQ(gTeacherPlanClass(1, 1, 2), 2);
        Form40* w = report(2, 1);
        EXPECT_TRUE(w->List1->items().contains("Abel hat schon Ma in der Klasse K2"));
        click(w->Command1);
        place(1, 2, 1, 1, 0);
    }
}
