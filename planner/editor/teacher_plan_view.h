#pragma once
#include "planner/editor/week_grid.h"

// The week of one teacher: a subject and class in each period taught, and
// below the grid the gaps ("Fenster"), series gaps, wishes and lessons of
// that week. Form51 and Form66 are two of these side by side, each with its
// own teacher.
class TeacherPlanView : public WeekGrid {
    Q_OBJECT
public:
    QLabel* Label3;

    void Timer1_Timer() override;

protected:
    TeacherPlanView(int slot, const char* name, const char* caption, int shift);
    QStringList choices() const override;
};

// Form51 "Lehrer-Stundenplan 1".
class Form51 : public TeacherPlanView {
    Q_OBJECT
public:
    Form51();
};

// Form66 "Lehrer-Stundenplan 2", the same view for a second teacher, its grid
// 15 twips further right and lower.
class Form66 : public TeacherPlanView {
    Q_OBJECT
public:
    Form66();
};
