#pragma once
#include <QString>
// The first steps of start-up: data folder, version, capacities, the constant
// tables, the one seeding of the random generator, and the window-position
// convention of every window.

// "ORV-qz V" and the version: the caption of the main window.
QString ProgramCaption();

void InitialiseConstants();
