#pragma once
// The export of the substitutions held, numbered, for the accounting
// program: "MDL.txt", one line a substitution, and "MDLNr.dat", the last
// number used, which carries the numbering from export to export.
#include "platform/datafile.h"
#include "platform/forms.h"

#include <QDate>

class QLabel;
class QPushButton;
class TextBox;

// Exports the substitutions of the days from `first` to `last` that lie on or
// after the key date of "stand.sup"; every substitution from the key date on
// counts towards the substitute's unpaid count written with each line, which
// leaves gSubstCounts at the standings up to `last`. Nothing is written, and
// nothing numbered, while "MDLNr.dat", "stand.sup", "date.sup" or a day file
// of the days read is there but cannot be read or is damaged (a "MDLNr.dat"
// without a number, with one below 0 or one that leaves no room for the
// numbers of the export, a "stand.sup" without a key date). No number of
// "MDL.txt" is ever handed out again, whatever write fails. Returns how it
// went, with the message for the user: why nothing was written.
datafile::WriteResult ExportSubstitutionRecords(const QDate& first, const QDate& last);

// Form50 "Export ins MDL-Programm": the range of days to export.
class Form50 : public FormBase {
    Q_OBJECT
public:
    Form50();

    QLabel* Label1;
    TextBox* Text1;
    QLabel* Label2;
    TextBox* Text2;
    QPushButton* Command2;
    QPushButton* Command1;

    void Text1_Change();
    void Text2_Change();
    void Command2_Click();
    void Command1_Click();

protected:
    void Form_Load() override;

private:
    // "Export starten" only while both boxes hold dates.
    void enableExport();
};
