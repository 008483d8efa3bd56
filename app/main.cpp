// The class register: starts in the school's data folder (the current folder)
// by loading its main window; closing that window ends the program.
#include "platform/forms.h"
#include "platform/input_guard.h"
#include "register/entry_window.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    inputguard::install();
    // The windows were laid out for the small default font of the original's
    // controls; Debian's metric-compatible Arial keeps their captions inside.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    Form1* entry = forms::show<Form1>();
    // Closed while a notice of its start was up: the program has ended.
    if (!entry)
        return 0;
    QObject::connect(entry, &QObject::destroyed, &app, &QCoreApplication::quit);
    // Windows still open at the end close as if the user closed them, so they
    // keep their positions; one that cannot save its edits asks, but goes.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { forms::unloadAll(); });
    return app.exec();
}
