#include "planner/planner_menu.h"

#include "core/constants.h"
#include "planner/editor/hidden_mode.h"
#include "planner/editor/optimiser_window.h"
#include "planner/editor/plan_views.h"
#include "planner/editor/timetable_editor.h"
#include "planner/masterdata/class_insert_window.h"
#include "planner/masterdata/curriculum_overview.h"
#include "planner/masterdata/group_teacher_order.h"
#include "planner/masterdata/period_times_window.h"
#include "planner/masterdata/printer_choice.h"
#include "planner/masterdata/school_data_window.h"
#include "planner/masterdata/school_overview.h"
#include "planner/masterdata/subject_window.h"
#include "planner/masterdata/tools_window.h"
#include "planner/masterdata/year_change_window.h"
#include "planner/plan_commands.h"
#include "planner/print/print_menu.h"
#include "planner/publish/publishing_windows.h"
#include "planner/substitution/absences_window.h"
#include "planner/substitution/substitution_database.h"
#include "planner/substitution/substitution_message.h"
#include "platform/controls.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace {

using Opener = FormBase* (*)();

template <class F>
FormBase* open()
{
    return forms::show<F>();
}

// A window the start window reaches, with the way to open it.
struct PlannerWindow {
    const char* group;
    const char* form;
    const char* caption;
    Opener open;
};

const char* const kGroups[] = {"Stundenplan", "Stammdaten", "Vertretung", "Drucken", "Internet"};

const PlannerWindow kWindows[] = {
    {"Stundenplan", "Form15", "Stundenplan - Bearbeitung", open<Form15>},
    {"Stundenplan", "Form54", "Pläne zeigen", open<Form54>},
    {"Stundenplan", "Form18", "Optimierung", open<Form18>},
    {"Stammdaten", "Form7", "Eigenschaften der Fächer", open<Form7>},
    {"Stammdaten", "Form9", "Schuldaten", open<Form9>},
    {"Stammdaten", "Form27", "Zeiten", open<Form27>},
    {"Stammdaten", "Form29", "Tools", open<Form29>},
    {"Stammdaten", "Form23", "Stundentafel - Gesamtübersicht", open<Form23>},
    {"Stammdaten", "Form36", "Gesamtübersicht", open<Form36>},
    {"Stammdaten", "Form37", "Reihenfolge bei Gruppenunterricht", open<Form37>},
    {"Stammdaten", "Form45", "Jahreswechsel", open<Form45>},
    {"Stammdaten", "Form67", "Klasse einfügen", open<Form67>},
    {"Vertretung", "Form20", "wer fehlt ?", open<Form20>},
    {"Vertretung", "Form38", "Suplierstatistik / Datenbank", open<Form38>},
    {"Vertretung", "Form44", "Nachricht", open<Form44>},
    {"Vertretung", "Form63", "keine Supplierung nötig", open<Form63>},
    {"Drucken", "Form14", "Druckmenü", open<Form14>},
    {"Drucken", "Form28", "Drucker - Einstellung", open<Form28>},
    // Spelt as the publishing window's own caption.
    {"Internet", "Form61", "Stundenplan im Internet veröffenlichen", open<Form61>},
    {"Internet", "Form62", "Vertretungsplan im Internet veröffentlichen", open<Form62>},
};

const QString kTitle = QStringLiteral("Stundenplaner");

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A menu entry that does what the button next to it does.
QAction* entryLike(QMenu* menu, QPushButton* button)
{
    QAction* a = menu->addAction(button->text());
    a->setObjectName(button->objectName());
    a->setEnabled(button->isEnabled());
    QObject::connect(a, &QAction::triggered, button, &QPushButton::click);
    return a;
}

}

PlannerMenu::PlannerMenu()
{
    menuBar = controls::named<QMenuBar>(this, QStringLiteral("menuBar"));
    auto* groups = new QHBoxLayout(this);
    groups->setMenuBar(menuBar);
    for (const char* group : kGroups) {
        auto* box = controls::named<QGroupBox>(this, text(group));
        box->setTitle(text(group));
        auto* column = new QVBoxLayout(box);
        QMenu* menu = menuBar->addMenu(text(group));
        addWindows(group, column, menu);
        if (group == kGroups[0])
            addPlanCommands(column, menu);
        column->addStretch();
        groups->addWidget(box, 0, Qt::AlignTop);
    }
}

PlannerMenu::~PlannerMenu() { SetEditorSaveCommand(nullptr); }

void PlannerMenu::addWindows(const char* group, QVBoxLayout* column, QMenu* menu)
{
    for (const PlannerWindow& w : kWindows) {
        if (qstrcmp(w.group, group) != 0)
            continue;
        QPushButton* b = controls::button(this, QStringLiteral("open") + text(w.form), text(w.caption));
        connect(b, &QPushButton::clicked, this, [opener = w.open] { opener(); });
        column->addWidget(b);
        entryLike(menu, b);
    }
}

void PlannerMenu::addPlanCommands(QVBoxLayout* column, QMenu* menu)
{
    loadPlan = controls::button(this, QStringLiteral("loadPlan"), QStringLiteral("Plan laden ..."));
    savePlan = controls::button(this, QStringLiteral("savePlan"), QStringLiteral("Plan speichern ..."));
    connect(loadPlan, &QPushButton::clicked, this, &PlannerMenu::loadPlan_Click);
    connect(savePlan, &QPushButton::clicked, this, &PlannerMenu::savePlan_Click);
    column->addSpacing(12);
    menu->addSeparator();
    for (QPushButton* b : {loadPlan, savePlan}) {
        column->addWidget(b);
        entryLike(menu, b);
    }
    menu->addSeparator();
    QAction* quit = menu->addAction(QStringLiteral("Beenden"));
    quit->setObjectName(QStringLiteral("quit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void PlannerMenu::Form_Load()
{
    setWindowTitle(ProgramCaption() + QStringLiteral(" - ") + kTitle);
    move(0, 0);
    // The hidden mode hides this window with the optimiser's and ends the
    // program through it.
    optimiser::setMainWindow(this);
    SetEditorSaveCommand([](QWidget* parent) { SavePlanAs(parent); });
    TellStartPlanFaults();
}

void PlannerMenu::Form_Unload(bool& cancel)
{
    // A run owns the grid: it is stopped first and this window closes again
    // once the run has returned with its best plan loaded. Closed again
    // meanwhile, it still closes once, and asks once.
    if (OptimisationRunInProgress()) {
        cancel = true;
        if (std::exchange(m_closesAfterRun, true))
            return;
        StopOptimisationRun([self = QPointer<PlannerMenu>(this)] {
            if (!forms::listening(self))
                return;
            self->m_closesAfterRun = false;
            self->close();
        });
        return;
    }
    // The windows first, as the user would close them: what they change on
    // closing belongs to the plan that is then offered for saving.
    if (!closeOtherWindows() || !OfferToSavePlan(this))
        cancel = true;
}

bool PlannerMenu::closeOtherWindows()
{
    QList<QPointer<FormBase>> open;
    for (FormBase* f : forms::all()) {
        if (f != this)
            open << f;
    }
    for (const QPointer<FormBase>& f : open) {
        if (f && !f->unload())
            return false;
    }
    return true;
}

void PlannerMenu::loadPlan_Click() { LoadChosenPlan(this); }

void PlannerMenu::savePlan_Click() { SavePlanAs(this); }
