#pragma once
// Hiding a running optimisation: behind an access word the optimiser window
// and the program's main window disappear, leaving only Form56, minimised.
#include "platform/forms.h"

class QLabel;
class QPushButton;
class TextBox;

namespace optimiser {
// The window that the hidden mode hides beside Form18 and whose closing ends
// the program: the planner's start window sets itself here.
void setMainWindow(QWidget* window);
QWidget* mainWindow();
}

// Form56 "laufende Optimierung verstecken": the access word in Text1 hides the
// windows, in Text2 shows them again. Closed while they are hidden, it stops
// the run and ends the program as the start window does.
class Form56 : public FormBase {
    Q_OBJECT
public:
    Form56();

    QLabel* Label1;
    TextBox* Text1;
    TextBox* Text2;
    QPushButton* Command1;

    void Text1_Change();
    void Text2_Change();
    void Command1_Click();

protected:
    void Form_Unload(bool& cancel) override;
};
