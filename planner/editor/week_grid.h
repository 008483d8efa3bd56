#pragma once
// The week grid that the plan views share: a choice of teacher, class or room,
// six day columns of eleven period rows, and a timer that redraws the cells
// from the plan in memory every 1.5 seconds, so a view follows the editor and
// the optimiser without being told. The views only read the plan.
#include "platform/controls.h"
#include "platform/forms.h"

#include <array>
#include <cstdint>

class QLabel;

class WeekGrid : public FormBase {
    Q_OBJECT
public:
    static constexpr int kDays = 6;
    static constexpr int kPeriods = 11;
    static constexpr int kTickMs = 1500;

    ComboBox* Combo1;
    std::array<QLabel*, kDays> Label2;             // day headings
    std::array<QLabel*, kPeriods> Label4;          // period headings
    std::array<QLabel*, kDays * kPeriods> Label1;  // cell 11 (day - 1) + (period - 1)
    Timer* Timer1;

    // The cell of weekday 1..6 and period 1..11.
    QLabel* cell(int day, int period) const;

    virtual void Timer1_Timer() = 0;

protected:
    // How a view lays out and colours its grid; lengths in twips.
    struct Design {
        int slot;
        const char* name;
        const char* caption;
        const char* prompt;
        std::uint32_t headingColour;
        int columnPitch;
        int cellWidth;
        // The whole grid moves by this much to the right and down.
        int shift;
    };
    explicit WeekGrid(const Design& design);

    // What Combo1 offers, one entry per slot in slot order, so that list
    // index + 1 is the slot shown.
    virtual QStringList choices() const = 0;
    // The slot chosen in Combo1; 0 before a choice.
    int chosenSlot() const;

    // Restores the position, fills the choice, hides the days and periods
    // beyond the week and starts the timer.
    void Form_Load() override;
    // Closing a view closes the launcher too.
    void Form_Unload(bool& cancel) override;

    // The bottom of the grid, where a view puts what it shows below it.
    static constexpr int kGridBottom = 1200 + 240 * kPeriods;
};
