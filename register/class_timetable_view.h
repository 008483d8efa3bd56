#pragma once
#include "platform/forms.h"

#include <array>

class QLabel;

// Form16, the week timetable of the class in the entry window, taken from the
// plan in memory when the window is loaded.
class Form16 : public FormBase {
    Q_OBJECT
public:
    Form16();

    std::array<QLabel*, 6> Label2;  // weekday headings
    std::array<QLabel*, 11> Label4; // period headings
    std::array<QLabel*, 66> Label1; // cell (day - 1) * 11 + (period - 1)

protected:
    void Form_Load() override;

private:
    void showDaysAndPeriods();
    void fillCells(int cls);
};
