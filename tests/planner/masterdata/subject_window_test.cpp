#include "planner/masterdata/subject_window.h"
#include "platform/controls.h"
#include "platform/input_guard.h"
#include "platform/printer.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/queued_input.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <sys/stat.h>

class SubjectWindowTest : public MasterDataTest {
protected:
    Form7* open() { return f = forms::show<Form7>(); }
    // Opens the window on subject `s`.
    void show(int s)
    {
        if (!f)
            open();
        f->List1->setListIndex(s - 1);
    }
    QList<ComboBox*> subjectBoxes() const { return {f->Combo4, f->Combo7, f->Combo8, f->Combo9, f->Combo12}; }
    QList<ComboBox*> roomBoxes() const { return {f->Combo6, f->Combo1, f->Combo10, f->Combo11}; }
    static short attr(int s, int p) { return gSubjectAttr(s, p); }
    static void set(int s, const std::map<int, short>& values)
    {
        for (const auto& [p, v] : values)
            gSubjectAttr(s, p) = v;
    }
    static void expectKept(int s, const std::map<int, short>& values)
    {
        for (const auto& [p, v] : values)
            EXPECT_EQ(attr(s, p), v) << "property " << p;
    }
    bool confirmationShown() const { return f->Command8->isVisibleTo(f) || f->Command6->isVisibleTo(f); }

    Form7* f = nullptr;
};

TEST_F(SubjectWindowTest, ActivationFillsEveryListAndShowsNoSubject)
{
    subject(1, "M", "Mathematik", "Ma");
    subject(2, "D");
    set(1, {{8, 6}, {18, 17}, {19, 2}}); // room 6 has no name; 17 is no room of the table
    gSubjectAttr(2, 20) = 16;
    open();

    ASSERT_EQ(f->List1->ListCount(), 99);
    EXPECT_EQ(f->List1->items().mid(0, 3), QStringList({"M  >  Mathematik", "D  >  ", "=  >  "}));
    const QStringList firsts{"nichts", "keines", "keines", "keines", "jedes"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(subjectBoxes()[i]->ListCount(), 100) << i;
        EXPECT_EQ(subjectBoxes()[i]->items().mid(0, 3), QStringList({firsts[i], "M", "D"})) << i;
        EXPECT_EQ(subjectBoxes()[i]->ListIndex(), -1) << i;
    }
    EXPECT_EQ(f->Combo2->items().mid(12), QStringList({"lila"}));
    EXPECT_EQ(f->Combo3->ListCount(), 10);
    EXPECT_EQ(f->Combo5->items().last(), "erst ab der 7.Eh");
    for (ComboBox* box : roomBoxes())
        EXPECT_TRUE(box->ListCount() == 17 && box->List(0) == "Klasse - kein Bedarf");
    EXPECT_EQ(QList<short>({attr(1, 8), attr(1, 18), attr(1, 19), attr(2, 20)}), QList<short>({0, 17, 2, 0}))
        << "an unnamed room goes; only rooms 1..16 are looked at";
    EXPECT_EQ(f->Label15->text(), printer().deviceName());
    EXPECT_TRUE(f->Command3->isEnabled()) << "\"PDF-Datei\" is always there";
    EXPECT_FALSE(f->Command2->isEnabled());
    EXPECT_EQ(f->Label1->text(), "99");
}

