#include "core/plan_set_record.h"

#include "core/plan_files.h"
#include "platform/datafile.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <filesystem>

namespace {
const QString kSetRecordTag = QStringLiteral("SUM");
// A SHA-1 in hex.
constexpr qsizetype kHashLength = 40;

bool isHash(const QString& text)
{
    return text.size() == kHashLength
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() || (c >= 'a' && c <= 'f'); });
}
}

// In the file system's own resolution: a file rewritten in the same
// millisecond must not pass for the one recorded.
qint64 PlanFileModifiedAt(const QString& path)
{
    const QString real = datafile::find(path);
    std::error_code failed;
    const auto time = std::filesystem::last_write_time(std::filesystem::path(real.toStdU16String()), failed);
    return real.isEmpty() || failed ? 0 : static_cast<qint64>(time.time_since_epoch().count());
}

QHash<QString, RecordedFile> ReadPlanSetRecord(const QString& plan)
{
    QHash<QString, RecordedFile> recorded;
    for (const QString& line : datafile::readLines(PlanSetRecordPath(plan)).value_or(QStringList{})) {
        // A line a cut-off write or a damaged disk left half is no record of its file.
        const QStringList fields = line.split(QLatin1Char(' '));
        bool timeRead = false;
        const qint64 modified = fields.size() == 3 ? fields[2].toLongLong(&timeRead) : 0;
        if (timeRead && isHash(fields[1]))
            recorded.insert(fields[0], {fields[1].toLatin1(), modified});
    }
    return recorded;
}

QString PlanSetRecordPath(const QString& plan) { return PlanFilePath(kSetRecordTag, plan); }

datafile::WriteResult WritePlanSetRecord(const QString& plan, const std::vector<SavedFile>& files)
{
    QStringList lines;
    for (const SavedFile& f : files) {
        lines << QStringLiteral("%1 %2 %3")
                     .arg(f.tag, QString::fromLatin1(f.hash))
                     .arg(PlanFileModifiedAt(PlanFilePath(f.tag, plan)));
    }
    datafile::WriteResult written = datafile::rewriteChanged(PlanSetRecordPath(plan), lines);
    if (!written)
        written.reason = QFileInfo(PlanSetRecordPath(plan)).fileName() + QStringLiteral(": ") + written.reason;
    return written;
}
