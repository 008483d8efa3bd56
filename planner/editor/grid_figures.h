#pragma once
// What an optimiser run knows of the grid between its own placements, so that
// the rules it asks need not count a class's week or scan the combination
// table at every test. The figures hold only while the grid and the tables
// change through the run alone: the run counts again after anything else may
// have changed them and reports each cell it sets.
#include <array>
#include <vector>

namespace rules {

class GridFigures {
public:
    // Counts the grid and the combination table as they are now.
    void recount();
    // Around setting a cell of the grid: whatever setting one cell changes
    // lies in its day and period (the other group row for a partner subject,
    // the grade's classes for an ability group).
    void beforeSetting(int day, int period);
    void afterSetting();

    // Lessons of `subject` in the week of class `cls`, both group rows; -1
    // for a class or subject outside the count.
    int lessonsInWeek(int cls, int subject) const;
    // The rows of the combination table whose class A is `cls` and whose two
    // subjects are given, ascending; nullptr for a class outside the count.
    const std::vector<int>* combinationRows(int cls) const;

private:
    static constexpr int kClasses = 25;
    static constexpr int kSubjects = 99;
    using Column = std::array<std::array<short, 2>, kClasses + 1>;

    Column column(int day, int period) const;
    void tally(short subject, int cls, int change);

    std::array<std::array<int, kSubjects + 1>, kClasses + 1> m_lessons{};
    std::array<std::vector<int>, kClasses + 1> m_combinationRows;
    int m_day = 0;
    int m_period = 0;
    Column m_before{};
};

// While one lives, the rules read the figures in place of their own counts.
class UsingFigures {
public:
    explicit UsingFigures(const GridFigures& figures);
    ~UsingFigures();
    UsingFigures(const UsingFigures&) = delete;
    UsingFigures& operator=(const UsingFigures&) = delete;

private:
    const GridFigures* m_previous;
};
// The figures in use; nullptr when the rules count for themselves.
const GridFigures* figuresInUse();

}
