#include "planner/masterdata/subject_window.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/text_procedures.h"
#include "planner/masterdata/subject_print.h"
#include "planner/masterdata/subject_table.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/input_guard.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int kLastProperty = 30;
constexpr int kMostTeachers = 9;
constexpr int kFewestTeachers = 1;
constexpr int kLastSpecialRoom = 16;
// A special room whose name is shorter than this has no name.
constexpr int kShortestRoomName = 2;
constexpr int kNeutralMarker = 0;
constexpr int kSetMarker = 4;
const QString kEmptySlot = QStringLiteral("=");
const QString kListSeparator = QStringLiteral("  >  ");
const controls::Font kBold{"Arial", 8.25, true};

short& attr(int s, int property) { return gSubjectAttr(s, property); }

std::uint32_t listColour(int index) { return units::bgrFromText(gColourValues(index)); }

bool isListedColour(int index) { return index >= 0 && index <= gColourCount; }

// A label marks in light red that its property is set.
void mark(QLabel* label, bool set) { controls::setBackColor(label, BackColour(set ? kSetMarker : kNeutralMarker)); }

ComboBox* comboBox(QWidget* parent, const QString& name) { return controls::named<ComboBox>(parent, name); }

// Rooms 1..16 may lose their names in the room list; a subject must not keep
// asking for a room that no longer exists. Other numbers name no room here.
void forgetUnnamedRooms()
{
    for (int s = 1; s <= gMaxSubjects; ++s) {
        for (int property : {8, 18, 19, 20}) {
            const int room = attr(s, property);
            if (room >= 1 && room <= kLastSpecialRoom && gSpecialRoomNames(room).size() < kShortestRoomName)
                attr(s, property) = 0;
        }
    }
}
}

