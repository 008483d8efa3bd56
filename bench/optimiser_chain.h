#pragma once
// The driver's chains: the steps a timetable maker takes in the windows, run
// one after the other on the plan in memory (the steps are described in
// optimiser_driver.cpp).
#include "bench/optimiser_trial.h"

#include <QString>

#include <optional>
#include <vector>

namespace chain {

// gOptimizerMode of the window's option buttons "Modus 0", "Modus 1", "Modus 2".
constexpr short kModes[] = {trial::kFill, trial::kSearch, trial::kImprove};

struct Step {
    enum Kind { Run, Fix, ReleaseMissing, ReleaseDays, ReleaseBlockers, Repeat } kind = Run;
    int mode = 0;  // 0, 1, 2 as the option buttons
    bool ai = false;
    int milliseconds = 0;
    int rounds = 0;          // of a repeat
    std::vector<Step> body;  // of a repeat
};

// The steps of a chain text; nullopt when a word is not a step or the
// parentheses do not pair.
std::optional<std::vector<Step>> parse(const QString& chain);

// Runs the steps on the plan in memory, printing the figures after each.
void run(const std::vector<Step>& steps, unsigned seed, unsigned methods);

// Prints what a run of "Modus `mode`" achieved and what is still missing.
void printResult(const char* mode, bool ai, int milliseconds, unsigned seed, const trial::Result& r);

}
