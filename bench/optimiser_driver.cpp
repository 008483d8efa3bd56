// Runs optimiser modes without a window on the generated school or on a copy
// of a data folder, and prints what they achieved:
//
//   optimiser-driver [--mode 0|1|2] [--seed N] [--seconds T] [--methods 1T,LG,Wa,1K,ZF]
//                    [--ai] [--folder DIR | --constructed] [--chain STEPS] [--save-to DIR]
//
// --save-to writes the generated or constructed school into the data folder
// DIR (a copy of a school's folder) as its settings, master data and plan
// "1", which holds only the fixed cells, and ends: the school can then be
// planned in the windows.
// --constructed runs on the school drawn from a complete week (the test
// support's constructed school) in place of the generated one.
// Each run starts as "starte Optimierung" starts it, with the window's start
// steps and checks, on the classes in use. Mode 0 first takes every unfixed
// lesson out of the plan, so it fills from the fixed cells; mode 1 on the
// generated school opens Monday of "6b", "8c" and "10d"; on a data folder
// modes 1 and 2 work on its start plan as it is. The folder itself is never
// written: the run saves plan "0" in a copy.
//
// --chain takes the steps a timetable maker takes in the windows, one after
// the other on the same plan, in place of --mode and --seconds; the steps are
// separated by commas; on a generated school they start from its fixed
// cells, on a folder from its start plan:
//   0:T, 0ai:T, 1:T, 2:T  "Modus 0" (with "ai"), "Modus 1", "Modus 2" for T seconds
//   fix                   the editor's "alle Stunden fixieren"
//   release-missing       the class-header click on every day of each class
//                         that "fehlende Stunden ?" names
//   release-days          the class-header click on each day of those classes
//                         that holds an empty cell not fixed absolutely
// A class that lacks a lesson of an ability group has those days opened in
// every class of its grade too.
// e.g. --chain "0ai:60,fix,release-days,1:30,2:60". The figures are printed
// after every step.
#include "bench/optimiser_trial.h"
#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/settings_file.h"
#include "core/timetable.h"
#include "planner/editor/editor_support.h"
#include "planner/editor/missing_lessons.h"
#include "planner/editor/rule_support.h"
#include "planner/editor/teacher_fixations.h"
#include "planner/masterdata/class_table.h"
#include "planner/masterdata/school_files.h"
#include "planner/masterdata/subject_table.h"
#include "platform/controls.h"
#include "platform/datafile.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "tests/support/constructed_school.h"
#include "tests/support/generated_school.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QCheckBox>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int kModes[] = {trial::kFill, trial::kSearch, trial::kImprove};
const char* const kMethodNames[] = {"1T", "LG", "Wa", "1K", "ZF"};
constexpr short kTemporary = 1;
constexpr short kAbsolute = 4;

unsigned methodBits(const QString& list)
{
    unsigned bits = 0;
    for (const QString& name : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        for (int m = 0; m < 5; ++m)
            if (name.trimmed().compare(QLatin1String(kMethodNames[m]), Qt::CaseInsensitive) == 0)
                bits |= 1U << m;
    }
    return bits;
}

void print(const char* what, const trial::Figures& f)
{
    std::printf("%-8s placed %d of %d, teacher gaps %d, rating %.6g, refused by the error check %d\n", what,
                f.placed, f.required, f.teacherGaps, f.rating, f.refused);
}

struct Step {
    enum Kind { Run, Fix, ReleaseMissing, ReleaseDays, ReleaseBlockers, Repeat } kind = Run;
    int mode = 0; // 0, 1, 2 as the option buttons
    bool ai = false;
    int milliseconds = 0;
    int rounds = 0;          // of a repeat
    std::vector<Step> body;  // of a repeat
};

Step stepOf(Step::Kind kind)
{
    Step step;
    step.kind = kind;
    return step;
}

// The words of a chain: split at the commas that stand outside parentheses;
// empty when the parentheses do not pair.
QStringList chainWords(const QString& chain)
{
    QStringList words;
    QString word;
    int depth = 0;
    for (const QChar ch : chain) {
        depth += ch == QLatin1Char('(') ? 1 : ch == QLatin1Char(')') ? -1 : 0;
        if (depth < 0)
            return {};
        if (ch == QLatin1Char(',') && depth == 0) {
            words << word.trimmed();
            word.clear();
        } else {
            word += ch;
        }
    }
    if (depth != 0)
        return {};
    words << word.trimmed();
    words.removeAll(QString());
    return words;
}

