#include "planner/print/print_menu.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/settings_file.h"
#include "core/timetable.h"
#include "planner/editor/optimiser_runs.h"
#include "planner/editor/optimiser_window.h"
#include "planner/masterdata/printer_choice.h"
#include "planner/print/assignment_list.h"
#include "planner/print/class_hours.h"
#include "planner/print/class_week_page.h"
#include "planner/print/colour_test.h"
#include "planner/print/day_overviews.h"
#include "planner/print/name_signs.h"
#include "planner/print/presence_chart.h"
#include "planner/print/room_usage_sheets.h"
#include "planner/print/school_grids.h"
#include "planner/print/subject_legend.h"
#include "planner/print/teacher_lists.h"
#include "planner/print/week_plan_blocks.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dates.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <functional>

namespace {
constexpr int kPositionSlot = 14;
// An A4 page measures about 28700 twips around two sides, an A3 page 40600.
constexpr int kLargeFormatTwips = 35000;
constexpr int kClassItems = 24;
constexpr int kBlanksBeforeNumber = 40;
constexpr int kPreviewPoints = 20;
constexpr std::uint32_t kPreviewGrey = 0x808080;
constexpr int kFieldColour = 6;
const QString kNoName = QStringLiteral("-");
const QString kPlotterDevice = QStringLiteral("HP Plotter");
const QString kPlotterHint
    = QStringLiteral("Für Plotter: HP7550A Papierzufuhr > manuell,  Qualität > Entwurf wählen");
const QString kShortNoteDesign = QStringLiteral("Kurzmitteilung");
const QString kFontNotSaved = QStringLiteral("Die Schrift konnte nicht gespeichert werden (vorda.ver).");
const controls::Font kButtonFont{"Arial", 8.25, true};

enum TeacherSortMode { kNumberFirst = 0, kNameOnly = 1, kTitleFirst = 2 };

QString teacherPrefix(int t)
{
    switch (gTeacherSortMode) {
    case kNumberFirst:
        return QString::number(t).rightJustified(2, QLatin1Char(' ')) + QLatin1Char(' ');
    case kTitleFirst:
        return QString::number(gTeacherTitle(t)) + QLatin1Char(' ');
    default:
        return {};
    }
}

// The printouts read the teacher number from the item's end.
QString teacherItem(int t)
{
    return teacherPrefix(t) + gTeacherNames(t).toString() + QString(kBlanksBeforeNumber + 1, QLatin1Char(' '))
        + QString::number(t);
}

bool isNamed(const QString& name) { return !name.isEmpty() && name != kNoName; }

int lastSlot(long tableUpper, int inUse) { return std::clamp(inUse, 0, static_cast<int>(tableUpper)); }

QStringList teacherItems()
{
    QStringList items;
    for (int t = 1; t <= lastSlot(gTeacherNames.upper(), gMaxTeachers.toInt()); ++t) {
        if (gTeacherNames(t).toString() != kNoName)
            items << teacherItem(t);
    }
    return items;
}

QStringList classItems()
{
    QStringList items;
    for (int k = 1; k <= lastSlot(gClassNames.upper(), gMaxClasses.toInt()); ++k)
        items << gClassNames(k).toString();
    return items;
}

QStringList dayItems()
{
    QStringList items;
    for (int d = 1; d <= lastSlot(gDayNames.upper(), gDaysPerWeek.toInt()); ++d)
        items << gDayNames(d).toString();
    return items;
}

int roomCount() { return lastSlot(gSpecialRoomNames.upper(), gSpecialRoomCount); }

QStringList roomItems()
{
    QStringList items;
    for (int r = 1; r <= roomCount(); ++r)
        items << gSpecialRoomNames(r);
    return items;
}

void fill(ListBox* list, const QStringList& items)
{
    const QSignalBlocker quiet(list);
    list->Clear();
    list->AddItems(items);
}

// How many of the first `first` items are selected.
int selectedAmong(const ListBox* list, int first)
{
    int count = 0;
    for (const QListWidgetItem* item : list->selectedItems()) {
        if (list->row(item) < first)
            ++count;
    }
    return count;
}

// Selects (or deselects) the items `rows` of a list, as one change.
void setSelected(ListBox* list, const QList<int>& rows, bool selected)
{
    const QSignalBlocker quiet(list);
    for (int row : rows) {
        if (QListWidgetItem* item = list->item(row))
            item->setSelected(selected);
    }
}

QList<int> rowsWhere(int count, const std::function<bool(int row)>& holds)
{
    QList<int> rows;
    for (int row = 0; row < count; ++row) {
        if (holds(row))
            rows << row;
    }
    return rows;
}

QList<int> firstRows(int count) { return rowsWhere(count, [](int) { return true; }); }

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    return controls::button(parent, QString::fromLatin1(name), caption, kButtonFont);
}

