#pragma once
// A plan at the capacities of the data model, for the benchmarks that load
// and save one: six long days, every class with a lesson in every cell, as
// plan 1 of `folder`.
#include "core/constants.h"
#include "core/model.h"

#include <QString>

inline void makeAFullPlan(const QString& folder)
{
    resetModel();
    InitialiseConstants();
    gDataPath = folder + QLatin1Char('/');
    gDaysPerWeek = 6;
    gPeriodsPerDay = 11;
    for (int c = 1; c <= 24; ++c) {
        for (int s = 1; s <= 99; ++s) {
            gSubjectAttr(s, 5) = 1;
            gCurriculumHours(c, s) = static_cast<short>((c + s) % 5);
            gSubjectTeachers(c, s, 0) = static_cast<short>((c * 7 + s * 3) % 60 + 1);
        }
        for (int d = 1; d <= 6; ++d) {
            for (int p = 1; p <= 11; ++p)
                gTimetable(d, p, c, 0) = static_cast<short>(1 + (d * 11 + p + c * 3) % 99);
        }
    }
    gPlanName = QStringLiteral("1");
}
