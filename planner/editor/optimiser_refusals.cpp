#include "planner/editor/optimiser_run_support.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/timetable_editor.h"

#include <algorithm>

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

// Half a coupled lesson passes the error check while the other class's cell
// is open, and is refused once that cell is fixed: a saved plan never holds one.
void addLoneHalves(QList<editor::HalfCell>& refused)
{
    for (int d = 1; d <= days(); ++d)
        for (int p = 1; p <= periods(); ++p)
            for (int c = 1; c <= classes(); ++c) {
                const editor::HalfCell cell{d, p, c, 0};
                const auto same = [&cell](const editor::HalfCell& r) {
                    return r.day == cell.day && r.period == cell.period && r.cls == cell.cls && r.half == cell.half;
                };
                if (gFixations(d, p, c, 0) == 0 && rules::isLoneHalf(d, p, c)
                    && std::none_of(refused.begin(), refused.end(), same))
                    refused << cell;
            }
}

}

QList<editor::HalfCell> refusedOpenLessons()
{
    const RunRules asked;
    QList<editor::HalfCell> refused = editor::refusedLessons();
    refused.removeIf([](const editor::HalfCell& c) { return gFixations(c.day, c.period, c.cls, 0) != 0; });
    addLoneHalves(refused);
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
