#include "planner/editor/timetable_editor.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/timetable.h"
#include "planner/editor/class_room_views.h"
#include "planner/editor/missing_lessons.h"
#include "planner/editor/plan_views.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/ruler_window.h"
#include "planner/editor/swap_periods.h"
#include "planner/editor/teacher_plan_view.h"
#include "planner/editor/why_not_window.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {
constexpr std::uint32_t kInfoGrey = 0xC0C0C0;
constexpr std::uint32_t kGreen = 0x008000;
constexpr std::uint32_t kDarkRed = 0x000080;
constexpr controls::Font kScrollFont{"Arial", 18, true};
constexpr controls::Font kCellFont{"Arial", 8, true};
constexpr int kSixDayWeek = 6;

const char* const kWeekdayCaptions[Form15::kWeekdays] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa"};

// The command list; the entries run by their place in it.
const char* const kCommandTexts[Form15::kCommands] = {
    "Fehlerprüfung - T",      "alle Stunden fixieren - W", "alle Fixierungen lösen - W",
    "Fächer entfernen - T",   "tausche 2 Einheiten - T",   "lehrerbez. Fix. lösen - W",
    "fixiere Leerfelder - W", "fehlende Stunden ? - W",    "fixiere Fächer - W"};

// Positions of the design, in pixels.
void at(QWidget* w, int left, int top, int width, int height) { w->setGeometry(left, top, width, height); }

std::uint32_t colourOf(const Variant& value) { return static_cast<std::uint32_t>(value.toDouble()); }

// A fixation code the colour table does not hold (the plan loader keeps any
// number) shows in the colour of an unfixed cell instead of reading past the
// table.
std::uint32_t fixationColour(int code)
{
    return colourOf(gBackColours.inBounds(code) ? gBackColours(code) : gBackColours(0));
}

// A subject number outside the subject table names no subject: its half-cell
// shows empty.
QString cellCaption(int subject) { return rules::isSubject(subject) ? rules::screenName(subject) : QString(); }

// The band of shown classes stays within the class table: the offset is kept
// while the display settings may raise the number of columns.
void keepBandInClassTable()
{
    const int highest = std::max(0, gMaxClasses.toInt() - editor::columns());
    gColumnOffset = static_cast<short>(std::clamp<int>(gColumnOffset, 0, highest));
}

// The highest offset the scroll buttons reach: the last class in use in the
// last column.
int lastOffset() { return timetable::lastClass() - editor::columns(); }
}

void RedrawTimetableGrid()
{
    Form15* f = forms::get<Form15>();
    f->List1->Clear();
    f->List2->Clear();
    keepBandInClassTable();
    const int columns = editor::columns();
    const int periods = editor::periods();
    if (f->laidOutColumns != columns || f->laidOutPeriods != periods)
        LayoutTimetableGrid();

    const int day = gDay.toInt();
    int n = 0;
    for (int c = 1; c <= columns; ++c) {
        const int cls = gColumnOffset + c;
        for (int p = 1; p <= periods; ++p) {
            for (int k = 0; k <= 1; ++k) {
                QLabel* label = f->G[n];
                label->setText(cellCaption(rules::lessonAt(day, p, cls, k)));
                controls::setBackColor(label, fixationColour(rules::fixationAt(day, p, cls, k)));
                gGridCellMap(n, 0) = static_cast<short>(p);
                gGridCellMap(n, 1) = static_cast<short>(cls);
                gGridCellMap(n, 2) = static_cast<short>(k);
                ++n;
            }
        }
    }
    for (int i = 0; i < columns; ++i)
        f->Label3[i]->setText(rules::className(gColumnOffset + i + 1));
    gLastEditorDay = static_cast<short>(day);
    // The redraw took the highlight away: a colour kept from before it would
    // paint the label back at the next click, also after the cell it shows
    // was fixed meanwhile.
    gSelectedCellColour.clear();
}

