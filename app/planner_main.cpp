// The timetable planner: starts in the school's data folder (the current
// folder) with the register's start-up and opens its start window; closing
// that window ends the program.
#include "core/startup.h"
#include "planner/planner_menu.h"
#include "platform/dialogs.h"
#include "platform/forms.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The windows were laid out for the small default font of the original's
    // controls; Debian's metric-compatible Arial keeps their captions inside.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    setDefaultDialogTitle(kPlannerDialogTitle);
    RunStartUp();
    SetWorkDateToToday();
    PlannerMenu* menu = forms::show<PlannerMenu>();
    QObject::connect(menu, &QObject::destroyed, &app, &QCoreApplication::quit);
    // Windows still open at the end close as if the user closed them, so they
    // keep their positions.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { forms::unloadAll(); });
    return app.exec();
}
