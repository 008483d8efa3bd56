#include "planner/masterdata/tools_window.h"

#include "core/constants.h"
#include "core/model.h"
#include "core/plan_list_file.h"
#include "planner/editor/optimiser_window.h"
#include "planner/masterdata/data_folder_window.h"
#include "planner/masterdata/display_settings.h"
#include "planner/masterdata/lesson_cleanup.h"
#include "planner/masterdata/plan_deletion_window.h"
#include "planner/masterdata/school_files.h"
#include "planner/masterdata/web_colours.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>

namespace {
const controls::Font kBold{"Arial", 9.75, true};
const QString kKeywordFile = QStringLiteral("code.dat");
constexpr int kWritten = 4;
constexpr int kAccepted = 6;

QString planCountText() { return QString::number(gPlanCount) + QStringLiteral(" Pläne in der Liste"); }

QString sortOrderText()
{
    switch (gTeacherSortMode) {
    case 1:
        return QStringLiteral("alphabetisch nach Namen");
    case 2:
        return QStringLiteral("nach Titel und Name");
    default:
        return QStringLiteral("nach Index");
    }
}
}

Form29::Form29() : FormBase(29)
{
    setObjectName(QStringLiteral("Form29"));
    setWindowTitle(QStringLiteral("Tools"));

    Command10 = controls::button(this, "Command10", QStringLiteral("Bereinigung"), kBold);
    Label5 = controls::label(this, "Label5",
                             QStringLiteral("entfernt vergessene Stunden von gelöschten Lehrern, Klassen und Fächern"));
    Label5->setWordWrap(true);
    Command5 = controls::button(this, "Command5", QStringLiteral("Renoviere Pläneliste"), kBold);
    Label3 = controls::label(this, "Label3", QStringLiteral("15 Pläne in der Liste"));
    Command2 = controls::button(this, "Command2", QStringLiteral("Arbeitsverzeichnis wechseln"), kBold);
    Label1 = controls::label(this, "Label1", QStringLiteral("c:\\orv\\schule"));
    Command7 = controls::button(this, "Command7", QStringLiteral("Breite des Eingabebereichs"), kBold);
    Label6 = controls::label(this, "Label6", QStringLiteral("Klassen sichtbar"));
    Label2 = controls::label(this, "Label2", QStringLiteral("12"), kBold);
    Command4 = controls::button(this, "Command4", QStringLiteral("Sortierung der Lehrernamen"), kBold);
    Label7 = controls::label(this, "Label7", QStringLiteral("alphabetisch nach Namen"));
    Command9 = controls::button(this, "Command9", QStringLiteral("Schriftart für Eingabe"), kBold);
    Label4 = controls::label(this, "Label4", QStringLiteral("Schriftart"));
    Command8 = controls::button(this, "Command8", QStringLiteral("bestimmte Pläne löschen"), kBold);
    Command11 = controls::button(this, "Command11", QStringLiteral("Farbkombination Internet"), kBold);
    Label8 = controls::label(this, "Label8", QStringLiteral("RGB-Farbe"));
    Command3 = controls::button(this, "Command3", QStringLiteral("Schlüsselwort-Schutz von VORDA"), kBold);
    Text1 = controls::named<TextBox>(this, "Text1");
    Text1->setText(QStringLiteral("XXXX"));
    Command6 = controls::button(this, "Command6", QStringLiteral("zurück"), kBold);
    Command1 = controls::button(this, "Command1", QStringLiteral("Import / Export auf Diskette"), kBold);
    // The button has no action: it is shown, but cannot be pressed.
    Command1->setEnabled(false);

    const int buttonLeft = 120, textLeft = 3480, rowHeight = 540, width = 3240;
    QPushButton* const rows[] = {Command10, Command5, Command2, Command7, Command4,
                                 Command9,  Command8, Command11, Command3, Command1};
    for (int r = 0; r < static_cast<int>(std::size(rows)); ++r)
        place(rows[r], buttonLeft, 120 + r * rowHeight, width, 420);
    place(Label5, textLeft, 90, 4200, 480);
    place(Label3, textLeft, 120 + rowHeight + 90, 3600, 255);
    place(Label1, textLeft, 120 + 2 * rowHeight + 90, 3600, 255);
    place(Label2, textLeft, 120 + 3 * rowHeight + 90, 480, 255);
    place(Label6, textLeft + 540, 120 + 3 * rowHeight + 90, 3000, 255);
    place(Label7, textLeft, 120 + 4 * rowHeight + 90, 3600, 255);
    place(Label4, textLeft, 120 + 5 * rowHeight + 60, 3600, 330);
    place(Label8, textLeft, 120 + 7 * rowHeight + 90, 3600, 255);
    place(Text1, textLeft, 120 + 8 * rowHeight + 45, 2400, 330);
    place(Command6, textLeft + 2520, 120 + 10 * rowHeight, 1680, 420);
    resize(units::twipsToPixels(7800), units::twipsToPixels(120 + 11 * rowHeight + 120));

    connect(Command10, &QPushButton::clicked, this, &Form29::Command10_Click);
    connect(Command5, &QPushButton::clicked, this, &Form29::Command5_Click);
    connect(Command3, &QPushButton::clicked, this, &Form29::Command3_Click);
    connect(Text1, &TextBox::Change, this, &Form29::Text1_Change);
    connect(Command2, &QPushButton::clicked, this, &Form29::Command2_Click);
    connect(Command7, &QPushButton::clicked, this, &Form29::Command7_Click);
    connect(Command4, &QPushButton::clicked, this, &Form29::Command4_Click);
    connect(Command9, &QPushButton::clicked, this, &Form29::Command9_Click);
    connect(Command11, &QPushButton::clicked, this, &Form29::Command11_Click);
    connect(Command8, &QPushButton::clicked, this, &Form29::Command8_Click);
    connect(Command6, &QPushButton::clicked, this, &Form29::Command6_Click);
    // The first button of the chain cleans the plan up at once, unasked.
    Command6->setFocus();
}