TEST_F(SubjectWindowTest, ShowingASubjectSetsEveryControlAndChangesNothing)
{
    subject(5, "Ch", "Chemie", "Che");
    const std::map<int, short> values{{1, 3}, {2, 0},  {3, 2},  {4, 1},  {5, 4},  {6, 2},  {7, 4},  {8, 1},
                                      {9, 1}, {10, 3}, {11, 0}, {12, 7}, {13, 2}, {14, 1}, {17, 9}, {19, 3}};
    set(5, values);
    show(5);

    EXPECT_EQ(f->Text1->text() + "|" + f->Text2->text() + "|" + f->Text3->text() + "|" + f->Label1->text(),
              "Chemie|Ch|Che|5");
    EXPECT_EQ(controls::backColor(f->Label2), 0x00C000u);
    EXPECT_EQ(QList<int>({f->Combo2->ListIndex(), f->Combo3->ListIndex(), f->Combo4->ListIndex(),
                          f->Combo5->ListIndex(), f->Combo6->ListIndex(), f->Combo7->ListIndex(),
                          f->Combo8->ListIndex(), f->Combo9->ListIndex(), f->Combo12->ListIndex(),
                          f->Combo1->ListIndex(), f->Combo10->ListIndex()}),
              QList<int>({3, 2, 2, 4, 1, 3, 0, 7, 9, 0, 3}));
    for (QLabel* marker : {f->Label10, f->Label12, f->Label14, f->Label17})
        EXPECT_TRUE(red(marker)) << marker->objectName().toStdString();
    EXPECT_TRUE(f->Option1->isChecked());
    EXPECT_EQ(f->Frame1->property("ForeColor").toUInt(), 0u);
    EXPECT_TRUE(f->SSCheck1->isChecked() && f->SSCheck2->isChecked() && f->SSCheck4->isChecked());
    EXPECT_TRUE(f->SSCheck4->isVisibleTo(f));
    EXPECT_FALSE(f->SSCheck3->isChecked()) << "a non-cognitive mark above 1 is taken back";
    EXPECT_EQ(attr(5, 13), 0);
    EXPECT_EQ(f->Label9->text(), "4");
    EXPECT_TRUE(f->Command2->isEnabled());
    auto others = values;
    others.erase(13);
    expectKept(5, others);

    subject(8, "X");
    const std::map<int, short> outside{{1, 15}, {2, 5}, {3, 12}, {6, 120}, {7, -1}, {8, 20}, {17, 101}};
    set(8, outside);
    show(8);
    for (ComboBox* box : {f->Combo2, f->Combo3, f->Combo4, f->Combo5, f->Combo6, f->Combo12})
        EXPECT_EQ(box->ListIndex(), -1) << "outside its list: " << box->objectName().toStdString();
    EXPECT_FALSE(f->Option1->isChecked() || f->Option2->isChecked() || f->Option3->isChecked());
    EXPECT_TRUE(grey(f->Label2));
    expectKept(8, outside);
}

TEST_F(SubjectWindowTest, TheRoomBoxesShowTheChainOfRooms)
{
    subject(1, "Ph");
    gSubjectAttr(1, 8) = 2;
    subject(2, "Sp");
    gSubjectAttr(2, 19) = 3;
    show(1);
    for (ComboBox* box : roomBoxes())
        EXPECT_TRUE(box->isVisibleTo(f)) << box->objectName().toStdString();
    show(2);
    EXPECT_EQ(QList<bool>({f->Combo6->isVisibleTo(f), f->Combo1->isVisibleTo(f), f->Combo10->isVisibleTo(f),
                           f->Combo11->isVisibleTo(f)}),
              QList<bool>({true, false, true, false}));
    EXPECT_TRUE(grey(f->Label12));

    f->Combo6->setListIndex(4);
    EXPECT_TRUE(f->Combo1->isVisibleTo(f));
    f->Combo1->setListIndex(1);
    f->Combo10->setListIndex(0);
    f->Combo11->setListIndex(2);
    EXPECT_EQ(QList<short>({attr(2, 8), attr(2, 18), attr(2, 19), attr(2, 20)}), QList<short>({4, 1, 0, 2}));
    EXPECT_TRUE(f->Combo10->isVisibleTo(f)) << "no box is hidden again";
}

TEST_F(SubjectWindowTest, EachControlStoresItsPropertyAtOnce)
{
    subject(4, "Bio");
    set(4, {{5, 8}, {14, 1}});
    show(4);
    f->Combo2->setListIndex(12);
    EXPECT_EQ(controls::backColor(f->Label2), 0xFF80FFu);
    f->Combo5->setListIndex(10);
    f->Combo7->setListIndex(99);
    f->Combo8->setListIndex(1);
    f->Combo9->setListIndex(2);
    f->Combo12->setListIndex(3);
    f->Option3->click();
    EXPECT_EQ(QList<short>({attr(4, 1), attr(4, 7), attr(4, 10), attr(4, 11), attr(4, 12), attr(4, 17), attr(4, 2)}),
              QList<short>({12, 10, 99, 1, 2, 3, 2}));
    EXPECT_TRUE(grey(f->Label17)) << "markers follow only when a subject is shown";

    for (const auto& [box, p] : {std::pair{f->SSCheck1, 9}, {f->SSCheck2, 4}, {f->SSCheck3, 13}}) {
        box->click();
        EXPECT_EQ(attr(4, p), 1) << p;
        box->click();
        EXPECT_EQ(attr(4, p), 0) << p;
    }

    f->Command4->click();
    f->Command4->click();
    EXPECT_EQ(attr(4, 5), 9);
    EXPECT_EQ(f->Label9->text(), "9");
    for (int i = 0; i < 9; ++i)
        f->Command5->click();
    EXPECT_EQ(attr(4, 5), 1);
    EXPECT_EQ(f->Label9->text(), "1");

    f->Combo3->setListIndex(2);
    EXPECT_TRUE(f->SSCheck4->isVisibleTo(f));
    f->Combo3->setListIndex(0);
    EXPECT_EQ(attr(4, 14), 0) << "without a block rule the break rule goes";
}

