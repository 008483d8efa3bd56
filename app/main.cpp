// The class register: starts in the school's data folder (the current folder)
// by loading its main window.
#include "platform/forms.h"
#include "register/entry_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(true);
    forms::show<Form1>();
    return app.exec();
}
