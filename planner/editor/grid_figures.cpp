#include "planner/editor/grid_figures.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/rule_support.h"

#include <type_traits>

namespace rules {

namespace {
const GridFigures* gInUse = nullptr;

bool counted(int day, int period)
{
    return day >= 1 && day <= timetable::days() && period >= 1 && period <= timetable::periods();
}
}

void GridFigures::tally(short subject, int cls, int change)
{
    if (subject >= 1 && subject <= kSubjects)
        m_lessons[cls][subject] += change;
}

GridFigures::Column GridFigures::column(int day, int period) const
{
    // The classes and group rows of a day's period lie side by side.
    const short* cells = &gTimetable(day, period, 0, 0);
    constexpr int kRows = static_cast<int>(std::remove_reference_t<decltype(gTimetable)>::upper(3)) + 1;
    static_assert(kClasses <= std::remove_reference_t<decltype(gTimetable)>::upper(2));
    Column c{};
    for (int cls = 1; cls <= kClasses; ++cls)
        for (int half = 0; half <= 1; ++half)
            c[cls][half] = cells[cls * kRows + half];
    return c;
}

void GridFigures::recount()
{
    m_lessons = {};
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p) {
            const Column c = column(d, p);
            for (int cls = 1; cls <= kClasses; ++cls)
                for (short subject : c[cls])
                    tally(subject, cls, +1);
        }
    for (auto& rows : m_combinationRows)
        rows.clear();
    for (int row = 1; row <= kCombinationRows; ++row) {
        const int cls = gClassCombinations(row, 2).toInt();
        if (cls >= 0 && cls <= kClasses && gClassCombinations(row, 1).toInt() != 0 &&
            gClassCombinations(row, 3).toInt() != 0)
            m_combinationRows[cls].push_back(row);
    }
}

void GridFigures::beforeSetting(int day, int period)
{
    m_day = day;
    m_period = period;
    if (counted(day, period))
        m_before = column(day, period);
}

void GridFigures::afterSetting()
{
    if (!counted(m_day, m_period))
        return;
    const Column after = column(m_day, m_period);
    for (int cls = 1; cls <= kClasses; ++cls)
        for (int half = 0; half <= 1; ++half) {
            if (after[cls][half] == m_before[cls][half])
                continue;
            tally(m_before[cls][half], cls, -1);
            tally(after[cls][half], cls, +1);
        }
}

int GridFigures::lessonsInWeek(int cls, int subject) const
{
    if (cls < 1 || cls > kClasses || subject < 1 || subject > kSubjects)
        return -1;
    return m_lessons[cls][subject];
}

const std::vector<int>* GridFigures::combinationRows(int cls) const
{
    return cls >= 0 && cls <= kClasses ? &m_combinationRows[cls] : nullptr;
}

UsingFigures::UsingFigures(const GridFigures& figures) : m_previous(gInUse) { gInUse = &figures; }
UsingFigures::~UsingFigures() { gInUse = m_previous; }

const GridFigures* figuresInUse() { return gInUse; }

}
