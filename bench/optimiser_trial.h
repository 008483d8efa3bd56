#pragma once
// One timed run of an optimiser mode on the school in the data model, for the
// benchmark and the headless driver: started with the optimiser window's
// "starte Optimierung", with its start steps and checks, stopped after a time
// limit as its "beende Optimierung" stops it (the stop arrives through the
// event loop), and measured.
#include <QString>

namespace trial {

// gOptimizerMode of "Modus 0", "Modus 1" and "Modus 2".
constexpr short kFill = 3;
constexpr short kSearch = 1;
constexpr short kImprove = 2;

struct Figures {
    int placed = 0;     // lessons in the grid, both group rows
    int required = 0;   // lessons of the curriculum
    int teacherGaps = 0;
    double rating = 0;  // gQualityRatio: the lower, the better
    int refused = 0;    // lessons the editor's error check refuses
    int loneHalves = 0; // halves of coupled lessons without their other class
};

struct Result {
    Figures before;
    Figures after;       // of plan "0" as loaded at the end
    double seconds = 0;  // from the start to the return of the run
    // From the moment the stop was due to the return; negative when the run
    // ended on its own before.
    double stopLatencyMs = -1;
    long yields = 0;  // the search steps of modes 1 and 2 each yield once
    double passes = 0;
    QString status;   // Label1 at the end, or the refusing start check's message
    bool started = false;
};

// The figures of the plan in memory (rates it).
Figures measure();

// Message boxes answered "Nein" and written to stderr: nothing may wait for a
// click here.
void answerMessagesQuietly();

// Runs `mode` with the generator seeded by `seed`; `methods` ticks the release
// methods 1..5 of mode 2 by bit (bit 0 = "1T"), `ai` the fill run's "ai".
Result run(short mode, int milliseconds, unsigned seed, unsigned methods = 0x1F, bool ai = false);

// The planner's start on a copy of the data folder `folder` made in `copy`
// (ending in '/'): master data, start plan and the classes in use. False when
// the folder cannot be copied.
bool loadFolderCopy(const QString& folder, const QString& copy);

// The same run stopped at its `steps`-th yield instead of a time limit, so a
// seed gives the same plan "0" on every machine and at every speed.
Result runSteps(short mode, long steps, unsigned seed, unsigned methods = 0x1F, bool ai = false);

}
