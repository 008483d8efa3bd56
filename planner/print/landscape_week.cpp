#include "planner/print/landscape_week.h"

#include "core/model.h"

namespace landscapeweek {
namespace {
constexpr float kFirstPeriodLine = 46;
constexpr float kDayRowTop = 16;
constexpr float kPeriodWidth = 5;
constexpr float kDayWidth = 55;
constexpr float kCellStart = 10;
constexpr float kCellMinimum = 1;
constexpr float kCellWidth = 4.5f;
constexpr float kCaptionStart = 12;
constexpr float kCaptionY = 25;

float cellX(int day, int period) { return 55.0f * day + 5.0f * period - 13.6f; }
float captionX(int day, int period) { return 55.0f * day + 5.0f * period - 13.5f; }
}

LargeFormatMember member(bool reduced, const QString& endText)
{
    if (reduced)
        return {LargeFormatMember::Paper::Landscape, true, false, QStringLiteral("verkleinerter Plan wird gedruckt..."),
                endText};
    return {LargeFormatMember::Paper::Landscape, false, true, QStringLiteral("Plan wird gedruckt..."), endText};
}

void periodLines(LargeFormatJob& job, float bottom)
{
    for (int c = 0; c <= kDays * kPeriods; ++c)
        job.blackLine(kFirstPeriodLine + kPeriodWidth * c, kGridTop, kFirstPeriodLine + kPeriodWidth * c, bottom);
}

void dayFrames(LargeFormatJob& job, float bottom)
{
    for (int i = 0; i < kDays; ++i)
        job.frame(kFirstPeriodLine + kDayWidth * i, kDayRowTop, 101 + kDayWidth * i, bottom);
}

void dayNames(LargeFormatJob& job, bool folded)
{
    for (int d = 1; d <= kDays; ++d) {
        const QString name = gDayNames(d).toString();
        job.printText(kDayWidth * d - 7, 17, folded ? FoldedForPlotter(name) : name);
    }
}

bool periodCaptions(LargeFormatJob& job, float minimum)
{
    for (int d = 1; d <= kDays; ++d) {
        for (int p = 1; p <= kPeriods; ++p) {
            if (!job.fitContinuous(captionX(d, p), kCaptionY, gPeriodLabels(p).toString().trimmed(), kCaptionStart,
                                   minimum, kCellWidth))
                return false;
        }
    }
    return true;
}

bool cellText(LargeFormatJob& job, int day, int period, float y, const QString& text)
{
    return job.fitContinuous(cellX(day, period), y, text, kCellStart, kCellMinimum, kCellWidth);
}
}
