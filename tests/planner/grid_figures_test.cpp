#include "core/model.h"
#include "planner/editor/grid_figures.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_support.h"
#include "tests/planner/planner_fixture.h"
#include "tests/support/generated_school.h"

#include <QList>

#include <algorithm>
#include <tuple>

namespace {

// The generated school with its unfixed lessons taken out: ability groups,
// partner subjects and combined classes, as an optimiser run meets them.
class GridFiguresTest : public PlannerTest {
protected:
    struct Lesson {
        int day, period, cls, subject;
    };

    void SetUp() override
    {
        PlannerTest::SetUp();
        generated_school::build(kSeed);
        for (int d = 1; d <= timetable::days(); ++d)
            for (int p = 1; p <= timetable::periods(); ++p)
                for (int c = 1; c <= timetable::lastClass(); ++c)
                    if (gFixations(d, p, c, 0) == 0 && gTimetable(d, p, c, 0) != 0)
                        m_unfixed.append({d, p, c, gTimetable(d, p, c, 0)});
        generated_school::clearOpenLessons();
    }

    // Sets a cell as a run does, telling the figures.
    void set(const Lesson& l, int subject)
    {
        at(l.day, l.period, l.cls, 0, subject);
        m_figures.beforeSetting(l.day, l.period);
        SetTimetableCell();
        m_figures.afterSetting();
    }

    // Where the figures differ from a fresh count, as "class/subject".
    QStringList differences() const
    {
        rules::GridFigures fresh;
        fresh.recount();
        QStringList found;
        for (int c = 1; c <= 25; ++c)
            for (int s = 1; s <= 99; ++s)
                if (m_figures.lessonsInWeek(c, s) != fresh.lessonsInWeek(c, s))
                    found << QStringLiteral("%1/%2").arg(c).arg(s);
        return found;
    }

    // The answer and text of the optimiser's chain for every subject of the
    // class in every empty cell.
    static QList<std::tuple<int, QString>> chainAnswers()
    {
        QList<std::tuple<int, QString>> answers;
        for (int d = 1; d <= timetable::days(); ++d)
            for (int p = 1; p <= timetable::periods(); ++p)
                for (int c = 1; c <= timetable::lastClass(); ++c) {
                    if (gTimetable(d, p, c, 0) != 0)
                        continue;
                    for (int s = 1; s <= 99; ++s) {
                        if (gCurriculumHours(c, s) == 0)
                            continue;
                        at(d, p, c, 0, s);
                        gCheckOk = 1;
                        gText = QString();
                        const bool allowed = RunOptimiserChain();
                        answers.append({allowed ? 1 : 0, gText.toString()});
                    }
                }
        return answers;
    }

    static constexpr unsigned kSeed = 2;
    QList<Lesson> m_unfixed;
    rules::GridFigures m_figures;
};

}

// Whatever a placement changes besides its cell (the partner's group row, the
// grade's ability groups) reaches the counts, and so does taking it out.
TEST_F(GridFiguresTest, FiguresFollowEveryCellTheRunSets)
{
    ASSERT_GT(m_unfixed.size(), 300);
    m_figures.recount();
    for (const Lesson& l : m_unfixed)
        set(l, l.subject);
    EXPECT_TRUE(differences().isEmpty()) << differences().join(' ').toStdString();
    for (qsizetype i = 0; i < m_unfixed.size(); i += 3)
        set(m_unfixed[i], 0);
    EXPECT_TRUE(differences().isEmpty()) << differences().join(' ').toStdString();
}

// The rules say the same with the figures as from their own counts, in a week
// three quarters filled: only the texts are left out, and only while asked
// quietly.
TEST_F(GridFiguresTest, RulesAnswerAlikeFromTheFigures)
{
    for (qsizetype i = 0; i < m_unfixed.size(); ++i) {
        if (i % 4 == 0)
            continue;
        at(m_unfixed[i].day, m_unfixed[i].period, m_unfixed[i].cls, 0, m_unfixed[i].subject);
        SetTimetableCell();
    }
    const auto counted = chainAnswers();
    const auto refusedWith = [&](const char* start) {
        return std::any_of(counted.begin(), counted.end(), [&](const auto& a) {
            return std::get<1>(a).startsWith(QString::fromUtf8(start));
        });
    };
    ASSERT_TRUE(refusedWith("Es sind schon "));

    m_figures.recount();
    QList<std::tuple<int, QString>> fromFigures;
    {
        const rules::UsingFigures figures(m_figures);
        fromFigures = chainAnswers();
    }
    EXPECT_EQ(fromFigures, counted);

    const rules::UsingFigures figures(m_figures);
    const rules::QuietRefusals quiet;
    const auto quietly = chainAnswers();
    ASSERT_EQ(quietly.size(), counted.size());
    for (qsizetype i = 0; i < counted.size(); ++i) {
        EXPECT_EQ(std::get<0>(quietly[i]), std::get<0>(counted[i])) << i;
        EXPECT_TRUE(std::get<0>(quietly[i]) == 1 || std::get<1>(quietly[i]).isEmpty()) << i;
    }
}