std::optional<std::vector<Step>> parseChain(const QString& chain)
{
    static const QRegularExpression run(QStringLiteral("^([012])(ai)?:([0-9.]+)$"));
    static const QRegularExpression repeat(QStringLiteral("^repeat:([0-9]+)\\((.*)\\)$"));
    std::vector<Step> steps;
    const QStringList words = chainWords(chain);
    if (words.isEmpty())
        return std::nullopt;
    for (const QString& w : words) {
        if (w == QLatin1String("fix"))
            steps.push_back(stepOf(Step::Fix));
        else if (w == QLatin1String("release-missing"))
            steps.push_back(stepOf(Step::ReleaseMissing));
        else if (w == QLatin1String("release-days"))
            steps.push_back(stepOf(Step::ReleaseDays));
        else if (w == QLatin1String("release-blockers"))
            steps.push_back(stepOf(Step::ReleaseBlockers));
        else if (const auto m = run.match(w); m.hasMatch() && (m.captured(1) == QLatin1String("0") || !m.hasCaptured(2)))
        {
            Step step = stepOf(Step::Run);
            step.mode = m.captured(1).toInt();
            step.ai = m.hasCaptured(2);
            step.milliseconds = static_cast<int>(m.captured(3).toDouble() * 1000);
            steps.push_back(step);
        }
        else if (const auto r = repeat.match(w); r.hasMatch()) {
            auto body = parseChain(r.captured(2));
            if (!body)
                return std::nullopt;
            Step step = stepOf(Step::Repeat);
            step.rounds = r.captured(1).toInt();
            step.body = std::move(*body);
            steps.push_back(std::move(step));
        } else {
            return std::nullopt;
        }
    }
    return steps;
}

bool lacksLessons(int cls) { return !MissingLessons(cls).empty(); }

// A day of the class that the header click would release rather than fix.
bool dayHeld(int day, int cls)
{
    for (int p = 1; p <= timetable::periods(); ++p)
        if (gFixations(day, p, cls, 0) == kTemporary)
            return true;
    return false;
}

bool dayHasGap(int day, int cls)
{
    for (int p = 1; p <= timetable::periods(); ++p)
        if (gFixations(day, p, cls, 0) < kAbsolute && gTimetable(day, p, cls, 0) == 0 && gTimetable(day, p, cls, 1) == 0)
            return true;
    return false;
}

bool isAbilityGroup(int subject)
{
    constexpr int kAbilityGroups = 4;
    return gSubjectAttr(subject, kAbilityGroups) == 1;
}

bool lacksAbilityGroupLesson(int cls)
{
    for (const auto& [subject, missing] : MissingLessons(cls))
        if (isAbilityGroup(subject))
            return true;
    return false;
}

// The header clicks on the days of the classes that lack lessons (only the
// days with a gap when `onlyWithGaps`); a lesson of an ability group can
// only go where the whole grade is open, so those days open in every class
// of its grade. Returns the class-days released.
int releaseDays(bool onlyWithGaps)
{
    std::set<std::pair<int, int>> days;
    for (int c = 1; c <= timetable::lastClass(); ++c) {
        if (!lacksLessons(c))
            continue;
        for (int d = 1; d <= timetable::days(); ++d) {
            if (onlyWithGaps && !dayHasGap(d, c))
                continue;
            days.insert({c, d});
            if (!lacksAbilityGroupLesson(c))
                continue;
            for (int k = 1; k <= timetable::lastClass(); ++k)
                if (timetable::grade(k) == timetable::grade(c) && timetable::inAbilityGroups(k))
                    days.insert({k, d});
        }
    }
    int released = 0;
    for (const auto& [c, d] : days) {
        if (!dayHeld(d, c))
            continue;
        ToggleClassDayFixation(d, c);
        ++released;
    }
    return released;
}