TextBox* field(QWidget* parent, const char* name)
{
    auto* box = controls::named<TextBox>(parent, QString::fromLatin1(name));
    controls::setBackColor(box, BackColour(kFieldColour));
    return box;
}

ListBox* selectionList(QWidget* parent, const char* name)
{
    ListBox* list = controls::list(parent, QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    return list;
}
}

Form14::Form14() : FormBase(kPositionSlot)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Druckmenü"));

    SSFrame1 = controls::named<QGroupBox>(this, QStringLiteral("SSFrame1"));
    SSFrame1->setTitle(QStringLiteral("A4"));
    List1 = selectionList(SSFrame1, "List1");
    List1->hideItemNumbers();
    List2 = selectionList(SSFrame1, "List2");
    List3 = controls::list(SSFrame1, QStringLiteral("List3"));
    List5 = selectionList(SSFrame1, "List5");
    Command7 = button(SSFrame1, "Command7", QStringLiteral("alle"));
    Command8 = button(SSFrame1, "Command8", QStringLiteral("niemand"));
    Command9 = button(SSFrame1, "Command9", QStringLiteral("jede"));
    Command10 = button(SSFrame1, "Command10", QStringLiteral("keine"));
    Command22 = button(SSFrame1, "Command22", QStringLiteral("jeden"));
    Command23 = button(SSFrame1, "Command23", QStringLiteral("keinen"));
    Command4 = button(SSFrame1, "Command4", QStringLiteral("Lehrerplan 3/S"));
    Command20 = button(SSFrame1, "Command20", QStringLiteral("12/S"));
    Command2 = button(SSFrame1, "Command2", QStringLiteral("Lehrerliste"));
    Command3 = button(SSFrame1, "Command3", QStringLiteral("Anwesenheit"));
    Command5 = button(SSFrame1, "Command5", QStringLiteral("Namensschilder"));
    Command25 = button(SSFrame1, "Command25", QStringLiteral("Klassen 1/S"));
    Command6 = button(SSFrame1, "Command6", QStringLiteral("Klassen 3/S"));
    Command26 = button(SSFrame1, "Command26", QStringLiteral("Klassenlehrer"));
    Command19 = button(SSFrame1, "Command19", QStringLiteral("Stundentafel"));
    Command18 = button(SSFrame1, "Command18", QStringLiteral("Lehrfächervert."));
    Command11 = button(SSFrame1, "Command11", QStringLiteral("Gesamt-Std.plan"));
    Command12 = button(SSFrame1, "Command12", QStringLiteral("Personal-Std.pln"));
    Command21 = button(SSFrame1, "Command21", QStringLiteral("Raumnutzung"));
    Command32 = button(SSFrame1, "Command32", QStringLiteral("Legende - LFV"));
    Command24 = button(SSFrame1, "Command24", QStringLiteral("Farbtest"));

    Combo1 = controls::named<ComboBox>(this, QStringLiteral("Combo1"));
    Label3 = controls::label(this, QStringLiteral("Label3"), QStringLiteral("A B C D E F G a b c d e f ö ä ü"));
    controls::setForeColor(Label3, kPreviewGrey);
    Text1 = field(this, "Text1");
    Text1->setText(kShortNoteDesign);
    Command27 = button(this, "Command27", QStringLiteral("time >"));
    Label1 = controls::label(this, QStringLiteral("Label1"), QString());
    Command17 = button(this, "Command17", QStringLiteral("Drucker"));
    Command1 = button(this, "Command1", QStringLiteral("fertig"));

    SSFrame2 = controls::named<QGroupBox>(this, QStringLiteral("SSFrame2"));
    SSFrame2->setTitle(QStringLiteral("A3"));
    SSCheck1 = controls::named<SSCheck>(SSFrame2, QStringLiteral("SSCheck1"), QStringLiteral("Plotter"));
    SSCheck2 = controls::named<SSCheck>(SSFrame2, QStringLiteral("SSCheck2"), QStringLiteral("nur SW"));
    Label2 = controls::label(SSFrame2, QStringLiteral("Label2"), QStringLiteral("Ort, Datum"));
    Text2 = field(SSFrame2, "Text2");
    List4 = controls::list(SSFrame2, QStringLiteral("List4"));
    Command16 = button(SSFrame2, "Command16", QStringLiteral("Klassen-Stpl  A3"));
    Command13 = button(SSFrame2, "Command13", QStringLiteral("Personal-Stundenplan  A3"));
    Command29 = button(SSFrame2, "Command29", QStringLiteral("Personal-Stpl. verkl"));
    Command14 = button(SSFrame2, "Command14", QStringLiteral("Gesamt-Stpl.+ LFV  A3"));
    Command28 = button(SSFrame2, "Command28", QStringLiteral("Gesamt-Stpl. verkl"));
    Command15 = button(SSFrame2, "Command15", QStringLiteral("Gesamt-Stpl. - senkrecht  A3"));
    Command30 = button(SSFrame2, "Command30", QStringLiteral("Gesamt-senkr. verkl"));
    Label6 = controls::label(SSFrame2, QStringLiteral("Label6"), QStringLiteral("von:"));
    Text4 = field(SSFrame2, "Text4");
    Label7 = controls::label(SSFrame2, QStringLiteral("Label7"), QStringLiteral("bis:"));
    Text5 = field(SSFrame2, "Text5");
    Label4 = controls::label(SSFrame2, QStringLiteral("Label4"), QStringLiteral("Umbruch ab Kl. Nr.:"));
    Text3 = field(SSFrame2, "Text3");
    Label5 = controls::label(SSFrame2, QStringLiteral("Label5"), QString());
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command31 = button(SSFrame2, "Command31", QStringLiteral("."));

    place(SSFrame1, 120, 60, 12960, 4200);
    place(List1, 120, 300, 2760, 3360);
    place(Command7, 120, 3720, 1320, 360);
    place(Command8, 1560, 3720, 1320, 360);
    place(List2, 3000, 300, 1440, 3360);
    place(Command9, 3000, 3720, 690, 360);
    place(Command10, 3750, 3720, 690, 360);
    place(List3, 4560, 300, 1560, 1500);
    place(List5, 4560, 1920, 1560, 1740);
    place(Command22, 4560, 3720, 750, 360);
    place(Command23, 5370, 3720, 750, 360);
    // The A4 printouts in columns: of the teachers, of the classes, of the
    // day, the rooms and the whole school.
    QPushButton* const columns[3][5] = {{Command4, Command20, Command2, Command3, Command5},
                                              {Command25, Command6, Command26, Command19, Command18},
                                              {Command11, Command12, Command21, Command32, Command24}};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 5; ++r)
            place(columns[c][r], 6240 + c * 2220, 300 + r * 480, 2100, 420);
    }

    place(Combo1, 120, 4380, 2880, 330);
    place(Label3, 120, 4800, 6240, 600);
    place(Text1, 120, 5520, 4560, 330);
    place(Command27, 4800, 5520, 1200, 330);
    place(Label1, 120, 6000, 4560, 330);
    place(Command17, 4800, 5960, 1200, 400);
    place(Command1, 120, 7560, 1800, 480);

    place(SSFrame2, 6480, 4320, 6600, 3780);
    place(SSCheck1, 120, 300, 1080, 300);
    place(SSCheck2, 1260, 300, 1080, 300);
    place(Label2, 2460, 330, 1020, 255);
    place(Text2, 3480, 300, 2880, 330);
    place(List4, 120, 720, 1560, 2460);
    place(Command16, 120, 3240, 1560, 400);
    place(Command13, 1800, 720, 2520, 400);
    place(Command29, 4440, 720, 1920, 400);
    place(Command14, 1800, 1200, 2520, 400);
    place(Command28, 4440, 1200, 1920, 400);
    place(Command15, 1800, 1680, 2520, 400);
    place(Command30, 4440, 1680, 1920, 400);
    place(Label6, 1800, 2190, 480, 255);
    place(Text4, 2280, 2160, 600, 330);
    place(Label7, 3000, 2190, 480, 255);
    place(Text5, 3480, 2160, 600, 330);
    place(Label4, 4200, 2190, 1680, 255);
    place(Text3, 5880, 2160, 480, 330);
    place(Label5, 1800, 2640, 4560, 1000);
    place(Command31, 6480, 3600, 75, 135);
    resize(units::twipsToPixels(13200), units::twipsToPixels(8280));

    // A multiple-choice list counts its selection once a click has toggled
    // the item.
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form14::List1_Click);
    connect(List2, &QListWidget::itemSelectionChanged, this, &Form14::List2_Click);
    connect(List5, &QListWidget::itemSelectionChanged, this, &Form14::List5_Click);
    connect(List3, &ListBox::Click, this, &Form14::List3_Click);
    connect(List4, &ListBox::Click, this, &Form14::List4_Click);
    connect(Combo1, &ComboBox::Click, this, &Form14::Combo1_Click);
    connect(Combo1, &ComboBox::LostFocus, this, &Form14::Combo1_LostFocus);
    connect(SSCheck1, &SSCheck::Click, this, &Form14::SSCheck1_Click);
    connect(SSCheck2, &SSCheck::Click, this, &Form14::SSCheck2_Click);
    connect(Text1, &TextBox::Change, this, &Form14::Text1_Change);

    const std::pair<QPushButton*, void (Form14::*)()> handlers[] = {
        {Command1, &Form14::Command1_Click},   {Command2, &Form14::Command2_Click},
        {Command3, &Form14::Command3_Click},   {Command4, &Form14::Command4_Click},
        {Command5, &Form14::Command5_Click},   {Command6, &Form14::Command6_Click},
        {Command7, &Form14::Command7_Click},   {Command8, &Form14::Command8_Click},
        {Command9, &Form14::Command9_Click},   {Command10, &Form14::Command10_Click},
        {Command11, &Form14::Command11_Click}, {Command12, &Form14::Command12_Click},
        {Command13, &Form14::Command13_Click}, {Command14, &Form14::Command14_Click},
        {Command15, &Form14::Command15_Click}, {Command16, &Form14::Command16_Click},
        {Command17, &Form14::Command17_Click}, {Command18, &Form14::Command18_Click},
        {Command19, &Form14::Command19_Click}, {Command20, &Form14::Command20_Click},
        {Command21, &Form14::Command21_Click}, {Command22, &Form14::Command22_Click},
        {Command23, &Form14::Command23_Click}, {Command24, &Form14::Command24_Click},
        {Command25, &Form14::Command25_Click}, {Command26, &Form14::Command26_Click},
        {Command27, &Form14::Command27_Click}, {Command28, &Form14::Command28_Click},
        {Command29, &Form14::Command29_Click}, {Command30, &Form14::Command30_Click},
        {Command31, &Form14::Command31_Click}, {Command32, &Form14::Command32_Click},
    };
    for (const auto& [b, handler] : handlers)
        connect(b, &QPushButton::clicked, this, handler);
}

