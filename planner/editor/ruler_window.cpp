#include "planner/editor/ruler_window.h"

#include "core/model.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/timetable_editor.h"
#include "platform/controls.h"
#include "platform/units.h"

#include <QLabel>

namespace {
constexpr std::uint32_t kLightBlue = 0xFF8080;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr controls::Font kCaptionFont{"Arial", 9, true};
// The height of a grid row of the editor, in twips.
constexpr int kRowTwips = 270;
}

Form35::Form35() : FormBase(35)
{
    setObjectName(QStringLiteral("Form35"));
    setWindowTitle(QStringLiteral("Lineal"));
    controls::setBackColor(this, kLightBlue);
    for (int i = 0; i < kCaptions; ++i) {
        Label1[i] = controls::label(this, QStringLiteral("Label1_%1").arg(i), QStringLiteral("1"), kCaptionFont);
        controls::setBackColor(Label1[i], kWhite);
        place(Label1[i], 135, 135 + kRowTwips * i, 825, kRowTwips);
        Label1[i]->hide();
    }
    resize(units::twipsToPixels(1080), units::twipsToPixels(3195));
}

void Form35::Form_Load()
{
    const int periods = editor::periods();
    for (int i = 0; i < periods; ++i) {
        Label1[i]->setText(gPeriodLabels(i + 1).toString());
        Label1[i]->show();
    }
}

void Form35::Form_Activate()
{
    // Only the editor shows the ruler; without it there is no row to line up with.
    const Form15* editor = forms::ifOpen<Form15>();
    if (!editor)
        return;
    move(x(), editor->y() + editor->G[0]->y() - Label1[0]->y());
}
