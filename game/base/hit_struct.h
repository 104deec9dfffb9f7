#ifndef VORLANE_GAME_HIT_STRUCT_H
#define VORLANE_GAME_HIT_STRUCT_H

#include "engine/math/vec2.h"

class Actor;

// Result of a segment hit test.
struct hit_struct {
    Actor* target;      // body hit; null for a miss
    quenth::vec2 point; // world point where the segment enters the body; (0, 0) for a miss.
                        // During the test: centre of the wrapped image that was hit.
};

#endif
