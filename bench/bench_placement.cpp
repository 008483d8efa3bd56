// A placement in the timetable editor at capacity: the generated school's 24
// classes. The editor rebuilds the teacher-side entries of the period after
// every placement, so a lesson taken out gives a shared teacher back; the
// benchmark holds that against the bare cell procedure (the baseline) and
// against rebuilding the whole week.
#include "core/constants.h"
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "tests/support/generated_school.h"

#include <benchmark/benchmark.h>

namespace {
constexpr unsigned kSeed = 1;
// Monday's third period of class 6b, left row.
const editor::HalfCell kCell{1, 3, 6, 0};

void fillSchool()
{
    resetModel();
    InitialiseConstants();
    generated_school::build(kSeed);
}

// Takes the lesson out and puts it back, as "0" and a choice from the list do.
template <typename Place>
void takeOutAndPutBack(benchmark::State& state, Place place)
{
    fillSchool();
    const int lesson = gTimetable(kCell.day, kCell.period, kCell.cls, kCell.half);
    for (auto _ : state) {
        place(0);
        place(lesson);
    }
}

void BM_BareCellProcedure(benchmark::State& state)
{
    takeOutAndPutBack(state, [](int subject) {
        editor::enterCell(kCell);
        gSubject = subject;
        SetTimetableCell();
    });
}
BENCHMARK(BM_BareCellProcedure);

void BM_EditorPlacement(benchmark::State& state)
{
    takeOutAndPutBack(state, [](int subject) {
        gSubject = subject;
        editor::placeLesson(kCell);
    });
}
BENCHMARK(BM_EditorPlacement);

void BM_PlacementWithWholeWeekRebuilt(benchmark::State& state)
{
    takeOutAndPutBack(state, [](int subject) {
        editor::enterCell(kCell);
        gSubject = subject;
        SetTimetableCell();
        RebuildTeacherTimetables();
    });
}
BENCHMARK(BM_PlacementWithWholeWeekRebuilt);
}

BENCHMARK_MAIN();
