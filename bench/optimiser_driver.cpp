// Runs one optimiser mode without a window on the generated school or on a
// copy of a data folder, and prints what it achieved:
//
//   optimiser-driver [--mode 0|1|2] [--seed N] [--seconds T] [--methods 1T,LG,Wa,1K,ZF]
//                    [--ai] [--folder DIR]
//
// Mode 0 first takes every unfixed lesson out of the plan, so it fills from
// the fixed cells; mode 1 on the generated school opens Monday of "6b", "8c"
// and "10d"; on a data folder modes 1 and 2 work on its start plan as it is.
// The folder itself is never written: the run saves plan "0" in a copy.
#include "bench/optimiser_trial.h"
#include "core/constants.h"
#include "core/master_data.h"
#include "core/model.h"
#include "core/plan_files.h"
#include "tests/support/generated_school.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kModes[] = {trial::kFill, trial::kSearch, trial::kImprove};
const char* const kMethodNames[] = {"1T", "LG", "Wa", "1K", "ZF"};

bool copyFolder(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!source.exists())
        return false;
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        if (!QFile::copy(source.filePath(name), to + name))
            return false;
    }
    return true;
}

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
    std::printf("%-8s placed %d of %d, teacher gaps %d, rating %.6g\n", what, f.placed, f.required, f.teacherGaps,
                f.rating);
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Runs an optimiser mode headless and prints its results."));
    options.addHelpOption();
    options.addOption({QStringLiteral("mode"), QStringLiteral("0 fill, 1 search, 2 improve"), QStringLiteral("mode"), QStringLiteral("0")});
    options.addOption({QStringLiteral("seed"), QStringLiteral("seed of the school and the run"), QStringLiteral("n"), QStringLiteral("1")});
    options.addOption({QStringLiteral("seconds"), QStringLiteral("time limit"), QStringLiteral("t"), QStringLiteral("10")});
    options.addOption({QStringLiteral("methods"), QStringLiteral("release methods of mode 2"), QStringLiteral("list"),
                       QStringLiteral("1T,LG,Wa,1K,ZF")});
    options.addOption({QStringLiteral("ai"), QStringLiteral("the fill run's \"ai\"")});
    options.addOption({QStringLiteral("folder"), QStringLiteral("a data folder in place of the generated school"),
                       QStringLiteral("dir")});
    options.process(app);

    const int modeOption = options.value(QStringLiteral("mode")).toInt();
    if (modeOption < 0 || modeOption > 2) {
        std::fprintf(stderr, "mode must be 0, 1 or 2\n");
        return 2;
    }
    const short mode = static_cast<short>(kModes[modeOption]);
    const unsigned seed = options.value(QStringLiteral("seed")).toUInt();
    const int milliseconds = static_cast<int>(options.value(QStringLiteral("seconds")).toDouble() * 1000);

    QTemporaryDir work;
    resetModel();
    InitialiseConstants();
    trial::answerMessagesQuietly();
    if (options.isSet(QStringLiteral("folder"))) {
        const QString folder = options.value(QStringLiteral("folder"));
        if (!work.isValid() || !copyFolder(folder, work.path() + QLatin1Char('/'))) {
            std::fprintf(stderr, "cannot copy the data folder %s\n", qPrintable(folder));
            return 1;
        }
        gDataPath = work.path() + QLatin1Char('/');
        LoadMasterData();
        LoadStartPlan();
        std::printf("school   %s, plan %s \"%s\"\n", qPrintable(folder), qPrintable(gPlanName), qPrintable(gPlanTitle));
    } else {
        generated_school::build(seed);
        gDataPath = work.path() + QLatin1Char('/');
        std::printf("school   generated from seed %u: %d classes, %d teachers, %d weekly hours\n", seed,
                    generated_school::kClasses, generated_school::kTeachers, generated_school::weeklyHours());
        if (mode == trial::kSearch)
            generated_school::openOneDayOfThreeClasses(1);
    }
    if (mode == trial::kFill)
        generated_school::clearOpenLessons();

    const trial::Result r = trial::run(mode, milliseconds, seed, methodBits(options.value(QStringLiteral("methods"))),
                                       options.isSet(QStringLiteral("ai")));
    std::printf("run      Modus %d, seed %u, limit %.1f s: %.2f s, %.0f passes, %ld steps (%.0f/s)\n", modeOption,
                seed, milliseconds / 1000.0, r.seconds, r.passes, r.yields, r.yields / r.seconds);
    print("before", r.before);
    print("plan 0", r.after);
    if (r.stopLatencyMs >= 0)
        std::printf("stop     ended %.1f ms after the stop was due\n", r.stopLatencyMs);
    else
        std::printf("stop     ended on its own\n");
    std::printf("status   %s\n", qPrintable(r.status));
    return 0;
}
