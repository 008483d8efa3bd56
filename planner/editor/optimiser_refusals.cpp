#include "planner/editor/optimiser_run_support.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/timetable_editor.h"

namespace optimiser::runs {

namespace {

// An ability-group lesson goes out through the leading class that holds it.
int classToTakeOut(const editor::HalfCell& cell, int subject)
{
    if (!abilityGroup(subject))
        return cell.cls;
    const int grade = timetable::grade(cell.cls);
    for (int k = 1; k <= timetable::lastClass(); ++k) {
        gClass = k;
        SetClassTypeFlags();
        if (gClassFlagA == 1 && timetable::grade(k) == grade && subjectAt(cell.day, cell.period, k) == subject)
            return k;
    }
    return cell.cls;
}

}

QList<editor::HalfCell> refusedOpenLessons()
{
    const RunRules asked;
    QList<editor::HalfCell> refused = editor::refusedLessons();
    refused.removeIf([](const editor::HalfCell& c) { return gFixations(c.day, c.period, c.cls, 0) != 0; });
    return refused;
}

void removeRefusedLessons()
{
    for (bool removed = true; removed;) {
        removed = false;
        for (const editor::HalfCell& cell : refusedOpenLessons()) {
            const int subject = gTimetable(cell.day, cell.period, cell.cls, cell.half);
            editor::enterCell({cell.day, cell.period, classToTakeOut(cell, subject), cell.half});
            gSubject = 0;
            SetTimetableCell();
            forgetGrid();
            removed = removed || gTimetable(cell.day, cell.period, cell.cls, cell.half) == 0;
        }
    }
}

}