// The teachers of the lessons that "fehlende Stunden ?" names, each with
// whether one of them is a lesson of an ability group.
std::map<int, bool> teachersOfMissingLessons()
{
    std::map<int, bool> teachers;
    for (int c = 1; c <= timetable::lastClass(); ++c)
        for (const auto& [subject, missing] : MissingLessons(c))
            for (int slot = 0; slot < rules::kTeacherSlots; ++slot)
                if (const int t = rules::lessonTeacher(c, subject, slot); t > 0)
                    teachers[t] = teachers[t] || isAbilityGroup(subject);
    return teachers;
}

// "lehrerbez. Fix. lösen" for the teacher, with "LG-Fächer einbeziehen"
// ticked when asked.
void releaseTeacher(int teacher, bool withAbilityGroups)
{
    Form42* w = forms::show<Form42>();
    w->Check1->setChecked(withAbilityGroups);
    w->List1->setListIndex(teacher - 1);
    w->Command1_Click();
}

int openCells()
{
    int open = 0;
    for (int d = 1; d <= timetable::days(); ++d)
        for (int p = 1; p <= timetable::periods(); ++p)
            for (int c = 1; c <= timetable::lastClass(); ++c)
                open += gFixations(d, p, c, 0) == 0 ? 1 : 0;
    return open;
}

bool planComplete()
{
    CountPlacedLessons();
    return gPlacedCount.toInt() >= gPlacedCount2;
}

int placedLessons()
{
    CountPlacedLessons();
    return gPlacedCount.toInt();
}

// Where a round keeps the plan it started from, as a user saves it under a
// plan number of its own to go back to it.
const QString kKeptPlan = QString::number(kHighestPlan);

void keepPlan()
{
    const QString name = std::exchange(gPlanName, kKeptPlan);
    const QString title = std::exchange(gPlanTitle, QStringLiteral("bester Stand"));
    SavePlan();
    gPlanName = name;
    gPlanTitle = title;
}

void reloadKeptPlan()
{
    const QString name = std::exchange(gPlanName, kKeptPlan);
    const QString title = gPlanTitle;
    LoadPlan();
    gPlanName = name;
    gPlanTitle = title;
}

// The settings and master data that the program's windows write through their
// own procedures; the teachers and special rooms in the layout the start
// reads after such settings.
bool saveSchool(const QString& folder)
{
    constexpr int kTeacherSlots = 60;
    constexpr int kSpecialRooms = 16;
    gDataPath = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    datafile::Writer teachers;
    datafile::Writer loads;
    for (int t = 1; t <= kTeacherSlots; ++t) {
        teachers.line(gTeacherNames(t).toString());
        teachers.line(gTeacherShort(t));
        loads.number(gTeacherMaxLoad(t));
    }
    datafile::Writer rooms;
    for (int r = 1; r <= kSpecialRooms; ++r)
        rooms.line(gSpecialRoomNames(r));
    for (int r = 1; r <= kSpecialRooms; ++r)
        for (int d = 1; d <= timetable::days(); ++d)
            for (int p = 1; p <= timetable::periods(); ++p)
                rooms.number(gSpecialRoomAvailability(r, d, p));
    datafile::Writer name;
    name.line(gSchoolName.toString());
    // The planner opens on the school's plan.
    gAutoLoadPlan = 1;
    const bool written = SaveSettingsFile() && SaveClassFiles().isEmpty() && SaveCombinationFile().isEmpty() && SaveSubjectFile()
                         && SavePeriodFile(PeriodTexts::AsHeld) && teachers.commit(gDataPath + "Namen.txt")
                         && loads.commit(gDataPath + "belast.dat") && rooms.commit(gDataPath + "Räume.dat")
                         && name.commit(gDataPath + "Schulname.txt");
    if (!written)
        return false;
    SavePlan();
    return gCheckOk == 1;
}

void printRun(const char* name, bool ai, int milliseconds, unsigned seed, const trial::Result& r)
{
    std::printf("run      Modus %s%s, seed %u, limit %.1f s: %.2f s, %.0f passes, %ld steps (%.0f/s)\n", name,
                ai ? " ai" : "", seed, milliseconds / 1000.0, r.seconds, r.passes, r.yields, r.yields / r.seconds);
    print("before", r.before);
    print("plan 0", r.after);
    if (r.stopLatencyMs >= 0)
        std::printf("stop     ended %.1f ms after the stop was due\n", r.stopLatencyMs);
    else
        std::printf("stop     ended on its own\n");
    std::printf("status   %s\n", qPrintable(r.status));
    for (int c = 1; c <= timetable::lastClass(); ++c)
        if (lacksLessons(c))
            std::printf("missing  %s:%s\n", qPrintable(gClassNames(c).toString()), qPrintable(MissingHours(c)));
}