TEST_F(SubjectWindowTest, OnlyASubjectInTheLeftHalfTakesAPartner)
{
    subject(1, "E");
    subject(2, "F");
    show(1);
    for (QRadioButton* position : {f->Option2, f->Option3, f->Option1}) {
        position->click();
        f->Combo4->setListIndex(2);
        const bool left = position == f->Option1;
        EXPECT_EQ(attr(1, 6), left ? 2 : 0) << position->text().toStdString();
        EXPECT_EQ(f->Combo4->ListIndex(), left ? 2 : 0);
    }
}

TEST_F(SubjectWindowTest, NamesAreStoredAsTypedAndLeavingTheScreenNameRefreshesTheLists)
{
    subject(3, "Mu", "Musik");
    gSubjectAttr(3, 6) = 1;
    show(3);
    f->Text1->setText("Musik ");
    f->Text2->setText(" Mus ");
    EXPECT_EQ(gSubjectNames(3, 0), "Musik ");
    EXPECT_EQ(gSubjectNames(3, 1), "Mus");
    emit f->Text2->LostFocus();

    EXPECT_EQ(gSubjectNames(3, 2), "Mus") << "an empty printer name takes the screen name";
    EXPECT_EQ(f->Text3->text(), "Mus");
    EXPECT_EQ(f->List1->List(2), "Mus  >  Musik ");
    EXPECT_EQ(f->List1->ListIndex(), 2);
    for (ComboBox* box : subjectBoxes()) {
        EXPECT_EQ(box->List(3), "Mus");
        EXPECT_EQ(box->ListIndex(), -1) << "no selection until a subject is shown again";
    }
    EXPECT_EQ(attr(3, 6), 1);

    f->Text3->setText(" M3 ");
    f->Text1->setText("Musikkunde");
    emit f->Text1->LostFocus();
    EXPECT_EQ(gSubjectNames(3, 2), "M3");
    EXPECT_EQ(f->List1->List(2), "Mus  >  Musikkunde");
    emit f->Text2->LostFocus();
    EXPECT_EQ(gSubjectNames(3, 2), "M3") << "a printer name of its own stays";
}

TEST_F(SubjectWindowTest, DeletingBlanksTheSlotAfterTheConfirmation)
{
    subject(12, "Inf", "Informatik", "If");
    for (int p = 0; p <= 30; ++p)
        gSubjectAttr(12, p) = p == 2 ? 0 : 1;
    show(12);
    f->Command2->click();
    EXPECT_TRUE(f->Command8->isVisibleTo(f) && f->Command6->isVisibleTo(f));
    EXPECT_EQ(f->Command8->text(), "Fach 12 löschen");
    f->Command6->click();
    EXPECT_FALSE(confirmationShown());
    EXPECT_EQ(gSubjectNames(12, 1), "Inf");

    f->Command2->click();
    show(1);
    EXPECT_FALSE(confirmationShown()) << "another subject drops the confirmation";
    show(12);
    f->Command2->click();
    f->Command8->click();
    EXPECT_EQ(gSubjectNames(12, 0) + gSubjectNames(12, 1) + gSubjectNames(12, 2), "=");
    for (int p = 0; p <= 30; ++p)
        EXPECT_EQ(attr(12, p), p == 5 ? 1 : 0) << p;
    EXPECT_EQ(f->List1->List(11), "=  >  ");
    for (ComboBox* box : subjectBoxes())
        EXPECT_EQ(box->List(12), "=");
    EXPECT_EQ(f->Text2->text(), "=");
    EXPECT_FALSE(confirmationShown());
}