Form7::Form7() : FormBase(7)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Eigenschaften der Fächer"));

    Label18 = controls::label(this, "Label18", QStringLiteral("Fächer-Liste"), kBold);
    List1 = controls::list(this, "List1");
    Label4 = controls::label(this, "Label4", QStringLiteral("Nr.:"), kBold);
    Label1 = controls::label(this, "Label1", QStringLiteral("99"), kBold);
    Label5 = controls::label(this, "Label5", QStringLiteral("Bezeichnung lang"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("klicken Sie bitte in die Fächer-Liste !"));
    Label6 = controls::label(this, "Label6", QStringLiteral("Bildschirm"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("kurz"));
    Label7 = controls::label(this, "Label7", QStringLiteral("Drucker"));
    Text3 = controls::named<TextBox>(this, "Text3");
    Text3->setText(QStringLiteral("kurz"));
    Label3 = controls::label(this, "Label3", QStringLiteral("Drucker-Farbe"));
    Combo2 = comboBox(this, "Combo2");
    Label2 = controls::label(this, "Label2", QString());
    controls::setBackColor(Label2, listColour(0));

    Frame1 = controls::named<QGroupBox>(this, "Frame1");
    Frame1->setTitle(QStringLiteral("Eingabeposition"));
    Option1 = controls::named<QRadioButton>(Frame1, "Option1");
    Option1->setText(QStringLiteral("links"));
    Option2 = controls::named<QRadioButton>(Frame1, "Option2");
    Option2->setText(QStringLiteral("rechts"));
    Option3 = controls::named<QRadioButton>(Frame1, "Option3");
    Option3->setText(QStringLiteral("beides"));

    Label8 = controls::label(this, "Label8", QStringLiteral("Lehrer maximal"));
    Label9 = controls::label(this, "Label9", QStringLiteral("0"), kBold);
    Command4 = controls::button(this, "Command4", QStringLiteral("+"), kBold);
    Command5 = controls::button(this, "Command5", QStringLiteral("-"), kBold);
    Label13 = controls::label(this, "Label13", QStringLiteral("Blockbildung"));
    Combo3 = comboBox(this, "Combo3");
    SSCheck4 = controls::named<SSCheck>(this, "SSCheck4", QStringLiteral("nicht über Pause"));
    Label10 = controls::label(this, "Label10", QStringLiteral("Kombination mit"));
    Combo4 = comboBox(this, "Combo4");
    Label11 = controls::label(this, "Label11", QStringLiteral("Beschränkungen"));
    Combo5 = comboBox(this, "Combo5");
    Label12 = controls::label(this, "Label12", QStringLiteral("Raumnutzung"));
    Combo6 = comboBox(this, "Combo6");
    Combo1 = comboBox(this, "Combo1");
    Combo10 = comboBox(this, "Combo10");
    Combo11 = comboBox(this, "Combo11");
    Label14 = controls::label(this, "Label14", QStringLiteral("Sperre für Fächer am gleichen Tag"));
    Combo7 = comboBox(this, "Combo7");
    Combo8 = comboBox(this, "Combo8");
    Combo9 = comboBox(this, "Combo9");
    Label16 = controls::label(this, "Label16", QStringLiteral("Verkettung"), kBold);
    Label17 = controls::label(this, "Label17", QStringLiteral("Vorgängerfach:"));
    Combo12 = comboBox(this, "Combo12");
    SSCheck1 = controls::named<SSCheck>(this, "SSCheck1", QStringLiteral("Sperre für Nachbartage"));
    SSCheck2 = controls::named<SSCheck>(this, "SSCheck2", QStringLiteral("Leistungsgruppen"));
    SSCheck3 = controls::named<SSCheck>(this, "SSCheck3", QStringLiteral("nicht - kognitiv"));
    for (QLabel* marker : {Label10, Label12, Label14, Label17})
        mark(marker, false);

    Label15 = controls::label(this, "Label15", QStringLiteral("Drucker"));
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);
    Command2 = controls::button(this, "Command2", QStringLiteral("löschen"), kBold);
    Command2->setEnabled(false);
    Command3 = controls::button(this, "Command3", QStringLiteral("Alles drucken"), kBold);
    Command8 = controls::button(this, "Command8", QStringLiteral("Fach 99 löschen"), kBold);
    Command8->setVisible(false);
    Command6 = controls::button(this, "Command6", QStringLiteral("NEIN"), kBold);
    Command6->setVisible(false);
    // They ask in place of a box.
    inputguard::asks(Command8);
    inputguard::asks(Command6);

    place(Label18, 120, 120, 3000, 255);
    place(List1, 120, 390, 3000, 6300);
    place(Label4, 3360, 120, 480, 255);
    place(Label1, 3840, 120, 600, 255);
    place(Label15, 5400, 120, 3900, 255);
    place(Label5, 3360, 480, 3000, 255);
    place(Text1, 3360, 735, 4200, 330);
    place(Label6, 3360, 1200, 1500, 255);
    place(Text2, 3360, 1455, 1500, 330);
    place(Label7, 5040, 1200, 1500, 255);
    place(Text3, 5040, 1455, 1500, 330);
    place(Label3, 6720, 1200, 1800, 255);
    place(Combo2, 6720, 1455, 1800, 330);
    place(Label2, 8640, 1455, 600, 330);
    place(Frame1, 3360, 1920, 3180, 720);
    place(Option1, 120, 330, 900, 255);
    place(Option2, 1080, 330, 960, 255);
    place(Option3, 2100, 330, 960, 255);
    place(Label8, 6720, 1920, 1800, 255);
    place(Label9, 6720, 2250, 450, 330);
    place(Command4, 7260, 2220, 480, 390);
    place(Command5, 7800, 2220, 480, 390);
    place(Label13, 3360, 2820, 2880, 255);
    place(Combo3, 3360, 3075, 2880, 330);
    place(SSCheck4, 6720, 3075, 2520, 330);
    place(Label10, 3360, 3540, 2880, 255);
    place(Combo4, 3360, 3795, 2880, 330);
    place(Label11, 6720, 3540, 2520, 255);
    place(Combo5, 6720, 3795, 2520, 330);
    place(Label12, 3360, 4260, 2880, 255);
    place(Combo6, 3360, 4515, 2880, 330);
    place(Combo1, 3360, 4875, 2880, 330);
    place(Combo10, 3360, 5235, 2880, 330);
    place(Combo11, 3360, 5595, 2880, 330);
    place(Label14, 6720, 4260, 2520, 255);
    place(Combo7, 6720, 4515, 2520, 330);
    place(Combo8, 6720, 4875, 2520, 330);
    place(Combo9, 6720, 5235, 2520, 330);
    place(SSCheck1, 6720, 5640, 2520, 300);
    place(SSCheck2, 6720, 5940, 2520, 300);
    place(SSCheck3, 6720, 6240, 2520, 300);
    place(Label16, 3360, 6060, 1500, 255);
    place(Label17, 3360, 6330, 1380, 255);
    place(Combo12, 4740, 6300, 1500, 330);
    place(Command2, 120, 6840, 1200, 420);
    place(Command8, 1380, 6840, 1740, 420);
    place(Command6, 3180, 6840, 900, 420);
    place(Command3, 5580, 6840, 1800, 420);
    place(Command1, 7500, 6840, 1740, 420);
    resize(units::twipsToPixels(9420), units::twipsToPixels(7440));

    connect(List1, &ListBox::Click, this, &Form7::List1_Click);
    connect(Text1, &TextBox::Change, this, &Form7::Text1_Change);
    connect(Text1, &TextBox::LostFocus, this, &Form7::Text1_LostFocus);
    connect(Text2, &TextBox::Change, this, &Form7::Text2_Change);
    connect(Text2, &TextBox::LostFocus, this, &Form7::Text2_LostFocus);
    connect(Text3, &TextBox::Change, this, &Form7::Text3_Change);
    connect(Combo1, &ComboBox::Click, this, &Form7::Combo1_Click);
    connect(Combo2, &ComboBox::Click, this, &Form7::Combo2_Click);
    connect(Combo3, &ComboBox::Click, this, &Form7::Combo3_Click);
    connect(Combo4, &ComboBox::Click, this, &Form7::Combo4_Click);
    connect(Combo5, &ComboBox::Click, this, &Form7::Combo5_Click);
    connect(Combo6, &ComboBox::Click, this, &Form7::Combo6_Click);
    connect(Combo7, &ComboBox::Click, this, &Form7::Combo7_Click);
    connect(Combo8, &ComboBox::Click, this, &Form7::Combo8_Click);
    connect(Combo9, &ComboBox::Click, this, &Form7::Combo9_Click);
    connect(Combo10, &ComboBox::Click, this, &Form7::Combo10_Click);
    connect(Combo11, &ComboBox::Click, this, &Form7::Combo11_Click);
    connect(Combo12, &ComboBox::Click, this, &Form7::Combo12_Click);
    connect(Option1, &QRadioButton::clicked, this, &Form7::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form7::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &Form7::Option3_Click);
    connect(SSCheck1, &SSCheck::Click, this, &Form7::SSCheck1_Click);
    connect(SSCheck2, &SSCheck::Click, this, &Form7::SSCheck2_Click);
    connect(SSCheck3, &SSCheck::Click, this, &Form7::SSCheck3_Click);
    connect(SSCheck4, &SSCheck::Click, this, &Form7::SSCheck4_Click);
    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form7::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form7::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form7::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form7::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form7::Command6_Click);
    connect(Command8, &QPushButton::clicked, this, &Form7::Command8_Click);
}