void runSteps(const std::vector<Step>& steps, unsigned seed, unsigned methods, const QElapsedTimer& clock);

// Each round starts from the plan the last round left when it placed no
// fewer lessons, else from the plan before it; the rounds end early once
// the plan is complete. A round's runs are seeded anew, so a round that
// opens the same cells again does not retrace the one before.
void repeat(const Step& step, unsigned seed, unsigned methods, const QElapsedTimer& clock)
{
    for (int round = 0; round < step.rounds && !planComplete(); ++round) {
        std::printf("round    %d of %d\n", round + 1, step.rounds);
        const int before = placedLessons();
        keepPlan();
        runSteps(step.body, seed + static_cast<unsigned>(round), methods, clock);
        if (placedLessons() < before) {
            reloadKeptPlan();
            std::printf("reload   the plan before the round, %d placed\n", placedLessons());
        }
    }
}

void runSteps(const std::vector<Step>& steps, unsigned seed, unsigned methods, const QElapsedTimer& clock)
{
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Run: {
            const char* names[] = {"0", "1", "2"};
            printRun(names[step.mode], step.ai, step.milliseconds, seed,
                     trial::run(static_cast<short>(kModes[step.mode]), step.milliseconds, seed, methods, step.ai));
            break;
        }
        case Step::Fix:
            FixAllCells();
            std::printf("fix      every cell fixed\n");
            break;
        case Step::ReleaseMissing:
            std::printf("release  %d class-days of the classes lacking lessons\n", releaseDays(false));
            break;
        case Step::ReleaseDays:
            std::printf("release  %d class-days with a gap in the classes lacking lessons\n", releaseDays(true));
            break;
        case Step::ReleaseBlockers: {
            const std::map<int, bool> teachers = teachersOfMissingLessons();
            const int days = releaseDays(true);
            for (const auto& [teacher, withAbilityGroups] : teachers)
                releaseTeacher(teacher, withAbilityGroups);
            std::printf("release  %d class-days with a gap and the cells of %zu teachers of the missing lessons: %d cells "
                        "open\n",
                        days, teachers.size(), openCells());
            break;
        }
        case Step::Repeat:
            repeat(step, seed, methods, clock);
            break;
        }
        std::printf("         %.1f s since the start of the chain\n", clock.elapsed() / 1000.0);
    }
}

// A chain goes on from the plan the last run left: each run after the first
// is told "Ja" when it asks before it writes over plan "0"; every other
// message is answered "Nein" as before.
void answerRunsOnResult()
{
    dialogs::setHandler([](const dialogs::Shown& s) -> dialogs::Reply {
        const bool goOn = s.question && s.text.endsWith(QLatin1String("Trotzdem optimieren?"));
        if (!goOn)
            std::fprintf(stderr, "message: %s\n", qPrintable(s.text));
        return goOn;
    });
}

