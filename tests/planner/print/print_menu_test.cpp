#include "core/settings_file.h"
#include "planner/print/print_procedures.h"
#include "platform/clock.h"
#include "tests/planner/print/print_fixture.h"

#include <QApplication>
#include <QFocusEvent>

namespace {
class OtherWindow : public FormBase {
public:
    OtherWindow() : FormBase(0) {}
};

const QString kBlanks(41, ' ');
const QString kHint = QStringLiteral("Für Plotter: HP7550A Papierzufuhr > manuell,  Qualität > Entwurf wählen");

QList<int> selectedRows(const ListBox* list)
{
    QList<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows << list->row(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void toggle(ListBox* list, int row) { list->item(row)->setSelected(!list->item(row)->isSelected()); }

// A paper whose two sides add up to `twips`.
QPageSize paperAround(int twips)
{
    return QPageSize(QSizeF(437.5, (twips - 8750) / 20.0), QPageSize::Point, QString(), QPageSize::ExactMatch);
}
}

class PrintMenuTest : public PrintTest {
protected:
    void open() { f = forms::show<Form14>(); }
    void activateAgain()
    {
        forms::show<OtherWindow>();
        forms::show<Form14>();
    }
    QList<QPushButton*> largeFormatButtons() const { return {f->Command13, f->Command14, f->Command15}; }
    static bool allEnabled(const QList<QPushButton*>& buttons)
    {
        return std::all_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isEnabled(); });
    }
    static bool noneEnabled(const QList<QPushButton*>& buttons)
    {
        return std::none_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isEnabled(); });
    }
};

TEST_F(PrintMenuTest, TheTeacherListLeavesOutEmptySlotsKeepsTheNumbersAndTakesThePrefixOfTheSortMode)
{
    const QStringList prefixes[] = {{" 1 ", " 3 ", "12 "}, {"", "", ""}, {"0 ", "4 ", "0 "}};
    for (short mode = 0; mode <= 2; ++mode) {
        gTeacherSortMode = mode;
        open();
        const QStringList& p = prefixes[mode];
        EXPECT_EQ(f->List1->items(), QStringList({p[0] + "Abel Anna" + kBlanks + "1", p[1] + "Berg Bernd" + kBlanks + "3",
                                                  p[2] + "Corn Clara" + kBlanks + "12"}))
            << mode;
        EXPECT_EQ(ListItemTeacher(f->List1->List(1)), 3);
        EXPECT_EQ(ListItemTeacher(f->List1->List(2)), 12);
        EXPECT_EQ(f->List1->shownText(0), p[0] + "Abel Anna");
        f->Command1->click();
    }
}

TEST_F(PrintMenuTest, TheOtherListsHoldEverySlotInOrderAndTheFontsTheChosenOne)
{
    gFontIndex = 3;
    open();
    EXPECT_EQ(f->List2->ListCount(), 24);
    EXPECT_EQ(f->List2->items().mid(0, 6), QStringList({"1A", "1B", "", "-", "2A", ""}));
    EXPECT_EQ(f->List4->items(), f->List2->items());
    EXPECT_EQ(f->List3->items(), QStringList({"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"}));
    EXPECT_EQ(f->List5->ListCount(), 16);
    EXPECT_EQ(f->List5->items().mid(0, 4), QStringList({"Turnsaal", "-", "", "Labor"}));
    EXPECT_EQ(f->Combo1->ListIndex(), 3);
    EXPECT_EQ(f->Label3->font().family(), "Times New Roman");
    EXPECT_EQ(f->Label3->font().pointSize(), 20);
    EXPECT_EQ(f->Label1->text(), "Laserdrucker");
    EXPECT_EQ(f->Text1->text(), "Kurzmitteilung");
    EXPECT_EQ(gShortNote, "") << "the design text is no note";
    EXPECT_EQ(f->Text2->text(), "Muster-Schule, 11.03.2026");
    EXPECT_EQ(f->Text2->cursorPosition(), 0) << "the place shows, not the end of the date";
    EXPECT_TRUE(green(f->Text2) && green(f->Text5));
    EXPECT_EQ(gLastClass.toInt(), 5);
}

TEST_F(PrintMenuTest, TheTeacherPlansFollowTheTeacherSelection)
{
    open();
    const QList<QPushButton*> plans{f->Command4, f->Command20};
    EXPECT_TRUE(noneEnabled(plans));
    toggle(f->List1, 1);
    EXPECT_TRUE(allEnabled(plans));
    EXPECT_EQ(gCheckOk.toInt(), 1);
    toggle(f->List1, 1);
    EXPECT_TRUE(noneEnabled(plans)) << "the last teacher deselected";

    f->Command7->click();
    EXPECT_EQ(selectedRows(f->List1), QList<int>({0, 1, 2}));
    EXPECT_TRUE(allEnabled(plans));
    EXPECT_EQ(gCheckOk.toInt(), 3);
    f->Command8->click();
    EXPECT_TRUE(selectedRows(f->List1).isEmpty());
    EXPECT_TRUE(noneEnabled(plans));
}

