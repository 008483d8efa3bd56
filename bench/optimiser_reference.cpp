// Runs each optimiser mode on the generated school for a fixed number of
// steps, with the clock held still, and keeps the plan files each run wrote:
//
//   optimiser-reference --out DIR [--seed N] [--scale K] [--only RUN]
//
// DIR/<run>/ receives the data folder of the run (plan "0" and the plan
// list). Two builds that search alike write identical folders, whatever their
// speed: `diff -r` of two such DIRs shows any change of results. `--scale`
// multiplies the steps of every run; `--only` does the one run named.
#include "bench/optimiser_trial.h"
#include "core/constants.h"
#include "core/model.h"
#include "platform/clock.h"
#include "tests/support/generated_school.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

struct Case {
    const char* name;
    short mode;
    long steps;
    unsigned methods;
    bool ai;
};

// Steps chosen so that each run of the slow code takes seconds, and mode 2
// passes through every release method more than once.
const Case kCases[] = {
    {"fill", trial::kFill, 20000, 0x1F, false},
    {"fill-ai", trial::kFill, 20000, 0x1F, true},
    {"search", trial::kSearch, 40000, 0x1F, false},
    {"improve", trial::kImprove, 30000, 0x1F, false},
    {"improve-1T", trial::kImprove, 10000, 0x01, false},
    {"improve-LG", trial::kImprove, 10000, 0x02, false},
    {"improve-Wa", trial::kImprove, 10000, 0x04, false},
};

bool copyFiles(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        QFile::remove(to + QLatin1Char('/') + name);
        if (!QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

bool runCase(const Case& c, unsigned seed, double scale, const QString& out)
{
    QTemporaryDir work;
    resetModel();
    InitialiseConstants();
    trial::answerMessagesQuietly();
    generated_school::build(seed);
    gDataPath = work.path() + QLatin1Char('/');
    if (c.mode == trial::kSearch)
        generated_school::openOneDayOfThreeClasses(1);
    if (c.mode == trial::kFill)
        generated_school::clearOpenLessons();
    Clock::set(QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    const trial::Result r = trial::runSteps(c.mode, std::lround(c.steps * scale), seed, c.methods, c.ai);
    std::printf("%-11s %8ld steps %6.0f passes %7.2f s  placed %d of %d, gaps %d, rating %.6g\n", c.name, r.yields,
                r.passes, r.seconds, r.after.placed, r.after.required, r.after.teacherGaps, r.after.rating);
    std::fflush(stdout);
    return copyFiles(work.path(), out + QLatin1Char('/') + QLatin1String(c.name));
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Keeps the plans of step-limited optimiser runs."));
    options.addHelpOption();
    options.addOption({QStringLiteral("out"), QStringLiteral("folder for the plans"), QStringLiteral("dir")});
    options.addOption({QStringLiteral("seed"), QStringLiteral("seed of the school and the runs"), QStringLiteral("n"),
                       QStringLiteral("1")});
    options.addOption({QStringLiteral("scale"), QStringLiteral("factor on every run's steps"), QStringLiteral("k"),
                       QStringLiteral("1")});
    options.addOption({QStringLiteral("only"), QStringLiteral("the one run to do"), QStringLiteral("run")});
    options.process(app);
    const QString out = options.value(QStringLiteral("out"));
    if (out.isEmpty()) {
        std::fprintf(stderr, "--out is required\n");
        return 2;
    }
    const unsigned seed = options.value(QStringLiteral("seed")).toUInt();
    const double scale = options.value(QStringLiteral("scale")).toDouble();
    const QString only = options.value(QStringLiteral("only"));
    for (const Case& c : kCases) {
        if (!only.isEmpty() && only != QLatin1String(c.name))
            continue;
        if (!runCase(c, seed, scale, out)) {
            std::fprintf(stderr, "cannot keep the plan of %s in %s\n", c.name, qPrintable(out));
            return 1;
        }
    }
    return 0;
}
