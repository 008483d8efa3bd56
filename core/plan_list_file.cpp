#include "core/plan_list_file.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "platform/datafile.h"
#include "platform/numbers.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

// The plan list: every plan number once, highest first.
namespace {

QString planListFile() { return gDataPath + QStringLiteral("Pläne.lst"); }

// A line that is no whole number names no plan.
std::optional<short> planOfLine(const QString& line)
{
    bool ok = false;
    const int n = line.trimmed().toInt(&ok);
    return ok ? numbers::toInt16(n) : std::nullopt;
}

std::vector<short> listedPlans(const QStringList& lines)
{
    std::vector<short> plans;
    for (const QString& line : lines) {
        if (const auto plan = planOfLine(line))
            plans.push_back(*plan);
    }
    return plans;
}

// The table of the model holds what fits; the file keeps every plan.
void keepPlanNumbers(const std::vector<short>& plans)
{
    gPlanNumbers.fill(0);
    const std::size_t fits = std::min<std::size_t>(plans.size(), gPlanNumbers.upper());
    for (std::size_t i = 0; i < fits; ++i)
        gPlanNumbers(static_cast<long>(i + 1)) = plans[i];
    gPlanCount = static_cast<short>(std::min<std::size_t>(plans.size(), 32767));
}

bool createPlanList()
{
    if (!datafile::rewrite(planListFile(), {gPlanName}))
        return false;
    keepPlanNumbers(listedPlans({gPlanName}));
    // The count is of the list's lines, as start-up counts them: a plan name
    // that is no whole number still stands on the one line written.
    gPlanCount = 1;
    return true;
}

bool hasGarbageLine(const QStringList& lines)
{
    return std::any_of(lines.begin(), lines.end(),
                       [](const QString& line) { return !line.trimmed().isEmpty() && !planOfLine(line); });
}

bool missesAPlanOfTheFolder(const QStringList& lines)
{
    const std::vector<short> listed = listedPlans(lines);
    const std::vector<short> found = PlansInFolder();
    return std::any_of(found.begin(), found.end(),
                       [&](short plan) { return std::find(listed.begin(), listed.end(), plan) == listed.end(); });
}

}

// Re-read at every save: other PCs may have listed plans since start-up.
bool EnterIntoPlanList()
{
    if (!datafile::exists(planListFile()))
        return createPlanList();
    datafile::clearAttributes(planListFile());
    const auto lines = datafile::readLines(planListFile());
    if (!lines)
        return false;
    std::vector<short> plans = listedPlans(*lines);
    if (const auto own = numbers::toInt16(numbers::val(gPlanName)))
        plans.push_back(*own);
    std::sort(plans.begin(), plans.end(), std::greater<>());
    plans.erase(std::unique(plans.begin(), plans.end()), plans.end());
    datafile::Writer w;
    for (short plan : plans)
        w.number(plan);
    if (!datafile::rewriteChanged(planListFile(), w.lines()))
        return false;
    keepPlanNumbers(plans);
    return true;
}

// A number written with a leading zero names no plan: a save never writes one.
std::vector<short> PlansInFolder()
{
    static const QRegularExpression header(QStringLiteral("^t&e([1-9][0-9]{0,4})\\.xxx$"),
                                           QRegularExpression::CaseInsensitiveOption);
    std::vector<short> plans;
    const QDir folder(gDataPath.isEmpty() ? QStringLiteral(".") : gDataPath);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = header.match(name);
        const int plan = match.captured(1).toInt();
        if (match.hasMatch() && plan <= kHighestPlan)
            plans.push_back(static_cast<short>(plan));
    }
    return plans;
}

std::vector<short> ListedPlans()
{
    const auto lines = datafile::readLines(planListFile());
    return lines ? listedPlans(*lines) : std::vector<short>{};
}

bool PlanListIsDamaged()
{
    const datafile::FileRead list = datafile::readFile(planListFile());
    return list.state == datafile::FileRead::State::Unreadable || hasGarbageLine(list.lines)
        || missesAPlanOfTheFolder(list.lines);
}
