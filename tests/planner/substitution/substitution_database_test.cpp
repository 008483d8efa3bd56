#include "planner/substitution/cancellation_list.h"
#include "planner/substitution/standings_windows.h"
#include "planner/substitution/substitution_database.h"
#include "planner/substitution/substitution_export.h"
#include "planner/substitution/substitution_statistics.h"
#include "platform/runtime.h"
#include "tests/planner/substitution/substitution_fixture.h"

#include <QApplication>
#include <functional>

namespace {

class DatabaseTest : public SubstitutionTest {
protected:
    static Form38* open() { return forms::show<Form38>(); }
    void writePresets() const
    {
        writeLines("sup-old.dat", {"7", "14.09.2026", "Sportwoche", "15.09.2026"});
        writeLines("sup2.dat", {"60", "24"});
        // Teacher 1 away all day, at 9 periods.
        QStringList preset{"60", "24", " 1 ", "Fortbildung"};
        for (int slot = 2; slot <= 60 + 24; ++slot)
            preset << " 0 " << "";
        for (int t = 1; t <= 60; ++t)
            preset << " 0 ";
        for (int mark = 1; mark <= 84 * 9; ++mark)
            preset << (mark <= 9 ? " 1 " : " 0 ");
        writeLines("sup3.dat", preset);
        writeLines("suppl.dat", {"60", "24", " 0 ", ""});
    }
    static void takeOver(int item)
    {
        Form38* f = open();
        f->List1->setListIndex(item);
        f->List1_DblClick();
    }
};

TEST_F(DatabaseTest, ThePresetsAndTheFinishedDaysAreListedWithTheirWeekdays)
{
    writePresets();
    writeLines("date.sup", {"20260914", "2026-09-15", "20260917"});
    Form38* f = open();
    EXPECT_EQ(f->List1->items(), (QStringList{"14.09.2026  Montag", "Sportwoche", "15.09.2026  Dienstag"}))
        << "the count in line 1 lists nothing more";
    EXPECT_EQ(gSavedSetupList(2), "Sportwoche");
    EXPECT_TRUE(f->Label3->text().startsWith("Die linke Liste enthält Grundeinstellungen"));
    EXPECT_TRUE(f->Label3->text().contains("Supplierplan- Erstellung.Über >Stichtag<"));
    EXPECT_EQ(f->List2->items(), (QStringList{"14.09.2026  Montag", "17.09.2026  Donnerstag"}))
        << "a line that is no day key is left out";
    EXPECT_EQ(f->List2->ListIndex(), 1) << "the last is selected";
    f->unload();

    writeLines("date.sup", {});
    f = open();
    EXPECT_EQ(f->List2->ListCount(), 0);
    EXPECT_EQ(f->List2->ListIndex(), -1);
}

TEST_F(DatabaseTest, AWindowClosedWhileItTellsOfAnUnreadableDayListIsLeftAlone)
{
    writePresets();
    blockFile("date.sup");
    closeAtNextMessage([] { forms::unload<Form38>(); });
    EXPECT_EQ(open(), nullptr);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("date.sup"));
    unblockFile("date.sup");
}

// However large the user's font, the help text is read to its end, above
// the buttons and inside the window.
TEST_F(DatabaseTest, TheHelpTextIsShownWhole)
{
    const QFont before = QApplication::font();
    for (const int points : {9, 14}) {
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        Form38* f = open();
        const QLabel* help = f->Label3;
        EXPECT_GE(help->height(), help->heightForWidth(help->width())) << points << " points";
        for (const QPushButton* b : {f->Command4, f->Command3, f->Command2, f->Command1}) {
            EXPECT_LE(help->geometry().bottom(), b->y()) << b->objectName().toStdString();
            EXPECT_LE(b->geometry().bottom(), f->height());
        }
        f->unload();
    }
    QApplication::setFont(before);
}

