#pragma once
// The whole week of all classes on one surface.
#include "platform/forms.h"

class DrawingSurface;
class QPushButton;

// Form36, "Gesamtübersicht": a band per weekday, a column per class split into
// the two groups of a cell, and in it the screen short name of every subject
// of the loaded plan. Drawn from the plan at the window's size whenever it is
// shown; it changes nothing.
class Form36 : public FormBase {
    Q_OBJECT
public:
    Form36();

    DrawingSurface* surface;
    QPushButton* Command1;

    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void drawOverview(DrawingSurface& s);
};
