#include "core/plan_files.h"

#include "core/model.h"
#include "core/timetable.h"
#include "platform/datafile.h"
#include "platform/numbers.h"
#include "platform/runtime.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <vector>

namespace {

// How many teachers, classes, subjects and teacher slots the files of a plan
// hold; older program versions wrote fewer.
struct Layout {
    int teachers, classes, subjects, teacherSlots;
};

constexpr Layout kWrittenLayout{60, 24, 99, 9};
const QString kWrittenVersion = QStringLiteral("9.0");
constexpr int kExtraTeachers = 60;
constexpr int kSspTeachers = 60, kSspDays = 6, kSspPeriods = 11;

Layout layoutOf(double version)
{
    if (version <= 4.0)
        return {52, 0, 52, 6};
    if (version < 5.02)
        return {60, 20, 52, 6};
    if (version <= 5.03)
        return {60, 20, 72, 6};
    if (version < 7.06)
        return {60, 24, 72, 6};
    if (version < 9.0)
        return {60, 24, 99, 6};
    return kWrittenLayout;
}

QString planFile(const QString& tag, const QString& plan = gPlanName)
{
    return gDataPath + tag + plan + QStringLiteral(".xxx");
}
const QString kHeaderTag = QStringLiteral("T&E");
QString planListFile() { return gDataPath + QStringLiteral("Pläne.lst"); }

void signalFault()
{
    Beep();
    gCheckOk = 0;
}

template <typename F>
void forClassSubjects(const Layout& l, F f)
{
    for (int c = 1; c <= l.classes; ++c) {
        for (int s = 1; s <= l.subjects; ++s)
            f(c, s);
    }
}

template <typename F>
void forDaysAndPeriods(F f)
{
    for (int d = 1; d <= timetable::days(); ++d) {
        for (int p = 1; p <= timetable::periods(); ++p)
            f(d, p);
    }
}

// ---- Loading. Each file that exists replaces its whole part of the model,
// so a smaller plan never keeps lessons or hours of the plan loaded before.

std::optional<datafile::Reader> openPlanFile(const QString& tag)
{
    datafile::Reader r(planFile(tag));
    if (r.isOpen())
        return r;
    signalFault();
    return std::nullopt;
}

std::optional<Layout> readHeader()
{
    auto r = openPlanFile(kHeaderTag);
    if (!r)
        return std::nullopt;
    QString version;
    r->numberInput(gDaysPerWeek);
    r->numberInput(gPeriodsPerDay);
    r->lineInput(gPlanTitle);
    r->lineInput(version);
    gDaysPerWeek = std::clamp(gDaysPerWeek.toInt(), 5, 6);
    gPeriodsPerDay = std::clamp(gPeriodsPerDay.toInt(), 9, 11);
    return layoutOf(numbers::val(version));
}

void readAssignments(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("LFV"));
    if (!r)
        return;
    gSubjectTeachers.fill(0);
    forClassSubjects(l, [&](int c, int s) {
        for (int k = 0; k < l.teacherSlots; ++k)
            r->numberInput(gSubjectTeachers(c, s, k));
    });
}

void readLessons(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("KSP"));
    if (!r)
        return;
    gTimetable.fill(0);
    gFixations.fill(0);
    forDaysAndPeriods([&](int d, int p) {
        for (int c = 1; c <= l.classes; ++c) {
            for (int half = 0; half <= 1; ++half) {
                r->numberInput(gTimetable(d, p, c, half));
                r->numberInput(gFixations(d, p, c, half));
            }
        }
    });
}

void readCurriculum(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("STU"));
    if (!r)
        return;
    gCurriculumHours.fill(0);
    forClassSubjects(l, [&](int c, int s) { r->numberInput(gCurriculumHours(c, s)); });
}

Currency curriculumAsCurrency(int c, int s) { return Currency::fromDouble(gCurriculumHours(c, s)); }

// At full capacity, so no hours of the plan loaded before are kept.
void copyCurriculumToClassHours()
{
    for (int c = 0; c <= gClassSubjectHours.upper(0); ++c) {
        for (int s = 0; s <= gClassSubjectHours.upper(1); ++s)
            gClassSubjectHours(c, s) = curriculumAsCurrency(c, s);
    }
}

// The hours per class and subject are written with the German decimal comma;
// a line that is no number counts as the curriculum hours.
void readClassHours(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("SPW"));
    if (!r) {
        copyCurriculumToClassHours();
        return;
    }
    gClassSubjectHours.fill(Currency{});
    forClassSubjects(l, [&](int c, int s) {
        QString line;
        if (r->lineInput(line))
            gClassSubjectHours(c, s) = Currency::parse(line).value_or(curriculumAsCurrency(c, s));
    });
}

