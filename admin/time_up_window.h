#pragma once
// The signal at the end of the classroom countdown.
#include "platform/controls.h"
#include "platform/forms.h"

class QLabel;

// Form59 "aus!": a red window telling the class that the time is up; it closes
// itself after five seconds.
class Form59 : public FormBase {
    Q_OBJECT
public:
    Form59();

    QLabel* Label1;
    Timer* Timer1;

    void Timer1_Timer();

protected:
    void Form_Load() override;
};
