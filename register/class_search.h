#pragma once
#include <QString>

// The number (1..24) of the class of that name, letter case ignored; with two
// equal names the higher number. 0 when no class has the name, or it is empty.
int FindClassNumber(const QString& name);
