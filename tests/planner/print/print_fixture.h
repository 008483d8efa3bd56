#pragma once
// The common start of the print menu's tests: a small school (teachers with a
// gap among their slots, classes with empty and "-" slots, named and unnamed
// rooms), a week of 5 days, and everything printed recorded on a device that
// stands for an A4 printer.
#include "core/model.h"
#include "tests/support/fixture.h"
#include "tests/support/printing.h"

#include <QString>

class PrintTest : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gSpecialRoomCount = 16;
        gSchoolName = QStringLiteral("Muster-Schule");
        for (int t = 0; t <= 60; ++t)
            gTeacherNames(t) = QStringLiteral("-");
        gTeacherNames(1) = QStringLiteral("Abel Anna");
        gTeacherNames(3) = QStringLiteral("Berg Bernd");
        gTeacherNames(12) = QStringLiteral("Corn Clara");
        gTeacherTitle(3) = 4;
        const char* const classes[] = {"1A", "1B", "", "-", "2A"};
        for (int k = 0; k < 5; ++k)
            gClassNames(k + 1) = QString::fromUtf8(classes[k]);
        for (int r = 1; r <= 16; ++r)
            gSpecialRoomNames(r) = QStringLiteral("-");
        gSpecialRoomNames(1) = QStringLiteral("Turnsaal");
        gSpecialRoomNames(3) = QString();
        gSpecialRoomNames(4) = QStringLiteral("Labor");
        rec = &recordPrinting(QStringLiteral("Laserdrucker"), QPageSize(QPageSize::A4));
    }

    PrinterReset m_printer;
    PrintRecorder* rec = nullptr;
};
