#include "planner/substitution/substitution_message.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <QTest>

namespace {

class SubstitutionMessageTest : public SubstitutionTest {};

TEST_F(SubstitutionMessageTest, EnterMovesDownAndFertigStoresTheLinesTrimmed)
{
    gSubstPageMessages(2) = "Elternsprechtag";
    Form44* f = forms::show<Form44>();
    EXPECT_EQ(f->Text2->text(), "Elternsprechtag");
    EXPECT_EQ(f->focusWidget(), f->Text1);
    f->Text1->setText("  Chor fällt aus  ");
    for (auto [box, next] : {std::pair<QWidget*, QWidget*>{f->Text1, f->Text2}, {f->Text2, f->Text3},
                             {f->Text3, f->Command13}}) {
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(f->focusWidget(), next) << next->objectName().toStdString();
    }
    EXPECT_TRUE(forms::isOpen<Form44>()) << "Enter does not press fertig";
    EXPECT_EQ(gSubstPageMessages(1), "");
    f->Command13->click();
    EXPECT_FALSE(forms::isOpen<Form44>());
    EXPECT_EQ(gSubstPageMessages(1), "Chor fällt aus");
    EXPECT_EQ(gSubstPageMessages(2), "Elternsprechtag");
    EXPECT_EQ(forms::show<Form44>()->Text1->text(), "Chor fällt aus");
}

TEST_F(SubstitutionMessageTest, LoeschenEmptiesTheLinesAtOnceOtherClosingKeepsThem)
{
    for (int i = 1; i <= 3; ++i)
        gSubstPageMessages(i) = QString("Zeile %1").arg(i);
    Form44* f = forms::show<Form44>();
    QTest::keyClicks(f->Text1, " neu");
    forms::show<Form63>();
    f->activate();
    EXPECT_EQ(f->Text1->text(), "Zeile 1 neu") << "what is being typed survives a look at another window";
    f->close();
    EXPECT_EQ(gSubstPageMessages(1), "Zeile 1");

    f = forms::show<Form44>();
    f->Command1->click();
    EXPECT_EQ(f->Text2->text(), "");
    f->close();
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(gSubstPageMessages(i), "") << i;
}

TEST_F(SubstitutionMessageTest, TheNoticeClosesAtItsTimerAndKeepsNoPosition)
{
    Form63* f = forms::show<Form63>();
    EXPECT_TRUE(f->Label2->text().endsWith("die entsprechenden Klassen fehlen. "));
    EXPECT_EQ(f->positionSlot(), 0);
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 20000);
    f->Timer1_Timer();
    EXPECT_FALSE(forms::isOpen<Form63>());
    forms::show<Form63>()->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form63>());
}
}