bool Form14::isLargeFormat() const
{
    return printer().pageWidthTwips() + printer().pageHeightTwips() > kLargeFormatTwips;
}

void Form14::fillLists()
{
    fill(List1, teacherItems());
    const QStringList classes = classItems();
    fill(List2, classes);
    fill(List4, classes);
    fill(List3, dayItems());
    fill(List5, roomItems());
}

void Form14::Form_Load()
{
    gTeacher = 0;
    fillLists();
    for (QPushButton* b : {Command4, Command6, Command11, Command12, Command13})
        b->setEnabled(false);
    Label5->clear();
    if (isLargeFormat()) {
        Command13->setEnabled(true);
        Label5->setText(kPlotterHint);
    }
    {
        const QSignalBlocker quiet(Combo1);
        for (int i = 0; i <= lastSlot(gFontNames.upper(), gFontCount); ++i)
            Combo1->AddItem(gFontNames(i));
    }
    Combo1->setListIndex(gFontIndex.toInt());
    m_savedFontIndex = gFontIndex.toInt();
    // Longer than its box with most school names: it shows its beginning.
    if (Text2->text().isEmpty()) {
        Text2->setText(gSchoolName.toString() + QStringLiteral(", ") + dates::shortText(Clock::today()));
        Text2->setCursorPosition(0);
    }
    FindLastUsedClass();

    // A window opened again shows the settings in force, not its design.
    SSCheck2->setValue(gBlackWhiteOnly);
    if (!gShortNote.isEmpty())
        Text1->setText(gShortNote);
}

