#include "planner/substitution/standings_windows.h"

#include "planner/substitution/absences_window.h"
#include "platform/controls.h"
#include "platform/currency.h"
#include "platform/dates.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
const controls::Font kFixedFont{"Fixedsys", 9};
const QString kStandingsFile = QStringLiteral("stand.sup");
constexpr int kRedColour = 3;
constexpr int kGreenColour = 6;
constexpr int kNameWidth = 30;
constexpr int kColumnWidth = 4;
// A name shorter than this marks an empty slot ("-").
constexpr int kShortestName = 2;

int teacherSlots() { return std::clamp(gMaxTeachers.toInt(), 0, static_cast<int>(SubstitutionCounts::upper())); }

bool sameCounts(const SubstitutionCounts& a, const SubstitutionCounts& b)
{
    for (int t = 1; t <= teacherSlots(); ++t) {
        for (int column = kQuotaColumn; column <= kPaidColumn; ++column) {
            if (a(t, column) != b(t, column))
                return false;
        }
    }
    return true;
}

// What a counter box holds; text that is no number counts 0, so the
// counters stay numbers (an emptied box while typing is 0 until a digit).
float counterOf(const QString& text)
{
    const std::optional<Currency> value = Currency::parse(text);
    return value ? static_cast<float>(value->toDouble()) : 0.0f;
}

// A column of Form49: the number with a sign blank and a decimal point,
// right-aligned in four characters, cut to its last four.
QString standingsColumn(float value)
{
    return (QStringLiteral("   ") + numbers::strFormSingle(value)).right(kColumnWidth);
}

QString standingsLine(int t)
{
    return gTeacherNames(t).toString().leftJustified(kNameWidth, QLatin1Char(' '), true)
           + standingsColumn(gSubstCounts(t, kPaidColumn)) + standingsColumn(gSubstCounts(t, kUnpaidColumn))
           + standingsColumn(gSubstCounts(t, kQuotaColumn));
}
}

