#include "planner/substitution/substitution_message.h"

#include "core/model.h"
#include "platform/controls.h"
#include "platform/units.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kMessageLines = 3;
constexpr int kNoticeMilliseconds = 20000;
}

Form44::Form44() : FormBase(44)
{
    setObjectName(QStringLiteral("Form44"));
    setWindowTitle(QStringLiteral("Nachricht"));

    Label1 = controls::label(
        this, "Label1", QStringLiteral("Die hier eingegebene Nachricht wird am unteren Ende des Supplierplanes gedruckt."));
    Label1->setWordWrap(true);
    Text1 = controls::named<TextBox>(this, "Text1");
    Text2 = controls::named<TextBox>(this, "Text2");
    Text3 = controls::named<TextBox>(this, "Text3");
    Command1 = controls::button(this, "Command1", QStringLiteral("löschen"));
    Command13 = controls::button(this, "Command13", QStringLiteral("fertig"));

    place(Label1, 120, 120, 7200, 480);
    place(Text1, 120, 720, 7200, 330);
    place(Text2, 120, 1110, 7200, 330);
    place(Text3, 120, 1500, 7200, 330);
    place(Command1, 120, 2010, 1500, 420);
    place(Command13, 5820, 2010, 1500, 420);
    resize(units::twipsToPixels(7440), units::twipsToPixels(2580));

    connect(Text1, &TextBox::KeyDown, this, &Form44::Text1_KeyDown);
    connect(Text2, &TextBox::KeyDown, this, &Form44::Text2_KeyDown);
    connect(Text3, &TextBox::KeyDown, this, &Form44::Text3_KeyDown);
    connect(Command1, &QPushButton::clicked, this, &Form44::Command1_Click);
    connect(Command13, &QPushButton::clicked, this, &Form44::Command13_Click);
}

void Form44::Form_Activate()
{
    // Coming back from another window must not throw away lines being typed:
    // the stored lines are shown again only while none of the boxes was edited.
    const QList<TextBox*> boxes{Text1, Text2, Text3};
    const bool editing = std::any_of(boxes.begin(), boxes.end(), [](const TextBox* b) { return b->isModified(); });
    if (!editing) {
        for (int i = 1; i <= kMessageLines; ++i)
            boxes[i - 1]->setText(gSubstPageMessages(i));
    }
    Text1->setFocus();
}

void Form44::Text1_KeyDown(int& keyCode)
{
    if (controls::isEnter(keyCode))
        Text2->setFocus();
}

void Form44::Text2_KeyDown(int& keyCode)
{
    if (controls::isEnter(keyCode))
        Text3->setFocus();
}

void Form44::Text3_KeyDown(int& keyCode)
{
    if (controls::isEnter(keyCode))
        Command13->setFocus();
}

void Form44::Command1_Click()
{
    for (int i = 1; i <= kMessageLines; ++i)
        gSubstPageMessages(i).clear();
    for (TextBox* box : {Text1, Text2, Text3})
        box->setText(QString());
}

void Form44::Command13_Click()
{
    const QList<TextBox*> boxes{Text1, Text2, Text3};
    for (int i = 1; i <= kMessageLines; ++i)
        gSubstPageMessages(i) = boxes[i - 1]->text().trimmed();
    unload();
}

Form63::Form63() : FormBase(0)
{
    setObjectName(QStringLiteral("Form63"));
    setWindowTitle(QStringLiteral("keine Supplierung nötig"));

    Label1 = controls::label(
        this, "Label1",
        QStringLiteral("Mit den eingestellten Parametern ist es nicht möglich einen Vertretungsplan zu erstellen."),
        {"Arial", 10, true});
    Label2 = controls::label(
        this, "Label2",
        QStringLiteral("Mögliche Gründe: * kein Plan wurde geladen, * Niemand fehlt an diesem Tag, * kein Unterricht "
                       "an diesem Tag, * Fehlende Personen haben keinen Unterricht an diesem Tag oder die "
                       "entsprechenden Klassen fehlen. "));
    for (QLabel* l : {Label1, Label2})
        l->setWordWrap(true);
    Command1 = controls::button(this, "Command1", QStringLiteral("ok - schließen"));
    Timer1 = controls::named<Timer>(this, "Timer1", kNoticeMilliseconds);

    place(Label1, 120, 120, 5400, 720);
    place(Label2, 120, 960, 5400, 1440);
    place(Command1, 3720, 2520, 1800, 420);
    resize(units::twipsToPixels(5640), units::twipsToPixels(3060));

    connect(Command1, &QPushButton::clicked, this, &Form63::Command1_Click);
    connect(Timer1, &Timer::Tick, this, &Form63::Timer1_Timer);
}

void Form63::Form_Load() { Timer1->setEnabled(true); }

void Form63::Command1_Click() { unload(); }

void Form63::Timer1_Timer() { unload(); }
