#include "planner/masterdata/display_settings.h"

#include "core/model.h"
#include "core/settings_file.h"
#include "planner/masterdata/school_files.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <functional>

namespace {
constexpr int kFewestColumns = 9;
constexpr int kTeachers = 60;
constexpr int kNumberGap = 40;
constexpr double kSampleSize = 8;
const controls::Font kBold{"Arial", 9.75, true};

// A changed choice goes to "vorda.ver" at once; one that cannot is told and
// not taken: memory and the window keep the setting in force, or the next
// save of the file, by any window, would write the choice the user was told
// was not saved. The windows choose the value in force when they open, which
// writes nothing: a look at a setting must not put a loaded plan's week
// shape, or this PC's view of the settings, over the file the other PCs read.
// `show` shows the setting in force, before a failure is told.
template <typename Setting, typename Value>
void changeSetting(Setting& setting, const Value& value, const std::function<void()>& show)
{
    if (setting == value) {
        show();
        return;
    }
    const Setting inForce = setting;
    setting = value;
    const datafile::WriteResult written = SaveSettingsFile();
    if (!written)
        setting = inForce;
    show();
    if (!written)
        MsgBox(SaveFailure(QStringLiteral("vorda.ver"), written) + QLatin1Char('.'));
}

// Sets the option of `index`, or none for an index beyond them, without
// running a handler.
template <std::size_t N>
void showChosen(const std::array<QRadioButton*, N>& options, int index)
{
    for (std::size_t i = 0; i < N; ++i) {
        const QSignalBlocker quiet(options[i]);
        // Taken out of its group for a moment: a group cannot be left with no option set.
        options[i]->setAutoExclusive(false);
        options[i]->setChecked(static_cast<int>(i) == index);
        options[i]->setAutoExclusive(true);
    }
}

QString orderPrefix(int t)
{
    switch (gTeacherSortMode) {
    case 0:
        return QString::number(t).rightJustified(2) + QLatin1Char(' ');
    case 2:
        return QString::number(gTeacherTitle(t)) + QLatin1Char(' ');
    default:
        return QString();
    }
}

QString fontName(const Variant& index) { return gFontNames.inBounds(index.toInt()) ? gFontNames(index.toInt()) : QString(); }
}

Form30::Form30() : FormBase(30)
{
    setObjectName(QStringLiteral("Form30"));
    setWindowTitle(QStringLiteral("Eingabebreite"));
    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Wieviele Klassen sollen im Haupteingabebereich gleichzeitig sichtbar sein ?"),
                             kBold);
    Label1->setWordWrap(true);
    Label3 = controls::label(this, "Label3", QStringLiteral("Breite des Eingabebereiches - aktuelle Einstellung"));
    Label2 = controls::label(this, "Label2", QString(), kBold);
    for (int i = 0; i < kChoices; ++i) {
        Option1[i] = controls::named<QRadioButton>(this, QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setText(QString::number(i + kFewestColumns));
        place(Option1[i], 120 + i * 600, 1260, 600, 285);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    }
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);
    place(Label1, 120, 120, 4800, 480);
    place(Label3, 120, 720, 4080, 255);
    place(Label2, 4320, 720, 600, 255);
    place(Command1, 3480, 1740, 1440, 420);
    resize(units::twipsToPixels(5040), units::twipsToPixels(2340));
    connect(Command1, &QPushButton::clicked, this, &Form30::Command1_Click);
}

void Form30::Form_Activate() { showColumns(); }

void Form30::Option1_Click(int index)
{
    changeSetting(gVisibleColumns, static_cast<short>(index + kFewestColumns), [this] { showColumns(); });
}

void Form30::showColumns()
{
    showChosen(Option1, gVisibleColumns - kFewestColumns);
    Label2->setText(QString::number(gVisibleColumns));
}

void Form30::Command1_Click() { unload(); }

