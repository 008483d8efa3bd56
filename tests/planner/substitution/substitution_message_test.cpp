#include "planner/substitution/substitution_message.h"
#include "core/model.h"
#include "platform/controls.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class SubstitutionMessageTest : public SubstitutionTest {};

TEST_F(SubstitutionMessageTest, FertigStoresTheLinesTrimmedAndReopeningShowsThem)
{
    gSubstPageMessages(2) = "Elternsprechtag";
    Form44* f = forms::show<Form44>();
    EXPECT_EQ(f->windowTitle(), "Nachricht");
    EXPECT_EQ(f->Text2->text(), "Elternsprechtag");
    EXPECT_EQ(f->focusWidget(), f->Text1);
    f->Text1->setText("  Chor fällt aus  ");
    f->Text3->setText(" Bitte Aushang beachten");
    f->Command13->click();
    EXPECT_FALSE(forms::isOpen<Form44>());
    EXPECT_EQ(gSubstPageMessages(1), "Chor fällt aus");
    EXPECT_EQ(gSubstPageMessages(2), "Elternsprechtag");
    EXPECT_EQ(gSubstPageMessages(3), "Bitte Aushang beachten");

    f = forms::show<Form44>();
    EXPECT_EQ(f->Text1->text(), "Chor fällt aus");
    EXPECT_EQ(f->Text3->text(), "Bitte Aushang beachten");
}

TEST_F(SubstitutionMessageTest, EnterMovesDownToFertigWithoutStoring)
{
    Form44* f = forms::show<Form44>();
    QTest::keyClicks(f->Text1, "Zeile");
    QTest::keyClick(f->Text1, Qt::Key_Return);
    EXPECT_EQ(f->focusWidget(), f->Text2);
    QTest::keyClick(f->Text2, Qt::Key_Return);
    EXPECT_EQ(f->focusWidget(), f->Text3);
    QTest::keyClick(f->Text3, Qt::Key_Return);
    EXPECT_EQ(f->focusWidget(), f->Command13);
    EXPECT_TRUE(forms::isOpen<Form44>()) << "fertig is not pressed";
    EXPECT_EQ(gSubstPageMessages(1), "");
}

TEST_F(SubstitutionMessageTest, LoeschenEmptiesTheLinesAtOnce)
{
    for (int i = 1; i <= 3; ++i)
        gSubstPageMessages(i) = QString("Zeile %1").arg(i);
    Form44* f = forms::show<Form44>();
    f->Command1->click();
    EXPECT_EQ(f->Text2->text(), "");
    f->close();
    EXPECT_FALSE(forms::isOpen<Form44>());
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(gSubstPageMessages(i), "") << i;
}

TEST_F(SubstitutionMessageTest, ClosingOtherwiseKeepsTheLinesAndComingBackKeepsTheTyping)
{
    gSubstPageMessages(1) = "alt";
    Form44* f = forms::show<Form44>();
    QTest::keyClicks(f->Text1, " neu");
    Form63* other = forms::show<Form63>();
    f->activate();
    EXPECT_EQ(f->Text1->text(), "alt neu") << "what is being typed survives a look at another window";
    other->unload();
    f->close();
    EXPECT_EQ(gSubstPageMessages(1), "alt");
}

TEST_F(SubstitutionMessageTest, TheNoticeClosesAtItsTimerAndKeepsNoPosition)
{
    Form63* f = forms::show<Form63>();
    EXPECT_EQ(f->windowTitle(), "keine Supplierung nötig");
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
