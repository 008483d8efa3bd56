#pragma once
#include <QString>
#include <cstdint>
// The first steps of start-up: data folder, version, capacities, the constant
// tables, the one seeding of the random generator, and the window-position
// convention of every window.

// "ORV-qz V" and the version: the caption of the main window.
QString ProgramCaption();

void InitialiseConstants();

// Back colours of fields and grid cells by state (0 grey: not accepted,
// 6 green: accepted, ...). Windows take their designer colours from here,
// which holds before start-up has filled gBackColours.
std::uint32_t BackColour(int index);
