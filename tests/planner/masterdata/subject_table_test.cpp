#include "core/text_procedures.h"
#include "planner/masterdata/subject_table.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QFile>

using SubjectTableTest = MasterDataTest;

namespace {
// The 34 lines of subject `s` in a subject file.
QStringList slotLines(const QStringList& file, int s) { return file.mid((s - 1) * 34, 34); }
}

TEST_F(SubjectTableTest, TrimTextCutsOnlyTheBlanksAtBothEnds)
{
    gText = "  Sport \t kurs  ";
    TrimText();
    EXPECT_EQ(gText.toString(), "Sport \t kurs");
}

TEST_F(SubjectTableTest, TheWrittenFileReadsBackThroughTheStartUp)
{
    subject(1, "  M ", "  Mathematik ", " Ma");
    subject(2, "   ", "Deutsch", "De");
    subject(3, "Eth", "Ethik", "Et");
    for (int p = 0; p <= 30; ++p)
        gSubjectAttr(3, p) = static_cast<short>(p + 1);
    gSubjectAttr(3, 2) = 0;
    gSubjectAttr(3, 16) = -7;
    subject(4, "Ku\t", "Kunst\r\nund Werken", "K\nu");
    subject(12, "=");
    gSubjectAttr(12, 5) = 1;
    ASSERT_TRUE(static_cast<bool>(SaveSubjectFile()));

    EXPECT_EQ(gSubjectNames(1, 0) + "|" + gSubjectNames(1, 1) + "|" + gSubjectNames(1, 2), "Mathematik|M|Ma")
        << "the table keeps the trimmed names";
    EXPECT_EQ(gSubjectNames(2, 1), "=");
    const QByteArray bytes = readBytes("Fach2.txt");
    EXPECT_TRUE(bytes.count("\r\n") == 3366 && bytes.count('\n') == 3366);
    const QStringList file = readLines("Fach2.txt");
    ASSERT_EQ(file.size(), 3366);
    EXPECT_EQ(slotLines(file, 3).mid(0, 6), QStringList({"Ethik", "Eth", "Et", " 1 ", " 2 ", " 0 "}));
    EXPECT_EQ(slotLines(file, 3)[3 + 16], "-7 ") << "the order score goes out as held";
    EXPECT_EQ(slotLines(file, 3)[33], " 31 ");
    // A line break pasted into a name would shift every later subject.
    EXPECT_EQ(slotLines(file, 4).mid(0, 3), QStringList({"Kunst  und Werken", "Ku", "K u"}));
    QStringList deleted{"", "=", ""};
    for (int p = 0; p <= 30; ++p)
        deleted << (p == 5 ? " 1 " : " 0 ");
    EXPECT_EQ(slotLines(file, 12), deleted) << "a deleted slot is written as the empty slot";

    startAgain();
    EXPECT_EQ(gSubjectNames(1, 1), "M");
    EXPECT_EQ(gSubjectNames(2, 0) + gSubjectNames(2, 1) + gSubjectNames(2, 2), "Deutsch=De");
    EXPECT_EQ(gSubjectNames(5, 0) + gSubjectNames(5, 1) + gSubjectNames(99, 2), "=") << "unnamed slots are empty";
    for (int p : {0, 15, 21, 25, 30})
        EXPECT_EQ(gSubjectAttr(3, p), p + 1) << "reserved property " << p;
}

TEST_F(SubjectTableTest, AnOldSubjectFileIsSavedWithAllProperties)
{
    QStringList old;
    for (int s = 1; s <= 99; ++s) {
        old << "Fach" << "F" << "P";
        for (int p = 0; p <= 15; ++p)
            old << QStringLiteral(" %1 ").arg(s == 7 && p == 15 ? 4 : 0);
    }
    writeLines("Fach.txt", old);
    LoadMasterData();
    ASSERT_TRUE(static_cast<bool>(SaveSubjectFile()));
    const QStringList file = readLines("Fach2.txt");
    ASSERT_EQ(file.size(), 3366);
    EXPECT_EQ(slotLines(file, 7)[3 + 15], " 4 ");
    EXPECT_EQ(slotLines(file, 7).mid(3 + 17), QStringList(14, " 0 "));
    EXPECT_EQ(readBytes("Fach.txt").count("\r\n"), 99 * 19) << "the old file stays as it was";
}

TEST_F(SubjectTableTest, AReadOnlyFileIsWrittenAndABlockedOneIsReported)
{
    writeLines("Fach2.txt", {"alt"});
    QFile::setPermissions(path("Fach2.txt"), QFile::ReadOwner);
    subject(1, "M");
    EXPECT_TRUE(static_cast<bool>(SaveSubjectFile()));
    EXPECT_EQ(readLines("Fach2.txt")[1], "M");

    blockFile("Fach2.txt");
    EXPECT_FALSE(static_cast<bool>(SaveSubjectFile()));
}

TEST_F(SubjectTableTest, TheSameScreenNameTwiceReportsTheLastPairFound)
{
    for (int s = 1; s <= 99; ++s)
        gSubjectNames(s, 1) = s % 2 ? "=" : "-";
    gSubjectNames(5, 1) = "";
    gSubjectNames(9, 1) = "";
    CheckSameSubjectNames();
    EXPECT_TRUE(gCheckOk == 1 && gText.toString().isEmpty()) << "no names, no subjects";

    for (const auto& [s, name] : {std::pair{2, "Bio"}, {3, "Ku"}, {7, "Ku"}, {8, "bio"}})
        gSubjectNames(s, 1) = name;
    CheckSameSubjectNames();
    EXPECT_EQ(gCheckOk, 0);
    EXPECT_EQ(gText.toString(), "Ku wird als Fach Nr. 3 und 7 geführt.");
}