int Form7::shown() const { return m_subject; }

void Form7::Form_Activate()
{
    m_subject = 0;
    gSubject = 0;
    for (ComboBox* box : findChildren<ComboBox*>())
        box->Clear();
    List1->Clear();
    for (int s = 1; s <= gMaxSubjects; ++s)
        List1->AddItem(SubjectListItem(s));
    fillSubjectBoxes();
    for (int c = 0; c <= gColourCount; ++c)
        Combo2->AddItem(gColourNames(c).toString());
    for (int rule = 0; rule <= gTimeRuleTexts.upper(); ++rule)
        Combo5->AddItem(gTimeRuleTexts(rule));
    for (int rule = 0; rule <= gBlockRuleTexts.upper(); ++rule)
        Combo3->AddItem(gBlockRuleTexts(rule));
    forgetUnnamedRooms();
    for (ComboBox* box : {Combo6, Combo1, Combo10, Combo11}) {
        for (int room = 0; room <= gSpecialRoomCount; ++room)
            box->AddItem(gSpecialRoomNames(room));
    }
    // "PDF-Datei" is always there to print to, also on a PC without a printer.
    Label15->setText(printer().deviceName());
    Command3->setEnabled(true);
}

void Form7::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0)
        return;
    Command6->setVisible(false);
    Command8->setVisible(false);
    const int s = index + 1;
    m_subject = s;
    gSubject = s;
    Text1->setText(gSubjectNames(s, 0));
    Text2->setText(gSubjectNames(s, 1));
    Text3->setText(gSubjectNames(s, 2));
    Label1->setText(QString::number(s));

    // A value outside a box's list shows no selection and stays as stored;
    // only a value the box can show runs its handler.
    Combo2->setListIndex(attr(s, 1));
    controls::setBackColor(Label2, isListedColour(attr(s, 1)) ? listColour(attr(s, 1)) : BackColour(kNeutralMarker));
    Combo3->setListIndex(attr(s, 3));
    Combo4->setListIndex(attr(s, 6));
    mark(Label10, attr(s, 6) >= 1);
    Combo5->setListIndex(attr(s, 7));
    Combo6->setListIndex(attr(s, 8));
    mark(Label12, attr(s, 8) >= 1);
    Combo7->setListIndex(attr(s, 10));
    Combo8->setListIndex(attr(s, 11));
    Combo9->setListIndex(attr(s, 12));
    mark(Label14, attr(s, 10) + attr(s, 11) + attr(s, 12) >= 1);

    // With a first room every further room box shows, without one only those
    // that hold a room; the boxes' own handlers would show the next one too.
    const std::pair<ComboBox*, int> rooms[] = {{Combo1, 18}, {Combo10, 19}, {Combo11, 20}};
    for (const auto& [box, property] : rooms)
        box->setListIndex(attr(s, property));
    for (const auto& [box, property] : rooms)
        box->setVisible(attr(s, 8) > 0 || attr(s, property) > 0);

    Combo12->setListIndex(attr(s, 17));
    mark(Label17, attr(s, 17) >= 1);
    showInputPosition(attr(s, 2));
    SSCheck1->setValue(attr(s, 9));
    SSCheck2->setValue(attr(s, 4));
    if (attr(s, 13) > 1)
        attr(s, 13) = 0;
    SSCheck3->setValue(attr(s, 13));
    Label9->setText(QString::number(attr(s, 5)));
    SSCheck4->setVisible(attr(s, 3) >= 1);
    SSCheck4->setValue(attr(s, 14));
    Command2->setEnabled(true);
    List1->setFocus();
}

