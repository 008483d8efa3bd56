#include "planner/editor/editor_support.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/rule_chains.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/timetable_editor.h"
#include "platform/controls.h"
#include "platform/units.h"
#include "register/day_file.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace {
// The grid as designed for nine columns; each further column widens it.
constexpr int kMinColumns = 9;
constexpr int kBaseWindowWidth = 9960; // twips
constexpr int kColumnWidthTwips = 1080;
constexpr int kBaseInfoWidth = 541;    // pixels
constexpr int kBaseDoneLeft = 585;     // pixels
constexpr int kColumnWidth = 72;       // pixels
constexpr int kHalfWidth = 36;
constexpr int kGridLeft = -64;
constexpr int kRowHeight = 18;
constexpr int kGridTop = 60;
constexpr int kCellLabelHeight = 18;
constexpr double kGridFontPoints = 8;

// Key codes of the original.
constexpr int kKey0 = 48;
constexpr int kKey1 = 49;
constexpr int kKey8 = 56;
constexpr int kKeypad0 = 96;
constexpr int kKeypad1 = 97;
constexpr int kKeypad8 = 104;
constexpr int kKeyF1 = 112;
constexpr int kKeyF6 = 117;
constexpr int kSaturday = 5;

constexpr short kNotFixed = 0;
constexpr short kTemporary = 1;
// The highest code the class-header toggle looks at: absolute fixations stay.
constexpr short kBelowAbsolute = 2;
// The error check leaves out lessons fixed above absolutely (code 5: without
// the check).
constexpr short kAbsolute = 4;

// Where a placement list's entry keeps its subject.
constexpr int kEntrySubject = Qt::UserRole;

// The font of the grid labels: the editor font chosen in the settings, or the
// designed Arial.
QFont gridFont()
{
    const int index = gEditorFontIndex.toInt();
    QFont font(index != 0 && gFontNames.inBounds(index) ? gFontNames(index) : QStringLiteral("Arial"));
    font.setPointSizeF(kGridFontPoints);
    font.setBold(true);
    return font;
}

// Each cell of the week of the classes in use: day, period, class.
template <typename Visit>
void forEachCell(Visit visit)
{
    const int days = timetable::days();
    const int periods = timetable::periods();
    const int classes = timetable::lastClass();
    for (int d = 1; d <= days; ++d)
        for (int p = 1; p <= periods; ++p)
            for (int c = 1; c <= classes; ++c)
                visit(d, p, c);
}

void fixCell(int day, int period, int cls, short code)
{
    gFixations(day, period, cls, 0) = code;
    gFixations(day, period, cls, 1) = code;
}

bool chosenForOptimisation(int subject)
{
    return rules::isSubject(subject) && gOptimizeSubjects(subject) == 1;
}

// A count kept in a 16-bit variable stops at its largest value instead of
// overflowing.
short sixteenBit(long count)
{
    return static_cast<short>(std::clamp<long>(count, std::numeric_limits<short>::min(),
                                               std::numeric_limits<short>::max()));
}

// The list line's short name: the text before its first run of three blanks,
// without the "!" marks of a busy teacher.
QString shortNameOf(const QString& line)
{
    QString text = TrimBlanks(line);
    if (const qsizetype blanks = text.indexOf(QStringLiteral("   ")); blanks >= 0)
        text = TrimBlanks(text.left(blanks + 1));
    while (text.size() >= 2) {
        if (!text.endsWith(QLatin1Char('!'))) {
            text = TrimBlanks(text);
            break;
        }
        text.chop(1);
    }
    return text;
}

// The entry of the placement list that a digit key picks, or -1.
int listEntryOf(int key)
{
    if (key >= kKey1 && key <= kKey8)
        return key - kKey1;
    if (key >= kKeypad1 && key <= kKeypad8)
        return key - kKeypad1;
    return -1;
}
}

namespace editor {
int columns() { return std::clamp(static_cast<int>(gVisibleColumns), kMinColumns, kMaxColumns); }
int periods() { return std::clamp(gPeriodsPerDay.toInt(), 0, kMaxPeriods); }

int keyCode(const QKeyEvent& key)
{
    const int k = key.key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return (key.modifiers() & Qt::KeypadModifier ? kKeypad0 : kKey0) + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        return kKeyF1 + (k - Qt::Key_F1);
    return 0;
}

int shiftState(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers m = key.modifiers();
    return (m & Qt::ShiftModifier ? 1 : 0) + (m & Qt::ControlModifier ? 2 : 0) + (m & Qt::AltModifier ? 4 : 0);
}

int shownDay()
{
    const int day = gLastEditorDay;
    return day >= 1 && day <= timetable::days() ? day : 1;
}

void enterCell(const HalfCell& cell)
{
    gDay = cell.day;
    gPeriod = cell.period;
    gClass = cell.cls;
    gHalf = cell.half;
}

bool passesErrorCheck(const HalfCell& cell)
{
    const int subject = gTimetable(cell.day, cell.period, cell.cls, cell.half);
    if (subject == 0 || gFixations(cell.day, cell.period, cell.cls, cell.half) > kAbsolute)
        return true;
    enterCell(cell);
    gSubject = subject;
    return RunErrorCheckChain();
}

QList<HalfCell> refusedLessons()
{
    QList<HalfCell> refused;
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= timetable::lastClass(); ++c)
                for (int half = 0; half <= 1; ++half)
                    if (!passesErrorCheck({d, p, c, half}))
                        refused << HalfCell{d, p, c, half};
    return refused;
}

