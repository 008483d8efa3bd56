#include "platform/bounds.h"

#include <QtGlobal>
#include <atomic>

namespace bounds {
namespace {
std::atomic<long> gViolations{0};
}

void report(const char* what, long index, long upper)
{
    ++gViolations;
    qWarning("index %ld outside 0..%ld of %s", index, upper, what);
}

long violations() { return gViolations; }
void resetViolations() { gViolations = 0; }
}
