#ifndef VORLANE_GAME_RATELIMITER_H
#define VORLANE_GAME_RATELIMITER_H

#include "engine/core/GameClock.h"

// The fire-rate rule shared by every gun: fireRate shots per second (0 never
// fires, -1 fires on every call). Returns the energy the shot costs and
// stamps lastShot (ms) when a shot may leave now, 0 otherwise.
inline float limitFireRate(float fireRate, float energyCost, float& lastShot) {
    float now = (float)quenth::GameClock::currentTime;
    if (fireRate == 0) return 0;
    if (fireRate == -1) {
        lastShot = now;
        return energyCost;
    }
    float interval = 1000.0f / fireRate;
    if (now - lastShot >= interval) {
        lastShot = now;
        return energyCost;
    }
    return 0;
}

#endif
