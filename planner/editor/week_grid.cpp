#include "planner/editor/week_grid.h"

#include "core/model.h"
#include "planner/editor/plan_views.h"
#include "platform/units.h"

#include <QLabel>

namespace {
const char* const kDayHeadings[WeekGrid::kDays] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa"};
constexpr std::uint32_t kGreyText = 0x808080;
constexpr controls::Font kGridFont{"Arial", 8.25};
constexpr controls::Font kDayHeadingFont{"MS Sans Serif", 8.25};

// Grid geometry in twips.
constexpr int kFirstColumnLeft = 720;
constexpr int kFirstRowTop = 1200;
constexpr int kRowPitch = 240;
constexpr int kRowHeight = 255;
constexpr int kDayHeadingTop = 960;
constexpr int kPeriodHeadingLeft = 120;
constexpr int kPeriodHeadingWidth = 615;
constexpr int kMargin = 240;
constexpr int kComboLeft = 120;
constexpr int kComboTop = 240;
constexpr int kComboWidth = 3615;
constexpr int kComboHeight = 315;

QLabel* gridLabel(QWidget* parent, const QString& name, const QString& caption, const controls::Font& font)
{
    QLabel* l = controls::label(parent, name, caption, font);
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);
    l->setFrameShape(QFrame::Box);
    return l;
}

QLabel* heading(QWidget* parent, const QString& name, const QString& caption, const controls::Font& font,
                std::uint32_t colour)
{
    QLabel* l = gridLabel(parent, name, caption, font);
    controls::setBackColor(l, colour);
    return l;
}

// "MS Sans Serif" is a Windows font; where it is missing the nearest sans
// serif font stands in for it, not the desktop's default, which may be any.
void preferSansSerif(QLabel* l)
{
    QFont f = l->font();
    f.setStyleHint(QFont::SansSerif);
    l->setFont(f);
}
}

WeekGrid::WeekGrid(const Design& design) : FormBase(design.slot)
{
    setObjectName(QString::fromUtf8(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));

    Combo1 = controls::named<ComboBox>(this, "Combo1");
    Combo1->setPlaceholderText(QString::fromUtf8(design.prompt));
    place(Combo1, kComboLeft, kComboTop, kComboWidth, kComboHeight);

    const int left = kFirstColumnLeft + design.shift;
    const int top = kFirstRowTop + design.shift;
    for (int d = 1; d <= kDays; ++d) {
        QLabel* l = heading(this, QStringLiteral("Label2_%1").arg(d - 1), QString::fromUtf8(kDayHeadings[d - 1]),
                            kDayHeadingFont, design.headingColour);
        preferSansSerif(l);
        place(l, left + design.columnPitch * (d - 1), kDayHeadingTop + design.shift, design.cellWidth, kRowHeight);
        Label2[d - 1] = l;
    }
    for (int p = 1; p <= kPeriods; ++p) {
        QLabel* l = heading(this, QStringLiteral("Label4_%1").arg(p - 1), QString::number(p), kGridFont,
                            design.headingColour);
        controls::setForeColor(l, kGreyText);
        place(l, kPeriodHeadingLeft + design.shift, top + kRowPitch * (p - 1), kPeriodHeadingWidth, kRowHeight);
        Label4[p - 1] = l;
    }
    for (int d = 1; d <= kDays; ++d) {
        for (int p = 1; p <= kPeriods; ++p) {
            const int index = kPeriods * (d - 1) + p - 1;
            QLabel* l = gridLabel(this, QStringLiteral("Label1_%1").arg(index), QStringLiteral("-"), kGridFont);
            l->setBackgroundRole(QPalette::Base);
            l->setForegroundRole(QPalette::Text);
            l->setAutoFillBackground(true);
            place(l, left + design.columnPitch * (d - 1), top + kRowPitch * (p - 1), design.cellWidth, kRowHeight);
            Label1[index] = l;
        }
    }
    Timer1 = controls::named<Timer>(this, "Timer1", kTickMs);
    connect(Timer1, &Timer::Tick, this, [this] { Timer1_Timer(); });

    resize(units::twipsToPixels(left + design.columnPitch * (kDays - 1) + design.cellWidth + kMargin),
           units::twipsToPixels(kGridBottom + design.shift + kMargin));
}

QLabel* WeekGrid::cell(int day, int period) const
{
    if (day < 1 || day > kDays || period < 1 || period > kPeriods)
        return nullptr;
    return Label1[kPeriods * (day - 1) + period - 1];
}

int WeekGrid::chosenSlot() const { return Combo1->ListIndex() + 1; }

void WeekGrid::Form_Load()
{
    {
        const QSignalBlocker quiet(Combo1);
        Combo1->addItems(choices());
        Combo1->setCurrentIndex(-1);
    }
    const int days = gDaysPerWeek.toInt();
    const int periods = gPeriodsPerDay.toInt();
    for (int d = 1; d <= kDays; ++d)
        Label2[d - 1]->setVisible(d <= days);
    for (int d = 1; d <= kDays; ++d)
        for (int p = 1; p <= kPeriods; ++p)
            cell(d, p)->setVisible(d <= days && p <= periods);
    for (int p = 1; p <= kPeriods; ++p) {
        Label4[p - 1]->setText(gPeriodLabels(p).toString());
        Label4[p - 1]->setVisible(p <= periods);
    }
    Timer1->setEnabled(true);
}

void WeekGrid::Form_Unload(bool&)
{
    forms::unload<Form54>();
    Timer1->setEnabled(false);
}
