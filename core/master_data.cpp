#include "core/master_data.h"

#include "core/model.h"
#include "core/plan_list_file.h"
#include "core/school_structure.h"
#include "core/settings_file.h"
#include "core/text_procedures.h"
#include "core/window_positions.h"
#include "platform/datafile.h"
#include "platform/dates.h"

#include <algorithm>

namespace {
constexpr int kTeacherSlots = 60;
constexpr int kRoomSlots = 100;

void readAdminFile()
{
    if (!FindDataFile(QStringLiteral("admin.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int i = 1; i <= 3; ++i)
        in.lineInput(gAdminShort(i));
    for (int i = 1; i <= 3; ++i)
        in.lineInput(gExceptionTeachers(i));
}

void readSchoolYearFile()
{
    if (!FindDataFile(QStringLiteral("Schuljahr.dat")))
        return;
    datafile::Reader in(gFileName);
    in.lineInput(gSchoolYearStart);
    QString end;
    if (!in.lineInput(end))
        return;
    // A last school day that is no date keeps the one held.
    if (const auto date = dates::parse(end))
        gSchoolYearEnd = QDateTime(*date, QTime(0, 0));
}

// Slots after the end of the file keep "-": they are free, not copies of the
// last teacher read.
void readTeacherFile()
{
    for (int t = 0; t <= kTeacherSlots; ++t) {
        gTeacherNames(t) = QStringLiteral("-");
        gTeacherShort(t) = QStringLiteral("-");
    }
    if (!FindDataFile(QStringLiteral("Namen.txt")))
        return;
    datafile::Reader in(gFileName);
    for (int t = 1; t <= kTeacherSlots; ++t) {
        if (in.lineInput(gText)) {
            ConvertDosUmlauts();
            gTeacherNames(t) = gText;
        }
        if (in.lineInput(gText)) {
            ConvertDosUmlauts();
            gTeacherShort(t) = gText.toString();
        }
    }
}

void readTitleFile()
{
    if (!FindWritableDataFile(QStringLiteral("Titel.txt")))
        return;
    datafile::Reader in(gFileName);
    for (int i = 1; i <= gMaxTitles.toInt(); ++i)
        in.lineInput(gTitles(i));
}

void readTeacherTitleFile()
{
    if (!FindWritableDataFile(QStringLiteral("Titel.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int t = 1; t <= kTeacherSlots; ++t) {
        in.numberInput(gTeacherTitle(t));
        // A title number must name one of the titles.
        if (!gTitles.inBounds(gTeacherTitle(t)))
            gTeacherTitle(t) = 0;
    }
}

void readTeacherLoadFile()
{
    if (!FindWritableDataFile(QStringLiteral("belast.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int t = 1; t <= kTeacherSlots; ++t)
        in.numberInput(gTeacherMaxLoad(t));
}

// The room number is the line number; lines after the 100th are left alone.
void readBookableRooms()
{
    if (!FindDataFile(QStringLiteral("Raeume-qz.dat")))
        return;
    datafile::Reader in(gFileName);
    for (int n = 1; n <= kRoomSlots; ++n) {
        in.lineInput(gRoomNames(n));
        if (!gRoomNames(n).trimmed().isEmpty())
            gRoomCount = static_cast<short>(n);
    }
}

void readSchoolName()
{
    if (!FindDataFile(QStringLiteral("Schulname.txt")))
        return;
    datafile::Reader in(gFileName);
    QString name;
    if (in.lineInput(name))
        gSchoolName = name.trimmed();
}
}

bool FindDataFile(const QString& name)
{
    gFileName = gDataPath + name;
    return datafile::exists(gFileName);
}

bool FindWritableDataFile(const QString& name)
{
    if (!FindDataFile(name))
        return false;
    datafile::clearAttributes(gFileName);
    return true;
}

// A student counts only when its name line was read; one without a class line
// has class "". What lies beyond the capacity stays in the file unread.
bool ReadStudentFile()
{
    if (!FindDataFile(QStringLiteral("schüler.dat")))
        return false;
    datafile::Reader in(gFileName);
    int count = 0;
    QString name;
    while (count < gStudentNames.upper() && in.lineInput(name)) {
        ++count;
        gStudentNames(count) = name;
        QString cls;
        in.lineInput(cls);
        gStudentClass(count) = cls;
    }
    gStudentCount = static_cast<short>(count);
    return true;
}

bool LoadMasterData()
{
    readAdminFile();
    readSchoolYearFile();
    const bool studentsRead = ReadStudentFile();
    const double settingsVersion = ReadSettingsFile();
    readTeacherFile();
    readTitleFile();
    readTeacherTitleFile();
    ReadClassFile();
    ReadSubjectFile();
    CountPlanList();
    readTeacherLoadFile();
    ReadFormTeachers();
    ReadCombinations();
    // Settings written from version 10 on go with special rooms kept for 6 days of 11 periods.
    ReadSpecialRooms(settingsVersion >= 10);
    ReadPeriodTimes();
    // Nobody is logged in yet: these are the positions of "qzTopLeft.dat".
    LoadWindowPositions();
    readBookableRooms();
    readSchoolName();
    return studentsRead;
}
