#include "core/window_positions.h"
#include "planner/masterdata/printer_choice.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/printing.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>

// A window without a position of its own that opens the printer choice.
class Opener : public FormBase {
public:
    Opener() : FormBase(0) {}
};

class PrinterChoiceTest : public MasterDataTest {
protected:
    PrinterReset m_printer;
    // Opens the window with the last printer, "PDF-Datei", picked.
    static Form28* pickPdf()
    {
        Form28* f = forms::show<Form28>();
        f->List1->setListIndex(f->List1->ListCount() - 1);
        return f;
    }
};

TEST_F(PrinterChoiceTest, ListsThePrintersOfTheLayerOnceAndWaitsForAClick)
{
    Form28* f = forms::show<Form28>();
    EXPECT_EQ(f->List1->items().last(), "PDF-Datei");
    EXPECT_FALSE(f->Command2->isEnabled());
    activateAgain<Form28>();
    EXPECT_EQ(f->List1->items(), Printer::printerNames()) << "not doubled";
    f->List1->setListIndex(f->List1->ListCount() - 1);
    EXPECT_TRUE(f->Command2->isEnabled());
}

TEST_F(PrinterChoiceTest, AChoiceHoldsForTheRunAndFertigChangesNothing)
{
    const QString before = printer().deviceName();
    pickPdf()->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form28>());
    EXPECT_EQ(printer().deviceName(), before);

    Form28* f = pickPdf();
    const int pdf = f->List1->ListIndex();
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
    const struct {
        QPoint moved;
        int left, top;
        bool written;
    } cases[] = {{{300, 0}, 1500, 750, false}, {{200, 40}, 3000, 600, true}};
    for (const auto& c : cases) {
        Form28* f = forms::show<Form28>();
        EXPECT_EQ(f->pos(), QPoint(100, 50));
        f->move(c.moved);
        f->Command1->click();
        EXPECT_TRUE(gWindowLeft(28) == c.left && gWindowTop(28) == c.top) << c.moved.y();
        EXPECT_EQ(QFile::exists(path("qzTopLeft.dat")), c.written) << c.moved.y();
    }
    EXPECT_EQ(readLines("qzTopLeft.dat").mid(54, 2), QStringList({" 600 ", " 3000 "}));
}

// Like every window, it keeps no position the program chose: one moved onto
// this screen from a larger one, or put beside the window that opened it.
TEST_F(PrinterChoiceTest, ClosedWhereTheProgramPutItTheWindowKeepsTheStoredPosition)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int overTheEdge = (screen.x() + screen.width() - 50) * 15;
    const struct {
        int left, top;
        bool opener;
    } cases[] = {{overTheEdge, 750, false}, {0, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        QFile::remove(path("qzTopLeft.dat"));
        gWindowLeft(28) = static_cast<float>(c.left);
        gWindowTop(28) = c.top;
        if (c.opener)
            forms::show<Opener>()->setGeometry(0, 40, 200, 100);
        Form28* f = forms::show<Form28>();
        EXPECT_NE(f->pos(), QPoint(c.left / 15, c.top / 15)) << "placed by the program";
        EXPECT_GT(f->y(), 0) << "below the screen's top";
        f->Command1->click();
        EXPECT_TRUE(gWindowLeft(28) == c.left && gWindowTop(28) == c.top);
        EXPECT_EQ(readLines("qzTopLeft.dat").mid(54, 2),
                  QStringList({QStringLiteral(" %1 ").arg(c.top), QStringLiteral(" %1 ").arg(c.left)}));
        forms::unloadAll();
    }
}
