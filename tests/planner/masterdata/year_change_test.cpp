#include "planner/masterdata/class_table.h"
#include "planner/masterdata/year_change_window.h"
#include "platform/controls.h"
#include "tests/planner/masterdata/masterdata_fixture.h"
#include "tests/support/disk_conditions.h"

#include <QPushButton>

namespace {
QStringList classNames()
{
    QStringList out;
    for (int c = 1; c <= 24; ++c)
        out << gClassNames(c).toString();
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

void nameClasses(const QStringList& names)
{
    for (int c = 1; c <= 24; ++c) {
        const QString name = names.value(c - 1);
        gClassNames(c) = name;
        gClassPrintNames(c) = name.isEmpty() ? QString() : name + QStringLiteral(" Klasse");
        gFormTeacher(c) = static_cast<short>(name.isEmpty() ? 0 : c);
        gClassSkipFlag(c) = static_cast<short>(name.isEmpty() ? 0 : 1);
    }
}
}

class YearChangeTest : public MasterDataTest {
protected:
    Form45* f = nullptr;

    // Types the count and presses the button; true when the window closed.
    bool change(const QString& count)
    {
        f = forms::show<Form45>();
        f->Text1->setText(count);
        f->Command2->click();
        return !forms::isOpen<Form45>();
    }
};

TEST(AdvanceClassName, RaisesTheLeadingNumberAndKeepsTheRest)
{
    const struct {
        const char* name;
        const char* advanced;
        int highestBefore, highest;
    } cases[] = {
        {"9b", "10b", 0, 9}, {"10b", "11b", 0, 10}, {"4.a", "5.a", 0, 4}, {"1A", "2A", 0, 1}, {"  7c", "8c", 0, 7},
        {"12", "13", 0, 12}, {"Kunst", "Kunst", 0, 0}, {"", "", 0, 0},   {"0a", "0a", 0, 0}, {"  ", "  ", 0, 0},
        {"9b", "10b", 11, 11}, // the highest grade never falls
    };
    for (const auto& c : cases) {
        int highest = c.highestBefore;
        EXPECT_EQ(AdvanceClassName(QString::fromUtf8(c.name), highest), QString::fromUtf8(c.advanced)) << c.name;
        EXPECT_EQ(highest, c.highest) << c.name;
    }
}

TEST_F(YearChangeTest, TwoNewClassesMoveEveryClassUpWithItsTeacherAndTheHighestGradeLeaves)
{
    nameClasses({"1a", "1b", "2a", "2b", "3a", "3b", "4a", "4b"});
    EXPECT_TRUE(change("2"));

    EXPECT_EQ(classNames(), QStringList({"1a", "1b", "2a", "2b", "3a", "3b", "4a", "4b"}));
    for (int c = 1; c <= 2; ++c) {
        EXPECT_EQ(gClassPrintNames(c), gClassNames(c).toString());
        EXPECT_TRUE(gFormTeacher(c) == 0 && gClassSkipFlag(c) == 0) << c;
    }
    // The former 1a (slot 1, teacher 1) is now 2a in slot 3.
    for (int c = 3; c <= 8; ++c) {
        EXPECT_TRUE(gFormTeacher(c) == c - 2 && gClassSkipFlag(c) == 1) << c;
        EXPECT_EQ(gClassPrintNames(c), gClassNames(c).toString() + " Klasse") << c;
    }
    EXPECT_TRUE(gClassNames(9) == "" && gFormTeacher(9) == 0);
    EXPECT_EQ(gLastClass, 8);

    const QStringList file = readLines("Klassen.txt");
    ASSERT_EQ(file.size(), 72);
    EXPECT_EQ(file.mid(0, 3), QStringList({"1a", "1b", "2a"}));
    EXPECT_EQ(file[26], "2a Klasse");
    EXPECT_EQ(file.mid(48, 3), QStringList({" 0 ", " 0 ", " 1 "}));
    EXPECT_EQ(readLines("kv.dat").mid(0, 4), QStringList({" 0 ", " 0 ", " 1 ", " 2 "}));
}

TEST_F(YearChangeTest, TheNewClassesTakeTheStyleOfTheFirstClassAndNamesWithoutANumberStay)
{
    const struct {
        QStringList before;
        const char* count;
        QStringList after;
    } cases[] = {
        {{"1A", "2A"}, "3", {"1A", "1B", "1C", "2A"}},
        {{"1.a", "2.a"}, "3", {"1.a", "1.b", "1.c", "2.a"}},
        {{" 1a", "2a"}, "3", {"1a", "1b", "1c", "2a"}},
        {{"Kunst", "1a", "2a"}, "3", {"1a", "1b", "1c", "Kunst", "2a"}},
        {{"Kunst", "Musik"}, "1", {"1a", "Kunst", "Musik"}},
        {{"9b", "10b", "Werk"}, "1", {"1a", "10b", "Werk"}}, // the former 10b left as 11b
    };
    for (const auto& c : cases) {
        nameClasses(c.before);
        EXPECT_TRUE(change(c.count));
        EXPECT_EQ(classNames(), c.after) << c.before.join(",").toStdString();
    }
}

TEST_F(YearChangeTest, TheButtonOffersTheCountsTheChangeCarriesOut)
{
    f = forms::show<Form45>();
    EXPECT_EQ(f->Text1->text(), "?");
    EXPECT_FALSE(f->Command2->isEnabled());
    const std::pair<const char*, bool> counts[] = {{"0", false}, {"1", true},    {"7", true},     {"8", false},
                                                   {"9", false}, {"abc", false}, {"2.5", false}, {" 3 Klassen", true}};
    for (const auto& [count, enabled] : counts) {
        f->Text1->setText(QString::fromUtf8(count));
        EXPECT_EQ(f->Command2->isEnabled(), enabled) << count;
    }
}

TEST_F(YearChangeTest, GapsCloseInTheOrderOfTheClasses)
{
    nameClasses({"1a", "", "2a", "", "", "3a", "Kunst"});
    gClassPrintNames(2) = QStringLiteral("Rest");
    gFormTeacher(2) = 9;
    EXPECT_TRUE(change("1"));
    EXPECT_EQ(classNames(), QStringList({"1a", "2a", "3a", "Kunst"}));
    EXPECT_EQ(gFormTeacher(3), 3) << "the former 2a with its teacher";
    for (int c = 5; c <= 24; ++c) {
        EXPECT_TRUE(gClassPrintNames(c).isEmpty() && gFormTeacher(c) == 0 && gClassSkipFlag(c) == 0) << c;
    }
}

TEST_F(YearChangeTest, AChangeThatDoesNotFitChangesNothingAndSaysSo)
{
    QStringList names;
    for (int c = 1; c <= 22; ++c)
        names << QStringLiteral("%1%2").arg(c <= 11 ? 1 : 2).arg(QChar('a' + (c - 1) % 11));
    names << "3a";
    nameClasses(names);
    writeLines("Klassen.txt", {"alt"});

    EXPECT_FALSE(change("3"));
    EXPECT_EQ(messages(), QStringList({"Mit 3 neuen Klassen wären es 25 Klassen; die Klassenliste hat nur 24 Plätze. "
                                       "Es wurde nichts geändert."}));
    EXPECT_EQ(classNames(), names);
    EXPECT_EQ(gFormTeacher(23), 23);
    EXPECT_EQ(readLines("Klassen.txt"), QStringList({"alt"}));

    EXPECT_TRUE(change("2"));
    EXPECT_EQ(classNames().size(), 24);
    EXPECT_EQ(gClassNames(24), "3k");
}

// Either file written alone would give every class the form teacher of
// another from the next start on.
TEST_F(YearChangeTest, AFailedWriteChangesNeitherFileAndIsShown)
{
    int told = 0;
    for (const char* blocked : {"Klassen.txt", "kv.dat"}) {
        SCOPED_TRACE(blocked);
        nameClasses({"1a", "2a"});
        writeLines("Klassen.txt", {"alt"});
        writeLines("kv.dat", {"alt"});
        blockFile(blocked);
        EXPECT_TRUE(change("1"));
        ASSERT_EQ(messages().size(), ++told);
        const QString message = messages().last();
        EXPECT_EQ(message.section(": ", 0, 0), QString("Die Klassen konnten nicht gespeichert werden (%1").arg(blocked));
        EXPECT_TRUE(message.contains("Keine der Dateien Klassen.txt, kv.dat wurde geändert.")) << message.toStdString();
        unblockFile(blocked);
        for (const char* file : {"Klassen.txt", "kv.dat"}) {
            if (qstrcmp(file, blocked) != 0) {
                EXPECT_EQ(readLines(file), QStringList({"alt"})) << file;
            }
        }
    }
}

// A folder that lets "kv.dat" be written but not replaced: "Klassen.txt"
// gets its old bytes back, so that no class gets another's form teacher.
// The year change holds in memory until the end, as the message says.
TEST_F(YearChangeTest, AFormTeacherFileThatCannotBeReplacedChangesNeitherFile)
{
    if (!runsAsRoot())
        GTEST_SKIP() << "only root can act as the users of a shared folder";
    nameClasses({"1a", "1b", "2a"});
    writeLines("Klassen.txt", {"alt"});
    writeLines("kv.dat", {"alt"});
    {
        const StickyFolderUser user(m_dir.path(), {"kv.dat"});
        ASSERT_TRUE(user.active());
        EXPECT_TRUE(change("1"));
    }
    EXPECT_EQ(messages(), QStringList{"Die Klassen konnten nicht gespeichert werden (kv.dat: Zugriff verweigert). "
                                      "Keine der Dateien Klassen.txt, kv.dat wurde geändert.\nDer Jahreswechsel gilt "
                                      "nur, bis das Programm beendet wird."});
    EXPECT_TRUE(readBytes("Klassen.txt") == "alt\r\n" && readBytes("kv.dat") == "alt\r\n");
    EXPECT_EQ(classNames(), QStringList({"1a", "2a", "2b"}));
}

TEST_F(YearChangeTest, AWindowClosedWhileAFailedWriteIsToldIsLeftAlone)
{
    nameClasses({"1a", "2a"});
    blockFile("Klassen.txt");
    closeAtNextMessage([] { forms::unload<Form45>(); });
    EXPECT_TRUE(change("1"));
    EXPECT_EQ(messages().size(), 1);
}
