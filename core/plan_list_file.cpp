#include "core/plan_list_file.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "platform/numbers.h"
#include "platform/variant.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kProgressStep = 10;
constexpr int kTagLength = 3;
const QString kPlanExtension = QStringLiteral(".xxx");
// Header file names compare in lower case.
const QString kHeaderTag = QStringLiteral("t&e");

QString planListFile() { return gDataPath + QStringLiteral("Pläne.lst"); }

QString planSuffix(int plan) { return QString::number(plan) + kPlanExtension; }

bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

// The one rule for a line (see the header).
std::optional<short> planOfLine(const QString& line)
{
    const Variant value(line);
    if (!value.isNumeric())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < 0 || number > kHighestPlan)
        return std::nullopt;
    return static_cast<short>(number);
}

PlanList planListOf(const QStringList& lines)
{
    PlanList list;
    for (const QString& line : lines) {
        if (const auto plan = planOfLine(line))
            list.plans.push_back(*plan);
        else if (isBlank(line))
            ++list.blankLines;
        else
            ++list.damagedLines;
    }
    return list;
}

QStringList listLines(const std::vector<short>& plans)
{
    datafile::Writer out;
    for (short plan : plans)
        out.number(plan);
    return out.lines();
}

datafile::WriteResult writeList(const std::vector<short>& plans)
{
    return datafile::rewriteChanged(planListFile(), listLines(plans));
}

bool missesAPlanOfTheFolder(const std::vector<short>& listed)
{
    const std::vector<short> found = PlanFolder().plans();
    return std::any_of(found.begin(), found.end(),
                       [&](short plan) { return std::find(listed.begin(), listed.end(), plan) == listed.end(); });
}
}

PlanFolder::PlanFolder() : m_folder(gDataPath.isEmpty() ? QStringLiteral(".") : gDataPath)
{
    m_names = QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : std::as_const(m_names)) {
        if (name.startsWith(kHeaderTag, Qt::CaseInsensitive))
            m_headers.insert(name.toLower());
    }
}

bool PlanFolder::hasPlan(int plan) const { return m_headers.contains(kHeaderTag + planSuffix(plan)); }

std::vector<short> PlanFolder::plans() const
{
    static const QRegularExpression header(QStringLiteral("^t&e([1-9][0-9]{0,4})\\.xxx$"));
    std::vector<short> plans;
    for (const QString& name : m_headers) {
        const QRegularExpressionMatch match = header.match(name);
        const int plan = match.captured(1).toInt();
        if (match.hasMatch() && plan <= kHighestPlan)
            plans.push_back(static_cast<short>(plan));
    }
    std::sort(plans.begin(), plans.end(), std::greater<>());
    return plans;
}

QStringList PlanFolder::filesOf(int plan) const
{
    const QString suffix = planSuffix(plan);
    QStringList files;
    for (const QString& name : m_names) {
        if (name.size() == kTagLength + suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            files << QDir(m_folder).filePath(name);
    }
    return files;
}

PlanList ReadPlanList()
{
    const datafile::FileRead read = datafile::readFile(planListFile());
    PlanList list = planListOf(read.lines);
    list.unreadable = read.state == datafile::FileRead::State::Unreadable;
    return list;
}

std::vector<short> ListedPlans() { return ReadPlanList().plans; }

std::vector<short> OfferedPlans(const std::vector<short>& listed)
{
    const PlanFolder folder;
    std::vector<short> offered;
    QSet<short> seen;
    const auto offer = [&](short plan) {
        if (!seen.contains(plan)) {
            seen.insert(plan);
            offered.push_back(plan);
        }
    };
    for (short plan : listed) {
        if (folder.hasPlan(plan))
            offer(plan);
    }
    for (short plan : folder.plans())
        offer(plan);
    return offered;
}

bool PlanListIsDamaged()
{
    const PlanList list = ReadPlanList();
    return list.unreadable || list.damagedLines > 0 || missesAPlanOfTheFolder(list.plans);
}

void CountPlanList()
{
    if (!datafile::exists(planListFile()))
        return;
    datafile::clearAttributes(planListFile());
    if (const auto lines = datafile::readLines(planListFile()))
        gPlanCount = static_cast<short>(std::min<qsizetype>(lines->size(), SHRT_MAX));
}

// Re-read at every save: other PCs may have listed plans since start-up.
PlanListEntry EnterIntoPlanList()
{
    PlanListEntry entry;
    entry.file.path = planListFile();
    datafile::clearAttributes(planListFile());
    const datafile::FileRead read = datafile::readFile(planListFile());
    if (read.state == datafile::FileRead::State::Missing) {
        entry.file.bytes = datafile::bytesOf({gPlanName});
        entry.plans = planListOf({gPlanName}).plans;
        entry.created = true;
        return entry;
    }
    if (read.state == datafile::FileRead::State::Unreadable) {
        entry.unreadable = read.reason;
        return entry;
    }
    entry.plans = planListOf(read.lines).plans;
    if (const auto own = numbers::toInt16(numbers::val(gPlanName)))
        entry.plans.push_back(*own);
    std::sort(entry.plans.begin(), entry.plans.end(), std::greater<>());
    entry.plans.erase(std::unique(entry.plans.begin(), entry.plans.end()), entry.plans.end());
    entry.file.bytes = datafile::bytesOf(listLines(entry.plans));
    return entry;
}

void PlanListEntry::keep() const
{
    KeepPlanNumbers(plans);
    // The count is of the list's lines, as start-up counts them: a plan name
    // that is no plan number still stands on the one line written.
    if (created)
        gPlanCount = 1;
}

datafile::WriteResult RebuildPlanList(const std::function<void(int plan)>& progress)
{
    const PlanFolder folder;
    std::vector<short> found;
    for (int n = 1; n <= kHighestPlan; ++n) {
        if (folder.hasPlan(n))
            found.push_back(static_cast<short>(n));
        if (n % kProgressStep == 0 && progress)
            progress(n);
    }
    KeepPlanNumbers(found);
    std::reverse(found.begin(), found.end());
    return writeList(found);
}

datafile::WriteResult WritePlanList(const std::vector<short>& plans)
{
    std::vector<short> kept;
    std::copy_if(plans.begin(), plans.end(), std::back_inserter(kept), [](short plan) { return plan > 0; });
    std::sort(kept.begin(), kept.end(), std::greater<>());
    const datafile::WriteResult written = writeList(kept);
    if (written)
        KeepPlanNumbers(kept);
    return written;
}

void KeepPlanNumbers(const std::vector<short>& plans)
{
    gPlanNumbers.fill(0);
    const std::size_t fits = std::min<std::size_t>(plans.size(), gPlanNumbers.upper());
    for (std::size_t i = 0; i < fits; ++i)
        gPlanNumbers(static_cast<long>(i + 1)) = plans[i];
    gPlanCount = static_cast<short>(std::min<std::size_t>(plans.size(), SHRT_MAX));
}