Form15::Form15() : FormBase(15)
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Stundenplan - Bearbeitung"));

    Label2 = controls::label(this, "Label2", QStringLiteral("Wochentag"), {"Arial", 20, true});
    controls::setBackColor(Label2, BackColour(0));
    at(Label2, 10, 6, 181, 40);

    Frame1 = controls::named<QGroupBox>(this, "Frame1");
    Frame1->setTitle(QStringLiteral("Wochentage (F1...F6)"));
    at(Frame1, 198, 0, 298, 46);
    for (int i = 0; i < kWeekdays; ++i) {
        Option1[i] = controls::named<QRadioButton>(Frame1, QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setText(QString::fromUtf8(kWeekdayCaptions[i]));
        at(Option1[i], 9 + 45 * i, 18, 37, 19);
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }

    Command3 = controls::button(this, "Command3", QStringLiteral("<"), kScrollFont);
    at(Command3, 504, 9, 36, 36);
    Command7 = controls::button(this, "Command7", QStringLiteral("-"), kScrollFont);
    at(Command7, 540, 9, 36, 36);
    Command8 = controls::button(this, "Command8", QStringLiteral("+"), kScrollFont);
    at(Command8, 576, 9, 36, 36);
    Command4 = controls::button(this, "Command4", QStringLiteral(">"), kScrollFont);
    at(Command4, 612, 9, 36, 36);

    for (int i = 0; i < editor::kMaxColumns; ++i) {
        Label3[i] = controls::label(this, QStringLiteral("Label3_%1").arg(i), QString(), {"Arial", 14});
        at(Label3[i], 9 + 72 * i, 54, 64, 23);
        Label3[i]->hide();
    }
    for (int i = 0; i < editor::kGridLabels; ++i) {
        G[i] = controls::label(this, QStringLiteral("G_%1").arg(i), QString(), kCellFont);
        G[i]->setAlignment(Qt::AlignCenter);
        controls::setBackColor(G[i], BackColour(0));
        at(G[i], 0, 0, 36, 18);
        G[i]->hide();
    }

    Label1 = controls::label(this, "Label1", QStringLiteral("wählen Sie eine Position im Gitter..."));
    controls::setBackColor(Label1, kInfoGrey);
    at(Label1, 117, 288, 541, 19);

    Frame2 = controls::named<QGroupBox>(this, "Frame2");
    Frame2->setTitle(QStringLiteral("Eingabe"));
    at(Frame2, 9, 288, 100, 145);
    Option2 = controls::named<QRadioButton>(Frame2, "Option2");
    Option2->setText(QStringLiteral("Fächer"));
    Option3 = controls::named<QRadioButton>(Frame2, "Option3");
    Option3->setText(QStringLiteral("blau"));
    Option4 = controls::named<QRadioButton>(Frame2, "Option4");
    Option4->setText(QStringLiteral("rot"));
    Option5 = controls::named<QRadioButton>(Frame2, "Option5");
    Option5->setText(QStringLiteral("orange"));
    int row = 0;
    for (QRadioButton* mode : {Option2, Option3, Option4, Option5})
        at(mode, 9, 27 + 27 * row++, 82, 19);

    Command1 = controls::button(this, "Command1", QStringLiteral("frei"));
    at(Command1, 117, 315, 55, 37);
    Command5 = controls::button(this, "Command5", QStringLiteral("Lineal"));
    at(Command5, 117, 369, 55, 19);
    Command6 = controls::button(this, "Command6", QStringLiteral("save"));
    at(Command6, 117, 405, 55, 19);

    Label5 = controls::label(this, "Label5", QStringLiteral("1    2   3   4   5   6   7   8"));
    Label5->setWordWrap(true);
    at(Label5, 180, 317, 18, 118);
    List1 = controls::list(this, "List1");
    controls::setForeColor(List1, kGreen);
    controls::setBackColor(List1, BackColour(0));
    at(List1, 189, 315, 127, 130);
    List2 = controls::list(this, "List2");
    controls::setForeColor(List2, kDarkRed);
    controls::setBackColor(List2, BackColour(0));
    at(List2, 333, 315, 55, 130);
    Label4 = controls::label(this, "Label4", QStringLiteral("Befehle"));
    at(Label4, 405, 315, 172, 19);
    List3 = controls::list(this, "List3");
    controls::setBackColor(List3, BackColour(0));
    at(List3, 405, 333, 172, 116);

    Command2 = controls::button(this, "Command2", QStringLiteral("fertig"));
    at(Command2, 585, 423, 64, 28);

    resize(units::twipsToPixels(17475), units::twipsToPixels(6915));

    connect(Option2, &QRadioButton::clicked, this, &Form15::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &Form15::Option3_Click);
    connect(Option4, &QRadioButton::clicked, this, &Form15::Option4_Click);
    connect(Option5, &QRadioButton::clicked, this, &Form15::Option5_Click);
    for (int i = 0; i < editor::kGridLabels; ++i)
        controls::onClick(G[i], [this, i] { G_Click(i); });
    for (int i = 0; i < editor::kMaxColumns; ++i)
        controls::onClick(Label3[i], [this, i] { Label3_Click(i); });
    connect(List1, &ListBox::Click, this, &Form15::List1_Click);
    connect(List2, &ListBox::Click, this, &Form15::List2_Click);
    connect(List3, &ListBox::Click, this, &Form15::List3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form15::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form15::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form15::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form15::Command4_Click);
    connect(Command7, &QPushButton::clicked, this, &Form15::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form15::Command8_Click);
    connect(Command5, &QPushButton::clicked, this, &Form15::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form15::Command6_Click);

    QList<QWidget*> keyed{Command1, Command3, Command4, Command5, List1, List2, List3,
                          Option2, Option3, Option4, Option5};
    for (QRadioButton* weekday : Option1)
        keyed << weekday;
    for (QWidget* w : keyed) {
        controls::onKeyDown(w, [this](const QKeyEvent& key) {
            return Control_KeyDown(editor::keyCode(key), editor::shiftState(key));
        });
    }
}

