#include "core/plan_list_file.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {

using PlanListFileTest = ModelTest;

// The list is damaged when going by it would hide a plan of the folder.
TEST_F(PlanListFileTest, AListIsDamagedWhenItCannotBeReadHoldsGarbageOrMissesAPlan)
{
    const std::optional<QByteArray> noList;
    struct Case {
        const char* what;
        std::optional<QByteArray> list;
        QStringList headers;
        bool damaged;
    };
    const Case cases[] = {
        {"no list, no plan", noList, {}, false},
        {"an empty list, no plan", QByteArray(), {}, false},
        {"every plan listed", " 9 \r\n 3 \r\n", {"T&E3.xxx", "t&e9.XXX"}, false},
        {"a plan listed whose files are gone", " 9 \r\n 3 \r\n", {"T&E3.xxx"}, false},
        {"blank lines", " 3 \r\n\r\n", {"T&E3.xxx"}, false},
        {"the optimiser's plan and names that are no plan", "", {"T&E0.xxx", "T&E03.xxx", "T&E40000.xxx", "T&Ex.xxx"}, false},
        {"an empty list beside a plan", QByteArray(), {"T&E3.xxx"}, true},
        {"no list beside a plan", noList, {"T&E3.xxx"}, true},
        {"a list missing a plan", " 9 \r\n", {"T&E3.xxx", "T&E9.xxx"}, true},
        {"a line that is no plan", " 3 \r\nUnsinn\r\n", {"T&E3.xxx"}, true},
    };
    for (const Case& c : cases) {
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(path(name));
        if (c.list)
            writeBytes("Pläne.lst", *c.list);
        for (const QString& header : c.headers)
            writeLines(header, {" 5 ", " 9 ", "Plan", "9.0"});
        EXPECT_EQ(PlanListIsDamaged(), c.damaged) << c.what;
    }
    // Unreadable beside no plan at all: nothing else makes it damaged.
    ASSERT_TRUE(QFile::remove(path("T&E3.xxx")));
    blockFile("Pläne.lst");
    EXPECT_TRUE(PlanListIsDamaged()) << "a list that cannot be read";
}

}
