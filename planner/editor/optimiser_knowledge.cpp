#include "planner/editor/optimiser_run_support.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/timetable_editor.h"

namespace optimiser::runs {

namespace {
constexpr int kAbilityGroupColumn = 4;
}

GridKnowledge gKnown;

void forgetGrid()
{
    gKnown.counted = false;
    ++gKnown.version;
}

int subjectAt(int day, int period, int cls) { return gTimetable(day, period, cls, 0); }
bool abilityGroup(int subject) { return rules::property(subject, kAbilityGroupColumn) == 1; }

void setCell(const Variant& day, const Variant& cls, const Variant& period)
{
    gDay = day;
    gClass = cls;
    gPeriod = period;
}

void takeRow(int row)
{
    setCell(gOpenPositions(row, 0), gOpenPositions(row, 1), gOpenPositions(row, 2));
}

int days() { return timetable::days(); }
int periods() { return timetable::periods(); }
int classes() { return timetable::lastClass(); }

const rules::GridFigures& RunRules::countedFigures()
{
    if (!gKnown.counted) {
        gKnown.figures.recount();
        gKnown.counted = true;
    }
    return gKnown.figures;
}

int collectCandidates(bool onlyChosen)
{
    const RunRules asked;
    const int cls = gClass.toInt();
    for (int i = 0; i <= static_cast<int>(gSubjectWork.upper()); ++i)
        gSubjectWork(i) = 0;
    int n = 0;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (gCurriculumHours(cls, s) == 0 || (onlyChosen && gOptimizeSubjects(s).toDouble() == 0))
            continue;
        gSubject = s;
        gCheckOk = 1;
        if (RunOptimiserChain())
            gSubjectWork(++n) = static_cast<short>(s);
    }
    return n;
}

void place(int subject)
{
    gSubject = subject;
    gHalf = 0;
    gKnown.figures.beforeSetting(gDay.toInt(), gPeriod.toInt());
    SetTimetableCell();
    gKnown.figures.afterSetting();
    ++gKnown.version;
}

}
