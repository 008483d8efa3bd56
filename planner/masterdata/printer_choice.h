#pragma once
// The choice of the printer that every later printout of this run goes to.
#include "platform/forms.h"

class ListBox;
class QPushButton;

// Form28, "Drucker - Einstellung": the system's printers and "PDF-Datei"; the
// choice holds until the program ends and is never stored.
class Form28 : public FormBase {
    Q_OBJECT
public:
    Form28();

    ListBox* List1;
    QPushButton* Command2;
    QPushButton* Command1;

    void List1_Click();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
};
