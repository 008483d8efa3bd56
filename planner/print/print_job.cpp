#include "planner/print/print_job.h"

#include "core/model.h"
#include "planner/print/print_menu.h"
#include "platform/runtime.h"

#include <QPointer>
#include <QRegularExpression>

namespace {
bool gRunning = false;
// The menu whose printout runs; null once it is gone.
QPointer<Form14> gPrintingMenu;

// The name of a run, and so of its PDF file: "Klassen 1/S" would name a file
// "S" in a folder "Klassen 1".
QString runTitle(const QString& caption)
{
    static const QRegularExpression kNotInFileNames(QStringLiteral("[/\\\\:*?\"<>|]"));
    QString title = caption;
    return title.replace(kNotInFileNames, QStringLiteral("-")).trimmed();
}
}

bool PrintoutRunning() { return gRunning; }

bool PrintYield()
{
    DoEvents();
    return gPrintingMenu && !gPrintingMenu->isUnloading();
}

std::optional<PrintRun> RunPrintout(Form14& menu, const QString& caption, const Printout& printout)
{
    if (gRunning)
        return std::nullopt;
    gRunning = true;
    gPrintingMenu = &menu;
    printer().beginRun(runTitle(caption), gDataPath + QStringLiteral("Ausdrucke"));
    printout(menu);
    const PrintRun run = printer().endRun();
    gPrintingMenu = nullptr;
    gRunning = false;
    return run;
}