void Form14::Form_Activate()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Command4, Command6, Command25, Command11, Command12, Command15,
                                                      Command20, Command21, Command13, Command14, Command16, List4})
        w->setEnabled(false);
    Label5->clear();
    if (isLargeFormat()) {
        for (QWidget* w : std::initializer_list<QWidget*>{Command13, Command14, Command15, List4})
            w->setEnabled(true);
    }
    const QString device = printer().deviceName();
    Label1->setText(device);
    if (device == kPlotterDevice)
        gPlotterMode = -1;
    SSCheck1->setValue(gPlotterMode.toInt());
    Text3->setText(QStringLiteral("14"));
    Text4->setText(QStringLiteral("1"));
    Text5->setText(QStringLiteral("36"));
}

void Form14::List1_Click()
{
    Command20->setEnabled(false);
    Command4->setEnabled(false);
    gCheckOk = static_cast<int>(List1->selectedItems().size());
    if (gCheckOk >= 1) {
        Command20->setEnabled(true);
        Command4->setEnabled(true);
    }
}

void Form14::List2_Click()
{
    gCheckOk = selectedAmong(List2, kClassItems);
    if (gCheckOk >= 1) {
        Command6->setEnabled(true);
        Command25->setEnabled(true);
    }
}

void Form14::List3_Click()
{
    Command11->setEnabled(true);
    Command12->setEnabled(true);
}

