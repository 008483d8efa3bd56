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
