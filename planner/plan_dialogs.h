#pragma once
// The two small dialogs of the planner's start window: choosing a plan to
// load, and naming the plan to save. They wait for the user (modal); tests
// answer them through a handler in place of the wait, as they answer
// questions (platform/dialogs.h).
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class ListBox;
class QLineEdit;
class QPushButton;

// The plans of "Pläne.lst", each once with its number and title, then those
// of the folder the list misses, and last the optimiser's plan 0 (the last
// run's result) when its files are there. A listed plan whose files are gone
// is not offered.
class PlanLoadDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlanLoadDialog(QWidget* parent = nullptr);
    bool isEmpty() const { return m_plans.empty(); }
    // The chosen plan's number as text; nullopt while none is chosen.
    std::optional<QString> chosenPlan() const;

    // Confirming needs a plan chosen.
    void accept() override;

    ListBox* planList;
    QPushButton* confirm;
    QPushButton* cancel;

private:
    std::vector<short> m_plans;
};

// The number (1 to 32767; 0 stays the optimiser's) and the title of the plan
// to save, at first those of the plan in memory; for a run's result, plan 0,
// those of the plan the run started from.
class PlanSaveDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlanSaveDialog(QWidget* parent = nullptr);
    // The number as the plan's files are named ("7" for "007"), once accepted.
    QString number() const { return m_number; }
    QString title() const;

    // A number that names no plan is refused with a message; the dialog stays.
    void accept() override;

    QLineEdit* planNumber;
    QLineEdit* planTitle;
    QPushButton* confirm;
    QPushButton* cancel;

private:
    QString m_number;
};

namespace plandialogs {
// Fills the dialog's controls and returns true for its confirm button, false
// for cancel.
using Handler = std::function<bool(QDialog&)>;
void setHandler(Handler handler);
void clearHandler();
// Waits for the user, or asks the handler; true when the dialog was confirmed.
bool run(QDialog& dialog);
}