void Form7::showInputPosition(int position)
{
    QRadioButton* const options[] = {Option1, Option2, Option3};
    const bool listed = position >= 0 && position < static_cast<int>(std::size(options));
    for (QRadioButton* option : options) {
        // Unticking one of a group needs its exclusivity lifted for a moment.
        option->setAutoExclusive(false);
        option->setChecked(listed && option == options[position]);
        option->setAutoExclusive(true);
    }
    controls::setForeColor(Frame1, listColour(listed ? position : 0));
}

void Form7::Text1_Change()
{
    if (shown())
        gSubjectNames(shown(), 0) = Text1->text();
}

void Form7::Text2_Change()
{
    if (shown())
        gSubjectNames(shown(), 1) = TrimBlanks(Text2->text());
}

void Form7::Text3_Change()
{
    if (shown())
        gSubjectNames(shown(), 2) = TrimBlanks(Text3->text());
}

void Form7::Text1_LostFocus()
{
    if (shown() && !isUnloading())
        refreshListItem();
}

void Form7::Text2_LostFocus()
{
    if (!shown() || isUnloading())
        return;
    const QString printerName = gSubjectNames(shown(), 2);
    if (printerName.isEmpty() || printerName == kEmptySlot) {
        gSubjectNames(shown(), 2) = gSubjectNames(shown(), 1);
        Text3->setText(Text2->text());
    }
    refreshListItem();
    fillSubjectBoxes();
}

