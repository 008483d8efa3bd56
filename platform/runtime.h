#pragma once
// Small services of the runtime the windows rely on: the one random generator,
// the beep, yielding to the event loop.
#include <cstdint>
#include <vector>

// The next uniform fraction in [0, 1) of the program-wide generator.
double Rnd();
// Seeds the generator; start-up seeds it once from the seconds since midnight.
void Randomize(double seed);

// Sounds the system bell; counted so tests can see it.
void Beep();

// Processes pending events, so windows stay responsive during long runs.
void DoEvents();

// The busy pointer (hourglass) for as long as the object lives, also when the
// window that set it goes meanwhile.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

namespace runtime {
long beepCount();
void resetBeeps();
// Tests: the next draws of Rnd() return these values, in order, before the
// generator continues.
void scriptRandom(const std::vector<double>& values);
}
