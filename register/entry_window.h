#pragma once
// Form1, the entry window of the class register and the program's main window:
// its load event performs the whole start-up.
#include "platform/forms.h"

class QLabel;

class Form1 : public FormBase {
    Q_OBJECT
public:
    Form1();

    QLabel* Label2;

protected:
    void Form_Load() override;
};
