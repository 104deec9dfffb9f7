#include "engine/core/GameClock.h"

#include "engine/core/Quenth.h"

namespace quenth {

uint32_t GameClock::currentTime = 0;
float GameClock::sync = 0.0f;
bool GameClock::paused = false;

void GameClock::update() {
    if (paused) {
        sync = 0.0f;
        return;
    }
    currentTime += Quenth::currentTime - Quenth::lastTime;
    sync = Quenth::sync;
}

void GameClock::reset(uint32_t ms) {
    currentTime = ms;
    sync = 0.0f;
    paused = false;
}

} // namespace quenth
