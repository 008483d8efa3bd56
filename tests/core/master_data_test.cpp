#include "core/master_data.h"
#include "core/model.h"
#include "platform/dates.h"
#include "tests/support/fixture.h"

#include <QFile>
#include <QFileInfo>

using MasterDataTest = ModelTest;

TEST_F(MasterDataTest, PeopleCalendarAndPlanList)
{
    EXPECT_FALSE(LoadMasterData());
    EXPECT_TRUE(gTeacherNames(0) == "-" && gClassNames(0) == "=" && gSubjectNames(0, 2) == "=");

    writeLines("admin.dat", {"KRA", "BRA"});
    writeLines("Schuljahr.dat", {"10-08-2026", "30.7.2027"});
    writeBytes("Namen.txt", "Kr\x84mer Tina\r\nKR\x8e\r\nLehrer 2\r\nL2\r\n");
    writeLines("Titel.dat", {" 2 ", " 11 ", "-1 "});
    writeLines("Pläne.lst", {" 15 ", "", " 3 "});
    writeLines("Schulname.txt", {"  Schule am Park  "});
    LoadMasterData();
    EXPECT_TRUE(gAdminShort(2) == "BRA" && gAdminShort(3).isEmpty());
    EXPECT_EQ(gSchoolYearEnd.date(), QDate(2027, 7, 30));
    EXPECT_TRUE(gTeacherNames(1) == "Krämer Tina" && gTeacherShort(1) == "KRÄ");
    EXPECT_TRUE(gTeacherNames(3) == "-" && gTeacherShort(60) == "-") << "slots after the file stay free";
    EXPECT_EQ(gTeacherTitle(1), 2);
    EXPECT_EQ(gTeacherTitle(2) + gTeacherTitle(3), 0) << "titles 11 and -1 do not exist";
    EXPECT_EQ(gPlanCount, 3);
    EXPECT_TRUE(gSchoolName == "Schule am Park");
}

TEST_F(MasterDataTest, StudentsAndRoomsBeyondTheirCapacity)
{
    writeLines("schüler.dat", {});
    EXPECT_TRUE(LoadMasterData());
    EXPECT_EQ(gStudentCount, 0);

    gStudentClass(4) = "9z";
    writeLines("schüler.dat", {"A", "5a", "B", "5a", "C", "5b", "D"});
    ReadStudentFile();
    EXPECT_EQ(gStudentCount, 4);
    EXPECT_TRUE(gStudentNames(4) == "D" && gStudentClass(4).isEmpty());

    QStringList many;
    for (int i = 1; i <= 1005; ++i)
        many << QStringLiteral("Schüler %1").arg(i) << "7a";
    writeLines("schüler.dat", many);
    QStringList rooms(130, "Raum");
    rooms[1] = rooms[99] = "";
    writeLines("Raeume-qz.dat", rooms);
    const QByteArray before = readBytes("schüler.dat");
    LoadMasterData();
    EXPECT_EQ(gStudentCount, 1000);
    EXPECT_TRUE(gStudentNames(1000) == "Schüler 1000");
    EXPECT_EQ(readBytes("schüler.dat"), before);
    EXPECT_EQ(gRoomCount, 99) << "the room number is the line number, up to 100";
}

TEST_F(MasterDataTest, AttributesAreClearedOnlyForThePlannersFiles)
{
    const QStringList cleared{"Titel.txt", "Titel.dat", "belast.dat", "Klassen.txt", "kv.dat", "Fach2.txt",
                              "Kombi.dat", "Räume.dat", "Time.txt", "Pläne.lst", "qzTopLeft.dat"};
    const QStringList kept{"admin.dat", "Schuljahr.dat", "schüler.dat", "Namen.txt", "Raeume-qz.dat", "vorda.ver"};
    for (const QString& name : cleared + kept) {
        writeLines(name, {"1"});
        QFile::setPermissions(path(name), QFile::ReadOwner);
    }
    LoadMasterData();
    for (const QString& name : cleared + kept) {
        const bool writable = QFileInfo(path(name)).permissions() & QFile::WriteOwner;
        EXPECT_EQ(writable, cleared.contains(name)) << name.toStdString();
    }
}

TEST_F(MasterDataTest, TheDemoSchool)
{
    gDataPath = ORVQZ_DEMO_DIR;
    EXPECT_TRUE(LoadMasterData());
    EXPECT_EQ(gStudentCount, 60);
    EXPECT_EQ(gRoomCount, 8);
    EXPECT_TRUE(gAutoLoadPlan == 1 && gPlanName == "1");
    EXPECT_LE(dates::parse(gSchoolYearStart.toString()), QDate(2026, 12, 7));
    EXPECT_GE(gSchoolYearEnd.date(), QDate(2026, 12, 7));
    EXPECT_EQ(gTeacherShort(gFormTeacher(10)), "GÄR");
}
