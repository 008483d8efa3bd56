#pragma once
// The run of one printout of the print menu. A printout runs inside its
// button's click handler, from its first printer call to its last end of
// document, as one print run named after the button; the large-format ones
// yield to the event loop meanwhile so that the window stays responsive.
// The printer and the scratch variables of the data model are shared, so one
// printout runs at a time, and one whose window is closed under it stops at
// its next yield.
#include "platform/printer.h"

#include <QString>
#include <functional>
#include <optional>

class Form14;

// What a print button prints; it reads the menu's selections and settings.
using Printout = std::function<void(Form14& menu)>;

// True from the start of a printout to its end, also while it yields.
bool PrintoutRunning();

// Yields to the event loop once, where a printout's layout yields. False when
// the print menu has been closed meanwhile: the printout then returns at once
// without touching the window, and the pages printed so far are sent.
bool PrintYield();

// Runs the printout on the menu as one print run titled after `caption`; no
// run while another printout runs.
std::optional<PrintRun> RunPrintout(Form14& menu, const QString& caption, const Printout& printout);
