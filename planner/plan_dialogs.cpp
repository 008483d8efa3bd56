#include "planner/plan_dialogs.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "core/plan_list_file.h"
#include "planner/editor/optimiser_runs.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/numbers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr short kOptimizerPlan = 0;

// The two buttons at the foot of a dialog.
QHBoxLayout* buttonRow(QPushButton* confirm, QPushButton* cancel)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(confirm);
    row->addWidget(cancel);
    confirm->setDefault(true);
    return row;
}

void connectButtons(QDialog* d, QPushButton* confirm, QPushButton* cancel)
{
    QObject::connect(confirm, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
}

// Digits only: a sign, a fraction or a blank inside names no plan file.
std::optional<int> planNumberOf(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n <= kOptimizerPlan || n > kHighestPlan)
        return std::nullopt;
    return n;
}

plandialogs::Handler gHandler;
}

PlanLoadDialog::PlanLoadDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Plan laden"));
    planList = controls::list(this, QStringLiteral("planList"));
    confirm = controls::button(this, QStringLiteral("confirm"), QStringLiteral("laden"));
    cancel = controls::button(this, QStringLiteral("cancel"), QStringLiteral("abbrechen"));

    // The optimiser's plan comes last, as the last run left it.
    std::vector<short> plans = OfferedPlans(ListedPlans());
    plans.push_back(kOptimizerPlan);
    QStringList lines;
    for (short plan : plans) {
        const auto title = PlanTitle(QString::number(plan));
        if (!title || std::find(m_plans.begin(), m_plans.end(), plan) != m_plans.end())
            continue;
        m_plans.push_back(plan);
        lines << QStringLiteral("%1 - %2").arg(plan).arg(*title);
    }
    planList->addItems(lines);
    const auto current = std::find(m_plans.begin(), m_plans.end(), numbers::val(gPlanName));
    planList->setListIndex(current == m_plans.end() ? 0 : static_cast<int>(current - m_plans.begin()));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls::label(this, QStringLiteral("hint"), QStringLiteral("Welcher Plan soll geladen werden?")));
    layout->addWidget(planList);
    layout->addLayout(buttonRow(confirm, cancel));
    connectButtons(this, confirm, cancel);
    connect(planList, &ListBox::DblClick, this, &PlanLoadDialog::accept);
    resize(360, 320);
}

std::optional<QString> PlanLoadDialog::chosenPlan() const
{
    const int row = planList->ListIndex();
    if (row < 0 || row >= static_cast<int>(m_plans.size()))
        return std::nullopt;
    return QString::number(m_plans[static_cast<std::size_t>(row)]);
}

void PlanLoadDialog::accept()
{
    if (chosenPlan())
        QDialog::accept();
}

PlanSaveDialog::PlanSaveDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Plan speichern"));
    planNumber = controls::named<QLineEdit>(this, QStringLiteral("planNumber"));
    planTitle = controls::named<QLineEdit>(this, QStringLiteral("planTitle"));
    confirm = controls::button(this, QStringLiteral("confirm"), QStringLiteral("speichern"));
    cancel = controls::button(this, QStringLiteral("cancel"), QStringLiteral("abbrechen"));
    const optimiser::PlanName offered = optimiser::planToSaveAs();
    planNumber->setText(offered.number);
    planTitle->setText(offered.title);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Plannummer:"), planNumber);
    form->addRow(QStringLiteral("Titel:"), planTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow(confirm, cancel));
    connectButtons(this, confirm, cancel);
    resize(360, 0);
}

QString PlanSaveDialog::title() const { return planTitle->text(); }

void PlanSaveDialog::accept()
{
    const auto n = planNumberOf(planNumber->text());
    if (!n) {
        MsgBox(QStringLiteral("Die Plannummer muss eine ganze Zahl von 1 bis 32767 sein "
                              "(Plan 0 ist der Arbeitsplan der Optimierung)."),
               windowTitle());
        return;
    }
    m_number = QString::number(*n);
    QDialog::accept();
}

namespace plandialogs {
void setHandler(Handler handler) { gHandler = std::move(handler); }
void clearHandler() { gHandler = nullptr; }

bool run(QDialog& dialog)
{
    // exec() itself returns "rejected" for a dialog deleted while it waits.
    const QPointer<QDialog> shown(&dialog);
    bool confirmed = false;
    const auto wait = [&] {
        if (!gHandler) {
            confirmed = dialog.exec() == QDialog::Accepted;
            return;
        }
        dialog.setResult(QDialog::Rejected);
        if (gHandler(dialog) && shown)
            dialog.accept();
        confirmed = shown && dialog.result() == QDialog::Accepted;
    };
    return forms::stillOpenAfter(dialog.parentWidget(), wait) && confirmed;
}
}
