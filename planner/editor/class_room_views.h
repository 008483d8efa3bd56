#pragma once
#include "planner/editor/week_grid.h"

// Form52 "Klassen-Stundenplan": the week of one class, both group rows of a
// period in one cell ("E F").
class Form52 : public WeekGrid {
    Q_OBJECT
public:
    Form52();

    void Timer1_Timer() override;

protected:
    QStringList choices() const override;
};

// Form53 "Raumnutzung": the use of one special room, naming in each period
// the classes whose lessons ask for it.
class Form53 : public WeekGrid {
    Q_OBJECT
public:
    Form53();

    void Timer1_Timer() override;

protected:
    QStringList choices() const override;
    void Form_Activate() override;
};