void placeLesson(const HalfCell& cell)
{
    const Variant subject = gSubject;
    enterCell(cell);
    SetTimetableCell();
    const Variant placed = gSubject;
    const Variant checked = gCheckOk;
    timetable::rebuildTeacherPeriod(cell.day, cell.period);
    // The lesson just placed wins a clash, as SetTimetableCell left it.
    if (subject != 0) {
        gSubject = subject;
        SetTimetableCell();
    }
    gSubject = placed;
    gCheckOk = checked;
}

void addEntries(ListBox* list, const QStringList& texts, const QList<int>& subjects)
{
    const int first = list->ListCount();
    list->AddItems(texts);
    for (int i = 0; i < subjects.size(); ++i)
        list->item(first + i)->setData(kEntrySubject, subjects[i]);
}

int entrySubject(const ListBox* list, int row)
{
    const QListWidgetItem* item = list->item(row);
    return item ? item->data(kEntrySubject).toInt() : 0;
}
}

void LayoutTimetableGrid()
{
    Form15* f = forms::get<Form15>();
    const int columns = editor::columns();
    const int periods = editor::periods();
    const int extra = columns - kMinColumns;
    f->resize(units::twipsToPixels(kBaseWindowWidth + extra * kColumnWidthTwips), f->height());
    f->Label1->resize(kBaseInfoWidth + extra * kColumnWidth, f->Label1->height());
    f->Command2->move(kBaseDoneLeft + extra * kColumnWidth, f->Command2->y());

    const QFont font = gridFont();
    int n = 0;
    for (int c = 1; c <= columns; ++c) {
        f->Label3[c - 1]->show();
        for (int p = 1; p <= periods; ++p) {
            for (int k = 0; k <= 1; ++k) {
                QLabel* label = f->G[n++];
                label->setGeometry(kColumnWidth * c + kHalfWidth * k + kGridLeft, kRowHeight * p + kGridTop,
                                   kHalfWidth, kCellLabelHeight);
                label->setFont(font);
                label->show();
            }
        }
    }
    // The grid is laid out again when the school's columns or periods change
    // under an open editor; labels left over from a larger grid would go on
    // showing cells that no click on them edits.
    for (int c = columns; c < editor::kMaxColumns; ++c)
        f->Label3[c]->hide();
    for (int rest = n; rest < editor::kGridLabels; ++rest)
        f->G[rest]->hide();
    f->laidOutColumns = columns;
    f->laidOutPeriods = periods;
}

void FindSubjectByShortName()
{
    const QString name = shortNameOf(gText.toString());
    gText = name;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        if (gSubjectNames(s, 1) == name)
            gSubject = s;
    }
}

void HandleEditorKey()
{
    Form15* f = forms::get<Form15>();
    const int key = gLoopI.toInt();
    if (key == kKey0 || key == kKeypad0) {
        if (f->Command1->isEnabled())
            f->Command1_Click();
        return;
    }
    if (key >= kKeyF1 && key <= kKeyF6) {
        const int index = key - kKeyF1;
        if (index != kSaturday || gDaysPerWeek != 5)
            f->setWeekday(index);
        return;
    }
    const int entry = listEntryOf(key);
    if (entry >= 0 && f->List1->ListCount() >= entry + 1)
        f->List1->setListIndex(entry);
}

void FixAllCells()
{
    forEachCell([](int d, int p, int c) {
        if (gFixations(d, p, c, 0) == kNotFixed)
            fixCell(d, p, c, kTemporary);
    });
}

void ReleaseFixedCells()
{
    forEachCell([](int d, int p, int c) {
        if (gFixations(d, p, c, 0) == kTemporary)
            fixCell(d, p, c, kNotFixed);
    });
}

void FixEmptyCells()
{
    forEachCell([](int d, int p, int c) {
        if (gFixations(d, p, c, 0) == kNotFixed && gTimetable(d, p, c, 0) == 0 && gTimetable(d, p, c, 1) == 0)
            fixCell(d, p, c, kTemporary);
    });
}

void FixLessonCells()
{
    forEachCell([](int d, int p, int c) {
        if (gFixations(d, p, c, 0) == kNotFixed && (gTimetable(d, p, c, 0) != 0 || gTimetable(d, p, c, 1) != 0))
            fixCell(d, p, c, kTemporary);
    });
}

void ToggleClassDayFixation(int day, int cls)
{
    const int periods = timetable::periods();
    int last = 0;
    for (int p = 1; p <= periods; ++p) {
        if (gFixations(day, p, cls, 0) < kBelowAbsolute)
            last = p;
    }
    if (last == 0)
        return;
    const short toggled = gFixations(day, last, cls, 0) + 1;
    const short next = toggled > kTemporary ? kNotFixed : toggled;
    for (int p = 1; p <= periods; ++p) {
        if (gFixations(day, p, cls, 0) < kBelowAbsolute)
            fixCell(day, p, cls, next);
    }
}

void CountPlacedLessons()
{
    long placed = 0;
    forEachCell([&](int d, int p, int c) {
        for (int k = 0; k <= 1; ++k)
            placed += chosenForOptimisation(gTimetable(d, p, c, k)) ? 1 : 0;
    });
    gPlacedCount = placed;

    long required = 0;
    const int classes = timetable::lastClass();
    for (int c = 1; c <= classes; ++c)
        for (int s = 1; s <= gMaxSubjects; ++s)
            required += chosenForOptimisation(s) ? gCurriculumHours(c, s) : 0;
    gPlacedCount2 = sixteenBit(required);
}
