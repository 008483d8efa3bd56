#include "planner/masterdata/curriculum_overview.h"

#include "core/model.h"
#include "core/window_positions.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

namespace {
constexpr int kPositionSlot = 23;
constexpr int kClassSlots = 24;
// Input position 0: the subject is entered in the left half of a cell.
constexpr int kInputPosition = 2;
// What the window is wider than its list.
constexpr int kListMargin = 390;
const controls::Font kBold{"Arial", 8.25, true};

// The line of class c, empty when its curriculum has no hours. Counted in
// variables of its own: the shared gClass and gSubject are the editor's
// current cell.
QString curriculumLine(int c)
{
    QString line = gClassNames(c).toString() + QLatin1Char(' ');
    int total = 0;
    Currency leftHalf;
    for (int s = 1; s <= gMaxSubjects; ++s) {
        const int hours = gCurriculumHours(c, s);
        if (hours <= 0)
            continue;
        total += hours;
        line += numbers::strForm(hours) + gSubjectNames(s, 1) + QLatin1Char(' ');
        if (gSubjectAttr(s, kInputPosition) == 0)
            leftHalf += gClassSubjectHours(c, s);
    }
    if (total <= 0)
        return {};
    return line + QStringLiteral("> ") + numbers::strForm(total) + QStringLiteral(" (") + leftHalf.toString()
        + QLatin1Char(')');
}
}

// The window keeps its position by a rule of its own (it does not write the
// position file), so it has no slot of the window base.
Form23::Form23() : FormBase(0)
{
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Stundentafel - Gesamtübersicht"));

    List1 = controls::list(this, "List1");
    Label1 = controls::label(this, "Label1", QStringLiteral("um mehr zu sehen: Form verbreitern..."));
    Command1 = controls::button(this, "Command1", QStringLiteral("genug gesehen"), kBold);
    for (std::size_t i = 0; i < Line.size(); ++i) {
        Line[i] = controls::named<QFrame>(this, QStringLiteral("Line%1").arg(i + 1));
        Line[i]->setFrameShape(QFrame::HLine);
        Line[i]->setFrameShadow(QFrame::Sunken);
        place(Line[i], 120, 5220 + 30 * static_cast<int>(i), 4200, 30);
    }

    place(List1, 120, 120, 8610, 4920);
    place(Label1, 4440, 5460, 2880, 255);
    place(Command1, 7440, 5400, 1500, 420);
    resize(units::twipsToPixels(9000), units::twipsToPixels(6000));

    connect(Command1, &QPushButton::clicked, this, &Form23::Command1_Click);
}

void Form23::Form_Load() { RestoreWindowPosition(*this, kPositionSlot); }

void Form23::Form_Activate()
{
    QStringList lines;
    for (int c = 1; c <= kClassSlots; ++c) {
        const QString line = curriculumLine(c);
        if (!line.isEmpty())
            lines << line;
    }
    List1->Clear();
    List1->AddItems(lines);
}

void Form23::resizeEvent(QResizeEvent* e)
{
    FormBase::resizeEvent(e);
    Form_Resize();
}

// A window narrower than the margin leaves the list no width, never less.
void Form23::Form_Resize()
{
    const int width = std::max(0, static_cast<int>(units::pixelsToTwips(this->width())) - kListMargin);
    List1->resize(units::twipsToPixels(width), List1->height());
}

void Form23::Command1_Click() { unload(); }

// The slot reaches the position file when another window saves the positions.
void Form23::Form_Unload(bool&) { RememberWindowPosition(*this, kPositionSlot); }
