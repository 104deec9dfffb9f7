#ifndef VORLANE_TOOLS_BOT_H
#define VORLANE_TOOLS_BOT_H

#include <cstdint>

// What the play run (Bot.cpp) shares with the frame-budget benchmark
// (Bench.cpp): the options, the start-up and the frame end of the driver.

struct Options {
    int seed = 1;
    double minutes = 1;
    int width = 1280, height = 720;
    const char* shots = nullptr;
    bool bench = false;
    int samples = 400; // frames measured per benchmark row
};

extern unsigned long g_drawCalls; // GL draw calls of the whole program so far
extern uint32_t simTime;          // the driver's clock, ms

// Monotonic wall clock, seconds.
double wallSeconds();
// Start-up as the game does it, with the clock and the random sources fixed.
void startUp(Options const& o);
// The engine's frame end (swap, input snapshot) on the fixed clock, with the
// bot's input in the snapshot.
void endFrame();
// The run level changes of the game's main loop, after the game update.
void afterUpdate();
// Writes the back buffer to DIR/name when --shots DIR was given.
void shot(Options const& o, const char* name);
// The frame-budget benchmark (Bench.cpp).
int benchMain(Options const& o);

#endif
