#include "tests/planner/optimiser_school_fixture.h"

#include <QFile>

// The plan files each mode saves on the generated school for a fixed seed and
// a fixed number of passes or steps, kept in the golden folder: a change that
// is to keep the results (a faster search) must save them byte for byte.
// ORVQZ_WRITE_GOLDEN=1 writes the folder anew from the code as it is.
class OptimiserGoldenTest : public OptimiserSchoolTest {
protected:
    static constexpr unsigned kSeed = 7;

    struct Run {
        const char* folder;
        short mode;
        bool ai;
        long limit; // passes of the fill run, yields of the search
    };

    // A line of a plan file as the message shows it, without its CR.
    static QString shown(const QByteArray& line) { return QString::fromLatin1(line).remove(QLatin1Char('\r')); }

    // "" when equal, else the first line (from 1) where they part.
    static QString firstDifference(const QByteArray& expected, const QByteArray& actual)
    {
        const QList<QByteArray> want = expected.split('\n');
        const QList<QByteArray> got = actual.split('\n');
        for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
            const QByteArray a = want.value(i, "<end of file>");
            const QByteArray b = got.value(i, "<end of file>");
            if (a != b)
                return QStringLiteral("line %1: expected \"%2\", saved \"%3\"")
                    .arg(i + 1)
                    .arg(shown(a), shown(b));
        }
        return expected == actual ? QString() : QStringLiteral("line endings differ");
    }

    // Every file the run left in the data folder against the golden folder.
    void compareWithGolden(const char* folder)
    {
        const QDir golden(QStringLiteral(ORVQZ_GOLDEN_DIR) + QString::fromLatin1(folder));
        const QDir saved(m_dir.path());
        if (qEnvironmentVariableIntValue("ORVQZ_WRITE_GOLDEN") == 1) {
            golden.mkpath(QStringLiteral("."));
            for (const QString& name : golden.entryList(QDir::Files))
                QFile::remove(golden.filePath(name));
            for (const QString& name : saved.entryList(QDir::Files))
                QFile::copy(saved.filePath(name), golden.filePath(name));
        }
        const QStringList names = golden.entryList(QDir::Files);
        ASSERT_FALSE(names.isEmpty()) << "no golden files in " << golden.path().toStdString();
        EXPECT_EQ(saved.entryList(QDir::Files), names) << folder;
        for (const QString& name : names) {
            QFile want(golden.filePath(name));
            QFile got(saved.filePath(name));
            ASSERT_TRUE(want.open(QIODevice::ReadOnly));
            if (!got.open(QIODevice::ReadOnly)) {
                ADD_FAILURE() << folder << "/" << name.toStdString() << ": not saved";
                continue;
            }
            const QString difference = firstDifference(want.readAll(), got.readAll());
            EXPECT_TRUE(difference.isEmpty()) << folder << "/" << name.toStdString() << ", "
                                              << difference.toStdString();
        }
    }
};

TEST_F(OptimiserGoldenTest, EachModeSavesTheKeptPlan)
{
    const Run runs[] = {
        {"fill", kFill, false, 3},
        {"fill-ai", kFill, true, 3},
        {"search", kSearch, false, 3000},
        {"improve", kImprove, false, 3000},
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(r.folder);
        buildSchool(kSeed);
        if (r.mode == kFill)
            generated_school::clearOpenLessons();
        else if (r.mode == kSearch)
            generated_school::openOneDayOfThreeClasses(2);
        run(r.mode, kSeed, r.limit, r.ai);
        compareWithGolden(r.folder);
    }
}