void readAvailability(const Layout& l)
{
    auto r = openPlanFile(QStringLiteral("LKN"));
    if (!r)
        return;
    gTeacherUnavailable.fill(0);
    for (int t = 1; t <= l.teachers; ++t)
        forDaysAndPeriods([&](int d, int p) { r->numberInput(gTeacherUnavailable(t, d, p)); });
}

void readTeacherExtras()
{
    auto r = openPlanFile(QStringLiteral("KOP"));
    if (!r)
        return;
    gTeacherPlanExtra.fill(Variant(0));
    for (int t = 1; t <= kExtraTeachers; ++t) {
        double unused = 0;
        r->numberInput(gTeacherPlanExtra(t));
        r->numberInput(unused);
        r->numberInput(unused);
    }
}

// Optional and only read; a short file stops at its end.
void readSspTable()
{
    gPlanSspFlag = 0;
    datafile::Reader r(planFile(QStringLiteral("SSP")));
    if (!r.isOpen())
        return;
    gPlanSspTable.fill(0);
    for (int t = 1; t <= kSspTeachers; ++t) {
        for (int d = 1; d <= kSspDays; ++d) {
            for (int p = 1; p <= kSspPeriods; ++p) {
                if (!r.numberInput(gPlanSspTable(t, d, p)))
                    return;
            }
        }
    }
}

// ---- Saving: always the newest layout, each file replaced atomically. The
// files are composed in memory, so what a save would write can also be
// compared with the files on disk.

QString currencyForm(Currency c) { return (c.units() >= 0 ? QStringLiteral(" ") : QString()) + c.toString() + QLatin1Char(' '); }

datafile::Writer headerFile()
{
    datafile::Writer w;
    w.number(timetable::days());
    w.number(timetable::periods());
    w.line(datafile::sanitizeField(gPlanTitle));
    w.line(kWrittenVersion);
    return w;
}

datafile::Writer assignmentFile()
{
    datafile::Writer w;
    forClassSubjects(kWrittenLayout, [&](int c, int s) {
        for (int k = 0; k < kWrittenLayout.teacherSlots; ++k)
            w.number(gSubjectTeachers(c, s, k));
    });
    return w;
}

datafile::Writer lessonFile()
{
    datafile::Writer w;
    forDaysAndPeriods([&](int d, int p) {
        for (int c = 1; c <= kWrittenLayout.classes; ++c) {
            for (int half = 0; half <= 1; ++half) {
                w.number(gTimetable(d, p, c, half));
                w.number(gFixations(d, p, c, half));
            }
        }
    });
    return w;
}

datafile::Writer curriculumFile()
{
    datafile::Writer w;
    forClassSubjects(kWrittenLayout, [&](int c, int s) { w.number(gCurriculumHours(c, s)); });
    return w;
}

datafile::Writer classHoursFile()
{
    datafile::Writer w;
    forClassSubjects(kWrittenLayout, [&](int c, int s) { w.line(currencyForm(gClassSubjectHours(c, s))); });
    return w;
}

datafile::Writer availabilityFile()
{
    datafile::Writer w;
    for (int t = 1; t <= kWrittenLayout.teachers; ++t)
        forDaysAndPeriods([&](int d, int p) { w.number(gTeacherUnavailable(t, d, p)); });
    return w;
}

datafile::Writer teacherExtrasFile()
{
    datafile::Writer w;
    for (int t = 1; t <= kExtraTeachers; ++t) {
        w.number(gTeacherPlanExtra(t).toDouble());
        w.number(0);
        w.number(0);
    }
    return w;
}

struct PlanFile {
    const char* tag;
    datafile::Writer (*compose)();
};

const PlanFile kPlanFiles[] = {
    {"T&E", headerFile},     {"LFV", assignmentFile},   {"KSP", lessonFile},        {"STU", curriculumFile},
    {"SPW", classHoursFile}, {"LKN", availabilityFile}, {"KOP", teacherExtrasFile},
};

QString planFile(const PlanFile& f) { return planFile(QString::fromLatin1(f.tag)); }

// A file that holds the lines already is left as it is: the optimiser saves
// plan "0" again and again, most of its files unchanged, and each write waits
// for the disk.
bool writeUnlessOnDisk(const datafile::Writer& w, const QString& path) { return w.isOnDisk(path) || w.commit(path); }

bool writePlanFiles()
{
    for (const PlanFile& f : kPlanFiles) {
        if (!writeUnlessOnDisk(f.compose(), planFile(f)))
            return false;
    }
    return true;
}

// ---- The plan list: every plan number once, highest first.

