#pragma once
// Day-file lines for the register tests, composed by the engine (whose bytes
// the day-file tests check column by column).
#include "core/model.h"
#include "register/day_file.h"

#include <QString>

struct Entry {
    QString kind{};
    QString cls = QStringLiteral("3A");
    QString text{};
    QString shortName = QStringLiteral("ABC");
    QString period = QStringLiteral("1");
    QString subject = QStringLiteral("M");
    QString student{};
    QString room{};
    QString stamp = QStringLiteral("202603110930");
};

inline QString entryLine(const Entry& e)
{
    gEntryStamp = e.stamp;
    gUserShort = e.shortName;
    gEntryKind = e.kind;
    gEntryClass = e.cls;
    gEntrySubject = e.subject;
    gEntryPeriod = e.period;
    gEntryStudent = e.student;
    gEntryRoom = e.room;
    gEntryText = e.text;
    return ComposeEntryLine();
}

inline QString removalLine(int lineNumber, const QString& shortName = QStringLiteral("ABC"))
{
    gEntryStamp = QStringLiteral("202603111000");
    gUserShort = shortName;
    return ComposeRemovalLine(lineNumber);
}
