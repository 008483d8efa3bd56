// The timetable editor's cells: a click offers the subjects the rules let
// stand there and lists those they refuse, a chosen subject is placed, "frei"
// empties the half-cell; in the fixation modes the same clicks fix and
// release cells, per cell or per class and day.
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/missing_lessons.h"
#include "planner/editor/placement_rules.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_editor.h"
#include "planner/editor/why_not_window.h"
#include "platform/runtime.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr std::uint32_t kHighlight = 0x00FFFF;
constexpr double kReminderChance = 0.2;
// The codes a fixation mode sets.
constexpr short kTemporary = 1;
constexpr short kAbsolute = 4;
constexpr short kAbsoluteUnchecked = 5;

const QString kReminder = QStringLiteral("Bitte bald eine Fehlerprüfung durchführen !");

std::uint32_t colourOf(const Variant& value) { return static_cast<std::uint32_t>(value.toDouble()); }

QString longName(int subject) { return gSubjectNames.inBounds(subject) ? gSubjectNames(subject, 0) : QString(); }

// Teaches `teacher` in `period` of the day? Periods outside the day are free.
bool teaches(int teacher, int day, int period)
{
    return period >= 1 && period <= timetable::periods() && gTeacherPlanSubject(teacher, day, period) > 0;
}

// The teachers of a lesson, each behind a blank, marked "!" for a lesson in
// the period before and again for one in the period after.
QString teachersOf(const editor::HalfCell& at, int subject, bool markBusy)
{
    QString text;
    for (int slot = 0; slot < rules::kTeacherSlots; ++slot) {
        const int teacher = rules::lessonTeacher(at.cls, subject, slot);
        if (teacher == 0)
            continue;
        text += QLatin1Char(' ') + gTeacherShort(teacher);
        if (markBusy && teaches(teacher, at.day, at.period - 1))
            text += QLatin1Char('!');
        if (markBusy && teaches(teacher, at.day, at.period + 1))
            text += QLatin1Char('!');
    }
    return text;
}

struct PlacementLists {
    QStringList offered, refused;
    QList<int> offeredSubjects, refusedSubjects;
};

// Every subject in the editor's order through the curriculum and the
// standard chain on the half-cell.
PlacementLists placementListsFor(const editor::HalfCell& at)
{
    PlacementLists lists;
    for (int i = 1; i <= gMaxSubjects; ++i) {
        const int subject = gSubjectOrder(i);
        // A rule may leave the cell changed (the partner check ends in row 0).
        editor::enterCell(at);
        gSubject = subject;
        CheckInCurriculum();
        if (gCheckOk == 0)
            continue;
        if (RunStandardChain()) {
            lists.offered << rules::screenName(subject) + QStringLiteral("   ") + teachersOf(at, subject, true);
            lists.offeredSubjects << subject;
        } else {
            lists.refused << rules::screenName(subject);
            lists.refusedSubjects << subject;
        }
    }
    editor::enterCell(at);
    return lists;
}

// The subject of the chosen entry: the one the entry was built for, whatever
// its text turns back into.
void takeEntrySubject(const ListBox* list)
{
    const int listed = editor::entrySubject(list, list->ListIndex());
    gText = list->List(list->ListIndex());
    FindSubjectByShortName();
    if (listed != 0)
        gSubject = listed;
}
}

void Form15::G_Click(int index)
{
    if (gOptimizerRunning == 1)
        return;
    m_selectedCell = {editor::shownDay(), gGridCellMap(index, 0), gGridCellMap(index, 1), gGridCellMap(index, 2)};
    editor::enterCell(m_selectedCell);
    const editor::HalfCell& at = m_selectedCell;
    if (gEditMode != 0) {
        const short code = rules::fixationAt(at.day, at.period, at.cls, at.half);
        if (code >= 0) {
            const short next = code > 0 ? 0 : gEditMode;
            gFixations(at.day, at.period, at.cls, 0) = next;
            gFixations(at.day, at.period, at.cls, 1) = next;
        }
        RedrawTimetableGrid();
        return;
    }
    highlight(index);
    const int present = rules::lessonAt(at.day, at.period, at.cls, at.half);
    Label1->setText(longName(present) + teachersOf(at, present, false));
    fillPlacementLists();
    List1->setFocus();
    Command1->setEnabled(true);
}

