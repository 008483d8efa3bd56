#pragma once
// The two colours of the published web pages, text and background, kept in
// "ifarben.dat" as hexadecimal codes in the order red, green, blue, without
// "#" and without leading zeros (pages that need six digits pad on reading).
#include "platform/datafile.h"
#include "platform/forms.h"

#include <QColor>
#include <QString>

class QLabel;
class QPushButton;
class TextBox;

struct WebColours {
    QString text = QStringLiteral("909090");
    QString background = QStringLiteral("000000");
};

// The codes as stored; without the file, or for a line it lacks, the default.
WebColours ReadWebColours();

// The colour a code gives: its last six characters, zeros in front of a
// shorter code, each pair read as a hexadecimal number.
QColor ColourOfCode(const QString& code);

// The code that goes into the file for the text of a box: the text read as
// one hexadecimal number (blanks skipped, up to the first other character) in
// upper-case digits without leading zeros.
QString StoredColourCode(const QString& text);

// Writes the two codes as StoredColourCode gives them, unless the file holds
// them already.
datafile::WriteResult SaveWebColours(const QString& text, const QString& background);

// Form65 "Farben im Internet": the two codes with a sample of both colours.
class Form65 : public FormBase {
    Q_OBJECT
public:
    Form65();

    QLabel* Label1;
    TextBox* Text1;
    QPushButton* Command2;
    QLabel* Label2;
    TextBox* Text2;
    QPushButton* Command3;
    QLabel* Label8;
    QPushButton* Command1;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void Form_Load() override;
};
