#include "planner/editor/swap_periods.h"

#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/timetable_editor.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {
constexpr std::uint32_t kLightRed = 0xC0C0FF;

// The double-headed arrow between the lists, in twips: the shaft and a
// stroke above and below at each end.
constexpr int kArrowLeft = 1485;
constexpr int kArrowRight = 2160;
constexpr int kArrowY = 1350;
constexpr int kArrowHead = 120;

// " 3 = 3. Std": the period's number right-aligned in two places, its caption.
QString periodEntry(int period)
{
    return numbers::strForm(period).right(2) + QStringLiteral(" = ") + gPeriodLabels(period).toString();
}

// Both periods within the day, or both beyond it: a swap of a shown period
// with one beyond the day would move its lessons where they are neither shown
// nor saved.
bool bothOnOneSide(int a, int b)
{
    const int periods = timetable::periods();
    return (a <= periods) == (b <= periods);
}
}

Form34::Form34() : FormBase(34)
{
    setObjectName(QStringLiteral("Form34"));
    setWindowTitle(QStringLiteral("2 Einheiten tauschen"));
    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Wählen Sie 2 verschiedene Einheiten und klicken Sie auf >tauschen<."));
    Label1->setWordWrap(true);
    controls::setBackColor(Label1, kLightRed);
    place(Label1, 135, 135, 3390, 555);
    List1 = controls::list(this, "List1");
    place(List1, 135, 945, 1095, 480);
    List2 = controls::list(this, "List2");
    place(List2, 2430, 945, 1095, 480);
    // The lists show two periods at a time; a scroll bar across would hide one.
    for (ListBox* list : {List1, List2})
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Command2 = controls::button(this, "Command2", QStringLiteral("tauschen"));
    place(Command2, 135, 2160, 2040, 420);
    Command1 = controls::button(this, "Command1", QStringLiteral("zurück"));
    place(Command1, 2430, 2160, 1095, 420);
    resize(units::twipsToPixels(3720), units::twipsToPixels(2715));
    connect(List1, &ListBox::Click, this, &Form34::List1_Click);
    connect(List2, &ListBox::Click, this, &Form34::List2_Click);
    connect(Command2, &QPushButton::clicked, this, &Form34::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form34::Command1_Click);
}

void Form34::Form_Load()
{
    List1->Clear();
    List2->Clear();
    QStringList entries;
    for (int period = 1; period <= kPeriods; ++period)
        entries << periodEntry(period);
    List1->AddItems(entries);
    List2->AddItems(entries);
}

void Form34::Form_Activate() { Command2->setEnabled(false); }

void Form34::List1_Click()
{
    Command2->setEnabled(false);
    const int a = List1->ListIndex();
    const int b = List2->ListIndex();
    if (a >= 0 && b >= 0 && a != b && bothOnOneSide(a + 1, b + 1))
        Command2->setEnabled(true);
}

void Form34::List2_Click() { List1_Click(); }

void Form34::Command2_Click()
{
    // The optimisation owns the grid until it ends by loading its best plan.
    if (gOptimizerRunning == 1) {
        Beep();
        return;
    }
    const BusyPointer busy;
    const int a = List1->ListIndex() + 1;
    const int b = List2->ListIndex() + 1;
    Label1->setText(QStringLiteral("Die Einheiten ") + numbers::strForm(a) + QStringLiteral(" und ") +
                    numbers::strForm(b) + QStringLiteral(" werden getauscht."));
    Label1->repaint();
    // The day the editor shows, whatever another window left in gDay.
    const int day = editor::shownDay();
    const int classes = std::min(gMaxClasses.toInt(), static_cast<int>(gTimetable.upper(2)));
    for (int cls = 1; cls <= classes; ++cls) {
        for (int half = 0; half <= 1; ++half) {
            std::swap(gTimetable(day, a, cls, half), gTimetable(day, b, cls, half));
            std::swap(gFixations(day, a, cls, half), gFixations(day, b, cls, half));
        }
    }
    RebuildTeacherTimetables();
    gDay = day;
    RedrawTimetableGrid();
    forms::get<Form15>()->Label1->setText(QStringLiteral("Fehlerprüfung wird empfohlen !"));
    gUncheckedChangeDay = static_cast<short>(day);
    unload();
}

void Form34::Command1_Click() { unload(); }

void Form34::paintEvent(QPaintEvent* e)
{
    FormBase::paintEvent(e);
    QPainter painter(this);
    painter.setPen(Qt::white);
    auto px = [](int twips) { return units::twipsToPixels(twips); };
    const int y = px(kArrowY);
    painter.drawLine(px(kArrowLeft), y, px(kArrowRight), y);
    for (const auto& [tip, back] : {std::pair{kArrowLeft, kArrowLeft + kArrowHead},
                                    std::pair{kArrowRight, kArrowRight - kArrowHead}}) {
        painter.drawLine(px(tip), y, px(back), px(kArrowY - kArrowHead));
        painter.drawLine(px(tip), y, px(back), px(kArrowY + kArrowHead));
    }
}
