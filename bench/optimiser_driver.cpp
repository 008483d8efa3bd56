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
//   release-blockers      one class that "fehlende Stunden ?" names (the first,
//                         in a repeat the round's one down the list): the
//                         header click on each day of its week (of its grade
//                         when it lacks an ability group's lesson), and on its
//                         days with a gap in every class in which a teacher of
//                         its missing lessons teaches then; then "lehrerbez.
//                         Fix. lösen"
//                         for each such teacher ("LG-Fächer einbeziehen"
//                         ticked for a lesson of an ability group)
//   repeat:N(STEPS)       up to N rounds of the steps, ended early once the
//                         plan is complete; a round that leaves fewer lessons
//                         placed than it found is undone by reloading the plan
//                         it started from (kept as a plan of its own number);
//                         each round seeds its runs anew (seed + round)
// A class that lacks a lesson of an ability group has those days opened in
// every class of its grade too. A run after the first is told "Ja" when it
// asks before it writes over the last run's plan "0".
// e.g. --chain "0ai:60,fix,release-days,1:30,2:60", or
// --chain "0ai:30,repeat:80(fix,release-blockers,0ai:3),fix,release-days,1:30,2:60".
// The figures are printed after every step.
#include "bench/optimiser_chain.h"
#include "bench/optimiser_trial.h"
#include "core/constants.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "core/settings_file.h"
#include "core/timetable.h"
#include "planner/masterdata/class_table.h"
#include "planner/masterdata/school_files.h"
#include "planner/masterdata/subject_table.h"
#include "platform/datafile.h"
#include "tests/support/constructed_school.h"
#include "tests/support/generated_school.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <vector>

namespace {

const char* const kMethodNames[] = {"1T", "LG", "Wa", "1K", "ZF"};

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
    const bool written = SaveSettingsFile() && SaveClassFiles(true).failure.isEmpty() && SaveSubjectFile()
                         && SavePeriodFile(PeriodTexts::AsHeld) && teachers.commit(gDataPath + "Namen.txt")
                         && loads.commit(gDataPath + "belast.dat") && rooms.commit(gDataPath + "Räume.dat")
                         && name.commit(gDataPath + "Schulname.txt");
    if (!written)
        return false;
    SavePlan();
    return gCheckOk == 1;
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
    std::optional<std::vector<chain::Step>> steps;
    if (options.isSet(QStringLiteral("chain"))) {
        steps = chain::parse(options.value(QStringLiteral("chain")));
        if (!steps) {
            std::fprintf(stderr, "cannot read the chain %s\n", qPrintable(options.value(QStringLiteral("chain"))));
            return 2;
        }
    }
    const short mode = static_cast<short>(chain::kModes[modeOption]);
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
        if (!steps && mode == trial::kSearch)
            generated_school::openOneDayOfThreeClasses(1);
    } else {
        generated_school::build(seed);
        gDataPath = work.path() + QLatin1Char('/');
        std::printf("school   generated from seed %u: %d classes, %d teachers, %d weekly hours\n", seed,
                    generated_school::kClasses, generated_school::kTeachers, generated_school::weeklyHours());
        if (!steps && mode == trial::kSearch)
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
    if (steps) {
        if (!folder)
            generated_school::clearOpenLessons();
        chain::run(*steps, seed, methods);
        return 0;
    }
    if (mode == trial::kFill)
        generated_school::clearOpenLessons();

    const trial::Result r = trial::run(mode, milliseconds, seed, methods, options.isSet(QStringLiteral("ai")));
    chain::printResult(qPrintable(QString::number(modeOption)), options.isSet(QStringLiteral("ai")), milliseconds, seed, r);
    return 0;
}