void Form29::Form_Activate()
{
    Label1->setText(gDataPath);
    Label2->setText(QString::number(gVisibleColumns));
    Label3->setText(planCountText());
    const QString font = gFontNames.inBounds(gEditorFontIndex.toInt()) ? gFontNames(gEditorFontIndex.toInt()) : QString();
    QFont shown = Label4->font();
    shown.setFamily(font);
    Label4->setFont(shown);
    Label4->setText(font);
    Label7->setText(sortOrderText());
    Text1->setText(gKeyword);
    controls::setBackColor(Text1, BackColour(kAccepted));
    const WebColours colours = ReadWebColours();
    Label8->setText(colours.text + QStringLiteral(" / ") + colours.background);
}

// The rebuild yields to the event loop: a window closed under it would be
// written to after it is gone.
void Form29::Form_Unload(bool& cancel) { cancel = m_rebuilding; }

// The lessons dropped would be dropped from a grid a run is filling.
void Form29::Command10_Click()
{
    if (!m_rebuilding)
        AfterOptimisationRun(this, [this] { cleanUp(); });
}

void Form29::cleanUp()
{
    {
        const BusyPointer busy;
        CleanUpOrphanedLessons();
    }
    Label5->setText(QStringLiteral("erledigt !"));
}

void Form29::Command5_Click()
{
    if (m_rebuilding)
        return;
    m_rebuilding = true;
    datafile::WriteResult written;
    {
        const BusyPointer busy;
        written = RebuildPlanList([this](int plan) {
            Label3->setText(QString::number(plan));
            DoEvents();
        });
        Label3->setText(planCountText());
        DoEvents();
    }
    m_rebuilding = false;
    if (!written)
        MsgBox(SaveFailure(QStringLiteral("Pläne.lst"), written) + QLatin1Char('.'));
}

void Form29::Command3_Click()
{
    if (m_rebuilding)
        return;
    const datafile::WriteResult written =
        datafile::rewrite(gDataPath + kKeywordFile, {datafile::sanitizeField(gKeyword)});
    if (!written) {
        MsgBox(SaveFailure(kKeywordFile, written) + QLatin1Char('.'));
        return;
    }
    controls::setBackColor(Text1, BackColour(kWritten));
}

void Form29::Text1_Change() { gKeyword = Text1->text(); }

template <class F>
void Form29::openInstead()
{
    if (m_rebuilding)
        return;
    forms::show<F>();
    unload();
}

void Form29::Command2_Click() { openInstead<Form24>(); }

void Form29::Command7_Click() { openInstead<Form30>(); }

void Form29::Command4_Click() { openInstead<form31>(); }

void Form29::Command11_Click() { openInstead<Form65>(); }

void Form29::Command9_Click()
{
    if (m_rebuilding)
        return;
    unload();
    forms::show<Form32>();
}

void Form29::Command8_Click()
{
    if (!m_rebuilding)
        forms::show<Form33>();
}

void Form29::Command6_Click()
{
    if (!m_rebuilding)
        unload();
}