void runChain(const std::vector<Step>& steps, unsigned seed, unsigned methods)
{
    answerRunsOnResult();
    QElapsedTimer clock;
    clock.start();
    runSteps(steps, seed, methods, clock);
    std::printf("chain    %s after %.1f s\n", planComplete() ? "complete" : "incomplete", clock.elapsed() / 1000.0);
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Runs optimiser modes headless and prints their results."));
    options.addHelpOption();
    options.addOption({QStringLiteral("mode"), QStringLiteral("0 fill, 1 search, 2 improve"), QStringLiteral("mode"), QStringLiteral("0")});
    options.addOption({QStringLiteral("seed"), QStringLiteral("seed of the school and the run"), QStringLiteral("n"), QStringLiteral("1")});
    options.addOption({QStringLiteral("seconds"), QStringLiteral("time limit"), QStringLiteral("t"), QStringLiteral("10")});
    options.addOption({QStringLiteral("methods"), QStringLiteral("release methods of mode 2"), QStringLiteral("list"),
                       QStringLiteral("1T,LG,Wa,1K,ZF")});
    options.addOption({QStringLiteral("ai"), QStringLiteral("the fill run's \"ai\"")});
    options.addOption({QStringLiteral("folder"), QStringLiteral("a data folder in place of the generated school"),
                       QStringLiteral("dir")});
    options.addOption({QStringLiteral("constructed"), QStringLiteral("the school drawn from a complete week")});
    options.addOption({QStringLiteral("save-to"), QStringLiteral("writes the school into a data folder"),
                       QStringLiteral("dir")});
    options.addOption({QStringLiteral("chain"), QStringLiteral("steps taken one after the other, see the source"),
                       QStringLiteral("steps")});
    options.process(app);

    const int modeOption = options.value(QStringLiteral("mode")).toInt();
    if (modeOption < 0 || modeOption > 2) {
        std::fprintf(stderr, "mode must be 0, 1 or 2\n");
        return 2;
    }
    std::optional<std::vector<Step>> chain;
    if (options.isSet(QStringLiteral("chain"))) {
        chain = parseChain(options.value(QStringLiteral("chain")));
        if (!chain) {
            std::fprintf(stderr, "cannot read the chain %s\n", qPrintable(options.value(QStringLiteral("chain"))));
            return 2;
        }
    }
    const short mode = static_cast<short>(kModes[modeOption]);
    const unsigned seed = options.value(QStringLiteral("seed")).toUInt();
    const int milliseconds = static_cast<int>(options.value(QStringLiteral("seconds")).toDouble() * 1000);
    const unsigned methods = methodBits(options.value(QStringLiteral("methods")));

    QTemporaryDir work;
    resetModel();
    InitialiseConstants();
    trial::answerMessagesQuietly();
    if (options.isSet(QStringLiteral("folder"))) {
        const QString folder = options.value(QStringLiteral("folder"));
        if (!work.isValid() || !trial::loadFolderCopy(folder, work.path() + QLatin1Char('/'))) {
            std::fprintf(stderr, "cannot copy the data folder %s\n", qPrintable(folder));
            return 1;
        }
        std::printf("school   %s, plan %s \"%s\", %d classes\n", qPrintable(folder), qPrintable(gPlanName),
                    qPrintable(gPlanTitle), timetable::lastClass());
    } else if (options.isSet(QStringLiteral("constructed"))) {
        constructed_school::build(seed);
        gDataPath = work.path() + QLatin1Char('/');
        std::printf("school   constructed from seed %u: %d classes, %d teachers, %d weekly hours\n", seed,
                    constructed_school::kClasses, constructed_school::teachers(), generated_school::weeklyHours());
        if (!chain && mode == trial::kSearch)
            generated_school::openOneDayOfThreeClasses(1);
    } else {
        generated_school::build(seed);
        gDataPath = work.path() + QLatin1Char('/');
        std::printf("school   generated from seed %u: %d classes, %d teachers, %d weekly hours\n", seed,
                    generated_school::kClasses, generated_school::kTeachers, generated_school::weeklyHours());
        if (!chain && mode == trial::kSearch)
            generated_school::openOneDayOfThreeClasses(1);
    }
    if (options.isSet(QStringLiteral("save-to"))) {
        const QString to = options.value(QStringLiteral("save-to"));
        generated_school::clearOpenLessons();
        if (!saveSchool(to)) {
            std::fprintf(stderr, "cannot write the school into %s\n", qPrintable(to));
            return 1;
        }
        std::printf("saved    into %s as plan %s\n", qPrintable(to), qPrintable(gPlanName));
        return 0;
    }
    const bool folder = options.isSet(QStringLiteral("folder"));
    if (chain) {
        if (!folder)
            generated_school::clearOpenLessons();
        runChain(*chain, seed, methods);
        return 0;
    }
    if (mode == trial::kFill)
        generated_school::clearOpenLessons();

    const trial::Result r = trial::run(mode, milliseconds, seed, methods, options.isSet(QStringLiteral("ai")));
    printRun(qPrintable(QString::number(modeOption)), options.isSet(QStringLiteral("ai")), milliseconds, seed, r);
    return 0;
}