TEST_F(DatabaseTest, TakingOverAPresetCopiesItsFileAndOpensItsDay)
{
    writePresets();
    const QByteArray before = readBytes("suppl.dat");
    takeOver(0);
    EXPECT_EQ(runtime::beepCount(), 1) << "a missing preset beeps";
    EXPECT_EQ(readBytes("suppl.dat"), before);
    EXPECT_FALSE(forms::isOpen<Form38>());
    EXPECT_FALSE(forms::isOpen<Form20>());

    takeOver(1);
    EXPECT_EQ(forms::ifOpen<Form20>()->Text2->text(), "Sportwoche") << "an entry that is no date goes in as it is";
    forms::ifOpen<Form20>()->unload();

    takeOver(2);
    EXPECT_EQ(readBytes("suppl.dat"), readBytes("sup3.dat"));
    EXPECT_FALSE(forms::isOpen<Form38>());
    Form20* absences = forms::ifOpen<Form20>();
    ASSERT_TRUE(absences);
    EXPECT_EQ(absences->Text2->text(), "15.09.2026");
    EXPECT_EQ(gWorkDate, Variant("15.09.2026"));
    EXPECT_EQ(gTeacherAbsence(1), 1) << "the absence window read the preset";
    EXPECT_EQ(absences->Label2->text(), "");
    EXPECT_EQ(absences->Check1->checkState(), Qt::Unchecked);
    absences->unload();

    blockFile("suppl.dat");
    takeOver(2);
    EXPECT_EQ(messages().last(), "Die Voreinstellung sup3.dat konnte nicht nach suppl.dat kopiert werden: An Stelle "
                                 "der Datei steht ein Ordner.");
    EXPECT_FALSE(forms::isOpen<Form20>());
    unblockFile("suppl.dat");
}

// A damaged preset is told by its own name once the absence window is up; a
// window closed while the notice is shown is left alone.
TEST_F(DatabaseTest, ADamagedPresetTakenOverIsToldByItsNameAndAWindowClosedMeanwhileIsLeftAlone)
{
    writePresets();
    QStringList cut{"60", "24"};
    for (int slot = 1; slot <= 60 + 24; ++slot)
        cut << (slot == 1 ? " 1 " : " 0 ") << "";
    writeLines("sup1.dat", cut);
    const struct {
        const char* closed;
        std::function<void()> close;
        QString shownDate;
    } cases[] = {
        {"nothing", [] {}, "14.09.2026"},
        {"the absence window", [] { forms::unload<Form20>(); }, ""},
        {"both windows", [] { forms::unload<Form20>(); forms::unload<Form38>(); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closed);
        QStringList told;
        dialogs::setHandler([&](const dialogs::Shown& s) -> dialogs::Reply {
            told << s.text;
            c.close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return true;
        });
        takeOver(0);
        EXPECT_EQ(told, QStringList{"Die Voreinstellung sup1.dat konnte nicht gelesen werden: Sie ist beschädigt und "
                                    "endet nach Zeile 170."});
        EXPECT_FALSE(forms::isOpen<Form38>());
        const Form20* absences = forms::ifOpen<Form20>();
        EXPECT_EQ(absences ? absences->Text2->text() : "", c.shownDate);
        forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(DatabaseTest, TheButtonsLeadToTheirWindows)
{
    open()->Command4->click();
    EXPECT_TRUE(forms::isOpen<Form49>());
    EXPECT_TRUE(forms::isOpen<Form38>()) << "the standings are shown beside it";
    forms::ifOpen<Form38>()->Command2->click();
    EXPECT_TRUE(forms::isOpen<Form41>());
    EXPECT_FALSE(forms::isOpen<Form38>());
    open()->Command3->click();
    EXPECT_TRUE(forms::isOpen<Form47>());
    EXPECT_FALSE(forms::isOpen<Form38>());
    open()->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form20>());
    EXPECT_FALSE(forms::isOpen<Form38>());

    // The absence window leads to the database, the export and the list.
    forms::ifOpen<Form20>()->Command1->click();
    EXPECT_TRUE(forms::isOpen<Form38>());
    EXPECT_FALSE(forms::isOpen<Form20>());
    forms::show<Form20>()->Command12->click();
    EXPECT_TRUE(forms::isOpen<Form50>());
    EXPECT_FALSE(forms::isOpen<Form20>());
    gClassAbsence(2) = 1;
    Form20* absences = forms::show<Form20>();
    absences->List2->setListIndex(1);
    absences->Command7->click();
    absences->Command4->click();
    EXPECT_TRUE(forms::isOpen<Form60>());
    EXPECT_TRUE(forms::isOpen<Form20>());
    EXPECT_TRUE(absences->isHidden());
    forms::ifOpen<Form60>()->Command4->click();
    EXPECT_TRUE(absences->isVisible());
}
}
