#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/grid_figures.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_support.h"

#include <algorithm>

using namespace rules;

namespace {

constexpr int kInputPosition = 2;
constexpr int kAbilityGroups = 4;
constexpr int kPartner = 6;

bool isAbilityGroupSubject(int subject) { return property(subject, kAbilityGroups) != 0; }

bool isFree(int day, int period, int cls)
{
    return lessonAt(day, period, cls, 0) == 0 && lessonAt(day, period, cls, 1) == 0;
}

// The classes of the leading class's grade that take part in its ability
// groups, until `visit` answers false.
template <typename Visit>
void forEachParallelClass(int grade, Visit visit)
{
    const int last = std::min(gLastClass.toInt(), static_cast<int>(gClassNames.upper(0)));
    for (int k = 1; k <= last; ++k) {
        if (className(k).isEmpty() || timetable::grade(k) != grade || !timetable::inAbilityGroups(k))
            continue;
        if (!visit(k))
            return;
    }
}

// One row of the combination table: subject A of class A is taught together
// with subject B of class B.
struct Combination {
    int subjectA, classA, subjectB, classB;
};

Combination combinationAt(int row)
{
    return {gClassCombinations(row, 1).toInt(), gClassCombinations(row, 2).toInt(), gClassCombinations(row, 3).toInt(),
            gClassCombinations(row, 4).toInt()};
}

// A row applies to the current class when it names it as class A; a row
// with a side without subject ties nothing.
bool appliesHere(const Combination& c)
{
    return c.classA == gClass.toInt() && c.subjectA != 0 && c.subjectB != 0;
}

QString combinationPrefix(const Combination& c)
{
    return screenName(c.subjectA) + " " + className(c.classA) + " soll mit " + screenName(c.subjectB) + " "
        + className(c.classB);
}

// The rows that apply to the current class, ascending, until `visit` answers
// false. A school without combinations has no row to visit.
template <typename Visit>
void forEachApplyingRow(Visit visit)
{
    const GridFigures* figures = figuresInUse();
    if (const std::vector<int>* rows = figures ? figures->combinationRows(gClass.toInt()) : nullptr) {
        for (int row : *rows)
            if (!visit(combinationAt(row)))
                return;
        return;
    }
    for (int row = 1; row <= kCombinationRows; ++row) {
        const Combination c = combinationAt(row);
        if (appliesHere(c) && !visit(c))
            return;
    }
}

// Class B already holds its side in this period: only subject A may join it.
// Returns whether such a row decided the placement.
bool decidedByPlacedPartner(int day, int period, int subject)
{
    bool decided = false;
    forEachApplyingRow([&](const Combination& c) {
        gComboValueA = lessonAt(day, period, c.classB, 0);
        gComboValueB = lessonAt(day, period, c.classB, 1);
        if (gComboValueA != c.subjectB && gComboValueB != c.subjectB)
            return true;
        if (c.subjectA != subject)
            refuse([&] { return combinationPrefix(c) + " kombiniert werden !"; });
        decided = true;
        return false;
    });
    return decided;
}

QString occupantsText(int day, int period, int cls)
{
    QString text;
    for (int row = 0; row <= 1; ++row) {
        if (const short s = lessonAt(day, period, cls, row); s != 0)
            text += screenName(s) + " ";
    }
    return text;
}

// The message names the last incomplete cell of the week.
void refuseIncompleteCombination(const Combination& c)
{
    for (int d = 1; d <= timetable::days(); ++d) {
        for (int p = 1; p <= timetable::periods(); ++p) {
            gComboValueA = lessonAt(d, p, c.classB, 0);
            gComboValueB = lessonAt(d, p, c.classB, 1);
            gComboValueC = lessonAt(d, p, c.classA, 0);
            gComboValueD = lessonAt(d, p, c.classA, 1);
            const bool sideB = gComboValueA == c.subjectB || gComboValueB == c.subjectB;
            const bool sideA = gComboValueC == c.subjectA || gComboValueD == c.subjectA;
            if (sideB && !sideA)
                refuse([&] {
                    return "unvollständige Kombination am " + gDayShortNames(d) + " " + className(c.classB)
                        + " in der " + QString::number(p) + ".Eh";
                });
        }
    }
}

// The lesson fills the cell of every parallel class as well: there it must
// hold the rules it would hold if it were placed in that class, or it would
// break a double period or a day's limit that only that class can see.
void holdsInParallelClasses(int grade)
{
    const Variant leading = gClass;
    forEachParallelClass(grade, [&](int k) {
        if (k == leading.toInt())
            return true;
        gClass = k;
        if (RunParallelClassChain())
            return true;
        if (refusalTextWanted())
            gText = className(k) + ": " + gText.toString();
        return false;
    });
    gClass = leading;
    SetClassTypeFlags();
}

}