void Form7::refreshListItem()
{
    const int index = shown() - 1;
    List1->setItemText(index, SubjectListItem(shown()));
    List1->setListIndex(index);
}

void Form7::fillSubjectBoxes()
{
    const std::pair<ComboBox*, QString> boxes[] = {{Combo4, QStringLiteral("nichts")},
                                                   {Combo7, QStringLiteral("keines")},
                                                   {Combo8, QStringLiteral("keines")},
                                                   {Combo9, QStringLiteral("keines")},
                                                   {Combo12, QStringLiteral("jedes")}};
    for (const auto& [box, none] : boxes) {
        box->Clear();
        box->AddItem(none);
        for (int s = 1; s <= gMaxSubjects; ++s)
            box->AddItem(gSubjectNames(s, 1));
    }
}

void Form7::Combo2_Click()
{
    if (!shown())
        return;
    attr(shown(), 1) = static_cast<short>(Combo2->ListIndex());
    controls::setBackColor(Label2, listColour(Combo2->ListIndex()));
}

void Form7::Combo3_Click()
{
    if (!shown())
        return;
    attr(shown(), 3) = static_cast<short>(Combo3->ListIndex());
    if (attr(shown(), 3) < 1)
        attr(shown(), 14) = 0;
    else
        SSCheck4->setVisible(true);
}

void Form7::Combo4_Click()
{
    if (!shown())
        return;
    attr(shown(), 6) = static_cast<short>(Combo4->ListIndex());
    // Only a subject in the left half of a cell has a partner in the right.
    if (attr(shown(), 2) > 0 && attr(shown(), 6) != 0) {
        attr(shown(), 6) = 0;
        Combo4->setListIndex(0);
    }
}

void Form7::Combo5_Click()
{
    if (shown())
        attr(shown(), 7) = static_cast<short>(Combo5->ListIndex());
}

void Form7::Combo6_Click()
{
    if (!shown())
        return;
    attr(shown(), 8) = static_cast<short>(Combo6->ListIndex());
    if (attr(shown(), 8) > 0)
        Combo1->setVisible(true);
}

void Form7::Combo1_Click()
{
    if (!shown())
        return;
    attr(shown(), 18) = static_cast<short>(Combo1->ListIndex());
    if (attr(shown(), 18) > 0)
        Combo10->setVisible(true);
}

void Form7::Combo10_Click()
{
    if (!shown())
        return;
    attr(shown(), 19) = static_cast<short>(Combo10->ListIndex());
    if (attr(shown(), 19) > 0)
        Combo11->setVisible(true);
}

void Form7::Combo11_Click()
{
    if (shown())
        attr(shown(), 20) = static_cast<short>(Combo11->ListIndex());
}

void Form7::Combo7_Click()
{
    if (shown())
        attr(shown(), 10) = static_cast<short>(Combo7->ListIndex());
}

void Form7::Combo8_Click()
{
    if (shown())
        attr(shown(), 11) = static_cast<short>(Combo8->ListIndex());
}

void Form7::Combo9_Click()
{
    if (shown())
        attr(shown(), 12) = static_cast<short>(Combo9->ListIndex());
}

void Form7::Combo12_Click()
{
    if (shown())
        attr(shown(), 17) = static_cast<short>(Combo12->ListIndex());
}

void Form7::Option1_Click()
{
    if (shown())
        attr(shown(), 2) = 0;
}

void Form7::Option2_Click()
{
    if (shown())
        attr(shown(), 2) = 1;
}

void Form7::Option3_Click()
{
    if (shown())
        attr(shown(), 2) = 2;
}

void Form7::SSCheck1_Click(int value)
{
    if (shown())
        attr(shown(), 9) = static_cast<short>(-value);
}

void Form7::SSCheck2_Click(int value)
{
    if (shown())
        attr(shown(), 4) = static_cast<short>(-value);
}

