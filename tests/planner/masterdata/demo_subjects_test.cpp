#include "planner/masterdata/printer_choice.h"
#include "planner/masterdata/subject_window.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/printing.h"

#include <QLabel>
#include <QPushButton>

class DemoSubjectsTest : public DemoSchoolTest {
protected:
    PrinterReset m_printer;
};

TEST_F(DemoSubjectsTest, AChangedColourAndRoomsAreThereAtTheNextStart)
{
    // Unchanged, the file keeps every line but the order scores, which the
    // start-up derives; from then on it stays byte for byte.
    const QStringList before = readLines("Fach2.txt");
    forms::show<Form7>()->Command1->click();
    const QStringList saved = readLines("Fach2.txt");
    ASSERT_EQ(saved.size(), before.size());
    for (int line = 0; line < saved.size(); ++line) {
        if (line % 34 != 3 + 16) {
            EXPECT_EQ(saved[line], before[line]) << line;
        }
    }
    const QByteArray bytes = readBytes("Fach2.txt");
    startInDataFolder();
    forms::show<Form7>()->Command1->click();
    EXPECT_EQ(readBytes("Fach2.txt"), bytes);

    Form7* f = forms::show<Form7>();
    f->List1->setListIndex(1);
    ASSERT_EQ(f->Text1->text(), "Mathematik");
    f->Combo2->setListIndex(2);
    f->Combo6->setListIndex(1);
    f->Combo1->setListIndex(7);
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form64>());

    startInDataFolder();
    EXPECT_EQ(QList<short>({gSubjectAttr(2, 1), gSubjectAttr(2, 8), gSubjectAttr(2, 18)}), QList<short>({2, 1, 7}));
    f = forms::show<Form7>();
    f->List1->setListIndex(1);
    EXPECT_EQ(f->Combo2->List(f->Combo2->ListIndex()), "rot");
    EXPECT_EQ(f->Combo1->List(f->Combo1->ListIndex()), "Computerraum");
}

TEST_F(DemoSubjectsTest, AllSubjectsPrintIntoAPdfFileChosenAsThePrinter)
{
    Form28* choice = forms::show<Form28>();
    choice->List1->setListIndex(choice->List1->items().indexOf("PDF-Datei"));
    choice->Command2->click();
    Form7* f = forms::show<Form7>();
    EXPECT_EQ(f->Label15->text(), "PDF-Datei");
    f->Command3->click();

    const QString file = path("Ausdrucke/Facheigenschaften 2026-03-11 09-30-00.pdf");
    ASSERT_EQ(messages(), QStringList({"Der Ausdruck steht in der Datei\n" + file}));
    EXPECT_GE(pdfPageCount(file), 1);
    const QString text = pdfText(file).simplified();
    EXPECT_TRUE(text.contains("Facheigenschaften - Lindenhof-Gymnasium Talheim")) << text.toStdString();
    EXPECT_TRUE(text.contains("Mathematik"));
}