void Form14::List4_Click() { Command16->setEnabled(true); }

void Form14::List5_Click()
{
    gCheckOk = selectedAmong(List5, roomCount());
    if (gCheckOk >= 1)
        Command21->setEnabled(true);
}

// Selecting from code counts as a click of the list.
void Form14::Command7_Click()
{
    setSelected(List1, firstRows(List1->ListCount()), true);
    List1_Click();
    if (gCheckOk > 0) {
        Command4->setEnabled(true);
        Command20->setEnabled(true);
    }
}

void Form14::Command8_Click()
{
    setSelected(List1, firstRows(List1->ListCount()), false);
    List1_Click();
    Command4->setEnabled(false);
    Command20->setEnabled(false);
}

void Form14::Command9_Click()
{
    setSelected(List2, rowsWhere(kClassItems, [](int row) { return isNamed(gClassNames(row + 1).toString()); }),
                true);
    List2_Click();
}

void Form14::Command10_Click()
{
    setSelected(List2, firstRows(kClassItems), false);
    List2_Click();
}

void Form14::Command22_Click()
{
    setSelected(List5, rowsWhere(roomCount(), [](int row) { return isNamed(gSpecialRoomNames(row + 1)); }), true);
    List5_Click();
}

void Form14::Command23_Click()
{
    setSelected(List5, firstRows(roomCount()), false);
    List5_Click();
}

void Form14::Combo1_Click()
{
    gFontIndex = Combo1->ListIndex();
    QFont preview(gFontNames(Combo1->ListIndex()));
    preview.setPointSize(kPreviewPoints);
    Label3->setFont(preview);
}

// Only a changed font is written: a focus passing through the box must not
// rewrite the settings that the other PCs of the school read. A font that
// cannot be written is not taken: the box and memory go back to the font in
// force, or the next save of the file, by any window, would write it unasked.
void Form14::Combo1_LostFocus()
{
    if (gFontIndex.toInt() == m_savedFontIndex)
        return;
    if (!SaveSettingsFile()) {
        Combo1->setListIndex(m_savedFontIndex);
        gFontIndex = m_savedFontIndex;
        Label5->setText(kFontNotSaved);
        return;
    }
    m_savedFontIndex = gFontIndex.toInt();
}

void Form14::SSCheck1_Click(int value) { gPlotterMode = value; }

void Form14::SSCheck2_Click(int value) { gBlackWhiteOnly = static_cast<short>(value != 0 ? -1 : 0); }

