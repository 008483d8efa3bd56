#include "core/master_data.h"
#include "core/model.h"
#include "tests/support/fixture.h"

#include <QFile>
#include <map>

using SchoolStructureTest = ModelTest;

namespace {
// A subject file of 99 subjects with the given properties, the others 0.
QStringList subjectFile(const std::map<int, std::map<int, int>>& properties, int lastProperty)
{
    QStringList lines;
    for (int s = 1; s <= 99; ++s) {
        lines << "Fach" << "F" << "P";
        const auto own = properties.count(s) ? properties.at(s) : std::map<int, int>{};
        for (int p = 0; p <= lastProperty; ++p)
            lines << QStringLiteral(" %1 ").arg(own.count(p) ? own.at(p) : 0);
    }
    return lines;
}

// Special-room names ("X" for room 5), then availability codes counting from 1.
QStringList specialRoomFile(int days, int periods)
{
    QStringList lines(16, "Raum");
    lines[4] = "X";
    for (int i = 1; i <= 16 * days * periods; ++i)
        lines << QString::number(i);
    return lines;
}
}

TEST_F(SchoolStructureTest, ClassesFormTeachersAndCombinations)
{
    QStringList classes(72);
    classes[0] = classes[24] = "5a";
    classes[2] = "6b";
    writeLines("Klassen.txt", classes);
    writeLines("kv.dat", {" 7 ", " 61 ", "-3 "});
    QStringList kombi(160, " 0 ");
    kombi[0] = kombi[2] = " 7 ";
    kombi[1] = " 2 ";
    kombi[3] = " 3 ";
    kombi[4] = " 120 ";
    writeLines("Kombi.dat", kombi);
    LoadMasterData();
    EXPECT_EQ(gClassPrintNames(3), "6b");
    EXPECT_EQ(gFormTeacher(1), 7);
    EXPECT_EQ(gFormTeacher(2) + gFormTeacher(3), 0) << "teachers 61 and -3 do not exist";
    const int mirrored[] = {7, 3, 7, 2};
    for (int field = 1; field <= 4; ++field)
        EXPECT_TRUE(gClassCombinations(41, field) == mirrored[field - 1]) << field;
    EXPECT_TRUE(gClassCombinations(2, 1) == 0) << "no subject 120";
}

TEST_F(SchoolStructureTest, SubjectWeightsAndTheirStableOrder)
{
    writeLines("Fach2.txt", subjectFile({{3, {{2, 1}, {6, 12}}},
                                         {5, {{9, 1}, {3, 2}, {7, 5}}},
                                         {9, {{7, 3}, {8, 2}}},
                                         {12, {{4, 1}, {3, 4}, {7, 2}}},
                                         {20, {{7, 1}, {30, 7}}}},
                                        30));
    LoadMasterData();
    EXPECT_EQ(gSubjectAttr(3, 6), 0) << "only the left row has a partner";
    const QList<int> order{12, 5, 9, 1, 2, 3, 4, 6, 7, 8, 10};
    const QList<int> weight{8, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < order.size(); ++k) {
        EXPECT_EQ(gSubjectOrder(k + 1), order[k]) << k;
        EXPECT_EQ(gSubjectAttr(k + 1, 16), weight[k]) << k;
    }
    EXPECT_TRUE(gSubjectAttr(5, 9) == 1 && gSubjectAttr(20, 30) == 7) << "the rest stays with its subject";

    gSubjectAttr(4, 21) = 5;
    QFile::remove(path("Fach2.txt"));
    writeLines("Fach.txt", subjectFile({{4, {{1, 13}, {8, 17}, {6, 100}, {15, 9}}}}, 15));
    LoadMasterData();
    EXPECT_TRUE(gSubjectAttr(4, 15) == 9 && gSubjectAttr(4, 21) == 5) << "Fach.txt ends at property 15";
    EXPECT_EQ(gSubjectAttr(4, 1) + gSubjectAttr(4, 8) + gSubjectAttr(4, 6), 0) << "no colour 13, room 17, subject 100";
}

TEST_F(SchoolStructureTest, SpecialRoomsFollowTheWeekOfTheirFile)
{
    writeLines("vorda.ver", {" 6 ", " 10 "});
    writeLines("Räume.dat", specialRoomFile(6, 10));
    LoadMasterData();
    EXPECT_EQ(gSpecialRoomNames(5), "-");
    EXPECT_EQ(gSpecialRoomAvailability(2, 6, 10), 120);
    EXPECT_EQ(gSpecialRoomAvailability(2, 6, 11), 0);

    writeLines("vorda.ver", {" 5 ", " 9 ", "", "", "", "", "", "10.1"});
    writeLines("Räume.dat", specialRoomFile(6, 11));
    LoadMasterData();
    EXPECT_EQ(gSpecialRoomAvailability(2, 6, 11), 132) << "version 10 files hold 6 days of 11 periods";

    writeLines("Räume.dat", {"  Physik  "});
    LoadMasterData();
    EXPECT_EQ(gSpecialRoomNames(1), "Physik");
    EXPECT_EQ(gSpecialRoomNames(2), "-") << "names after the file stay free";
}

TEST_F(SchoolStructureTest, PeriodFileWithAndWithoutBreaks)
{
    QStringList times;
    for (int p = 1; p <= 11; ++p)
        times << QStringLiteral("%1.Eh.").arg(p) << "von - bis";
    writeLines("Time.txt", times + QStringList{" 6 ", "11", "4.6 Pause", "Pause"});
    LoadMasterData();
    EXPECT_TRUE(gPeriodLabels(11) == "11.Eh." && gLunchPeriod == 6);
    EXPECT_EQ(QList<short>({gBreakAfter(1), gBreakAfter(2), gBreakAfter(3)}), QList<short>({11, 5, 0}));

    writeLines("Time.txt", times + QStringList{" 40 "});
    LoadMasterData();
    EXPECT_TRUE(gLunchPeriod == 0) << "there is no period 40";
    EXPECT_EQ(gBreakAfter(1) + gBreakAfter(2), 0);
}