TEST_F(PrintMenuTest, ClassAndRoomPrintoutsStayEnabledOnceASelectionEnabledThem)
{
    open();
    const QList<QPushButton*> classes{f->Command6, f->Command25};
    EXPECT_TRUE(noneEnabled(classes));
    EXPECT_FALSE(f->Command21->isEnabled());

    f->Command9->click();
    EXPECT_EQ(selectedRows(f->List2), QList<int>({0, 1, 4})) << "no empty class, no \"-\"";
    EXPECT_TRUE(allEnabled(classes));
    f->Command10->click();
    EXPECT_TRUE(selectedRows(f->List2).isEmpty());
    EXPECT_TRUE(allEnabled(classes));
    toggle(f->List2, 1);
    toggle(f->List2, 1);
    EXPECT_TRUE(allEnabled(classes));

    toggle(f->List5, 1);
    EXPECT_TRUE(f->Command21->isEnabled()) << "a room named \"-\" can still be chosen by hand";
    f->Command23->click();
    f->Command22->click();
    EXPECT_EQ(selectedRows(f->List5), QList<int>({0, 3}));
    f->Command23->click();
    EXPECT_TRUE(selectedRows(f->List5).isEmpty());
    EXPECT_TRUE(f->Command21->isEnabled());
}

TEST_F(PrintMenuTest, TheDayAndTheClassOfTheA3PageEnableTheirPrintouts)
{
    open();
    EXPECT_FALSE(f->Command11->isEnabled() || f->Command12->isEnabled());
    f->List3->setListIndex(2);
    EXPECT_TRUE(f->Command11->isEnabled() && f->Command12->isEnabled());

    EXPECT_FALSE(f->List4->isEnabled()) << "an A4 printer";
    EXPECT_TRUE(noneEnabled(largeFormatButtons()));
    f->Command31->click();
    EXPECT_TRUE(f->List4->isEnabled());
    EXPECT_TRUE(allEnabled(largeFormatButtons()));
    EXPECT_FALSE(f->Command16->isEnabled());
    f->List4->setListIndex(4);
    EXPECT_TRUE(f->Command16->isEnabled());
    for (QPushButton* b : {f->Command2, f->Command26, f->Command32, f->Command3, f->Command18, f->Command19,
                           f->Command24, f->Command5, f->Command29, f->Command28, f->Command30})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(PrintMenuTest, APrinterIsLargeFormatAbove35000TwipsAroundTwoSides)
{
    for (const auto& [twips, large] : {std::pair{35000, false}, {35001, true}}) {
        recordPrinting("Drucker", paperAround(twips));
        ASSERT_EQ(printer().pageWidthTwips() + printer().pageHeightTwips(), twips);
        f = forms::get<Form14>();
        EXPECT_EQ(f->Label5->text(), large ? kHint : QString()) << twips;
        EXPECT_EQ(f->Command13->isEnabled(), large) << twips;
        open();
        EXPECT_EQ(f->Label5->text(), "") << "activation empties the hint";
        EXPECT_EQ(allEnabled(largeFormatButtons()), large) << twips;
        EXPECT_EQ(f->List4->isEnabled(), large) << twips;
        f->Command1->click();
    }
}

TEST_F(PrintMenuTest, AnHpPlotterSwitchesPlotterModeOnAtEveryActivation)
{
    recordPrinting("HP Plotter", QPageSize(QPageSize::A3));
    open();
    EXPECT_EQ(f->Label1->text(), "HP Plotter");
    EXPECT_EQ(gPlotterMode.toInt(), -1);
    EXPECT_TRUE(f->SSCheck1->isChecked());
    f->SSCheck1->click();
    EXPECT_EQ(gPlotterMode.toInt(), 0);
    activateAgain();
    EXPECT_EQ(gPlotterMode.toInt(), -1);
    EXPECT_TRUE(f->SSCheck1->isChecked());

    recordPrinting("Laserdrucker", QPageSize(QPageSize::A4));
    activateAgain();
    EXPECT_EQ(gPlotterMode.toInt(), -1) << "another printer leaves the mode as it is";
    f->SSCheck1->click();
    activateAgain();
    EXPECT_EQ(gPlotterMode.toInt(), 0);
    EXPECT_FALSE(f->SSCheck1->isChecked());
}

TEST_F(PrintMenuTest, ActivationResetsTheRangesAndTheButtonsWhileTheSelectionsStay)
{
    open();
    toggle(f->List1, 0);
    toggle(f->List2, 4);
    toggle(f->List5, 0);
    f->List3->setListIndex(1);
    f->Command31->click();
    f->List4->setListIndex(0);
    for (QLineEdit* box : {f->Text3, f->Text4, f->Text5})
        box->setText("5");
    activateAgain();
    EXPECT_EQ(f->Text3->text(), "14");
    EXPECT_EQ(f->Text4->text(), "1");
    EXPECT_EQ(f->Text5->text(), "36");
    EXPECT_TRUE(noneEnabled({f->Command4, f->Command20, f->Command6, f->Command25, f->Command21, f->Command11,
                             f->Command12, f->Command16, f->Command13, f->Command14, f->Command15}));
    EXPECT_FALSE(f->List4->isEnabled());
    EXPECT_EQ(selectedRows(f->List1), QList<int>({0}));
    EXPECT_EQ(selectedRows(f->List2), QList<int>({4}));
    EXPECT_EQ(selectedRows(f->List5), QList<int>({0}));
    EXPECT_EQ(f->List3->ListIndex(), 1);
}

TEST_F(PrintMenuTest, TheChosenFontIsWrittenToLineFiveOfTheSettingsWhenTheBoxLosesTheFocus)
{
    const auto loseFocus = [this] {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(f->Combo1, &out);
    };
    open();
    loseFocus();
    EXPECT_FALSE(QFile::exists(path("vorda.ver"))) << "nothing changed, nothing written";
    f->Combo1->setListIndex(5);
    EXPECT_EQ(gFontIndex.toInt(), 5);
    EXPECT_EQ(f->Label3->font().family(), "Optima");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(f->Combo1, &popup);
    EXPECT_FALSE(QFile::exists(path("vorda.ver"))) << "the box's own list opened";
    loseFocus();
    ASSERT_EQ(readLines("vorda.ver").size(), 13);
    EXPECT_EQ(readLines("vorda.ver")[4], " 5 ");

    gFontIndex = 0;
    ReadSettingsFile();
    EXPECT_EQ(gFontIndex.toInt(), 5);

    // A font that could not be written is not taken: it is chosen again, not
    // tried again at the next focus change.
    blockFile("vorda.ver");
    f->Combo1->setListIndex(2);
    loseFocus();
    EXPECT_EQ(f->Label5->text(), "Die Schrift konnte nicht gespeichert werden (vorda.ver).");
    EXPECT_EQ(f->Combo1->ListIndex(), 5);
    EXPECT_EQ(gFontIndex.toInt(), 5);
    EXPECT_EQ(f->Label3->font().family(), "Optima");
    unblockFile("vorda.ver");
    ASSERT_TRUE(SaveSettingsFile()) << "another window's save";
    EXPECT_EQ(readLines("vorda.ver").value(4), " 5 ");
    f->Combo1->setListIndex(2);
    loseFocus();
    EXPECT_EQ(readLines("vorda.ver").value(4), " 2 ");
}

TEST_F(PrintMenuTest, TheShortNoteTakesTheTimeAndAReopenedWindowShowsTheSettingsInForce)
{
    open();
    EXPECT_FALSE(f->SSCheck2->isChecked());
    f->SSCheck2->click();
    EXPECT_EQ(gBlackWhiteOnly, -1);
    f->SSCheck1->click();
    f->Text1->setText("Elternabend");
    EXPECT_EQ(gShortNote, "Elternabend");
    f->Text2->setText("Wien, 1.1.2026");
    f->move(200, 150);
    reopen();
    EXPECT_EQ(gWindowLeft(14), 3000);
    EXPECT_EQ(gWindowTop(14).toInt(), 2250);
    EXPECT_TRUE(f->SSCheck2->isChecked());
    EXPECT_TRUE(f->SSCheck1->isChecked());
    EXPECT_EQ(f->Text1->text(), "Elternabend");
    EXPECT_EQ(f->Text2->text(), "Muster-Schule, 11.03.2026");
    f->SSCheck2->click();
    EXPECT_EQ(gBlackWhiteOnly, 0);
    f->Text1->setText("");
    reopen();
    EXPECT_FALSE(f->SSCheck2->isChecked());
    EXPECT_EQ(f->Text1->text(), "Kurzmitteilung");
    EXPECT_EQ(gShortNote, "");
    setNow(QDateTime(QDate(2026, 12, 6), QTime(8, 15, 42)));
    f->Command27->click();
    EXPECT_EQ(f->Text1->text(), "06.12.2026  08:15");
    EXPECT_EQ(gShortNote, "06.12.2026  08:15");
}
