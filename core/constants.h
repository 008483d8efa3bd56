#pragma once
#include <QString>
// The first steps of start-up: data folder, version, capacities, the constant
// tables and the one seeding of the random generator.

// "ORV-qz V" and the version: the caption of the main window.
QString ProgramCaption();

void InitialiseConstants();
