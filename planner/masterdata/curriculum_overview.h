#pragma once
// The weekly hours of the curriculum of every class at one glance.
#include "platform/forms.h"

#include <array>

class ListBox;
class QFrame;
class QLabel;
class QPushButton;

// Form23, "Stundentafel - Gesamtübersicht": one line per class of the loaded
// plan with the hours of each subject, the total and, in brackets, the hours
// of the subjects entered in the left half of a cell. Rebuilt whenever the
// window is activated; it changes nothing.
class Form23 : public FormBase {
    Q_OBJECT
public:
    Form23();

    ListBox* List1;
    QLabel* Label1;
    QPushButton* Command1;
    std::array<QFrame*, 5> Line;

    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Form_Resize();
};
