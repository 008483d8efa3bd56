#include "tests/planner/print/list_printouts_fixture.h"

#include <QGuiApplication>

namespace {
// Notes whether the busy pointer showed while anything was printed.
class PointerWatch : public PrintRecorder {
public:
    bool busy = false;
    void text(double x, double y, const QString& text, const PrintState& state) override
    {
        busy = busy || QGuiApplication::overrideCursor() != nullptr;
        PrintRecorder::text(x, y, text, state);
    }
};
}

class ClassHoursTest : public ListPrintoutTest {};

TEST_F(ClassHoursTest, ALineListsEachSubjectsHoursIncludingNegativeOnesAndTheTotal)
{
    gClassNames(1) = QStringLiteral("5a");
    gClassPrintNames(1) = QStringLiteral("5a");
    gClassNames(2) = QStringLiteral("X");
    gClassPrintNames(2) = QStringLiteral("X");
    gClassNames(5) = QStringLiteral("10b");
    gClassPrintNames(5) = QStringLiteral("10b");
    gSubjectNames(3, 1) = QStringLiteral("D");
    gSubjectNames(7, 1) = QStringLiteral("M");
    gCurriculumHours(1, 3) = 4;
    gCurriculumHours(1, 7) = -1;
    gCurriculumHours(2, 3) = 5;
    f->Command19->click();

    EXPECT_EQ(rec->texts(), QStringList({"Stundentafel  -  Muster-Schule", "5a  >    4 D,  -1 M   =  3",
                                         "10b  >    =  0"}))
        << "names of fewer than two characters take no line";
    const Op& first = text("5a  >    4 D,  -1 M   =  3");
    EXPECT_EQ(first.x, 15);
    EXPECT_EQ(first.y, 26);
    EXPECT_EQ(text("10b  >    =  0").y, 32);
    EXPECT_EQ(rec->begun[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(rec->documents, 1);
}

TEST_F(ClassHoursTest, TheHoursPrintWithoutTheBusyPointerTheOtherListsWithIt)
{
    auto watch = std::make_unique<PointerWatch>();
    PointerWatch& w = *watch;
    printer().setBackend(std::move(watch));
    f->Command19->click();
    EXPECT_FALSE(w.busy);
    f->Command2->click();
    EXPECT_TRUE(w.busy);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
