#include "admin/time_up_window.h"

#include "platform/units.h"

#include <QLabel>

namespace {
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kLightYellow = 0xC0FFFF;
}

Form59::Form59()
{
    setObjectName(QStringLiteral("Form59"));
    setWindowTitle(QStringLiteral("aus!"));
    controls::setBackColor(this, kRed);

    Label1 = controls::label(this, "Label1", QStringLiteral("die Zeit ist um !"), {"Comic Sans MS", 48});
    Label1->setAlignment(Qt::AlignCenter);
    controls::setForeColor(Label1, kLightYellow);
    Timer1 = controls::named<Timer>(this, "Timer1", 5000);

    place(Label1, 240, 240, 10800, 1800);
    resize(units::twipsToPixels(11280), units::twipsToPixels(2280));

    connect(Timer1, &Timer::Tick, this, &Form59::Timer1_Timer);
}

void Form59::Form_Load() { Timer1->setEnabled(true); }

void Form59::Timer1_Timer()
{
    Timer1->setEnabled(false);
    unload();
}
