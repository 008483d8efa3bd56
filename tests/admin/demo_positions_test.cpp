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

#include <QDir>
#include <QFile>

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
        const QDir demo(QStringLiteral(ORVQZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name)));
        startEntryWindow(m_dir.path());
    }

    // Where the demo puts the window, with its frame, on the small screen.
    template <class F>
    void expectFits()
    {
        F* f = forms::get<F>();
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
    expectFits<Form2>();
    expectFits<Form3>();
    expectFits<Form6>();
    expectFits<Form8>();
    expectFits<Form10>();
    expectFits<Form12>();
    expectFits<Form13>();
    expectFits<Form16>();
    expectFits<Form17>();
    expectFits<Form21>();
    expectFits<Form25>();
    expectFits<Form26>();
    expectFits<Form39>();
    expectFits<Form58>();
    expectFits<Form68>();
    expectFits<Form69>();
    expectFits<Form70>();
    EXPECT_TRUE(kSmallScreen.contains(QRect(entry->pos(), entry->size() + QSize(kFrameWidth, kFrameHeight))));
}
