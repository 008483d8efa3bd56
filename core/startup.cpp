#include "core/startup.h"

#include "core/master_data.h"
#include "core/model.h"
#include "platform/datafile.h"

void PreparePublishing()
{
    gSchoolNameDashed = gSchoolName.toString().replace(QLatin1Char(' '), QLatin1Char('-'));
    gServerRoot = QStringLiteral("/VORDA/");
    gServerFolder = gServerRoot + gSchoolNameDashed + QLatin1Char('/');

    QString account[3];
    if (FindDataFile(QStringLiteral("ftp.dat"))) {
        datafile::Reader in(gFileName);
        for (QString& value : account)
            in.lineInput(value);
    }
    gFtpHost = account[0];
    gFtpUser = account[1];
    gFtpPassword = account[2];
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
