#ifndef QUENTH_CORE_GAMECLOCK_H
#define QUENTH_CORE_GAMECLOCK_H

#include <cstdint>

namespace quenth {

// The clock of everything that stands still while play is paused: game logic,
// weapons, particles and the animation of the world. It follows the frame
// clock of Quenth while running and does not move while paused, so on resume
// nothing is owed for the paused time (no burst of particles, no early wave,
// no bolt that jumps). Fades, menus and the reticle of a pause screen read the
// frame clock instead. Static, like Quenth; the frame loop advances it once per
// frame, right after Quenth::update().
class GameClock {
public:
    static uint32_t currentTime; // ms of play; only ever grows
    static float sync;           // length of the last frame of play in seconds; 0 while paused
    static bool paused;          // while true, update() leaves the time where it is

    // Adds the frame clock's last frame (Quenth::currentTime - Quenth::lastTime)
    // to currentTime unless paused.
    static void update();
    // Sets the clock to ms with no frame in progress: sync 0, running.
    static void reset(uint32_t ms);
};

} // namespace quenth

#endif
