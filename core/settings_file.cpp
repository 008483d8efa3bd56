#include "core/settings_file.h"

#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "platform/datafile.h"

#include <algorithm>

namespace {
const QString kSettingsFile = QStringLiteral("vorda.ver");
// The line that names the plan to load at start, counted from 0.
constexpr int kPlanLine = 6;

// The plan a line of the file names; "" for none.
QString namedPlan(const QString& line)
{
    const double plan = numbers::val(line);
    return plan > 0 && plan <= kHighestPlan ? line.trimmed() : QString();
}

// The whole number nearest to `value` within lo..hi.
int clampedWhole(double value, int lo, int hi)
{
    return Variant(std::clamp(value, double(lo), double(hi))).toInt();
}

// The value of a line when it is one of `accepted`, else 0.
int acceptedOrZero(const QString& line, std::initializer_list<int> accepted)
{
    const double v = numbers::val(line);
    for (int a : accepted) {
        if (v == a)
            return a;
    }
    return 0;
}

// The font index, or 0 when it names no font.
void checkFontIndex(Variant& index)
{
    if (index > gFontCount || index < 0)
        index = 0;
}

void setDefaults()
{
    gDaysPerWeek = 5;
    gPeriodsPerDay = 9;
    gSpecialRoomCount = 16;
    gVisibleColumns = 9;
    gSchoolYear = QStringLiteral("2014/15");
    gOverlapPeriod = 0;
}

// A number on a line of its own in print form, a text as it is.
void writeValue(datafile::Writer& out, const Variant& value)
{
    if (value.isNumber())
        out.number(value.toDouble());
    else
        out.line(datafile::sanitizeField(value.toString()));
}
}

double ReadSettingsFile()
{
    setDefaults();
    gPlanToLoadSeen.clear();
    if (!FindDataFile(kSettingsFile))
        return 0;
    datafile::Reader in(gFileName);
    double number = 0;
    QString line;

    if (in.numberInput(number))
        gDaysPerWeek = clampedWhole(number, 5, 6);
    if (in.numberInput(number))
        gPeriodsPerDay = clampedWhole(number, 9, 11);
    if (in.lineInput(line))
        gVisibleColumns = static_cast<short>(clampedWhole(numbers::val(line), 9, 16));
    if (in.numberInput(gEditorFontIndex))
        checkFontIndex(gEditorFontIndex);
    if (in.numberInput(gFontIndex))
        checkFontIndex(gFontIndex);

    gAutoLoadPlan = 0;
    if (in.lineInput(line))
        gAutoLoadPlan = static_cast<short>(acceptedOrZero(line, {1}));
    if (in.lineInput(line)) {
        gPlanToLoadSeen = namedPlan(line);
        if (!gPlanToLoadSeen.isEmpty())
            gPlanName = gPlanToLoadSeen;
    }
    double version = 0;
    if (in.lineInput(line))
        version = numbers::val(line);
    in.lineInput(gSchoolYear);

    gOverlapPeriod = 0;
    if (in.lineInput(line))
        gOverlapPeriod = acceptedOrZero(line, {5, 6});
    gNonCognitiveRule = 0;
    if (in.lineInput(line))
        gNonCognitiveRule = acceptedOrZero(line, {1});
    gFifthPeriodFlag = 0;
    if (in.lineInput(line))
        gFifthPeriodFlag = static_cast<short>(acceptedOrZero(line, {1}));
    gTeacherSortMode = 0;
    if (in.lineInput(line))
        gTeacherSortMode = static_cast<short>(acceptedOrZero(line, {1, 2}));
    return version;
}

QString PlanToLoadAtStart()
{
    // Plan "0" is the optimiser's working plan, which the next run writes
    // over: named for the start, every PC would load whatever a run left
    // there, or nothing once it is gone. The file is read as it stands now:
    // another planner may have named a plan since this one started. Where it
    // cannot be read, the plan it named last is kept, not emptied.
    if (gPlanName.isEmpty() || gPlanName == kOptimiserPlanName) {
        const QString path = datafile::find(gDataPath + kSettingsFile);
        if (const auto lines = path.isEmpty() ? std::nullopt : datafile::readLines(path))
            gPlanToLoadSeen = namedPlan(lines->value(kPlanLine));
        return gPlanToLoadSeen;
    }
    return gPlanName;
}

QStringList SettingsFileLines()
{
    datafile::Writer out;
    writeValue(out, gDaysPerWeek);
    writeValue(out, gPeriodsPerDay);
    out.number(gVisibleColumns);
    writeValue(out, gEditorFontIndex);
    writeValue(out, gFontIndex);
    out.number(gAutoLoadPlan);
    out.line(datafile::sanitizeField(PlanToLoadAtStart()));
    writeValue(out, gProgramVersion);
    writeValue(out, gSchoolYear);
    writeValue(out, gOverlapPeriod);
    writeValue(out, gNonCognitiveRule);
    out.number(gFifthPeriodFlag);
    out.number(gTeacherSortMode);
    return out.lines();
}

void SettingsFileWritten(const QStringList& lines) { gPlanToLoadSeen = namedPlan(lines.value(kPlanLine)); }

datafile::WriteResult SaveSettingsFile()
{
    const QStringList lines = SettingsFileLines();
    const datafile::WriteResult written = datafile::rewriteChanged(gDataPath + kSettingsFile, lines);
    if (written)
        SettingsFileWritten(lines);
    return written;
}
