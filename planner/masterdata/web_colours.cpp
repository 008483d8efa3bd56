#include "planner/masterdata/web_colours.h"

#include "core/model.h"
#include "planner/masterdata/school_files.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <cstdint>

namespace {
const QString kColourFile = QStringLiteral("ifarben.dat");
constexpr int kCodeDigits = 6;
// A colour code of more digits than a Long holds.
constexpr std::uint64_t kLargestCode = 0xFFFFFFFFu;
constexpr std::uint32_t kBoxColour = 0xC0FFC0;
const controls::Font kLabelFont{"Arial", 12, true};
const controls::Font kBoxFont{"Arial", 14.25, true};
const controls::Font kSampleFont{"Comic Sans MS", 12};

struct HexNumber {
    std::uint64_t value = 0;
    bool tooLong = false;
};

// Hexadecimal digits in either case, blanks skipped, up to the first other character.
HexNumber readHex(const QString& text)
{
    HexNumber n;
    for (const QChar c : text) {
        if (c == QLatin1Char(' '))
            continue;
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0)
            break;
        if (n.tooLong)
            continue;
        n.value = n.value * 16 + static_cast<std::uint64_t>(digit);
        n.tooLong = n.value > kLargestCode;
    }
    return n;
}

int hexPair(const QString& pair) { return static_cast<int>(readHex(pair).value); }
}

WebColours ReadWebColours()
{
    WebColours colours;
    const auto lines = datafile::readLines(gDataPath + kColourFile);
    if (!lines)
        return colours;
    colours.text = lines->value(0, colours.text);
    colours.background = lines->value(1, colours.background);
    return colours;
}

QColor ColourOfCode(const QString& code)
{
    const QString digits = (QString(kCodeDigits, QLatin1Char('0')) + code.trimmed()).right(kCodeDigits);
    return QColor(hexPair(digits.mid(0, 2)), hexPair(digits.mid(2, 2)), hexPair(digits.mid(4, 2)));
}

QString StoredColourCode(const QString& text)
{
    const HexNumber n = readHex(text);
    // More digits than a Long holds stopped the original with an overflow;
    // the colour the sample shows for it is what the user saw.
    if (n.tooLong)
        return QString::number(ColourOfCode(text).rgb() & 0xFFFFFF, 16).toUpper();
    return QString::number(n.value, 16).toUpper();
}

datafile::WriteResult SaveWebColours(const QString& text, const QString& background)
{
    return datafile::rewriteChanged(gDataPath + kColourFile, {StoredColourCode(text), StoredColourCode(background)});
}

Form65::Form65() : FormBase(65)
{
    setObjectName(QStringLiteral("Form65"));
    setWindowTitle(QStringLiteral("Farben im Internet"));

    Label1 = controls::label(this, "Label1", QStringLiteral("Schriftfarbe html"), kLabelFont);
    Text1 = controls::named<TextBox>(this, "Text1");
    Command2 = controls::button(this, "Command2", QStringLiteral("testen"));
    Label2 = controls::label(this, "Label2", QStringLiteral("Hintergrund html"), kLabelFont);
    Text2 = controls::named<TextBox>(this, "Text2");
    Command3 = controls::button(this, "Command3", QStringLiteral("testen"));
    for (TextBox* box : {Text1, Text2}) {
        controls::setFont(box, kBoxFont);
        controls::setBackColor(box, kBoxColour);
    }
    Label8 = controls::label(this, "Label8", QStringLiteral("Stundenplan online"), kSampleFont);
    Label8->setAlignment(Qt::AlignCenter);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig und speichern"));

    place(Label1, 120, 180, 2400, 300);
    place(Text1, 2640, 120, 1560, 420);
    place(Command2, 4320, 120, 960, 420);
    place(Label2, 120, 720, 2400, 300);
    place(Text2, 2640, 660, 1560, 420);
    place(Command3, 4320, 660, 960, 420);
    place(Label8, 120, 1320, 5160, 600);
    place(Command1, 2640, 2100, 2640, 450);
    resize(units::twipsToPixels(5400), units::twipsToPixels(2700));

    connect(Command1, &QPushButton::clicked, this, &Form65::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form65::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form65::Command3_Click);
}

void Form65::Form_Load()
{
    const WebColours colours = ReadWebColours();
    Text1->setText(colours.text);
    Text2->setText(colours.background);
    Command2_Click();
    Command3_Click();
}

void Form65::Command2_Click() { controls::setForeColor(Label8, units::bgrFromColour(ColourOfCode(Text1->text()))); }

void Form65::Command3_Click() { controls::setBackColor(Label8, units::bgrFromColour(ColourOfCode(Text2->text()))); }

void Form65::Command1_Click()
{
    if (const datafile::WriteResult written = SaveWebColours(Text1->text(), Text2->text()); !written) {
        MsgBox(SaveFailure(kColourFile, written) + QLatin1Char('.'));
        return;
    }
    unload();
}
