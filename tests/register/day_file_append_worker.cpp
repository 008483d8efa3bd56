// day_file_append_worker <day file> <worker> <entries>: appends the entries
// "w<worker> n<number>" of kind "03", one line each; exit code 1 when an append
// fails.
#include "core/model.h"
#include "register/day_file.h"

#include <QString>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    gDayFilePath = QString::fromLocal8Bit(argv[1]);
    const QString worker = QString::fromLocal8Bit(argv[2]);
    const int entries = QString::fromLocal8Bit(argv[3]).toInt();
    for (int n = 0; n < entries; ++n) {
        gEntryStamp = QStringLiteral("202603110930");
        gUserShort = QStringLiteral("W") + worker;
        gEntryKind = "03";
        gEntryClass = "4A";
        gEntrySubject = "M";
        gEntryPeriod = "1";
        gEntryText = QStringLiteral("w%1 n%2 ").arg(worker).arg(n) + QString(120, QLatin1Char('x'));
        if (!AppendDayLine(ComposeEntryLine()))
            return 1;
    }
    return 0;
}