Form47::Form47() : FormBase(47)
{
    setObjectName(QStringLiteral("Form47"));
    setWindowTitle(QStringLiteral("Stand der Supplierungen festlegen"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Liste aller Lehrpersonen"));
    List1 = controls::list(this, "List1", kFixedFont);
    Label2 = controls::label(this, "Label2", QStringLiteral("Lehrer"), {"Arial", 10, true});
    Label7 = controls::label(this, "Label7", QString());
    Label3 = controls::label(this, "Label3", QStringLiteral("Stichtag:"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("TT.MM.JJJJ"));
    Label8 = controls::label(this, "Label8", QString());
    Label4 = controls::label(this, "Label4", QStringLiteral("zu haltende unbez. Supp.:"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Label5 = controls::label(this, "Label5", QStringLiteral("bereits gehaltene unbez. Supp.:"));
    Text3 = controls::named<TextBox>(this, "Text3");
    Label6 = controls::label(this, "Label6", QStringLiteral("bereits gehaltene bezahlte Supp.:"));
    Text4 = controls::named<TextBox>(this, "Text4");
    Command1 = controls::button(this, "Command1", QStringLiteral("Exit"));
    for (TextBox* box : {Text2, Text3, Text4})
        box->setEnabled(false);

    place(Label1, 120, 120, 3600, 255);
    place(List1, 120, 375, 3600, 4800);
    place(Label2, 3960, 375, 3000, 285);
    place(Label7, 7080, 375, 900, 285);
    place(Label3, 3960, 960, 1200, 255);
    place(Text1, 5280, 900, 1500, 330);
    place(Label8, 6900, 960, 600, 255);
    place(Label4, 3960, 1620, 3240, 255);
    place(Text2, 7260, 1560, 900, 330);
    place(Label5, 3960, 2100, 3240, 255);
    place(Text3, 7260, 2040, 900, 330);
    place(Label6, 3960, 2580, 3240, 255);
    place(Text4, 7260, 2520, 900, 330);
    place(Command1, 6660, 4740, 1500, 420);
    resize(units::twipsToPixels(8400), units::twipsToPixels(5460));

    connect(List1, &ListBox::Click, this, &Form47::List1_Click);
    connect(Text1, &TextBox::Change, this, &Form47::Text1_Change);
    connect(Text2, &TextBox::LostFocus, this, &Form47::Text2_LostFocus);
    connect(Text3, &TextBox::LostFocus, this, &Form47::Text3_LostFocus);
    connect(Text4, &TextBox::Change, this, &Form47::Text4_Change);
    connect(Command1, &QPushButton::clicked, this, &Form47::Command1_Click);
}

void Form47::Form_Load()
{
    gTeacher = 0;
    m_teacher = 0;
    QStringList names;
    for (int t = 1; t <= teacherSlots(); ++t)
        names << gTeacherNames(t).toString();
    {
        const QSignalBlocker quiet(List1);
        List1->Clear();
        List1->AddItems(names);
    }
    m_counts = gSubstCounts;
    std::optional<QDate> keyDate;
    // Counters that could not be read are no zeros to be saved over them.
    const SubstitutionFileRead standings = ReadStandings(keyDate, m_counts);
    if (standings)
        Text1->setText(keyDate ? dates::shortText(*keyDate) : QString());
    m_loaded = m_counts;
    // Told once the window is loaded: closed while the box is up, it has
    // nothing to save.
    if (!standings && !standings.unreadable.isEmpty())
        MsgBox(standings.unreadable, kPlannerDialogTitle);
}

bool Form47::keyDateTyped() const { return dates::isValid(Text1->text().trimmed()); }

void Form47::List1_Click()
{
    if (List1->ListIndex() < 0)
        return;
    m_teacher = List1->ListIndex() + 1;
    gTeacher = m_teacher;
    Label2->setText(gTeacherNames(m_teacher).toString());
    Label7->setText(gTeacherShort(m_teacher));
    for (TextBox* box : {Text2, Text3, Text4})
        box->setEnabled(true);
    Text2->setText(numbers::textSingle(m_counts(m_teacher, kQuotaColumn)));
    Text3->setText(numbers::textSingle(m_counts(m_teacher, kUnpaidColumn)));
    Text4->setText(numbers::textSingle(m_counts(m_teacher, kPaidColumn)));
}

void Form47::Text1_Change()
{
    controls::setBackColor(Text1, static_cast<std::uint32_t>(gBackColours(kRedColour).toDouble()));
    const std::optional<QDate> day = dates::parse(Text1->text().trimmed());
    if (!day)
        return;
    controls::setBackColor(Text1, static_cast<std::uint32_t>(gBackColours(kGreenColour).toDouble()));
    Label8->setText(gDayShortNames(dates::weekday(*day)));
}

void Form47::storeCounter(TextBox* box, int column)
{
    if (m_teacher >= 1 && m_teacher <= teacherSlots())
        m_counts(m_teacher, column) = counterOf(box->text());
}

void Form47::Text2_LostFocus() { storeCounter(Text2, kQuotaColumn); }

void Form47::Text3_LostFocus() { storeCounter(Text3, kUnpaidColumn); }

void Form47::Text4_Change() { storeCounter(Text4, kPaidColumn); }

// With a key date the standings are written whenever the file does not hold
// them yet; without one, only changed counters are worth a question.
bool Form47::hasUnsavedEdits() const
{
    if (keyDateTyped())
        return !datafile::holds(gDataPath + kStandingsFile, StandingsLines(Text1->text(), m_counts));
    return !sameCounts(m_counts, m_loaded);
}

QString Form47::saveEdits()
{
    // Text2 and Text3 store when they lose the focus, which closing by the
    // close box does not take from them.
    if (Text2->hasFocus())
        Text2_LostFocus();
    if (Text3->hasFocus())
        Text3_LostFocus();
    if (!keyDateTyped())
        return QStringLiteral("Ohne gültigen Stichtag können die geänderten Zählerstände nicht gespeichert werden");
    if (const datafile::WriteResult written = WriteStandings(Text1->text(), m_counts); !written)
        return QStringLiteral("Der Stand der Supplierungen konnte nicht gespeichert werden (") + kStandingsFile
               + QStringLiteral("): ") + written.reason;
    return {};
}

void Form47::discardEdits() { m_discarded = true; }

void Form47::Form_Unload(bool&)
{
    if (m_discarded)
        return;
    gSubstCounts = m_counts;
    if (keyDateTyped())
        gKeyDate = Text1->text().trimmed();
}

void Form47::Command1_Click()
{
    if (unload())
        forms::show<Form20>();
}

Form49::Form49() : FormBase(49)
{
    setObjectName(QStringLiteral("Form49"));
    setWindowTitle(QStringLiteral("aktueller Stand der Supplierungen"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Name") + QString(26, QLatin1Char('.')) + QStringLiteral(" bez unb von"),
                             kFixedFont);
    List1 = controls::list(this, "List1", kFixedFont);
    Command1 = controls::button(this, "Command1", QStringLiteral("Exit"));

    place(Label1, 120, 120, 5400, 255);
    place(List1, 120, 375, 5400, 5400);
    place(Command1, 4020, 5880, 1500, 420);
    resize(units::twipsToPixels(5640), units::twipsToPixels(6420));

    connect(Command1, &QPushButton::clicked, this, &Form49::Command1_Click);
}

void Form49::Form_Activate()
{
    setWindowTitle(QStringLiteral("Stand der Supplierungen am ") + gWorkDate.toString()
                   + QStringLiteral(" vor U.-Beginn"));
    const FinishedDaysRead read = LoadSubstitutionTotals();
    QStringList lines;
    for (int t = 1; t <= teacherSlots(); ++t) {
        if (gTeacherNames(t).toString().size() >= kShortestName)
            lines << standingsLine(t);
    }
    {
        const QSignalBlocker quiet(List1);
        List1->setUpdatesEnabled(false);
        List1->Clear();
        List1->AddItems(lines);
        List1->setUpdatesEnabled(true);
    }
    // Told last, with no guard of the list alive: the window may be closed
    // while the box is up.
    QStringList told;
    if (!read.unreadable.isEmpty())
        told << QStringLiteral("Der Stand der Supplierungen ist unvollständig:\n")
                    + read.unreadable.join(QLatin1Char('\n'));
    m_told.tell(told.join(QStringLiteral("\n\n")));
}

void Form49::Command1_Click() { unload(); }