void Form15::Form_Load()
{
    FindLastUsedClass();
    gDay = editor::shownDay();
    setWeekday(gDay.toInt() - 1);
    List3->Clear();
    for (const char* command : kCommandTexts)
        List3->AddItem(QString::fromUtf8(command));
    Option2->setChecked(true);
    Option2_Click();
    gEditMode = 0;
    Option1[kSixDayWeek - 1]->setVisible(gDaysPerWeek == kSixDayWeek);
    LayoutTimetableGrid();
    RedrawTimetableGrid();
}

void Form15::Form_Activate()
{
    Command1->setEnabled(false);
    gDay = editor::shownDay();
    if (gOptimizerRunning == 1) {
        for (QWidget* w : std::initializer_list<QWidget*>{List3, Option3, Option4, Option5})
            w->setEnabled(false);
    }
}

void Form15::Form_Unload(bool&)
{
    // The windows that belong to the editor close with it, in this order.
    forms::unload<Form34>();
    forms::unload<Form35>();
    forms::unload<Form40>();
    forms::unload<Form55>();
    forms::unload<Form54>();
    forms::unload<Form53>();
    forms::unload<Form52>();
    forms::unload<Form51>();
    forms::unload<Form66>();
}

void Form15::setWeekday(int index)
{
    Option1[index]->setChecked(true);
    Option1_Click(index);
}

void Form15::Option1_Click(int index)
{
    gDay = index + 1;
    gSelectedCellColour.clear();
    Label2->setText(gDayNames(gDay.toInt()).toString());
    Command1->setEnabled(false);
    RedrawTimetableGrid();
}

void Form15::Option2_Click()
{
    gEditMode = 0;
    Frame2->setTitle(QStringLiteral("Eingabe"));
    controls::setBackColor(Label1, colourOf(gBackColours(0)));
    Label1->clear();
}

void Form15::Command2_Click() { unload(); }

void Form15::Command3_Click()
{
    if (gColumnOffset <= 0)
        return;
    gColumnOffset = 0;
    gSelectedCellColour.clear();
    RedrawTimetableGrid();
}

void Form15::Command4_Click()
{
    if (timetable::lastClass() <= editor::columns() || gColumnOffset >= lastOffset())
        return;
    gColumnOffset = static_cast<short>(lastOffset());
    gSelectedCellColour.clear();
    RedrawTimetableGrid();
}

void Form15::Command7_Click()
{
    gSelectedCellColour.clear();
    if (--gColumnOffset < 0) {
        gColumnOffset = 0;
        Beep();
        return;
    }
    RedrawTimetableGrid();
}

void Form15::Command8_Click()
{
    gSelectedCellColour.clear();
    const short before = gColumnOffset;
    if (++gColumnOffset > lastOffset()) {
        gColumnOffset = static_cast<short>(lastOffset());
        Beep();
    }
    gColumnOffset = std::max<short>(gColumnOffset, 0);
    if (gColumnOffset != before)
        RedrawTimetableGrid();
}

void Form15::Command5_Click() { forms::show<Form35>(); }

namespace {
std::function<void(QWidget*)> gSaveCommand;
}

void SetEditorSaveCommand(std::function<void(QWidget* parent)> save) { gSaveCommand = std::move(save); }

// The caption says what the user expects: the plan is saved.
void Form15::Command6_Click()
{
    if (gSaveCommand)
        gSaveCommand(this);
}

bool Form15::Control_KeyDown(int keyCode, int shift)
{
    gLoopI = keyCode;
    gLoopJ = shift;
    HandleEditorKey();
    return keyCode != 0;
}
