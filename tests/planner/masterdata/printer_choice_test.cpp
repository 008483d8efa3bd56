#include "core/window_positions.h"
#include "planner/masterdata/printer_choice.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/printing.h"

#include <QFile>
#include <QPushButton>

namespace {
class OtherWindow : public FormBase {
public:
    OtherWindow() : FormBase(0) {}
};
}

class PrinterChoiceTest : public MasterDataTest {
protected:
    PrinterReset m_printer;
};

TEST_F(PrinterChoiceTest, ListsThePrintersOfTheLayerOnceAndWaitsForAClick)
{
    Form28* f = forms::show<Form28>();
    EXPECT_EQ(f->windowTitle(), "Drucker - Einstellung");
    EXPECT_EQ(f->List1->items(), Printer::printerNames());
    EXPECT_EQ(f->List1->items().last(), "PDF-Datei");
    EXPECT_FALSE(f->Command2->isEnabled());
    forms::show<OtherWindow>();
    forms::show<Form28>();
    EXPECT_EQ(f->List1->items(), Printer::printerNames()) << "not doubled";
    f->List1->setListIndex(f->List1->ListCount() - 1);
    EXPECT_TRUE(f->Command2->isEnabled());
}

TEST_F(PrinterChoiceTest, AChoiceHoldsForTheRunAndFertigChangesNothing)
{
    const QString before = printer().deviceName();
    Form28* f = forms::show<Form28>();
    f->List1->setListIndex(f->List1->ListCount() - 1);
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form28>());
    EXPECT_EQ(printer().deviceName(), before);

    f = forms::show<Form28>();
    const int pdf = f->List1->ListCount() - 1;
    f->List1->setListIndex(pdf);
    f->Command2->click();
    EXPECT_FALSE(forms::isOpen<Form28>());
    EXPECT_EQ(printer().deviceName(), "PDF-Datei");
    EXPECT_EQ(gLoopI.toInt(), pdf);
    EXPECT_FALSE(QFile::exists(path("qzTopLeft.dat"))) << "a window at the top edge keeps no position";
}

TEST_F(PrinterChoiceTest, APositionAboveTheScreenIsNotKept)
{
    gWindowLeft(28) = 1500;
    gWindowTop(28) = 750;
    Form28* f = forms::show<Form28>();
    EXPECT_EQ(f->pos(), QPoint(100, 50));
    f->move(300, 0);
    f->Command1->click();
    EXPECT_TRUE(gWindowLeft(28) == 1500 && gWindowTop(28) == 750);
    EXPECT_FALSE(QFile::exists(path("qzTopLeft.dat")));

    f = forms::show<Form28>();
    EXPECT_EQ(f->pos(), QPoint(100, 50));
    f->move(200, 40);
    f->Command1->click();
    EXPECT_TRUE(gWindowLeft(28) == 3000 && gWindowTop(28) == 600);
    EXPECT_EQ(readLines("qzTopLeft.dat").mid(54, 2), QStringList({" 600 ", " 3000 "}));
}
