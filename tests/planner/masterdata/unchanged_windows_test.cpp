#include "planner/editor/free_period_rules.h"
#include "planner/masterdata/display_settings.h"
#include "planner/masterdata/period_times_window.h"
#include "planner/masterdata/school_data_window.h"
#include "planner/masterdata/subject_window.h"
#include "planner/masterdata/web_colours.h"
#include "planner/print/print_menu.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <functional>
#include <map>

namespace {
// Bytes and modification time of every file of the folder; first dated back
// on request, so a rewrite with the same bytes shows too.
std::map<QString, std::pair<QByteArray, QDateTime>> folderState(const QString& folder, bool dateBack = false)
{
    std::map<QString, std::pair<QByteArray, QDateTime>> state;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        QFile f(file.filePath());
        f.open(QIODevice::ReadWrite);
        if (dateBack)
            f.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(8, 0)), QFileDevice::FileModificationTime);
        state[file.fileName()] = {f.readAll(), f.fileTime(QFileDevice::FileModificationTime)};
    }
    return state;
}
}

// The demo school with a plan loaded whose week (6 days, 11 periods) is not
// the school's: the data model holds what is not in the school's files.
class UnchangedWindowsTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        copyDemoSchool();
        startInDataFolder();
        gDaysPerWeek = 6;
        gPeriodsPerDay = 11;
        SaveFreePeriodRules();
        SaveWebColours(QStringLiteral("ffcc00"), QStringLiteral("0"));
    }
};

TEST_F(UnchangedWindowsTest, AWindowOpenedAndClosedWritesNoFile)
{
    const std::pair<const char*, std::function<void()>> looks[] = {
        {"Fächer", [] { forms::show<Form7>()->Command1->click(); }},
        {"Schuldaten", [] { forms::show<Form9>()->Command1->click(); }},
        {"Zeiten", [] { forms::show<Form27>()->Command1->click(); }},
        {"Eingabebreite", [] { forms::show<Form30>()->Command1->click(); }},
        {"Sortierung", [] { forms::show<form31>()->Command1->click(); }},
        {"Schriftart", [] { forms::show<Form32>()->Command1->click(); }},
        {"Farben im Internet", [] { forms::show<Form65>()->Command1->click(); }},
        {"Hohlstundenregeln", [] { forms::show<Form19>()->Command1->click(); }},
        {"Drucken", [] { forms::show<Form14>()->Command1->click(); }},
    };
    for (const auto& [window, look] : looks) {
        SCOPED_TRACE(window);
        const auto before = folderState(m_dir.path(), true);
        look();
        EXPECT_TRUE(forms::all().isEmpty());
        EXPECT_TRUE(folderState(m_dir.path()) == before);
    }
}