void Form7::SSCheck3_Click(int value)
{
    if (shown())
        attr(shown(), 13) = static_cast<short>(-value);
}

void Form7::SSCheck4_Click(int value)
{
    if (shown())
        attr(shown(), 14) = static_cast<short>(-value);
}

void Form7::Command4_Click()
{
    if (!shown())
        return;
    attr(shown(), 5) = static_cast<short>(qMin(attr(shown(), 5) + 1, kMostTeachers));
    Label9->setText(QString::number(attr(shown(), 5)));
}

void Form7::Command5_Click()
{
    if (!shown())
        return;
    attr(shown(), 5) = static_cast<short>(qMax(attr(shown(), 5) - 1, kFewestTeachers));
    Label9->setText(QString::number(attr(shown(), 5)));
}

void Form7::Command2_Click()
{
    if (!shown())
        return;
    Command8->setText(QStringLiteral("Fach ") + QString::number(shown()) + QStringLiteral(" löschen"));
    Command8->setVisible(true);
    Command6->setVisible(true);
}

void Form7::Command6_Click()
{
    Command6->setVisible(false);
    Command8->setVisible(false);
    Command2->setFocus();
}

// The slot keeps its number: plans and other subjects name subjects by it.
void Form7::Command8_Click()
{
    if (!shown())
        return;
    const int s = shown();
    gSubjectNames(s, 0) = QString();
    gSubjectNames(s, 1) = kEmptySlot;
    gSubjectNames(s, 2) = QString();
    for (int p = 0; p <= kLastProperty; ++p)
        attr(s, p) = 0;
    attr(s, 5) = kFewestTeachers;
    refreshListItem();
    fillSubjectBoxes();
    Command6->setVisible(false);
    Command8->setVisible(false);
}

void Form7::Command1_Click() { unload(); }

void Form7::Command3_Click()
{
    PrintRun run;
    {
        const BusyPointer busy;
        // Enabled again when the window is next activated.
        controls::disableHandingFocusTo(Command3, List1);
        printer().beginRun(QStringLiteral("Facheigenschaften"), gDataPath + QStringLiteral("Ausdrucke"));
        PrintSubjectTable();
        run = printer().endRun();
    }
    reportPrintRun(run);
}

void Form7::Form_Load()
{
    m_openedNames = gSubjectNames;
    m_openedAttr = gSubjectAttr;
}

// The file is written when it does not hold the table, so a look at the
// subjects in a folder this PC cannot write closes as it opened. Also when
// the file holds the trimmed names but the table keeps the blanks typed: the
// save leaves the table as the file holds it.
bool Form7::hasUnsavedEdits() const { return !SubjectFileHoldsTable() || !SubjectNamesAsStored(); }

QString Form7::saveEdits()
{
    const datafile::WriteResult written = SaveSubjectFile();
    return written ? QString() : QStringLiteral("Die Fächer konnten nicht gespeichert werden (Fach2.txt): ") + written.reason;
}

void Form7::discardEdits()
{
    gSubjectNames = m_openedNames;
    gSubjectAttr = m_openedAttr;
}

void Form7::Form_Unload(bool&)
{
    forms::unload<Form64>();
    CheckSameSubjectNames();
    if (gCheckOk != 1)
        forms::show<Form64>();
}

Form64::Form64() : FormBase(0)
{
    setObjectName(QStringLiteral("Form64"));
    setWindowTitle(QStringLiteral("Warnung: gleichnamige Fächer"));
    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Es wurden Fächer mit identer Bildschirmbezeichnung gefunden. Da es "
                                            "dadurch zu Verwechslungen kommen kann, wäre es klug dies zu beheben."));
    Label1->setWordWrap(true);
    Label2 = controls::label(this, "Label2", QStringLiteral("..."), kBold);
    Label2->setWordWrap(true);
    place(Label1, 120, 120, 5400, 720);
    place(Label2, 120, 960, 5400, 600);
    resize(units::twipsToPixels(5640), units::twipsToPixels(1800));
}

void Form64::Form_Load() { Label2->setText(gText.toString()); }
