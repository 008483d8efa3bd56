// The timetable planner: starts in the school's data folder (the current
// folder) with the register's start-up and opens its start window; closing
// that window ends the program.
#include "core/startup.h"
#include "planner/planner_menu.h"
#include "planner/publish/publishing_windows.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/input_guard.h"

#include <QApplication>
#include <QFont>
#include <chrono>

namespace {
// Putting a published page back under its name takes a few commands; a
// server that stopped answering is not waited for much longer.
constexpr std::chrono::seconds kLongestUploadEnd{15};
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    inputguard::install();
    // The windows were laid out for the small default font of the original's
    // controls; Debian's metric-compatible Arial keeps their captions inside.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    setDefaultDialogTitle(kPlannerDialogTitle);
    RunStartUp();
    SetWorkDateToToday();
    PlannerMenu* menu = forms::show<PlannerMenu>();
    // Closed while a notice of its start was up: the program has ended.
    if (!menu)
        return 0;
    QObject::connect(menu, &QObject::destroyed, &app, &QCoreApplication::quit);
    // Windows still open at the end close as if the user closed them, so they
    // keep their positions; an upload that a closed window left putting its
    // page back under its name ends first.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] {
        forms::unloadAll();
        FinishUploadsOfClosedWindows(kLongestUploadEnd);
    });
    return app.exec();
}
