#pragma once
// What happens when code indexes a fixed table outside its bounds: it is a bug,
// never undefined behaviour. The access is redirected to a scratch element and
// the violation is counted, so tests can fail on it and the program carries on.
#include <cstddef>

namespace bounds {
// Called for every out-of-bounds access; logs a warning and counts it.
void report(const char* what, long index, long upper);
// Number of violations since the last reset (tests check it stays 0).
long violations();
void resetViolations();
}
