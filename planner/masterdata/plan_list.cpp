#include "planner/masterdata/plan_list.h"

#include "core/model.h"
#include "core/plan_files.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <climits>

namespace {
constexpr int kProgressStep = 10;
constexpr int kTagLength = 3;
const QString kPlanList = QStringLiteral("Pläne.lst");
const QString kPlanExtension = QStringLiteral(".xxx");

QString planSuffix(int plan) { return QString::number(plan) + kPlanExtension; }

datafile::WriteResult writeList(const std::vector<int>& plans)
{
    datafile::Writer out;
    for (int plan : plans)
        out.number(plan);
    return datafile::rewrite(gDataPath + kPlanList, out.lines());
}
}

PlanFolder::PlanFolder() : m_folder(gDataPath.isEmpty() ? QStringLiteral(".") : gDataPath)
{
    m_names = QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : std::as_const(m_names))
        m_lowerNames.insert(name.toLower());
}

bool PlanFolder::hasPlan(int plan) const
{
    return m_lowerNames.contains(QStringLiteral("t&e") + planSuffix(plan));
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

datafile::WriteResult RebuildPlanList(const std::function<void(int plan)>& progress)
{
    const PlanFolder folder;
    std::vector<int> found;
    for (int n = 1; n <= kHighestPlan; ++n) {
        if (folder.hasPlan(n))
            found.push_back(n);
        if (n % kProgressStep == 0 && progress)
            progress(n);
    }
    KeepPlanNumbers(found);
    std::reverse(found.begin(), found.end());
    return writeList(found);
}

std::vector<int> ReadPlanList()
{
    std::vector<int> plans;
    const auto lines = datafile::readLines(gDataPath + kPlanList);
    if (!lines)
        return plans;
    for (const QString& line : *lines) {
        const Variant value(line);
        if (!value.isNumeric()) {
            Beep();
            gCheckOk = 0;
            continue;
        }
        plans.push_back(value.toInt());
    }
    return plans;
}

datafile::WriteResult WritePlanList(const std::vector<int>& plans)
{
    std::vector<int> kept;
    std::copy_if(plans.begin(), plans.end(), std::back_inserter(kept), [](int plan) { return plan > 0; });
    const datafile::WriteResult written = writeList(kept);
    if (written)
        KeepPlanNumbers(kept);
    return written;
}

void KeepPlanNumbers(const std::vector<int>& plans)
{
    gPlanNumbers.fill(0);
    const std::size_t fits = std::min<std::size_t>(plans.size(), gPlanNumbers.upper());
    for (std::size_t i = 0; i < fits; ++i)
        gPlanNumbers(static_cast<long>(i + 1)) = static_cast<short>(std::clamp(plans[i], 0, int(SHRT_MAX)));
    gPlanCount = static_cast<short>(std::min<std::size_t>(plans.size(), SHRT_MAX));
}

QStringList DeletePlanFiles(const PlanFolder& folder, int plan)
{
    QStringList stayed;
    for (const QString& file : folder.filesOf(plan)) {
        if (!QFile::remove(file))
            stayed << QFileInfo(file).fileName();
    }
    return stayed;
}
