#include "core/model.h"
#include "planner/masterdata/printer_choice.h"
#include "planner/print/print_menu.h"
#include "platform/controls.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>

// The print menu as a new user meets it on a copy of the demo school, started
// the way the planner starts, printing into PDF files.
class DemoPrintMenuTest : public ModelTest {
protected:
    PrinterReset m_printer;

    void SetUp() override
    {
        ModelTest::SetUp();
        copyDemoSchool();
        start();
    }
    void start() { startInDataFolder(); }
    void choosePrinter(Form14* f, const QString& name)
    {
        f->Command17->click();
        Form28* choice = forms::ifOpen<Form28>();
        ASSERT_TRUE(choice);
        choice->List1->setListIndex(choice->List1->items().indexOf(name));
        choice->Command2->click();
        forms::show<Form14>();
    }
};

TEST_F(DemoPrintMenuTest, TicksClassesSwitchesToTheA3PdfAndBackAndKeepsTheFontOverARestart)
{
    ASSERT_TRUE(printer().choosePrinter("PDF-Datei"));
    Form14* f = forms::show<Form14>();
    EXPECT_EQ(f->List2->items().mid(0, 10),
              QStringList({"5a", "5b", "6a", "6b", "7a", "7b", "8a", "8b", "9a", "10a"}));
    EXPECT_EQ(f->List1->ListCount(), 20);
    f->List2->item(0)->setSelected(true);
    f->List2->item(9)->setSelected(true);
    EXPECT_TRUE(f->Command25->isEnabled() && f->Command6->isEnabled());
    EXPECT_FALSE(f->Command13->isEnabled());

    choosePrinter(f, "PDF-Datei A3");
    EXPECT_EQ(f->Label1->text(), "PDF-Datei A3");
    EXPECT_TRUE(f->Command13->isEnabled() && f->Command14->isEnabled() && f->Command15->isEnabled());
    EXPECT_TRUE(f->List4->isEnabled());
    EXPECT_FALSE(f->Command25->isEnabled()) << "until the next click in the class list";
    EXPECT_EQ(f->List2->selectedItems().size(), 2);

    choosePrinter(f, "PDF-Datei");
    EXPECT_EQ(f->Label1->text(), "PDF-Datei");
    EXPECT_FALSE(f->Command13->isEnabled() || f->List4->isEnabled());

    f->Combo1->setListIndex(3);
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(f->Combo1, &out);
    f->Command1->click();

    start();
    EXPECT_EQ(gFontIndex.toInt(), 3);
    EXPECT_EQ(forms::show<Form14>()->Combo1->currentText(), "Times New Roman");
}
