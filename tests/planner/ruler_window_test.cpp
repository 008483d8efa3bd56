#include "planner/editor/ruler_window.h"
#include "tests/planner/editor_fixture.h"

using RulerWindowTest = EditorTest;

TEST_F(RulerWindowTest, ShowsACaptionForEachPeriodOfTheDay)
{
    for (int p = 1; p <= 11; ++p)
        gPeriodLabels(p) = QStringLiteral("%1.").arg(p);
    Form35* ruler = forms::show<Form35>();
    EXPECT_EQ(ruler->windowTitle(), "Lineal");
    QStringList shown;
    for (QLabel* label : ruler->Label1) {
        if (!label->isHidden())
            shown << label->text();
    }
    EXPECT_EQ(shown, QStringList({"1.", "2.", "3.", "4.", "5.", "6.", "7.", "8.", "9."}));
}

TEST_F(RulerWindowTest, LinesUpWithTheEditorsRowsWhenActivatedAndKeepsItsLeft)
{
    gWindowLeft(35) = 15 * 700;
    gWindowTop(35) = 15 * 30;
    Form15* f = open();
    QTest::mouseClick(f->Command5, Qt::LeftButton);
    Form35* ruler = forms::ifOpen<Form35>();
    ASSERT_TRUE(ruler);

    f->activate();
    f->move(120, 200);
    ruler->activate();
    EXPECT_EQ(ruler->pos(), QPoint(700, 200 + f->G[0]->y() - ruler->Label1[0]->y()));
    EXPECT_EQ(ruler->mapToGlobal(ruler->Label1[0]->pos()).y(), f->mapToGlobal(f->G[0]->pos()).y());
}
