#include "admin/backup_window.h"
#include "admin/classroom_tools.h"
#include "admin/register_print.h"
#include "admin/room_list.h"
#include "admin/settings_window.h"
#include "admin/student_list.h"
#include "admin/student_statistics.h"
#include "admin/students_present.h"
#include "register/class_timetable_view.h"
#include "register/entry_removal.h"
#include "register/room_bookings.h"
#include "register/room_occupancy_view.h"
#include "register/room_reservations_view.h"
#include "register/student_picker.h"
#include "register/week_details.h"
#include "register/week_overview.h"
#include "platform/units.h"
#include "tests/register/register_fixture.h"

namespace {
// The smallest screen the demo school is laid out for, and what a window
// system adds around a window: borders and a title bar.
const QRect kSmallScreen(0, 0, 1280, 800);
constexpr int kFrameWidth = 10;
constexpr int kFrameHeight = 40;

class DemoPositionsTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        copyDemoSchool();
        startEntryWindow(m_dir.path());
    }

    // Where the demo puts each window, with its frame, on the small screen.
    template <class... F>
    void expectFit()
    {
        (expectFits(forms::get<F>()), ...);
    }
    static void expectFits(FormBase* f)
    {
        const int slot = f->positionSlot();
        const QRect framed(units::twipsToPixels(gWindowLeft(slot)), units::twipsToPixels(gWindowTop(slot).toDouble()),
                           f->width() + kFrameWidth, f->height() + kFrameHeight);
        EXPECT_TRUE(kSmallScreen.contains(framed)) << f->objectName().toStdString() << " at " << framed.x() << ","
                                                   << framed.y() << " size " << framed.width() << "x"
                                                   << framed.height();
        f->hide();
    }
};
}

TEST_F(DemoPositionsTest, EveryWindowFitsASmallScreenWhereTheDemoPutsIt)
{
    ASSERT_GT(gWindowLeft(21), 0) << "the demo's positions were read";
    expectFit<Form2, Form3, Form6, Form8, Form10, Form12, Form13, Form16, Form17, Form21, Form25, Form26, Form39, Form58,
              Form68, Form69, Form70>();
    EXPECT_TRUE(kSmallScreen.contains(QRect(entry->pos(), entry->size() + QSize(kFrameWidth, kFrameHeight))));
}
