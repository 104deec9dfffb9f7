#ifndef VORLANE_TOOLS_BOT_H
#define VORLANE_TOOLS_BOT_H

#include "game/settings/Difficulty.h"

#include <cstdint>

// What the play run (Bot.cpp) shares with the frame-budget benchmark
// (Bench.cpp): the options, the start-up and the clock of the driver. Both
// run the program's own frame loop through g_shell, the bot's shell.

struct Options {
    int seed = 1;
    double minutes = 1;
    int width = 1280, height = 720;
    const char* shots = nullptr;
    bool bench = false;
    bool oneLife = false;
    int samples = 400;            // frames measured per benchmark row
    bool fill = false;            // the benchmark counts each drawable kind's fragments
    const char* leaveOut[8] = {}; // kinds of drawable (class names) the benchmark does not draw
    int leaveOutCount = 0;        // entries of leaveOut in use
    bool audio = false;
    bool audioBench = false;
    int seconds = 20; // real seconds measured per audio benchmark row
    Difficulty difficulty = DIFFICULTY_NORMAL;
    bool powered = false; // every game starts with weapon level 4 and a full shield
};

extern unsigned long g_drawCalls; // GL draw calls of the whole program so far
extern uint32_t simTime;          // the driver's clock, ms

// Monotonic wall clock, seconds.
double wallSeconds();
// Start-up as the program does it, with the clock and the random sources
// fixed; g_shell is then the bot's shell.
void startUp(Options const& o);
// Writes the back buffer to DIR/name when --shots DIR was given.
void shot(Options const& o, const char* name);
// Clears the arena with the game's own kill and sets the wave counter one
// short of wave, so that the game starts that wave itself.
void skipToWave(int wave);
// The frame-budget benchmark (Bench.cpp).
int benchMain(Options const& o);

#endif
