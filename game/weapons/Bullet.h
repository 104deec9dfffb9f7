#ifndef VORLANE_GAME_BULLET_H
#define VORLANE_GAME_BULLET_H

#include <cstdint>

#include "engine/math/vec2.h"

// One slot of a plasma gun's bullet pool; live while now < expiry.
struct Bullet {
    quenth::vec2 position; // world units; not wrapped (the hit test reaches across the seam)
    quenth::vec2 velocity; // world units per second
    uint32_t birth;        // currentTime when fired, ms
    uint32_t expiry;       // currentTime when it vanishes, ms; 0 for a free slot
};

#endif