// "Fach 12 löschen" or "NEIN" clicked 150 ms after the click on "löschen"
// that showed them was not aimed at them: the confirmation stays and so does
// the subject. A click once it has been up half a second answers.
TEST_F(SubjectWindowTest, TheDeleteConfirmationTakesNoClickBeforeItCanBeRead)
{
    using namespace queuedinput;
    const struct {
        const char* what;
        QPushButton* Form7::*answer;
        QString answered;
    } cases[] = {{"Fach 12 löschen", &Form7::Command8, "="}, {"NEIN", &Form7::Command6, "Inf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        subject(12, "Inf", "Informatik", "If");
        inputguard::install();
        show(12);
        f->activateWindow();
        deliver();
        answerEarlyAndOnceRead(
            f->Command2, f->*c.answer,
            [&] {
                EXPECT_TRUE(confirmationShown());
                EXPECT_EQ(gSubjectNames(12, 1), "Inf");
            },
            [&] {
                EXPECT_FALSE(confirmationShown());
                EXPECT_EQ(gSubjectNames(12, 1), c.answered);
            });
        forms::unloadAll();
        f = nullptr;
    }
}

TEST_F(SubjectWindowTest, AfterAnotherActivationNoSubjectIsChanged)
{
    subject(2, "Re");
    show(2);
    activateAgain<Form7>();
    EXPECT_EQ(gSubject.toInt(), 0);
    f->Combo2->setListIndex(5);
    f->SSCheck2->click();
    f->Command4->click();
    f->Text2->setText("Geändert");
    f->Command2->click();
    EXPECT_FALSE(f->Command8->isVisibleTo(f));
    EXPECT_EQ(attr(2, 1) + attr(2, 4) + attr(2, 5), 0);
    EXPECT_EQ(gSubjectNames(2, 1), "Re");
    EXPECT_EQ(gSubjectNames(0, 1), "");
}

TEST_F(SubjectWindowTest, ClosingWritesTheFileAndWarnsOfAScreenNameUsedTwice)
{
    subject(3, "Ku", "Kunst");
    subject(7, "Ku", "Kunsterziehung");
    subject(9, "-");
    subject(10, "-");
    open()->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form7>());
    EXPECT_EQ(readLines("Fach2.txt").size(), 3366);
    Form64* warning = forms::ifOpen<Form64>();
    ASSERT_TRUE(warning && warning->isVisible());
    EXPECT_EQ(warning->Label2->text(), "Ku wird als Fach Nr. 3 und 7 geführt.");
    EXPECT_TRUE(warning->findChildren<QPushButton*>().isEmpty());

    subject(7, "KuE");
    open()->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form64>()) << "a warning that no longer holds goes";
}

// Blanks typed around the names of a saved subject change nothing in the
// file; closing leaves the table as the file holds it all the same.
TEST_F(SubjectWindowTest, ClosingLeavesTheNamesInMemoryAsTheFileHoldsThem)
{
    subject(1, "D", "Deutsch", "D");
    open()->Command1->click();
    const QByteArray saved = readBytes("Fach2.txt");
    open();
    show(1);
    f->Text1->setText("  Deutsch  ");
    EXPECT_EQ(gSubjectNames(1, 0), "  Deutsch  ");
    f->Command1->click();
    EXPECT_EQ(readBytes("Fach2.txt"), saved);
    EXPECT_EQ(gSubjectNames(1, 0), "Deutsch");
}

TEST_F(SubjectWindowTest, AFileThatCannotBeWrittenKeepsTheWindowAndItsEdits)
{
    subject(1, "M");
    open()->Command1->click();
    // Unchanged, the window closes without writing (a folder it cannot write
    // would otherwise keep it open).
    const auto inode = [this] {
        struct stat st {};
        ::stat(QFile::encodeName(path("Fach2.txt")).constData(), &st);
        return st.st_ino;
    };
    const auto before = inode();
    open()->Command1->click();
    EXPECT_EQ(inode(), before);

    blockFile("Fach2.txt");
    open();
    show(1);
    f->Combo2->setListIndex(2);
    answer({false});
    f->Command1->click();
    EXPECT_EQ(messages(), QStringList({"Die Fächer konnten nicht gespeichert werden (Fach2.txt): An Stelle der Datei "
                                       "steht ein Ordner. Ohne Speichern schließen?"}));
    EXPECT_TRUE(forms::isOpen<Form7>());
    EXPECT_EQ(attr(1, 1), 2);
    answer({true});
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form7>());
    EXPECT_EQ(attr(1, 1), 0) << "closed without saving, the edit is taken back";

    unblockFile("Fach2.txt");
    open();
    show(1);
    f->Combo2->setListIndex(2);
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form7>());
    EXPECT_EQ(readLines("Fach2.txt")[4], " 2 ");
}