// The plan numbers of the list's lines; a line that is no whole number names no plan.
std::vector<short> listedPlans(const QStringList& lines)
{
    std::vector<short> plans;
    for (const QString& line : lines) {
        bool ok = false;
        const int n = line.trimmed().toInt(&ok);
        if (const auto plan = numbers::toInt16(n); ok && plan)
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

// Re-read at every save: other PCs may have listed plans since start-up.
bool enterIntoPlanList()
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
    if (!writeUnlessOnDisk(w, planListFile()))
        return false;
    keepPlanNumbers(plans);
    return true;
}

}

namespace {
// The files of plan gPlanName into the model; false when the header is
// missing and nothing else was read.
bool readPlanFiles()
{
    gCheckOk = 1;
    const auto layout = readHeader();
    if (!layout)
        return false;
    readAssignments(*layout);
    readLessons(*layout);
    readCurriculum(*layout);
    readClassHours(*layout);
    readAvailability(*layout);
    readTeacherExtras();
    readSspTable();
    return true;
}
}

void LoadPlan()
{
    if (!readPlanFiles())
        return;
    // The rebuild places lessons, which sets gCheckOk for each; the result
    // of the load is whether every file was found.
    const Variant allFound = gCheckOk;
    RebuildTeacherTimetables();
    gCheckOk = allFound;
}

// Every part of the model that reading the plan files writes.
struct PlanContents::Parts {
    Variant daysPerWeek, periodsPerDay;
    QString title;
    std::remove_reference_t<decltype(gSubjectTeachers)> subjectTeachers;
    std::remove_reference_t<decltype(gTimetable)> timetable;
    std::remove_reference_t<decltype(gFixations)> fixations;
    std::remove_reference_t<decltype(gCurriculumHours)> curriculumHours;
    std::remove_reference_t<decltype(gClassSubjectHours)> classSubjectHours;
    std::remove_reference_t<decltype(gTeacherUnavailable)> teacherUnavailable;
    std::remove_reference_t<decltype(gTeacherPlanExtra)> teacherPlanExtra;
    std::remove_reference_t<decltype(gPlanSspTable)> sspTable;
    short sspFlag = 0;

    void takeFromModel()
    {
        daysPerWeek = gDaysPerWeek;
        periodsPerDay = gPeriodsPerDay;
        title = gPlanTitle;
        subjectTeachers = gSubjectTeachers;
        timetable = gTimetable;
        fixations = gFixations;
        curriculumHours = gCurriculumHours;
        classSubjectHours = gClassSubjectHours;
        teacherUnavailable = gTeacherUnavailable;
        teacherPlanExtra = gTeacherPlanExtra;
        sspTable = gPlanSspTable;
        sspFlag = gPlanSspFlag;
    }
    void putIntoModel() const
    {
        gDaysPerWeek = daysPerWeek;
        gPeriodsPerDay = periodsPerDay;
        gPlanTitle = title;
        gSubjectTeachers = subjectTeachers;
        gTimetable = timetable;
        gFixations = fixations;
        gCurriculumHours = curriculumHours;
        gClassSubjectHours = classSubjectHours;
        gTeacherUnavailable = teacherUnavailable;
        gTeacherPlanExtra = teacherPlanExtra;
        gPlanSspTable = sspTable;
        gPlanSspFlag = sspFlag;
    }
};

PlanContents::PlanContents() : m_parts(std::make_unique<Parts>()) {}
PlanContents::~PlanContents() = default;

bool PlanContents::read()
{
    // A plan with a file missing is left to LoadPlan, which signals it.
    for (const PlanFile& f : kPlanFiles)
        if (!datafile::exists(planFile(f)))
            return false;
    Parts current;
    current.takeFromModel();
    const Variant checked = gCheckOk;
    const bool complete = readPlanFiles() && gCheckOk == 1;
    if (complete)
        m_parts->takeFromModel();
    current.putIntoModel();
    gCheckOk = checked;
    return complete;
}

void PlanContents::load() const
{
    m_parts->putIntoModel();
    RebuildTeacherTimetables();
    gCheckOk = 1;
}

void SavePlan()
{
    gCheckOk = 1;
    if (!writePlanFiles() || !enterIntoPlanList())
        signalFault();
}

bool PlanDiffersFromFiles()
{
    for (const PlanFile& f : kPlanFiles) {
        if (!f.compose().isOnDisk(planFile(f)))
            return true;
    }
    return false;
}

std::vector<short> ListedPlans()
{
    const auto lines = datafile::readLines(planListFile());
    return lines ? listedPlans(*lines) : std::vector<short>{};
}

std::optional<QString> PlanTitle(const QString& plan)
{
    const auto lines = datafile::readLines(planFile(kHeaderTag, plan));
    if (!lines)
        return std::nullopt;
    return lines->value(2);
}

void LoadStartPlan()
{
    if (gPlanName.isEmpty() || gAutoLoadPlan != 1)
        return;
    LoadPlan();
    gStartPlanName = gPlanName;
}
