#include "core/startup.h"

#include "core/constants.h"
#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "platform/clock.h"
#include "platform/datafile.h"
#include "platform/dates.h"

bool RunStartUp()
{
    InitialiseConstants();
    const bool studentsRead = LoadMasterData();
    LoadStartPlan();
    PreparePublishing();
    ReadKeywordFile();
    return studentsRead;
}

void PreparePublishing()
{
    gSchoolNameDashed = gSchoolName.toString().replace(QLatin1Char(' '), QLatin1Char('-'));
    gServerRoot = QStringLiteral("/VORDA/");
    gServerFolder = gServerRoot + gSchoolNameDashed + QLatin1Char('/');

    QString account[4];
    if (FindDataFile(QStringLiteral("ftp.dat"))) {
        datafile::Reader in(gFileName);
        for (QString& value : account)
            in.lineInput(value);
    }
    gFtpHost = account[0];
    gFtpUser = account[1];
    gFtpPassword = account[2];
    gWebHost = account[3].trimmed();
}

void ReadKeywordFile()
{
    gKeywordOpen = 0;
    if (FindDataFile(QStringLiteral("code.dat"))) {
        datafile::Reader in(gFileName);
        in.lineInput(gKeyword);
        if (gKeyword.isEmpty())
            gKeywordOpen = 1;
    } else {
        gKeywordOpen = 1;
    }
}

void SetWorkDateToToday()
{
    const QDate today = Clock::today();
    gWorkDate = dates::shortText(today);
    gWorkWeekday = static_cast<short>(dates::weekday(today));
}
