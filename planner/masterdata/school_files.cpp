#include "planner/masterdata/school_files.h"

#include "core/model.h"
#include "core/text_procedures.h"

namespace {
constexpr int kPeriods = 11;
constexpr int kBreaks = 3;
const QString kPeriodFile = QStringLiteral("Time.txt");

// A number in print form, a text as it stands, nothing as an empty line.
QString valueLine(const Variant& value)
{
    return value.isNumber() ? numbers::printForm(value.toDouble()) : datafile::sanitizeField(value.toString());
}

QString trimmed(const Variant& text)
{
    gText = text.toString();
    TrimText();
    return gText.toString();
}
}

QStringList PeriodFileLines(PeriodTexts texts)
{
    const bool trim = texts == PeriodTexts::Trimmed;
    QStringList lines;
    for (int p = 1; p <= kPeriods; ++p) {
        lines << (trim ? datafile::sanitizeField(TrimBlanks(gPeriodLabels(p).toString())) : valueLine(gPeriodLabels(p)));
        lines << datafile::sanitizeField(trim ? TrimBlanks(gPeriodTimes(p)) : gPeriodTimes(p));
    }
    lines << valueLine(gLunchPeriod);
    // Both windows write the breaks: a file ending after the lunch period
    // would lose them at the next start, and with them the rule that keeps
    // double periods away from the big breaks.
    for (int b = 1; b <= kBreaks; ++b)
        lines << numbers::printForm(gBreakAfter(b));
    return lines;
}

datafile::WriteResult SavePeriodFile(PeriodTexts texts)
{
    if (texts == PeriodTexts::Trimmed) {
        for (int p = 1; p <= kPeriods; ++p) {
            gPeriodLabels(p) = trimmed(gPeriodLabels(p));
            gPeriodTimes(p) = trimmed(gPeriodTimes(p));
        }
    }
    return datafile::rewrite(gDataPath + kPeriodFile, PeriodFileLines(texts));
}

QStringList TitleFileLines()
{
    QStringList lines;
    for (int t = 1; t <= gMaxTitles.toInt(); ++t)
        lines << datafile::sanitizeField(gTitles(t));
    return lines;
}

QString SaveFailure(const QString& file, const datafile::WriteResult& result)
{
    return QStringLiteral("Die Datei \"%1\" konnte nicht gespeichert werden: %2").arg(file, result.reason);
}
