// The timetable editor's command list: the day check, fixing and releasing
// cells over the week, emptying the unfixed cells of the day, and the windows
// for swapping periods, releasing one teacher's fixations and listing the
// missing lessons.
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/missing_lessons.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/swap_periods.h"
#include "planner/editor/teacher_fixations.h"
#include "planner/editor/timetable_editor.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/runtime.h"

#include <QLabel>

namespace {
// The commands by their place in the list.
enum Command {
    kDayCheck = 0,
    kFixAll = 1,
    kReleaseAll = 2,
    kRemoveSubjects = 3,
    kSwap = 4,
    kTeacherFixations = 5,
    kFixEmpty = 6,
    kMissingLessons = 7,
    kFixSubjects = 8,
};

// Every half-cell of a cell whose group row 0 is unfixed is emptied on the
// day, its teachers freed.
void removeUnfixedLessons(int day)
{
    const int periods = timetable::periods();
    const int classes = timetable::lastClass();
    for (int p = 1; p <= periods; ++p)
        for (int c = 1; c <= classes; ++c)
            for (int half = 0; half <= 1; ++half) {
                if (gFixations(day, p, c, 0) != 0)
                    continue;
                gSubject = 0;
                editor::placeLesson({day, p, c, half});
            }
}

// "5a, 3.Eh. De  >  " and the rule's message.
QString errorReport(int period, int cls, int subject)
{
    return rules::className(cls) + QLatin1Char(',') + numbers::strForm(period) + QStringLiteral(".Eh. ") +
           rules::screenName(subject) + QStringLiteral("  >  ") + gText.toString();
}
}

void Form15::List3_Click()
{
    const int index = List3->ListIndex();
    const QString command = List3->List(index);
    // A command asks before it runs: the editor may be closed while the box
    // is up.
    if (!command.isEmpty() && !forms::stillOpenAfter(this, [this, index] { runCommand(index); }))
        return;
    if (List3->ListIndex() >= 0)
        List3->setListIndex(-1);
}

void Form15::runCommand(int index)
{
    switch (index) {
    case kMissingLessons:
        forms::show<Form55>();
        return;
    case kTeacherFixations:
        forms::show<Form42>();
        return;
    case kSwap:
        forms::show<Form34>();
        RedrawTimetableGrid();
        return;
    case kDayCheck:
        if (runDayCheck())
            RedrawTimetableGrid();
        return;
    default:
        break;
    }
    const QString command = List3->List(index);
    Label1->setText(command);
    // The editor may be closed while the question is up.
    const QPointer<Form15> self(this);
    if (!AskYesNo(QStringLiteral("Befehl ausführen ?"), command) || !forms::listening(self))
        return;
    const BusyPointer busy;
    switch (index) {
    case kFixAll:
        FixAllCells();
        break;
    case kReleaseAll:
        ReleaseFixedCells();
        break;
    case kRemoveSubjects:
        removeUnfixedLessons(editor::shownDay());
        break;
    case kFixEmpty:
        FixEmptyCells();
        break;
    case kFixSubjects:
        FixLessonCells();
        break;
    default:
        break;
    }
    RedrawTimetableGrid();
}

bool Form15::runDayCheck()
{
    const QPointer<Form15> self(this);
    Label1->setText(QStringLiteral("aktueller Tag wird überprüft"));
    Label1->repaint();
    RebuildTeacherTimetables();
    gUncheckedChangeDay = 0;
    const int day = editor::shownDay();
    const int periods = timetable::periods();
    const int classes = timetable::lastClass();
    for (int p = 1; p <= periods; ++p)
        for (int c = 1; c <= classes; ++c)
            for (int half = 0; half <= 1; ++half) {
                if (editor::passesErrorCheck({day, p, c, half}))
                    continue;
                const QString report = errorReport(p, c, gSubject.toInt());
                gText = report;
                // A title bar may cut a long report: the box says it in full.
                const bool goOn = AskOkCancel(report + QStringLiteral("\n\nFehlerprüfung fortsetzen ?"), report);
                if (!forms::listening(self))
                    return false;
                if (!goOn) {
                    Label1->setText(report);
                    return true;
                }
            }
    Label1->setText(QStringLiteral("Fehlerprüfung abgeschlossen"));
    return true;
}
