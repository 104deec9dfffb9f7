#ifndef VORLANE_GAME_PROBE_H
#define VORLANE_GAME_PROBE_H

#include "game/actors/Enemy.h"

// Enemy type: 82-unit ship, radius 32, hull 15 and score 100 times the
// game's difficulty, top speed 195, drop chance 0.1.
class Probe : public Enemy {
public:
    Group* ship;  // the ship node, owned; the actor's drawable is its drawable part
    Sprite* body; // hull sprite, owned, first child of ship
    Sprite* glow; // additive glow sprite, owned, second child of ship

    Probe();
    virtual ~Probe();
    virtual void update();
    virtual void spawn();
};

#endif
