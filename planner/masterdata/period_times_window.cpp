#include "planner/masterdata/period_times_window.h"

#include "core/model.h"
#include "planner/masterdata/school_files.h"
#include "platform/controls.h"
#include "platform/numbers.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {
constexpr int kPeriods = 11;
constexpr int kBreaks = 3;
constexpr double kLastBreak = 10;
const controls::Font kBold{"Arial", 9.75, true};
const QString kPeriodFile = QStringLiteral("Time.txt");

QStringList periodTimes()
{
    QStringList times;
    for (int p = 1; p <= kPeriods; ++p)
        times << gPeriodTimes(p);
    return times;
}
}

Form27::Form27() : FormBase(27)
{
    setObjectName(QStringLiteral("Form27"));
    setWindowTitle(QStringLiteral("Zeiten"));

    List1 = controls::list(this, "List1");
    Label1 = controls::label(this, "Label1", QStringLiteral("X"), kBold);
    Label2 = controls::label(this, "Label2", QStringLiteral("Kurzbez. der Einheit"));
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("x.Eh."));
    Label3 = controls::label(this, "Label3", QStringLiteral("Beginn und Ende der Einheit"));
    Text2 = controls::named<TextBox>(this, "Text2");
    Text2->setText(QStringLiteral("von - bis"));
    Label4 = controls::label(this, "Label4", QStringLiteral("Lage der großen Pausen"), kBold);
    Label5 = controls::label(this, "Label5", QStringLiteral("1. nach der Einheit:"));
    Text3 = controls::named<TextBox>(this, "Text3");
    Label6 = controls::label(this, "Label6", QStringLiteral("2. nach der Einheit:"));
    Text4 = controls::named<TextBox>(this, "Text4");
    Label7 = controls::label(this, "Label7", QStringLiteral("3. nach der Einheit:"));
    Text5 = controls::named<TextBox>(this, "Text5");
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);

    place(List1, 120, 120, 2400, 3060);
    place(Label1, 2760, 120, 600, 255);
    place(Label2, 2760, 480, 2640, 255);
    place(Text1, 2760, 735, 2640, 330);
    place(Label3, 2760, 1200, 2640, 255);
    place(Text2, 2760, 1455, 2640, 330);
    place(Label4, 2760, 1980, 2640, 255);
    place(Label5, 2760, 2310, 1920, 255);
    place(Text3, 4740, 2265, 660, 330);
    place(Label6, 2760, 2670, 1920, 255);
    place(Text4, 4740, 2625, 660, 330);
    place(Label7, 2760, 3030, 1920, 255);
    place(Text5, 4740, 2985, 660, 330);
    place(Command1, 2760, 3480, 2640, 450);
    resize(units::twipsToPixels(5640), units::twipsToPixels(4140));

    connect(List1, &ListBox::Click, this, &Form27::List1_Click);
    connect(Text1, &TextBox::Change, this, &Form27::Text1_Change);
    connect(Text2, &TextBox::Change, this, &Form27::Text2_Change);
    connect(Text2, &TextBox::LostFocus, this, &Form27::Text2_LostFocus);
    connect(Text3, &TextBox::LostFocus, this, &Form27::Text3_LostFocus);
    connect(Text4, &TextBox::LostFocus, this, &Form27::Text4_LostFocus);
    connect(Text5, &TextBox::LostFocus, this, &Form27::Text5_LostFocus);
    connect(Command1, &QPushButton::clicked, this, &Form27::Command1_Click);
}

void Form27::Form_Load()
{
    for (int p = 1; p <= kPeriods; ++p)
        m_labels[p - 1] = gPeriodLabels(p);
    m_times = periodTimes();
    for (int b = 1; b <= kBreaks; ++b)
        m_breaks[b - 1] = gBreakAfter(b);
    m_savedLines = PeriodFileLines(PeriodTexts::AsHeld);
}

void Form27::showTimes()
{
    List1->Clear();
    List1->AddItems(periodTimes());
}

void Form27::Form_Activate()
{
    m_period = 0;
    showTimes();
    TextBox* const boxes[] = {Text3, Text4, Text5};
    for (int b = 1; b <= kBreaks; ++b)
        boxes[b - 1]->setText(gBreakAfter(b) == 0 ? QString() : QString::number(gBreakAfter(b)));
}

void Form27::List1_Click()
{
    const int index = List1->ListIndex();
    if (index < 0 || index >= kPeriods)
        return;
    m_period = index + 1;
    Label1->setText(QString::number(m_period));
    Text1->setText(gPeriodLabels(m_period).toString());
    Text2->setText(gPeriodTimes(m_period));
}

void Form27::Text1_Change()
{
    if (m_period >= 1)
        gPeriodLabels(m_period) = Text1->text();
}

void Form27::Text2_Change()
{
    if (m_period >= 1)
        gPeriodTimes(m_period) = Text2->text();
}

void Form27::Text2_LostFocus()
{
    if (isUnloading())
        return;
    // Refilling the list leaves no item selected; the period edited stays.
    showTimes();
}

void Form27::takeBreak(TextBox* box, int b)
{
    const double v = numbers::val(box->text());
    if (v == 0)
        box->setText(QString());
    gBreakAfter(b) = numbers::toInt16(std::clamp(v, 0.0, kLastBreak)).value_or(0);
}

void Form27::Text3_LostFocus() { takeBreak(Text3, 1); }

void Form27::Text4_LostFocus() { takeBreak(Text4, 2); }

void Form27::Text5_LostFocus() { takeBreak(Text5, 3); }

void Form27::Command1_Click() { unload(); }

// The close box takes no focus: a break typed last would be lost unseen.
void Form27::closeEvent(QCloseEvent* e)
{
    if (!isUnloading()) {
        takeBreak(Text3, 1);
        takeBreak(Text4, 2);
        takeBreak(Text5, 3);
    }
    FormBase::closeEvent(e);
}

// Also when only blanks were typed around a text: the file gets it trimmed.
bool Form27::hasUnsavedEdits() const { return PeriodFileLines(PeriodTexts::AsHeld) != m_savedLines; }

QString Form27::saveEdits()
{
    const datafile::WriteResult written = SavePeriodFile(PeriodTexts::Trimmed);
    if (!written)
        return SaveFailure(kPeriodFile, written);
    m_savedLines = PeriodFileLines(PeriodTexts::AsHeld);
    return {};
}

void Form27::discardEdits()
{
    for (int p = 1; p <= kPeriods; ++p) {
        gPeriodLabels(p) = m_labels[p - 1];
        gPeriodTimes(p) = m_times[p - 1];
    }
    for (int b = 1; b <= kBreaks; ++b)
        gBreakAfter(b) = m_breaks[b - 1];
}
