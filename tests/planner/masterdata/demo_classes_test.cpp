#include "core/plan_files.h"
#include "planner/masterdata/class_insert_window.h"
#include "planner/masterdata/curriculum_overview.h"
#include "planner/masterdata/school_overview.h"
#include "platform/controls.h"
#include "platform/drawing_surface.h"
#include "tests/planner/masterdata/masterdata_fixture.h"

#include <QLabel>
#include <QPushButton>

// The demo school with its plan loaded.
class DemoClassesTest : public DemoSchoolTest {
protected:
    static QStringList week(int cls)
    {
        QStringList out;
        for (int d = 1; d <= 6; ++d) {
            for (int p = 1; p <= 11; ++p)
                out << QStringLiteral("%1/%2").arg(gTimetable(d, p, cls, 0)).arg(gTimetable(d, p, cls, 1));
        }
        return out;
    }
    static QStringList curriculumLines() { return forms::show<Form23>()->List1->items(); }
    static QStringList classHeadings()
    {
        Form36* f = forms::show<Form36>();
        QStringList out;
        for (const DrawingSurface::Op& op : f->surface->ops()) {
            if (op.kind == DrawingSurface::Op::Kind::Text && op.fontSize == 14)
                out << op.text;
        }
        return out;
    }
};

TEST_F(DemoClassesTest, AnInsertedClassIsInBothOverviewsAndThereAfterTheNextStart)
{
    ASSERT_EQ(gPlanName, "1");
    ASSERT_EQ(gClassNames(3), "6a");
    const QStringList week6a = week(3);
    const QStringList lines = curriculumLines();
    ASSERT_FALSE(lines.isEmpty());
    forms::unloadAll();

    Form67* f = forms::show<Form67>();
    f->List1->setListIndex(2);
    f->Command2->click();
    EXPECT_TRUE(f->Label3->text().startsWith("Aktion abgeschlossen."));
    EXPECT_EQ(classHeadings().mid(0, 4), QStringList({"5a", "5b", "neu", "6a"}));
    EXPECT_EQ(curriculumLines(), lines) << "every class keeps its hours; the new one has none yet";
    forms::unloadAll();

    SavePlan();
    ASSERT_EQ(gCheckOk, 1);
    startInDataFolder();
    EXPECT_EQ(gClassNames(3), "neu");
    EXPECT_EQ(gClassNames(4), "6a");
    EXPECT_EQ(week(4), week6a);
    EXPECT_EQ(classHeadings().size(), 11);
    EXPECT_EQ(curriculumLines(), lines);
}
