#pragma once
// The presence grid of a teacher or class that is away for some periods of
// the working date: one box per period, ticked present, empty absent. It edits
// the period marks of the teacher or class that the absences window had
// selected when the grid opened, whatever is selected later.
#include "planner/substitution/day_absences.h"
#include "platform/forms.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

class PresenceGrid : public FormBase {
    Q_OBJECT
public:
    static constexpr int kPeriodRows = 11;

    // Period rows 1..11 (element 0 unused).
    std::array<QLabel*, kPeriodRows + 1> Label1{};
    std::array<QCheckBox*, kPeriodRows + 1> Check1{};
    QLabel* Label2;
    QCheckBox* Check2;
    QPushButton* Command1;

    void Check1_Click(int index);
    void Check2_Click();
    void Command1_Click();

    // The teacher or class the grid was opened for; 0 for none.
    int slot() const { return m_slot; }

protected:
    // `absentSample` names the legend box for "absent" and its caption.
    PresenceGrid(AbsenceSide side, int positionSlot, const QString& absentSample, const QString& absentCaption);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    // The legend box for "absent" stays empty.
    void absentSampleClick();

    QCheckBox* m_absentSample;

private:
    void showMark(int period);

    AbsenceSide m_side;
    int m_slot = 0;
};

// Form46: the periods of the selected teacher.
class Form46 : public PresenceGrid {
    Q_OBJECT
public:
    Form46();
    QCheckBox* Check3;
    void Check3_Click() { absentSampleClick(); }
};

// Form48: the periods of the selected class.
class Form48 : public PresenceGrid {
    Q_OBJECT
public:
    Form48();
    QCheckBox* SSCheck1;
    void SSCheck1_Click() { absentSampleClick(); }
};
