#include "core/plan_list_file.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <optional>
#include <vector>

namespace {

using PlanListFileTest = ModelTest;

// A whole plan number is a plan however it is written; rounding or reading
// past what is no number would make up a plan the list never named.
TEST_F(PlanListFileTest, ALineNamesAPlanOnlyWhenItIsAWholePlanNumber)
{
    struct Case {
        QByteArray line;
        std::vector<short> plans;
        int damaged;
    };
    const Case cases[] = {
        {" 5 ", {5}, 0},        {"5", {5}, 0},         {" 5.0 ", {5}, 0},       {"5,0", {5}, 0},
        {"\t12", {12}, 0},      {" 0 ", {0}, 0},       {" 32767 ", {32767}, 0}, {"", {}, 0},
        {"   ", {}, 0},         {" 5.4 ", {}, 1},      {"5.5", {}, 1},          {"-3", {}, 1},
        {"32768", {}, 1},       {"5a", {}, 1},         {"Unsinn", {}, 1},       {QByteArray("\0\0", 2), {}, 1},
        {"\x01\xff 7", {}, 1},
    };
    for (const Case& c : cases) {
        writeBytes("Pläne.lst", c.line + "\r\n");
        const PlanList list = ReadPlanList();
        EXPECT_EQ(list.plans, c.plans) << c.line.toHex().toStdString();
        EXPECT_EQ(list.damagedLines, c.damaged) << c.line.toHex().toStdString();
        EXPECT_FALSE(list.unreadable);
    }
}

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
        {"a plan written as a fraction of zeros", " 5.0 \r\n", {"T&E5.xxx"}, false},
        {"a fraction beside the plan it would round to", " 5.4 \r\n 5 \r\n", {"T&E5.xxx"}, true},
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
