#include "planner/editor/plan_views.h"

#include "planner/editor/class_room_views.h"
#include "planner/editor/teacher_plan_view.h"
#include "platform/controls.h"
#include "platform/units.h"
#include "register/content_reminder.h"

#include <QPushButton>

namespace {
const QString kToolTip = QStringLiteral("verschiedene Ansichten");

// Layout in twips: the buttons one below the other.
constexpr int kButtonLeft = 240;
constexpr int kFirstButtonTop = 240;
constexpr int kButtonPitch = 480;
constexpr int kButtonWidth = 2775;
constexpr int kButtonHeight = 375;
constexpr int kButtons = 5;
}

Form54::Form54() : FormBase(54)
{
    setObjectName(QStringLiteral("Form54"));
    setWindowTitle(QStringLiteral("Pläne zeigen"));
    int row = 0;
    const auto addButton = [this, &row](const char* name, const char* caption) {
        QPushButton* b = controls::button(this, QString::fromUtf8(name), QString::fromUtf8(caption));
        b->setToolTip(kToolTip);
        place(b, kButtonLeft, kFirstButtonTop + kButtonPitch * row++, kButtonWidth, kButtonHeight);
        return b;
    };
    Command8 = addButton("Command8", "Lehrer-Stundenplan 1");
    Command4 = addButton("Command4", "Lehrer-Stundenplan 2");
    Command1 = addButton("Command1", "Klassen-Stundenplan");
    Command2 = addButton("Command2", "Raumnutzungsplan");
    Command3 = addButton("Command3", "Gesamtübersicht");
    connect(Command8, &QPushButton::clicked, this, &Form54::Command8_Click);
    connect(Command4, &QPushButton::clicked, this, &Form54::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &Form54::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form54::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form54::Command3_Click);
    resize(units::twipsToPixels(kButtonLeft * 2 + kButtonWidth),
           units::twipsToPixels(kFirstButtonTop * 2 + kButtonPitch * (kButtons - 1) + kButtonHeight));
}

void Form54::Command8_Click() { forms::show<Form51>(); }

void Form54::Command4_Click() { forms::show<Form66>(); }

void Form54::Command1_Click() { forms::show<Form52>(); }

void Form54::Command2_Click() { forms::show<Form53>(); }

// The register's overview as it last was: nothing refills it here.
void Form54::Command3_Click() { forms::show<Form11>(); }
