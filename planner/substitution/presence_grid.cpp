#include "planner/substitution/presence_grid.h"

#include "core/model.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/substitution_day.h"
#include "platform/controls.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kAbsent = 1;
constexpr int kPresent = 0;
constexpr int kRowHeight = 300;
constexpr int kFirstRowTop = 120;

int rowTop(int period) { return kFirstRowTop + (period - 1) * kRowHeight; }
}

PresenceGrid::PresenceGrid(AbsenceSide side, int positionSlot, const QString& absentSample,
                           const QString& absentCaption)
    : FormBase(positionSlot), m_side(side)
{
    for (int p = 1; p <= kPeriodRows; ++p) {
        Label1[p] = controls::label(this, QStringLiteral("Label1_%1").arg(p), QString());
        Check1[p] = controls::named<QCheckBox>(this, QStringLiteral("Check1_%1").arg(p));
        place(Label1[p], 120, rowTop(p) + 30, 900, 255);
        place(Check1[p], 1080, rowTop(p), 1400, 285);
        connect(Check1[p], &QCheckBox::clicked, this, [this, p] { Check1_Click(p); });
    }
    Label2 = controls::label(this, "Label2", QStringLiteral("Legende:"));
    Check2 = controls::named<QCheckBox>(this, "Check2");
    Check2->setChecked(true);
    m_absentSample = controls::named<QCheckBox>(this, absentSample);
    m_absentSample->setText(absentCaption);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"));

    place(Label2, 2760, 150, 1500, 255);
    place(Check2, 2760, 420, 3600, 285);
    place(m_absentSample, 2760, 720, 3600, 285);
    place(Command1, 2760, rowTop(kPeriodRows) - 180, 1400, 420);
    resize(units::twipsToPixels(6600), units::twipsToPixels(rowTop(kPeriodRows) + kRowHeight + 180));

    connect(Check2, &QCheckBox::clicked, this, &PresenceGrid::Check2_Click);
    connect(m_absentSample, &QCheckBox::clicked, this, &PresenceGrid::absentSampleClick);
    connect(Command1, &QPushButton::clicked, this, &PresenceGrid::Command1_Click);
}

void PresenceGrid::Form_Load()
{
    const bool teacher = m_side == AbsenceSide::Teacher;
    m_slot = teacher ? SelectedAbsenceTeacher() : SelectedAbsenceClass();
    if (!IsAbsenceSlot(m_side, m_slot))
        m_slot = 0;
    setWindowTitle(teacher ? gTeacherNames(m_slot).toString() : gClassNames(m_slot).toString());
    for (int p = 1; p <= kPeriodRows; ++p) {
        Label1[p]->hide();
        Check1[p]->hide();
    }
    if (m_slot == 0)
        return;
    for (int p = 1; p <= SubstitutionPeriods(); ++p) {
        Label1[p]->show();
        Check1[p]->show();
        Label1[p]->setText(gPeriodLabels(p).toString());
        showMark(p);
    }
}

void PresenceGrid::showMark(int period)
{
    const bool absent = AbsenceMark(m_side, m_slot, period) == kAbsent;
    Check1[period]->setChecked(!absent);
    Check1[period]->setText(absent ? QStringLiteral("fehlt") : QStringLiteral("anwesend"));
}

void PresenceGrid::Check1_Click(int index)
{
    if (index < 1 || index > kPeriodRows)
        return;
    SetAbsenceMark(m_side, m_slot, index, Check1[index]->isChecked() ? kPresent : kAbsent);
    showMark(index);
}

void PresenceGrid::Check2_Click() { Check2->setChecked(true); }

void PresenceGrid::absentSampleClick() { m_absentSample->setChecked(false); }

void PresenceGrid::Command1_Click() { unload(); }

void PresenceGrid::Form_Unload(bool& cancel)
{
    (void)cancel;
    if (m_side == AbsenceSide::Teacher)
        ShowTeacherAbsenceStatus();
    else
        ShowClassAbsenceStatus();
}

Form46::Form46()
    : PresenceGrid(AbsenceSide::Teacher, 46, QStringLiteral("Check3"), QStringLiteral(" = Lehrer fehlt in dieser Einheit"))
{
    setObjectName(QStringLiteral("Form46"));
    setWindowTitle(QStringLiteral("Form46"));
    Check2->setText(QStringLiteral(" = ist in dieser Stunde da"));
    Check3 = m_absentSample;
}

Form48::Form48()
    : PresenceGrid(AbsenceSide::Class, 48, QStringLiteral("SSCheck1"), QStringLiteral("! = Klasse fehlt in dieser Einheit"))
{
    setObjectName(QStringLiteral("Form48"));
    setWindowTitle(QStringLiteral("Form48"));
    Check2->setText(QStringLiteral(" = Klasse ist da"));
    SSCheck1 = m_absentSample;
}
