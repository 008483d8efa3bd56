#include "planner/masterdata/plan_deletion_window.h"

#include "core/model.h"
#include "core/plan_list_file.h"
#include "planner/editor/optimiser_window.h"
#include "planner/masterdata/school_files.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/units.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {
const controls::Font kBold{"Arial", 9.75, true};
constexpr int kTitleLine = 3;

QString planHeader(int plan) { return gDataPath + QStringLiteral("T&E") + QString::number(plan) + QStringLiteral(".xxx"); }

// The last of the first three lines: the title, or what a short file has.
QString titleOf(const QStringList& header) { return header.value(std::min<qsizetype>(header.size(), kTitleLine) - 1); }

// The list as read, a plan without files as 0.
std::vector<short> withoutFiles(std::vector<short> listed, const std::vector<short>& withFiles)
{
    for (short& plan : listed) {
        if (std::find(withFiles.begin(), withFiles.end(), plan) == withFiles.end())
            plan = 0;
    }
    return listed;
}

// Deletes every file of the plan; returns the names of those that stayed.
QStringList deletePlanFiles(const PlanFolder& folder, int plan)
{
    QStringList stayed;
    for (const QString& file : folder.filesOf(plan)) {
        if (!QFile::remove(file))
            stayed << QFileInfo(file).fileName();
    }
    return stayed;
}
}

Form33::Form33() : FormBase(33)
{
    setObjectName(QStringLiteral("Form33"));
    setWindowTitle(QStringLiteral("Pläne löschen"));

    Label1 = controls::label(this, "Label1",
                             QStringLiteral("Wählen Sie die zu löschenden Pläne aus der Liste und klicken Sie auf >löschen<."),
                             kBold);
    Label1->setWordWrap(true);
    List1 = controls::list(this, "List1");
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Label2 = controls::label(this, "Label2", QStringLiteral("9999"), kBold);
    Label2->setVisible(false);
    Command2 = controls::button(this, "Command2", QStringLiteral("löschen"), kBold);
    Command2->setEnabled(false);
    Command1 = controls::button(this, "Command1", QStringLiteral("Exit"), kBold);

    place(Label1, 120, 120, 4800, 480);
    place(List1, 120, 720, 4800, 3600);
    place(Label2, 120, 4440, 1800, 255);
    place(Command2, 2040, 4380, 1380, 420);
    place(Command1, 3540, 4380, 1380, 420);
    resize(units::twipsToPixels(5040), units::twipsToPixels(4920));

    connect(List1, &QListWidget::itemSelectionChanged, this, &Form33::List1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form33::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form33::Command1_Click);
}

void Form33::Form_Activate() { fill(); }

void Form33::fill()
{
    List1->Clear();
    gCheckOk = 1;
    const PlanList list = ReadPlanList();
    // Every line that is no number beeps here, a blank one too, although
    // only a damaged one makes "Plan laden ..." rebuild the list.
    const int noNumber = list.damagedLines + list.blankLines;
    for (int i = 0; i < noNumber; ++i)
        Beep();
    if (noNumber > 0)
        gCheckOk = 0;
    m_itemPlans.clear();
    QStringList items;
    for (short plan : OfferedPlans(list.plans)) {
        const auto header = datafile::readLines(planHeader(plan));
        if (!header)
            continue;
        items << QStringLiteral(" ") + QString::number(plan) + QStringLiteral(" -> ") + titleOf(*header);
        m_itemPlans.push_back(plan);
    }
    KeepPlanNumbers(withoutFiles(list.plans, m_itemPlans));
    List1->AddItems(items);
    Command2->setEnabled(false);
    Label2->setVisible(false);
}

void Form33::List1_Click()
{
    const int chosen = static_cast<int>(List1->selectedItems().size());
    if (chosen == 0)
        return;
    Label2->setText(QStringLiteral("gewählt:") + QString::number(chosen));
    Label2->setVisible(true);
    Command2->setEnabled(true);
}

// A run keeps its backup and its best plan in plan "0": deleted under it,
// the run would end on the grid it left half filled.
void Form33::Command2_Click()
{
    AfterOptimisationRun(this, [this] { deleteChosenPlans(); });
}

void Form33::deleteChosenPlans()
{
    // The window may be closed while a box is up: the plans it lists are
    // then left alone.
    const QPointer<Form33> self(this);
    const bool confirmed = AskYesNo(QStringLiteral("Pläne wirklich löschen ?"), QStringLiteral("Sicherheitsabfrage"));
    if (!forms::listening(self))
        return;
    if (confirmed) {
        const BusyPointer busy;
        controls::disableHandingFocusTo(Command2, List1);
        const PlanFolder folder;
        QStringList stayed;
        for (int i = 0; i < List1->ListCount(); ++i) {
            // The plan is the one the item was made for: read back from the
            // item's text, a number of five digits would name another plan.
            if (List1->item(i)->isSelected())
                stayed << deletePlanFiles(folder, m_itemPlans[std::size_t(i)]);
        }
        // The list names the plans whose files are there now: the plans just
        // deleted leave it at once, a plan it missed is listed again, and a
        // plan another planner saved since this window listed them stays.
        if (const datafile::WriteResult written = WritePlanList(OfferedPlans(ReadPlanList().plans)); !written)
            MsgBox(SaveFailure(QStringLiteral("Pläne.lst"), written) + QLatin1Char('.'));
        if (!stayed.isEmpty())
            MsgBox(QStringLiteral("Diese Dateien konnten nicht gelöscht werden: ") + stayed.join(QStringLiteral(", ")));
        if (!forms::listening(self))
            return;
    }
    fill();
}

void Form33::Command1_Click() { unload(); }