void Form15::highlight(int index)
{
    if (!gSelectedCellColour.isEmpty() && gSelectedCell >= 0 && gSelectedCell < editor::kGridLabels)
        controls::setBackColor(G[gSelectedCell], gSelectedCellColour.toUInt());
    gSelectedCellColour = QString::number(controls::backColor(G[index]));
    controls::setBackColor(G[index], kHighlight);
    gSelectedCell = static_cast<short>(index);
}

void Form15::fillPlacementLists()
{
    List1->Clear();
    List2->Clear();
    const PlacementLists lists = placementListsFor(m_selectedCell);
    editor::addEntries(List1, lists.offered, lists.offeredSubjects);
    editor::addEntries(List2, lists.refused, lists.refusedSubjects);
}

void Form15::List1_Click()
{
    if (List1->List(List1->ListIndex()).isEmpty())
        return;
    // The optimisation owns the grid until it ends by loading its best plan:
    // a lesson placed meanwhile would vanish or land in the cell it works on.
    if (gOptimizerRunning == 1) {
        Beep();
        return;
    }
    takeEntrySubject(List1);
    const int subject = gSubject.toInt();
    Label1->setText(longName(subject));
    if (gUncheckedChangeDay == m_selectedCell.day && Rnd() < kReminderChance)
        Label1->setText(kReminder);
    gSubject = subject;
    editor::placeLesson(m_selectedCell);
    Command1->setEnabled(false);
    RedrawTimetableGrid();
}

void Form15::Command1_Click()
{
    if (gOptimizerRunning == 1) {
        Beep();
        return;
    }
    gSubject = 0;
    editor::placeLesson(m_selectedCell);
    RedrawTimetableGrid();
}

void Form15::List2_Click() { forms::show<Form40>(); }

void Form15::Label3_Click(int index)
{
    if (gEditMode != 0 && gOptimizerRunning == 1) {
        Beep();
        return;
    }
    List1->Clear();
    List2->Clear();
    const int cls = gColumnOffset + index + 1;
    gClass = cls;
    // "frei" would empty the half-cell clicked before, in another column than
    // the one just chosen.
    Command1->setEnabled(false);
    if (gEditMode != 0)
        toggleClassFixation(cls);
    else
        showMissingHours(cls);
}

void Form15::toggleClassFixation(int cls)
{
    ToggleClassDayFixation(editor::shownDay(), cls);
    RedrawTimetableGrid();
}

void Form15::showMissingHours(int cls)
{
    const QString heading = QStringLiteral("fehlende Stunden in der Klasse ") + rules::className(cls) + ": ";
    Label1->setText(heading);
    Label1->repaint();
    const QString missing = MissingHours(cls);
    Label1->setText(heading + (missing.isEmpty() ? QStringLiteral("KEINE") : missing));
}

void Form15::chooseFixationMode(short code, const QString& text)
{
    gEditMode = code;
    Frame2->setTitle(QStringLiteral("Fixierungen"));
    controls::setBackColor(Label1, colourOf(gBackColours(code)));
    Label1->setText(text);
    List1->Clear();
    List2->Clear();
    Command1->setEnabled(false);
}

void Form15::Option3_Click() { chooseFixationMode(kTemporary, QStringLiteral("temporäre Fixierungen (für Optimierung 1)")); }

void Form15::Option4_Click() { chooseFixationMode(kAbsolute, QStringLiteral("absolute Fixierungen")); }

void Form15::Option5_Click()
{
    chooseFixationMode(kAbsoluteUnchecked, QStringLiteral("absolute Fixierungen - Fehlerprüfung wird deaktiviert"));
}
