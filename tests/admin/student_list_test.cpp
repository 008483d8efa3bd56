#include "admin/student_list.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/input_guard.h"
#include "tests/support/fixture.h"
#include "tests/support/queued_input.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <tuple>

class StudentListTest : public ModelTest {
protected:
    Form25* open(const QStringList& fileLines)
    {
        writeLines("schüler.dat", fileLines);
        return forms::show<Form25>();
    }
    // Clicks the list item that starts with `start`.
    void pick(Form25* f, const QString& start)
    {
        const QStringList items = f->List1->items();
        for (int i = 0; i < items.size(); ++i) {
            if (items[i].startsWith(start)) {
                f->List1->setListIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no item " << start.toStdString();
    }
    void store(Form25* f, const QString& name, const QString& cls)
    {
        f->Text1->setText(name);
        f->Text2->setText(cls);
        QTest::mouseClick(f->Text2, Qt::LeftButton);
        f->Command2_Click();
    }
    // An item with the blanks that hide its student number shown as "|".
    static QString unpadded(const QString& item)
    {
        const qsizetype number = item.lastIndexOf(QLatin1Char(' ')) + 1;
        return item.left(number).trimmed() + QLatin1Char('|') + item.mid(number);
    }
    static QStringList unpadded(const ListBox* list)
    {
        QStringList out;
        for (const QString& item : list->items())
            out << unpadded(item);
        return out;
    }
};

TEST_F(StudentListTest, OpensWithTheStudentsSortedByClassAndTheNewItemFirst)
{
    gStudentNames(3) = "Alt Anna";
    Form25* f = open({"Berg Bea", "2A", "Adler Ali", "1B"});
    EXPECT_EQ(unpadded(f->List1), QStringList({"0_neu|3", "1B  -  Adler Ali|2", "2A  -  Berg Bea|1"}));
    EXPECT_EQ(gStudentCount, 2);
    EXPECT_FALSE(f->Text1->isEnabled() || f->Text2->isEnabled() || f->Command2->isEnabled());
    EXPECT_TRUE(f->Command3->isEnabled());

    f->Command3_Click();
    pick(f, "2A");
    EXPECT_TRUE(f->Command4->isHidden() && !f->Command3->isEnabled()) << "no school-year change under an edit";
    EXPECT_EQ(f->Label1->text() + " " + f->Label6->text() + " " + f->Text1->text(), "1 2 Berg Bea");
    EXPECT_FALSE(f->Command2->isEnabled()) << "\"eintragen\" waits for a click into a box";
    QTest::mouseClick(f->Text1, Qt::LeftButton);
    EXPECT_TRUE(f->Command2->isEnabled());

    pick(f, "0_neu");
    EXPECT_EQ(f->Text1->text(), "") << "a student removed earlier is not offered as the new one";
    EXPECT_FALSE(f->Command2->isEnabled());
}

TEST_F(StudentListTest, StudentNumbersLieOutOfSightAndStillFindTheirStudent)
{
    Form25* f = open({"Li", "1a", "Müller-Lüdenscheidt Anna-Katharina Sophie", "10b", "Wu Ai", "2c"});
    EXPECT_EQ(f->List1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics = f->List1->fontMetrics();
    for (const QString& item : f->List1->items()) {
        const QString beforeNumber = item.left(item.lastIndexOf(QLatin1Char(' ')) + 1);
        EXPECT_GE(metrics.horizontalAdvance(beforeNumber), f->List1->width()) << item.trimmed().toStdString();
        EXPECT_GE(beforeNumber.size() - beforeNumber.trimmed().size(), 55);
    }
    for (const auto& [start, name, number] : {std::tuple{"1a  -  Li ", "Li", "1"}, {"2c  -  Wu", "Wu Ai", "3"},
                                              {"10b", "Müller-Lüdenscheidt Anna-Katharina Sophie", "2"}}) {
        pick(f, start);
        EXPECT_EQ(f->Text1->text(), name);
        EXPECT_EQ(f->Label1->text(), number);
    }
}

TEST_F(StudentListTest, StoringAddsChangesAndRemovesStudentsInFileOrder)
{
    Form25* f = open({"Berg Bea", "2A", "Adler Ali", "1B", "Cem Can", "3c"});
    pick(f, "0_neu");
    store(f, "  Neu Nora ", " 1a ");
    EXPECT_FALSE(f->Command2->isEnabled() || f->Text1->isEnabled());
    EXPECT_EQ(readLines("schüler.dat"),
              QStringList({"Berg Bea", "2A", "Adler Ali", "1B", "Cem Can", "3c", "Neu Nora", "1a"}));
    EXPECT_EQ(gStudentCount, 4);
    EXPECT_EQ(unpadded(f->List1->List(1)), "1a  -  Neu Nora|4");

    pick(f, "1B");
    store(f, "Adler Ali\r\nZweit", "1B");
    pick(f, "2A");
    store(f, "", "2A");
    EXPECT_EQ(readBytes("schüler.dat"), "Adler Ali  Zweit\r\n1B\r\nCem Can\r\n3c\r\nNeu Nora\r\n1a\r\n");
    EXPECT_EQ(unpadded(f->List1->List(0)), "0_neu|4");
    EXPECT_EQ(unpadded(f->List1->List(3)), "3c  -  Cem Can|2");
}

TEST_F(StudentListTest, SchoolYearChangeMovesClassesUpAndLevelFourLeaves)
{
    Form25* f = open({"A", "1a", "B", "2b", "C", "3c", "D", "4a", "E", "Xa", "F", "", "G", "9z"});
    f->Command3_Click();
    EXPECT_FALSE(f->Label5->isHidden() || f->Command4->isHidden() || f->Command5->isHidden());
    f->Command5_Click();
    EXPECT_TRUE(f->Label5->isHidden() && f->Command4->isHidden());
    EXPECT_EQ(readLines("schüler.dat").size(), 14) << "\"nein\" changes nothing";

    f->Command3_Click();
    f->Command4_Click();
    EXPECT_EQ(readLines("schüler.dat"), QStringList({"A", "2a", "B", "3b", "C", "4c", "E", "1a", "F", ""}));
    EXPECT_TRUE(f->List1->isEnabled() && f->Command3->isEnabled()) << "refilling the list is no click on a student";
    EXPECT_EQ(gStudentCount, 5);
    EXPECT_EQ(f->List1->ListCount(), 6);
}

// "JA" or "nein" clicked 150 ms after the click on "Jahreswechsel" that
// showed them was not aimed at them: the question stays and nobody moves up.
// A click once it has been up half a second answers.
TEST_F(StudentListTest, TheYearChangeQuestionTakesNoClickBeforeItCanBeRead)
{
    using namespace queuedinput;
    const QStringList students{"A", "1a", "B", "4b"};
    const struct {
        const char* what;
        QPushButton* Form25::*answer;
        QStringList answered;
    } cases[] = {{"JA", &Form25::Command4, {"A", "2a"}}, {"nein", &Form25::Command5, students}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        inputguard::install();
        Form25* f = open(students);
        f->activateWindow();
        deliver();
        QPushButton* answer = f->*c.answer;
        answerEarlyAndOnceRead(
            f->Command3, answer,
            [&] {
                EXPECT_TRUE(f->Label5->isVisible() && answer->isVisible());
                EXPECT_EQ(readLines("schüler.dat"), students);
            },
            [&] {
                EXPECT_FALSE(f->Label5->isVisible());
                EXPECT_EQ(readLines("schüler.dat"), c.answered);
            });
        forms::unloadAll();
    }
}

TEST_F(StudentListTest, AFileBeyondTheCapacityKeepsEveryStudent)
{
    QStringList lines;
    for (int i = 1; i <= 1002; ++i)
        lines << QStringLiteral("S%1").arg(i) << (i == 1002 ? "4b" : "2a");
    Form25* f = open(lines);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("1000"));
    ASSERT_EQ(f->List1->ListCount(), 1001);

    pick(f, "0_neu");
    EXPECT_EQ(messages().size(), 2) << "no slot for a new student";
    EXPECT_FALSE(f->Text1->isEnabled());
    pick(f, "2a  -  S1000 ");
    EXPECT_EQ(f->Text1->text(), "S1000") << "numbers beyond 999 still find their student";

    pick(f, "2a  -  S5 ");
    store(f, "", "2a");
    QStringList saved = readLines("schüler.dat");
    ASSERT_EQ(saved.size(), 2002);
    EXPECT_EQ(saved[8] + " " + saved.mid(1998).join(" "), "S6 S1001 2a S1002 4b");
    EXPECT_EQ(gStudentCount, 1000);

    f->unload();
    f = forms::show<Form25>();
    f->Command3_Click();
    f->Command4_Click();
    saved = readLines("schüler.dat");
    EXPECT_EQ(saved.size(), 2000);
    EXPECT_EQ(saved.mid(1998), QStringList({"S1001", "3a"})) << "the student beyond the list moves up or leaves too";
}

TEST_F(StudentListTest, AFailedSaveIsReportedAndTheListShowsWhatIsHeld)
{
    addStudent("A", "1a");
    blockFile("schüler.dat");
    Form25* f = forms::show<Form25>();
    EXPECT_EQ(f->List1->ListCount(), 2) << "without a file the students held are listed";
    pick(f, "0_neu");
    store(f, "B", "1b");
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], "Die Schülerliste konnte nicht gespeichert werden (schüler.dat): An Stelle der Datei "
                             "steht ein Ordner. Die Liste zeigt den gespeicherten Stand.");
    EXPECT_EQ(f->List1->ListCount(), 2);
}
