#pragma once
// The timetable editor's shared procedures: the layout of its grid, turning a
// line of its subject list back into a subject, its keys, and the fixations
// and counts over the whole grid that the optimiser and the command list use.
// Like the other module procedures they take no arguments; the window is
// Form15 (timetable_editor.h).

#include <QList>
#include <QStringList>

class ListBox;
class QKeyEvent;

// Sizes Form15 for gVisibleColumns and places the grid labels: label n shows,
// counting column by column, period by period, left half then right half, the
// cell that RedrawTimetableGrid maps to it. Labels of no cell are hidden.
void LayoutTimetableGrid();

// gText is a line of the editor's subject list ("De   AB!"): it is cut down to
// the short name, and gSubject becomes the last subject of that screen short
// name (unchanged when none has it).
void FindSubjectByShortName();

// The key code in gLoopI (the original's codes, editor::keyCode): 0 frees the
// selected half-cell while "frei" is enabled, F1..F6 choose the weekday, 1..8
// choose that entry of the placement list. The shift state in gLoopJ is not used.
void HandleEditorKey();

// Over every cell of the week of the classes in use, decided by the fixation
// of group row 0 and setting both rows: unfixed cells become temporarily
// fixed; temporary fixations are released; unfixed empty cells become fixed.
void FixAllCells();
void ReleaseFixedCells();
void FixEmptyCells();
// Unfixed cells holding a lesson in either row become temporarily fixed.
void FixLessonCells();

// The class-header click in fixation mode: the cells of the class's day that
// are not fixed absolutely all take the fixation that follows the one of the
// last of them (none -> temporary -> none), lessons and empty cells alike.
void ToggleClassDayFixation(int day, int cls);

// gPlacedCount: the half-cells holding a subject chosen for the optimisation
// (gOptimizeSubjects 1); gPlacedCount2: the curriculum hours of those subjects
// over the classes in use, the count when all of them are placed.
void CountPlacedLessons();

namespace editor {
// The grid has room for 16 columns of 11 periods, two labels per cell.
constexpr int kMaxColumns = 16;
constexpr int kMaxPeriods = 11;
constexpr int kGridLabels = kMaxColumns * kMaxPeriods * 2;

// The shown columns (gVisibleColumns) and periods (gPeriodsPerDay), kept
// within what the grid has room for.
int columns();
int periods();

// The key as the original's KeyDown reports it: digits 48..57, keypad digits
// 96..105, F1..F12 112..123; 0 for a key the editor does not know.
int keyCode(const QKeyEvent& key);
// The shift state: 1 Shift, 2 Ctrl, 4 Alt, added.
int shiftState(const QKeyEvent& key);

// The weekday the editor shows (gLastEditorDay), within the school week
// (Monday else).
int shownDay();

// A half-cell of the grid. A window that acts on a cell some time after it
// was chosen keeps its own: other windows use gDay, gPeriod, gClass and gHalf
// as scratch meanwhile, and the lesson would land in their cell.
struct HalfCell {
    int day = 0;
    int period = 0;
    int cls = 0;
    int half = 0;
};
// gDay, gPeriod, gClass, gHalf := the half-cell.
void enterCell(const HalfCell& cell);

// Whether the lesson in the half-cell passes the error check as the day check
// runs it (gText holds the refusal); an empty half-cell and a lesson fixed
// absolutely without the check pass.
bool passesErrorCheck(const HalfCell& cell);
// The lessons of the week that the error check refuses, in the order the day
// check visits them. The teacher tables must describe the grid.
QList<HalfCell> refusedLessons();
// The editor's placement: gSubject (0 empties) into the half-cell through
// SetTimetableCell, with its results in gSubject and gCheckOk. A placement
// forced over a clash shares a teacher with another lesson of the period;
// taking either out gives the teacher back to the other, so the teacher-side
// tables go on holding what the grid holds.
void placeLesson(const HalfCell& cell);

// The placement lists' entries carry the subject they were built for: two
// subjects may share a short name, and a short name may be empty or end in
// "!", so the text alone does not tell the subject back.
void addEntries(ListBox* list, const QStringList& texts, const QList<int>& subjects);
// The subject of an entry; 0 for a row without one.
int entrySubject(const ListBox* list, int row);
}