void Form14::Text1_Change() { gShortNote = Text1->text(); }

void Form14::Command27_Click()
{
    Text1->setText(dates::shortText(Clock::today()) + QStringLiteral("  ")
                   + Clock::now().time().toString(QStringLiteral("hh:mm:ss")).left(5));
}

void Form14::Command31_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Command13, Command14, Command15, List4})
        w->setEnabled(true);
}

// The printer stays as it is while a printout runs.
void Form14::Command17_Click()
{
    if (!PrintoutRunning())
        forms::show<Form28>();
}

void Form14::Command1_Click() { unload(); }

// A printout of a grid a run is filling would print a timetable in the making.
void Form14::runPrintout(QPushButton* button, const Printout& printout)
{
    AfterOptimisationRun(this, [this, button, printout] { printNow(button, printout); }, button);
}

bool Form14::refusesUnfinishedGrid()
{
    const QString refused = optimiser::unfinishedGridRefusal(QStringLiteral("wird nicht gedruckt"));
    if (!refused.isEmpty())
        Label5->setText(refused + QLatin1Char('.'));
    return !refused.isEmpty();
}

void Form14::printNow(QPushButton* button, const Printout& printout)
{
    if (PrintoutRunning() || refusesUnfinishedGrid())
        return;
    const QPointer<Form14> self(this);
    const QString device = printer().deviceName();
    std::optional<PrintRun> run;
    {
        const BusyPointer busy;
        run = RunPrintout(*this, button->text(), printout);
    }
    if (!run)
        return;
    // Closed under the printout: the user still learns where its pages went.
    if (!self || self->isUnloading()) {
        reportPrintRun(*run);
        return;
    }
    if (const QString report = printRunReport(*run); !report.isEmpty())
        Label5->setText(report);
    // A printer chosen while the printout ran has taken over now.
    if (printer().deviceName() != device)
        Form_Activate();
}

void Form14::Command2_Click() { runPrintout(Command2, PrintTeacherList); }
void Form14::Command26_Click() { runPrintout(Command26, PrintClassTeachers); }
void Form14::Command32_Click() { runPrintout(Command32, PrintSubjectLegend); }
void Form14::Command25_Click() { runPrintout(Command25, PrintClassWeekPagesA4); }
void Form14::Command16_Click() { runPrintout(Command16, PrintClassWeekPageA3); }
void Form14::Command4_Click() { runPrintout(Command4, PrintTeacherBlocks3); }
void Form14::Command6_Click() { runPrintout(Command6, PrintClassBlocks3); }
void Form14::Command20_Click() { runPrintout(Command20, PrintTeacherBlocks12); }
void Form14::Command21_Click() { runPrintout(Command21, PrintRoomUsageSheets); }
void Form14::Command3_Click() { runPrintout(Command3, PrintPresenceChart); }
void Form14::Command18_Click() { runPrintout(Command18, PrintAssignmentList); }
// The hours per class are quickly printed and leave the pointer as it is.
void Form14::Command19_Click()
{
    AfterOptimisationRun(this, [this] {
        if (refusesUnfinishedGrid())
            return;
        const std::optional<PrintRun> run = RunPrintout(*this, Command19->text(), PrintClassHours);
        if (const QString report = run ? printRunReport(*run) : QString(); !report.isEmpty())
            Label5->setText(report);
    });
}
void Form14::Command24_Click() { runPrintout(Command24, PrintColourTest); }
void Form14::Command5_Click() { runPrintout(Command5, PrintNameSigns); }
void Form14::Command11_Click() { runPrintout(Command11, PrintClassDayOverview); }
void Form14::Command12_Click() { runPrintout(Command12, PrintStaffDayOverview); }
void Form14::Command13_Click() { runPrintout(Command13, PrintStaffGrid); }
void Form14::Command29_Click() { runPrintout(Command29, PrintStaffGridReduced); }
void Form14::Command14_Click() { runPrintout(Command14, PrintSchoolGrid); }
void Form14::Command28_Click() { runPrintout(Command28, PrintSchoolGridReduced); }
void Form14::Command15_Click() { runPrintout(Command15, PrintVerticalGrid); }
void Form14::Command30_Click() { runPrintout(Command30, PrintVerticalGridReduced); }