form31::form31() : FormBase(31)
{
    setObjectName(QStringLiteral("form31"));
    setWindowTitle(QStringLiteral("Sortierung"));
    Label1 = controls::label(this, "Label1", QStringLiteral("Nach welchen Kriterien soll die Lehrerliste sortiert werden ?"),
                             kBold);
    Label1->setWordWrap(true);
    Label2 = controls::label(this, "Label2", QStringLiteral("Wählen Sie Ihre bevorzugte Sortiermethode !"));
    Label4 = controls::label(this, "Label4", QStringLiteral("sortiert nach:"));
    Combo1 = controls::named<ComboBox>(this, "Combo1");
    Label3 = controls::label(this, "Label3", QStringLiteral("aktuelle Reihenfolge"));
    List1 = controls::list(this, "List1", {}, true);
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);
    place(Label1, 120, 120, 4800, 480);
    place(Label2, 120, 660, 4800, 255);
    place(Label4, 120, 1080, 1440, 255);
    place(Combo1, 1620, 1035, 2400, 330);
    place(Label3, 120, 1500, 4800, 255);
    place(List1, 120, 1770, 4800, 3240);
    place(Command1, 3480, 5160, 1440, 420);
    resize(units::twipsToPixels(5040), units::twipsToPixels(5760));
    connect(Combo1, &ComboBox::Click, this, &form31::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &form31::Command1_Click);
}

void form31::Form_Activate()
{
    Combo1->Clear();
    for (const char* order : {"Index", "Name", "Titel und Name"})
        Combo1->AddItem(QString::fromUtf8(order));
    showOrder();
}

void form31::Combo1_Click()
{
    changeSetting(gTeacherSortMode, static_cast<short>(Combo1->ListIndex()), [this] { showOrder(); });
}

void form31::showOrder()
{
    Combo1->setCurrentIndex(gTeacherSortMode);
    QStringList lines;
    for (int t = 1; t <= kTeachers; ++t) {
        const QString name = gTeacherNames(t).toString();
        if (name == QLatin1String("-"))
            continue;
        lines << orderPrefix(t) + name + QString(kNumberGap, QLatin1Char(' ')) + numbers::strForm(t);
    }
    List1->Clear();
    List1->AddItems(lines);
}

void form31::Command1_Click() { unload(); }

Form32::Form32() : FormBase(32)
{
    setObjectName(QStringLiteral("Form32"));
    setWindowTitle(QStringLiteral("Schriftart"));
    Label3 = controls::label(this, "Label3",
                             QStringLiteral("Wählen Sie eine Schriftart für den Bereich \"bearbeite Plan\"."), kBold);
    Label3->setWordWrap(true);
    for (int i = 0; i < kChoices; ++i) {
        Option1[i] = controls::named<QRadioButton>(this, QStringLiteral("Option1_%1").arg(i));
        place(Option1[i], 120, 720 + i * 300, 2640, 285);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    }
    for (int k = 0; k < kSamples; ++k) {
        Label1[k] = controls::label(this, QStringLiteral("Label1_%1").arg(k), QString());
        controls::setBackColor(Label1[k], 0xFFFFFF);
        place(Label1[k], 3000 + (k % 4) * 540, 720 + (k / 4) * 270, 525, 255);
    }
    Label2 = controls::label(this, "Label2", QString());
    Command1 = controls::button(this, "Command1", QStringLiteral("fertig"), kBold);
    place(Label3, 120, 120, 5280, 480);
    place(Label2, 3000, 1920, 2400, 360);
    place(Command1, 3960, 2940, 1440, 420);
    resize(units::twipsToPixels(5520), units::twipsToPixels(3480));
    connect(Command1, &QPushButton::clicked, this, &Form32::Command1_Click);
}

void Form32::Form_Load()
{
    for (int i = 0; i < kChoices; ++i)
        Option1[i]->setText(gFontNames(i));
    for (int k = 0; k < kSamples; ++k)
        Label1[k]->setText(gSubjectNames(k, 1));
    showFont();
}

void Form32::Option1_Click(int index)
{
    changeSetting(gEditorFontIndex, Variant(index), [this] { showFont(); });
}

// A font beyond the offered ones, from a hand-edited settings file, is shown
// with no option set, and stays chosen until the user picks another.
void Form32::showFont()
{
    showChosen(Option1, gEditorFontIndex.toInt());
    const QString font = fontName(gEditorFontIndex);
    for (QLabel* sample : Label1)
        controls::setFont(sample, {qPrintable(font), kSampleSize, true});
    QFont shown = Label2->font();
    shown.setFamily(font);
    Label2->setFont(shown);
    Label2->setText(font);
}

void Form32::Command1_Click() { unload(); }
