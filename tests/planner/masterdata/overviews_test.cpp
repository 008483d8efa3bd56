#include "core/window_positions.h"
#include "planner/masterdata/curriculum_overview.h"
#include "planner/masterdata/school_overview.h"
#include "platform/controls.h"
#include "platform/drawing_surface.h"
#include "platform/units.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QPushButton>

namespace {
struct Cell {
    Variant day, period, cls, half, subject;
    bool operator==(const Cell&) const = default;
};
Cell currentCell() { return {gDay, gPeriod, gClass, gHalf, gSubject}; }
}

// Classes 1a and 1b, subjects D and M entered in the left half, En in both.
class OverviewTest : public MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        gDaysPerWeek = 5;
        gPeriodsPerDay = 9;
        gClassNames(1) = QStringLiteral("1a");
        gClassNames(2) = QStringLiteral("1b");
        subject(1, "D");
        subject(2, "M");
        subject(3, "En");
        gSubjectAttr(3, 2) = 2;
        gDay = 2;
        gPeriod = 3;
        gClass = 1;
        gHalf = 1;
        gSubject = 2;
        m_cell = currentCell();
    }
    static void hours(int c, int s, short planned, double given)
    {
        gCurriculumHours(c, s) = planned;
        gClassSubjectHours(c, s) = Currency::fromDouble(given);
    }
    Cell m_cell;
};

TEST_F(OverviewTest, TheCurriculumOverviewHasALinePerClassWithHours)
{
    hours(1, 1, 4, 4);
    hours(1, 2, 5, 5);
    hours(2, 1, 3, 2.5);
    hours(2, 3, 2, 2);
    hours(5, 2, 1, 1);
    gCurriculumHours(6, 2) = -1;
    forms::show<Form23>();
    EXPECT_EQ(forms::ifOpen<Form23>()->List1->items(),
              QStringList({"1a  4D  5M >  9 (9)", "1b  3D  2En >  5 (2,5)", "  1M >  1 (1)"}));
    EXPECT_EQ(currentCell(), m_cell);

    gCurriculumHours(1, 2) = 0;
    EXPECT_EQ(activateAgain<Form23>()->List1->List(0), "1a  4D >  4 (4)");
}

TEST_F(OverviewTest, TheCurriculumOverviewKeepsItsMarginAndItsPositionWithoutWritingTheFile)
{
    gWindowLeft(23) = 1500;
    gWindowTop(23) = 900;
    Form23* f = forms::show<Form23>();
    EXPECT_EQ(f->pos(), QPoint(100, 60));
    f->resize(units::twipsToPixels(6000), f->height());
    EXPECT_EQ(units::pixelsToTwips(f->List1->width()), 6000 - 390);
    f->resize(10, f->height());
    EXPECT_EQ(f->List1->width(), 0) << "never a negative width";
    f->move(200, 80);
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form23>());
    EXPECT_TRUE(gWindowLeft(23) == 3000 && gWindowTop(23) == 1200);
    EXPECT_FALSE(QFile::exists(WindowPositionFile()));
}

class SchoolOverviewTest : public OverviewTest {
protected:
    // A surface of 9000 x 7200 twips: rows of 100 twips.
    Form36* open()
    {
        Form36* f = forms::show<Form36>();
        f->resize(600, 480);
        f->activate();
        return activateAgain<Form36>();
    }
    // The texts drawn with their positions and font sizes.
    static QStringList drawn(const Form36* f, double fontSize)
    {
        QStringList out;
        for (const DrawingSurface::Op& op : f->surface->ops()) {
            if (op.kind == DrawingSurface::Op::Kind::Text && op.fontSize == fontSize)
                out << QStringLiteral("%1 %2,%3").arg(op.text).arg(op.x).arg(op.y);
        }
        return out;
    }
};

TEST_F(SchoolOverviewTest, DaysAndClassesAreLabelledWithTheirLines)
{
    Form36* f = open();
    EXPECT_EQ(gLastClass, 2) << "taken when the start window opens it first";
    // Three columns of 3000 twips: labels, 1a, 1b.
    EXPECT_EQ(drawn(f, 22), QStringList({"Mo 10,200", "Di 10,1400", "Mi 10,2600", "Do 10,3800", "Fr 10,5000"}));
    EXPECT_EQ(drawn(f, 14), QStringList({"1a 3000,20", "1b 6000,20"}));
    QStringList lines;
    for (const DrawingSurface::Op& op : f->surface->ops()) {
        if (op.kind == DrawingSurface::Op::Kind::Line)
            lines << QStringLiteral("%1,%2-%3,%4 %5").arg(op.x).arg(op.y).arg(op.x2).arg(op.y2).arg(op.colour, 0, 16);
    }
    EXPECT_EQ(lines.mid(0, 2), QStringList({"1,180-8980,180 ffffff", "1,1380-8980,1380 ffffff"}));
    EXPECT_EQ(lines.mid(5), QStringList({"2980,10-2980,7180 ffffff", "5980,10-5980,7180 ffffff"}));
    EXPECT_EQ(units::pixelsToTwips(f->Command1->y()), 7200 - 750);
    EXPECT_EQ(currentCell(), m_cell);
}

TEST_F(SchoolOverviewTest, LessonsOfBothGroupsStandInTheirDayBandsAtTheSizeOfTheWindow)
{
    gTimetable(1, 1, 1, 0) = 1;
    gTimetable(1, 1, 1, 1) = 3;
    gTimetable(2, 9, 2, 0) = 2;
    gTimetable(3, 2, 2, 1) = 7;
    gTimetable(6, 4, 1, 0) = 2;
    gTimetable(1, 10, 1, 0) = 1;
    Form36* f = open();
    EXPECT_EQ(drawn(f, 7), QStringList({"D 3000,200", "En 4500,200", "M 6000,2200", "= 7500,2700", "M 3000,6500"}))
        << "the sixth day shows in a five-day week; periods beyond the ninth do not";
    EXPECT_EQ(currentCell(), m_cell);

    f->resize(900, 480);
    f->surface->grab();
    EXPECT_EQ(drawn(f, 14), QStringList({"1a 4500,20", "1b 9000,20"})) << "no picture of the old size is kept";
    EXPECT_EQ(drawn(f, 7).value(0), "D 4500,200");
    f->Command1->click();
    EXPECT_FALSE(forms::isOpen<Form36>());
}
