#pragma once
// The two small dialogs of the planner's start window: choosing a plan to
// load, and naming the plan to save. They wait for the user (modal); tests
// answer them through a handler in place of the wait, as they answer
// questions (platform/dialogs.h).
#include <QDialog>
#include <QPointer>
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
// Waits for the user, or asks the handler; true when the dialog was confirmed
// and the window it stands over is still open. A box of the dialog lets the
// events waiting run: the window may be closed meanwhile, and deletes the
// dialog with itself.
bool run(QDialog& dialog);

// A plan dialog over the window that asks, for as long as a command needs
// it. The window deletes it with itself should it close while a box is up;
// otherwise it goes with this. Touched only while the window is open.
template <class Dialog>
class OverWindow {
public:
    explicit OverWindow(QWidget* window) : m_dialog(new Dialog(window)) {}
    ~OverWindow() { delete m_dialog.data(); }
    OverWindow(const OverWindow&) = delete;
    OverWindow& operator=(const OverWindow&) = delete;
    Dialog* operator->() const { return m_dialog.data(); }
    Dialog& operator*() const { return *m_dialog; }

private:
    const QPointer<Dialog> m_dialog;
};
}