void CheckCellSide()
{
    gCheckOk = 1;
    const int subject = gSubject.toInt();
    const short position = property(subject, kInputPosition);
    if (position == 0 && gHalf == 1)
        refuse([&] { return screenName(subject) + " nur links eingeben"; });
    else if (position == 1 && gHalf == 0)
        refuse([&] { return screenName(subject) + " nur rechts eingeben"; });
}

void CheckAbilityGroupConflict()
{
    gCheckOk = 1;
    SetClassTypeFlags();
    const int present = lessonAt(gDay.toInt(), gPeriod.toInt(), gClass.toInt(), 0);
    if (isAbilityGroupSubject(present) && gClassFlagA != 1 && present != gSubject.toInt())
        refuse([&] { return "bereits mit LG-Fach " + gSubjectNames(present, 0) + " belegt"; });
}

void CheckAbilityGroupParallel()
{
    gCheckOk = 1;
    const int subject = gSubject.toInt();
    if (!isAbilityGroupSubject(subject))
        return;
    SetClassTypeFlags();
    const int day = gDay.toInt();
    const int period = gPeriod.toInt();
    if (gClassFlagA != 1) {
        // Entered through the leading class, it stands here already.
        if (lessonAt(day, period, gClass.toInt(), 0) != subject)
            refuse("LG-Fach nur in a-Klasse, PL oder PL1 eingeben");
        return;
    }
    const int grade = timetable::grade(gClass.toInt());
    forEachParallelClass(grade, [&](int k) {
        if (fixationAt(day, period, k, 0) > 0)
            gCheckOk = 0;
        return true;
    });
    if (gCheckOk == 0) {
        refuse("Nicht ALLE Fixierungen sind gelöst");
        return;
    }
    forEachParallelClass(grade, [&](int k) {
        if (isFree(day, period, k) || lessonAt(day, period, k, 0) == subject)
            return true;
        refuse("Nicht ALLE Stunden sind entfernt");
        return false;
    });
    if (gCheckOk == 1)
        holdsInParallelClasses(grade);
}

void CheckCombinedSubject()
{
    const Variant subject = gSubject;
    const int partner = property(subject.toInt(), kPartner);
    // A partner number that names no subject leaves nothing to check.
    if (!isSubject(partner) || gHalf == 1)
        return;
    gSubject = partner;
    gHalf = 1;
    const bool allowed = RunPartnerChain();
    gSubject = subject;
    gHalf = 0;
    if (!allowed && refusalTextWanted())
        gText = "Kombifachproblem: " + gText.toString();
}

void CheckClassCombination()
{
    gCheckOk = 1;
    const int day = gDay.toInt();
    const int period = gPeriod.toInt();
    const int subject = gSubject.toInt();
    if (decidedByPlacedPartner(day, period, subject))
        return;
    forEachApplyingRow([&](const Combination& c) {
        if (c.subjectA != subject)
            return true;
        if (!isFree(day, period, c.classB))
            refuse([&] {
                return combinationPrefix(c) + " kombiniert werden - der Platz ist aber bereits mit "
                    + occupantsText(day, period, c.classB) + "belegt.";
            });
        else if (fixationAt(day, period, c.classB, 0) > 0)
            refuse([&] { return combinationPrefix(c) + " kombiniert werden - der Platz dort ist aber gesperrt."; });
        else
            refuseIncompleteCombination(c);
        return false;
    });
}
