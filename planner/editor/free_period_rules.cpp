#include "planner/editor/free_period_rules.h"

#include "core/model.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kPositionSlot = 19;
constexpr int kSeriesRule = 11;
const QString kFileName = QStringLiteral("Fenster.dat");

struct Range {
    double low;
    double high;
};
constexpr Range kLoadRange{1, 40};
constexpr Range kGapsRange{0, 20};
constexpr Range kEarlyRange{0, 50};
constexpr Range kWishRange{0, 16};

// A number typed with a decimal comma or point; text that is no number is 0.
double typed(const TextBox* box)
{
    QString t = box->text().trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return numbers::val(t);
}

// Stored as the single-precision value the rating reads.
float within(double value, Range range) { return static_cast<float>(std::clamp(value, range.low, range.high)); }

QString shown(double value) { return numbers::text(static_cast<double>(static_cast<float>(value))); }
QString shown(const Variant& value) { return value.isEmpty() ? QString() : shown(value.toDouble()); }

QString line(const Variant& value) { return value.isEmpty() ? QString() : numbers::printForm(value.toDouble()); }

// The load and the early finishes stay unset until a value is entered: the
// window opens with the focus in the empty load box, and leaving it on the way
// to "fertig / speichern" must not store the lower bound as a load.
void enter(Variant& setting, const TextBox* box, Range range)
{
    if (setting.isEmpty() && box->text().trimmed().isEmpty())
        return;
    setting = static_cast<double>(within(typed(box), range));
}

}

datafile::WriteResult SaveFreePeriodRules()
{
    QStringList lines;
    for (int rule = 1; rule <= kSeriesRule; ++rule)
        lines << numbers::printForm(gGapRules(rule));
    lines << numbers::printForm(gWishWeight) << line(gEarlyFinishPeriods) << line(gTeachingLoad)
          << numbers::printForm(gGapsForLoad);
    return datafile::rewriteChanged(gDataPath + kFileName, lines);
}

Form19::Form19() : FormBase(kPositionSlot)
{
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Hohlstundenregeln"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Hohlstunden und Wünsche"), {"Arial", 12, true});
    place(Label1, 240, 120, 6600, 360);

    const auto field = [this](const char* name, const char* captionName, const char* caption, int top) {
        QLabel* l = controls::label(this, captionName, QString::fromUtf8(caption));
        l->setWordWrap(true);
        place(l, 240, top, 5400, 420);
        TextBox* box = controls::named<TextBox>(this, name);
        place(box, 5760, top, 1080, 315);
        return box;
    };
    Text1 = field("Text1", "Label2", "Lehrverpflichtung in Stunden", 600);
    Text2 = field("Text2", "Label3", "Hohlstundenzahl bei dieser Lehrverpflichtung", 1080);
    Text3 = field("Text3", "Label4", "Einheiten, die man insgesamt pro Woche auch mal früher aus haben darf", 1560);
    Text8 = field("Text8", "Label5", "Gewichtung der Lehrerwünsche", 2040);

    Check1 = controls::named<QCheckBox>(this, QStringLiteral("Check1"));
    Check1->setText(QStringLiteral("Serienfenster minimieren (XOXOX)"));
    place(Check1, 240, 2520, 5400, 315);

    Command1 = controls::button(this, "Command1", QStringLiteral("fertig / speichern"));
    place(Command1, 4800, 3000, 2040, 420);
    resize(units::twipsToPixels(7080), units::twipsToPixels(3600));

    connect(Text1, &TextBox::LostFocus, this, &Form19::Text1_LostFocus);
    connect(Text2, &TextBox::LostFocus, this, &Form19::Text2_LostFocus);
    connect(Text3, &TextBox::LostFocus, this, &Form19::Text3_LostFocus);
    connect(Text8, &TextBox::LostFocus, this, &Form19::Text8_LostFocus);
    connect(Check1, &QCheckBox::clicked, this, &Form19::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form19::Command1_Click);
}

void Form19::Form_Activate()
{
    Text1->setText(shown(gTeachingLoad));
    Text2->setText(shown(gGapsForLoad));
    Text3->setText(shown(gEarlyFinishPeriods));
    Text8->setText(shown(gWishWeight));
    Check1->setChecked(gGapRules(kSeriesRule) == 1);
}

void Form19::Text1_LostFocus() { enter(gTeachingLoad, Text1, kLoadRange); }
void Form19::Text2_LostFocus() { gGapsForLoad = within(typed(Text2), kGapsRange); }
void Form19::Text3_LostFocus() { enter(gEarlyFinishPeriods, Text3, kEarlyRange); }

// Kept within 0..16 like the other settings: a weight between -0.99 and 0
// would reward unmet wishes.
void Form19::Text8_LostFocus() { gWishWeight = within(typed(Text8), kWishRange); }

void Form19::Check1_Click() { gGapRules(kSeriesRule) = Check1->isChecked() ? 1 : 0; }

void Form19::Command1_Click()
{
    // What stands in a box counts even when the button was reached without
    // leaving the box.
    for (TextBox* box : {Text1, Text2, Text3, Text8}) {
        if (box->hasFocus())
            emit box->LostFocus();
    }
    const datafile::WriteResult written = SaveFreePeriodRules();
    if (!written) {
        MsgBox(QStringLiteral("Die Hohlstundenregeln konnten nicht gespeichert werden: ") + written.reason + '.',
               windowTitle());
        return;
    }
    unload();
}
